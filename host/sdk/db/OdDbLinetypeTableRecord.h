// A linetype: description, total pattern length and its dashes. Each dash is a 49 length tag
// followed by the shape or text codes of a complex linetype, kept as they came.
#pragma once

#include "OdDbSymbolTableRecord.h"

class OdDbLinetypeTableRecord : public OdDbObjectImpl<OdDbLinetypeTableRecord, OdDbSymbolTableRecord> {
public:
    OdDbLinetypeTableRecord() : OdDbObjectImpl(OdDbSymbolTable::Kind::kLinetype) {}

    const QString& comments() const { return m_description; }
    void setComments(const QString& text) { m_description = text; }
    double patternLength() const { return m_patternLength; }
    int numDashes() const;
    double dashLengthAt(int index) const;
    // Replaces the pattern by plain dashes (positive: line, negative: gap, zero: dot).
    void setDashes(const std::vector<double>& lengths);

protected:
    void writeRecordFields(OdDbDxfOut& out) const override;
    bool readRecordField(const OdDbTag& tag, OdDbDxfIn& in) override;

private:
    QString m_description;
    std::int16_t m_alignment = 65;
    double m_patternLength = 0.0;
    OdDbTagList m_dashes;
};
