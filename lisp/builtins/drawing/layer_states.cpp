// Layer-state, palette and toolbar built-ins: named layer states of the current drawing, and the
// host's palettes and toolbar matrix.
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_palgetnameslist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_palload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_palunload(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_palshow(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_palhide(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_palopendlg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_hidepal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_loadpal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_openpaldlg(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_showpal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_unloadpal(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarmatrixgetnameslist(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarmatrixtoolbaradd(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarmatrixtoolbarremove(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarmatrixtoolbarstate(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarstate(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_toolbarmatrixstate(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_addlayers(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_compare(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_delete(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_export(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_getlastrestored(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_getlayers(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_getnames(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_has(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_import(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_importfromdb(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_removelayers(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_rename(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_restore(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_layerstate_save(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kNameOptionalInteger[] = {{Kind::String, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalInteger[] = {{Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kNameAndDescriptions[] = {{Kind::String, 1, 0}, {Kind::List, 1, 0}, {Kind::List, kManyArguments, 0}};
// Anything but an entity name means "no viewport".
constexpr ParamGroup kNameOptionalViewport[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoFlags[] = {{Kind::Atom, 2, ParamOption::Optional}};
constexpr ParamGroup kNameAndList[] = {{Kind::String, 1, 0}, {Kind::List, 1, 0}};
constexpr ParamGroup kRestoreParams[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}, {Kind::Integer, 1, ParamOption::Optional}};
// A mask that is not an integer stands for every property.
constexpr ParamGroup kSaveParams[] = {
    {Kind::String, 1, 0}, {Kind::IntNilTList, 1, 0}, {Kind::EntityNilTList, 1, 0}, {Kind::Any, kManyArguments, 0}};
}  // namespace

constexpr BuiltinDescriptor kLayerStateRows[] = {
    {u"f_palgetnameslist", f_palgetnameslist, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_palload", f_palload, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_palunload", f_palunload, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_palshow", f_palshow, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_palhide", f_palhide, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_palopendlg", f_palopendlg, EvalMode::All, Kind::Atom, Params::None},
    {u"f_hidepal", f_hidepal, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_loadpal", f_loadpal, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_openpaldlg", f_openpaldlg, EvalMode::All, Kind::Atom, Params::None},
    {u"f_showpal", f_showpal, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_unloadpal", f_unloadpal, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_toolbarmatrixgetnameslist", f_toolbarmatrixgetnameslist, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_toolbarmatrixtoolbaradd", f_toolbarmatrixtoolbaradd, EvalMode::All, Kind::Atom, kNameOptionalInteger},
    {u"f_toolbarmatrixtoolbarremove", f_toolbarmatrixtoolbarremove, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_toolbarmatrixtoolbarstate", f_toolbarmatrixtoolbarstate, EvalMode::All, Kind::IntNilTList, kNameOptionalInteger},
    {u"f_toolbarstate", f_toolbarstate, EvalMode::All, Kind::IntNilTList, kNameOptionalInteger},
    {u"f_toolbarmatrixstate", f_toolbarmatrixstate, EvalMode::All, Kind::IntNilTList, kOptionalInteger},
    {u"f_layerstate_addlayers", f_layerstate_addlayers, EvalMode::All, Kind::Atom, kNameAndDescriptions},
    {u"f_layerstate_compare", f_layerstate_compare, EvalMode::All, Kind::Atom, kNameOptionalViewport},
    {u"f_layerstate_delete", f_layerstate_delete, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_layerstate_export", f_layerstate_export, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_layerstate_getlastrestored", f_layerstate_getlastrestored, EvalMode::All, Kind::StringOrNil, Params::None},
    {u"f_layerstate_getlayers", f_layerstate_getlayers, EvalMode::All, Kind::NilTList, Params::OneString},
    {u"f_layerstate_getnames", f_layerstate_getnames, EvalMode::All, Kind::NilTList, kTwoFlags},
    {u"f_layerstate_has", f_layerstate_has, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_layerstate_import", f_layerstate_import, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_layerstate_importfromdb", f_layerstate_importfromdb, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_layerstate_removelayers", f_layerstate_removelayers, EvalMode::All, Kind::Atom, kNameAndList},
    {u"f_layerstate_rename", f_layerstate_rename, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_layerstate_restore", f_layerstate_restore, EvalMode::All, Kind::Atom, kRestoreParams},
    {u"f_layerstate_save", f_layerstate_save, EvalMode::All, Kind::NilTList, kSaveParams},
};

std::span<const BuiltinDescriptor> LayerStateBuiltins() { return kLayerStateRows; }
