#include "vlib/date_time.h"

#include <cwchar>
#include <string_view>

#include "platform/clock.h"
#include "platform/date_time_format.h"
#include "platform/system_error.h"
#include "vlib/time_zone_bias.h"
#include "vlib/vlib_exception.h"

namespace VLib {
namespace {

namespace platform = ryn::platform;

constexpr int64_t kTicksPerMillisecond = 10000;

int64_t FloorDivide(int64_t value, int64_t divisor) {
  const int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

constexpr char kGetDateFormat[] = "TVLibDateTime::SystemTimeToStr::GetDateFormat";
constexpr char kGetTimeFormat[] = "TVLibDateTime::SystemTimeToStr::GetTimeFormat";

// A terminated text in a fixed buffer.
class TextBuffer {
 public:
  explicit TextBuffer(wchar_t (&text)[TVLibDateTime::kTextCapacity]) : text_(text) { text_[0] = L'\0'; }

  size_t length() const { return length_; }
  bool Full() const { return length_ + 1 >= TVLibDateTime::kTextCapacity; }

  // Throws SystemException naming `call` when the text does not fit.
  void Append(std::wstring_view piece, const char* call) {
    if (length_ + piece.size() + 1 > TVLibDateTime::kTextCapacity) {
      throw SystemException(platform::kInsufficientBufferError, call);
    }
    piece.copy(text_ + length_, piece.size());
    length_ += piece.size();
    text_[length_] = L'\0';
  }

  template <class... Numbers>
  void Print(const wchar_t* pattern, Numbers... numbers) {
    const size_t room = TVLibDateTime::kTextCapacity - length_;
    const int written = std::swprintf(text_ + length_, room, pattern, static_cast<unsigned>(numbers)...);
    if (written < 0 || static_cast<size_t>(written) >= room) {
      text_[length_] = L'\0';
      throw SystemException(platform::kInsufficientBufferError, "VLib::CheckedStringCchPrintfEx");
    }
    length_ += static_cast<size_t>(written);
  }

 private:
  wchar_t* text_;
  size_t length_ = 0;
};

void AppendLocaleText(TextBuffer& out, const platform::FormattedText& text, const char* call) {
  if (!text.ok) throw SystemException(text.error, call);
  out.Append(text.text, call);
}

void WriteLocaleFamily(TextBuffer& out, const CalendarTime& time, uint32_t mode, bool date, bool clock) {
  const platform::DateTimeFormatter& formatter = platform::ActiveDateTimeFormatter();
  if (date) {
    const platform::DateStyle style = (mode & dtsmWeekday) ? platform::DateStyle::kAbbreviatedWeekday
                                      : (mode & dtsmLongDate) ? platform::DateStyle::kLong
                                                              : platform::DateStyle::kShort;
    AppendLocaleText(out, formatter.FormatDate(time, style), kGetDateFormat);
  }
  if (date && clock) out.Append(L" ", "VLib::CheckedStringCchCopyEx");
  if (clock) {
    if (out.Full()) throw SystemException(platform::kInsufficientBufferError, kGetTimeFormat);
    AppendLocaleText(out, formatter.FormatTime(time, (mode & dtsmNoSeconds) == 0), kGetTimeFormat);
  }
}

void WriteFixedFamily(TextBuffer& out, const CalendarTime& time, uint32_t mode, bool date, bool clock) {
  const bool iso = (mode & dtsmFormatMask) == dtsmFormatIso;
  if (date) out.Print(iso ? L"%04u-%02u-%02u" : L"%04u/%02u/%02u", time.year, time.month, time.day);
  if (date && clock) out.Append(L" ", "VLib::CheckedStringCchCopyEx");
  if (!clock) return;
  if (mode & dtsmNoSeconds) {
    out.Print(L"%02u:%02u", time.hour, time.minute);
  } else if (mode & dtsmNoMilliseconds) {
    out.Print(L"%02u:%02u:%02u", time.hour, time.minute, time.second);
  } else {
    out.Print(iso ? L"%02u:%02u:%02u.%03u" : L"%02u:%02u:%02u,%03u", time.hour, time.minute, time.second,
              time.milliseconds);
  }
}

}  // namespace

TVLibDateTime TVLibDateTime::Now() { return FromUtcTicks(platform::ActiveClock().UtcTicks()); }

TVLibDateTime TVLibDateTime::FromUtcTicks(int64_t ticks) {
  TVLibDateTime value;
  // Rounded to the nearest millisecond without forming ticks + 5000, which overflows near the top.
  const int64_t whole = FloorDivide(ticks, kTicksPerMillisecond);
  value.SetUTCMilliseconds(whole + (ticks - whole * kTicksPerMillisecond >= kTicksPerMillisecond / 2 ? 1 : 0));
  const int year = value.UtcTime().year;
  value.bias_ = TimeZoneBiasAt(value.utcMilliseconds_, platform::ActiveClock().TimeZoneForYear(year), year);
  return value;
}

void TVLibDateTime::SetUTCMilliseconds(int64_t milliseconds) {
  if (milliseconds < 0) {
    throw EVLibDateTime("SetUTCMilliseconds(): Internal milliseconds underflow. A year below 1601 is not supported.");
  }
  if (milliseconds > MaxMilliseconds()) throw EVLibDateTime("SetUTCMilliseconds(): Internal milliseconds overflow.");
  utcMilliseconds_ = milliseconds;
}

std::wstring TVLibDateTime::LocalTimeText(uint32_t mode) const {
  wchar_t text[kTextCapacity];
  const size_t length = SystemTimeToStr(text, LocalTime(), mode);
  return std::wstring(text, length);
}

size_t TVLibDateTime::SystemTimeToStr(wchar_t (&text)[kTextCapacity], const CalendarTime& time, uint32_t mode) {
  TextBuffer out(text);
  const uint32_t family = mode & dtsmFormatMask;
  if (family != dtsmFormatLocale && family != dtsmFormatSlashed && family != dtsmFormatIso) {
    throw EVLibDateTime("Invalid value of TVLibDateTimeStrMode & dtsmFormatMask");
  }
  const uint32_t content = mode & dtsmModeMask;
  if (content != dtsmDateTime && content != dtsmDate && content != dtsmTime) {
    throw EVLibDateTime("Invalid value of TVLibDateTimeStrMode & dtsmModeMask");
  }
  const bool date = content != dtsmTime;
  const bool clock = content != dtsmDate;
  if (family == dtsmFormatLocale) {
    WriteLocaleFamily(out, time, mode, date, clock);
  } else {
    WriteFixedFamily(out, time, mode, date, clock);
  }
  return out.length();
}

}  // namespace VLib
