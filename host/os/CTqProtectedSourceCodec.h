// Tag-protected LISP source text: a first line that begins with the header below, then one
// protected line for every line of the original. Each protected line is the Base64 text of a
// 24-byte nonce followed by the original line (UTF-8, without its line end) sealed with
// XSalsa20-Poly1305 (libsodium's secretbox) under a key built into the host. Lines are sealed one
// by one so that a reader can decode each as it comes; the seal detects a damaged line. Since the
// key ships with the program, protection hides the text from casual readers and is no security
// boundary.
#pragma once

#include <QByteArray>
#include <QString>

namespace CTqProtectedSourceCodec {

// The text the first line of a protected source begins with. The engine's protected-file tag
// holds the same text.
inline constexpr char kHeader[] = "#KELTORA-PROTECTED-LISP 1";

// The protected file for source text: the header line, then each line of `text` (split at line
// feeds; a carriage return before one is dropped) sealed with a fresh nonce. Lines end with CR LF.
QByteArray Encode(const QString& text);
// Opens one protected line (trailing blanks and line ends are ignored) into the original
// line's UTF-8 bytes. An empty line opens to an empty line. False when the line is damaged.
bool DecodeLine(const QByteArray& line, QByteArray& plain);

}  // namespace CTqProtectedSourceCodec
