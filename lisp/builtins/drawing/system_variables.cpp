// getvar and setvar.
#include "lisp/builtins/drawing/system_variables.h"

#include "lisp/builtins/drawing/unit_services.h"
#include "lisp/core/data_lists.h"
#include "lisp/core/engine.h"
#include "host/TqStatus.h"

namespace {

QString VariableName(const LispNode* value)
{
    const std::u16string_view name = IsSymbolRef(value) ? SymbolName(ReferencedSymbol(value)) : StringText(value);
    return QString::fromUtf16(name.data(), int(name.size()));
}

}  // namespace

LispStatus GetSystemVariable(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    const CTqString name(VariableName(args));
    ChainHolder value(*engine.Services());
    short status = units->GetVariable(name, value.slot());
    if (status != tq::kNormal) {
        CTqString replacement;
        if (units->ReplacementName(name, replacement) == tq::kNormal)
            status = units->GetVariable(replacement, value.slot());
    }
    if (status == tq::kNormal && value.get())
        return RecordToValue(engine, *value.get(), out);
    NodeRef answer(engine);
    const LispStatus mapped = engine.MapHostStatusLenient(status, answer.slot());
    if (mapped != LispStatus::Ok && mapped != LispStatus::UnknownSysVar)
        return mapped;
    if (mapped == LispStatus::Ok && answer) {
        out = answer.take();
        return LispStatus::Ok;
    }
    return engine.MakeNil(out);
}

LispStatus SetSystemVariable(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqUnitServices* units = nullptr;
    LISP_TRY(UnitServices(engine, units));
    ChainHolder record(*engine.Services(), engine.Services()->NewResultBuffer(tqrt::kNone));
    if (!record.get())
        return LispStatus::MemoryError;
    CTqString name(VariableName(args).toUpper());
    short type = units->VariableType(name);
    if (type == -1) {
        CTqString replacement;
        if (units->ReplacementName(name, replacement) == tq::kNormal && units->VariableType(replacement) != -1) {
            name = replacement;
            type = units->VariableType(replacement);
        }
    }
    record.get()->restype = type;
    const LispNode* value = args->next;
    LISP_TRY(ValueToRecord(engine, value, type, *record.get()));
    const short status = units->SetVariable(name, *record.get());
    if (status == tq::kNormal)
        return engine.CopyNode(value, out);
    NodeRef answer(engine);
    const LispStatus mapped = engine.MapHostStatus(status, answer.slot());
    if (mapped != LispStatus::Ok && mapped != LispStatus::GeneralError && mapped != LispStatus::ParameterOutOfRange)
        return mapped;
    if (mapped == LispStatus::Ok && answer) {
        out = answer.take();
        return LispStatus::Ok;
    }
    return engine.MakeNil(out);
}
