// TEXT.
#include "OdDbText.h"

#include "OdDbDatabase.h"
#include "OdDbSymbolTable.h"

void OdDbText::writeTextFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbText"));
    out.optionalReal(39, m_thickness, 0.0);
    out.point(10, m_position);
    out.real(40, m_height);
    out.string(1, m_text);
    out.optionalAngle(50, m_rotation);
    out.optionalReal(41, m_widthFactor, 1.0);
    out.optionalAngle(51, m_oblique);
    out.optionalString(7, m_style, QStringLiteral("Standard"));
    out.optionalInt16(71, m_generation, 0);
    out.optionalInt16(72, m_horizontal, 0);
    if (out.isGroupCodes() || m_hasAlignment)
        out.point(11, m_alignment);
    out.optionalVector(210, m_normal, OdGeVector3d::kZAxis());
}

void OdDbText::writeEntityFields(OdDbDxfOut& out) const
{
    writeTextFields(out);
    out.subclass(QLatin1String("AcDbText"));
    out.optionalInt16(73, m_vertical, 0);
}

bool OdDbText::readTextField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 10:
        m_position = tag.point();
        return true;
    case 11:
        m_alignment = tag.point();
        m_hasAlignment = true;
        return true;
    case 1:
        m_text = tag.string();
        return true;
    case 40:
        m_height = tag.number();
        return true;
    case 50:
        m_rotation = in.angle(tag);
        return true;
    case 41:
        m_widthFactor = tag.number();
        return true;
    case 51:
        m_oblique = in.angle(tag);
        return true;
    case 39:
        m_thickness = tag.number();
        return true;
    case 7:
        m_style = tag.string();
        return true;
    case 71:
        m_generation = std::int16_t(tag.integer());
        return true;
    case 72:
        m_horizontal = std::int16_t(tag.integer());
        return true;
    case 210:
        m_normal = {tag.point().x, tag.point().y, tag.point().z};
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbText::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    if (tag.code() == 73) {
        m_vertical = std::int16_t(tag.integer());
        return true;
    }
    return readTextField(tag, in);
}

bool OdDbText::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbText") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbText::finishFields(OdDbDxfIn& in)
{
    return in.require({10, 1}, dxfName());
}

OdResult OdDbText::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    if (db.symbolTable(OdDbSymbolTable::Kind::kTextStyle)->recordId(m_style).isNull()) {
        message = QStringLiteral("text style \"%1\" is not defined").arg(m_style);
        return OdResult::eUndefinedReference;
    }
    return OdDbEntity::resolveReferences(db, create, message);
}
