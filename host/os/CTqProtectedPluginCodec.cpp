// Protected plugin descriptions sealed with libsodium.
#include "CTqProtectedPluginCodec.h"

#include <sodium.h>

#include <array>

namespace {

constexpr char kMagic[] = "KTQPLG1\n";
constexpr int kMagicSize = 8;
constexpr int kHeaderSize = kMagicSize + crypto_secretbox_NONCEBYTES;

// The host's built-in key: a hash of a fixed phrase, so that no key bytes stand in the source.
const std::array<unsigned char, crypto_secretbox_KEYBYTES>& Key()
{
    static const std::array<unsigned char, crypto_secretbox_KEYBYTES> key = [] {
        std::array<unsigned char, crypto_secretbox_KEYBYTES> bytes{};
        static constexpr char phrase[] = "Keltora host: protected plugin descriptions, key 1";
        crypto_generichash(bytes.data(), bytes.size(), reinterpret_cast<const unsigned char*>(phrase),
                           sizeof phrase - 1, nullptr, 0);
        return bytes;
    }();
    return key;
}

bool Ready()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

}  // namespace

QByteArray CTqProtectedPluginCodec::Encode(const QByteArray& xml)
{
    if (!Ready())
        return {};
    QByteArray out(kHeaderSize + crypto_secretbox_MACBYTES + xml.size(), '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(out.data());
    std::copy(kMagic, kMagic + kMagicSize, out.data());
    randombytes_buf(bytes + kMagicSize, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(bytes + kHeaderSize, reinterpret_cast<const unsigned char*>(xml.constData()),
                          std::size_t(xml.size()), bytes + kMagicSize, Key().data());
    return out;
}

bool CTqProtectedPluginCodec::Decode(const QByteArray& content, QByteArray& xml)
{
    if (!Ready() || content.size() < kHeaderSize + int(crypto_secretbox_MACBYTES)
        || !content.startsWith(QByteArray(kMagic, kMagicSize)))
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.constData());
    const std::size_t sealedSize = std::size_t(content.size() - kHeaderSize);
    QByteArray plain(int(sealedSize - crypto_secretbox_MACBYTES), '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()), bytes + kHeaderSize, sealedSize,
                                   bytes + kMagicSize, Key().data())
        != 0)
        return false;
    xml = plain;
    return true;
}
