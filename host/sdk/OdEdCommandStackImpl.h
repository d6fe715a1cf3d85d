// The command stack: commands in named groups, found by global or local name.
// odedRegCmds() is the process-wide instance.
#pragma once

#include "host/OdEd.h"

#include <QString>
#include <vector>

class OdEdCommandStackImpl final : public OdEdCommandStack {
public:
    OdEdCommandStackImpl() = default;
    // Releases the commands still registered.
    ~OdEdCommandStackImpl() override;
    OdEdCommandStackImpl(const OdEdCommandStackImpl&) = delete;
    OdEdCommandStackImpl& operator=(const OdEdCommandStackImpl&) = delete;

    // Takes a reference. A command of the same global name in the same group is replaced (and
    // released); adding a command that is already there changes nothing.
    void addCommand(CTqCommand* command) override;
    // Groups added last are searched first, so a later group can shadow an earlier one.
    CTqCommand* lookupCmd(const CTqString& name) override;
    bool removeCmd(const CTqString& groupName, const CTqString& globalName) override;
    bool removeCmd(const CTqString& globalName) override;
    void removeGroup(const CTqString& groupName) override;
    // Global names in group order, then order of addition.
    QStringList commandNames() override;

private:
    struct Group {
        QString name;
        std::vector<CTqCommand*> commands;
    };

    Group* findGroup(const QString& name);
    // Removes matching commands (all groups when group is null); true when one went.
    bool removeWhere(const Group* group, const QString& globalName);

    std::vector<Group> m_groups;
};
