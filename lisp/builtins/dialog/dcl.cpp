// DCL dialog built-ins: loading DCL files, opening and running dialogs, tiles, lists, sliders and
// images, for the host's two dialog services (the plain family and the dcl- family).
#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

LispStatus f_load_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_unload_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_new_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_start_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_done_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_term_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_action_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_mode_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_get_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_set_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_start_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_add_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_end_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dimx_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dimy_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_start_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_vector_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_fill_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_slide_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_end_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_cl_data_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_get_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_get_slider(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_set_slider(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_bmp_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_bmp_previmage(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_lib_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_wmf_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_listsettabstops(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_listsetcolwidth(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_tilesetfont(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_load_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_unload_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_new_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_start_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_done_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_term_dialog(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_action_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_mode_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_get_attr(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_get_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_set_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_start_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_add_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_end_list(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_dimx_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_dimy_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_start_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_vector_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_fill_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_slide_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_end_image(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }
LispStatus f_dcl_client_data_tile(LispNode*&, LispNode*, CTqLISPImpl&) { return LispStatus::NotYetImplemented; }

namespace {
constexpr ParamGroup kNewDialogParams[] = {
    {Kind::String, 1, 0}, {Kind::Integer, 1, 0}, {Kind::StringOrNil, 1, ParamOption::Optional}, {Kind::Any, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalAction[] = {{Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kOptionalStatus[] = {{Kind::Integer, 1, ParamOption::Optional}};
// Tile built-ins report missing arguments as an invalid parameter with a nil result, so every
// group of theirs is optional and the built-in checks what is present.
constexpr ParamGroup kTileKey[] = {{Kind::String, 1, ParamOption::Optional}};
constexpr ParamGroup kTileKeyAndText[] = {{Kind::String, 2, ParamOption::Optional}};
constexpr ParamGroup kTileKeyAndInteger[] = {{Kind::String, 1, ParamOption::Optional}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kStartListParams[] = {{Kind::String, 1, ParamOption::Optional}, {Kind::Integer, 2, ParamOption::Optional}};
constexpr ParamGroup kSetSliderParams[] = {{Kind::String, 1, ParamOption::Optional}, {Kind::Integer, 5, ParamOption::Optional}};
// The image routine counts its arguments itself and reads a non-integer coordinate as 0.
constexpr ParamGroup kImageParams[] = {{Kind::Any, 5, ParamOption::Optional}};
constexpr ParamGroup kLibImageParams[] = {{Kind::Any, 5, ParamOption::Optional}, {Kind::Any, 1, ParamOption::Optional}};
}  // namespace

constexpr BuiltinDescriptor kDialogRows[] = {
    {u"f_load_dialog", f_load_dialog, EvalMode::All, Kind::IntNilTList, Params::OneString},
    {u"f_unload_dialog", f_unload_dialog, EvalMode::All, Kind::NilTList, Params::OneInteger},
    {u"f_new_dialog", f_new_dialog, EvalMode::All, Kind::Atom, kNewDialogParams},
    {u"f_start_dialog", f_start_dialog, EvalMode::All, Kind::IntNilTList, kOptionalAction},
    {u"f_done_dialog", f_done_dialog, EvalMode::All, Kind::NilTList, kOptionalStatus},
    {u"f_term_dialog", f_term_dialog, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_action_tile", f_action_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_mode_tile", f_mode_tile, EvalMode::All, Kind::Atom, kTileKeyAndInteger},
    {u"f_get_tile", f_get_tile, EvalMode::All, Kind::StringOrNil, kTileKey},
    {u"f_set_tile", f_set_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_start_list", f_start_list, EvalMode::All, Kind::Atom, kStartListParams},
    {u"f_add_list", f_add_list, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_end_list", f_end_list, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_dimx_tile", f_dimx_tile, EvalMode::All, Kind::IntNilTList, kTileKey},
    {u"f_dimy_tile", f_dimy_tile, EvalMode::All, Kind::IntNilTList, kTileKey},
    {u"f_start_image", f_start_image, EvalMode::All, Kind::Atom, kTileKey},
    {u"f_vector_image", f_vector_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_fill_image", f_fill_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_slide_image", f_slide_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_end_image", f_end_image, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_cl_data_tile", f_cl_data_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_get_list", f_get_list, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_get_slider", f_get_slider, EvalMode::All, Kind::NilTList, kTileKey},
    {u"f_set_slider", f_set_slider, EvalMode::All, Kind::Atom, kSetSliderParams},
    {u"f_bmp_image", f_bmp_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_bmp_previmage", f_bmp_previmage, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_lib_image", f_lib_image, EvalMode::All, Kind::Atom, kLibImageParams},
    {u"f_wmf_image", f_wmf_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_listsettabstops", f_listsettabstops, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_listsetcolwidth", f_listsetcolwidth, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_tilesetfont", f_tilesetfont, EvalMode::All, Kind::Atom, kTileKeyAndInteger},
    {u"f_dcl_load_dialog", f_dcl_load_dialog, EvalMode::All, Kind::IntNilTList, Params::OneString},
    {u"f_dcl_unload_dialog", f_dcl_unload_dialog, EvalMode::All, Kind::NilTList, Params::OneInteger},
    {u"f_dcl_new_dialog", f_dcl_new_dialog, EvalMode::All, Kind::Atom, kNewDialogParams},
    {u"f_dcl_start_dialog", f_dcl_start_dialog, EvalMode::All, Kind::IntNilTList, Params::None},
    {u"f_dcl_done_dialog", f_dcl_done_dialog, EvalMode::All, Kind::NilTList, kOptionalStatus},
    {u"f_dcl_term_dialog", f_dcl_term_dialog, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_dcl_action_tile", f_dcl_action_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_dcl_mode_tile", f_dcl_mode_tile, EvalMode::All, Kind::Atom, kTileKeyAndInteger},
    {u"f_dcl_get_attr", f_dcl_get_attr, EvalMode::All, Kind::String, kTileKeyAndText},
    {u"f_dcl_get_tile", f_dcl_get_tile, EvalMode::All, Kind::StringOrNil, kTileKey},
    {u"f_dcl_set_tile", f_dcl_set_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
    {u"f_dcl_start_list", f_dcl_start_list, EvalMode::All, Kind::Atom, kStartListParams},
    {u"f_dcl_add_list", f_dcl_add_list, EvalMode::All, Kind::Atom, Params::OneString},
    {u"f_dcl_end_list", f_dcl_end_list, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_dcl_dimx_tile", f_dcl_dimx_tile, EvalMode::All, Kind::IntNilTList, kTileKey},
    {u"f_dcl_dimy_tile", f_dcl_dimy_tile, EvalMode::All, Kind::IntNilTList, kTileKey},
    {u"f_dcl_start_image", f_dcl_start_image, EvalMode::All, Kind::Atom, kTileKey},
    {u"f_dcl_vector_image", f_dcl_vector_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_dcl_fill_image", f_dcl_fill_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_dcl_slide_image", f_dcl_slide_image, EvalMode::All, Kind::Atom, kImageParams},
    {u"f_dcl_end_image", f_dcl_end_image, EvalMode::All, Kind::NilTList, Params::None},
    {u"f_dcl_client_data_tile", f_dcl_client_data_tile, EvalMode::All, Kind::Atom, kTileKeyAndText},
};

std::span<const BuiltinDescriptor> DialogBuiltins() { return kDialogRows; }
