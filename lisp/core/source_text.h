// Turning the bytes of a source line into engine text.
#pragma once

#include "lisp/core/status.h"

#include <QByteArray>

#include <string>

class CTqLISPImpl;

// Decodes one line of a source file: UTF-8 when the file began with a byte-order mark (which is
// dropped from the first line), otherwise the system code page of the engine's host. Lines of a
// protected source pass through the decoding reader instead, which opens each with the host's
// codec of protected sources; ProtectedFileVersion when a line does not open.
LispStatus DecodeSourceLine(const CTqLISPImpl& engine, const QByteArray& bytes, bool firstLine, bool utf8, bool protectedSource,
                            std::u16string& text);
