// The host's empty access class that the module object derives from; it carries no members.
#pragma once

class CTqSystemServicesImplPrivateAccess {
protected:
    CTqSystemServicesImplPrivateAccess() = default;
    ~CTqSystemServicesImplPrivateAccess() = default;
};
