// The module's two exported entry points, the only symbols the library makes visible.
#include "module/CTqAppStoreModule.h"

extern "C" __attribute__((visibility("default"))) OdRxModule* odrxCreateModuleObject(void** handleLocation)
{
    return CTqAppStoreModule::CreateInstance(handleLocation);
}

extern "C" __attribute__((visibility("default"))) void odrxGetAPIVersion(int* major, int* minor, int* majorBuild,
                                                                           int* minorBuild)
{
    *major = 4;
    *minor = 1;
    *majorBuild = 1;
    *minorBuild = 84274;
}
