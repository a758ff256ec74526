#include "core/ui_text.h"

#include <atomic>

namespace mirel {

namespace {

// Set once at start-up, before the first window and the first thread; read anywhere.
std::atomic<Language> current{Language::kJapanese};

constexpr std::uint16_t kPrimaryLanguageMask = 0x3FF;  // PRIMARYLANGID
constexpr std::uint16_t kJapanesePrimary = 0x11;       // LANG_JAPANESE

}  // namespace

UiLanguage UiLanguageFromStored(std::int32_t stored) {
  switch (stored) {
    case 1: return UiLanguage::kJapanese;
    case 2: return UiLanguage::kEnglish;
    default: return UiLanguage::kAutomatic;
  }
}

Language ChooseLanguage(UiLanguage choice, std::uint16_t displayLanguage) {
  if (choice == UiLanguage::kJapanese) return Language::kJapanese;
  if (choice == UiLanguage::kEnglish) return Language::kEnglish;
  return (displayLanguage & kPrimaryLanguageMask) == kJapanesePrimary ? Language::kJapanese : Language::kEnglish;
}

const wchar_t* HelpFileName(Language language) {
  return language == Language::kEnglish ? L"MIREL-EN.CHM" : L"MIREL.CHM";
}

Language CurrentLanguage() {
  return current.load(std::memory_order_relaxed);
}

void SetCurrentLanguage(Language language) {
  current.store(language, std::memory_order_relaxed);
}

const LanguageTable& TableOf(Language language) {
  return language == Language::kEnglish ? EnglishTable() : JapaneseTable();
}

const wchar_t* UiText(Text id) {
  return TableOf(CurrentLanguage()).texts[static_cast<std::size_t>(id)].text;
}

std::wstring UiText(Text id, std::wstring_view first, std::wstring_view second) {
  std::wstring text = UiText(id);
  // Replaced in one pass, so that a %2 inside the first argument stays as it is.
  std::wstring out;
  out.reserve(text.size() + first.size() + second.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 1 < text.size() && (text[i + 1] == L'1' || text[i + 1] == L'2')) {
      out += text[i + 1] == L'1' ? first : second;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

const wchar_t* OptionCaption(OptionControl id) {
  return TableOf(CurrentLanguage()).option[static_cast<std::size_t>(id)].caption;
}

const wchar_t* OptionTooltip(OptionControl id) {
  return TableOf(CurrentLanguage()).option[static_cast<std::size_t>(id)].tooltip;
}

}  // namespace mirel
