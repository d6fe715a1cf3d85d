// The plugin log: what discovery, loading and the feeds did, entry by entry, with the codes and
// texts users see in the manager's log tab.
#pragma once

#include "pluginmanager/plugin_export.h"

#include <QDateTime>
#include <QString>

#include <vector>

enum class LogSeverity : int { Message = 1, Warning = 2, Error = 4 };

struct PluginLogEntry {
    int plugin = -1;
    LogSeverity severity = LogSeverity::Message;
    QString text;
    QDateTime time;
};

class PluginLog {
public:
    // Oldest entries are dropped beyond this many, so a hostile folder or feed cannot grow the
    // log without end.
    static constexpr std::size_t kMaxEntries = 20000;

    void Add(int plugin, LogSeverity severity, const QString& text);
    void Clear() { m_entries.clear(); }
    const std::vector<PluginLogEntry>& Entries() const { return m_entries; }
    // The plugin's entries, one line each with its "[MSG] ", "[WNG] " or "[ERR] " prefix.
    PLUGINMANAGER_EXPORT QString TextFor(int plugin) const;

    static QString Prefix(LogSeverity severity);
    // The translated text of a code with %1 still in it; empty for an unknown code.
    static QString CodeText(int code);
    // The severity of a code; optional applies to the codes that have two.
    static LogSeverity CodeSeverity(int code, bool optional);

private:
    std::vector<PluginLogEntry> m_entries;
};
