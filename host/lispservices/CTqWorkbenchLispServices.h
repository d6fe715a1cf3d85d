// The workbench host's LISP services: result buffers, the command line on a console, file search,
// command removal, and the drawing services over the current document's database.
#pragma once

#include "host/CTqLispServices.h"
#include "../framework/CTqTranslations.h"
#include "../os/CTqCodePage.h"
#include "CTqWorkbenchCommandServices.h"
#include "CTqWorkbenchEntityServices.h"
#include "CTqWorkbenchFileServices.h"
#include "CTqWorkbenchInputServices.h"
#include "CTqWorkbenchSelectionServices.h"
#include "CTqWorkbenchTableServices.h"
#include "CTqWorkbenchUnitServices.h"

#include <QString>
#include <QStringList>

class CTqConsole;

class CTqWorkbenchLispServices final : public CTqLispServices {
public:
    // The console must outlive the services.
    explicit CTqWorkbenchLispServices(CTqConsole& console);
    CTqWorkbenchLispServices(const CTqWorkbenchLispServices&) = delete;
    CTqWorkbenchLispServices& operator=(const CTqWorkbenchLispServices&) = delete;

    // Folders FindFile searches last, in order.
    void SetSupportFolders(const QStringList& folders) { m_supportFolders = folders; }
    const QStringList& SupportFolders() const { return m_supportFolders; }
    // The folder relative names are resolved against first; the process's working folder when
    // none is set.
    void SetCurrentFolder(const QString& folder) { m_currentFolder = folder; }
    QString CurrentFolder() const;
    // The keyword GetPendingInput reports from now on.
    void SetPendingInput(const CTqString& keyword) { m_pendingInput = keyword; }

    // 40 million nodes unless set: a list of ten million elements and what a program keeps
    // beside it fit, a runaway program stops near 1.6 GB.
    static constexpr std::uint32_t kDefaultNodeLimit = 40'000'000;
    void SetNodeLimit(std::uint32_t nodes) { m_nodeLimit = nodes; }
    std::uint32_t NodeLimit() override { return m_nodeLimit; }

    TqResultBuffer* NewResultBuffer(short restype) override;
    void ReleaseChain(TqResultBuffer* chain) override;
    short ValueTypeOfGroupCode(int groupCode) override;

    int ErrorNumber() override { return m_errorNumber; }
    void SetErrorNumber(int number) override { m_errorNumber = number; }
    // tq::kNormal and the keyword; tq::kNone when there is none.
    short GetPendingInput(CTqString& text) override;

    // Always tq::kNormal; see FormatReal.
    short RealToText(double value, int unitMode, int precision1, int precision2, CTqString& text) override;
    // Six significant digits, always with a decimal point so that a real never reads as an
    // integer. Unit mode 1 (scientific) gives a mantissa with trailing zeros dropped but one
    // decimal kept ("1.0e-05", "1.23457e-04"); every other mode gives the shorter of fixed and
    // exponent form ("3.0", "3.14159", "-0.5", "1.0e+20"). The printer's precision arguments do
    // not change the digits: a real reads back as the printer showed it in every unit mode.
    static QString FormatReal(double value, int unitMode);

    bool UserBreak() override;
    // Decodes the HTML and writes the plain text to the console.
    void PrintHtml(const CTqString& html) override;
    // tq::kCancel at the end of input and for a line that is exactly Escape.
    short GetLine(const CTqString& prompt, CTqString& line) override;
    short GetKey(int& key) override;

    // An absolute name must exist as it stands. A relative one is looked for in the current
    // folder, then the current document's folder, then each support folder.
    bool FindFile(const CTqString& name, CTqString& fullPath) override;

    // tq::kNormal whether or not the command stack held the name.
    short RemoveCommand(const CTqString& name) override;

    CTqEntityServices* Entities() override { return &m_entities; }
    CTqTableServices* Tables() override { return &m_tables; }
    CTqSelectionServices* Selections() override { return &m_selections; }
    CTqInputServices* Input() override { return &m_input; }
    CTqCommandServices* Commands() override { return &m_commands; }
    CTqConsole& Console() { return m_console; }
    CTqWorkbenchInputServices& InputServices() { return m_input; }

    short ConfirmSelectionSet(std::uint64_t word1, std::uint64_t word2) override;
    short FreeSelectionSet(std::uint64_t word1, std::uint64_t word2) override;
    std::uint32_t SelectionSetNumber(std::uint64_t word1, std::uint64_t word2) override;
    std::uint32_t SelectionSetDocument(std::uint64_t word1, std::uint64_t word2) override;

    // --- text services of the string built-ins ------------------------------------------------
    // Selects the system code page by name (CTqCodePage::Select); false for an unknown name.
    bool SelectCodePage(const QString& name) { return m_codePage.Select(name); }
    const CTqCodePage& CodePage() const { return m_codePage; }
    // The host's table of user-interface translations, empty at first.
    CTqTranslations& Translations() { return m_translations; }

    int SystemCodePage() override { return m_codePage.Number(); }
    int ToSystemCodePage(std::u16string_view text, QByteArray& bytes) override { return m_codePage.Encode(text, bytes); }
    bool FromSystemCodePage(std::string_view bytes, std::u16string& text) override { return m_codePage.Decode(bytes, text); }
    // CTqWildcardMatcher's pattern language.
    short MatchWildcard(const CTqString& text, const CTqString& pattern) override;
    // CTqRealReader's syntax.
    short StringToReal(const CTqString& text, double& value) override;
    // The host's table first, then the application's translators.
    short TranslateText(const CTqString& context, const CTqString& source, CTqString& translation) override;

