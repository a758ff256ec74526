// The options dialog's controls by name, page by page: the order in which they are made,
// and so the keyboard's order. Their places are in forms/option/option_layout.h, their
// words in the language tables. Portable.
#pragma once

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
  lblUiLanguage,
  cboUiLanguage,
  lblUiLanguageNote,
  kCount
};

}  // namespace mirel
