// Ed25519 checks of downloads with libsodium.
#include "pluginmanager/update_signature.h"

#include <sodium.h>

namespace {

bool Decode(const QString& text, int size, QByteArray& bytes)
{
    const auto result = QByteArray::fromBase64Encoding(text.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.size() != size)
        return false;
    bytes = result.decoded;
    return true;
}

}  // namespace

SignatureCheck CheckUpdateSignature(const QByteArray& data, const QString& signature, const QString& publicKey)
{
    if (signature.trimmed().isEmpty())
        return SignatureCheck::Unsigned;
    QByteArray key;
    if (publicKey.trimmed().isEmpty() || !Decode(publicKey, crypto_sign_PUBLICKEYBYTES, key))
        return SignatureCheck::NoKey;
    QByteArray signatureBytes;
    if (sodium_init() < 0 || !Decode(signature, crypto_sign_BYTES, signatureBytes))
        return SignatureCheck::Invalid;
    const int verified = crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signatureBytes.constData()),
                                                     reinterpret_cast<const unsigned char*>(data.constData()),
                                                     std::size_t(data.size()),
                                                     reinterpret_cast<const unsigned char*>(key.constData()));
    return verified == 0 ? SignatureCheck::Valid : SignatureCheck::Invalid;
}
