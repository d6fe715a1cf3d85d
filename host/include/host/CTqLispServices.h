// The host's LISP services: everything an engine asks of the host. One object per host; the
// engine receives it in CTqLISP::Start and never reaches the host any other way, apart from the
// process-wide registries (command stack, dynamic linker) and the unknown-function recorder.
// Every operation that can fail returns a host status (tq::kNormal on success, TqStatus.h).
#pragma once

#include "host/CTqCommandServices.h"
#include "host/CTqDrawingServices.h"
#include "host/CTqInputServices.h"
#include "host/CTqString.h"
#include "host/CTqUnitServices.h"
#include "host/TqResultBuffer.h"
#include "host/TqStatus.h"

#include <QByteArray>

#include <cstdint>
#include <string>
#include <string_view>

class CTqLispServices {
public:
    virtual ~CTqLispServices() = default;

    // --- result buffers -----------------------------------------------------------------
    // A zeroed record of the given result type, or null when memory is exhausted.
    virtual TqResultBuffer* NewResultBuffer(short restype) = 0;
    // Frees a whole chain with the texts and chunks its records own. Null is allowed.
    virtual void ReleaseChain(TqResultBuffer* chain) = 0;
    // Value type (tqrt::k…) of a group code.
    virtual short ValueTypeOfGroupCode(int groupCode) = 0;

    // --- limits -------------------------------------------------------------------------------
    // The most nodes an engine's heap may hold (0: no limit), read when the engine starts, so
    // that a runaway program ends with "No more HEAP." instead of taking the machine's memory.
    virtual std::uint32_t NodeLimit() = 0;

    // --- errors and pending input -----------------------------------------------------------
    virtual int ErrorNumber() = 0;
    virtual void SetErrorNumber(int number) = 0;
    // The keyword the user typed when an input service returned tq::kKeyword (at most 512 units).
    virtual short GetPendingInput(CTqString& text) = 0;

    // --- text ---------------------------------------------------------------------------------
    // Formats a real. unitMode 1 = scientific, 2 = decimal; precision1/precision2 as the printer
    // passes them (8, 8 for a value with a fraction; 1, -1 for a whole value).
    virtual short RealToText(double value, int unitMode, int precision1, int precision2, CTqString& text) = 0;

    // --- the command line ---------------------------------------------------------------------
    // True when the user asked to break the running program since the last poll.
    virtual bool UserBreak() = 0;
    // Shows a piece of HTML-encoded engine output on the command line.
    virtual void PrintHtml(const CTqString& html) = 0;
    // Reads one line typed by the user after showing the prompt. tq::kCancel when cancelled
    // (Escape, end of input).
    virtual short GetLine(const CTqString& prompt, CTqString& line) = 0;
    // Waits for one key; tq::kCancel when none can be read.
    virtual short GetKey(int& key) = 0;

    // --- files --------------------------------------------------------------------------------
    // Finds a file by name: an absolute or relative path that exists, else the current folder,
    // then the drawing's folder, then the support folders. True and the full path when found.
    virtual bool FindFile(const CTqString& name, CTqString& fullPath) = 0;

    // --- commands -----------------------------------------------------------------------------
    // Removes a command of the host's command stack by name. A name the stack does not hold is
    // no failure (tq::kNormal): assigning a non-function to a "C:" symbol that never was a
    // command must not fail.
    virtual short RemoveCommand(const CTqString& name) = 0;

    // --- the current drawing (CTqDrawingServices.h) -----------------------------------------
    // Null when the host has no drawing open.
    virtual CTqEntityServices* Entities() = 0;
    virtual CTqTableServices* Tables() = 0;
    virtual CTqSelectionServices* Selections() = 0;
    // The user's input for programs (CTqInputServices.h); null when the host takes none.
    virtual CTqInputServices* Input() = 0;
    // Host commands for the command built-in (CTqCommandServices.h); null when there are none.
    virtual CTqCommandServices* Commands() = 0;

    // --- selection sets (named by two identifier words) ------------------------------------------
    virtual short ConfirmSelectionSet(std::uint64_t word1, std::uint64_t word2) = 0;
    virtual short FreeSelectionSet(std::uint64_t word1, std::uint64_t word2) = 0;
    virtual std::uint32_t SelectionSetNumber(std::uint64_t word1, std::uint64_t word2) = 0;
    virtual std::uint32_t SelectionSetDocument(std::uint64_t word1, std::uint64_t word2) = 0;

