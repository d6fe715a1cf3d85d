// The workbench host's file, environment, registry, program, dialog and help services.
#include "CTqWorkbenchFileServices.h"

#include "../framework/CTqFileDialog.h"
#include "../framework/CTqMessageBox.h"
#include "../framework/CTqSystemServicesImpl.h"
#include "../os/CTqFileSystem.h"
#include "../os/CTqProgramLauncher.h"
#include "../os/CTqProtectedPluginCodec.h"
#include "../os/CTqProtectedSourceCodec.h"
#include "TqResultBuffers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kEnvironmentSection = QStringLiteral("Environment");
constexpr char kProtectedPluginMagic[] = "KTQPLG1\n";

short Status(bool success) { return success ? short(tq::kNormal) : short(tq::kError); }

// A chain of string buffers holding the names; null for none.
TqResultBuffer* StringChain(const QStringList& names)
{
    TqResultBuffer* head = nullptr;
    TqResultBuffer** link = &head;
    for (const QString& name : names) {
        TqResultBuffer* record = TqNewResultBuffer(tqrt::kString);
        if (!record)
            break;
        record->value.string = TqAllocText(reinterpret_cast<const char16_t*>(name.utf16()), std::size_t(name.size()));
        *link = record;
        link = &record->next;
    }
    return head;
}

QString ApplicationFolder() { return GetTqSystemServices()->ApplicationFolder().toQString(); }

CTqMessageBox::Icon BoxIcon(CTqLispServices::MessageIcon icon)
{
    switch (icon) {
    case CTqLispServices::kCriticalIcon: return CTqMessageBox::Icon::Critical;
    case CTqLispServices::kQuestionIcon: return CTqMessageBox::Icon::Question;
    case CTqLispServices::kWarningIcon: return CTqMessageBox::Icon::Warning;
    case CTqLispServices::kInformationIcon: return CTqMessageBox::Icon::Information;
    case CTqLispServices::kNoIcon: return CTqMessageBox::Icon::None;
    }
    return CTqMessageBox::Icon::None;
}

}  // namespace

CTqWorkbenchFileServices::CTqWorkbenchFileServices(CTqConsole& console) : m_console(console) {}

QString CTqWorkbenchFileServices::DocumentsFolder() const
{
    if (!m_documentsFolder.isEmpty())
        return m_documentsFolder;
    const QStringList locations = QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation);
    return locations.isEmpty() ? QDir::homePath() : locations.first();
}

void CTqWorkbenchFileServices::SetSettingsFolder(const QString& folder)
{
    m_settingsFolder = folder;
    m_registry.Open(folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("registry.json")));
}

QString CTqWorkbenchFileServices::Resolve(const CTqString& name) const
{
    return CTqFileSystem::Resolve(DocumentsFolder(), name.toQString());
}

short CTqWorkbenchFileServices::GetFolderSetting(const CTqString& key, const QStringList& supportFolders, CTqString& value) const
{
    const QString name = key.toQString().toUpper();
    const QString application = ApplicationFolder();
    QString folder;
    if (name == QLatin1String("CADSYS") || name == QLatin1String("CADCMD"))
        folder = application;
    else if (name == QLatin1String("CADCFG"))
        folder = m_settingsFolder;
    else if (name == QLatin1String("CADFONT"))
        folder = application.isEmpty() ? QString() : application + QStringLiteral("/fonts");
    else if (name == QLatin1String("CADMNU"))
        folder = application.isEmpty() ? QString() : application + QStringLiteral("/menus/");
    else if (name == QLatin1String("CADSUP") || name == QLatin1String("CADDLG"))
        folder = supportFolders.value(0);
    else if (name == QLatin1String("CADTMP"))
        folder = QDir::tempPath();
    else if (name == QLatin1String("CADHLP"))
        folder = application.isEmpty() ? QString() : application + QStringLiteral("/help");
    else if (name == QLatin1String("CADDWG"))
        folder = DocumentsFolder();
    else if (name == QLatin1String("CADKEY"))
        folder = m_settingsFolder.isEmpty() ? QString() : QDir(m_settingsFolder).filePath(QStringLiteral("alias.xml"));
    if (folder.isEmpty())
        return tq::kNone;
    value = folder;
    return tq::kNormal;
}

