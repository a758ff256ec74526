#include "core/ui_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <initializer_list>
#include <map>
#include <string>

#include "forms/option/option_layout.h"

namespace mirel {
namespace {

TEST(ChooseLanguage, TheUsersChoiceOrElseJapaneseOnlyForAJapaneseWindows) {
  EXPECT_EQ(ChooseLanguage(UiLanguage::kAutomatic, 0x0411), Language::kJapanese);
  EXPECT_EQ(ChooseLanguage(UiLanguage::kAutomatic, 0x0409), Language::kEnglish);
  EXPECT_EQ(ChooseLanguage(UiLanguage::kAutomatic, 0x0407), Language::kEnglish);   // German: English
  EXPECT_EQ(ChooseLanguage(UiLanguage::kAutomatic, 0x0011), Language::kJapanese);  // the language alone
  EXPECT_EQ(ChooseLanguage(UiLanguage::kEnglish, 0x0411), Language::kEnglish);
  EXPECT_EQ(ChooseLanguage(UiLanguage::kJapanese, 0x0409), Language::kJapanese);
  // A value stored by hand or by a later version follows Windows.
  for (const std::int32_t stored : {0, 3, -1, 0x7FFFFFFF})
    EXPECT_EQ(UiLanguageFromStored(stored), UiLanguage::kAutomatic) << stored;
  EXPECT_EQ(UiLanguageFromStored(2), UiLanguage::kEnglish);
}

TEST(UiText, ArgumentsReplacedOnceInEitherLanguage) {
  SetCurrentLanguage(Language::kEnglish);
  EXPECT_EQ(UiText(Text::kSystemFileMissing, L"a.dll", L"F%1%2"),
            L"The Windows system file a.dll (F%1%2) cannot be loaded, so this feature is not available.");
  SetCurrentLanguage(Language::kJapanese);
  EXPECT_EQ(UiText(Text::kListFull, L"32767"), L"ダミー画像リストには 32767 件までしか登録できません。");
}

TEST(UiFontFace, TheSystemsWhenItIsTheLanguagesElseTheFirstInstalled) {
  const auto only = [](std::initializer_list<std::wstring_view> faces) {
    return [faces](const wchar_t* face) { return std::find(faces.begin(), faces.end(), face) != faces.end(); };
  };
  EXPECT_EQ(UiFontFace(Language::kJapanese, L"Meiryo UI", only({L"Yu Gothic UI", L"Meiryo UI"})), L"Meiryo UI");
  EXPECT_EQ(UiFontFace(Language::kJapanese, L"Segoe UI", only({L"Yu Gothic UI", L"Meiryo UI"})), L"Yu Gothic UI");
  EXPECT_EQ(UiFontFace(Language::kJapanese, L"Segoe UI", only({L"Meiryo UI"})), L"Meiryo UI");
  EXPECT_EQ(UiFontFace(Language::kEnglish, L"Yu Gothic UI", only({L"Segoe UI"})), L"Segoe UI");
  EXPECT_EQ(UiFontFace(Language::kEnglish, L"Tahoma", only({})), L"Tahoma");  // none there: the system's
}

std::wstring Placeholders(const wchar_t* text) {
  std::wstring found;
  for (const wchar_t* c = text; *c; ++c)
    if (c[0] == L'%' && (c[1] == L'1' || c[1] == L'2')) found += c[1];
  return found;
}

wchar_t AccessKey(const wchar_t* caption) {
  for (const wchar_t* c = caption; c && *c; ++c)
    if (c[0] == L'&' && c[1]) return static_cast<wchar_t>(std::towupper(c[1]));
  return 0;
}

// What the user reads must say the same in both: the same things put in, a caption where
// the other has one, and on each options page every access key leading to one place.
TEST(LanguageTables, SayTheSameAndKeepEachPagesAccessKeysUnique) {
  const auto& ja = JapaneseTable();
  const auto& en = EnglishTable();
  for (std::size_t i = 0; i < static_cast<std::size_t>(Text::kCount); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Placeholders(ja.texts[i].text), Placeholders(en.texts[i].text));
    EXPECT_EQ(*ja.texts[i].text == 0, *en.texts[i].text == 0);
  }
  for (const LanguageTable* table : {&ja, &en}) {
    std::map<std::pair<int, wchar_t>, const wchar_t*> keys;
    for (const auto& entry : kOptionControls) {
      const auto& words = table->option[static_cast<std::size_t>(entry.id)];
      SCOPED_TRACE(static_cast<int>(entry.id));
      EXPECT_EQ(words.tooltip == nullptr, ja.option[static_cast<std::size_t>(entry.id)].tooltip == nullptr);
      // A box that shows no caption carries its label's, key and all.
      if (entry.kind == ControlKind::kHotKey || entry.kind == ControlKind::kDropDownList) continue;
      const wchar_t key = AccessKey(words.caption);
      if (!key) continue;
      const auto [it, fresh] = keys.emplace(std::pair(entry.page, key), words.caption);
      // The one pair the Japanese page has always had: Alt+D goes to each in turn.
      if (table == &ja && entry.id == OptionControl::lblViewBackColor) continue;
      EXPECT_TRUE(fresh) << std::wstring(words.caption) << " and " << std::wstring(it->second);
    }
  }
}

}  // namespace
}  // namespace mirel
