// What the desktop library does when it is loaded: it registers its desktop, whether the
// workbench loads it on demand or a program links it; and it offers the entry that makes the
// widget application.
#include "CTqWidgetDesktop.h"

#include <QApplication>

namespace {

struct Registration {
    CTqWidgetDesktop desktop;
    Registration() { CTqDesktop::Register(&desktop); }
    ~Registration() { CTqDesktop::Unregister(&desktop); }
};

Registration g_registration;

}  // namespace

extern "C" __attribute__((visibility("default"))) QCoreApplication* tqDesktopStartApplication(int* argc, char** argv)
{
    return new QApplication(*argc, argv);
}
