// The update download dialog: release notes, a progress bar, and "Install" that hands the
// verified download to the system.
//
// Before "Install" hands the file over it is checked: a release announced with an Ed25519
// signature must verify against the key the plugin names (its "SUPublicEDKey" setting) or,
// failing that, the key of the host setting "UpdatePublicKey"; otherwise it is refused with a
// message and a log entry. A release without a signature is handed over only after the user
// confirms that it cannot be verified.
#pragma once

#include "pluginmanager/plugin_record.h"

#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

class CTqAppStorePlugin;
class QFile;
class QLabel;
class QNetworkReply;
class QProgressBar;
class QPushButton;
class QTextBrowser;

class CTqDlgDownloader : public QDialog {
    Q_OBJECT

public:
    static constexpr qint64 kMaxDownloadBytes = 512LL * 1024 * 1024;
    static constexpr qint64 kMaxNotesBytes = 256 * 1024;

    enum class State { Downloading, Ready, Failed, Installed, Refused };

    // Starts fetching the release notes and the download at once.
    CTqDlgDownloader(CTqAppStorePlugin& manager, PluginRecord& record, QWidget* parent = nullptr);
    ~CTqDlgDownloader() override;

    State CurrentState() const { return m_state; }
    QString DownloadedFile() const { return m_filePath; }
    QString StatusText() const;
    QTextBrowser* Notes() const { return m_notes; }
    QProgressBar* Progress() const { return m_progress; }
    QPushButton* InstallButton() const { return m_install; }

    // Asks the user to install a download that cannot be verified; the default is a warning box.
    std::function<bool(const QString& question)> confirmUnsigned;
    // Tells the user why an update is refused; the default is a critical box.
    std::function<void(const QString& message)> showError;
    // Hands the file to the system; the default opens it with the desktop's handler.
    std::function<bool(const QString& path)> handToSystem;

signals:
    void signalDownloadFinished(bool ok);

public slots:
    void onInstallClicked();
    void onCancelClicked();

private slots:
    void onNotesFinished();
    void onDownloadReadyRead();
    void onDownloadProgress(qint64 received, qint64 total);
    void onDownloadFinished();
    void onStallTimeout();

private:
    void Fail(const QString& reason);
    void Refuse(const QString& message, const QString& logLine);
    void AbortDownload();

    CTqAppStorePlugin& m_manager;
    PluginRecord& m_record;
    QTextBrowser* m_notes = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_install = nullptr;
    QPushButton* m_cancel = nullptr;
    QPointer<QNetworkReply> m_notesReply;
    QPointer<QNetworkReply> m_download;
    QTimer m_stallTimer;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QFile> m_file;
    QString m_filePath;
    qint64 m_received = 0;
    State m_state = State::Downloading;
};
