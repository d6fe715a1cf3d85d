// Message box, help and compatibility built-ins: alert, help files, the line end of the command
// line, and entries that scripts from other environments call and that do nothing here.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

#include <QFileInfo>

#include <array>

namespace {

struct IconName {
    const char16_t* name;
    CTqLispServices::MessageIcon icon;
};

constexpr IconName kIcons[] = {
    {u"STOP", CTqLispServices::kCriticalIcon},
    {u"QUESTION", CTqLispServices::kQuestionIcon},
    {u"EXCLAMATION", CTqLispServices::kWarningIcon},
    {u"INFORMATION", CTqLispServices::kInformationIcon},
};

QString QText(std::u16string_view text) { return QString::fromUtf16(text.data(), int(text.size())); }

// WinHelp commands of the help entries 1 to 15.
constexpr std::array<int, 16> kWinHelpCommands = {0, 1, 2, 3, 3, 4, 5, 5, 8, 9, 257, 258, 261, 513, 515, 0};

// The HTML Help command for a WinHelp command (after the topic rule has reduced the set).
int HtmlHelpCommand(int winHelpCommand)
{
    switch (winHelpCommand) {
    case 2: return 18;    // quit → close all
    case 3: return 0;     // contents → display topic
    case 257: return 15;  // key → help context
    default: return 1;    // 4, 9, 258, 261 → table of contents
    }
}

// The help entry a command argument selects: its leading decimal digits, 4 outside 1 to 15.
int HelpEntry(std::u16string_view text)
{
    int value = 0;
    std::size_t digits = 0;
    while (digits < text.size() && digits < 6 && text[digits] >= u'0' && text[digits] <= u'9')
        value = value * 10 + (text[digits++] - u'0');
    return digits > 0 && value >= 1 && value <= 15 ? value : 4;
}

struct HelpRequest {
    QString file;
    QString topic;
    int command = 0;  // HTML Help
};

// The help file, topic and command of the arguments of help (and of setfunhelp after its name).
HelpRequest PrepareHelp(CTqLISPImpl& engine, const LispNode* fileArgument)
{
    CTqLispServices* services = engine.Services();
    const QString defaultFile = services ? services->DefaultHelpFile().toQString() : QString();
    const LispNode* topicArgument = fileArgument ? fileArgument->next : nullptr;
    const LispNode* commandArgument = topicArgument ? topicArgument->next : nullptr;

    HelpRequest request;
    request.file = fileArgument ? QText(StringText(fileArgument)) : QString();
    if (request.file.isEmpty())
        request.file = defaultFile;
    if (!request.file.isEmpty() && QFileInfo(request.file).suffix().isEmpty()) {
        const QString suffix = QFileInfo(defaultFile).suffix();
        request.file += QLatin1Char('.') + (suffix.isEmpty() ? QStringLiteral("chm") : suffix);
    }
    request.file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    CTqString found;
    if (services && QFileInfo(request.file).isRelative() && services->FindFile(CTqString(request.file), found))
        request.file = found.toQString();

    const int entry = commandArgument ? HelpEntry(StringText(commandArgument)) : topicArgument ? 12 : 4;
    int command = kWinHelpCommands[std::size_t(entry)];
    const bool keepsTopic = command == 257 || command == 258 || command == 261;
    if (!keepsTopic && command != 2 && command != 3 && command != 4 && command != 9)
        command = 3;
    if (keepsTopic && topicArgument)
        request.topic = QText(StringText(topicArgument));
    // Every help file goes to the desktop's viewer here, so ".hlp" files take the same commands.
    request.command = HtmlHelpCommand(command);
    return request;
}

constexpr std::size_t kHelpFileUnits = 259;

}  // namespace

