// A host for plugin manager tests: a temporary application folder with a "Plugins" folder
// beside it, a settings folder of its own, the host's menus reset, and small helpers to write
// description files and wait for Qt events.
#pragma once

#include "host/framework/CTqSystemServicesImpl.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

inline const QString kTestModuleDir = QStringLiteral(KELTORA_TEST_MODULE_DIR);

// Processes events until the condition holds or the time is up; the condition's last value.
inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

inline bool WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A description file's text. details is the inside of the "details" element.
inline QByteArray Description(const QString& name, const QString& version, const QString& details,
                              const QString& extra = {})
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n<plugin>\n<name>%1</name>\n<version>%2</version>\n%4\n"
                          "<details>%3</details>\n</plugin>\n")
        .arg(name, version, details, extra)
        .toUtf8();
}

inline QString Details(const QString& core = QStringLiteral("18.0"), const QString& more = {})
{
    return QStringLiteral("<core>%1</core><guid>{5f1c}</guid>%2").arg(core, more);
}

class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        services().SetApplicationFolder(binFolder());
        services().SetSettingsFolder(m_root.filePath(QStringLiteral("settings")));
        services().SetCoreVersion(18, 0);
        services().SetLanguageFolder(CTqString("german"));
        services().Menus().Reset();
        QDir().mkpath(binFolder());
    }
    void TearDown() override
    {
        services().SetApplicationFolder(QString());
        services().SetSettingsFolder(QString());
        services().SetDllDirectory(CTqString());
        services().Menus().Reset();
    }

    static CTqSystemServicesImpl& services() { return CTqSystemServicesImpl::Instance(); }
    QString binFolder() const { return m_root.filePath(QStringLiteral("bin")); }
    QString pluginsFolder() const { return m_root.filePath(QStringLiteral("Plugins")); }
    QString plugin(const QString& relative) const { return pluginsFolder() + QLatin1Char('/') + relative; }

    QString setting(const QString& key) const
    {
        CTqString value;
        return services().GetSettingString(CTqString("appstore"), CTqString(key), value) ? value.toQString()
                                                                                           : QStringLiteral("<absent>");
    }
    void setSetting(const QString& key, const QString& value)
    {
        services().SetSettingString(CTqString("appstore"), CTqString(key), CTqString(value));
    }

    QTemporaryDir m_root;
};
