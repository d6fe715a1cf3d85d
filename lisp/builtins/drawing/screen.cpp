// Screen and environment built-ins: screen switching and vector graphics, viewports and views,
// configuration, profile, printer and drawing lists, menus and the colour dialog.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_redraw(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_graphscr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_textscr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cleartextscr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_grclear(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_grdraw(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_grtext(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setactvport(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getactvport(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_flxnames(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dwgnames(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_GetColorIndex(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_grvecs(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vports(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setview(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_setcfg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getcfg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_textpage(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getininame(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getprofileslist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_menucmd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getprinterlist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_getprinterpapersizes(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_menugroup(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ai_viewports_alert(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_acad_colordlg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_initdia(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_ai_draworder(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr std::uint32_t kIntegerOrFlag = Kind::Integer | Kind::Atom;

constexpr ParamGroup kRedrawParams[] = {{Kind::EntityName, 1, ParamOption::Optional}, {Kind::Integer, 1, ParamOption::Optional}};
// Only a non-zero integer turns highlighting on; any other fourth value leaves it off.
constexpr ParamGroup kGrdrawParams[] = {{Kind::List, 2, 0}, {Kind::Integer, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kGrtextParams[] = {
    {Kind::Integer, 1, ParamOption::Optional}, {Kind::String, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kColorIndexParams[] = {{Kind::Integer, 1, ParamOption::Optional}, {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kColorDialogParams[] = {{Kind::Integer, 1, 0}, {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kGrvecsParams[] = {{Kind::List, 1, 0}, {Kind::List, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalInteger[] = {{Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kSetviewParams[] = {{Kind::List, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
// getcfg and setcfg report missing strings as an invalid parameter, so they are optional here.
constexpr ParamGroup kOptionalString[] = {{Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kUpToTwoStrings[] = {{Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kInitdiaParams[] = {{kIntegerOrFlag, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kScreenRows[] = {
    {u"f_redraw", f_redraw, EvalMode::All, Kind::NilTList, kRedrawParams},
    {u"f_graphscr", f_graphscr, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_textscr", f_textscr, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_cleartextscr", f_cleartextscr, EvalMode::All, Kind::Nothing, Params::None},
    {u"f_grclear", f_grclear, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_grdraw", f_grdraw, EvalMode::All, Kind::NilTList, kGrdrawParams},
    {u"f_grtext", f_grtext, EvalMode::All, Kind::String, kGrtextParams},
    {u"f_setactvport", f_setactvport, EvalMode::All, Kind::List, Params::TwoIntegers},
    {u"f_getactvport", f_getactvport, EvalMode::All, Kind::List, Params::None},
    {u"f_flxnames", f_flxnames, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_dwgnames", f_dwgnames, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_GetColorIndex", f_GetColorIndex, EvalMode::All, Kind::IntNilTList, kColorIndexParams},
    {u"f_grvecs", f_grvecs, EvalMode::All, Kind::NilTList, kGrvecsParams},
    {u"f_vports", f_vports, EvalMode::All, Kind::NilTList, kOptionalInteger},
    {u"f_setview", f_setview, EvalMode::All, Kind::NilTList, kSetviewParams},
    {u"f_setcfg", f_setcfg, EvalMode::All, Kind::StringOrNil, kUpToTwoStrings},
    {u"f_getcfg", f_getcfg, EvalMode::All, Kind::StringOrNil, kOptionalString},
    {u"f_textpage", f_textpage, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_getininame", f_getininame, EvalMode::All, Kind::String, Params::None},
    {u"f_getprofileslist", f_getprofileslist, EvalMode::All, Kind::List, Params::None},
    {u"f_menucmd", f_menucmd, EvalMode::All, Kind::StringOrNil, Params::OneString},
    {u"f_getprinterlist", f_getprinterlist, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_getprinterpapersizes", f_getprinterpapersizes, EvalMode::All, Kind::NilTList, Params::OneString},
    {u"f_menugroup", f_menugroup, EvalMode::All, Kind::String, Params::OneString},
    {u"f_ai_viewports_alert", f_ai_viewports_alert, EvalMode::All, Kind::Nothing, Params::None},
    {u"f_acad_colordlg", f_acad_colordlg, EvalMode::All, Kind::IntNilTList, kColorDialogParams},
    {u"f_initdia", f_initdia, EvalMode::All, Kind::Nothing, kInitdiaParams},
    {u"f_ai_draworder", f_ai_draworder, EvalMode::All, Kind::String, Params::OneString},
};

std::span<const BuiltinDescriptor> ScreenBuiltins() { return kScreenRows; }
