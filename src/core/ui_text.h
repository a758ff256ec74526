// The words the user reads, in Japanese and in English: one table per language
// (ui_text_ja.cpp, ui_text_en.cpp), and which of the two the program speaks. Portable.
//
// The language is chosen once at start-up, before the first window: what the user chose
// on the options' "other" page, or else the Windows display language (Japanese when it is
// Japanese, English otherwise).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>

#include "core/option_control.h"

namespace mirel {

enum class Language : std::uint8_t { kJapanese, kEnglish };

// The stored choice (UiLanguage): 0 follows Windows, 1 Japanese, 2 English; any other
// value reads as 0.
enum class UiLanguage : std::int32_t { kAutomatic = 0, kJapanese = 1, kEnglish = 2 };
UiLanguage UiLanguageFromStored(std::int32_t stored);

// The language of the interface for the user's choice and the Windows display language
// (a LANGID, as GetUserDefaultUILanguage gives it).
Language ChooseLanguage(UiLanguage choice, std::uint16_t displayLanguage);

// The language the program speaks; Japanese until start-up sets it.
Language CurrentLanguage();
void SetCurrentLanguage(Language language);

// The help file of the language, beside the exe: MIREL.CHM in Japanese, MIREL-EN.CHM in
// English.
const wchar_t* HelpFileName(Language language);

// The face of the interface's font: the system's message font when it is one of the
// language's user-interface faces (Yu Gothic UI or Meiryo UI for Japanese, Segoe UI for
// English), else the first of those installed, else the system's after all.
template <typename Installed>
std::wstring UiFontFace(Language language, const std::wstring& systemFace, Installed installed) {
  static constexpr const wchar_t* kJapaneseFaces[] = {L"Yu Gothic UI", L"Meiryo UI"};
  static constexpr const wchar_t* kEnglishFaces[] = {L"Segoe UI"};
  const auto faces = language == Language::kJapanese ? std::span<const wchar_t* const>(kJapaneseFaces)
                                                     : std::span<const wchar_t* const>(kEnglishFaces);
  for (const wchar_t* face : faces)
    if (systemFace == face) return systemFace;
  for (const wchar_t* face : faces)
    if (installed(face)) return face;
  return systemFace;
}

enum class Text : std::uint16_t {
  kNone,  // a menu separator
  // Captions of windows and message boxes.
  kWarningCaption,
  kConfirmCaption,
  kOptionCaption,
  kAboutCaption,
  kPasswordCaption,
  kPreviewCaption,
  kTrayWindowCaption,
  kCancelButton,
  // The menus. The main window's and the tray's shared entries come first.
  kMenuShowWindow,
  kMenuShowTitleBar,
  kMenuOptions,
  kMenuAbout,
  kMenuExit,
  kMenuFile,
  kMenuView,
  kMenuHelp,
  kMenuDeleteSettings,
  kMenuWindowCapture,
  kMenuDesktopCapture,
  kMenuHelpContents,
  kMenuHelpSearch,
  kMenuTrayMouse,
  kMenuTrayCapture,
  kMenuTrayHelp,
  kMenuPreviewAddToList,
  kMenuPreviewSave,
  kMenuPreviewClose,
  // The options dialog: its tab strip, its pages and the choices of its drop-down lists.
  kTabStripName,
  kTabMainWindow,
  kTabDummyWindow,
  kTabMouse,
  kTabReturn,
  kTabOther,
  kFitNatural,
  kFitFit,
  kFitFill,
  kFitStretch,
  kFitCentre,
  kLanguageAutomatic,
  kLanguageJapanese,
  kLanguageEnglish,
  // The preview window's parts, for screen readers.
  kPreviewPictureName,
  kPreviewVerticalBarName,
  kPreviewHorizontalBarName,
  // The password prompt.
  kPasswordPrompt,
  kWrongPassword,
  // Messages. %1 and %2 stand for what the program puts in.
  kConfirmDeleteSettings,
  kPasswordUnstorable,
  kInvalidBitmap,
  kPictureMissing,
  kBitmapFilter,
  kHelpMissing,
  kHelpFailed,
  kStartWithWindowsFailed,
  kPanicKeyTaken,
  kSystemFileMissing,
  kListUnreadableAtStart,
  kListUnreadableInOptions,
  kListNowUtf8,
  kListPathUnrepresentable,
  kListFull,
  kListTooLarge,
  kListUnreadable,
  kListWriteFailed,
  kCaptureNamesUsedUp,
  kBitmapWriteFailed,
  kCaptureKept,
  kNoSnapshot,
  kCount
};

// The text in the current language.
const wchar_t* UiText(Text id);
// The same with %1 and %2 replaced by the arguments.
std::wstring UiText(Text id, std::wstring_view first, std::wstring_view second = {});
// An options control's caption and tooltip (none: nullptr) in the current language.
const wchar_t* OptionCaption(OptionControl id);
const wchar_t* OptionTooltip(OptionControl id);

// The tables behind those, per language, for the checks of their completeness.
struct TextEntry {
  Text id;
  const wchar_t* text;
};
struct OptionTextEntry {
  OptionControl id;
  const wchar_t* caption;
  const wchar_t* tooltip;
};
struct LanguageTable {
  const TextEntry* texts;         // Text::kCount entries, in the order of Text
  const OptionTextEntry* option;  // OptionControl::kCount entries, in the order of OptionControl
};
const LanguageTable& TableOf(Language language);
const LanguageTable& JapaneseTable();  // ui_text_ja.cpp
const LanguageTable& EnglishTable();   // ui_text_en.cpp

// True when the entries stand in the order of their ids, none left out (for the tables'
// static_asserts).
template <typename Entry, std::size_t N>
constexpr bool InIdOrder(const Entry (&entries)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(entries[i].id) != i) return false;
  return true;
}

// A language's table, checked at compile time: every text and every control once, in order.
template <const auto& Texts, const auto& Option>
consteval LanguageTable CheckedTable() {
  static_assert(std::size(Texts) == static_cast<std::size_t>(Text::kCount) && InIdOrder(Texts));
  static_assert(std::size(Option) == static_cast<std::size_t>(OptionControl::kCount) && InIdOrder(Option));
  return {Texts, Option};
}

}  // namespace mirel
