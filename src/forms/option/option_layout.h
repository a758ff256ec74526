// The options dialog's controls as data: page, kind, place in twips inside the page,
// context-help number and whether it starts disabled (their captions and tooltips are in
// the language tables). The table's order is
// the creation order and so the keyboard order: top to bottom within each page. A label
// comes just before the box it names, so that screen readers read it as the box's name;
// the controls that show no caption of their own (the colour box, the list, the key box)
// carry their name as the caption all the same, unshown, for the readers that take it
// from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "core/option_control.h"
#include "core/ui_text.h"

namespace mirel {

// A drop-down list's place is its closed box with the list dropped below it, as in the
// system's dialog templates: the height is the two together.
enum class ControlKind {
  kFrame,
  kLabel,
  kEdit,
  kButton,
  kCheck,
  kRadio,
  kList,
  kDropDownList,
  kSwatch,
  kSwatchButton,
  kHotKey
};

struct TwipsRect {
  int left, top, width, height;
};

struct OptionControlEntry {
  OptionControl id;
  int page;
  ControlKind kind;
  TwipsRect place;       // inside the page
  std::uint32_t help;    // its context-help number, 0 for none
  const wchar_t* topic;  // and that number's topic in MIREL.CHM
  bool offAtCreation;
};

// A place given inside a frame, as a place inside the page.
constexpr TwipsRect InFrame(TwipsRect frame, int left, int top, int width, int height) {
  return {frame.left + left, frame.top + top, width, height};
}

inline constexpr TwipsRect kFraMainWindow{120, 180, 4875, 1215};
inline constexpr TwipsRect kFraDummy{120, 180, 4875, 2835};
inline constexpr TwipsRect kFraCheckMouseFlag{120, 1200, 4095, 675};
inline constexpr TwipsRect kFraReturnType{120, 180, 3075, 915};

namespace option_table {
using enum OptionControl;
using enum ControlKind;

inline constexpr OptionControlEntry kOptionControls[] = {
    {fraMainWindow, 0, kFrame, kFraMainWindow, 0, nullptr, false},
    {lblMainFileName, 0, kLabel, InFrame(kFraMainWindow, 180, 360, 495, 195), 0, nullptr, false},
    {txtMainLoadFile, 0, kEdit, InFrame(kFraMainWindow, 900, 300, 2655, 330), 12, L"opt_main_picture.htm", false},
    {cmdMainRef, 0, kButton, InFrame(kFraMainWindow, 3660, 300, 1095, 315), 13, L"opt_main_browse.htm", false},
    {lblMainBack, 0, kLabel, InFrame(kFraMainWindow, 180, 780, 615, 195), 0, nullptr, false},
    {lblMainBackColor, 0, kSwatch, InFrame(kFraMainWindow, 900, 720, 2655, 315), 14, L"opt_main_backcolor.htm", false},
    {cmdMainBackColor, 0, kButton, InFrame(kFraMainWindow, 3660, 720, 1095, 315), 15, L"opt_main_backcolor_change.htm",
     false},
    {chkAlwaysTop, 0, kCheck, {300, 1560, 2115, 195}, 16, L"opt_always_top.htm", false},
    {chkNonTitleBar, 0, kCheck, {300, 1800, 2715, 195}, 28, L"opt_hide_titlebar.htm", false},
    {chkAutoAdjust, 0, kCheck, {300, 2040, 3675, 195}, 29, L"opt_fit_window.htm", true},
    {fraDummy, 1, kFrame, kFraDummy, 0, nullptr, false},
    {lstViewList, 1, kList, InFrame(kFraDummy, 120, 300, 3555, 2400), 17, L"opt_dummy_list.htm", false},
    {cmdViewAdd, 1, kButton, InFrame(kFraDummy, 3780, 300, 975, 315), 18, L"opt_dummy_add.htm", false},
    {cmdViewDelete, 1, kButton, InFrame(kFraDummy, 3780, 720, 975, 315), 19, L"opt_dummy_delete.htm", true},
    {cmdViewMoveUp, 1, kButton, InFrame(kFraDummy, 3780, 1140, 975, 315), 20, L"opt_dummy_up.htm", true},
    {cmdViewMoveDown, 1, kButton, InFrame(kFraDummy, 3780, 1560, 975, 315), 21, L"opt_dummy_down.htm", true},
    {cmdViewClear, 1, kButton, InFrame(kFraDummy, 3780, 1980, 975, 315), 32, L"opt_dummy_clear.htm", true},
    {lblViewBackColor, 1, kSwatchButton, InFrame(kFraDummy, 3780, 2400, 975, 315), 22, L"opt_dummy_backcolor.htm",
     false},
    {chkViewRandom, 1, kCheck, {300, 3120, 2415, 195}, 23, L"opt_dummy_random.htm", false},
    {lblDummyFit, 1, kLabel, {300, 3450, 1755, 195}, 57, L"opt_dummy_fit.htm", false},
    {cboDummyFit, 1, kDropDownList, {2160, 3390, 2055, 1800}, 57, L"opt_dummy_fit.htm", false},
    {chkDummyEveryMonitor, 1, kCheck, {300, 3810, 4500, 195}, 58, L"opt_dummy_every_monitor.htm", false},
    {chkCheckMouse, 2, kCheck, {300, 300, 3375, 255}, 30, L"opt_mouse_watch.htm", false},
    {lblCheckMouseInterval, 2, kLabel, {600, 720, 1155, 195}, 31, L"opt_mouse_interval.htm", false},
    {txtCheckMouseInterval, 2, kEdit, {1860, 660, 555, 270}, 31, L"opt_mouse_interval.htm", true},
    {lblMilliSecond, 2, kLabel, {2460, 720, 495, 195}, 0, nullptr, false},
    {fraCheckMouseFlag, 2, kFrame, kFraCheckMouseFlag, 49, L"opt_mouse_edges.htm", false},
    {chkCheckMouseFlagTop, 2, kCheck, InFrame(kFraCheckMouseFlag, 180, 300, 735, 195), 0, nullptr, false},
    {chkCheckMouseFlagBottom, 2, kCheck, InFrame(kFraCheckMouseFlag, 1180, 300, 735, 195), 0, nullptr, false},
    {chkCheckMouseFlagLeft, 2, kCheck, InFrame(kFraCheckMouseFlag, 2180, 300, 735, 195), 0, nullptr, false},
    {chkCheckMouseFlagRight, 2, kCheck, InFrame(kFraCheckMouseFlag, 3180, 300, 735, 195), 0, nullptr, false},
    {fraReturnType, 3, kFrame, kFraReturnType, 24, L"opt_return_type.htm", false},
    {optReturnTypeSingle, 3, kRadio, InFrame(kFraReturnType, 180, 300, 1815, 195), 0, nullptr, false},
    {optReturnTypeDouble, 3, kRadio, InFrame(kFraReturnType, 180, 540, 1695, 255), 0, nullptr, false},
    {chkPassword, 3, kCheck, {300, 1200, 2955, 315}, 25, L"opt_password.htm", false},
    {lblPassword, 3, kLabel, {600, 1620, 915, 195}, 0, nullptr, false},
    {txtPassword, 3, kEdit, {1560, 1560, 1575, 270}, 0, nullptr, true},
    {chkPrimaryOnly, 4, kCheck, {300, 180, 4500, 255}, 50, L"opt_primary_only.htm", false},
    {lblPanicKey, 4, kLabel, {300, 570, 1755, 195}, 51, L"opt_panic_key.htm", false},
    {hkyPanicKey, 4, kHotKey, {2160, 510, 2400, 270}, 51, L"opt_panic_key.htm", false},
    {chkInstantEdges, 4, kCheck, {300, 900, 4500, 255}, 52, L"opt_instant_edges.htm", false},
    {lblDwellTime, 4, kLabel, {300, 1290, 1755, 195}, 53, L"opt_dwell_time.htm", false},
    {txtDwellTime, 4, kEdit, {2160, 1230, 555, 270}, 53, L"opt_dwell_time.htm", false},
    {lblDwellMilliSecond, 4, kLabel, {2760, 1290, 495, 195}, 0, nullptr, false},
    {chkEdgeIgnoreDrag, 4, kCheck, {300, 1620, 4500, 255}, 59, L"opt_edge_ignore_drag.htm", false},
    {chkEdgeCornersOnly, 4, kCheck, {300, 1980, 4500, 255}, 60, L"opt_edge_corners_only.htm", false},
    {chkFullScreenPause, 4, kCheck, {300, 2340, 4500, 255}, 55, L"opt_full_screen_pause.htm", false},
    {lblIdleCover, 4, kLabel, {300, 2730, 3600, 195}, 61, L"opt_idle_cover.htm", false},
    {txtIdleCover, 4, kEdit, {3960, 2670, 555, 270}, 61, L"opt_idle_cover.htm", false},
    {lblIdleMinutes, 4, kLabel, {4560, 2730, 420, 195}, 0, nullptr, false},
    {chkQuietCover, 4, kCheck, {300, 3060, 4500, 255}, 54, L"opt_quiet_cover.htm", false},
    {chkStartWithWindows, 4, kCheck, {300, 3420, 4500, 255}, 56, L"opt_start_with_windows.htm", false},
    {lblUiLanguage, 4, kLabel, {300, 3780, 1500, 195}, 0, nullptr, false},
    {cboUiLanguage, 4, kDropDownList, {1860, 3720, 1455, 1200}, 62, L"opt_ui_language.htm", false},
    {lblUiLanguageNote, 4, kLabel, {3390, 3780, 1605, 195}, 0, nullptr, false},
};
}  // namespace option_table
using option_table::kOptionControls;

static_assert(std::size(kOptionControls) == static_cast<std::size_t>(OptionControl::kCount));

// The topic of a context-help number (the help build checks that each is in MIREL.CHM).
constexpr const wchar_t* OptionHelpTopic(std::uint32_t number) {
  for (const auto& entry : kOptionControls)
    if (number != 0 && entry.help == number) return entry.topic;
  return nullptr;
}

// The drop-down's choices for DummyFit, in the order of its values (0: natural size at
// the top-left), and for UiLanguage, in the order of its values.
inline constexpr Text kDummyFitChoices[] = {Text::kFitNatural, Text::kFitFit, Text::kFitFill, Text::kFitStretch,
                                            Text::kFitCentre};
inline constexpr Text kUiLanguageChoices[] = {Text::kLanguageAutomatic, Text::kLanguageJapanese,
                                              Text::kLanguageEnglish};

inline constexpr int kOptionPageCount = 5;
// Also the pages' names for screen readers, and the tab strip's:
inline constexpr Text kOptionTabCaptions[kOptionPageCount] = {Text::kTabMainWindow, Text::kTabDummyWindow,
                                                              Text::kTabMouse, Text::kTabReturn, Text::kTabOther};

}  // namespace mirel
