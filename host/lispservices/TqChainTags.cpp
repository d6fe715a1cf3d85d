// Result-buffer chains and group-code lists.
#include "TqChainTags.h"

#include "TqResultBuffers.h"
#include "host/CTqSystemServices.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbObject.h"

#include <cmath>

namespace {

QString recordText(const TqResultBuffer& record)
{
    return record.value.string ? QString::fromUtf16(record.value.string) : QString();
}

// The record's value as a number, when its value type holds one.
bool recordNumber(const TqResultBuffer& record, short valueType, double& number)
{
    switch (valueType) {
    case tqrt::kReal:
    case tqrt::kAngle: number = record.value.real; return true;
    case tqrt::kShort: number = record.value.int16; return true;
    case tqrt::kLong: number = record.value.int32; return true;
    default: return false;
    }
}

bool recordToTag(const TqResultBuffer& record, const OdDbDatabase& database, OdDbTag& tag)
{
    const int code = record.restype;
    const short valueType = TqValueTypeOfGroupCode(code);
    if (code >= tqrt::kNone && code <= tqrt::kFunction)
        return false;  // a bare value, not a group code
    double number = 0.0;
    switch (OdDxfCode::type(code)) {
    case OdDxfCode::Type::None:
        tag = OdDbTag::none(code);
        return true;
    case OdDxfCode::Type::String:
        if (valueType != tqrt::kString)
            return false;
        tag = OdDbTag::string(code, recordText(record));
        return true;
    case OdDxfCode::Type::Real:
        if (!recordNumber(record, valueType, number))
            return false;
        tag = OdDbTag::real(code, number);
        return true;
    case OdDxfCode::Type::Point:
        if (valueType != tqrt::kPoint3d && valueType != tqrt::kPoint2d && valueType != tqrt::kOrientation)
            return false;
        tag = OdDbTag::point(code, {record.value.point[0], record.value.point[1], record.value.point[2]});
        return true;
    case OdDxfCode::Type::Int16:
    case OdDxfCode::Type::Int32:
    case OdDxfCode::Type::Int64: {
        if (!recordNumber(record, valueType, number))
            return false;
        const auto value = std::int64_t(std::trunc(number));
        const OdDxfCode::Type type = OdDxfCode::type(code);
        tag = type == OdDxfCode::Type::Int16 ? OdDbTag::int16(code, int(std::int16_t(value)))
            : type == OdDxfCode::Type::Int32 ? OdDbTag::int32(code, std::int32_t(value))
                                             : OdDbTag::int64(code, value);
        return true;
    }
    case OdDxfCode::Type::ObjectId: {
        OdDbObjectId id;
        if (valueType == tqrt::kEntityName || valueType == tqrt::kSelectionSet) {
            const TqName name{record.value.name[0], record.value.name[1]};
            if (!name.isNull()) {
                id = TqIdOf(database, name);
                if (id.isNull())
                    return false;
            }
        } else if (valueType == tqrt::kString) {
            // Handle codes travel as text.
            OdDbHandle handle;
            if (!OdDbHandle::parse(QStringView(recordText(record)), handle))
                return false;
            id = database.getOdDbObjectId(handle);
        } else {
            return false;
        }
        tag = OdDbTag::objectId(code, id);
        return true;
    }
    case OdDxfCode::Type::Binary:
        if (valueType != tqrt::kBinaryChunk)
            return false;
        tag = OdDbTag::binary(code, QByteArray(reinterpret_cast<const char*>(record.value.binary.bytes),
                                               record.value.binary.bytes ? record.value.binary.length : 0));
        return true;
    }
    return false;
}

bool fillRecord(TqResultBuffer& record, const OdDbTag& tag)
{
    switch (TqValueTypeOfGroupCode(tag.code())) {
    case tqrt::kReal:
    case tqrt::kAngle: record.value.real = tag.number(); return true;
    case tqrt::kShort: record.value.int16 = short(tag.integer()); return true;
    case tqrt::kLong: record.value.int32 = std::int32_t(tag.integer()); return true;
    case tqrt::kPoint2d:
    case tqrt::kPoint3d:
    case tqrt::kOrientation: {
        const OdGePoint3d point = tag.point();
        record.value.point[0] = point.x;
        record.value.point[1] = point.y;
        record.value.point[2] = point.z;
        return true;
    }
    case tqrt::kEntityName: {
        const TqName name = TqNameOf(tag.objectId());
        record.value.name[0] = name.word1;
        record.value.name[1] = name.word2;
        return true;
    }
    case tqrt::kString: {
        const QString text = tag.type() == OdDxfCode::Type::ObjectId ? tag.objectId().handle().ascii() : tag.string();
        record.value.string = TqAllocText(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
        return record.value.string != nullptr;
    }
    case tqrt::kBinaryChunk: {
        const QByteArray& bytes = tag.binary();
        record.value.binary.length = short(std::min<qsizetype>(bytes.size(), 32767));
        record.value.binary.bytes = TqAllocBytes(std::size_t(record.value.binary.length) + 1);
        if (!record.value.binary.bytes)
            return false;
        std::copy_n(bytes.constData(), record.value.binary.length, record.value.binary.bytes);
        return true;
    }
    default:
        return true;  // -3 and codes without a value
    }
}

}  // namespace

OdDbDatabase* TqCurrentDatabase()
{
    CTqDocument* document = GetTqSystemServices() ? GetTqSystemServices()->CurrentDocument() : nullptr;
    return document ? document->Database() : nullptr;
}

TqName TqNameOf(OdDbObjectId id)
{
    if (id.isNull() || !id.database())
        return {};
    return {id.database()->serialNumber(), id.handle().value()};
}

OdDbObjectId TqIdOf(const OdDbDatabase& database, TqName name)
{
    if (name.word1 != database.serialNumber())
        return {};
    const OdDbObjectId id = database.getOdDbObjectId(OdDbHandle(name.word2));
    return id.isValid() ? id : OdDbObjectId();
}

bool TqChainToTags(const TqResultBuffer* chain, const OdDbDatabase& database, OdDbTagList& tags, QString& message)
{
    tags.clear();
    for (const TqResultBuffer* record = chain; record; record = record->next) {
        OdDbTag tag;
        if (!recordToTag(*record, database, tag)) {
            message = QStringLiteral("group code %1 cannot take that value").arg(record->restype);
            return false;
        }
        tags.push_back(std::move(tag));
    }
    return true;
}

bool TqTagsToChain(const OdDbTagList& tags, TqResultBuffer*& chain)
{
    chain = nullptr;
    TqResultBuffer* tail = nullptr;
    for (const OdDbTag& tag : tags) {
        TqResultBuffer* record = TqNewResultBuffer(short(tag.code()));
        if (!record) {
            TqReleaseChain(chain);
            chain = nullptr;
            return false;
        }
        (tail ? tail->next : chain) = record;
        tail = record;
        if (!fillRecord(*record, tag)) {
            TqReleaseChain(chain);
            chain = nullptr;
            return false;
        }
    }
    return true;
}
