// Registry export files as the Linux registry.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux/reg_file.h"
#include "support/temp_file.h"

namespace ryn::platform {
namespace {

using Type = RegistryValue::Type;

constexpr std::wstring_view kKey = L"HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut";

std::vector<RegistryValue> ValuesOf(const std::string& text, std::wstring_view key = kKey) {
  const auto values = RegFile::Parse(text).Key(key);
  return values.value_or(std::vector<RegistryValue>{});
}

TEST(RegFile, ReadsEveryValueForm) {
  const auto values = ValuesOf(
      "Windows Registry Editor Version 5.00\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\r\n"
      "@=dword:00000003\r\n"
      "\"Mode\" = dword:0000000A\r\n"
      "\"Path\"=\"C:\\\\dir\\\\\\\"q\\\"\"\r\n"
      "\"Four\"=hex(4):01,02,00,80\r\n"
      "\"Blob\"=hex:01,02,\\\r\n"
      "  03\r\n");
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values[0].name, L"");
  EXPECT_EQ(values[0].type, Type::kDword);
  EXPECT_EQ(values[0].dword, 3u);
  EXPECT_EQ(values[1].name, L"Mode");
  EXPECT_EQ(values[1].dword, 10u);
  EXPECT_EQ(values[2].type, Type::kString);
  EXPECT_EQ(values[2].string, L"C:\\dir\\\"q\"");
  EXPECT_EQ(values[3].type, Type::kDword);
  EXPECT_EQ(values[3].dword, 0x80000201u);
  EXPECT_EQ(values[4].type, Type::kOther);
}

TEST(RegFile, KeysAndNamesIgnoreCaseAndLaterLinesWin) {
  const std::string text =
      "REGEDIT4\n"
      "[hkey_local_machine\\SOFTWARE\\velmora\\RYN\\DebugOut]\n"
      "\"mode\"=dword:1\n"
      "\"MODE\"=dword:2\n"
      "\"gone\"=dword:3\n"
      "\"gone\"=-\n";
  const auto values = ValuesOf(text);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].dword, 2u);
  EXPECT_FALSE(RegFile::Parse(text).Key(L"HKEY_LOCAL_MACHINE\\Software\\Velmora").has_value())
      << "only keys with a header exist";
}

TEST(RegFile, DeletedKeysTakeTheirSubKeysAlong) {
  const RegFile file = RegFile::Parse(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"a\"=dword:1\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\n"
      "\"b\"=dword:1\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOutOther]\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"orphan\"=dword:1\n");
  EXPECT_FALSE(file.Key(kKey).has_value());
  EXPECT_FALSE(file.Key(std::wstring(kKey) + L"\\Filter").has_value());
  EXPECT_TRUE(file.Key(std::wstring(kKey) + L"Other").has_value());
}

TEST(RegFile, MalformedLinesAreSkipped) {
  const auto values = ValuesOf(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"a\"=dword:123456789\n"
      "\"b\"=dword:\n"
      "\"c\"=dword:12g\n"
      "\"d\"=\"unterminated\n"
      "\"e\"=\"text\" trailing\n"
      "\"f\" dword:1\n"
      "\"g=dword:1\n"
      "\"h\"=hex(4):1,2,3\n"
      "\"i\"=hex:zz\n"
      "\"j\"=qword:1\n"
      "\"ok\"=dword:00000001\n");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].name, L"h");
  EXPECT_EQ(values[0].type, Type::kOther) << "hex(4) of three bytes is no number";
  EXPECT_EQ(values[1].name, L"ok");
}

TEST(RegFile, TextWithoutTheHeaderLineHoldsNothing) {
  EXPECT_TRUE(ValuesOf("[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n\"a\"=dword:1\n").empty());
  EXPECT_TRUE(ValuesOf("Windows Registry Editor Version 4.00\n[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n").empty());
  EXPECT_TRUE(ValuesOf("").empty());
  EXPECT_TRUE(ValuesOf(std::string("\0\0\xff\xfe", 4)).empty());
}

TEST(RegFile, ReadsUtf16ExportsWithByteOrderMark) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\r\n"
      "\"vca\"=dword:00000005\r\n";
  std::string utf16 = "\xff\xfe";
  for (char c : utf8) {
    utf16 += c;
    utf16 += '\0';
  }
  const auto values = ValuesOf(utf16, std::wstring(kKey) + L"\\Filter");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, L"vca");
  EXPECT_EQ(values[0].dword, 5u);
  EXPECT_EQ(ValuesOf("\xef\xbb\xbf" + utf8, std::wstring(kKey) + L"\\Filter").size(), 1u);
}

TEST(RegFileRegistry, ReadsKeysBelowTheMachineRootFromItsFile) {
  const test::TempFile file(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n\"ConsoleTimeMode\"=dword:2\n");
  const RegFileRegistry registry(file.path());
  const auto values = registry.ReadKey(L"Software\\Velmora\\Ryn\\DebugOut");
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(values->at(0).dword, 2u);
  EXPECT_FALSE(registry.ReadKey(L"Software\\Other").has_value());
  EXPECT_FALSE(RegFileRegistry("/nonexistent/registry.reg").ReadKey(L"Software\\Velmora\\Ryn\\DebugOut").has_value());
  EXPECT_FALSE(RegFileRegistry("/").ReadKey(L"Software\\Velmora\\Ryn\\DebugOut").has_value()) << "a directory";
}

TEST(RegFileRegistry, FileNamedByTheEnvironmentElseTheSystemFile) {
  const char* saved = std::getenv("RYN_REGISTRY_FILE");
  const std::string previous = saved != nullptr ? saved : "";
  setenv("RYN_REGISTRY_FILE", "/tmp/elsewhere.reg", 1);
  EXPECT_EQ(DefaultRegistryFilePath(), "/tmp/elsewhere.reg");
  unsetenv("RYN_REGISTRY_FILE");
  EXPECT_EQ(DefaultRegistryFilePath(), "/etc/ryn/registry.reg");
  if (saved != nullptr) setenv("RYN_REGISTRY_FILE", previous.c_str(), 1);
}

}  // namespace
}  // namespace ryn::platform
