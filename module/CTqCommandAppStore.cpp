// The plugin manager command.
#include "module/CTqCommandAppStore.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/plugin_dialogs.h"

short CTqCommandAppStore::execute(OdEdCommandContext* context)
{
    CTqUserIO* userIO = context ? context->userIO() : nullptr;
    if (!userIO)
        return tq::kError;
    CTqSystemServices* services = GetTqSystemServices();
    QWidget* window = services ? services->MainWindow() : nullptr;
    CTqAppStorePlugin& manager = CTqAppStorePlugin::Instance();
    if (!plugin_dialogs::CanShow(window)) {
        // Without a display nobody could close a modal dialog: the user gets the plugin report.
        userIO->Print(manager.PluginReport());
        return tq::kNormal;
    }
    QString error;
    const PluginDialogTable* dialogs = plugin_dialogs::Dialogs(error);
    if (!dialogs) {
        // The report stands in for the dialog, with the reason there is none.
        userIO->Print(manager.PluginReport());
        userIO->Print(CTqString(error + QLatin1Char('\n')));
        return tq::kNormal;
    }
    dialogs->showManager(manager, window);
    return tq::kNormal;
}