    // --- text services of the string built-ins ------------------------------------------------
    // The Windows number of the system (ANSI) code page of the host's operating-system layer;
    // 1252 unless the host runs with another.
    virtual int SystemCodePage() = 0;
    // Converts text to the system code page. A character the code page cannot hold becomes its
    // default character "?"; returns how many did (0: the conversion is exact).
    virtual int ToSystemCodePage(std::u16string_view text, QByteArray& bytes) = 0;
    // Converts bytes of the system code page to text. A sequence that is no character of the
    // code page (an undefined byte, a lead byte without its trail byte) becomes U+FFFD; returns
    // false when there was one.
    virtual bool FromSystemCodePage(std::string_view bytes, std::u16string& text) = 0;
    // Matches text against a wildcard pattern (case-sensitive): tq::kNormal when it matches,
    // tq::kNone when it does not. Every pattern is valid.
    virtual short MatchWildcard(const CTqString& text, const CTqString& pattern) = 0;
    // Reads the real at the start of text: tq::kNormal and the value, or tq::kNone with value
    // untouched when text does not start with a number.
    virtual short StringToReal(const CTqString& text, double& value) = 0;
    // The user-interface translation of source within context: tq::kNormal and the
    // translation, or tq::kNone when the host has none.
    virtual short TranslateText(const CTqString& context, const CTqString& source, CTqString& translation) = 0;

    // ==== files, settings, registry, programs, dialogs and help ====================================
    // Relative names of these services are taken from DocumentsFolder().

    // The user's documents folder, where relative file names of LISP programs lead.
    virtual CTqString DocumentsFolder() = 0;
    // The folder behind one of the folder keys of getenv ("CADSYS", "CADCFG", "CADFONT",
    // "CADMNU", "CADSUP", "CADTMP", "CADHLP", "CADDWG", "CADCMD", "CADDLG", "CADKEY") with
    // forward slashes: the first folder of the setting; for "CADMNU" the menu file's folder with
    // a trailing slash; for "CADKEY" the full name of "alias.xml". tq::kNone when the host has
    // no such setting.
    virtual short GetFolderSetting(const CTqString& key, CTqString& value) = 0;

    // Environment values of the host's settings store: tq::kNormal and the value, tq::kNone when
    // there is none. The three-string form reads the value `name` of the section made of `group`
    // and `section`.
    virtual short GetEnvironment(const CTqString& name, CTqString& value) = 0;
    virtual short GetEnvironmentIn(const CTqString& group, const CTqString& section, const CTqString& name,
                                   CTqString& value) = 0;
    // tq::kNormal when stored, tq::kError when refused.
    virtual short SetEnvironment(const CTqString& name, const CTqString& value) = 0;

    // File-system services: tq::kNormal on success, tq::kError otherwise.
    // Copies a file (appending to `destination` when `append`, else only when it does not
    // exist); `copied` is the number of bytes copied.
    virtual short CopyFile(const CTqString& source, const CTqString& destination, bool append, std::int64_t& copied) = 0;
    virtual short DeleteFile(const CTqString& name) = 0;
    // tq::kNormal when the name is a folder, tq::kNone otherwise.
    virtual short IsDirectory(const CTqString& name) = 0;
    // Refused when `newName` exists.
    virtual short RenameFile(const CTqString& oldName, const CTqString& newName) = 0;
    // 0 for a folder.
    virtual short GetFileSize(const CTqString& name, std::int64_t& size) = 0;
    // The local time of the last change: year, month, day of the week (0 = Sunday), day,
    // hours, minutes, seconds, milliseconds.
    virtual short GetFileTime(const CTqString& name, std::int32_t (&values)[8]) = 0;
    // Parts of a file name; both slashes separate folders. The base has neither folder nor
    // extension; the folder has no trailing separator ("" for a bare name); the extension starts
    // with its dot (tq::kNone when there is none).
    virtual short FileNameBase(const CTqString& name, CTqString& base) = 0;
    virtual short FileNameDirectory(const CTqString& name, CTqString& folder) = 0;
    virtual short FileNameExtension(const CTqString& name, CTqString& extension) = 0;
    // A full name no file has yet: the pattern's base (first 5 characters; "$VL~~" when empty)
    // with a three-digit number, in `folder` (the pattern's folder, else the host's temporary
    // folder), with `extension` (else the pattern's). Empty arguments take the defaults.
    virtual short MakeTempFileName(const CTqString& pattern, const CTqString& folder, const CTqString& extension,
                                   CTqString& name) = 0;
    // A chain of string buffers with the names in `folder` ("" = the documents folder) that match
    // the wildcard `pattern` ("" = all; compared without regard to case): mode -1 folders only, 1
    // files only, 0 both; sorted by name. Null when there is none; the caller releases it.
    virtual short ListDirectory(const CTqString& folder, const CTqString& pattern, int mode, TqResultBuffer*& names) = 0;