LispStatus f_alert(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const LispNode* title = args->next;
    const LispNode* iconName = title ? title->next : nullptr;
    CTqLispServices::MessageIcon icon = CTqLispServices::kNoIcon;
    if (iconName) {
        const QString name = QText(StringText(iconName)).toUpper();
        for (const IconName& row : kIcons)
            if (name == QString::fromUtf16(row.name))
                icon = row.icon;
    }
    LISP_TRY(engine.FlushConsole());
    bool yes = false;
    CTqLispServices* services = engine.Services();
    if (!services || services->ShowMessageBox(CTqString(StringText(args)), title ? CTqString(StringText(title)) : CTqString("Alert"), icon, yes) !=
                         tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeBoolean(icon == CTqLispServices::kQuestionIcon && yes, out);
}

LispStatus f_terpri(LispNode*& out, LispNode*, CTqLISPImpl& engine)
{
    LISP_TRY(engine.Output(u"\r\n"));
    return engine.MakeNil(out);
}

LispStatus f_help(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const HelpRequest request = PrepareHelp(engine, args);
    CTqLispServices* services = engine.Services();
    // A viewer that fails is no error: the result is nil.
    if (request.file.isEmpty() || !services ||
        services->ShowHelp(CTqString(request.file), CTqString(request.topic), request.command) != tq::kNormal)
        return engine.MakeNil(out);
    std::u16string file = request.file.toStdU16String();
    if (file.size() > kHelpFileUnits)
        file.resize(kHelpFileUnits);
    engine.SetHelpFile(file);
    return engine.MakeLiteralString(file, out);
}

LispStatus f_setfunhelp(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view name = StringText(args);
    if (name.size() < 2 || QText(name.substr(0, 2)).toUpper() != QLatin1String("C:"))
        return LispStatus::InvalidParameter;
    const HelpRequest request = PrepareHelp(engine, args->next);
    const std::u16string_view command = name.substr(2);
    CTqLispServices* services = engine.Services();
    if (!services || services->SetCommandHelp(CTqString(command), CTqString(request.file), CTqString(request.topic), request.command) != tq::kNormal)
        return engine.MakeNil(out);
    return engine.MakeLiteralString(command, out);
}

LispStatus f_vlisp_import_symbol(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeNil(out); }
LispStatus f_vlisp_export_symbol(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeNil(out); }
LispStatus f_vlax_add_cmd(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeInteger(0, out); }
LispStatus f_vlax_remove_cmd(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeInteger(0, out); }
LispStatus f_vl_load_com(LispNode*& out, LispNode*, CTqLISPImpl& engine) { return engine.MakeNil(out); }

namespace {
constexpr ParamGroup kAlertParams[] = {{Kind::String, 1, 0}, {Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kHelpParams[] = {{Kind::String, 3, ParamOption::Optional}};
constexpr ParamGroup kSetfunhelpParams[] = {{Kind::String, 1, 0}, {Kind::String, 3, ParamOption::Optional}};
// The fourth group's mask fits no node, so a fourth argument is always refused.
constexpr ParamGroup kAddCmdParams[] = {{Kind::String, 1, 0},
                                        {Kind::Symbol, 1, 0},
                                        {Kind::String, 1, ParamOption::Optional},
                                        {Kind::NoCode, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kCompatibilityRows[] = {
    {u"f_alert", f_alert, EvalMode::All, Kind::NilTList, kAlertParams},
    {u"f_terpri", f_terpri, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_help", f_help, EvalMode::All, Kind::StringOrNil, kHelpParams},
    {u"f_setfunhelp", f_setfunhelp, EvalMode::All, Kind::StringOrNil, kSetfunhelpParams},
    {u"f_vlisp_import_symbol", f_vlisp_import_symbol, EvalMode::All, Kind::NilTList, Params::ManyAny},
    {u"f_vlisp_export_symbol", f_vlisp_export_symbol, EvalMode::All, Kind::NilTList, Params::ManyAny},
    {u"f_vlax_add_cmd", f_vlax_add_cmd, EvalMode::All, Kind::String, kAddCmdParams},
    {u"f_vlax_remove_cmd", f_vlax_remove_cmd, EvalMode::All, Kind::Integer, Params::OneAny},
    {u"f_vl_load_com", f_vl_load_com, EvalMode::All, Kind::NilTList, Params::None},
};

std::span<const BuiltinDescriptor> CompatibilityBuiltins() { return kCompatibilityRows; }
