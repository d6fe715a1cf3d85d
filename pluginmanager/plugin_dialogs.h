// The plugin manager's way to its dialogs. The dialogs are widgets and live in a library of
// their own beside the module ("<module>_dialogs.so"), loaded on first use, so that the module
// itself needs no widget or GUI library and a console run never loads one.
#pragma once

#include <QString>

class CTqAppStorePlugin;
class QWidget;

// What the dialogs library offers; its one entry, tqPluginDialogs, returns it.
struct PluginDialogTable {
    // A Yes/No question in an information box, Yes being the default; true for Yes.
    bool (*askYesNo)(QWidget* parent, const QString& title, const QString& text);
    // The manager dialog, modal, until the user closes it.
    void (*showManager)(CTqAppStorePlugin& manager, QWidget* parent);
};

extern "C" const PluginDialogTable* tqPluginDialogs();

namespace plugin_dialogs {

// True when a modal dialog can reach a user: the application shows widgets, and the host has a
// window or Qt runs on a platform other than offscreen.
bool CanShow(QWidget* window);

// The dialogs library's file: the module's file name with "_dialogs.so" for its suffix, in the
// module's folder.
QString LibraryPath();

// The dialogs, loading the library on first use; null with the reason in `error` when it cannot
// be loaded.
const PluginDialogTable* Dialogs(QString& error);

// Uses these dialogs from now on instead of loading the library (programs that link them).
void Use(const PluginDialogTable* table);

// Unloads the library the module loaded; the module calls it before it is unloaded itself.
void Release();

}  // namespace plugin_dialogs
