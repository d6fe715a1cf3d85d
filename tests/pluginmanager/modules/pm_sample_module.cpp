// A small real module for plugin loading tests: while loaded it offers the command PMSAMPLE in the
// command group "PmSample", the group its plugin is named after.
#include "host/OdEd.h"
#include "host/OdRx.h"
#include "host/TqStatus.h"

#include <new>

namespace {

class SampleCommand final : public CTqCommand {
public:
    void addRef() override {}
    void release() override {}
    CTqString groupName() const override { return CTqString("PmSample"); }
    CTqString globalName() const override { return CTqString("PMSAMPLE"); }
    CTqString localName() const override { return CTqString("PMSAMPLE"); }
    short execute(OdEdCommandContext*) override { return tq::kNormal; }
};

class SampleModule : public OdRxModule {
public:
    void deleteModuleObject() override;
    void initApp() override { odedRegCmds()->addCommand(&m_command); }
    void uninitApp() override { odedRegCmds()->removeCmd(m_command.groupName(), m_command.globalName()); }
    CTqString moduleName() const override { return CTqString("PmSample"); }

private:
    SampleCommand m_command;
};

using Concrete = OdRxWin32Module<SampleModule, SampleModule>;
Concrete* g_instance = nullptr;

void SampleModule::deleteModuleObject()
{
    delete g_instance;
    g_instance = nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) OdRxModule* odrxCreateModuleObject(void** handle)
{
    if (!g_instance)
        g_instance = new Concrete(handle ? *handle : nullptr);
    return g_instance;
}

extern "C" __attribute__((visibility("default"))) void odrxGetAPIVersion(int* major, int* minor, int* majorBuild,
                                                                           int* minorBuild)
{
    *major = 4;
    *minor = 1;
    *majorBuild = 1;
    *minorBuild = 84274;
}
