// System variable values.
#include "CTqSystemVariables.h"
#include "TqChainTags.h"

#include "CTqWorkbenchLispServices.h"
#include "../framework/CTqDocumentImpl.h"
#include "../sdk/db/OdDbDatabase.h"
#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool Is(const TqVariableDefinition& definition, const char* name) { return std::strcmp(definition.name, name) == 0; }

QString HeaderName(const TqVariableDefinition& definition) { return QLatin1Char('$') + QLatin1String(definition.name); }

bool IsReal(short type) { return type == tqrt::kReal || type == tqrt::kAngle; }
bool IsPoint(short type) { return type == tqrt::kPoint2d || type == tqrt::kPoint3d; }

// The current color as users see it: BYLAYER, BYBLOCK or the color number.
QString ColorText(std::int64_t color)
{
    if (color == 256)
        return QStringLiteral("BYLAYER");
    if (color == 0)
        return QStringLiteral("BYBLOCK");
    return QString::number(color);
}

// The color number of a color text; -1 when it names no color.
int ColorNumber(const QString& text)
{
    static const char* const kNames[] = {"BYBLOCK", "RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
    const QString name = text.trimmed();
    if (name.compare(QLatin1String("BYLAYER"), Qt::CaseInsensitive) == 0)
        return 256;
    for (int i = 0; i < 8; ++i) {
        if (name.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    bool ok = false;
    const int number = name.toInt(&ok);
    return ok && number >= 1 && number <= 255 ? number : -1;
}

bool IsLineweight(int value)
{
    static const int kWeights[] = {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    return std::find(std::begin(kWeights), std::end(kWeights), value) != std::end(kWeights);
}

// The table whose current record a variable names.
const char16_t* CurrentRecordTable(const TqVariableDefinition& definition)
{
    if (Is(definition, "CLAYER"))
        return u"LAYER";
    if (Is(definition, "CELTYPE"))
        return u"LTYPE";
    if (Is(definition, "TEXTSTYLE"))
        return u"STYLE";
    return nullptr;
}

}  // namespace

CTqSystemVariables::CTqSystemVariables(CTqWorkbenchLispServices& services) : m_services(services)
{
    m_clock.start();
}

OdDbDatabase* CTqSystemVariables::Database() const
{
    return TqCurrentDatabase();
}

short CTqSystemVariables::Fail(int errorNumber)
{
    m_services.SetErrorNumber(errorNumber);
    return tq::kError;
}

CTqSystemVariables::Value CTqSystemVariables::Default(const TqVariableDefinition& definition) const
{
    Value value;
    value.number = definition.number;
    value.point[0] = definition.x;
    value.point[1] = definition.y;
    value.point[2] = definition.z;
    value.text = QString::fromUtf16(definition.text);
    return value;
}

CTqSystemVariables::Value CTqSystemVariables::Read(const TqVariableDefinition& definition)
{
    switch (definition.storage) {
    case TqVariableStorage::Computed:
        return Computed(definition);
    case TqVariableStorage::Session: {
        const auto found = m_session.constFind(QLatin1String(definition.name));
        return found == m_session.constEnd() ? Default(definition) : *found;
    }
    case TqVariableStorage::Header:
        break;
    }
    const OdDbDatabase* db = Database();
    const OdDbTagList* tags = db ? db->header().get(HeaderName(definition)) : nullptr;
    if (!tags || tags->empty())
        return Default(definition);
    const OdDbTag& tag = tags->front();
    Value value = Default(definition);
    if (Is(definition, "CECOLOR")) {
        value.text = ColorText(tag.integer());
    } else if (definition.type == tqrt::kString) {
        value.text = tag.string();
    } else if (IsPoint(definition.type)) {
        const OdGePoint3d point = tag.point();
        value.point[0] = point.x;
        value.point[1] = point.y;
        value.point[2] = definition.type == tqrt::kPoint2d ? 0.0 : point.z;
    } else {
        value.number = tag.number();
    }
    return value;
}

CTqSystemVariables::Value CTqSystemVariables::Computed(const TqVariableDefinition& definition)
{
    Value value = Default(definition);
    if (Is(definition, "ACADVER")) {
        int major = 0, minor = 0;
        if (GetTqSystemServices())
            GetTqSystemServices()->GetCoreVersion(major, minor);
        value.text = QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0'));
    } else if (Is(definition, "DWGNAME") || Is(definition, "DWGPREFIX")) {
        auto* document = dynamic_cast<CTqDocumentImpl*>(GetTqSystemServices() ? GetTqSystemServices()->CurrentDocument() : nullptr);
        const QString fileName = document ? document->FileName() : QString();
        if (Is(definition, "DWGNAME")) {
            value.text = fileName.isEmpty() ? QStringLiteral("Drawing1.dxf") : QFileInfo(fileName).fileName();
        } else {
            const QString folder = fileName.isEmpty() ? m_services.CurrentFolder() : QFileInfo(fileName).absolutePath();
            value.text = QDir::fromNativeSeparators(folder);
            if (!value.text.endsWith(QLatin1Char('/')))
                value.text += QLatin1Char('/');
        }
    } else if (Is(definition, "CDATE") || Is(definition, "DATE")) {
        const QDateTime now = QDateTime::currentDateTime();
        const QDate date = now.date();
        const QTime time = now.time();
        if (Is(definition, "CDATE"))
            value.number = date.year() * 10000.0 + date.month() * 100.0 + date.day()
                + (time.hour() * 10000000.0 + time.minute() * 100000.0 + time.second() * 1000.0 + time.msec()) / 1e9;
        else
            value.number = double(date.toJulianDay()) + time.msecsSinceStartOfDay() / 86400000.0;
    } else if (Is(definition, "MILLISECS")) {
        value.number = double(m_clock.elapsed() % 2147483647);
    } else if (Is(definition, "ERRNO")) {
        value.number = m_services.ErrorNumber();
    } else if (Is(definition, "VIEWCTR") || Is(definition, "VIEWSIZE")) {
        const Value low = Read(*TqSystemVariableTable::Find(QStringLiteral("LIMMIN")));
        const Value high = Read(*TqSystemVariableTable::Find(QStringLiteral("LIMMAX")));
        value.point[0] = (low.point[0] + high.point[0]) / 2.0;
        value.point[1] = (low.point[1] + high.point[1]) / 2.0;
        value.number = high.point[1] - low.point[1];
    } else if (Is(definition, "WORLDUCS")) {
        const Value origin = Read(*TqSystemVariableTable::Find(QStringLiteral("UCSORG")));
        const Value x = Read(*TqSystemVariableTable::Find(QStringLiteral("UCSXDIR")));
        const Value y = Read(*TqSystemVariableTable::Find(QStringLiteral("UCSYDIR")));
        const bool world = origin.point[0] == 0 && origin.point[1] == 0 && origin.point[2] == 0 && x.point[0] == 1 && x.point[1] == 0
            && x.point[2] == 0 && y.point[0] == 0 && y.point[1] == 1 && y.point[2] == 0;
        value.number = world ? 1 : 0;
    }
    return value;
}

short CTqSystemVariables::Get(const QString& name, TqResultBuffer*& record)
{
    record = nullptr;
    const TqVariableDefinition* definition = TqSystemVariableTable::Find(name);
    if (!definition)
        return Fail(tq::kErrUnknownVariable);
    const Value value = Read(*definition);
    record = m_services.NewResultBuffer(definition->type);
    if (!record)
        return Fail(tq::kErrMemory);
    switch (definition->type) {
    case tqrt::kShort: record->value.int16 = short(value.number); break;
    case tqrt::kLong: record->value.int32 = std::int32_t(value.number); break;
    case tqrt::kReal:
    case tqrt::kAngle: record->value.real = value.number; break;
    case tqrt::kPoint2d:
    case tqrt::kPoint3d: std::copy(std::begin(value.point), std::end(value.point), record->value.point); break;
    default: {
        const std::u16string text = value.text.toStdU16String();
        record->value.string = TqAllocText(text.data(), text.size());
        if (!record->value.string) {
            m_services.ReleaseChain(record);
            record = nullptr;
            return Fail(tq::kErrMemory);
        }
    }
    }
    return tq::kNormal;
}

short CTqSystemVariables::Check(const TqVariableDefinition& definition, const Value& value) const
{
    if (definition.type == tqrt::kShort) {
        if (value.number < definition.minimum || value.number > definition.maximum)
            return tq::kErrParameterOutOfRange;
        if (Is(definition, "CELWEIGHT") && !IsLineweight(int(value.number)))
            return tq::kErrParameterOutOfRange;
    } else if (IsReal(definition.type)) {
        if (!std::isfinite(value.number) || value.number < definition.minimum || (definition.positive && value.number <= 0.0))
            return tq::kErrParameterOutOfRange;
    } else if (Is(definition, "CECOLOR") && ColorNumber(value.text) < 0) {
        return tq::kErrBadValue;
    }
    return tq::kErrNone;
}

short CTqSystemVariables::Set(const QString& name, const TqResultBuffer& record)
{
    const TqVariableDefinition* definition = TqSystemVariableTable::Find(name);
    if (!definition || (definition->readOnly))
        return Fail(tq::kErrUnknownVariable);
    const short type = definition->type;
    const bool typeMatches = record.restype == type || (IsReal(type) && IsReal(record.restype));
    if (!typeMatches)
        return Fail(tq::kErrBadValue);
    Value value;
    switch (type) {
    case tqrt::kShort: value.number = record.value.int16; break;
    case tqrt::kLong: value.number = record.value.int32; break;
    case tqrt::kReal:
    case tqrt::kAngle: value.number = record.value.real; break;
    case tqrt::kPoint2d:
    case tqrt::kPoint3d:
        std::copy(std::begin(record.value.point), std::end(record.value.point), value.point);
        if (type == tqrt::kPoint2d)
            value.point[2] = 0.0;
        break;
    default: value.text = record.value.string ? QString::fromUtf16(record.value.string) : QString(); break;
    }
    if (const short problem = Check(*definition, value); problem != tq::kErrNone)
        return Fail(problem);
    return Write(*definition, value);
}

short CTqSystemVariables::Write(const TqVariableDefinition& definition, const Value& value)
{
    if (definition.storage == TqVariableStorage::Computed) {
        // ERRNO is the only computed variable programs may set.
        m_services.SetErrorNumber(int(value.number));
        return tq::kNormal;
    }
    if (definition.storage == TqVariableStorage::Session) {
        m_session.insert(QLatin1String(definition.name), value);
        return tq::kNormal;
    }
    // Current records go through the table services, so that CLAYER and tblset agree.
    if (const char16_t* table = CurrentRecordTable(definition)) {
        if (m_services.Tables()->TableSetCurrent(CTqString(table), CTqString(value.text)) != tq::kNormal)
            return Fail(tq::kErrBadValue);
        return tq::kNormal;
    }
    OdDbDatabase* db = Database();
    if (!db)
        return Fail(tq::kErrNoDrawing);
    OdDbTag tag;
    const int code = definition.code;
    if (Is(definition, "CECOLOR"))
        tag = OdDbTag::int16(code, ColorNumber(value.text));
    else if (definition.type == tqrt::kString)
        tag = OdDbTag::string(code, value.text);
    else if (definition.type == tqrt::kShort)
        tag = OdDbTag::int16(code, int(value.number));
    else if (IsPoint(definition.type))
        tag = OdDbTag::point(code, {value.point[0], value.point[1], value.point[2]}, definition.type == tqrt::kPoint2d);
    else
        tag = OdDbTag::real(code, value.number);
    db->header().set(HeaderName(definition), {tag});
    return tq::kNormal;
}

double CTqSystemVariables::Real(const char* name)
{
    const TqVariableDefinition* definition = TqSystemVariableTable::Find(QLatin1String(name));
    return definition ? Read(*definition).number : 0.0;
}

TqUnitSettings CTqSystemVariables::UnitSettings()
{
    TqUnitSettings settings;
    settings.linearMode = int(Real("LUNITS"));
    settings.linearPrecision = int(Real("LUPREC"));
    settings.angularMode = int(Real("AUNITS"));
    settings.angularPrecision = int(Real("AUPREC"));
    settings.angleBase = Real("ANGBASE");
    settings.clockwise = Real("ANGDIR") != 0.0;
    settings.asEntered = Real("UNITMODE") != 0.0;
    settings.zeroSuppression = int(Real("DIMZIN"));
    return settings;
}
