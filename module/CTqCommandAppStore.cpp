// The plugin manager command.
#include "module/CTqCommandAppStore.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/CTqDlgAppStore.h"

short CTqCommandAppStore::execute(OdEdCommandContext* context)
{
    CTqUserIO* userIO = context ? context->userIO() : nullptr;
    if (!userIO)
        return tq::kError;
    CTqSystemServices* services = GetTqSystemServices();
    QWidget* window = services ? services->MainWindow() : nullptr;
    CTqAppStorePlugin& manager = CTqAppStorePlugin::Instance();
    if (!CTqDlgAppStore::CanShowDialogs(window)) {
        // Without a display nobody could close a modal dialog: the user gets the plugin report.
        userIO->Print(manager.PluginReport());
        return tq::kNormal;
    }
    CTqDlgAppStore dialog(manager, window);
    dialog.setModal(true);
    dialog.exec();
    return tq::kNormal;
}
