// The editor: its reactors and the events the host application fires to them. odedEditor() is
// the process-wide instance.
#pragma once

#include "host/OdEd.h"

#include <vector>

class OdEditorImpl final : public OdEditor {
public:
    OdEditorImpl() = default;
    OdEditorImpl(const OdEditorImpl&) = delete;
    OdEditorImpl& operator=(const OdEditorImpl&) = delete;

    // Adding a reactor twice keeps one entry; reactors are told in the order they were added.
    void addReactor(OdEditorReactor* reactor) override;
    void removeReactor(OdEditorReactor* reactor) override;
    bool hasReactor(OdEditorReactor* reactor) const override;

    // Each event reaches the reactors of the interface that declares it; a reactor removed while
    // an event is being told is not told any more.
    void fireMainFrameReady() override;
    void fireMainFrameClosing() override;
    void fireDocumentCreated(CTqDocument* document) override;
    void fireDocumentToBeDestroyed(CTqDocument* document) override;
    void fireCommandWillStart(CTqCommand* command) override;
    void fireCommandEnded(CTqCommand* command) override;
    void fireLispWillStart(const CTqString& expression) override;
    void fireLispEnded() override;

private:
    template <class Reactor, class Event>
    void tell(Event event);

    std::vector<OdEditorReactor*> m_reactors;
};
