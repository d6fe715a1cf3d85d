// The update download dialog.
#include "pluginmanager/dialogs/CTqDlgDownloader.h"

#include "host/CTqSystemServices.h"
#include "pluginmanager/CTqAppCast.h"
#include "pluginmanager/CTqAppStorePlugin.h"
#include "pluginmanager/update_signature.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("CTqDlgDownloader", text);
}

QNetworkAccessManager* Network()
{
    CTqSystemServices* services = GetTqSystemServices();
    return services ? services->NetworkAccess() : nullptr;
}

// A file name made only of safe characters, taken from the last part of the address.
QString SafeFileName(const QUrl& url)
{
    QString name = QFileInfo(url.path()).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.left(120);
    return name.isEmpty() ? QStringLiteral("update.bin") : name;
}

}  // namespace

CTqDlgDownloader::CTqDlgDownloader(CTqAppStorePlugin& manager, PluginRecord& record, QWidget* parent)
    : QDialog(parent), m_manager(manager), m_record(record)
{
    setWindowTitle(Tr("Update"));
    resize(560, 420);

    auto* heading = new QLabel(this);
    heading->setTextFormat(Qt::PlainText);
    heading->setText(Tr("%1 %2 is available (you have %3).")
                         .arg(record.name, record.update.version.left(64), record.version));
    m_notes = new QTextBrowser(this);
    m_notes->setObjectName(QStringLiteral("releaseNotes"));
    m_notes->setOpenLinks(false);
    m_notes->setPlainText(Tr("Loading release notes..."));
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 0);
    m_install = new QPushButton(Tr("Install"), this);
    m_install->setEnabled(false);
    m_cancel = new QPushButton(Tr("Cancel"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_install);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_notes, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_install, &QPushButton::clicked, this, &CTqDlgDownloader::onInstallClicked);
    connect(m_cancel, &QPushButton::clicked, this, &CTqDlgDownloader::onCancelClicked);
    m_stallTimer.setSingleShot(true);
    connect(&m_stallTimer, &QTimer::timeout, this, &CTqDlgDownloader::onStallTimeout);

    QNetworkAccessManager* network = Network();
    const QUrl notes(record.update.releaseNotesUrl);
    if (network && CTqAppCast::IsWebAddress(notes)) {
        m_notesReply = network->get(CTqAppCast::MakeRequest(notes));
        connect(m_notesReply, &QNetworkReply::finished, this, &CTqDlgDownloader::onNotesFinished);
    } else {
        m_notes->setPlainText(Tr("No release notes are available."));
    }

    const QUrl download(record.update.downloadUrl);
    m_folder = std::make_unique<QTemporaryDir>();
    if (!network || !CTqAppCast::IsWebAddress(download)) {
        Fail(Tr("The update has no valid download address."));
        return;
    }
    if (!m_folder->isValid()) {
        Fail(Tr("No temporary folder is available for the download."));
        return;
    }
    m_filePath = m_folder->filePath(SafeFileName(download));
    m_file = std::make_unique<QFile>(m_filePath);
    if (!m_file->open(QIODevice::WriteOnly)) {
        Fail(Tr("The download cannot be written to %1.").arg(m_filePath));
        return;
    }
    m_status->setText(Tr("Downloading %1...").arg(SafeFileName(download)));
    m_download = network->get(CTqAppCast::MakeRequest(download));
    connect(m_download, &QNetworkReply::readyRead, this, &CTqDlgDownloader::onDownloadReadyRead);
    connect(m_download, &QNetworkReply::downloadProgress, this, &CTqDlgDownloader::onDownloadProgress);
    connect(m_download, &QNetworkReply::finished, this, &CTqDlgDownloader::onDownloadFinished);
    m_stallTimer.start(int(m_manager.FeedTimeout() * 1000));
}

CTqDlgDownloader::~CTqDlgDownloader()
{
    if (m_notesReply) {
        m_notesReply->disconnect(this);
        m_notesReply->abort();
        m_notesReply->deleteLater();
    }
    AbortDownload();
}

QString CTqDlgDownloader::StatusText() const
{
    return m_status->text();
}

