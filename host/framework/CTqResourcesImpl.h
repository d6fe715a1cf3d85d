// The host's resources: for now the application name, which a module reads to tell which host
// it runs in. GetTqResources() returns Instance().
#pragma once

#include "host/CTqSystemServices.h"

class CTqResourcesImpl final : public CTqResources {
public:
    static CTqResourcesImpl& Instance();

    CTqResourcesImpl() = default;
    CTqResourcesImpl(const CTqResourcesImpl&) = delete;
    CTqResourcesImpl& operator=(const CTqResourcesImpl&) = delete;

    // "Keltora Workbench" until the application sets another.
    CTqString GetApplicationName() const override { return m_applicationName; }
    void SetApplicationName(const CTqString& name) { m_applicationName = name; }

private:
    CTqString m_applicationName = CTqString("Keltora Workbench");
};
