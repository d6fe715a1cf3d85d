// Checks a downloaded update against the Ed25519 signature its feed announced.
#pragma once

#include "pluginmanager/plugin_export.h"

#include <QByteArray>
#include <QString>

enum class SignatureCheck {
    Valid,
    Invalid,   // a signature was given and does not verify, or is malformed
    NoKey,     // a signature was given but no usable public key is known
    Unsigned,  // the feed gave no signature
};

// signature and publicKey are base64 (64 and 32 bytes decoded).
PLUGINMANAGER_EXPORT SignatureCheck CheckUpdateSignature(const QByteArray& data, const QString& signature, const QString& publicKey);
