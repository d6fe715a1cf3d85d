// The editor's reactor list and events, and the process-wide odedEditor().
#include "OdEditorImpl.h"

#include <algorithm>

template <class Reactor, class Event>
void OdEditorImpl::tell(Event event)
{
    // Reactors add and remove themselves from inside their handlers.
    const std::vector<OdEditorReactor*> reactors = m_reactors;
    for (OdEditorReactor* reactor : reactors) {
        if (!hasReactor(reactor))
            continue;
        if (auto* target = dynamic_cast<Reactor*>(reactor))
            event(*target);
    }
}

void OdEditorImpl::addReactor(OdEditorReactor* reactor)
{
    if (reactor && !hasReactor(reactor))
        m_reactors.push_back(reactor);
}

void OdEditorImpl::removeReactor(OdEditorReactor* reactor)
{
    std::erase(m_reactors, reactor);
}

bool OdEditorImpl::hasReactor(OdEditorReactor* reactor) const
{
    return std::find(m_reactors.begin(), m_reactors.end(), reactor) != m_reactors.end();
}

void OdEditorImpl::fireMainFrameReady()
{
    tell<CTqEditorReactor>([](CTqEditorReactor& reactor) { reactor.mainFrameReady(); });
}

void OdEditorImpl::fireMainFrameClosing()
{
    tell<CTqEditorReactor>([](CTqEditorReactor& reactor) { reactor.mainFrameClosing(); });
}

void OdEditorImpl::fireDocumentCreated(CTqDocument* document)
{
    tell<OdEditorReactor>([document](OdEditorReactor& reactor) { reactor.documentCreated(document); });
}

void OdEditorImpl::fireDocumentToBeDestroyed(CTqDocument* document)
{
    tell<OdEditorReactor>([document](OdEditorReactor& reactor) { reactor.documentToBeDestroyed(document); });
}

void OdEditorImpl::fireCommandWillStart(CTqCommand* command)
{
    tell<OdEdCommandStackReactor>([command](OdEdCommandStackReactor& reactor) { reactor.commandWillStart(command); });
}

void OdEditorImpl::fireCommandEnded(CTqCommand* command)
{
    tell<OdEdCommandStackReactor>([command](OdEdCommandStackReactor& reactor) { reactor.commandEnded(command); });
}

void OdEditorImpl::fireLispWillStart(const CTqString& expression)
{
    tell<OdEdLispEngineReactor>([&expression](OdEdLispEngineReactor& reactor) { reactor.lispWillStart(expression); });
}

void OdEditorImpl::fireLispEnded()
{
    tell<OdEdLispEngineReactor>([](OdEdLispEngineReactor& reactor) { reactor.lispEnded(); });
}

OdEditor* odedEditor()
{
    static OdEditorImpl editor;
    return &editor;
}