    // ==== files, settings, registry, programs, dialogs and help ====================================
    // Their settings (documents, settings and help) are kept by FileServices().
    CTqWorkbenchFileServices& FileServices() { return m_files; }

    CTqString DocumentsFolder() override { return m_files.DocumentsFolder(); }
    short GetFolderSetting(const CTqString& key, CTqString& value) override { return m_files.GetFolderSetting(key, m_supportFolders, value); }
    short GetEnvironment(const CTqString& name, CTqString& value) override { return m_files.GetEnvironment(name, value); }
    short GetEnvironmentIn(const CTqString& group, const CTqString& section, const CTqString& name, CTqString& value) override
    {
        return m_files.GetEnvironmentIn(group, section, name, value);
    }
    short SetEnvironment(const CTqString& name, const CTqString& value) override { return m_files.SetEnvironment(name, value); }
    short CopyFile(const CTqString& source, const CTqString& destination, bool append, std::int64_t& copied) override
    {
        return m_files.CopyFile(source, destination, append, copied);
    }
    short DeleteFile(const CTqString& name) override { return m_files.DeleteFile(name); }
    short IsDirectory(const CTqString& name) override { return m_files.IsDirectory(name); }
    short RenameFile(const CTqString& oldName, const CTqString& newName) override { return m_files.RenameFile(oldName, newName); }
    short GetFileSize(const CTqString& name, std::int64_t& size) override { return m_files.GetFileSize(name, size); }
    short GetFileTime(const CTqString& name, std::int32_t (&values)[8]) override { return m_files.GetFileTime(name, values); }
    short FileNameBase(const CTqString& name, CTqString& base) override { return m_files.FileNameBase(name, base); }
    short FileNameDirectory(const CTqString& name, CTqString& folder) override { return m_files.FileNameDirectory(name, folder); }
    short FileNameExtension(const CTqString& name, CTqString& extension) override { return m_files.FileNameExtension(name, extension); }
    short MakeTempFileName(const CTqString& pattern, const CTqString& folder, const CTqString& extension, CTqString& name) override
    {
        return m_files.MakeTempFileName(pattern, folder, extension, name);
    }
    short ListDirectory(const CTqString& folder, const CTqString& pattern, int mode, TqResultBuffer*& names) override
    {
        return m_files.ListDirectory(folder, pattern, mode, names);
    }
    short RegistryRead(const CTqString& key, const CTqString& name, RegistryValue& value) override { return m_files.RegistryRead(key, name, value); }
    short RegistryWrite(const CTqString& key, const CTqString& name, const CTqString& data) override { return m_files.RegistryWrite(key, name, data); }
    short RegistryDelete(const CTqString& key, const CTqString& name, bool deleteValue) override
    {
        return m_files.RegistryDelete(key, name, deleteValue);
    }
    short RegistryDescendents(const CTqString& key, bool valueNames, TqResultBuffer*& names) override
    {
        return m_files.RegistryDescendents(key, valueNames, names);
    }
    short StartProgram(const CTqString& commandLine, std::int32_t& result) override { return m_files.StartProgram(commandLine, result); }
    short GetFileName(const CTqString& title, const CTqString& defaultName, const CTqString& extension, int flags, CTqString& chosen) override
    {
        return m_files.GetFileName(title, defaultName, extension, flags, chosen);
    }
    short ShowMessageBox(const CTqString& text, const CTqString& title, MessageIcon icon, bool& yes) override
    {
        return m_files.ShowMessageBox(text, title, icon, yes);
    }
    CTqString DefaultHelpFile() override { return m_files.DefaultHelpFile(); }
    short ShowHelp(const CTqString& file, const CTqString& topic, int command) override { return m_files.ShowHelp(file, topic, command); }
    short SetCommandHelp(const CTqString& command, const CTqString& file, const CTqString& topic, int helpCommand) override
    {
        return m_files.SetCommandHelp(command, file, topic, helpCommand);
    }
    short DecodeProtectedFile(const CTqString& path, QByteArray& content) override { return m_files.DecodeProtectedFile(path, content); }
    short DecodeProtectedLine(const QByteArray& line, QByteArray& plain) override { return m_files.DecodeProtectedLine(line, plain); }
    // ==== end of files, settings, registry, programs, dialogs and help ============================

    // ==== system variables, unit formats and geometry ==============================================
    CTqUnitServices* Units() override { return &m_units; }
    CTqWorkbenchUnitServices& UnitServices() { return m_units; }
    // ==== end of system variables, unit formats and geometry =======================================

private:
    CTqConsole& m_console;
    QStringList m_supportFolders;
    QString m_currentFolder;
    CTqString m_pendingInput;
    int m_errorNumber = tq::kErrNone;
    std::uint32_t m_nodeLimit = kDefaultNodeLimit;
    CTqCodePage m_codePage;
    CTqTranslations m_translations;
    CTqWorkbenchFileServices m_files{m_console};
    CTqWorkbenchEntityServices m_entities{*this};
    CTqWorkbenchTableServices m_tables{*this};
    CTqWorkbenchSelectionServices m_selections{*this};
    CTqWorkbenchUnitServices m_units{*this};
    CTqWorkbenchInputServices m_input{*this};
    CTqWorkbenchCommandServices m_commands{*this};
};
