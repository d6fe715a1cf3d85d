// The process-wide system services.
#include "CTqSystemServicesImpl.h"

CTqSystemServicesImpl& CTqSystemServicesImpl::Instance()
{
    static CTqSystemServicesImpl services;
    return services;
}

CTqSystemServices* GetTqSystemServices()
{
    return &CTqSystemServicesImpl::Instance();
}
