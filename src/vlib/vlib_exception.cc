#include "vlib/vlib_exception.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/system_error.h"
#include "platform/text_encoding.h"

namespace VLib {

VLibException::VLibException(std::string message, std::wstring wideText, std::string context, uint32_t code,
                             uint32_t position)
    : code_(code),
      position_(position),
      message_(std::move(message)),
      wideText_(std::move(wideText)),
      context_(std::move(context)) {}

std::string VLibException::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> readable(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                             &std::free);
  return status == 0 && readable ? std::string(readable.get()) : std::string(mangled);
}

std::wstring SystemException::ComposeMessage(uint32_t errorCode, const char* callName) {
  std::wstring message = ryn::platform::SystemErrorText(errorCode).value_or(L"Unknown system error");
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n')) message.pop_back();
  message += L" [ErrorCode #" + std::to_wstring(errorCode);
  if (callName != nullptr && callName[0] != '\0') {
    message += L"] in " + ryn::platform::NarrowToWide(callName);
  } else {
    message += L"]";
  }
  return message;
}

SystemException::SystemException(uint32_t errorCode, const char* callName)
    : VLibException(ryn::platform::WideToNarrow(ComposeMessage(errorCode, callName)),
                    ComposeMessage(errorCode, callName), callName != nullptr ? callName : "", errorCode) {}

}  // namespace VLib
