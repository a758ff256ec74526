// The options dialog's controls as data: page, kind, caption, place in twips inside the
// page, context-help number, tooltip and whether it starts disabled. The table's order is
// the creation order and so the keyboard order: top to bottom within each page. A label
// comes just before the box it names, so that screen readers read it as the box's name;
// the controls that show no caption of their own (the colour box, the list, the key box)
// carry their name as the caption all the same, unshown, for the readers that take it
// from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace mirel {

enum class OptionControl : int {
  // Page 0, "メインウィンドウ"
  fraMainWindow,
  lblMainFileName,
  txtMainLoadFile,
  cmdMainRef,
  lblMainBack,
  lblMainBackColor,
  cmdMainBackColor,
  chkAlwaysTop,
  chkNonTitleBar,
  chkAutoAdjust,
  // Page 1, "ダミーウィンドウ"
  fraDummy,
  lstViewList,
  cmdViewAdd,
  cmdViewDelete,
  cmdViewMoveUp,
  cmdViewMoveDown,
  cmdViewClear,
  lblViewBackColor,
  chkViewRandom,
  lblDummyFit,
  cboDummyFit,
  chkDummyEveryMonitor,
  // Page 2, "マウス"
  chkCheckMouse,
  lblCheckMouseInterval,
  txtCheckMouseInterval,
  lblMilliSecond,
  fraCheckMouseFlag,
  chkCheckMouseFlagTop,
  chkCheckMouseFlagBottom,
  chkCheckMouseFlagLeft,
  chkCheckMouseFlagRight,
  // Page 3, "復帰"
  fraReturnType,
  optReturnTypeSingle,
  optReturnTypeDouble,
  chkPassword,
  lblPassword,
  txtPassword,
  // Page 4, "その他"
  chkPrimaryOnly,
  lblPanicKey,
  hkyPanicKey,
  chkInstantEdges,
  lblDwellTime,
  txtDwellTime,
  lblDwellMilliSecond,
  chkEdgeIgnoreDrag,
  chkEdgeCornersOnly,
  chkFullScreenPause,
  lblIdleCover,
  txtIdleCover,
  lblIdleMinutes,
  chkQuietCover,
  chkStartWithWindows,
  kCount
};

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
  const wchar_t* caption;
  TwipsRect place;       // inside the page
  std::uint32_t help;    // its context-help number, 0 for none
  const wchar_t* topic;  // and that number's topic in MIREL.CHM
  const wchar_t* tooltip;
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
    {fraMainWindow, 0, kFrame, L"メインウィンドウ画像", kFraMainWindow, 0, nullptr, nullptr, false},
    {lblMainFileName, 0, kLabel, L"画像:", InFrame(kFraMainWindow, 180, 360, 495, 195), 0, nullptr, nullptr, false},
    {txtMainLoadFile, 0, kEdit, L"", InFrame(kFraMainWindow, 900, 300, 2655, 330), 12, L"opt_main_picture.htm", nullptr,
     false},
    {cmdMainRef, 0, kButton, L"参照(&R)...", InFrame(kFraMainWindow, 3660, 300, 1095, 315), 13, L"opt_main_browse.htm",
     nullptr, false},
    {lblMainBack, 0, kLabel, L"背景色:", InFrame(kFraMainWindow, 180, 780, 615, 195), 0, nullptr, nullptr, false},
    {lblMainBackColor, 0, kSwatch, L"背景色", InFrame(kFraMainWindow, 900, 720, 2655, 315), 14,
     L"opt_main_backcolor.htm", nullptr, false},
    {cmdMainBackColor, 0, kButton, L"変更(&B)...", InFrame(kFraMainWindow, 3660, 720, 1095, 315), 15,
     L"opt_main_backcolor_change.htm", nullptr, false},
    {chkAlwaysTop,
     0,
     kCheck,
     L"常に手前に表示する(&W)",
     {300, 1560, 2115, 195},
     16,
     L"opt_always_top.htm",
     nullptr,
     false},
    {chkNonTitleBar,
     0,
     kCheck,
     L"タイトルバーを非表示にする(&T)",
     {300, 1800, 2715, 195},
     28,
     L"opt_hide_titlebar.htm",
     nullptr,
     false},
    {chkAutoAdjust,
     0,
     kCheck,
     L"ウィンドウサイズを画像サイズに合わせる(&A)",
     {300, 2040, 3675, 195},
     29,
     L"opt_fit_window.htm",
     nullptr,
     true},

    {fraDummy, 1, kFrame, L"ダミー画像リスト", kFraDummy, 0, nullptr, nullptr, false},
    {lstViewList, 1, kList, L"ダミー画像リスト", InFrame(kFraDummy, 120, 300, 3555, 2400), 17, L"opt_dummy_list.htm",
     L"表示する画像のリストです。", false},
    {cmdViewAdd, 1, kButton, L"追加(&A)...", InFrame(kFraDummy, 3780, 300, 975, 315), 18, L"opt_dummy_add.htm",
     L"表示するファイルを追加します。", false},
    {cmdViewDelete, 1, kButton, L"削除(&X)", InFrame(kFraDummy, 3780, 720, 975, 315), 19, L"opt_dummy_delete.htm",
     L"選択されたファイルをリストから削除します。", true},
    {cmdViewMoveUp, 1, kButton, L"上へ(&U)", InFrame(kFraDummy, 3780, 1140, 975, 315), 20, L"opt_dummy_up.htm", nullptr,
     true},
    {cmdViewMoveDown, 1, kButton, L"下へ(&D)", InFrame(kFraDummy, 3780, 1560, 975, 315), 21, L"opt_dummy_down.htm",
     nullptr, true},
    {cmdViewClear, 1, kButton, L"クリア(&C)", InFrame(kFraDummy, 3780, 1980, 975, 315), 32, L"opt_dummy_clear.htm",
     nullptr, true},
    {lblViewBackColor, 1, kSwatchButton, L"背景色(&D)...", InFrame(kFraDummy, 3780, 2400, 975, 315), 22,
     L"opt_dummy_backcolor.htm", L"切り替え時ウィンドウの背景色を設定します。", false},
    {chkViewRandom,
     1,
     kCheck,
     L"ランダムに表示する(&R)",
     {300, 3120, 2415, 195},
     23,
     L"opt_dummy_random.htm",
     L"リストに含まれるファイルをランダムに表示します。",
     false},
    {lblDummyFit, 1, kLabel, L"画像の表示方法(&F):", {300, 3450, 1755, 195}, 57, L"opt_dummy_fit.htm", nullptr, false},
    {cboDummyFit,
     1,
     kDropDownList,
     L"",
     {2160, 3390, 2055, 1800},
     57,
     L"opt_dummy_fit.htm",
     L"ダミー画面に画像をどの大きさで、どこに表示するかを選びます。",
     false},
    {chkDummyEveryMonitor,
     1,
     kCheck,
     L"すべてのモニタに画像を表示する(&E)",
     {300, 3810, 4500, 195},
     58,
     L"opt_dummy_every_monitor.htm",
     L"プライマリモニタだけでなく、ほかのモニタにも同じ画像を表示します。",
     false},

    {chkCheckMouse,
     2,
     kCheck,
     L"マウスによるダミー画面の表示を行う(&M)",
     {300, 300, 3375, 255},
     30,
     L"opt_mouse_watch.htm",
     nullptr,
     false},
    {lblCheckMouseInterval,
     2,
     kLabel,
     L"チェック間隔(&I):",
     {600, 720, 1155, 195},
     31,
     L"opt_mouse_interval.htm",
     nullptr,
     false},
    {txtCheckMouseInterval, 2, kEdit, L"100", {1860, 660, 555, 270}, 31, L"opt_mouse_interval.htm", nullptr, true},
    {lblMilliSecond, 2, kLabel, L"ミリ秒", {2460, 720, 495, 195}, 0, nullptr, nullptr, false},
    {fraCheckMouseFlag, 2, kFrame, L"マウス切り替えを行う位置", kFraCheckMouseFlag, 49, L"opt_mouse_edges.htm", nullptr,
     false},
    {chkCheckMouseFlagTop, 2, kCheck, L"上(&T)", InFrame(kFraCheckMouseFlag, 180, 300, 735, 195), 0, nullptr, nullptr,
     false},
    {chkCheckMouseFlagBottom, 2, kCheck, L"下(&B)", InFrame(kFraCheckMouseFlag, 1180, 300, 735, 195), 0, nullptr,
     nullptr, false},
    {chkCheckMouseFlagLeft, 2, kCheck, L"左(&L)", InFrame(kFraCheckMouseFlag, 2180, 300, 735, 195), 0, nullptr, nullptr,
     false},
    {chkCheckMouseFlagRight, 2, kCheck, L"右(&R)", InFrame(kFraCheckMouseFlag, 3180, 300, 735, 195), 0, nullptr,
     nullptr, false},

    {fraReturnType, 3, kFrame, L"復帰条件", kFraReturnType, 24, L"opt_return_type.htm", nullptr, false},
    {optReturnTypeSingle, 3, kRadio, L"シングルクリック(&S)", InFrame(kFraReturnType, 180, 300, 1815, 195), 0, nullptr,
     nullptr, false},
    {optReturnTypeDouble, 3, kRadio, L"ダブルクリック(&D)", InFrame(kFraReturnType, 180, 540, 1695, 255), 0, nullptr,
     nullptr, false},
    {chkPassword,
     3,
     kCheck,
     L"復帰時にパスワードを要求する(&P)",
     {300, 1200, 2955, 315},
     25,
     L"opt_password.htm",
     nullptr,
     false},
    {lblPassword, 3, kLabel, L"パスワード:", {600, 1620, 915, 195}, 0, nullptr, nullptr, false},
    {txtPassword, 3, kEdit, L"", {1560, 1560, 1575, 270}, 0, nullptr, nullptr, true},

    {chkPrimaryOnly,
     4,
     kCheck,
     L"プライマリモニタのみ(&O)",
     {300, 180, 4500, 255},
     50,
     L"opt_primary_only.htm",
     L"ダミー画面でプライマリモニタだけを覆い、ほかのモニタの端は監視しません。",
     false},
    {lblPanicKey, 4, kLabel, L"すぐに隠すキー(&K):", {300, 570, 1755, 195}, 51, L"opt_panic_key.htm", nullptr, false},
    {hkyPanicKey,
     4,
     kHotKey,
     L"すぐに隠すキー(&K):",
     {2160, 510, 2400, 270},
     51,
     L"opt_panic_key.htm",
     L"どこからでもダミー画面を表示するキーです。なしにするには Backspace を押します。",
     false},
    {chkInstantEdges,
     4,
     kCheck,
     L"画面の端を即座に検出する(&E)",
     {300, 900, 4500, 255},
     52,
     L"opt_instant_edges.htm",
     L"タイマーの代わりにマウスの動きで画面の端を監視します。",
     false},
    {lblDwellTime,
     4,
     kLabel,
     L"端に留まる時間(&G):",
     {300, 1290, 1755, 195},
     53,
     L"opt_dwell_time.htm",
     nullptr,
     false},
    {txtDwellTime,
     4,
     kEdit,
     L"0",
     {2160, 1230, 555, 270},
     53,
     L"opt_dwell_time.htm",
     L"この時間だけマウスが端に留まったときにダミー画面を表示します (0 ですぐに表示)。",
     false},
    {lblDwellMilliSecond, 4, kLabel, L"ミリ秒", {2760, 1290, 495, 195}, 0, nullptr, nullptr, false},
    {chkEdgeIgnoreDrag,
     4,
     kCheck,
     L"マウスボタンを押している間は表示しない(&B)",
     {300, 1620, 4500, 255},
     59,
     L"opt_edge_ignore_drag.htm",
     L"ドラッグやウィンドウの移動など、マウスのボタンを押している間は画面の端に触れてもダミー画面を表示しません。",
     false},
    {chkEdgeCornersOnly,
     4,
     kCheck,
     L"画面の隅だけで表示する(&N)",
     {300, 1980, 4500, 255},
     60,
     L"opt_edge_corners_only.htm",
     L"監視する二つの端が出会う画面の隅にマウスが来たときだけダミー画面を表示します。",
     false},
    {chkFullScreenPause,
     4,
     kCheck,
     L"全画面のプログラムの実行中は監視しない(&F)",
     {300, 2340, 4500, 255},
     55,
     L"opt_full_screen_pause.htm",
     L"ゲームやプレゼンテーション、動画が全画面で表示されている間は画面の端を監視しません。",
     false},
    {lblIdleCover,
     4,
     kLabel,
     L"操作がないときに表示するまでの時間(&I):",
     {300, 2730, 3600, 195},
     61,
     L"opt_idle_cover.htm",
     nullptr,
     false},
    {txtIdleCover,
     4,
     kEdit,
     L"0",
     {3960, 2670, 555, 270},
     61,
     L"opt_idle_cover.htm",
     L"キーボードもマウスもこの時間 (分、1 から 1440) 使われなかったときにダミー画面を表示します (0 で表示しない)。",
     false},
    {lblIdleMinutes, 4, kLabel, L"分", {4560, 2730, 420, 195}, 0, nullptr, nullptr, false},
    {chkQuietCover,
     4,
     kCheck,
     L"ダミー画面の間は音を消す(&Q)",
     {300, 3060, 4500, 255},
     54,
     L"opt_quiet_cover.htm",
     L"ダミー画面を表示している間は音を消し、戻るときに元の状態と音量に戻します。",
     false},
    {chkStartWithWindows,
     4,
     kCheck,
     L"Windows の起動時に Mirel を起動する(&W)",
     {300, 3420, 4500, 255},
     56,
     L"opt_start_with_windows.htm",
     L"Windows にサインインしたときに、この Mirel.exe を起動します。",
     false},
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
// the top-left).
inline constexpr const wchar_t* kDummyFitChoices[] = {L"原寸で左上に", L"画面に合わせる", L"画面いっぱいに",
                                                      L"引き伸ばす", L"原寸で中央に"};

inline constexpr int kOptionPageCount = 5;
// Also the pages' names for screen readers, and the tab strip's:
inline constexpr const wchar_t* kOptionTabStripName = L"ページ";
inline constexpr const wchar_t* kOptionTabCaptions[kOptionPageCount] = {L"メインウィンドウ", L"ダミーウィンドウ",
                                                                        L"マウス", L"復帰", L"その他"};

}  // namespace mirel
