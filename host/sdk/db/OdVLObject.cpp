// Stored LISP data.
#include "OdVLObject.h"

namespace {

// Text longer than this travels in chunks, the full ones as 3 and the rest as 1.
constexpr int kChunkLength = 250;

}  // namespace

void OdVLObject::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("LispData"));
    const QString text = QString::fromUtf8(m_text.data(), int(m_text.size()));
    int start = 0;
    while (text.size() - start > kChunkLength) {
        out.string(3, text.mid(start, kChunkLength));
        start += kChunkLength;
    }
    out.string(1, text.mid(start));
    out.int32(90, std::int32_t(m_values.size()));
    for (double value : m_values)
        out.real(40, value);
    writeUnknownFields(out);
}

bool OdVLObject::readField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 3:
        if (in.firstOf(3))
            m_pendingChunks.clear();
        m_pendingChunks += tag.string();
        return true;
    case 1:
        m_text = (m_pendingChunks + tag.string()).toStdString();
        m_pendingChunks.clear();
        return true;
    case 90:
        return true;
    case 40:
        if (in.firstOf(40))
            m_values.clear();
        m_values.push_back(tag.number());
        return true;
    default:
        return false;
    }
}
