// Host commands for LISP programs: command hands its arguments to the host's command processor
// as a typed chain; actcmd and delcmd switch commands on and off; getcname finds a command's
// global name.
#include "lisp/builtins/drawing/drawing_support.h"
#include "lisp/core/result_buffers.h"

namespace {

LispStatus CommandServices(CTqLISPImpl& engine, CTqCommandServices*& commands)
{
    commands = engine.Services() ? engine.Services()->Commands() : nullptr;
    return commands ? LispStatus::Ok : LispStatus::NoDrawingDatabase;
}

// The typed chain of all arguments, one after the other.
LispStatus ArgumentChain(CTqLISPImpl& engine, const LispNode* args, ChainHolder& chain)
{
    TqResultBuffer* head = nullptr;
    TqResultBuffer** tail = &head;
    for (const LispNode* arg = args; arg; arg = arg->next) {
        TqResultBuffer* part = nullptr;
        const LispStatus status = ValueToTypedChain(engine, arg, part);
        if (status != LispStatus::Ok) {
            engine.Services()->ReleaseChain(head);
            return status;
        }
        *tail = part;
        while (*tail)
            tail = &(*tail)->next;
    }
    chain.slot() = head;
    return LispStatus::Ok;
}

LispStatus Switch(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, bool on)
{
    CTqCommandServices* commands = nullptr;
    LISP_TRY(CommandServices(engine, commands));
    return engine.MakeBoolean(commands->CommandSwitch(CTqString(StringText(args)), on) == 1, out);
}

}  // namespace

LispStatus f_command(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqCommandServices* commands = nullptr;
    LISP_TRY(CommandServices(engine, commands));
    ChainHolder chain(*engine.Services());
    LISP_TRY(ArgumentChain(engine, args, chain));
    LISP_TRY(engine.FlushConsole());
    const short status = commands->Command(chain.get());
    LISP_TRY(engine.MakeNil(out));
    switch (status) {
    case tq::kNormal:
    case tq::kNone:
        return LispStatus::Ok;
    case tq::kCancel:
        return chain.get() ? LispStatus::UserBreak : LispStatus::Ok;
    default:
        return LispStatus::GeneralError;
    }
}

LispStatus f_actcmd(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Switch(out, args, engine, true); }

LispStatus f_delcmd(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Switch(out, args, engine, false); }

LispStatus f_getcname(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqCommandServices* commands = nullptr;
    LISP_TRY(CommandServices(engine, commands));
    CTqString name;
    if (commands->CommandName(CTqString(StringText(args)), name) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeLiteralString(name.toStdU16(), out);
}
