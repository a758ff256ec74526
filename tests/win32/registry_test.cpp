// The settings store against the real registry: exact types and bytes, read back whole.
#include "settings/registry.h"

#include <gtest/gtest.h>

#include "platform/handles.h"
#include "platform/text.h"
#include "settings/settings.h"
#include "test_support.h"

namespace mirel {
namespace {

using test::QueryRaw;
using Bytes = std::vector<std::uint8_t>;

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { test::ClearSettings(); }
  void TearDown() override { test::ClearSettings(); }
};

TEST_F(RegistryTest, MissingKeyOrValueGivesTheDefault) {
  EXPECT_EQ(ReadRegistry("Width", 5000), 5000);
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring(L"dflt")), L"dflt");
  WriteRegistry("Top", 7);
  EXPECT_EQ(ReadRegistry("Left", -3), -3);
  EXPECT_EQ(ReadRegistry("Password", std::wstring()), L"");
}

TEST_F(RegistryTest, DwordIsStoredAsFourLittleEndianBytes) {
  ASSERT_TRUE(WriteRegistry("MainBackColor", static_cast<std::int32_t>(0x80000005)));
  DWORD type = 0;
  Bytes data;
  ASSERT_TRUE(QueryRaw("MainBackColor", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, (Bytes{0x05, 0x00, 0x00, 0x80}));
  EXPECT_EQ(static_cast<std::uint32_t>(ReadRegistry("MainBackColor", 0)), 0x80000005u);
  WriteRegistry("Top", -150);
  EXPECT_EQ(ReadRegistry("Top", 0), -150);
}

TEST_F(RegistryTest, TextIsStoredInCodePage932WithTwoZeroBytes) {
  // "C:\画像\a.bmp"
  const std::string ansi = "C:\\\x89\xe6\x91\x9c\\a.bmp";
  ASSERT_TRUE(WriteRegistry("MainLoadFile", test::Cp932(ansi)));
  DWORD type = 0;
  Bytes data;
  ASSERT_TRUE(QueryRaw("MainLoadFile", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  Bytes expected(ansi.begin(), ansi.end());
  expected.push_back(0);
  expected.push_back(0);
  EXPECT_EQ(data, expected);
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), test::Cp932(ansi));
}

TEST_F(RegistryTest, LongTextsReadBackWhole) {
  // 254, 255 and 1000 bytes: a long path or password must not read back as the default.
  for (std::size_t length : {254u, 255u, 256u, 1000u}) {
    const std::wstring text(length, L'p');
    ASSERT_TRUE(WriteRegistry("Password", text));
    EXPECT_EQ(ReadRegistry("Password", std::wstring(L"default")), text) << length;
  }
  // Japanese double-byte text past 256 bytes.
  std::wstring japanese;
  for (int i = 0; i < 200; ++i) japanese += L"画";
  ASSERT_TRUE(WriteRegistry("MainLoadFile", japanese));
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), japanese);
}

TEST_F(RegistryTest, TextReadAsNumberUsesItsBytesWhenShort) {
  ASSERT_TRUE(WriteRegistry("CheckMouseFlag", std::wstring(L"1")));  // '1' 0 0: three bytes
  EXPECT_EQ(ReadRegistry("CheckMouseFlag", 15), 0x31);
  ASSERT_TRUE(WriteRegistry("CheckMouseFlag", std::wstring(L"12345")));
  EXPECT_EQ(ReadRegistry("CheckMouseFlag", 15), 15);
}

TEST_F(RegistryTest, UnrepresentableTextIsNotStoredCorrupted) {
  ASSERT_TRUE(WriteRegistry("MainLoadFile", std::wstring(L"C:\\old.bmp")));
  EXPECT_FALSE(WriteRegistry("MainLoadFile", std::wstring(L"C:\\\u0100\u0101.bmp")));
  EXPECT_EQ(ReadRegistry("MainLoadFile", std::wstring()), L"C:\\old.bmp");
}

TEST(TextConversion, ExactInTheSystemCodePagesIncludingUtf8) {
  const std::wstring japanese = L"C:\\\u753b\u50cf\\\u30c0\u30df\u30fc.bmp";  // 画像\ダミー
  // Code page 932: Japanese has its exact form; U+0100 has none and is refused.
  EXPECT_EQ(WideToCodePageExact(japanese, 932), "C:\\\x89\xe6\x91\x9c\\\x83\x5f\x83\x7e\x81\x5b.bmp");
  EXPECT_FALSE(WideToCodePageExact(L"\u0100", 932));
  EXPECT_EQ(WideToCodePageExact(L"\u00b5", 1252), "\xb5");
  // UTF-8 as the system code page: every character has a form, a lone surrogate none.
  EXPECT_EQ(WideToCodePageExact(L"\u0100\u0101", CP_UTF8), "\xc4\x80\xc4\x81");
  EXPECT_EQ(WideToCodePageExact(japanese, CP_UTF8)->size(), 3u + 5 * 3 + 1 + 4);
  EXPECT_FALSE(
      WideToCodePageExact(L"a\xd800"
                          L"z",
                          CP_UTF8));
  EXPECT_EQ(WideToCodePageExact(L"", CP_UTF8), "");
}

TEST_F(RegistryTest, BooleanReadsNonZeroAsTrue) {
  WriteRegistry("AlwaysTop", 2);
  EXPECT_TRUE(Read(settings::kAlwaysTop));
  Write(settings::kAlwaysTop, false);
  EXPECT_FALSE(Read(Setting<bool>{"AlwaysTop", true}));
  DWORD type = 0;
  Bytes data;
  ASSERT_TRUE(QueryRaw("AlwaysTop", type, data));
  EXPECT_EQ(data, (Bytes{0, 0, 0, 0}));
}

TEST_F(RegistryTest, DeletingRemovesTheKeyAndKeepsItsParent) {
  WriteRegistry("Top", 1);
  DeleteSettingsKey();
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kalv", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  DeleteSettingsKey();  // a missing key is no error
}

}  // namespace
}  // namespace mirel
