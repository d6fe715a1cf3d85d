// The workbench's system variables, unit formats and geometry.
#include "CTqWorkbenchUnitServices.h"
#include "../sdk/db/OdDbObject.h"
#include "TqSystemVariableTable.h"
#include "TqChainTags.h"
#include "TqPicking.h"
#include "TqObjectSnap.h"
#include "TqCoordinateSystems.h"

#include "CTqWorkbenchLispServices.h"
#include "TqAngularUnits.h"
#include "TqLinearUnits.h"
#include "TqPlaneGeometry.h"
#include "TqResultBuffers.h"
#include "TqTextMetric.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbSymbolTable.h"
#include "../sdk/db/OdDbTextStyleTableRecord.h"
#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

short CTqWorkbenchUnitServices::Fail(int errorNumber)
{
    m_services.SetErrorNumber(errorNumber);
    return tq::kError;
}

short CTqWorkbenchUnitServices::VariableType(const CTqString& name)
{
    const TqVariableDefinition* definition = TqSystemVariableTable::Find(name.toQString());
    return definition ? definition->type : short(-1);
}

short CTqWorkbenchUnitServices::GetVariable(const CTqString& name, TqResultBuffer*& value)
{
    return m_variables.Get(name.toQString(), value);
}

short CTqWorkbenchUnitServices::SetVariable(const CTqString& name, const TqResultBuffer& value)
{
    return m_variables.Set(name.toQString(), value);
}

