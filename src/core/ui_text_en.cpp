// The English words of the interface. Access keys are unique within each menu and each
// options page, as in Japanese, though not always on the same letters.
#include "core/ui_text.h"

namespace mirel {

namespace {

namespace texts {
using enum Text;
constexpr TextEntry kTexts[] = {
    {kNone, L""},
    {kWarningCaption, L"Warning"},
    {kConfirmCaption, L"Confirm"},
    {kOptionCaption, L"Options"},
    {kAboutCaption, L"About Mirel"},
    {kPasswordCaption, L"Enter Password"},
    {kPreviewCaption, L"Preview"},
    {kTrayWindowCaption, L"Notification area"},
    {kCancelButton, L"Cancel"},
    {kMenuShowWindow, L"&Show window"},
    {kMenuShowTitleBar, L"Show &title bar"},
    {kMenuOptions, L"&Options..."},
    {kMenuAbout, L"&About Mirel"},
    {kMenuExit, L"E&xit"},
    {kMenuFile, L"&File"},
    {kMenuView, L"&View"},
    {kMenuHelp, L"&Help"},
    {kMenuDeleteSettings, L"&Remove settings and exit"},
    {kMenuWindowCapture, L"&Window capture"},
    {kMenuDesktopCapture, L"&Desktop capture"},
    {kMenuHelpContents, L"&Contents\tF1"},
    {kMenuHelpSearch, L"Searc&h topics"},
    {kMenuTrayMouse, L"Switch by &mouse"},
    {kMenuTrayCapture, L"Desktop &capture"},
    {kMenuTrayHelp, L"&Help"},
    {kMenuPreviewAddToList, L"Add to the &dummy picture list"},
    {kMenuPreviewSave, L"&Save\tCtrl+S"},
    {kMenuPreviewClose, L"&Close"},
    {kTabStripName, L"Pages"},
    {kTabMainWindow, L"Main window"},
    {kTabDummyWindow, L"Dummy window"},
    {kTabMouse, L"Mouse"},
    {kTabReturn, L"Return"},
    {kTabOther, L"Other"},
    {kFitNatural, L"Actual size, top left"},
    {kFitFit, L"Fit to the screen"},
    {kFitFill, L"Fill the screen"},
    {kFitStretch, L"Stretch"},
    {kFitCentre, L"Actual size, centered"},
    {kLanguageAutomatic, L"Automatic"},
    {kLanguageJapanese, L"日本語"},
    {kLanguageEnglish, L"English"},
    {kPreviewPictureName, L"Captured picture"},
    {kPreviewVerticalBarName, L"Vertical scroll bar"},
    {kPreviewHorizontalBarName, L"Horizontal scroll bar"},
    {kPasswordPrompt, L"Enter the password."},
    {kWrongPassword, L"The password is incorrect."},
    {kConfirmDeleteSettings, L"Do you really want to remove the settings?"},
    {kPasswordUnstorable,
     L"The password contains characters that cannot be saved in the system's code page, so it was not "
     L"changed."},
    {kInvalidBitmap, L"This is not a valid bitmap."},
    {kPictureMissing, L"The picture for the main window cannot be found."},
    {kBitmapFilter, L"Bitmap (*.bmp)"},
    {kHelpMissing, L"The help file cannot be found."},
    {kHelpFailed, L"The help file could not be opened."},
    {kStartWithWindowsFailed, L"The setting that starts Mirel with Windows could not be changed."},
    {kPanicKeyTaken,
     L"The key \"%1\" is used by another program, so it could not be made the panic key. "
     L"Choose another key on the Other page of the options."},
    {kSystemFileMissing, L"The Windows system file %1 (%2) cannot be loaded, so this feature is not available."},
    {kListUnreadableAtStart,
     L"The dummy picture list file could not be read. Another program may be using it. "
     L"It will be read again the next time the dummy screen is shown."},
    {kListUnreadableInOptions,
     L"The dummy picture list file could not be read. To keep its contents safe, the dummy picture list "
     L"cannot be changed this time. The other settings can be changed."},
    {kListNowUtf8,
     L"A path that the system's code page cannot hold was added to the dummy picture list, so the list file "
     L"was saved as UTF-8. Earlier versions of Mirel cannot read this file."},
    {kListPathUnrepresentable,
     L"This path cannot be saved in the system's code page, so it cannot be added to the dummy picture list."},
    {kListFull, L"The dummy picture list can hold no more than %1 entries."},
    {kListTooLarge, L"The dummy picture list file is too large, so nothing was written."},
    {kListUnreadable, L"The dummy picture list file cannot be read, so nothing was written."},
    {kListWriteFailed, L"The dummy picture list file could not be written."},
    {kCaptureNamesUsedUp,
     L"No capture file name (CAPT000.BMP to CAPT998.BMP) is free.\r\n"
     L"Delete old captures from the program's folder, then add the picture again."},
    {kBitmapWriteFailed, L"The bitmap file could not be written."},
    {kCaptureKept, L"The captured picture is kept in this file: "},
    {kNoSnapshot, L"The screen could not be captured."},
};
}  // namespace texts

namespace options {
using enum OptionControl;
constexpr OptionTextEntry kOptionTexts[] = {
    {fraMainWindow, L"Main window picture", nullptr},
    {lblMainFileName, L"Picture:", nullptr},
    {txtMainLoadFile, L"", nullptr},
    {cmdMainRef, L"B&rowse...", nullptr},
    {lblMainBack, L"Color:", nullptr},
    {lblMainBackColor, L"Background color", nullptr},
    {cmdMainBackColor, L"&Change...", nullptr},
    {chkAlwaysTop, L"Al&ways on top", nullptr},
    {chkNonTitleBar, L"Hide the &title bar", nullptr},
    {chkAutoAdjust, L"&Adjust the window to the picture's size", nullptr},
    {fraDummy, L"Dummy picture list", nullptr},
    {lstViewList, L"Dummy picture list", L"The pictures to show."},
    {cmdViewAdd, L"&Add...", L"Adds files to show."},
    {cmdViewDelete, L"De&lete", L"Removes the selected files from the list."},
    {cmdViewMoveUp, L"Move &up", nullptr},
    {cmdViewMoveDown, L"Move do&wn", nullptr},
    {cmdViewClear, L"&Clear", nullptr},
    {lblViewBackColor, L"C&olor...", L"Sets the background color of the dummy screen."},
    {chkViewRandom, L"&Random order", L"Shows the files of the list in random order."},
    {lblDummyFit, L"Picture &fit:", nullptr},
    {cboDummyFit, L"", L"Chooses the size and place of the picture on the dummy screen."},
    {chkDummyEveryMonitor, L"Show the picture on &every monitor",
     L"Shows the same picture on the other monitors too, not only on the primary one."},
    {chkCheckMouse, L"Show the dummy screen by &mouse", nullptr},
    {lblCheckMouseInterval, L"Check &interval:", nullptr},
    {txtCheckMouseInterval, L"100", nullptr},
    {lblMilliSecond, L"ms", nullptr},
    {fraCheckMouseFlag, L"Edges that switch", nullptr},
    {chkCheckMouseFlagTop, L"&Top", nullptr},
    {chkCheckMouseFlagBottom, L"&Bottom", nullptr},
    {chkCheckMouseFlagLeft, L"&Left", nullptr},
    {chkCheckMouseFlagRight, L"&Right", nullptr},
    {fraReturnType, L"Return on", nullptr},
    {optReturnTypeSingle, L"&Single click", nullptr},
    {optReturnTypeDouble, L"&Double click", nullptr},
    {chkPassword, L"Ask for a &password on return", nullptr},
    {lblPassword, L"Password:", nullptr},
    {txtPassword, L"", nullptr},
    {chkPrimaryOnly, L"Primary m&onitor only",
     L"Covers only the primary monitor with the dummy screen and does not watch the other monitors' edges."},
    {lblPanicKey, L"Panic &key:", nullptr},
    {hkyPanicKey, L"Panic &key:", L"A key that shows the dummy screen from anywhere. Press Backspace for none."},
    {chkInstantEdges, L"Detect the screen &edges at once",
     L"Watches the screen edges by the mouse's moves instead of a timer."},
    {lblDwellTime, L"Time at the ed&ge:", nullptr},
    {txtDwellTime, L"0", L"Shows the dummy screen when the mouse has stayed this long at an edge (0: at once)."},
    {lblDwellMilliSecond, L"ms", nullptr},
    {chkEdgeIgnoreDrag, L"Not while a mouse &button is held",
     L"Touching a screen edge shows no dummy screen while a mouse button is held, as in a drag or while a "
     L"window is moved."},
    {chkEdgeCornersOnly, L"Only in the scree&n corners",
     L"Shows the dummy screen only when the mouse reaches a corner where two watched edges meet."},
    {chkFullScreenPause, L"No watch while a &full-screen program runs",
     L"Does not watch the screen edges while a game, a presentation or a video fills the screen."},
    {lblIdleCover, L"Show when &idle for:", nullptr},
    {txtIdleCover, L"0",
     L"Shows the dummy screen when neither keyboard nor mouse has been used for this long (minutes, 1 to 1440; "
     L"0: never)."},
    {lblIdleMinutes, L"min", nullptr},
    {chkQuietCover, L"&Mute the sound during the dummy screen",
     L"Mutes the sound while the dummy screen shows, and gives back the sound as it was on return."},
    {chkStartWithWindows, L"Start Mirel &with Windows", L"Starts this Mirel.exe when you sign in to Windows."},
    {lblUiLanguage, L"Display &language:", nullptr},
    {cboUiLanguage, L"Display &language:",
     L"Chooses the language of the menus, dialogs and help. Automatic follows the Windows display language."},
    {lblUiLanguageNote, L"(from the next start)", nullptr},
};
}  // namespace options

}  // namespace

const LanguageTable& EnglishTable() {
  static constexpr LanguageTable kTable = CheckedTable<texts::kTexts, options::kOptionTexts>();
  return kTable;
}

}  // namespace mirel
