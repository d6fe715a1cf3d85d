// Protected plugin descriptions ("*.plg"): the host's cryptographic service that turns one into
// its XML text, and the inverse the workbench offers to plugin authors.
//
// Layout: the 8 bytes "KTQPLG1\n", a 24-byte nonce, then the XML sealed with XSalsa20-Poly1305
// (libsodium's secretbox) under a key built into the host. The seal detects damage; since the
// key ships with the program, protection hides the text from casual readers and is no security
// boundary.
#pragma once

#include <QByteArray>

namespace CTqProtectedPluginCodec {

// The protected form of the text, with a fresh random nonce.
QByteArray Encode(const QByteArray& xml);
// False when content is not a protected description or does not verify.
bool Decode(const QByteArray& content, QByteArray& xml);

}  // namespace CTqProtectedPluginCodec
