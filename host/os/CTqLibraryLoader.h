// Loading of shared libraries. The dynamic linker goes through this class so that tests can
// stand in libraries made of functions in the test program itself.
#pragma once

#include <QString>

class CTqLibraryLoader {
public:
    virtual ~CTqLibraryLoader() = default;

    // The full path of a module file (CTqModuleSearchPath rules); empty when there is none.
    virtual QString Locate(const QString& fileName);
    // Opens the library at path and returns its handle; null and the system's reason in error
    // when it cannot be loaded.
    virtual void* Open(const QString& path, QString& error);
    // The address of an exported symbol, or null when the library has no such export.
    virtual void* Symbol(void* handle, const char* name);
    // Unloads a library Open returned.
    virtual void Close(void* handle);
};
