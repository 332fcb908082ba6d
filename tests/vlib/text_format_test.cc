// Positional formatting: placeholders, padding, literal braces and every malformed form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vlib/text_format.h"

namespace VLib::Text {
namespace {

std::wstring Formatted(const std::wstring& format, const std::vector<std::wstring>& arguments) {
  std::wstring out = L">";
  Format(format, out, arguments);
  return out.substr(1);
}

struct Failure {
  std::string message;
  std::wstring format;
  uint32_t position;
};

Failure FailureOf(const std::wstring& format, const std::vector<std::wstring>& arguments) {
  std::wstring out = L"kept";
  try {
    Format(format, out, arguments);
  } catch (const InvalidFormatStringException& e) {
    EXPECT_EQ(out, L"kept") << "a failing format appends nothing";
    return {e.what(), e.FormatString(), e.Position()};
  }
  ADD_FAILURE() << "no exception";
  return {};
}

TEST(TextFormat, InsertsArgumentsByNumberAndCopiesOtherText) {
  EXPECT_EQ(Formatted(L"{0} and {1}", {L"a", L"b"}), L"a and b");
  EXPECT_EQ(Formatted(L"{1}{0}{1}", {L"x", L"y"}), L"yxy");
  EXPECT_EQ(Formatted(L"no placeholders", {}), L"no placeholders");
  EXPECT_EQ(Formatted(L"", {L"a"}), L"");
  std::vector<std::wstring> twelve;
  for (int i = 0; i < 12; ++i) twelve.push_back(std::to_wstring(i * 10));
  EXPECT_EQ(Formatted(L"{11}|{05}", twelve), L"110|50") << "two digits are one number";
}

TEST(TextFormat, DoubledBracesAreLiteral) {
  EXPECT_EQ(Formatted(L"{{0}}", {L"a"}), L"{0}");
  EXPECT_EQ(Formatted(L"{{{0}}}", {L"a"}), L"{a}");
  EXPECT_EQ(Formatted(L"}}{{", {}), L"}{");
}

TEST(TextFormat, PadsToTheWidthOnEitherSide) {
  EXPECT_EQ(Formatted(L"{0,5}", {L"ab"}), L"   ab");
  EXPECT_EQ(Formatted(L"{0,-5}", {L"ab"}), L"ab   ");
  EXPECT_EQ(Formatted(L"[{0,2}]", {L"abcd"}), L"[abcd]") << "longer arguments are inserted whole";
  EXPECT_EQ(Formatted(L"{0,512}", {L"a"}).size(), 512u);
  EXPECT_EQ(Formatted(L"{0,600}", {L"ab"}), L"ab") << "widths above 512 pad nothing";
  EXPECT_EQ(Formatted(L"{0,-600}", {L"ab"}), L"ab");
  EXPECT_EQ(Formatted(L"{0,99999999999999999999}", {L"ab"}), L"ab");
  EXPECT_EQ(Formatted(L"{0,0}", {L"ab"}), L"ab");
}

TEST(TextFormat, ArgumentNumberWithoutArgument) {
  const Failure plain = FailureOf(L"ab{2}", {L"x", L"y"});
  EXPECT_EQ(plain.message, "Text::Format illegal argument number :");
  EXPECT_EQ(plain.format, L"ab{2}");
  EXPECT_EQ(plain.position, 2u);
  const Failure padded = FailureOf(L"{3,4}", {L"x"});
  EXPECT_EQ(padded.message, "Text::Format illegal argument number (,):");
  EXPECT_EQ(padded.position, 0u);
  EXPECT_EQ(FailureOf(L"{0}", {}).message, "Text::Format illegal argument number :");
}

TEST(TextFormat, UnmatchedBraces) {
  const Failure end = FailureOf(L"a}b", {L"x"});
  EXPECT_EQ(end.message, "Text::Format illegal end of format string:");
  EXPECT_EQ(end.position, 1u);
  const Failure begin = FailureOf(L"ab{0", {L"x"});
  EXPECT_EQ(begin.message, "Text::Format illegal begin of format string:");
  EXPECT_EQ(begin.position, 2u);
  EXPECT_EQ(FailureOf(L"{0}}", {L"x"}).position, 3u);
}

TEST(TextFormat, AnyOtherContentBetweenBraces) {
  for (const wchar_t* format : {L"{}", L"{a}", L"{123}", L"{0,}", L"{0,-}", L"{0,5x}", L"{12,3}", L"{ 0}", L"{0;5}"}) {
    SCOPED_TRACE(testing::Message() << std::string(format, format + std::wcslen(format)));
    const Failure failure = FailureOf(std::wstring(L"x") + format, {L"a", L"b"});
    EXPECT_EQ(failure.message, "Text::Format illegal format string :");
    EXPECT_EQ(failure.position, 1u);
  }
}

}  // namespace
}  // namespace VLib::Text
