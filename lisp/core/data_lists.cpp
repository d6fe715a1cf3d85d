// Entity data lists and result-buffer chains.
#include "lisp/core/data_lists.h"

#include "lisp/core/engine.h"

#include <cmath>
#include <cstring>

namespace {

bool InRange(short valueType, int first, int last) { return valueType >= first && valueType <= last; }
bool OutsideValueTypes(short valueType) { return valueType < tqrt::kNone || valueType > tqrt::kFunction; }

// Up to three numbers from `first` and the nodes after it; the first non-number ends the point.
void PointFrom(const LispNode* first, double (&point)[3])
{
    point[0] = point[1] = point[2] = 0.0;
    int i = 0;
    for (const LispNode* node = first; node && i < 3 && IsNumber(node); node = node->next)
        point[i++] = NumberValue(node);
}

void StorePoint(TqResultBuffer& record, const double (&point)[3], bool flat)
{
    record.value.point[0] = point[0];
    record.value.point[1] = point[1];
    record.value.point[2] = flat ? 0.0 : point[2];
}

LispStatus StoreText(TqResultBuffer& record, std::u16string_view text)
{
    record.value.string = TqAllocText(text.data(), text.size());
    return record.value.string ? LispStatus::Ok : LispStatus::MemoryError;
}

// The value of one group code: `value` is the node after the code (null for none).
LispStatus ConvertValue(CTqLISPImpl& engine, TqResultBuffer& record, const LispNode* value, short valueType)
{
    if (!value || IsNil(value)) {
        const bool accepted = valueType == tqrt::kFromValue || valueType == 5012 || valueType == 5013 || valueType == 5015
            || valueType == tqrt::kNil || OutsideValueTypes(valueType);
        return accepted ? LispStatus::Ok : LispStatus::InvalidParameter;
    }
    double point[3];
    switch (value->type) {
    case NodeType::List:
    case NodeType::DottedList: {
        if (InRange(valueType, 5000, 5001) || InRange(valueType, 5003, 5007) || valueType == tqrt::kLong || valueType == tqrt::kFromValue
            || valueType == tqrt::kVoid || InRange(valueType, 5016, 5021) || valueType == tqrt::kFunction)
            return LispStatus::InvalidParameter;
        if (valueType == tqrt::kBinaryChunk) {
            const std::uint64_t count = ListLength(value);
            if (count > 32767)
                return LispStatus::InvalidParameter;
            for (const LispNode* byte = value->first; byte; byte = byte->next) {
                if (!IsInteger(byte) || byte->payload.integer < 0 || byte->payload.integer > 255)
                    return LispStatus::InvalidParameter;
            }
            record.value.binary.bytes = TqAllocBytes(count + 1);
            if (!record.value.binary.bytes)
                return LispStatus::MemoryError;
            record.value.binary.length = short(count);
            int i = 0;
            for (const LispNode* byte = value->first; byte; byte = byte->next)
                record.value.binary.bytes[i++] = static_cast<unsigned char>(byte->payload.integer);
            return LispStatus::Ok;
        }
        PointFrom(value->first, point);
        StorePoint(record, point, valueType == tqrt::kPoint2d);
        return LispStatus::Ok;
    }
    case NodeType::Integer:
    case NodeType::Real: {
        const bool isInteger = value->type == NodeType::Integer;
        if (valueType == tqrt::kNone || InRange(valueType, 5005, 5007) || valueType == tqrt::kVoid || InRange(valueType, 5016, 5023))
            return LispStatus::InvalidParameter;
        const double number = NumberValue(value);
        switch (valueType) {
        case tqrt::kPoint2d:
        case tqrt::kOrientation:
        case tqrt::kPoint3d:
            PointFrom(value, point);
            StorePoint(record, point, valueType == tqrt::kPoint2d);
            return LispStatus::Ok;
        case tqrt::kLong:
            record.value.int32 = isInteger ? value->payload.integer : std::int32_t(std::trunc(number));
            return LispStatus::Ok;
        case tqrt::kFromValue:
            record.restype = tqrt::kShort;
            record.value.int16 = short(isInteger ? value->payload.integer : std::int32_t(std::trunc(number)));
            return LispStatus::Ok;
        case tqrt::kReal:
        case tqrt::kAngle:
            record.value.real = number;
            return LispStatus::Ok;
        case tqrt::kShort:
            record.value.int16 = short(isInteger ? value->payload.integer : std::int32_t(std::trunc(number)));
            return LispStatus::Ok;
        default:
            if (isInteger)
                record.value.int16 = short(value->payload.integer);
            else
                record.value.real = number;
            return LispStatus::Ok;
        }
    }
    case NodeType::ShortString:
    case NodeType::String:
        if (InRange(valueType, 5000, 5004) || InRange(valueType, 5006, 5010) || valueType == tqrt::kVoid || InRange(valueType, 5016, 5023))
            return LispStatus::InvalidParameter;
        record.restype = valueType == tqrt::kString ? record.restype : short(tqrt::kString);
        return StoreText(record, StringText(value));
    case NodeType::Constant: {
        const bool accepted = valueType == tqrt::kFromValue || valueType == 5012 || valueType == 5013 || valueType == 5015
            || valueType == tqrt::kT || OutsideValueTypes(valueType);
        return accepted ? LispStatus::Ok : LispStatus::InvalidParameter;
    }
    case NodeType::Nothing: {
        const bool accepted = valueType < tqrt::kReal || InRange(valueType, 5011, 5015) || valueType > tqrt::kFunction;
        return accepted ? LispStatus::Ok : LispStatus::InvalidParameter;
    }
    case NodeType::EntityName:
    case NodeType::PickSet: {
        const bool accepted = valueType == tqrt::kEntityName || valueType == tqrt::kSelectionSet || valueType == 5012
            || valueType == 5013 || valueType == 5015 || OutsideValueTypes(valueType);
        if (!accepted)
            return LispStatus::InvalidParameter;
        record.value.name[0] = value->payload.words[0];
        record.value.name[1] = value->payload.words[1];
        return LispStatus::Ok;
    }
    default:
        (void)engine;
        return LispStatus::InvalidParameter;
    }
}

// Elements from `element` on, each (code . value) or an application sublist ("APP" cells...).
LispStatus ConvertElements(CTqLISPImpl& engine, const LispNode* element, ChainBuilder& chain)
{
    CTqLispServices& services = *engine.Services();
    for (; element; element = element->next) {
        if (!IsConsList(element))
            return LispStatus::InvalidParameter;
        const LispNode* first = element->first;
        if (IsInteger(first)) {
            const std::int32_t code = first->payload.integer;
            TqResultBuffer* record = chain.Add(short(code));
            if (!record)
                return LispStatus::MemoryError;
            if (code == -3)
                LISP_TRY(ConvertElements(engine, first->next, chain));
            else
                LISP_TRY(ConvertValue(engine, *record, first->next, services.ValueTypeOfGroupCode(code)));
        } else if (IsStringNode(first)) {
            TqResultBuffer* record = chain.Add(1001);
            if (!record)
                return LispStatus::MemoryError;
            LISP_TRY(StoreText(*record, StringText(first)));
            LISP_TRY(ConvertElements(engine, first->next, chain));
        } else {
            return LispStatus::InvalidParameter;
        }
    }
    return LispStatus::Ok;
}

LispStatus MakeName(CTqLISPImpl& engine, const TqResultBuffer& record, bool pickSet, LispNode*& out)
{
    return pickSet ? engine.MakePickSet(record.value.name[0], record.value.name[1], out)
                   : engine.MakeEntityName(record.value.name[0], record.value.name[1], out);
}

// (code . value), (code x y [z]), (code b1 b2 ...) or (code) for a record without value.
LispStatus MakeCell(CTqLISPImpl& engine, const TqResultBuffer& record, LispNode*& out)
{
    ListBuilder cell(engine);
    LISP_TRY(cell.Begin());
    NodeRef code(engine);
    LISP_TRY(engine.MakeInteger(record.restype, code.slot()));
    cell.Append(code.take());
    const short valueType = engine.Services()->ValueTypeOfGroupCode(record.restype);
    NodeRef value(engine);
    bool dotted = true;
    switch (valueType) {
    case tqrt::kReal:
    case tqrt::kAngle: LISP_TRY(engine.MakeReal(record.value.real, value.slot())); break;
    case tqrt::kShort: LISP_TRY(engine.MakeInteger(record.value.int16, value.slot())); break;
    case tqrt::kLong: LISP_TRY(engine.MakeInteger(record.value.int32, value.slot())); break;
    case tqrt::kString:
    case 0:
    case -4: LISP_TRY(engine.MakeLiteralString(record.value.string ? std::u16string_view(record.value.string) : std::u16string_view(), value.slot())); break;
    case tqrt::kEntityName:
    case -1:
    case -2: LISP_TRY(MakeName(engine, record, false, value.slot())); break;
    case tqrt::kSelectionSet: LISP_TRY(MakeName(engine, record, true, value.slot())); break;
    case tqrt::kVoid: LISP_TRY(engine.MakeNothing(value.slot())); break;
    case tqrt::kT: LISP_TRY(engine.MakeT(value.slot())); break;
    case tqrt::kNone:
    case tqrt::kNil: dotted = false; break;
    case tqrt::kPoint2d:
    case tqrt::kOrientation:
    case tqrt::kPoint3d: {
        dotted = false;
        const int count = valueType == tqrt::kPoint2d ? 2 : 3;
        for (int i = 0; i < count; ++i) {
            LISP_TRY(engine.MakeReal(record.value.point[i], value.slot()));
            cell.Append(value.take());
        }
        break;
    }
    case tqrt::kBinaryChunk: {
        dotted = false;
        for (int i = 0; record.value.binary.bytes && i < record.value.binary.length; ++i) {
            LISP_TRY(engine.MakeInteger(record.value.binary.bytes[i], value.slot()));
            cell.Append(value.take());
        }
        break;
    }
    case tqrt::kListBegin:
    case tqrt::kListEnd:
    case tqrt::kDot:
    case tqrt::kNeverConverted:
    case tqrt::kFunction: return LispStatus::InvalidParameter;
    default: return LispStatus::UnknownZazType;
    }
    if (value)
        cell.Append(value.take());
    LISP_TRY(cell.Finish(out, false));
    if (dotted)
        out->type = NodeType::DottedList;
    return LispStatus::Ok;
}

// One value of the plain conversion; `record` moves past what it used.
LispStatus PlainValue(CTqLISPImpl& engine, const TqResultBuffer*& record, LispNode*& out);

LispStatus PlainList(CTqLISPImpl& engine, const TqResultBuffer*& record, LispNode*& out)
{
    CTqLispServices& services = *engine.Services();
    ListBuilder list(engine);
    LISP_TRY(list.Begin());
    bool dotted = false;
    while (record && services.ValueTypeOfGroupCode(record->restype) != tqrt::kListEnd) {
        if (services.ValueTypeOfGroupCode(record->restype) == tqrt::kDot) {
            dotted = true;
            record = record->next;
            continue;
        }
        NodeRef element(engine);
        LISP_TRY(PlainValue(engine, record, element.slot()));
        list.Append(element.take());
    }
    if (record)
        record = record->next;  // the list end
    LISP_TRY(list.Finish(out, true));
    if (dotted && out->type == NodeType::List)
        out->type = NodeType::DottedList;
    return LispStatus::Ok;
}

LispStatus PlainValue(CTqLISPImpl& engine, const TqResultBuffer*& record, LispNode*& out)
{
    const TqResultBuffer& current = *record;
    const short valueType = engine.Services()->ValueTypeOfGroupCode(current.restype);
    if (valueType == tqrt::kListBegin) {
        record = record->next;
        return PlainList(engine, record, out);
    }
    record = record->next;
    switch (valueType) {
    case tqrt::kReal:
    case tqrt::kAngle: return engine.MakeReal(current.value.real, out);
    case tqrt::kPoint2d: return engine.MakePoint(std::span<const double>(current.value.point, 2), out);
    case tqrt::kOrientation:
    case tqrt::kPoint3d: return engine.MakePoint(std::span<const double>(current.value.point, 3), out);
    case tqrt::kShort: return engine.MakeInteger(current.value.int16, out);
    case tqrt::kLong: return engine.MakeInteger(current.value.int32, out);
    case tqrt::kString:
    case 0:
    case -4: return engine.MakeLiteralString(current.value.string ? std::u16string_view(current.value.string) : std::u16string_view(), out);
    case tqrt::kEntityName:
    case -1:
    case -2: return MakeName(engine, current, false, out);
    case tqrt::kSelectionSet: return MakeName(engine, current, true, out);
    case tqrt::kVoid: return engine.MakeNothing(out);
    case tqrt::kT: return engine.MakeT(out);
    case tqrt::kNone:
    case tqrt::kNil:
    case tqrt::kNeverConverted:
    case tqrt::kFunction: return engine.MakeNil(out);
    case tqrt::kBinaryChunk: {
        ListBuilder bytes(engine);
        LISP_TRY(bytes.Begin());
        for (int i = 0; current.value.binary.bytes && i < current.value.binary.length; ++i) {
            NodeRef byte(engine);
            LISP_TRY(engine.MakeInteger(current.value.binary.bytes[i], byte.slot()));
            bytes.Append(byte.take());
        }
        return bytes.Finish(out, true);
    }
    default:
        LISP_TRY(engine.MakeNil(out));
        return LispStatus::ResultBufferTypeNotImplemented;
    }
}

}  // namespace

