// Where an object writes its group codes: a group-code list for users (entity data lists) or the
// tags of a DXF file of a given version. Objects write one sequence for both; the filer drops
// what the target does not hold (subclass markers in R12) and converts angles to degrees for DXF.
#pragma once

#include "OdDbDxfVersion.h"
#include "OdDbTag.h"

#include <QLatin1String>

class OdDbDxfOut {
public:
    enum class Target : std::uint8_t {
        GroupCodes,  // every geometry code, defaults included; angles in radians
        Dxf,         // optional codes only when they differ from their default; angles in degrees
    };

    // The tags are appended to the list, which must outlive the filer.
    OdDbDxfOut(OdDbTagList& tags, Target target, OdDbDxfVersion version = OdDbDxfVersion::kR2018)
        : m_tags(tags), m_target(target), m_version(version)
    {
    }

    bool isGroupCodes() const { return m_target == Target::GroupCodes; }
    bool isDxf() const { return m_target == Target::Dxf; }
    // True for a DXF file of R12, which has no subclass markers, owners or objects section.
    bool isR12() const { return isDxf() && m_version == OdDbDxfVersion::kR12; }
    OdDbDxfVersion version() const { return m_version; }

    void subclass(QLatin1String marker);
    void string(int code, const QString& value) { m_tags.push_back(OdDbTag::string(code, value)); }
    void real(int code, double value) { m_tags.push_back(OdDbTag::real(code, value)); }
    void point(int code, const OdGePoint3d& value) { m_tags.push_back(OdDbTag::point(code, value)); }
    void point2d(int code, double x, double y) { m_tags.push_back(OdDbTag::point(code, {x, y, 0.0}, true)); }
    void vector(int code, const OdGeVector3d& value) { point(code, {value.x, value.y, value.z}); }
    void int16(int code, int value) { m_tags.push_back(OdDbTag::int16(code, value)); }
    void int32(int code, std::int32_t value) { m_tags.push_back(OdDbTag::int32(code, value)); }
    void objectId(int code, OdDbObjectId value) { m_tags.push_back(OdDbTag::objectId(code, value)); }
    // An angle kept in radians.
    void angle(int code, double radians);
    void tag(const OdDbTag& tag) { m_tags.push_back(tag); }
    void tags(const OdDbTagList& tags) { m_tags.insert(m_tags.end(), tags.begin(), tags.end()); }

    // Optional geometry: always in group-code lists, in DXF only when not the default.
    void optionalReal(int code, double value, double byDefault);
    void optionalAngle(int code, double radians, double byDefault = 0.0);
    void optionalInt16(int code, int value, int byDefault);
    void optionalString(int code, const QString& value, const QString& byDefault);
    void optionalVector(int code, const OdGeVector3d& value, const OdGeVector3d& byDefault);

private:
    OdDbTagList& m_tags;
    Target m_target;
    OdDbDxfVersion m_version;
};
