// The workbench's command-line options for the plugin host: application folder, core version,
// settings folder, language folder, a window, and producing protected plugin descriptions.
#pragma once

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;
struct WorkbenchOptions;

class PluginOptions {
public:
    PluginOptions();
    void AddTo(QCommandLineParser& parser) const;
    // Copies the parsed values into options; false with the reason for a malformed value.
    bool Read(const QCommandLineParser& parser, WorkbenchOptions& options, QString& error) const;
    // The file to seal and the file to write when --protect-plugin was given; empty otherwise.
    bool ProtectRequested(const QCommandLineParser& parser, QString& input, QString& output) const;
    bool WindowRequested(const QCommandLineParser& parser) const;

    // Seals a plugin description into its protected form; false with the reason.
    static bool ProtectPluginFile(const QString& input, const QString& output, QString& error);

private:
    QCommandLineOption m_appFolder;
    QCommandLineOption m_coreVersion;
    QCommandLineOption m_settingsFolder;
    QCommandLineOption m_language;
    QCommandLineOption m_window;
    QCommandLineOption m_protect;
};