    // The registry store. Value types are the Windows registry's (1 string, 2 expandable string,
    // 3 raw bytes, 4 and 5 32-bit number, 7 multi-string, 11 64-bit number, 0 none).
    struct RegistryValue {
        int type = 0;
        CTqString text;            // types 1 and 2
        QStringList strings;       // type 7
        std::uint64_t number = 0;  // types 4, 5 and 11
        QByteArray bytes;          // types 0 and 3
    };
    // The value `name` of `key` ("" is the default value): tq::kNormal, or tq::kNone.
    virtual short RegistryRead(const CTqString& key, const CTqString& name, RegistryValue& value) = 0;
    // Writes a string value, making the key as needed: tq::kNormal or tq::kError.
    virtual short RegistryWrite(const CTqString& key, const CTqString& name, const CTqString& data) = 0;
    // With `deleteValue` removes the value `name`, otherwise the key with its values (refused
    // when it has subkeys): tq::kNormal or tq::kError.
    virtual short RegistryDelete(const CTqString& key, const CTqString& name, bool deleteValue) = 0;
    // A chain of string buffers with the names of the value names (`valueNames`) or subkeys of
    // the key; null when there is none. tq::kError when the key does not exist.
    virtual short RegistryDescendents(const CTqString& key, bool valueNames, TqResultBuffer*& names) = 0;

    // Starts the program of a command line without waiting. `result` is above 31 when it
    // started, 2 when the program was not found, 0 when it could not be started.
    virtual short StartProgram(const CTqString& commandLine, std::int32_t& result) = 0;
    // Asks the user for a file name: tq::kNormal and the full name, tq::kCancel when the user
    // cancels. Flags: 1 a new file, 4 any extension, 16 `defaultName` is a folder.
    virtual short GetFileName(const CTqString& title, const CTqString& defaultName, const CTqString& extension, int flags,
                              CTqString& chosen) = 0;
    enum MessageIcon : int { kNoIcon = 0, kCriticalIcon = 1, kQuestionIcon = 2, kWarningIcon = 3, kInformationIcon = 4 };
    // Shows a message and waits until the user closes it. With the question icon the user
    // answers Yes (`yes` true) or No; otherwise there is the one button OK.
    virtual short ShowMessageBox(const CTqString& text, const CTqString& title, MessageIcon icon, bool& yes) = 0;
    // The host's default help file; empty when there is none.
    virtual CTqString DefaultHelpFile() = 0;
    // Hands a help file to the help viewer with an HTML Help command (0 topic, 1 contents,
    // 15 context, 18 close all); `topic` is empty unless the command uses one. tq::kNormal when
    // the viewer took it, tq::kError otherwise.
    virtual short ShowHelp(const CTqString& file, const CTqString& topic, int command) = 0;
    // Stores the help reference of a command: tq::kNormal when accepted.
    virtual short SetCommandHelp(const CTqString& command, const CTqString& file, const CTqString& topic, int helpCommand) = 0;

    // Protected files. The whole decoded content of a protected plugin file: tq::kNormal, or
    // tq::kNone when the file is no protected file or does not decode.
    virtual short DecodeProtectedFile(const CTqString& path, QByteArray& content) = 0;
    // One line of tag-protected source text decoded into the UTF-8 bytes of the original line:
    // tq::kNormal, or tq::kError when the line is damaged.
    virtual short DecodeProtectedLine(const QByteArray& line, QByteArray& plain) = 0;
    // ==== end of files, settings, registry, programs, dialogs and help ============================

    // ==== system variables, unit formats and geometry (CTqUnitServices.h) =========================
    // Null when the host offers none.
    virtual CTqUnitServices* Units() = 0;
    // ==== end of system variables, unit formats and geometry ======================================
};

// The TqLISP library's recorder of functions a program called without defining them.
class CTqCIPUnknownCommandRecorder {
public:
    virtual ~CTqCIPUnknownCommandRecorder() = default;
    virtual void UnknownLISPFunction(const CTqString& name) = 0;
};
CTqCIPUnknownCommandRecorder* GetUnknownCommandRecorder();
