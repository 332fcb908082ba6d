// The exception classes and the system exception's message.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/system_error.h"
#include "vlib/text_format.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

constexpr uint32_t kCodeWithoutText = 0x7FFFFF01;

TEST(SystemException, CodeWithoutSystemTextSaysUnknownSystemError) {
  const SystemException named(kCodeWithoutText, "X");
  EXPECT_EQ(named.Message(), L"Unknown system error [ErrorCode #2147483393] in X");
  EXPECT_STREQ(named.what(), "Unknown system error [ErrorCode #2147483393] in X");
  EXPECT_EQ(named.ErrorCode(), kCodeWithoutText);
  EXPECT_EQ(named.Context(), "X");

  EXPECT_EQ(SystemException(kCodeWithoutText, nullptr).Message(), L"Unknown system error [ErrorCode #2147483393]");
  EXPECT_EQ(SystemException(kCodeWithoutText, "").Message(), L"Unknown system error [ErrorCode #2147483393]");
  EXPECT_EQ(SystemException(0xFFFFFFFF, "Y").Message(), L"Unknown system error [ErrorCode #4294967295] in Y")
      << "the code is written unsigned";
}

TEST(SystemException, CodeWithSystemTextStartsWithThatText) {
  // The system's wording is its own business; only its place in the message is checked.
  const auto text = ryn::platform::SystemErrorText(ENOENT);
  ASSERT_TRUE(text.has_value());
  ASSERT_FALSE(text->empty());
  EXPECT_NE(text->back(), L'\n');
  EXPECT_EQ(SystemException(ENOENT, "open").Message(), *text + L" [ErrorCode #" + std::to_wstring(ENOENT) + L"] in open");
}

TEST(VLibException, ClassNameIsTheRunTimeTypeName) {
  try {
    throw EVLibDateTime("message");
  } catch (const VLibException& e) {
    EXPECT_EQ(e.ClassName(), "VLib::EVLibDateTime");
    EXPECT_STREQ(e.what(), "message");
  }
  try {
    std::wstring out;
    Text::Format(L"}", out, {});
  } catch (const VLibException& e) {
    EXPECT_EQ(e.ClassName(), "VLib::Text::InvalidFormatStringException");
  }
  EXPECT_EQ(SystemException(1, "x").ClassName(), "VLib::SystemException");
}

}  // namespace
}  // namespace VLib
