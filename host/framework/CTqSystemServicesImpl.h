// The host's system services: the heads of the provider chains, the current document and the
// LISP services. GetTqSystemServices() returns Instance(); the host application fills it in.
#pragma once

#include "host/CTqSystemServices.h"

class CTqSystemServicesImpl final : public CTqSystemServices {
public:
    static CTqSystemServicesImpl& Instance();

    CTqSystemServicesImpl() = default;
    CTqSystemServicesImpl(const CTqSystemServicesImpl&) = delete;
    CTqSystemServicesImpl& operator=(const CTqSystemServicesImpl&) = delete;

    CTqLispProvider* LispProvider() const override { return m_lispProvider; }
    void SetLispProvider(CTqLispProvider* provider) override { m_lispProvider = provider; }
    CTqMFCUIProvider* MFCUIProvider() const override { return m_uiProvider; }
    void SetMFCUIProvider(CTqMFCUIProvider* provider) override { m_uiProvider = provider; }

    CTqDocument* CurrentDocument() override { return m_document; }
    CTqLispServices* LispServices() override { return m_lispServices; }
    // Neither object is owned; the application clears them before it destroys them.
    void SetCurrentDocument(CTqDocument* document) { m_document = document; }
    void SetLispServices(CTqLispServices* services) { m_lispServices = services; }

private:
    CTqLispProvider* m_lispProvider = nullptr;
    CTqMFCUIProvider* m_uiProvider = nullptr;
    CTqDocument* m_document = nullptr;
    CTqLispServices* m_lispServices = nullptr;
};
