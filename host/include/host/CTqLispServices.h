// The host's LISP services: everything an engine asks of the host. One object per host; the
// engine receives it in CTqLISP::Start and never reaches the host any other way, apart from the
// process-wide registries (command stack, dynamic linker) and the unknown-function recorder.
// Every operation that can fail returns a host status (tq::kNormal on success, TqStatus.h).
#pragma once

#include "host/CTqString.h"
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
};

// The TqLISP library's recorder of functions a program called without defining them.
class CTqCIPUnknownCommandRecorder {
public:
    virtual ~CTqCIPUnknownCommandRecorder() = default;
    virtual void UnknownLISPFunction(const CTqString& name) = 0;
};
CTqCIPUnknownCommandRecorder* GetUnknownCommandRecorder();
