#include "core/version_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirel {
namespace {

// Writes the tree as the resource compiler does: length, value length, type, key, value,
// children, every part on a four-byte boundary.
struct Block {
  std::u16string key;
  std::vector<std::uint8_t> value;
  bool text = false;
  std::vector<Block> children;
};

void Pad(std::vector<std::uint8_t>& out) {
  while (out.size() % 4) out.push_back(0);
}
void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Write(const Block& block, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  Put16(out, 0);
  Put16(out, static_cast<unsigned>(block.text ? block.value.size() / 2 : block.value.size()));
  Put16(out, block.text ? 1 : 0);
  for (char16_t c : block.key) Put16(out, c);
  Put16(out, 0);
  Pad(out);
  out.insert(out.end(), block.value.begin(), block.value.end());
  for (const auto& child : block.children) {
    Pad(out);
    Write(child, out);
  }
  const std::size_t length = out.size() - start;
  out[start] = static_cast<std::uint8_t>(length & 0xFF);
  out[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

std::vector<std::uint8_t> Utf16z(const std::u16string& text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t c : text) Put16(bytes, c);
  Put16(bytes, 0);
  return bytes;
}

std::vector<std::uint8_t> FixedInfo(unsigned major, unsigned minor, std::uint32_t signature = 0xFEEF04BD) {
  std::vector<std::uint8_t> bytes(52, 0);
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(signature >> (8 * i));
  bytes[8] = static_cast<std::uint8_t>(minor & 0xFF);
  bytes[9] = static_cast<std::uint8_t>(minor >> 8);
  bytes[10] = static_cast<std::uint8_t>(major & 0xFF);
  bytes[11] = static_cast<std::uint8_t>(major >> 8);
  return bytes;
}

std::vector<std::uint8_t> Resource(std::vector<std::uint8_t> fixed) {
  Block strings{u"041104B0",
                {},
                false,
                {{u"CompanyName", Utf16z(u"Kalv"), true, {}},
                 {u"LegalCopyright", Utf16z(u"Copyright (C) 2026 Kalv"), true, {}},
                 {u"ProductName", Utf16z(u"Mirel"), true, {}}}};
  Block root{u"VS_VERSION_INFO",
             std::move(fixed),
             false,
             {{u"StringFileInfo", {}, true, {strings}}, {u"VarFileInfo", {}, true, {}}}};
  std::vector<std::uint8_t> out;
  Write(root, out);
  return out;
}

TEST(VersionInfo, NumbersAndTextsFromTheResource) {
  const auto bytes = Resource(FixedInfo(0, 97));
  const auto info = ParseVersionResource(bytes.data(), bytes.size());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->major, 0);
  EXPECT_EQ(info->minor, 97);
  EXPECT_EQ(info->copyright, u"Copyright (C) 2026 Kalv");
  EXPECT_EQ(VersionText(*info), u"Mirel ver 0.97");
  // Plain decimal, no leading zeros, whatever the numbers.
  const auto later = Resource(FixedInfo(12, 3));
  EXPECT_EQ(VersionText(*ParseVersionResource(later.data(), later.size())), u"Mirel ver 12.3");
}

TEST(VersionInfo, ForeignOrBrokenBytesNeverReadPastTheirEnd) {
  EXPECT_FALSE(ParseVersionResource(nullptr, 0));
  const auto wrong = Resource(FixedInfo(0, 97, 0x12345678));
  EXPECT_FALSE(ParseVersionResource(wrong.data(), wrong.size()));
  const auto bytes = Resource(FixedInfo(0, 97));
  // Every truncation: a parse or a refusal, never a read beyond the bytes (ASan watches).
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    const auto info = ParseVersionResource(cut.data(), cut.size());
    if (info) {
      EXPECT_EQ(info->minor, 97);
    }
  }
}

}  // namespace
}  // namespace mirel
