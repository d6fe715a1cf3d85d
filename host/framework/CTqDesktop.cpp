// The registered desktop and the loading of the desktop library.
#include "CTqDesktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>

#include <dlfcn.h>

namespace {

CTqDesktop* g_desktop = nullptr;

// Any address inside libtqhost.so names its file.
const char kAnchor = 0;

constexpr char kLibraryName[] = "libtqdesktop.so";
constexpr char kStartEntry[] = "tqDesktopStartApplication";

}  // namespace

CTqDesktop* CTqDesktop::Current()
{
    if (!g_desktop)
        return nullptr;
    // The class name is enough: asking needs only Qt Core.
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->inherits("QApplication") ? g_desktop : nullptr;
}

void CTqDesktop::Register(CTqDesktop* desktop)
{
    g_desktop = desktop;
}

void CTqDesktop::Unregister(CTqDesktop* desktop)
{
    if (g_desktop == desktop)
        g_desktop = nullptr;
}

QString CTqDesktop::LibraryPath()
{
    Dl_info info{};
    if (dladdr(&kAnchor, &info) == 0 || !info.dli_fname)
        return QString::fromLatin1(kLibraryName);
    return QFileInfo(QFile::decodeName(info.dli_fname)).absoluteDir().filePath(QString::fromLatin1(kLibraryName));
}

std::unique_ptr<QCoreApplication> CTqDesktop::StartApplication(int& argc, char** argv, QString& error)
{
    const QString path = LibraryPath();
    // The library stays loaded for the rest of the process: the application object is its own.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = QStringLiteral("cannot load the desktop library: %1")
                    .arg(reason ? QString::fromLocal8Bit(reason) : path);
        return nullptr;
    }
    using StartEntry = QCoreApplication* (*)(int*, char**);
    auto start = reinterpret_cast<StartEntry>(dlsym(handle, kStartEntry));
    if (!start) {
        error = QStringLiteral("the desktop library %1 has no entry %2").arg(path, QLatin1String(kStartEntry));
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<QCoreApplication>(start(&argc, argv));
}

bool CTqDesktop::OnRealDisplay()
{
    if (!Current())
        return false;
    const QString platform = QCoreApplication::instance()->property("platformName").toString();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
