// Host commands that stand for LISP functions named "C:…": the command object and the
// module-wide list that keeps every command the engines registered until the module unloads.
#pragma once

#include "host/OdEd.h"
#include "lisp/core/status.h"

#include <cstdint>
#include <string_view>

class CTqLISPImpl;

// Kinds of LISP commands.
namespace LispCommandKind {
inline constexpr std::uint16_t Defined = 2;   // made by defun, setq or set
inline constexpr std::uint16_t External = 3;  // made by an external application
}  // namespace LispCommandKind

// The host command of one LISP function. Reference counted: it deletes itself when the last
// holder (the command stack, the module list, a running execute) lets go.
class CTqExtLISPCommand final : public CTqCommand {
public:
    // `name` is upper case and without "C:". The count starts at zero.
    CTqExtLISPCommand(CTqString name, std::uint16_t kind);
    CTqExtLISPCommand(const CTqExtLISPCommand&) = delete;
    CTqExtLISPCommand& operator=(const CTqExtLISPCommand&) = delete;

    void addRef() override;
    void release() override;

    CTqString groupName() const override { return CTqString(); }
    CTqString globalName() const override { return m_name; }
    CTqString localName() const override { return m_name; }
    // Runs "(C:name) " in the engine of the context's document: tq::kError without a document,
    // otherwise tq::kNormal whatever the evaluation gave.
    short execute(OdEdCommandContext* context) override;
    void Help() override {}

    std::uint16_t kind() const { return m_kind; }

private:
    ~CTqExtLISPCommand() override = default;

    CTqString m_name;
    CTqString m_reserved1;
    CTqString m_reserved2;
    std::uint16_t m_kind;
    unsigned m_refs = 0;
};

inline constexpr int kLispCommandFlags = 0x1000803;

// Makes `name` (without "C:", any case) a host command of the given kind, replacing any command
// of that name the command stack holds, and keeps it in the module list. Failure for an empty
// name or when the command cannot be made; callers report it as RegisteringCommand.
LispStatus RegisterLispCommand(std::u16string_view name, std::uint16_t kind);

// Asks the engine's host services to remove the command `name` and drops it from the module
// list. RegisteringCommand when the host cannot remove it.
LispStatus RemoveLispCommand(CTqLISPImpl& engine, std::u16string_view name);

// Removes every command of the module list that the command stack still holds, and empties the
// list. Called when the module unloads.
void RemoveAllLispCommands();

// Names of the commands in the module list, in registration order (tests, diagnostics).
QStringList RegisteredLispCommands();
