// The workbench's plugin host options.
#include "plugin_options.h"

#include "host/os/CTqProtectedPluginCodec.h"
#include "session.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

PluginOptions::PluginOptions()
    : m_appFolder(QStringLiteral("app-folder"),
                  QStringLiteral("The host application's folder; plugins are found in its sibling \"Plugins\" "
                                 "(default: the program's own folder)."),
                  QStringLiteral("DIR")),
      m_coreVersion(QStringLiteral("core-version"),
                    QStringLiteral("The core version reported to plugins, MAJOR.MINOR (default 18.0)."),
                    QStringLiteral("VERSION")),
      m_settingsFolder(QStringLiteral("settings-folder"),
                       QStringLiteral("The folder of the host's settings file (default: the user's configuration "
                                      "folder)."),
                       QStringLiteral("DIR")),
      m_language(QStringLiteral("language"),
                 QStringLiteral("The user-interface language folder (default \"english\")."), QStringLiteral("NAME")),
      m_window(QStringLiteral("window"), QStringLiteral("Run with a main window, its menus, toolbars and command line.")),
      m_protect(QStringLiteral("protect-plugin"),
                QStringLiteral("Seal the plugin description IN into the protected file OUT (\"*.plg\") and exit."),
                QStringLiteral("IN,OUT"))
{
}

void PluginOptions::AddTo(QCommandLineParser& parser) const
{
    parser.addOptions({m_appFolder, m_coreVersion, m_settingsFolder, m_language, m_window, m_protect});
}

bool PluginOptions::Read(const QCommandLineParser& parser, WorkbenchOptions& options, QString& error) const
{
    if (parser.isSet(m_appFolder))
        options.applicationFolder = QFileInfo(parser.value(m_appFolder)).absoluteFilePath();
    if (parser.isSet(m_coreVersion)) {
        const QStringList parts = parser.value(m_coreVersion).split(QLatin1Char('.'));
        bool majorOk = false;
        bool minorOk = false;
        if (parts.size() == 2) {
            options.coreMajor = parts[0].toInt(&majorOk);
            options.coreMinor = parts[1].toInt(&minorOk);
        }
        if (!majorOk || !minorOk) {
            error = QStringLiteral("The core version must be MAJOR.MINOR, such as 18.0.");
            return false;
        }
    }
    options.settingsFolder = parser.isSet(m_settingsFolder)
        ? QFileInfo(parser.value(m_settingsFolder)).absoluteFilePath()
        : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (parser.isSet(m_language))
        options.languageFolder = parser.value(m_language);
    return true;
}

bool PluginOptions::ProtectRequested(const QCommandLineParser& parser, QString& input, QString& output) const
{
    if (!parser.isSet(m_protect))
        return false;
    const QStringList files = parser.value(m_protect).split(QLatin1Char(','));
    input = files.value(0);
    output = files.value(1);
    return true;
}

bool PluginOptions::WindowRequested(const QCommandLineParser& parser) const
{
    return parser.isSet(m_window);
}

bool PluginOptions::ProtectPluginFile(const QString& input, const QString& output, QString& error)
{
    if (input.isEmpty() || output.isEmpty()) {
        error = QStringLiteral("--protect-plugin needs IN,OUT.");
        return false;
    }
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read \"%1\": %2").arg(input, source.errorString());
        return false;
    }
    const QByteArray sealed = CTqProtectedPluginCodec::Encode(source.readAll());
    QSaveFile target(output);
    if (sealed.isEmpty() || !target.open(QIODevice::WriteOnly) || target.write(sealed) != sealed.size()
        || !target.commit()) {
        error = QStringLiteral("Cannot write \"%1\".").arg(output);
        return false;
    }
    return true;
}