short CTqWorkbenchFileServices::GetEnvironment(const CTqString& name, CTqString& value)
{
    if (name.isEmpty())
        return tq::kNone;
    if (GetTqSystemServices()->GetSettingString(kEnvironmentSection, name, value))
        return tq::kNormal;
    const QByteArray variable = name.toQString().toLocal8Bit();
    if (!qEnvironmentVariableIsSet(variable.constData()))
        return tq::kNone;
    value = qEnvironmentVariable(variable.constData());
    return tq::kNormal;
}

short CTqWorkbenchFileServices::GetEnvironmentIn(const CTqString& group, const CTqString& section, const CTqString& name,
                                                  CTqString& value)
{
    const QString path = group.toQString() + QLatin1Char('\\') + section.toQString();
    return GetTqSystemServices()->GetSettingString(path, name, value) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchFileServices::SetEnvironment(const CTqString& name, const CTqString& value)
{
    if (name.isEmpty())
        return tq::kError;
    GetTqSystemServices()->SetSettingString(kEnvironmentSection, name, value);
    return tq::kNormal;
}

short CTqWorkbenchFileServices::CopyFile(const CTqString& source, const CTqString& destination, bool append, std::int64_t& copied)
{
    return Status(CTqFileSystem::Copy(Resolve(source), Resolve(destination), append, copied));
}

short CTqWorkbenchFileServices::DeleteFile(const CTqString& name) { return Status(CTqFileSystem::Delete(Resolve(name))); }

short CTqWorkbenchFileServices::IsDirectory(const CTqString& name)
{
    return !name.isEmpty() && QFileInfo(Resolve(name)).isDir() ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchFileServices::RenameFile(const CTqString& oldName, const CTqString& newName)
{
    return Status(CTqFileSystem::Rename(Resolve(oldName), Resolve(newName)));
}

short CTqWorkbenchFileServices::GetFileSize(const CTqString& name, std::int64_t& size)
{
    return Status(!name.isEmpty() && CTqFileSystem::Size(Resolve(name), size));
}

short CTqWorkbenchFileServices::GetFileTime(const CTqString& name, std::int32_t (&values)[8])
{
    return Status(!name.isEmpty() && CTqFileSystem::ModificationTime(Resolve(name), values));
}

short CTqWorkbenchFileServices::FileNameBase(const CTqString& name, CTqString& base)
{
    base = CTqFileSystem::BaseName(name.toQString());
    return tq::kNormal;
}

short CTqWorkbenchFileServices::FileNameDirectory(const CTqString& name, CTqString& folder)
{
    folder = CTqFileSystem::FolderName(name.toQString());
    return tq::kNormal;
}

short CTqWorkbenchFileServices::FileNameExtension(const CTqString& name, CTqString& extension)
{
    const QString suffix = CTqFileSystem::Extension(name.toQString());
    if (suffix.isEmpty())
        return tq::kNone;
    extension = suffix;
    return tq::kNormal;
}

short CTqWorkbenchFileServices::MakeTempFileName(const CTqString& pattern, const CTqString& folder, const CTqString& extension,
                                                  CTqString& name)
{
    const QString patternText = pattern.toQString();
    QString stem = CTqFileSystem::BaseName(patternText);
    if (stem.isEmpty())
        stem = QStringLiteral("$VL~~");
    QString where = folder.isEmpty() ? CTqFileSystem::FolderName(patternText) : folder.toQString();
    where = where.isEmpty() ? QDir::tempPath() : CTqFileSystem::Resolve(DocumentsFolder(), where);
    const QString suffix = extension.isEmpty() ? CTqFileSystem::Extension(patternText) : extension.toQString();
    const QString unused = CTqFileSystem::UnusedName(where, stem, suffix);
    if (unused.isEmpty())
        return tq::kError;
    name = unused;
    return tq::kNormal;
}

short CTqWorkbenchFileServices::ListDirectory(const CTqString& folder, const CTqString& pattern, int mode, TqResultBuffer*& names)
{
    const QString where = folder.isEmpty() ? DocumentsFolder() : Resolve(folder);
    names = StringChain(CTqFileSystem::List(where, pattern.toQString(), mode));
    return tq::kNormal;
}

short CTqWorkbenchFileServices::RegistryRead(const CTqString& key, const CTqString& name, CTqLispServices::RegistryValue& value)
{
    CTqRegistryStore::Value stored;
    if (!m_registry.Read(key, name, stored))
        return tq::kNone;
    value = {};
    value.type = int(stored.type);
    value.text = stored.text;
    value.strings = stored.strings;
    value.number = stored.number;
    value.bytes = stored.bytes;
    return tq::kNormal;
}

short CTqWorkbenchFileServices::RegistryWrite(const CTqString& key, const CTqString& name, const CTqString& data)
{
    CTqRegistryStore::Value value;
    value.type = CTqRegistryStore::Type::String;
    value.text = data;
    return Status(m_registry.Write(key, name, value));
}

short CTqWorkbenchFileServices::RegistryDelete(const CTqString& key, const CTqString& name, bool deleteValue)
{
    return Status(deleteValue ? m_registry.DeleteValue(key, name) : m_registry.DeleteKey(key));
}

short CTqWorkbenchFileServices::RegistryDescendents(const CTqString& key, bool valueNames, TqResultBuffer*& names)
{
    names = nullptr;
    QStringList found;
    if (!(valueNames ? m_registry.ValueNames(key, found) : m_registry.SubKeyNames(key, found)))
        return tq::kError;
    names = StringChain(found);
    return tq::kNormal;
}

short CTqWorkbenchFileServices::StartProgram(const CTqString& commandLine, std::int32_t& result)
{
    result = CTqProgramLauncher::Start(commandLine, DocumentsFolder());
    return tq::kNormal;
}

short CTqWorkbenchFileServices::GetFileName(const CTqString& title, const CTqString& defaultName, const CTqString& extension,
                                             int flags, CTqString& chosen)
{
    QString name;
    if (!CTqFileDialog::Ask(m_console, title, defaultName, extension, flags, DocumentsFolder(), name))
        return tq::kCancel;
    chosen = name;
    return tq::kNormal;
}

short CTqWorkbenchFileServices::ShowMessageBox(const CTqString& text, const CTqString& title, CTqLispServices::MessageIcon icon,
                                                bool& yes)
{
    yes = CTqMessageBox::Show(m_console, text, title, BoxIcon(icon));
    return tq::kNormal;
}

CTqString CTqWorkbenchFileServices::DefaultHelpFile() const
{
    if (!m_defaultHelpFile.isEmpty())
        return m_defaultHelpFile;
    const QString application = ApplicationFolder();
    const QString candidate = application + QStringLiteral("/help/workbench.html");
    return !application.isEmpty() && QFileInfo(candidate).isFile() ? candidate : QString();
}

short CTqWorkbenchFileServices::ShowHelp(const CTqString& file, const CTqString& topic, int command)
{
    return Status(m_helpViewer.Show(Resolve(file), topic, command));
}

short CTqWorkbenchFileServices::SetCommandHelp(const CTqString& command, const CTqString& file, const CTqString& topic, int helpCommand)
{
    if (command.isEmpty())
        return tq::kError;
    m_helpViewer.SetCommandHelp(command, {file, topic, helpCommand});
    return tq::kNormal;
}

short CTqWorkbenchFileServices::DecodeProtectedFile(const CTqString& path, QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tq::kNone;
    // Only a file that starts like a protected one is read whole.
    const qint64 magicSize = qint64(sizeof kProtectedPluginMagic) - 1;
    if (file.peek(magicSize) != QByteArray(kProtectedPluginMagic, int(magicSize)))
        return tq::kNone;
    return CTqProtectedPluginCodec::Decode(file.readAll(), content) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchFileServices::DecodeProtectedLine(const QByteArray& line, QByteArray& plain)
{
    return Status(CTqProtectedSourceCodec::DecodeLine(line, plain));
}
