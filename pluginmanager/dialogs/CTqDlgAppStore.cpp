// The plugin manager dialog.
#include "pluginmanager/dialogs/CTqDlgAppStore.h"

#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/dialogs/CTqDlgDownloader.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("CTqDlgAppStore", text);
}

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Only ordinary web and mail addresses become links.
bool IsLinkable(const QString& address)
{
    return address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

}  // namespace

QString CTqDlgAppStore::EntryText(const PluginRecord& record)
{
    QString text;
    if (record.isNew)
        text += Tr("New: ");
    text += QStringLiteral("%1 %2\n").arg(record.name, record.version);
    if (!record.versionMatches)
        text += Tr("Version Mismatch.");
    else if (record.loaded)
        text += Tr("Enabled");
    else if (!record.failedToLoad)
        text += Tr("Disabled");
    else
        text += Tr("Unable to load.");
    if (record.hasUpdate)
        text += QLatin1Char(' ') + Tr("New Version %1 available.").arg(record.update.version);
    QStringList kinds;
    if (record.HasModuleOfKind(ModuleKind::Lisp))
        kinds << QStringLiteral("LISP");
    if (record.HasModuleOfKind(ModuleKind::Tx))
        kinds << QStringLiteral("DRX");
    if (record.needsMfc)
        kinds << QStringLiteral("MFCUI");
    if (!kinds.isEmpty())
        text += QStringLiteral(" (") + kinds.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

QString CTqDlgAppStore::EntryToolTip(const PluginRecord& record)
{
    if (record.hasUpdate)
        return Tr("New Version available.");
    if (!record.versionMatches)
        return Tr("Version Mismatch");
    if (record.loaded)
        return Tr("Enabled");
    if (!record.failedToLoad)
        return Tr("Disabled");
    return Tr("Unable to load");
}

QString CTqDlgAppStore::DetailsHtml(const PluginRecord& record)
{
    auto row = [](const QString& label, const QString& value) {
        return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(Escaped(label), value);
    };
    QString html = QStringLiteral("<h3>%1</h3><table cellspacing=\"4\">").arg(Escaped(record.name));
    html += row(Tr("Author"), Escaped(record.authorName));
    const QString mail = Escaped(record.authorMail);
    html += row(Tr("Support"), mail.isEmpty() ? QString() : QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(mail));
    const QString website = Escaped(record.authorWebsite);
    html += row(Tr("Website"), website.isEmpty() || !IsLinkable(record.authorWebsite)
                                   ? website
                                   : QStringLiteral("<a href=\"%1\">%1</a>").arg(website));
    html += row(Tr("Application Version"), Escaped(record.version));
    html += row(Tr("Description"), Escaped(record.description));
    if (record.hasUpdate)
        html += row(Tr("Update"), Escaped(record.update.title.isEmpty() ? record.update.version : record.update.title));
    html += QStringLiteral("</table>");
    return html;
}

CTqDlgAppStore::CTqDlgAppStore(CTqAppStorePlugin& manager, QWidget* parent) : QDialog(parent), m_manager(manager)
{
    setWindowTitle(Tr("Plugin Manager"));
    resize(760, 460);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("plugins"));
    m_list->setSpacing(2);
    m_list->setAlternatingRowColors(true);
    m_list->setMinimumWidth(300);

    auto* detailsPage = new QWidget(this);
    m_logo = new QLabel(detailsPage);
    m_logo->setFixedSize(64, 64);
    m_logo->setScaledContents(true);
    m_details = new QLabel(detailsPage);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setTextFormat(Qt::RichText);
    m_details->setWordWrap(true);
    m_details->setOpenExternalLinks(true);
    m_details->setTextInteractionFlags(Qt::TextBrowserInteraction);
    m_details->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* detailsLayout = new QHBoxLayout(detailsPage);
    detailsLayout->addWidget(m_logo, 0, Qt::AlignTop);
    detailsLayout->addWidget(m_details, 1);

    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("log"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(detailsPage, Tr("Details"));
    m_tabs->addTab(m_log, Tr("Log"));

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_list);
    splitter->addWidget(m_tabs);
    splitter->setStretchFactor(1, 1);

    m_enable = new QPushButton(Tr("&Enable"), this);
    m_disable = new QPushButton(Tr("&Disable"), this);
    m_update = new QPushButton(Tr("&Update"), this);
    auto* about = new QPushButton(Tr("&About"), this);
    auto* close = new QPushButton(Tr("&Close"), this);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_enable);
    buttons->addWidget(m_disable);
    buttons->addWidget(m_update);
    buttons->addStretch(1);
    buttons->addWidget(about);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &CTqDlgAppStore::onSelectionChanged);
    connect(m_enable, &QPushButton::clicked, this, &CTqDlgAppStore::onEnableClicked);
    connect(m_disable, &QPushButton::clicked, this, &CTqDlgAppStore::onDisableClicked);
    connect(m_update, &QPushButton::clicked, this, &CTqDlgAppStore::onUpdateClicked);
    connect(about, &QPushButton::clicked, this, &CTqDlgAppStore::onAboutClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_manager, &CTqAppStorePlugin::signalPluginsChanged, this, &CTqDlgAppStore::onPluginsChanged);

    Populate();
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    ShowSelected();
}

