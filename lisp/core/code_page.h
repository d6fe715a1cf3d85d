// The code-page form of a string: its text in the system code page, each character the code
// page cannot hold written as a backslash, "U+" and four upper-case hexadecimal digits. Byte
// counting string built-ins, text files and the equality of strings work on this form.
#pragma once

#include <QByteArray>

#include <string>
#include <string_view>

class CTqLISPImpl;

// The code-page form of `text` (the locale's code page).
QByteArray CodePageForm(std::u16string_view text);

// True when the two texts are identical unit for unit or have the same code-page form, so a
// character the code page cannot hold equals its escape.
bool SameCodePageText(std::u16string_view left, std::u16string_view right);

// ---- in the system code page of the engine's host ----------------------------------------------
// Without host services (an engine not started) the code page is ISO 8859-1.

// The code-page form of `text`.
QByteArray CodePageForm(const CTqLISPImpl& engine, std::u16string_view text);

// `text` converted to the code page as a whole; returns how many characters the code page
// cannot hold (each became "?").
int ConvertToCodePage(const CTqLISPImpl& engine, std::u16string_view text, QByteArray& bytes);

// Decodes bytes of the code page into `text`; false when some sequence is no character of the
// code page (U+FFFD stands for it).
bool DecodeCodePage(const CTqLISPImpl& engine, std::string_view bytes, std::u16string& text);

bool SameCodePageText(const CTqLISPImpl& engine, std::u16string_view left, std::u16string_view right);
