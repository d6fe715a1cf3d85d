// The dynamic linker: loads modules by file name, drives their initApp/uninitApp and tells its
// reactors. odrxDynamicLinker() is one instance over the dlopen loader.
#pragma once

#include "host/OdRx.h"

#include <QString>
#include <vector>

class CTqLibraryLoader;

class OdRxDynamicLinkerImpl final : public OdRxDynamicLinker {
public:
    // Every library goes through loader, which must outlive the linker.
    explicit OdRxDynamicLinkerImpl(CTqLibraryLoader& loader);
    // Unloads nothing: modules still loaded at that point are the application's to unload,
    // before its own objects are gone.
    ~OdRxDynamicLinkerImpl() override = default;
    OdRxDynamicLinkerImpl(const OdRxDynamicLinkerImpl&) = delete;
    OdRxDynamicLinkerImpl& operator=(const OdRxDynamicLinkerImpl&) = delete;

    // A module is known by the name it was loaded with, its full path or its file name.
    OdRxModule* loadModule(const CTqString& fileName, bool silent = false) override;
    bool unloadModule(const CTqString& fileName) override;
    // Unloads in the reverse order of loading.
    void unloadAll() override;
    OdRxModule* module(const CTqString& fileName) override;
    // The full paths of the loaded modules, in loading order.
    QStringList loadedModules() override;
    void addReactor(OdRxDLinkerReactor* reactor) override;
    void removeReactor(OdRxDLinkerReactor* reactor) override;
    CTqString lastError() const override { return m_lastError; }

    // The version a module reported through odrxGetAPIVersion; false when it is not loaded.
    bool apiVersion(const CTqString& fileName, int (&version)[4]) const;

private:
    struct LoadedModule {
        QString requestedName;
        QString path;
        void* handle = nullptr;
        OdRxModule* object = nullptr;
        int version[4] = {};
    };

    const LoadedModule* find(const QString& name) const;
    OdRxModule* fail(const QString& reason, bool silent);
    bool isReactor(const OdRxDLinkerReactor* reactor) const;

    CTqLibraryLoader& m_loader;
    std::vector<LoadedModule> m_modules;
    std::vector<OdRxDLinkerReactor*> m_reactors;
    QString m_lastError;
};
