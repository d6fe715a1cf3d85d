// Plugin description files: the XML format a plugin is delivered with, read into a plugin
// record, and the module kinds told by file suffix.
#pragma once

#include "pluginmanager/host_mode.h"
#include "pluginmanager/plugin_record.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Receives what reading finds wrong: a log code, its argument and whether the element at fault
// is optional.
using DescriptionLogger = std::function<void(int code, const QString& argument, bool optional)>;

// Reads the description text into the record (which keeps its index, path and folder name).
// True when it parsed, has a "plugin" element and every required element was read; then each
// module's path is pluginsFolder/folderName/fileName. In the plain host mode "guid" is skipped.
bool ReadPluginDescription(const QByteArray& xml, HostMode mode, const QString& pluginsFolder, PluginRecord& record,
                           const DescriptionLogger& log);

// The kind of a module file by its suffix, without regard to case; false for any other suffix.
bool ModuleKindOfFile(const QString& fileName, ModuleKind& kind);

// The name a kind-8 module is loaded by: "Tool" for "Tool_4.01_14.tx".
QString TxModuleName(const QString& fileName);
