#include "core/registry_value.h"

#include <gtest/gtest.h>

#include "core/startup_command.h"

namespace mirel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RegistryText, StoredWithTwoZeroBytes) {
  EXPECT_EQ(EncodeRegistryText("ab"), (Bytes{'a', 'b', 0, 0}));
  EXPECT_EQ(EncodeRegistryText(""), (Bytes{0, 0}));
}

TEST(RegistryText, ReadsUpToTheFirstZeroWhateverTheLength) {
  EXPECT_EQ(DecodeRegistryText({'a', 'b', 0, 0}), "ab");
  EXPECT_EQ(DecodeRegistryText({'a', 0, 'b'}), "a");
  EXPECT_EQ(DecodeRegistryText({'x', 'y'}), "xy");  // no terminator at all
  const std::string longText(300, 'q');
  EXPECT_EQ(DecodeRegistryText(EncodeRegistryText(longText)), longText);
  EXPECT_EQ(DecodeRegistryText({}), "");
}

TEST(RegistryDword, LittleEndianFourBytes) {
  EXPECT_EQ(DecodeRegistryDword({0x78, 0x56, 0x34, 0x12}), 0x12345678);
  EXPECT_EQ(DecodeRegistryDword({0x05, 0x00, 0x00, 0x80}), static_cast<std::int32_t>(0x80000005));
  EXPECT_EQ(DecodeRegistryDword(EncodeRegistryDword(-2)), -2);
}

TEST(RegistryDword, ShortDataPadsLongDataFails) {
  // A text "1" stored as REG_SZ is '1', 0, 0: three bytes, read as 0x31.
  EXPECT_EQ(DecodeRegistryDword({'1', 0, 0}), 0x31);
  EXPECT_EQ(DecodeRegistryDword({}), 0);
  EXPECT_FALSE(DecodeRegistryDword({'1', '2', '3', 0, 0}).has_value());
}

TEST(ToInt16OrDefault, OutOfRangeGivesTheDefault) {
  EXPECT_EQ(ToInt16OrDefault(15, 0), 15);
  EXPECT_EQ(ToInt16OrDefault(-32768, 0), -32768);
  EXPECT_EQ(ToInt16OrDefault(32767, 0), 32767);
  EXPECT_EQ(ToInt16OrDefault(32768, 15), 15);
  EXPECT_EQ(ToInt16OrDefault(-40000, 15), 15);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(4999.6), 5000);
  EXPECT_EQ(RoundHalfEven(1e20), 2147483647);
  EXPECT_EQ(RoundHalfEven(-1e20), -2147483647 - 1);
}

TEST(StartupCommand, TheProgramOfARunValueAndTaskManagersSwitch) {
  using Candidates = std::vector<std::wstring>;
  EXPECT_EQ(RunCommandCandidates(L"\"C:\\Program Files\\Mirel\\Mirel.exe\" /min"),
            Candidates{L"C:\\Program Files\\Mirel\\Mirel.exe"});
  EXPECT_EQ(RunCommandCandidates(L"\"C:\\unclosed"), Candidates{L"C:\\unclosed.exe"});
  EXPECT_EQ(RunCommandCandidates(L""), Candidates{});
  EXPECT_EQ(RunCommandCandidates(L"\"\""), Candidates{});
  EXPECT_EQ(RunCommandCandidates(RunCommandFor(L"C:\\a b\\Mirel.exe")), Candidates{L"C:\\a b\\Mirel.exe"});
  // Unquoted, as Windows reads it: every text up to a space in turn, ".exe" where a name
  // has no extension (a dot in a folder's name is no extension).
  EXPECT_EQ(RunCommandCandidates(L"  C:\\Users\\Taro Yamada\\Mirel.exe  /min"),
            (Candidates{L"C:\\Users\\Taro.exe", L"C:\\Users\\Taro Yamada\\Mirel.exe",
                        L"C:\\Users\\Taro Yamada\\Mirel.exe  /min.exe"}));
  EXPECT_EQ(RunCommandCandidates(L"C:\\v1.2\\Mirel"), Candidates{L"C:\\v1.2\\Mirel.exe"});
  EXPECT_TRUE(StartupApproved({}));
  EXPECT_TRUE(StartupApproved({0x02, 0, 0, 0}));
  EXPECT_TRUE(StartupApproved({0x06}));
  EXPECT_FALSE(StartupApproved({0x03, 0, 0, 0}));
  EXPECT_FALSE(StartupApproved({0x01}));
}

}  // namespace
}  // namespace mirel
