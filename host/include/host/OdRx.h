// Run-time modules: the object base, the module base and the dynamic linker that loads modules
// by file name and drives their initApp/uninitApp.
#pragma once

#include "host/CTqString.h"

#include <cstddef>

class OdRxObject {
public:
    virtual ~OdRxObject() = default;
    virtual void addRef() = 0;
    virtual void release() = 0;
};

// Base of every run-time module. A module's odrxCreateModuleObject hands the linker one of these.
class OdRxModule : public OdRxObject {
public:
    virtual void* sysData() = 0;
    virtual void deleteModuleObject() = 0;
    virtual void initApp() = 0;
    virtual void uninitApp() = 0;
    virtual CTqString moduleName() const = 0;
};

class OdRxDLinkerReactor {
public:
    virtual ~OdRxDLinkerReactor() = default;
    virtual void rxAppLoaded(OdRxModule* module) { (void)module; }
    virtual void rxAppWillBeUnloaded(OdRxModule* module) { (void)module; }
};

class OdRxDynamicLinker {
public:
    virtual ~OdRxDynamicLinker() = default;
    // Loads the module file (a path, or a name found beside the executable or on the module
    // search path), creates its module object and calls initApp. Loading a module that is
    // already loaded returns it again. Null on failure; unless silent, the reason is printed.
    virtual OdRxModule* loadModule(const CTqString& fileName, bool silent = false) = 0;
    // Calls uninitApp, tells the reactors, deletes the module object and unloads the library.
    virtual bool unloadModule(const CTqString& fileName) = 0;
    virtual void unloadAll() = 0;
    virtual OdRxModule* module(const CTqString& fileName) = 0;
    virtual QStringList loadedModules() = 0;
    virtual void addReactor(OdRxDLinkerReactor* reactor) = 0;
    virtual void removeReactor(OdRxDLinkerReactor* reactor) = 0;
    // The reason of the last failed loadModule.
    virtual CTqString lastError() const = 0;
};

OdRxDynamicLinker* odrxDynamicLinker();

// The SDK's allocator, for module objects.
void* odrxAlloc(std::size_t size);
void odrxFree(void* memory);

// Signatures of a module's two exports.
extern "C" {
typedef OdRxModule* (*OdRxCreateModuleObjectFn)(void** moduleHandle);
typedef void (*OdRxGetAPIVersionFn)(int* major, int* minor, int* majorBuild, int* minorBuild);
}

// Makes a concrete module object from a module class: reference counting that never frees and
// the module handle kept for sysData. Base is the class that derives from OdRxModule.
template <class T, class Base>
class OdRxWin32Module : public T {
public:
    explicit OdRxWin32Module(void* handle) : m_handle(handle) {}
    void addRef() override { ++m_refs; }
    void release() override { --m_refs; }
    void* sysData() override { return m_handle; }
    unsigned referenceCount() const { return m_refs; }

private:
    void* m_handle;
    unsigned m_refs = 0;
};
