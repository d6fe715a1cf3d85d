// Stored LISP data: the text of a LISP value with each real replaced by a placeholder, and the
// reals themselves. Kept under a key of a dictionary; written to DXF as a LISPDATA object with a
// CLASS entry of its own.
#pragma once

#include "OdDbObjectImpl.h"

#include <span>
#include <string>
#include <string_view>

class OdVLObject : public OdDbObjectImpl<OdVLObject, OdDbObject> {
public:
    static constexpr const char* kDxfName = "LISPDATA";

    QString dxfName() const override { return QString::fromLatin1(kDxfName); }

    // The text, as UTF-8.
    const std::string& data() const { return m_text; }
    void setData(std::string_view text) { m_text = std::string(text); }
    const std::vector<double>& values() const { return m_values; }
    void setValues(std::span<const double> values) { m_values.assign(values.begin(), values.end()); }

    void writeFields(OdDbDxfOut& out) const override;

protected:
    bool readField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override { return marker == QLatin1String("LispData"); }

private:
    std::string m_text;
    QString m_pendingChunks;
    std::vector<double> m_values;
};
