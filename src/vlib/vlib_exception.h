// The support library's exceptions.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace VLib {

class VLibException : public std::exception {
 public:
  // `code` carries a number that belongs to the failure (a system error code, ...), `position`
  // a place in the input (a character index, ...); `context` names where the failure happened.
  explicit VLibException(std::string message, std::wstring wideText = {}, std::string context = {},
                         uint32_t code = 0, uint32_t position = 0);

  const char* what() const noexcept override { return message_.c_str(); }
  const std::wstring& WideText() const { return wideText_; }
  const std::string& Context() const { return context_; }
  uint32_t Code() const { return code_; }
  uint32_t Position() const { return position_; }

  // The class name of the object, as its run-time type names it.
  virtual std::string ClassName() const;

 private:
  uint32_t code_;
  uint32_t position_;
  std::string message_;
  std::wstring wideText_;
  std::string context_;
};

// A failed operating-system call. The wide text is the message: the system's text for the code,
// " [ErrorCode #<code>]", and " in <call>" when the call is named.
class SystemException : public VLibException {
 public:
  SystemException(uint32_t errorCode, const char* callName);

  uint32_t ErrorCode() const { return Code(); }
  const std::wstring& Message() const { return WideText(); }

  static std::wstring ComposeMessage(uint32_t errorCode, const char* callName);
};

class EVLibDateTime : public VLibException {
 public:
  explicit EVLibDateTime(std::string message) : VLibException(std::move(message)) {}
};

namespace Text {

class InvalidFormatStringException : public VLibException {
 public:
  InvalidFormatStringException(std::string message, std::wstring formatString, uint32_t position)
      : VLibException(std::move(message), std::move(formatString), {}, 0, position) {}

  const std::wstring& FormatString() const { return WideText(); }
};

}  // namespace Text
}  // namespace VLib
