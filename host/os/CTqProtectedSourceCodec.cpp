// Sealing and opening tag-protected source lines with libsodium.
#include "CTqProtectedSourceCodec.h"

#include <QStringList>

#include <sodium.h>

#include <array>

namespace {

// The host's built-in key for protected sources: a hash of a fixed phrase, distinct from the key
// of protected plugin files.
const std::array<unsigned char, crypto_secretbox_KEYBYTES>& Key()
{
    static const std::array<unsigned char, crypto_secretbox_KEYBYTES> key = [] {
        std::array<unsigned char, crypto_secretbox_KEYBYTES> bytes{};
        static constexpr char phrase[] = "Keltora host: tag-protected LISP source lines, key 1";
        crypto_generichash(bytes.data(), bytes.size(), reinterpret_cast<const unsigned char*>(phrase), sizeof phrase - 1,
                           nullptr, 0);
        return bytes;
    }();
    return key;
}

bool Ready()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

QByteArray SealLine(const QByteArray& plain)
{
    QByteArray sealed(int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES) + plain.size(), '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(sealed.data());
    randombytes_buf(bytes, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(bytes + crypto_secretbox_NONCEBYTES, reinterpret_cast<const unsigned char*>(plain.constData()),
                          std::size_t(plain.size()), bytes, Key().data());
    return sealed.toBase64();
}

}  // namespace

QByteArray CTqProtectedSourceCodec::Encode(const QString& text)
{
    if (!Ready())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line feed ends the last line; it does not start another.
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    QByteArray out = QByteArray(kHeader) + "\r\n";
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        out += SealLine(line.toUtf8()) + "\r\n";
    }
    return out;
}

bool CTqProtectedSourceCodec::DecodeLine(const QByteArray& line, QByteArray& plain)
{
    const QByteArray text = line.trimmed();
    if (text.isEmpty()) {
        plain.clear();
        return true;
    }
    if (!Ready())
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray& sealed = decoded.decoded;
    if (!decoded || sealed.size() < int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES))
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(sealed.constData());
    QByteArray opened(sealed.size() - int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES), '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(opened.data()), bytes + crypto_secretbox_NONCEBYTES,
                                   std::size_t(sealed.size()) - crypto_secretbox_NONCEBYTES, bytes, Key().data())
        != 0)
        return false;
    plain = opened;
    return true;
}