short CTqWorkbenchUnitServices::ReplacementName(const CTqString& name, CTqString& replacement)
{
    const QString present = TqSystemVariableTable::ReplacementName(name.toQString());
    if (present.isEmpty())
        return tq::kNone;
    replacement = present;
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::Distance(const double (&from)[3], const double (&to)[3], double& distance)
{
    distance = TqPlaneGeometry::Distance(from, to);
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::Angle(const double (&from)[3], const double (&to)[3], double& angle)
{
    angle = TqPlaneGeometry::Angle(from, to);
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::Polar(const double (&base)[3], double angle, double distance, double (&point)[3])
{
    TqPlaneGeometry::Polar(base, angle, distance, point);
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::Intersection(const double (&p1)[3], const double (&p2)[3], const double (&p3)[3], const double (&p4)[3],
                                             bool segmentsOnly, double (&point)[3])
{
    return TqPlaneGeometry::Intersection(p1, p2, p3, p4, segmentsOnly, point) ? short(tq::kNormal) : Fail(tq::kErrNone);
}

short CTqWorkbenchUnitServices::TextBox(const TqResultBuffer* text, double (&lower)[3], double (&upper)[3])
{
    const TqResultBuffer* content = nullptr;
    const TqResultBuffer* height = nullptr;
    const TqResultBuffer* width = nullptr;
    const TqResultBuffer* obliquing = nullptr;
    QString styleName;
    for (const TqResultBuffer* record = text; record; record = record->next) {
        switch (record->restype) {
        case 1: content = record; break;
        case 7: styleName = record->value.string ? QString::fromUtf16(record->value.string) : QString(); break;
        case 40: height = record; break;
        case 41: width = record; break;
        case 51: obliquing = record; break;
        default: break;
        }
    }
    if (!content || !content->value.string)
        return Fail(tq::kErrBadValue);
    if (styleName.isEmpty())
        styleName = m_variables.Read(*TqSystemVariableTable::Find(QStringLiteral("TEXTSTYLE"))).text;
    const OdDbTextStyleTableRecord* style = nullptr;
    if (OdDbDatabase* db = GetTqSystemServices() && GetTqSystemServices()->CurrentDocument()
            ? GetTqSystemServices()->CurrentDocument()->Database() : nullptr) {
        if (OdDbSymbolTable* styles = db->symbolTable(OdDbSymbolTable::Kind::kTextStyle))
            style = styles->recordId(styleName).openObject<OdDbTextStyleTableRecord>();
    }
    double textHeight = m_variables.Real("TEXTSIZE");
    if (style && style->textSize() > 0.0)
        textHeight = style->textSize();
    if (height)
        textHeight = height->value.real;
    const double factor = width ? width->value.real : style ? style->xScale() : 1.0;
    const double slant = obliquing ? obliquing->value.real : style ? style->obliquingAngle() : 0.0;
    const TqTextBox box = TqTextMetric::Measure(QString::fromUtf16(content->value.string), textHeight, factor, slant);
    std::copy(std::begin(box.lower), std::end(box.lower), lower);
    std::copy(std::begin(box.upper), std::end(box.upper), upper);
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::Written(const QString& text, char16_t* buffer, int size)
{
    if (text.size() >= size)
        return Fail(tq::kErrBadValue);
    std::copy(text.utf16(), text.utf16() + text.size(), buffer);
    buffer[text.size()] = u'\0';
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::FormatDistance(double value, int mode, int precision, char16_t* text, int size)
{
    const TqUnitSettings settings = m_variables.UnitSettings();
    const auto formatted = TqLinearUnits::Format(value, mode == -1 ? settings.linearMode : mode,
                                                 precision == -1 ? settings.linearPrecision : precision, settings);
    return formatted ? Written(*formatted, text, size) : Fail(tq::kErrBadValue);
}

short CTqWorkbenchUnitServices::FormatAngle(double angle, int mode, int precision, char16_t* text, int size)
{
    const TqUnitSettings settings = m_variables.UnitSettings();
    const auto formatted = TqAngularUnits::Format(angle, mode == -1 ? settings.angularMode : mode,
                                                  precision == -1 ? settings.angularPrecision : precision, settings);
    return formatted ? Written(*formatted, text, size) : Fail(tq::kErrBadValue);
}

short CTqWorkbenchUnitServices::ParseDistance(const CTqString& text, int mode, double& value)
{
    if (mode != -1 && (mode < 1 || mode > 5))
        return Fail(tq::kErrBadValue);
    const auto parsed = TqLinearUnits::Parse(text.toQString());
    if (!parsed)
        return Fail(tq::kErrNone);
    value = *parsed;
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::ParseAngle(const CTqString& text, int mode, double& angle)
{
    if (mode < -1 || mode > 4)
        return Fail(tq::kErrBadValue);
    const auto parsed = TqAngularUnits::Parse(text.toQString(), mode, m_variables.UnitSettings());
    if (!parsed)
        return Fail(tq::kErrNone);
    angle = *parsed;
    return tq::kNormal;
}

const CTqUnitTable& CTqWorkbenchUnitServices::Units()
{
    QStringList files;
    const QString settings = m_services.FileServices().SettingsFolder();
    for (const QString& folder : QStringList{settings} + m_services.SupportFolders()) {
        if (!folder.isEmpty())
            files << QDir(folder).filePath(QStringLiteral("units.def"));
    }
    if (!m_units || files != m_unitFiles) {
        m_units = std::make_unique<CTqUnitTable>();
        m_units->ReadFile(QStringLiteral(":/units/units.def"));
        for (const QString& file : files)
            m_units->ReadFile(file);
        m_unitFiles = files;
    }
    return *m_units;
}

short CTqWorkbenchUnitServices::ConvertUnit(double value, const CTqString& from, const CTqString& to, double& result)
{
    const auto converted = Units().Convert(value, from.toQString(), to.toQString());
    if (!converted)
        return Fail(tq::kErrBadValue);
    result = *converted;
    return tq::kNormal;
}

// --- coordinate systems and object snaps ---------------------------------------------------------

namespace {

OdDbDatabase* CurrentDrawing()
{
    return TqCurrentDatabase();
}

}  // namespace

short CTqWorkbenchUnitServices::TransformPoint(const double (&point)[3], const TqResultBuffer& from, const TqResultBuffer& to,
                                               bool displacement, double (&result)[3])
{
    auto frameOf = [&](const TqResultBuffer& record, TqFrame& frame) {
        switch (TqValueTypeOfGroupCode(record.restype)) {
        case tqrt::kShort:
        case tqrt::kLong: {
            const int code = TqValueTypeOfGroupCode(record.restype) == tqrt::kShort ? record.value.int16 : record.value.int32;
            if (code == 0 || code == 3) {
                frame = TqFrame{};
                return true;
            }
            if (code == 1 || code == 2) {
                const CTqSystemVariables::Value origin = m_variables.Read(*TqSystemVariableTable::Find(QStringLiteral("UCSORG")));
                const CTqSystemVariables::Value x = m_variables.Read(*TqSystemVariableTable::Find(QStringLiteral("UCSXDIR")));
                const CTqSystemVariables::Value y = m_variables.Read(*TqSystemVariableTable::Find(QStringLiteral("UCSYDIR")));
                frame = TqUserFrame({origin.point[0], origin.point[1], origin.point[2]}, {x.point[0], x.point[1], x.point[2]},
                                    {y.point[0], y.point[1], y.point[2]});
                return true;
            }
            return false;
        }
        case tqrt::kPoint2d:
        case tqrt::kPoint3d:
            frame = TqObjectFrame({record.value.point[0], record.value.point[1], record.value.point[2]});
            return true;
        case tqrt::kEntityName: {
            const OdDbDatabase* db = CurrentDrawing();
            const OdDbObject* object = db ? TqIdOf(*db, {record.value.name[0], record.value.name[1]}).object() : nullptr;
            if (!object)
                return false;
            OdGePoint3d normal{0, 0, 1};
            for (const OdDbTag& tag : object->groupCodes()) {
                if (tag.code() == 210)
                    normal = tag.point();
            }
            frame = TqObjectFrame(normal);
            return true;
        }
        default:
            return false;
        }
    };
    TqFrame source, target;
    if (!frameOf(from, source) || !frameOf(to, target))
        return Fail(tq::kErrBadValue);
    const OdGePoint3d world = source.toWorld({point[0], point[1], point[2]}, displacement);
    const OdGePoint3d moved = target.fromWorld(world, displacement);
    result[0] = moved.x;
    result[1] = moved.y;
    result[2] = moved.z;
    return tq::kNormal;
}

short CTqWorkbenchUnitServices::SnapPoint(const double (&point)[3], const CTqString& modes, double (&result)[3])
{
    const OdDbDatabase* db = CurrentDrawing();
    if (!db)
        return Fail(tq::kErrNoDrawing);
    OdGePoint3d snapped;
    if (!TqSnap(*db, {point[0], point[1], point[2]}, modes.toQString(), TqPickAperture(*db), snapped))
        return tq::kNone;
    result[0] = snapped.x;
    result[1] = snapped.y;
    result[2] = snapped.z;
    return tq::kNormal;
}