void CTqDlgAppStore::Populate()
{
    const int row = m_list->currentRow();
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const PluginRecord& record : m_manager.Records()) {
        auto* item = new QListWidgetItem(EntryText(record), m_list);
        item->setToolTip(EntryToolTip(record));
        item->setData(Qt::UserRole, record.index);
        if (!record.versionMatches || record.failedToLoad)
            item->setForeground(QColor(0xa0, 0x20, 0x20));
        else if (!record.loaded)
            item->setForeground(QColor(0x60, 0x60, 0x60));  // readable, yet clearly not active
    }
    if (row >= 0 && row < m_list->count())
        m_list->setCurrentRow(row);
}

PluginRecord* CTqDlgAppStore::SelectedRecord() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? m_manager.RecordByIndex(item->data(Qt::UserRole).toInt()) : nullptr;
}

void CTqDlgAppStore::ShowSelected()
{
    const PluginRecord* record = SelectedRecord();
    m_details->setText(record ? DetailsHtml(*record) : Tr("No plugin is selected."));
    m_log->setPlainText(record ? m_manager.LogTextFor(record->index) : QString());
    QPixmap logo;
    if (record && !record->logo.isEmpty()) {
        const QFileInfo file(m_manager.PluginsFolder() + QLatin1Char('/') + record->folderName + record->logo);
        // A logo is a small picture; anything large is not read.
        if (file.isFile() && file.size() < 2 * 1024 * 1024)
            logo.load(file.absoluteFilePath());
    }
    m_logo->setPixmap(logo);
    m_logo->setVisible(!logo.isNull());

    m_enable->setEnabled(record && record->Loadable() && !record->loaded);
    m_disable->setEnabled(record && (record->loaded || record->loadOnStartup));
    m_update->setEnabled(record && record->hasUpdate && !record->update.downloadUrl.isEmpty());
}

void CTqDlgAppStore::onSelectionChanged()
{
    ShowSelected();
}

void CTqDlgAppStore::onPluginsChanged()
{
    Populate();
    ShowSelected();
}

void CTqDlgAppStore::onEnableClicked()
{
    if (PluginRecord* record = SelectedRecord())
        m_manager.EnablePlugin(*record);
    onPluginsChanged();
}

void CTqDlgAppStore::onDisableClicked()
{
    PluginRecord* record = SelectedRecord();
    if (!record)
        return;
    QString notice;
    m_manager.DisablePlugin(*record, &notice);
    onPluginsChanged();
    if (notice.isEmpty())
        return;
    if (showNotice)
        showNotice(notice);
    else
        QMessageBox::information(this, Tr("Plugin Manager"), notice);
}

void CTqDlgAppStore::onUpdateClicked()
{
    PluginRecord* record = SelectedRecord();
    if (!record || !record->hasUpdate)
        return;
    if (openDownloader) {
        openDownloader(*record);
        return;
    }
    CTqDlgDownloader downloader(m_manager, *record, this);
    downloader.exec();
    onPluginsChanged();
}

void CTqDlgAppStore::onAboutClicked()
{
    QMessageBox::about(this, Tr("About Plugin Manager"),
                       Tr("<b>Plugin Manager</b><p>Loads the plugins found in the Plugins folder, keeps their start-up "
                          "settings, shows what happened in each plugin's log and finds newer versions on their "
                          "update feeds.</p>"));
}
