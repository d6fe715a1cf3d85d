// The workbench's own commands.
#include "host_commands.h"

#include "host/CTqSystemServices.h"
#include "host/OdEd.h"
#include "host/TqStatus.h"
#include "host/framework/CTqSystemServicesImpl.h"

#include <QCoreApplication>

#include <array>

namespace {

class WorkbenchCommand final : public CTqCommand {
public:
    using Body = QString (*)();
    WorkbenchCommand(const char* name, Body body) : m_name(name), m_body(body) {}

    // The commands are static; the stack's references never free them.
    void addRef() override {}
    void release() override {}
    CTqString groupName() const override { return CTqString("WORKBENCH"); }
    CTqString globalName() const override { return m_name; }
    CTqString localName() const override { return m_name; }
    short execute(OdEdCommandContext* context) override
    {
        CTqUserIO* userIO = context ? context->userIO() : nullptr;
        if (!userIO)
            return tq::kError;
        userIO->Print(m_body());
        return tq::kNormal;
    }

private:
    CTqString m_name;
    Body m_body;
};

QString MenuListing()
{
    return CTqSystemServicesImpl::Instance().Menus().Listing();
}

QString PluginReport()
{
    const CTqPluginReportSource* source = CTqSystemServicesImpl::Instance().PluginReportSource();
    if (!source)
        return QCoreApplication::translate("WorkbenchCommands", "No module manages plugins.\n");
    return source->PluginReport();
}

std::array<WorkbenchCommand, 2>& Commands()
{
    static std::array<WorkbenchCommand, 2> commands{WorkbenchCommand("MENUS", &MenuListing),
                                                    WorkbenchCommand("PLUGINREPORT", &PluginReport)};
    return commands;
}

}  // namespace

void RegisterWorkbenchCommands()
{
    for (WorkbenchCommand& command : Commands())
        odedRegCmds()->addCommand(&command);
}

void RemoveWorkbenchCommands()
{
    odedRegCmds()->removeGroup(CTqString("WORKBENCH"));
}
