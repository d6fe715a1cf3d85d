// The dynamic linker and the process-wide odrxDynamicLinker().
#include "OdRxDynamicLinkerImpl.h"

#include "../os/CTqLibraryLoader.h"
#include "../os/CTqModuleSearchPath.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

OdRxDynamicLinkerImpl::OdRxDynamicLinkerImpl(CTqLibraryLoader& loader) : m_loader(loader) {}

namespace {

// "Tool.tx" for "Tool_4.01_14.tx": the name a module is unloaded by without its version suffix.
QString ShortName(const QString& fileName)
{
    const QString suffix = CTqModuleSearchPath::VersionedSuffix();
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive))
        return {};
    return fileName.left(fileName.size() - suffix.size()) + QStringLiteral(".tx");
}

}  // namespace

const OdRxDynamicLinkerImpl::LoadedModule* OdRxDynamicLinkerImpl::find(const QString& name) const
{
    for (const LoadedModule& entry : m_modules) {
        const QString fileName = QFileInfo(entry.path).fileName();
        if (entry.requestedName == name || entry.path == name || fileName == name || ShortName(fileName) == name)
            return &entry;
    }
    return nullptr;
}

OdRxModule* OdRxDynamicLinkerImpl::fail(const QString& reason, bool silent)
{
    m_lastError = reason;
    if (!silent)
        std::fprintf(stderr, "%s\n", reason.toLocal8Bit().constData());
    return nullptr;
}

bool OdRxDynamicLinkerImpl::isReactor(const OdRxDLinkerReactor* reactor) const
{
    return std::find(m_reactors.begin(), m_reactors.end(), reactor) != m_reactors.end();
}

OdRxModule* OdRxDynamicLinkerImpl::loadModule(const CTqString& fileName, bool silent)
{
    const QString& name = fileName.toQString();
    if (const LoadedModule* loaded = find(name))
        return loaded->object;

    const QString path = m_loader.Locate(name);
    if (path.isEmpty())
        return fail(QStringLiteral("Module \"%1\" not found.").arg(name), silent);
    // The same file under another name is the same module.
    if (const LoadedModule* loaded = find(path))
        return loaded->object;

    QString reason;
    void* handle = m_loader.Open(path, reason);
    if (!handle)
        return fail(QStringLiteral("Cannot load module \"%1\": %2").arg(path, reason), silent);

    auto create = reinterpret_cast<OdRxCreateModuleObjectFn>(m_loader.Symbol(handle, "odrxCreateModuleObject"));
    auto getVersion = reinterpret_cast<OdRxGetAPIVersionFn>(m_loader.Symbol(handle, "odrxGetAPIVersion"));
    if (!create || !getVersion) {
        m_loader.Close(handle);
        return fail(QStringLiteral("\"%1\" is not a module: it does not export %2.")
                        .arg(path, QLatin1String(create ? "odrxGetAPIVersion" : "odrxCreateModuleObject")),
                    silent);
    }

    LoadedModule entry;
    entry.requestedName = name;
    entry.path = path;
    entry.handle = handle;
    getVersion(&entry.version[0], &entry.version[1], &entry.version[2], &entry.version[3]);
    // The module takes the handle out of the location on its first creation.
    void* location = handle;
    entry.object = create(&location);
    if (!entry.object) {
        m_loader.Close(handle);
        return fail(QStringLiteral("Module \"%1\" made no module object.").arg(path), silent);
    }
    entry.object->addRef();
    OdRxModule* module = entry.object;
    // Listed before initApp, which may look itself up or load further modules.
    m_modules.push_back(std::move(entry));
    module->initApp();

    const std::vector<OdRxDLinkerReactor*> reactors = m_reactors;
    for (OdRxDLinkerReactor* reactor : reactors) {
        if (isReactor(reactor))
            reactor->rxAppLoaded(module);
    }
    m_lastError.clear();
    return module;
}

bool OdRxDynamicLinkerImpl::unloadModule(const CTqString& fileName)
{
    const LoadedModule* found = find(fileName.toQString());
    if (!found)
        return false;
    const LoadedModule entry = *found;

    entry.object->uninitApp();
    // A reactor may remove itself or others while it is told.
    const std::vector<OdRxDLinkerReactor*> reactors = m_reactors;
    for (OdRxDLinkerReactor* reactor : reactors) {
        if (isReactor(reactor))
            reactor->rxAppWillBeUnloaded(entry.object);
    }
    std::erase_if(m_modules, [&](const LoadedModule& loaded) { return loaded.object == entry.object; });
    entry.object->release();
    entry.object->deleteModuleObject();
    m_loader.Close(entry.handle);
    return true;
}

void OdRxDynamicLinkerImpl::unloadAll()
{
    while (!m_modules.empty())
        unloadModule(m_modules.back().path);
}

OdRxModule* OdRxDynamicLinkerImpl::module(const CTqString& fileName)
{
    const LoadedModule* loaded = find(fileName.toQString());
    return loaded ? loaded->object : nullptr;
}

QStringList OdRxDynamicLinkerImpl::loadedModules()
{
    QStringList paths;
    for (const LoadedModule& entry : m_modules)
        paths << entry.path;
    return paths;
}

void OdRxDynamicLinkerImpl::addReactor(OdRxDLinkerReactor* reactor)
{
    if (reactor && !isReactor(reactor))
        m_reactors.push_back(reactor);
}

void OdRxDynamicLinkerImpl::removeReactor(OdRxDLinkerReactor* reactor)
{
    std::erase(m_reactors, reactor);
}

bool OdRxDynamicLinkerImpl::apiVersion(const CTqString& fileName, int (&version)[4]) const
{
    const LoadedModule* loaded = find(fileName.toQString());
    if (!loaded)
        return false;
    std::copy(std::begin(loaded->version), std::end(loaded->version), version);
    return true;
}

OdRxDynamicLinker* odrxDynamicLinker()
{
    static CTqLibraryLoader loader;
    static OdRxDynamicLinkerImpl linker(loader);
    return &linker;
}
