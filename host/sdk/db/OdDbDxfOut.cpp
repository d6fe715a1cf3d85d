// Writing group codes for lists and files.
#include "OdDbDxfOut.h"

void OdDbDxfOut::subclass(QLatin1String marker)
{
    if (!isR12())
        m_tags.push_back(OdDbTag::string(100, QString(marker)));
}

void OdDbDxfOut::angle(int code, double radians)
{
    real(code, isDxf() ? radians * OdDxfCode::kDegreesPerRadian : radians);
}

void OdDbDxfOut::optionalReal(int code, double value, double byDefault)
{
    if (isGroupCodes() || value != byDefault)
        real(code, value);
}

void OdDbDxfOut::optionalAngle(int code, double radians, double byDefault)
{
    if (isGroupCodes() || radians != byDefault)
        angle(code, radians);
}

void OdDbDxfOut::optionalInt16(int code, int value, int byDefault)
{
    if (isGroupCodes() || value != byDefault)
        int16(code, value);
}

void OdDbDxfOut::optionalString(int code, const QString& value, const QString& byDefault)
{
    if (isGroupCodes() || value.compare(byDefault, Qt::CaseInsensitive) != 0)
        string(code, value);
}

void OdDbDxfOut::optionalVector(int code, const OdGeVector3d& value, const OdGeVector3d& byDefault)
{
    if (isGroupCodes() || !(value == byDefault))
        vector(code, value);
}
