// Finding and loading the plugin manager's dialogs.
#include "pluginmanager/plugin_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>

#include <dlfcn.h>

namespace {

constexpr char kEntry[] = "tqPluginDialogs";

const PluginDialogTable* g_table = nullptr;
void* g_library = nullptr;

// Any address inside the module names its file.
const char kAnchor = 0;

}  // namespace

namespace plugin_dialogs {

bool CanShow(QWidget* window)
{
    // Asked by class and property names, which needs nothing beyond Qt Core.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || !app->inherits("QApplication"))
        return false;
    return window != nullptr || app->property("platformName").toString() != QLatin1String("offscreen");
}

QString LibraryPath()
{
    Dl_info info{};
    if (dladdr(&kAnchor, &info) == 0 || !info.dli_fname)
        return QString();
    const QFileInfo module(QFile::decodeName(info.dli_fname));
    return module.absoluteDir().filePath(module.completeBaseName() + QStringLiteral("_dialogs.so"));
}

const PluginDialogTable* Dialogs(QString& error)
{
    if (g_table)
        return g_table;
    const QString path = LibraryPath();
    // The library names the module as a dependency, so the module already loaded serves it.
    void* library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        error = QStringLiteral("The plugin manager's dialogs library could not be loaded: %1")
                    .arg(reason ? QString::fromLocal8Bit(reason) : path);
        return nullptr;
    }
    using Entry = const PluginDialogTable* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(library, kEntry));
    if (!entry) {
        error = QStringLiteral("The plugin manager's dialogs library %1 has no entry %2.")
                    .arg(path, QLatin1String(kEntry));
        dlclose(library);
        return nullptr;
    }
    g_library = library;
    g_table = entry();
    return g_table;
}

void Use(const PluginDialogTable* table)
{
    g_table = table;
}

void Release()
{
    if (!g_library)
        return;
    g_table = nullptr;
#ifndef KELTORA_SANITIZE
    // Sanitizer builds keep libraries mapped so that leak reports can name their frames.
    dlclose(g_library);
#endif
    g_library = nullptr;
}

}  // namespace plugin_dialogs
