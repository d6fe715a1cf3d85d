// Shared-library loading with dlopen.
#include "CTqLibraryLoader.h"

#include "CTqModuleSearchPath.h"

#include <dlfcn.h>

QString CTqLibraryLoader::Locate(const QString& fileName)
{
    return CTqModuleSearchPath::Resolve(fileName);
}

void* CTqLibraryLoader::Open(const QString& path, QString& error)
{
    // Symbols stay local: two modules may define classes of the same name.
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = reason ? QString::fromLocal8Bit(reason) : QStringLiteral("unknown reason");
    }
    return handle;
}

void* CTqLibraryLoader::Symbol(void* handle, const char* name)
{
    return dlsym(handle, name);
}

void CTqLibraryLoader::Close(void* handle)
{
#ifdef KELTORA_SANITIZE
    // The sanitizers symbolise leak reports at exit; an unloaded library leaves its frames
    // unnamed, so sanitizer builds keep every library mapped.
    (void)handle;
#else
    dlclose(handle);
#endif
}
