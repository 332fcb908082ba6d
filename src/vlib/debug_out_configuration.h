// The diagnostic facility's configuration: registry key
// HKEY_LOCAL_MACHINE\Software\Velmora\Ryn\DebugOut and its "Filter" sub-key.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/registry.h"
#include "vlib/debug_out_record.h"

namespace VLib {

inline constexpr wchar_t kDebugOutKey[] = L"Software\\Velmora\\Ryn\\DebugOut";
inline constexpr wchar_t kDebugOutFilterKey[] = L"Software\\Velmora\\Ryn\\DebugOut\\Filter";

struct DebugOutConfiguration {
  static constexpr uint32_t kMaxConsoleTimeMode = 3;
  static constexpr uint32_t kMaxDebugWindowSourcePrefix = 2;

  // A line of severity s passes when s + 1 <= the level of its source, or this level.
  int64_t defaultLevel = 4;
  uint32_t consoleTimeMode = 0;          // 0 none, 1 time, 2 weekday and time, 3 date and time
  uint32_t debugWindowSourcePrefix = 1;  // 0 none, 1 the module's file name, 2 the executable's
  std::map<std::string, int64_t> sourceLevels;  // by upper-case source name
  std::wstring fileName;                        // the file target's file; empty: none

  bool Passes(const DebugOutRecord& record) const;

  // Missing keys and values, and values of other types, leave the defaults.
  static DebugOutConfiguration Read(const ryn::platform::Registry& registry);
};

// Upper case for the letters a to z only.
std::string UpperCaseSource(std::string_view source);

}  // namespace VLib
