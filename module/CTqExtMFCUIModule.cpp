// The MFC bridge provider. The bridge library exists only on Windows hosts; elsewhere Load
// fails and every forwarder answers null.
#include "module/CTqExtMFCUIModule.h"

#include <dlfcn.h>

namespace {

using GetBridgeFn = CDeZIREVApp* (*)();

}  // namespace

CTqExtMFCUIModule::~CTqExtMFCUIModule()
{
    Unload();
}

bool CTqExtMFCUIModule::Load()
{
    if (!m_library)
        m_library = dlopen("DEZIREV.DLL", RTLD_NOW | RTLD_LOCAL);
    return m_library != nullptr;
}

void CTqExtMFCUIModule::Unload()
{
    if (!m_library)
        return;
    // The bridge is fetched once more before its library goes, as the bridge's hosts do.
    (void)GetApp();
    dlclose(m_library);
    m_library = nullptr;
}

void* CTqExtMFCUIModule::GetApp()
{
    if (!m_library)
        return nullptr;
    void* symbol = dlsym(m_library, "GetDeZIREV");
    if (!symbol)
        return nullptr;
    return reinterpret_cast<GetBridgeFn>(symbol)();
}

void* CTqExtMFCUIModule::ForwardTo(BridgeOperation operation, void* argument)
{
    auto* bridge = static_cast<CDeZIREVApp*>(GetApp());
    return bridge ? (bridge->*operation)(argument) : nullptr;
}

// The bridge orders its operations differently from this provider's forwarders.
void* CTqExtMFCUIModule::Forward0(void* argument) { return ForwardTo(&CDeZIREVApp::Operation0, argument); }
void* CTqExtMFCUIModule::Forward1(void* argument) { return ForwardTo(&CDeZIREVApp::Operation2, argument); }
void* CTqExtMFCUIModule::Forward2(void* argument) { return ForwardTo(&CDeZIREVApp::Operation6, argument); }
void* CTqExtMFCUIModule::Forward3(void* argument) { return ForwardTo(&CDeZIREVApp::Operation5, argument); }
void* CTqExtMFCUIModule::Forward4(void* argument) { return ForwardTo(&CDeZIREVApp::Operation4, argument); }
void* CTqExtMFCUIModule::Forward5(void* argument) { return ForwardTo(&CDeZIREVApp::Operation3, argument); }
void* CTqExtMFCUIModule::Forward6(void* argument) { return ForwardTo(&CDeZIREVApp::Operation1, argument); }
