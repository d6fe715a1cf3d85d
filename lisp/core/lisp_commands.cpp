// LISP commands in the host's command stack, and the module's list of them.
#include "lisp/core/lisp_commands.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "lisp/core/engine.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

namespace {

// One counted reference to a command.
class CommandRef {
public:
    explicit CommandRef(CTqExtLISPCommand* command) : m_command(command) { m_command->addRef(); }
    CommandRef(CommandRef&& other) noexcept : m_command(std::exchange(other.m_command, nullptr)) {}
    CommandRef& operator=(CommandRef&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_command = std::exchange(other.m_command, nullptr);
        }
        return *this;
    }
    CommandRef(const CommandRef&) = delete;
    CommandRef& operator=(const CommandRef&) = delete;
    ~CommandRef() { reset(); }

    CTqExtLISPCommand* get() const { return m_command; }

private:
    void reset()
    {
        if (m_command)
            std::exchange(m_command, nullptr)->release();
    }
    CTqExtLISPCommand* m_command;
};

// Every command the engines of this module registered; emptied when the module unloads.
std::vector<CommandRef>& ModuleCommands()
{
    static std::vector<CommandRef> commands;
    return commands;
}

CTqString UpperName(std::u16string_view name)
{
    return CTqString(name).upper();
}

// Drops the list entries of that name. The entries are moved out first, so a command freed by
// the drop never runs while the list is being rearranged.
void ForgetCommand(const CTqString& upperName)
{
    auto& commands = ModuleCommands();
    std::vector<CommandRef> dropped;
    auto kept = std::stable_partition(commands.begin(), commands.end(),
                                      [&](const CommandRef& entry) { return entry.get()->globalName() != upperName; });
    std::move(kept, commands.end(), std::back_inserter(dropped));
    commands.erase(kept, commands.end());
}

// Pushes the command token for the time of one evaluation.
class CommandTokenScope {
public:
    CommandTokenScope(CTqDocument& document, const CTqString& text) : m_document(document)
    {
        m_document.PushCommandToken(text);
    }
    CommandTokenScope(const CommandTokenScope&) = delete;
    CommandTokenScope& operator=(const CommandTokenScope&) = delete;
    ~CommandTokenScope() { m_document.PopCommandToken(); }

private:
    CTqDocument& m_document;
};

}  // namespace

CTqExtLISPCommand::CTqExtLISPCommand(CTqString name, std::uint16_t kind) : m_name(std::move(name)), m_kind(kind)
{
    SetFlags(kLispCommandFlags);
}

void CTqExtLISPCommand::addRef()
{
    ++m_refs;
}

void CTqExtLISPCommand::release()
{
    LISP_ASSERT(m_refs > 0, "LISP command released more often than referenced");
    if (--m_refs == 0)
        delete this;
}

short CTqExtLISPCommand::execute(OdEdCommandContext* context)
{
    CTqDocument* document = context ? context->document() : nullptr;
    if (!document)
        return tq::kError;

    // The function may redefine its own command; this reference keeps the object alive until
    // the evaluation returns.
    CommandRef self(this);
    const CTqString text = CTqString("(C:") + m_name + CTqString(") ");
    try {
        CommandTokenScope token(*document, text);
        if (CTqLISP* engine = document->GetLISP())
            (void)engine->EvaluateText(text, nullptr);
    } catch (...) {
        // A host failure during the run ends the command like any other outcome.
    }
    return tq::kNormal;
}

LispStatus RegisterLispCommand(std::u16string_view name, std::uint16_t kind)
{
    if (name.empty())
        return LispStatus::Failure;
    OdEdCommandStack* stack = odedRegCmds();
    if (!stack)
        return LispStatus::Failure;

    const CTqString upperName = UpperName(name);
    if (CTqCommand* existing = stack->lookupCmd(upperName)) {
        const CTqString group = existing->groupName();
        const CTqString global = existing->globalName();
        stack->removeCmd(group, global);
    }
    ForgetCommand(upperName);

    auto* command = new (std::nothrow) CTqExtLISPCommand(upperName, kind);
    if (!command)
        return LispStatus::Failure;
    CommandRef held(command);
    stack->addCommand(command);
    ModuleCommands().push_back(std::move(held));
    return LispStatus::Ok;
}

LispStatus RemoveLispCommand(CTqLISPImpl& engine, std::u16string_view name)
{
    const CTqString upperName = UpperName(name);
    CTqLispServices* services = engine.Services();
    const short result = services ? services->RemoveCommand(upperName) : short(tq::kError);
    ForgetCommand(upperName);
    return result == tq::kNormal ? LispStatus::Ok : LispStatus::RegisteringCommand;
}

void RemoveAllLispCommands()
{
    std::vector<CommandRef> commands = std::move(ModuleCommands());
    ModuleCommands().clear();
    OdEdCommandStack* stack = odedRegCmds();
    if (!stack)
        return;
    for (const CommandRef& entry : commands) {
        CTqExtLISPCommand* command = entry.get();
        // A command of the same name made since by someone else stays.
        if (stack->lookupCmd(command->globalName()) == command)
            stack->removeCmd(command->groupName(), command->globalName());
    }
}

QStringList RegisteredLispCommands()
{
    QStringList names;
    for (const CommandRef& entry : ModuleCommands())
        names.append(entry.get()->globalName());
    return names;
}
