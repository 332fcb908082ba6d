#include "vlib/text_format.h"

#include <cstdint>
#include <optional>

namespace VLib::Text {
namespace {

constexpr int kMaxWidth = 512;

struct Placeholder {
  size_t argument = 0;
  bool padded = false;
  bool leftAligned = false;
  int width = 0;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "n", "nn" or "n,w" / "n,-w"; nothing for any other content.
std::optional<Placeholder> ParsePlaceholder(std::wstring_view content) {
  if (content.empty() || !IsDigit(content[0])) return std::nullopt;
  Placeholder p;
  p.argument = static_cast<size_t>(content[0] - L'0');
  if (content.size() == 1) return p;
  if (content.size() == 2 && IsDigit(content[1])) {
    p.argument = p.argument * 10 + static_cast<size_t>(content[1] - L'0');
    return p;
  }
  if (content[1] != L',') return std::nullopt;
  std::wstring_view width = content.substr(2);
  p.padded = true;
  p.leftAligned = width.starts_with(L'-');
  if (p.leftAligned) width.remove_prefix(1);
  if (width.empty()) return std::nullopt;
  int64_t value = 0;
  for (wchar_t c : width) {
    if (!IsDigit(c)) return std::nullopt;
    if (value <= kMaxWidth) value = value * 10 + (c - L'0');
  }
  // Widths out of range pad nothing.
  p.width = value > kMaxWidth ? 0 : static_cast<int>(value);
  return p;
}

[[noreturn]] void Fail(const char* message, std::wstring_view format, size_t position) {
  throw InvalidFormatStringException(message, std::wstring(format), static_cast<uint32_t>(position));
}

void Insert(const Placeholder& p, const std::wstring& argument, std::wstring& output) {
  const size_t padding = argument.size() < static_cast<size_t>(p.width) ? p.width - argument.size() : 0;
  if (!p.leftAligned) output.append(padding, L' ');
  output += argument;
  if (p.leftAligned) output.append(padding, L' ');
}

}  // namespace

void Format(std::wstring_view format, std::wstring& output, const std::vector<std::wstring>& arguments) {
  std::wstring result;
  for (size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    const bool doubled = i + 1 < format.size() && format[i + 1] == c;
    if (c == L'}') {
      if (!doubled) Fail("Text::Format illegal end of format string:", format, i);
      result += L'}';
      ++i;
    } else if (c == L'{') {
      if (doubled) {
        result += L'{';
        ++i;
        continue;
      }
      const size_t close = format.find(L'}', i + 1);
      if (close == std::wstring_view::npos) Fail("Text::Format illegal begin of format string:", format, i);
      const auto placeholder = ParsePlaceholder(format.substr(i + 1, close - i - 1));
      if (!placeholder) Fail("Text::Format illegal format string :", format, i);
      if (placeholder->argument >= arguments.size()) {
        Fail(placeholder->padded ? "Text::Format illegal argument number (,):" : "Text::Format illegal argument number :",
             format, i);
      }
      Insert(*placeholder, arguments[placeholder->argument], result);
      i = close;
    } else {
      result += c;
    }
  }
  // Nothing is appended when the format is malformed.
  output += result;
}

}  // namespace VLib::Text