void CTqDlgDownloader::AbortDownload()
{
    m_stallTimer.stop();
    if (QNetworkReply* reply = m_download) {
        m_download = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void CTqDlgDownloader::onNotesFinished()
{
    QNetworkReply* reply = m_notesReply;
    if (!reply)
        return;
    m_notesReply = nullptr;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        m_notes->setPlainText(Tr("The release notes could not be loaded."));
        return;
    }
    const QByteArray body = reply->read(kMaxNotesBytes);
    // Rich text is shown as such; links are not followed and no resources are fetched.
    m_notes->setHtml(QString::fromUtf8(body));
}

void CTqDlgDownloader::onDownloadReadyRead()
{
    if (!m_download || !m_file)
        return;
    const QByteArray chunk = m_download->readAll();
    m_received += chunk.size();
    const qint64 announced = m_record.update.length;
    if (m_received > kMaxDownloadBytes || (announced > 0 && m_received > announced)) {
        Fail(Tr("The download is larger than announced and was stopped."));
        return;
    }
    if (m_file->write(chunk) != chunk.size())
        Fail(Tr("The download cannot be written to %1.").arg(m_filePath));
}

void CTqDlgDownloader::onDownloadProgress(qint64 received, qint64 total)
{
    if (m_state != State::Downloading)
        return;
    m_stallTimer.start(int(m_manager.FeedTimeout() * 1000));
    if (total > 0 && total <= kMaxDownloadBytes) {
        m_progress->setRange(0, 1000);
        m_progress->setValue(int(received * 1000 / total));
    }
}

void CTqDlgDownloader::onDownloadFinished()
{
    QNetworkReply* reply = m_download;
    if (!reply || m_state != State::Downloading)
        return;
    onDownloadReadyRead();
    if (m_state != State::Downloading)
        return;
    m_stallTimer.stop();
    m_download = nullptr;
    reply->deleteLater();
    const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || httpStatus < 200 || httpStatus >= 300) {
        Fail(Tr("The download failed: %1").arg(reply->errorString().left(200)));
        return;
    }
    m_file->close();
    m_state = State::Ready;
    m_progress->setRange(0, 1000);
    m_progress->setValue(1000);
    m_status->setText(Tr("Download complete. Press Install to install %1 %2.").arg(m_record.name, m_record.update.version.left(64)));
    m_install->setEnabled(true);
    emit signalDownloadFinished(true);
}

void CTqDlgDownloader::onStallTimeout()
{
    Fail(Tr("The download stalled and was cancelled."));
}

void CTqDlgDownloader::Fail(const QString& reason)
{
    AbortDownload();
    if (m_file)
        m_file->remove();
    m_state = State::Failed;
    m_status->setText(reason);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_install->setEnabled(false);
    emit signalDownloadFinished(false);
}

void CTqDlgDownloader::Refuse(const QString& message, const QString& logLine)
{
    m_state = State::Refused;
    m_install->setEnabled(false);
    m_status->setText(message);
    m_manager.LogLine(logLine, LogSeverity::Error, m_record.index);
    if (showError)
        showError(message);
    else
        QMessageBox::critical(this, Tr("Update"), message);
}

void CTqDlgDownloader::onInstallClicked()
{
    if (m_state != State::Ready)
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(Tr("The download cannot be read from %1.").arg(m_filePath));
        return;
    }
    // The file is mapped, not copied: updates may be large.
    const qint64 size = file.size();
    uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    const QByteArray data = mapped ? QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), int(size)) : file.readAll();
    QString key = m_record.settings.value(QLatin1String(CTqAppStorePlugin::kPluginPublicKeyProperty));
    if (key.isEmpty())
        key = m_manager.HostSetting(CTqAppStorePlugin::kUpdatePublicKeyKey);
    const SignatureCheck check = CheckUpdateSignature(data, m_record.update.edSignature, key);
    file.close();

    const QString release = QStringLiteral("%1 %2").arg(m_record.name, m_record.update.version.left(64));
    switch (check) {
    case SignatureCheck::Valid:
        break;
    case SignatureCheck::Invalid:
        Refuse(Tr("The download of %1 does not match its signature. It may be damaged or altered and will not be "
                  "installed.")
                   .arg(release),
               Tr("Update %1 refused: its signature does not verify.").arg(release));
        return;
    case SignatureCheck::NoKey:
        Refuse(Tr("The download of %1 is signed, but neither the plugin nor the host names a key to check it with. It "
                  "will not be installed.")
                   .arg(release),
               Tr("Update %1 refused: no public key to check its signature.").arg(release));
        return;
    case SignatureCheck::Unsigned: {
        const QString question = Tr("The download of %1 carries no signature, so nobody can tell whether it comes from "
                                    "the plugin's author or was altered on the way.\n\nInstall it anyway?")
                                     .arg(release);
        const bool confirmed = confirmUnsigned
            ? confirmUnsigned(question)
            : QMessageBox::warning(this, Tr("Update"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                == QMessageBox::Yes;
        if (!confirmed) {
            m_status->setText(Tr("The unsigned download was not installed."));
            return;
        }
        m_manager.LogLine(Tr("Update %1 installed without a signature.").arg(release), LogSeverity::Warning,
                          m_record.index);
        break;
    }
    }

    const bool handed = handToSystem ? handToSystem(m_filePath) : QDesktopServices::openUrl(QUrl::fromLocalFile(m_filePath));
    if (!handed) {
        m_status->setText(Tr("The system could not open %1.").arg(m_filePath));
        return;
    }
    // The system's installer still needs the file.
    m_folder->setAutoRemove(false);
    m_state = State::Installed;
    m_install->setEnabled(false);
    m_status->setText(Tr("%1 was handed to the system for installation.").arg(QFileInfo(m_filePath).fileName()));
    accept();
}

void CTqDlgDownloader::onCancelClicked()
{
    AbortDownload();
    reject();
}
