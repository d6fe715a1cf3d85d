// File, directory and registry built-ins: printing, text streams, reading expressions from
// strings, file search, environment and folder settings, and the file-system and registry entries.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

namespace {
// prin1 and princ differ only in the print mode. Printing to a file is not handled yet, so a
// file argument is refused rather than ignored.
LispStatus PrintValue(LispNode*& out, LispNode* args, CTqLISPImpl& engine, int mode)
{
    if (!args)
        return engine.MakeNothing(out);
    if (args->next)
        return LispStatus::NotYetImplemented;
    LISP_TRY(engine.PrintExpr(args, mode));
    return engine.CopyNode(args, out);
}
}  // namespace

LispStatus f_prin1(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return PrintValue(out, args, engine, PrintMode::Prin1); }

LispStatus f_princ(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return PrintValue(out, args, engine, PrintMode::Princ); }

LispStatus f_print(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args && args->next)
        return LispStatus::NotYetImplemented;
    LISP_TRY(engine.Output(u"\r\n"));
    if (args)
        LISP_TRY(engine.PrintExpr(args, PrintMode::Prin1));
    LISP_TRY(engine.Output(u" "));
    return args ? engine.CopyNode(args, out) : engine.MakeNothing(out);
}

LispStatus f_prompt(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args->next)
        return LispStatus::NotYetImplemented;
    LISP_TRY(engine.Output(StringText(args)));
    return engine.MakeNil(out);
}

LispStatus f_close(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_open(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_read(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_readchar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_readline(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_writechar(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_writeline(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getenv(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_findfile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getfiled(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_startapp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_registry_delete(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_registry_descendents(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_registry_read(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_registry_write(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_copy(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_delete(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_directory_p(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_rename(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_size(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_file_systime(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_filename_base(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_filename_directory(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_filename_extension(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_filename_mktemp(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setenv(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_directory_files(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vl_mkdir(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kOptionalValueOptionalFile[] = {{Kind::Any, 1, ParamOption::Optional}, {Kind::File, 1, ParamOption::Optional}};
constexpr ParamGroup kStringOptionalFile[] = {{Kind::String, 1, 0}, {Kind::File, 1, ParamOption::Optional}};
constexpr ParamGroup kIntegerOptionalFile[] = {{Kind::Integer, 1, 0}, {Kind::File, 1, ParamOption::Optional}};
constexpr ParamGroup kOneFile[] = {{Kind::File, 1, 0}};
constexpr ParamGroup kOptionalFile[] = {{Kind::File, 1, ParamOption::Optional}};
constexpr ParamGroup kNameAndMode[] = {{Kind::String, 1, 0}, {Kind::String, 1, 0}};
// One name, or three strings for a named setting; two is refused by getenv itself.
constexpr ParamGroup kUpToThreeStrings[] = {{Kind::String, 3, ParamOption::Optional}};
constexpr ParamGroup kFindfileParams[] = {{Kind::String, 1, 0}, {Kind::SysVarValue, 1, ParamOption::Optional}};
constexpr ParamGroup kGetfiledParams[] = {{Kind::String, 3, 0}, {Kind::Integer, 1, 0}};
constexpr ParamGroup kStringOptionalString[] = {{Kind::String, 1, 0}, {Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kStringUpToTwoStrings[] = {{Kind::String, 1, 0}, {Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kTwoStringsOptionalFlag[] = {{Kind::String, 2, 0}, {Kind::Any, 1, ParamOption::Optional}};
// Folder, pattern and mode may each be nil; the built-in checks their kinds itself.
constexpr ParamGroup kUpToThreeValues[] = {{Kind::Any, 3, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kFileRows[] = {
    {u"f_prin1", f_prin1, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_princ", f_princ, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_print", f_print, EvalMode::All, Kind::Any, kOptionalValueOptionalFile},
    {u"f_prompt", f_prompt, EvalMode::All, Kind::NilTList, kStringOptionalFile},
    {u"f_close", f_close, EvalMode::All, Kind::Atom, kOneFile},
    {u"f_open", f_open, EvalMode::All, Kind::File, kNameAndMode},
    {u"f_read", f_read, EvalMode::All, Kind::Any, Params::OneString},
    {u"f_readchar", f_readchar, EvalMode::All, Kind::IntNilTList, kOptionalFile},
    {u"f_readline", f_readline, EvalMode::All, Kind::StringOrNil, kOptionalFile},
    {u"f_writechar", f_writechar, EvalMode::All, Kind::Integer, kIntegerOptionalFile},
    {u"f_writeline", f_writeline, EvalMode::All, Kind::String, kStringOptionalFile},
    {u"f_getenv", f_getenv, EvalMode::All, Kind::Number, kUpToThreeStrings},
    {u"f_findfile", f_findfile, EvalMode::All, Kind::StringOrList, kFindfileParams},
    {u"f_getfiled", f_getfiled, EvalMode::All, Kind::StringOrNil, kGetfiledParams},
    {u"f_startapp", f_startapp, EvalMode::All, Kind::IntNilTList, kStringOptionalString},
    {u"f_vl_registry_delete", f_vl_registry_delete, EvalMode::All, Kind::Atom, kStringOptionalString},
    {u"f_vl_registry_descendents", f_vl_registry_descendents, EvalMode::All, Kind::List, kStringOptionalString},
    {u"f_vl_registry_read", f_vl_registry_read, EvalMode::All, Kind::Any, kStringOptionalString},
    {u"f_vl_registry_write", f_vl_registry_write, EvalMode::All, Kind::StringOrNil, kStringUpToTwoStrings},
    {u"f_vl_file_copy", f_vl_file_copy, EvalMode::All, Kind::IntNilTList, kTwoStringsOptionalFlag},
    {u"f_vl_file_delete", f_vl_file_delete, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_vl_file_directory_p", f_vl_file_directory_p, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_vl_file_rename", f_vl_file_rename, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_vl_file_size", f_vl_file_size, EvalMode::All, Kind::IntNilTList, Params::OneString},
    {u"f_vl_file_systime", f_vl_file_systime, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_filename_base", f_vl_filename_base, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_directory", f_vl_filename_directory, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_extension", f_vl_filename_extension, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_vl_filename_mktemp", f_vl_filename_mktemp, EvalMode::All, Kind::StringOrNil, kUpToThreeStrings},
    {u"f_setenv", f_setenv, EvalMode::All, Kind::StringOrNil, Params::TwoStrings},
    {u"f_vl_directory_files", f_vl_directory_files, EvalMode::All, Kind::List, kUpToThreeValues},
    {u"f_vl_mkdir", f_vl_mkdir, EvalMode::All, Kind::Atom, Params::OneString},
};

std::span<const BuiltinDescriptor> FileBuiltins() { return kFileRows; }
