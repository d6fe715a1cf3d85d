// The plugin log and its message table.
#include "pluginmanager/plugin_log.h"

#include <QCoreApplication>

namespace {

struct CodeRow {
    int code;
    const char* text;
    LogSeverity severity;  // for codes with two severities: the one of a required element
    bool twoSeverities;
};

constexpr CodeRow kCodes[] = {
    {2, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Module '%1' failed to load."), LogSeverity::Error, false},
    {3, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Module '%1' failed to unload."), LogSeverity::Error, false},
    {7, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Module '%1' does not exists."), LogSeverity::Error, false},
    {10, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Plugin '%1' failed to load."), LogSeverity::Error, false},
    {20, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Configuration file '%1' loaded."), LogSeverity::Message, false},
    {21, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Failed to load configuration file '%1'."), LogSeverity::Error, false},
    {22, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Unable to read configuration file '%1'."), LogSeverity::Error, false},
    {30, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Failed to load MFCUI."), LogSeverity::Error, false},
    {1000, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "XML tag '%1' contains no data."), LogSeverity::Error, true},
    {1001, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "XML attribute '%1' not found."), LogSeverity::Error, true},
    {1002, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Unable to read XML tag '%1'."), LogSeverity::Error, true},
    {1010, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Unable to convert '%1' to an integer value."), LogSeverity::Error,
     true},
    {1020, QT_TRANSLATE_NOOP("CTqAppStorePlugin", "Undefined file extension for file '%1'."), LogSeverity::Error, true},
};

const CodeRow* FindCode(int code)
{
    for (const CodeRow& row : kCodes) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

}  // namespace

void PluginLog::Add(int plugin, LogSeverity severity, const QString& text)
{
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back({plugin, severity, text, QDateTime::currentDateTime()});
}

QString PluginLog::TextFor(int plugin) const
{
    QString text;
    for (const PluginLogEntry& entry : m_entries) {
        if (entry.plugin == plugin)
            text += Prefix(entry.severity) + entry.text + QLatin1Char('\n');
    }
    return text;
}

QString PluginLog::Prefix(LogSeverity severity)
{
    switch (severity) {
    case LogSeverity::Message:
        return QStringLiteral("[MSG] ");
    case LogSeverity::Warning:
        return QStringLiteral("[WNG] ");
    case LogSeverity::Error:
        return QStringLiteral("[ERR] ");
    }
    return {};
}

QString PluginLog::CodeText(int code)
{
    const CodeRow* row = FindCode(code);
    return row ? QCoreApplication::translate("CTqAppStorePlugin", row->text) : QString();
}

LogSeverity PluginLog::CodeSeverity(int code, bool optional)
{
    const CodeRow* row = FindCode(code);
    if (!row)
        return LogSeverity::Error;
    return row->twoSeverities && optional ? LogSeverity::Warning : row->severity;
}
