// Typed result-buffer chains made from LISP values.
#include "lisp/core/result_buffers.h"

#include "lisp/core/engine.h"

#include <cstring>

namespace {

bool IsPointList(const LispNode* value, int& count)
{
    count = 0;
    if (!value || value->type != NodeType::List)
        return false;
    for (const LispNode* element = value->first; element; element = element->next) {
        if (!IsNumber(element) || ++count > 3)
            return false;
    }
    return count == 2 || count == 3;
}

LispStatus Convert(CTqLISPImpl& engine, ChainBuilder& chain, const LispNode* value)
{
    auto add = [&](short type) -> TqResultBuffer* { return chain.Add(type); };
    if (IsNil(value)) {
        return add(tqrt::kNil) ? LispStatus::Ok : LispStatus::MemoryError;
    }
    int count = 0;
    if (IsPointList(value, count)) {
        TqResultBuffer* record = add(count == 2 ? tqrt::kPoint2d : tqrt::kPoint3d);
        if (!record)
            return LispStatus::MemoryError;
        int i = 0;
        for (const LispNode* element = value->first; element; element = element->next)
            record->value.point[i++] = NumberValue(element);
        return LispStatus::Ok;
    }
    switch (value->type) {
    case NodeType::List:
    case NodeType::DottedList: {
        if (!add(tqrt::kListBegin))
            return LispStatus::MemoryError;
        for (const LispNode* element = value->first; element; element = element->next) {
            if (value->type == NodeType::DottedList && !element->next && element != value->first && !add(tqrt::kDot))
                return LispStatus::MemoryError;
            LISP_TRY(Convert(engine, chain, element));
        }
        return add(tqrt::kListEnd) ? LispStatus::Ok : LispStatus::MemoryError;
    }
    case NodeType::Integer: {
        const std::int32_t number = value->payload.integer;
        const bool small = number < 32767 && number >= -32768;
        TqResultBuffer* record = add(small ? tqrt::kShort : tqrt::kLong);
        if (!record)
            return LispStatus::MemoryError;
        if (small)
            record->value.int16 = short(number);
        else
            record->value.int32 = number;
        return LispStatus::Ok;
    }
    case NodeType::Real: {
        TqResultBuffer* record = add(tqrt::kReal);
        if (!record)
            return LispStatus::MemoryError;
        record->value.real = value->payload.real;
        return LispStatus::Ok;
    }
    case NodeType::ShortString:
    case NodeType::String:
    case NodeType::SymbolRef: {
        // A symbol reaches the host as its name.
        TqResultBuffer* record = add(tqrt::kString);
        if (!record)
            return LispStatus::MemoryError;
        const std::u16string_view text = value->type == NodeType::SymbolRef ? SymbolName(value->first) : StringText(value);
        record->value.string = TqAllocText(text.data(), text.size());
        return record->value.string ? LispStatus::Ok : LispStatus::MemoryError;
    }
    case NodeType::QuotingSubr:
    case NodeType::Subr:
    case NodeType::NativeSubr:
    case NodeType::ExternalSubr:
        return add(tqrt::kFunction) ? LispStatus::Ok : LispStatus::MemoryError;
    case NodeType::Constant:
        return add(tqrt::kT) ? LispStatus::Ok : LispStatus::MemoryError;
    case NodeType::Nothing:
        return add(tqrt::kVoid) ? LispStatus::Ok : LispStatus::MemoryError;
    case NodeType::EntityName:
    case NodeType::PickSet: {
        TqResultBuffer* record = add(value->type == NodeType::EntityName ? tqrt::kEntityName : tqrt::kSelectionSet);
        if (!record)
            return LispStatus::MemoryError;
        record->value.name[0] = value->payload.words[0];
        record->value.name[1] = value->payload.words[1];
        return LispStatus::Ok;
    }
    default:
        return LispStatus::InvalidParameter;
    }
}

}  // namespace

LispStatus ValueToTypedChain(CTqLISPImpl& engine, const LispNode* value, TqResultBuffer*& result)
{
    result = nullptr;
    if (!engine.Services())
        return LispStatus::MemoryError;
    ChainBuilder chain(*engine.Services());
    LISP_TRY(Convert(engine, chain, value));
    result = chain.Take();
    return LispStatus::Ok;
}

CTqString ChainToText(const TqResultBuffer* chain)
{
    QStringList parts;
    for (const TqResultBuffer* record = chain; record; record = record->next) {
        switch (record->restype) {
        case tqrt::kNil: parts << QStringLiteral("nil"); break;
        case tqrt::kT: parts << QStringLiteral("T"); break;
        case tqrt::kShort: parts << QString::number(record->value.int16); break;
        case tqrt::kLong: parts << QString::number(record->value.int32); break;
        case tqrt::kReal: parts << QString::number(record->value.real, 'g', 15); break;
        case tqrt::kString: parts << QString::fromUtf16(record->value.string ? record->value.string : u""); break;
        case tqrt::kPoint2d: parts << QStringLiteral("(%1 %2)").arg(record->value.point[0]).arg(record->value.point[1]); break;
        case tqrt::kPoint3d:
            parts << QStringLiteral("(%1 %2 %3)").arg(record->value.point[0]).arg(record->value.point[1]).arg(record->value.point[2]);
            break;
        case tqrt::kListBegin: parts << QStringLiteral("("); break;
        case tqrt::kListEnd: parts << QStringLiteral(")"); break;
        case tqrt::kDot: parts << QStringLiteral("."); break;
        default: break;
        }
    }
    return parts.join(QLatin1Char(' ')).replace(QLatin1String("( "), QLatin1String("(")).replace(QLatin1String(" )"), QLatin1String(")"));
}
