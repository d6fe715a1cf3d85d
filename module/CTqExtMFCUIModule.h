// The MFC bridge provider: loads the user-interface bridge library on demand and forwards to
// the bridge object it exports. One link of the host's chain of bridge providers.
#pragma once

#include "host/CTqLISP.h"

// The bridge object's operations, in the library's slot order.
class CDeZIREVApp {
public:
    virtual void* Operation0(void* argument) = 0;
    virtual void* Operation1(void* argument) = 0;
    virtual void* Operation2(void* argument) = 0;
    virtual void* Operation3(void* argument) = 0;
    virtual void* Operation4(void* argument) = 0;
    virtual void* Operation5(void* argument) = 0;
    virtual void* Operation6(void* argument) = 0;

protected:
    ~CDeZIREVApp() = default;
};

class CTqExtMFCUIModule final : public CTqMFCUIProvider {
public:
    CTqExtMFCUIModule() = default;
    CTqExtMFCUIModule(const CTqExtMFCUIModule&) = delete;
    CTqExtMFCUIModule& operator=(const CTqExtMFCUIModule&) = delete;
    ~CTqExtMFCUIModule() override;

    // Loads "DEZIREV.DLL" and keeps its handle; false when it cannot be loaded.
    bool Load() override;
    // Frees the library when it is loaded.
    void Unload() override;
    // Each forwards to the bridge operation of the same order; null without a bridge.
    void* Forward0(void* argument) override;
    void* Forward1(void* argument) override;
    void* Forward2(void* argument) override;
    void* Forward3(void* argument) override;
    void* Forward4(void* argument) override;
    void* Forward5(void* argument) override;
    void* Forward6(void* argument) override;
    // The bridge object the library's "GetDeZIREV" returns; null when not loaded or missing.
    void* GetApp() override;

    bool IsLoaded() const { return m_library != nullptr; }

    CTqMFCUIProvider* Previous() const { return m_previous; }
    void SetPrevious(CTqMFCUIProvider* provider) { m_previous = provider; }

private:
    using BridgeOperation = void* (CDeZIREVApp::*)(void*);
    void* ForwardTo(BridgeOperation operation, void* argument);

    void* m_library = nullptr;
    CTqMFCUIProvider* m_previous = nullptr;
};
