// The Japanese words of the interface, as the program has always shown them.
#include "core/ui_text.h"

namespace mirel {

namespace {

namespace texts {
using enum Text;
constexpr TextEntry kTexts[] = {
    {kNone, L""},
    {kWarningCaption, L"警告"},
    {kConfirmCaption, L"確認"},
    {kOptionCaption, L"オプション"},
    {kAboutCaption, L"バージョン情報"},
    {kPasswordCaption, L"パスワード入力"},
    {kPreviewCaption, L"プレビュー表示"},
    {kTrayWindowCaption, L"タスクトレイ"},
    {kCancelButton, L"キャンセル"},
    {kMenuShowWindow, L"ウィンドウを表示(&V)"},
    {kMenuShowTitleBar, L"タイトルバーを表示(&T)"},
    {kMenuOptions, L"オプション(&O)"},
    {kMenuAbout, L"バージョン情報(&A)"},
    {kMenuExit, L"終了(&X)"},
    {kMenuFile, L"ファイル(&F)"},
    {kMenuView, L"表示(&V)"},
    {kMenuHelp, L"ヘルプ(&H)"},
    {kMenuDeleteSettings, L"設定を削除して終了(&R)"},
    {kMenuWindowCapture, L"ウィンドウキャプチャ(&W)"},
    {kMenuDesktopCapture, L"デスクトップキャプチャ(&D)"},
    {kMenuHelpContents, L"目次(&C)\tF1"},
    {kMenuHelpSearch, L"トピックの検索(&H)"},
    {kMenuTrayMouse, L"マウスによる切り替え(&M)"},
    {kMenuTrayCapture, L"デスクトップキャプチャ(&C)"},
    {kMenuTrayHelp, L"ヘルプ(&H)"},
    {kMenuPreviewAddToList, L"ダミー画像リストに追加(&D)"},
    {kMenuPreviewSave, L"保存(&S)\tCtrl+S"},
    {kMenuPreviewClose, L"閉じる(&X)"},
    {kTabStripName, L"ページ"},
    {kTabMainWindow, L"メインウィンドウ"},
    {kTabDummyWindow, L"ダミーウィンドウ"},
    {kTabMouse, L"マウス"},
    {kTabReturn, L"復帰"},
    {kTabOther, L"その他"},
    {kFitNatural, L"原寸で左上に"},
    {kFitFit, L"画面に合わせる"},
    {kFitFill, L"画面いっぱいに"},
    {kFitStretch, L"引き伸ばす"},
    {kFitCentre, L"原寸で中央に"},
    {kLanguageAutomatic, L"自動"},
    {kLanguageJapanese, L"日本語"},
    {kLanguageEnglish, L"English"},
    {kPreviewPictureName, L"キャプチャ画像"},
    {kPreviewVerticalBarName, L"縦スクロール バー"},
    {kPreviewHorizontalBarName, L"横スクロール バー"},
    {kPasswordPrompt, L"パスワードを入力してください。"},
    {kWrongPassword, L"パスワードが違います。"},
    {kConfirmDeleteSettings, L"本当に設定を削除しますか?"},
    {kPasswordUnstorable,
     L"パスワードにシステムの文字コードで保存できない文字が含まれているため、パスワードは変更されませんでした。"},
    {kInvalidBitmap, L"無効なビットマップです。"},
    {kPictureMissing, L"メインウィンドウに表示する画像が見つかりません。"},
    {kBitmapFilter, L"ビットマップ(*.bmp)"},
    {kHelpMissing, L"ヘルプ ファイルが見つかりません。"},
    {kHelpFailed, L"ヘルプ ファイルを開けませんでした。"},
    {kStartWithWindowsFailed, L"Windows の起動時に Mirel を起動する設定を変更できませんでした。"},
    {kPanicKeyTaken,
     L"キー「%1」はほかのプログラムが使っているため、すぐに隠すキーにできませんでした。"
     L"オプションの「その他」ページで別のキーを選んでください。"},
    {kSystemFileMissing, L"Windows のシステム ファイル %1 (%2) を読み込めないため、この機能は使えません。"},
    {kListUnreadableAtStart,
     L"ダミー画像リストのファイルを読み込めませんでした。ほかのプログラムが使用中の可能性があります。"
     L"次にダミー画面を表示するときに、もう一度読み込みます。"},
    {kListUnreadableInOptions,
     L"ダミー画像リストのファイルを読み込めませんでした。リストの内容を守るため、今回はダミー画像リストを"
     L"変更できません。そのほかの設定は変更できます。"},
    {kListNowUtf8,
     L"ダミー画像リストに、システムの文字コードで表せないパスが追加されたため、リストのファイルを UTF-8 で"
     L"保存しました。以前のバージョンの Mirel では、このファイルを読み込めません。"},
    {kListPathUnrepresentable, L"このパスはシステムの文字コードで保存できないため、ダミー画像リストに追加できません。"},
    {kListFull, L"ダミー画像リストには %1 件までしか登録できません。"},
    {kListTooLarge, L"ダミー画像リストのファイルが大きすぎるため、書き込みませんでした。"},
    {kListUnreadable, L"ダミー画像リストのファイルを読み込めないため、書き込みませんでした。"},
    {kListWriteFailed, L"ダミー画像リストのファイルに書き込めませんでした。"},
    {kCaptureNamesUsedUp,
     L"キャプチャ画像のファイル名 (CAPT000.BMP ～ CAPT998.BMP) に空きがありません。\r\n"
     L"実行ファイルのフォルダーにある古いキャプチャ画像を削除してから、もう一度追加してください。"},
    {kBitmapWriteFailed, L"ビットマップ ファイルを書き込めませんでした。"},
    {kCaptureKept, L"キャプチャ画像は次のファイルに保存されています: "},
    {kNoSnapshot, L"画面を取り込めませんでした。"},
};
}  // namespace texts

namespace options {
using enum OptionControl;
// The boxes that show no caption of their own carry their name all the same, for screen
// readers; a box's caption is the text it starts with.
constexpr OptionTextEntry kOptionTexts[] = {
    {fraMainWindow, L"メインウィンドウ画像", nullptr},
    {lblMainFileName, L"画像:", nullptr},
    {txtMainLoadFile, L"", nullptr},
    {cmdMainRef, L"参照(&R)...", nullptr},
    {lblMainBack, L"背景色:", nullptr},
    {lblMainBackColor, L"背景色", nullptr},
    {cmdMainBackColor, L"変更(&B)...", nullptr},
    {chkAlwaysTop, L"常に手前に表示する(&W)", nullptr},
    {chkNonTitleBar, L"タイトルバーを非表示にする(&T)", nullptr},
    {chkAutoAdjust, L"ウィンドウサイズを画像サイズに合わせる(&A)", nullptr},
    {fraDummy, L"ダミー画像リスト", nullptr},
    {lstViewList, L"ダミー画像リスト", L"表示する画像のリストです。"},
    {cmdViewAdd, L"追加(&A)...", L"表示するファイルを追加します。"},
    {cmdViewDelete, L"削除(&X)", L"選択されたファイルをリストから削除します。"},
    {cmdViewMoveUp, L"上へ(&U)", nullptr},
    {cmdViewMoveDown, L"下へ(&D)", nullptr},
    {cmdViewClear, L"クリア(&C)", nullptr},
    {lblViewBackColor, L"背景色(&D)...", L"切り替え時ウィンドウの背景色を設定します。"},
    {chkViewRandom, L"ランダムに表示する(&R)", L"リストに含まれるファイルをランダムに表示します。"},
    {lblDummyFit, L"画像の表示方法(&F):", nullptr},
    {cboDummyFit, L"", L"ダミー画面に画像をどの大きさで、どこに表示するかを選びます。"},
    {chkDummyEveryMonitor, L"すべてのモニタに画像を表示する(&E)",
     L"プライマリモニタだけでなく、ほかのモニタにも同じ画像を表示します。"},
    {chkCheckMouse, L"マウスによるダミー画面の表示を行う(&M)", nullptr},
    {lblCheckMouseInterval, L"チェック間隔(&I):", nullptr},
    {txtCheckMouseInterval, L"100", nullptr},
    {lblMilliSecond, L"ミリ秒", nullptr},
    {fraCheckMouseFlag, L"マウス切り替えを行う位置", nullptr},
    {chkCheckMouseFlagTop, L"上(&T)", nullptr},
    {chkCheckMouseFlagBottom, L"下(&B)", nullptr},
    {chkCheckMouseFlagLeft, L"左(&L)", nullptr},
    {chkCheckMouseFlagRight, L"右(&R)", nullptr},
    {fraReturnType, L"復帰条件", nullptr},
    {optReturnTypeSingle, L"シングルクリック(&S)", nullptr},
    {optReturnTypeDouble, L"ダブルクリック(&D)", nullptr},
    {chkPassword, L"復帰時にパスワードを要求する(&P)", nullptr},
    {lblPassword, L"パスワード:", nullptr},
    {txtPassword, L"", nullptr},
    {chkPrimaryOnly, L"プライマリモニタのみ(&O)",
     L"ダミー画面でプライマリモニタだけを覆い、ほかのモニタの端は監視しません。"},
    {lblPanicKey, L"すぐに隠すキー(&K):", nullptr},
    {hkyPanicKey, L"すぐに隠すキー(&K):",
     L"どこからでもダミー画面を表示するキーです。なしにするには Backspace を押します。"},
    {chkInstantEdges, L"画面の端を即座に検出する(&E)", L"タイマーの代わりにマウスの動きで画面の端を監視します。"},
    {lblDwellTime, L"端に留まる時間(&G):", nullptr},
    {txtDwellTime, L"0", L"この時間だけマウスが端に留まったときにダミー画面を表示します (0 ですぐに表示)。"},
    {lblDwellMilliSecond, L"ミリ秒", nullptr},
    {chkEdgeIgnoreDrag, L"マウスボタンを押している間は表示しない(&B)",
     L"ドラッグやウィンドウの移動など、マウスのボタンを押している間は画面の端に触れてもダミー画面を表示しません。"},
    {chkEdgeCornersOnly, L"画面の隅だけで表示する(&N)",
     L"監視する二つの端が出会う画面の隅にマウスが来たときだけダミー画面を表示します。"},
    {chkFullScreenPause, L"全画面のプログラムの実行中は監視しない(&F)",
     L"ゲームやプレゼンテーション、動画が全画面で表示されている間は画面の端を監視しません。"},
    {lblIdleCover, L"操作がないときに表示するまでの時間(&I):", nullptr},
    {txtIdleCover, L"0",
     L"キーボードもマウスもこの時間 (分、1 から 1440) 使われなかったときにダミー画面を表示します (0 で表示しない)。"},
    {lblIdleMinutes, L"分", nullptr},
    {chkQuietCover, L"ダミー画面の間は音を消す(&Q)",
     L"ダミー画面を表示している間は音を消し、戻るときに元の状態と音量に戻します。"},
    {chkStartWithWindows, L"Windows の起動時に Mirel を起動する(&W)",
     L"Windows にサインインしたときに、この Mirel.exe を起動します。"},
    {lblUiLanguage, L"表示言語(&L):", nullptr},
    {cboUiLanguage, L"表示言語(&L):",
     L"メニューやダイアログ、ヘルプの言語を選びます。自動では Windows の表示言語に合わせます。"},
    {lblUiLanguageNote, L"(次回の起動から)", nullptr},
};
}  // namespace options

}  // namespace

const LanguageTable& JapaneseTable() {
  static constexpr LanguageTable kTable = CheckedTable<texts::kTexts, options::kOptionTexts>();
  return kTable;
}

}  // namespace mirel
