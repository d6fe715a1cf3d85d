// The command stack and the process-wide odedRegCmds().
#include "OdEdCommandStackImpl.h"

#include <QStringView>

#include <algorithm>

namespace {

// "_LINE" and ".LINE" are the global-name and built-in-version spellings of "LINE"; names match
// without those marks and without regard to case.
QStringView withoutMarks(QStringView name)
{
    qsizetype start = 0;
    while (start < name.size() && (name[start] == QLatin1Char('_') || name[start] == QLatin1Char('.')))
        ++start;
    return name.mid(start);
}

bool sameName(QStringView a, QStringView b)
{
    return withoutMarks(a).compare(withoutMarks(b), Qt::CaseInsensitive) == 0;
}

bool sameGroup(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

OdEdCommandStackImpl::~OdEdCommandStackImpl()
{
    for (Group& group : m_groups) {
        for (CTqCommand* command : group.commands)
            command->release();
    }
}

OdEdCommandStackImpl::Group* OdEdCommandStackImpl::findGroup(const QString& name)
{
    auto found = std::find_if(m_groups.begin(), m_groups.end(),
                              [&](const Group& group) { return sameGroup(group.name, name); });
    return found == m_groups.end() ? nullptr : &*found;
}

void OdEdCommandStackImpl::addCommand(CTqCommand* command)
{
    if (!command)
        return;
    const QString groupName = command->groupName().toQString();
    Group* group = findGroup(groupName);
    if (!group) {
        m_groups.push_back(Group{groupName, {}});
        group = &m_groups.back();
    }
    const QString globalName = command->globalName().toQString();
    for (CTqCommand*& existing : group->commands) {
        if (existing == command)
            return;
        if (sameName(existing->globalName().toQString(), globalName)) {
            command->addRef();
            std::exchange(existing, command)->release();
            return;
        }
    }
    command->addRef();
    group->commands.push_back(command);
}

CTqCommand* OdEdCommandStackImpl::lookupCmd(const CTqString& name)
{
    const QString& wanted = name.toQString();
    if (withoutMarks(wanted).isEmpty())
        return nullptr;
    for (auto group = m_groups.rbegin(); group != m_groups.rend(); ++group) {
        for (CTqCommand* command : group->commands) {
            if (sameName(command->globalName().toQString(), wanted) || sameName(command->localName().toQString(), wanted))
                return command;
        }
    }
    return nullptr;
}

bool OdEdCommandStackImpl::removeWhere(const Group* only, const QString& globalName)
{
    bool removed = false;
    for (Group& group : m_groups) {
        if (only && &group != only)
            continue;
        // Released after leaving the list: a command's release may reach back into the stack.
        std::vector<CTqCommand*> gone;
        std::erase_if(group.commands, [&](CTqCommand* command) {
            if (!sameName(command->globalName().toQString(), globalName))
                return false;
            gone.push_back(command);
            return true;
        });
        for (CTqCommand* command : gone)
            command->release();
        removed = removed || !gone.empty();
    }
    std::erase_if(m_groups, [](const Group& group) { return group.commands.empty(); });
    return removed;
}

bool OdEdCommandStackImpl::removeCmd(const CTqString& groupName, const CTqString& globalName)
{
    const Group* group = findGroup(groupName.toQString());
    return group && removeWhere(group, globalName.toQString());
}

bool OdEdCommandStackImpl::removeCmd(const CTqString& globalName)
{
    return removeWhere(nullptr, globalName.toQString());
}

void OdEdCommandStackImpl::removeGroup(const CTqString& groupName)
{
    auto found = std::find_if(m_groups.begin(), m_groups.end(),
                              [&](const Group& group) { return sameGroup(group.name, groupName.toQString()); });
    if (found == m_groups.end())
        return;
    const std::vector<CTqCommand*> gone = std::move(found->commands);
    m_groups.erase(found);
    for (CTqCommand* command : gone)
        command->release();
}

QStringList OdEdCommandStackImpl::commandNames()
{
    QStringList names;
    for (const Group& group : m_groups) {
        for (const CTqCommand* command : group.commands)
            names << command->globalName().toQString();
    }
    return names;
}

OdEdCommandStack* odedRegCmds()
{
    static OdEdCommandStackImpl stack;
    return &stack;
}