bool PointArgument(const LispNode* value, double (&point)[3])
{
    if (!value || value->type != NodeType::List)
        return false;
    int count = 0;
    for (const LispNode* element = value->first; element; element = element->next) {
        if (!IsNumber(element) || count == 3)
            return false;
        point[count++] = NumberValue(element);
    }
    if (count < 2)
        return false;
    if (count == 2)
        point[2] = 0.0;
    return true;
}

LispStatus DataListToChain(CTqLISPImpl& engine, const LispNode* list, ChainBuilder& chain)
{
    if (!engine.Services())
        return LispStatus::NoDrawingDatabase;
    if (!IsConsList(list))
        return LispStatus::InvalidParameter;
    return ConvertElements(engine, list->first, chain);
}

LispStatus ValueToSingleRecord(CTqLISPImpl& engine, const LispNode* value, ChainBuilder& chain)
{
    if (!engine.Services())
        return LispStatus::NoDrawingDatabase;
    if (!value)
        return LispStatus::InvalidOperand;
    auto add = [&](short type) -> TqResultBuffer* { return chain.Add(type); };
    if (IsNil(value))
        return add(tqrt::kNil) ? LispStatus::Ok : LispStatus::MemoryError;
    TqResultBuffer* record = nullptr;
    switch (value->type) {
    case NodeType::List:
    case NodeType::DottedList: {
        double point[3];
        if (!PointArgument(value, point))
            return LispStatus::NoPointList;
        if (!(record = add(tqrt::kPoint3d)))
            return LispStatus::MemoryError;
        StorePoint(*record, point, false);
        return LispStatus::Ok;
    }
    case NodeType::Integer:
        if (!(record = add(tqrt::kShort)))
            return LispStatus::MemoryError;
        record->value.int16 = short(value->payload.integer);
        return LispStatus::Ok;
    case NodeType::Real:
        if (!(record = add(tqrt::kReal)))
            return LispStatus::MemoryError;
        record->value.real = value->payload.real;
        return LispStatus::Ok;
    case NodeType::ShortString:
    case NodeType::String:
        if (!(record = add(tqrt::kString)))
            return LispStatus::MemoryError;
        return StoreText(*record, StringText(value));
    case NodeType::Constant:
        return add(tqrt::kT) ? LispStatus::Ok : LispStatus::MemoryError;
    case NodeType::Nothing:
        return add(tqrt::kVoid) ? LispStatus::Ok : LispStatus::MemoryError;
    case NodeType::EntityName:
    case NodeType::PickSet:
        if (!(record = add(value->type == NodeType::EntityName ? tqrt::kEntityName : tqrt::kSelectionSet)))
            return LispStatus::MemoryError;
        record->value.name[0] = value->payload.words[0];
        record->value.name[1] = value->payload.words[1];
        return LispStatus::Ok;
    default:
        return LispStatus::InvalidParameter;
    }
}

