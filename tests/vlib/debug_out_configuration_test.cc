// The configuration read from a registry file, and the filter it makes.
#include <gtest/gtest.h>

#include "platform/linux/reg_file.h"
#include "platform/text_encoding.h"
#include "support/fake_platform.h"
#include "support/temp_file.h"
#include "vlib/debug_out_configuration.h"

namespace VLib {
namespace {

using ryn::test::FakeRegistry;
using ryn::test::TempFile;

DebugOutConfiguration FromFile(const std::string& text) {
  const TempFile file(text);
  return DebugOutConfiguration::Read(ryn::platform::RegFileRegistry(file.path()));
}

DebugOutRecord Line(const std::string& source, uint32_t severity) { return {1, source, severity}; }

TEST(DebugOutConfiguration, WithoutRegistryTheDefaultsLetThroughAllButDebug) {
  const DebugOutConfiguration configuration = DebugOutConfiguration::Read(ryn::platform::RegFileRegistry("/nonexistent/ryn.reg"));
  EXPECT_EQ(configuration.defaultLevel, 4);
  EXPECT_EQ(configuration.consoleTimeMode, 0u);
  EXPECT_EQ(configuration.debugWindowSourcePrefix, 1u);
  EXPECT_TRUE(configuration.sourceLevels.empty());
  for (uint32_t severity : {kSeverityError, kSeveritySecurity, kSeverityWarning, kSeverityInfo}) {
    EXPECT_TRUE(configuration.Passes(Line("", severity))) << severity;
    EXPECT_TRUE(configuration.Passes(Line("any", severity))) << severity;
  }
  EXPECT_FALSE(configuration.Passes(Line("", kSeverityDebug)));
  EXPECT_FALSE(configuration.Passes(Line("", 0xFFFFFFFF))) << "severity + 1 must not wrap around to pass";
}

TEST(DebugOutConfiguration, FilterValueOfOneSourceFromARegistryFile) {
  const DebugOutConfiguration configuration = FromFile(
      "Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\r\n"
      "\"vca\"=dword:00000005\r\n");
  for (const char* source : {"VCA", "vca", "Vca"}) EXPECT_TRUE(configuration.Passes(Line(source, kSeverityDebug))) << source;
  EXPECT_FALSE(configuration.Passes(Line("other", kSeverityDebug)));
  EXPECT_FALSE(configuration.Passes(Line("", kSeverityDebug)));
  EXPECT_TRUE(configuration.Passes(Line("other", kSeverityInfo)));
}

TEST(DebugOutConfiguration, DefaultValueOfTheFilterSetsTheDefaultLevel) {
  const DebugOutConfiguration quiet = FromFile(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmora\\Ryn\\DebugOut\\Filter]\n"
      "@=dword:00000001\n"
      "\"Loud\"=dword:00000004\n");
  EXPECT_TRUE(quiet.Passes(Line("", kSeverityError)));
  EXPECT_FALSE(quiet.Passes(Line("", kSeveritySecurity)));
  EXPECT_FALSE(quiet.Passes(Line("other", kSeverityWarning)));
  EXPECT_TRUE(quiet.Passes(Line("loud", kSeverityInfo)));
  EXPECT_FALSE(quiet.Passes(Line("loud", kSeverityDebug)));
}

TEST(DebugOutConfiguration, NegativeAndNonNumericLevelsAreIgnored) {
  FakeRegistry registry;
  registry.Dword(kDebugOutFilterKey, L"", 0xFFFFFFFF).Dword(kDebugOutFilterKey, L"neg", 0x80000000);
  ryn::platform::RegistryValue text;
  text.name = L"text";
  text.type = ryn::platform::RegistryValue::Type::kString;
  text.string = L"5";
  registry.keys[kDebugOutFilterKey].push_back(text);
  const DebugOutConfiguration configuration = DebugOutConfiguration::Read(registry);
  EXPECT_EQ(configuration.defaultLevel, 4);
  EXPECT_TRUE(configuration.sourceLevels.empty());
}

TEST(DebugOutConfiguration, SourceNamesAreUpperCasedForLettersAToZOnly) {
  FakeRegistry registry;
  registry.Dword(kDebugOutFilterKey, L"v\u00e9ca_1", 5);
  const DebugOutConfiguration configuration = DebugOutConfiguration::Read(registry);
  ASSERT_EQ(configuration.sourceLevels.size(), 1u);
  // Names reach the filter as the system's narrow text.
  const std::string smallE = ryn::platform::WideToNarrow(L"\u00e9");
  const std::string capitalE = ryn::platform::WideToNarrow(L"\u00c9");
  EXPECT_EQ(configuration.sourceLevels.begin()->first, "V" + smallE + "CA_1");
  EXPECT_TRUE(configuration.Passes(Line("v" + smallE + "ca_1", kSeverityDebug)));
  EXPECT_FALSE(configuration.Passes(Line("V" + capitalE + "CA_1", kSeverityDebug)));
}

TEST(DebugOutConfiguration, ModesAreClampedToTheirLargestValue) {
  const DebugOutConfiguration large = FromFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"ConsoleTimeMode\"=dword:00000007\n"
      "\"DebugWindowSourcePrefix\"=dword:00000009\n");
  EXPECT_EQ(large.consoleTimeMode, 3u);
  EXPECT_EQ(large.debugWindowSourcePrefix, 2u);
  const DebugOutConfiguration huge = FromFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"ConsoleTimeMode\"=dword:ffffffff\n"
      "\"DebugWindowSourcePrefix\"=dword:0\n"
      "\"FileName\"=\"/var/log/ryn.log\"\n");
  EXPECT_EQ(huge.consoleTimeMode, 3u);
  EXPECT_EQ(huge.debugWindowSourcePrefix, 0u);
  EXPECT_EQ(huge.fileName, L"/var/log/ryn.log");
  const DebugOutConfiguration exact = FromFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"ConsoleTimeMode\"=dword:00000002\n");
  EXPECT_EQ(exact.consoleTimeMode, 2u);
  EXPECT_EQ(exact.debugWindowSourcePrefix, 1u);
}

TEST(DebugOutConfiguration, MalformedLinesLeaveTheDefaults) {
  const DebugOutConfiguration configuration = FromFile(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut]\n"
      "\"ConsoleTimeMode\"=dword:xyz\n"
      "\"DebugWindowSourcePrefix\"=dword:123456789\n"
      "garbage line\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter\n"
      "@=dword:00000000\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Velmora\\Ryn\\DebugOut\\Filter]\n"
      "\"vca\"=dword:00000005\n");
  EXPECT_EQ(configuration.consoleTimeMode, 0u);
  EXPECT_EQ(configuration.debugWindowSourcePrefix, 1u);
  EXPECT_EQ(configuration.defaultLevel, 4) << "values under a broken key header belong to no key";
  EXPECT_EQ(configuration.sourceLevels.at("VCA"), 5);
}

}  // namespace
}  // namespace VLib
