// The process-wide host resources.
#include "CTqResourcesImpl.h"

CTqResourcesImpl& CTqResourcesImpl::Instance()
{
    static CTqResourcesImpl resources;
    return resources;
}

CTqResources* GetTqResources()
{
    return &CTqResourcesImpl::Instance();
}