LispStatus DataElementsToChain(CTqLISPImpl& engine, const LispNode* firstElement, ChainBuilder& chain)
{
    if (!engine.Services())
        return LispStatus::NoDrawingDatabase;
    return ConvertElements(engine, firstElement, chain);
}

LispStatus ChainToDataList(CTqLISPImpl& engine, const TqResultBuffer* chain, LispNode*& out)
{
    ListBuilder result(engine);
    LISP_TRY(result.Begin());
    const TqResultBuffer* record = chain;
    while (record) {
        NodeRef element(engine);
        if (record->restype != -3) {
            LISP_TRY(MakeCell(engine, *record, element.slot()));
            result.Append(element.take());
            record = record->next;
            continue;
        }
        record = record->next;
        if (!record || record->restype != 1001)
            return LispStatus::InvalidExtendedData;
        ListBuilder extended(engine);
        LISP_TRY(extended.Begin());
        NodeRef marker(engine);
        LISP_TRY(engine.MakeInteger(-3, marker.slot()));
        extended.Append(marker.take());
        while (record && record->restype == 1001) {
            ListBuilder application(engine);
            LISP_TRY(application.Begin());
            NodeRef name(engine);
            LISP_TRY(engine.MakeLiteralString(record->value.string ? std::u16string_view(record->value.string) : std::u16string_view(), name.slot()));
            application.Append(name.take());
            for (record = record->next; record && record->restype != 1001 && record->restype != -3; record = record->next) {
                NodeRef cell(engine);
                LISP_TRY(MakeCell(engine, *record, cell.slot()));
                application.Append(cell.take());
            }
            NodeRef sublist(engine);
            LISP_TRY(application.Finish(sublist.slot(), false));
            extended.Append(sublist.take());
        }
        LISP_TRY(extended.Finish(element.slot(), false));
        result.Append(element.take());
    }
    return result.Finish(out, true);
}

LispStatus ChainToValues(CTqLISPImpl& engine, const TqResultBuffer* chain, LispNode*& out)
{
    if (!chain)
        return engine.MakeNothing(out);
    ListBuilder values(engine);
    LISP_TRY(values.Begin());
    for (const TqResultBuffer* record = chain; record;) {
        NodeRef value(engine);
        LISP_TRY(PlainValue(engine, record, value.slot()));
        values.Append(value.take());
    }
    return values.Finish(out, true);
}

LispStatus RecordToValue(CTqLISPImpl& engine, const TqResultBuffer& record, LispNode*& out)
{
    const TqResultBuffer* position = &record;
    return PlainValue(engine, position, out);
}

LispStatus ValueToRecord(CTqLISPImpl& engine, const LispNode* value, short valueType, TqResultBuffer& record)
{
    return ConvertValue(engine, record, value, valueType);
}
