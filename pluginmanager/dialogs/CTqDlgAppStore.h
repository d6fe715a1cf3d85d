// The plugin manager dialog: the plugins with their state, the details and log of the selected
// one, and the buttons that enable, disable and update plugins.
#pragma once

#include "pluginmanager/plugin_record.h"

#include <QDialog>

#include <functional>

class CTqAppStorePlugin;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

class CTqDlgAppStore : public QDialog {
    Q_OBJECT

public:
    CTqDlgAppStore(CTqAppStorePlugin& manager, QWidget* parent = nullptr);

    // The list entry of a plugin and its tool tip.
    static QString EntryText(const PluginRecord& record);
    static QString EntryToolTip(const PluginRecord& record);
    // The details pane as HTML; every text from the description is escaped.
    static QString DetailsHtml(const PluginRecord& record);

    QListWidget* PluginList() const { return m_list; }
    QLabel* Details() const { return m_details; }
    QPlainTextEdit* LogView() const { return m_log; }
    QTabWidget* Tabs() const { return m_tabs; }
    QPushButton* EnableButton() const { return m_enable; }
    QPushButton* DisableButton() const { return m_disable; }
    QPushButton* UpdateButton() const { return m_update; }
    // The plugin of the selected entry; null when none is selected.
    PluginRecord* SelectedRecord() const;

    // Shows an information text; the default is a message box. Tests replace it.
    std::function<void(const QString& text)> showNotice;
    // Runs the download dialog for the plugin's update; the default shows CTqDlgDownloader.
    std::function<void(PluginRecord& record)> openDownloader;

public slots:
    void onEnableClicked();
    void onDisableClicked();
    void onUpdateClicked();
    void onAboutClicked();

private slots:
    void onSelectionChanged();
    void onPluginsChanged();

private:
    void Populate();
    void ShowSelected();

    CTqAppStorePlugin& m_manager;
    QListWidget* m_list = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_details = nullptr;
    QPlainTextEdit* m_log = nullptr;
    QPushButton* m_enable = nullptr;
    QPushButton* m_disable = nullptr;
    QPushButton* m_update = nullptr;
};
