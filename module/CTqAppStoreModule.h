// The module object: the one object the dynamic linker holds for this module. It registers the
// reactors, the providers and the plugin manager command, and takes them back at unload.
#pragma once

#include "host/OdEd.h"
#include "host/OdRx.h"
#include "module/CTqCommandAppStore.h"
#include "module/CTqExtLISPModule.h"
#include "module/CTqExtMFCUIModule.h"
#include "module/CTqSystemServicesImplPrivateAccess.h"
#include "pluginmanager/host_mode.h"

class CTqAppStoreModule : public OdRxModule,
                          public CTqEditorReactor,
                          public CTqSystemServicesImplPrivateAccess,
                          public OdRxDLinkerReactor {
public:
    // The module object, made on the first call with the handle in *handleLocation (which is then
    // cleared); later calls return it and leave the location alone. Memory comes from odrxAlloc;
    // std::bad_alloc when there is none.
    static OdRxModule* CreateInstance(void** handleLocation);

    CTqAppStoreModule() = default;
    CTqAppStoreModule(const CTqAppStoreModule&) = delete;
    CTqAppStoreModule& operator=(const CTqAppStoreModule&) = delete;
    ~CTqAppStoreModule() override;

    // ---- OdRxModule ---------------------------------------------------------------------------
    // Destroys the module object; the next CreateInstance makes a new one.
    void deleteModuleObject() override;
    void initApp() override;
    void uninitApp() override;
    // The full path of the module file.
    CTqString moduleName() const override;

    // ---- CTqEditorReactor ------------------------------------------------------------------------
    // Initialises the plugins.
    void mainFrameReady() override;
    // Stores every plugin's start-up flag and withdraws the plugins' user-interface files.
    void mainFrameClosing() override;
    // Loads the start-up plugins' LISP modules into the document and starts a pending feed check.
    void documentCreated(CTqDocument* document) override;

    // ---- OdRxDLinkerReactor ---------------------------------------------------------------------
    void rxAppWillBeUnloaded(OdRxModule* module) override;

    HostMode hostMode() const { return m_hostMode; }

private:
    void RemoveReactors();

    CTqExtLISPModule m_lispProvider;
    CTqExtMFCUIModule m_mfcProvider;
    CTqCommandAppStore m_pluginCommand;
    HostMode m_hostMode = HostMode::Plain;
    bool m_editorReactorAdded = false;
    bool m_linkerReactorAdded = false;
};
