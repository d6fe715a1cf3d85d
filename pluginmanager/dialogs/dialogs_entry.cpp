// The dialogs library's entry: the table of dialogs the plugin manager asks for.
#include "pluginmanager/dialogs/CTqDlgAppStore.h"
#include "pluginmanager/plugin_dialogs.h"

#include <QMessageBox>

namespace {

bool AskYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::information(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void ShowManager(CTqAppStorePlugin& manager, QWidget* parent)
{
    CTqDlgAppStore dialog(manager, parent);
    dialog.setModal(true);
    dialog.exec();
}

constexpr PluginDialogTable kTable{AskYesNo, ShowManager};

}  // namespace

extern "C" __attribute__((visibility("default"))) const PluginDialogTable* tqPluginDialogs()
{
    return &kTable;
}
