// The workbench's command processor for the command built-in: the argument chain becomes a queue
// of answers as a user would type them (points "x,y,z", numbers, texts, nil as Enter, entity
// names as their handles, a selection set as the handles of its members, the PAUSE text "\"
// as "ask the user"), and commands of the host's command stack run with their prompts answered
// from the queue first. Names may carry "_" and "." in front. Prompts answered from the queue are
// echoed unless CMDECHO is 0.
#pragma once

#include "host/CTqCommandServices.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <deque>

class CTqWorkbenchLispServices;

class CTqWorkbenchCommandServices final : public CTqCommandServices {
public:
    explicit CTqWorkbenchCommandServices(CTqWorkbenchLispServices& services) : m_services(services) {}

    short Command(const TqResultBuffer* arguments) override;
    int CommandSwitch(const CTqString& name, bool on) override;
    short CommandName(const CTqString& name, CTqString& globalName) override;

    // The next queued answer, when there is one that is not a pause.
    bool TakeAnswer(QString& answer);
    // False for commands switched off.
    bool IsEnabled(const QString& name) const { return !m_disabled.contains(Plain(name)); }
    // The name without leading "_" and "." and in capitals.
    static QString Plain(const QString& name);

private:
    // Appends the answers the records stand for; false for a record no user could type.
    bool queue(const TqResultBuffer* arguments);
    short run(const QString& name);

    CTqWorkbenchLispServices& m_services;
    std::deque<QString> m_answers;
    QSet<QString> m_disabled;
    int m_depth = 0;
};
