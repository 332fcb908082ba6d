#include "vlib/debug_out_configuration.h"

#include <algorithm>
#include <optional>

#include "platform/text_encoding.h"

namespace VLib {
namespace {

using ryn::platform::RegistryValue;

std::wstring UpperCaseName(std::wstring name) {
  for (wchar_t& c : name) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return name;
}

const RegistryValue* Find(const std::vector<RegistryValue>& values, std::wstring_view name) {
  for (const RegistryValue& value : values) {
    if (UpperCaseName(value.name) == UpperCaseName(std::wstring(name))) return &value;
  }
  return nullptr;
}

std::optional<uint32_t> Dword(const std::vector<RegistryValue>& values, std::wstring_view name) {
  const RegistryValue* value = Find(values, name);
  if (value == nullptr || value->type != RegistryValue::Type::kDword) return std::nullopt;
  return value->dword;
}

// Levels are signed numbers; negative data sets nothing.
std::optional<int64_t> Level(const RegistryValue& value) {
  if (value.type != RegistryValue::Type::kDword) return std::nullopt;
  const auto level = static_cast<int32_t>(value.dword);
  if (level < 0) return std::nullopt;
  return level;
}

}  // namespace

std::string UpperCaseSource(std::string_view source) {
  std::string upper(source);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool DebugOutConfiguration::Passes(const DebugOutRecord& record) const {
  int64_t level = defaultLevel;
  if (!record.source.empty()) {
    const auto found = sourceLevels.find(UpperCaseSource(record.source));
    if (found != sourceLevels.end()) level = found->second;
  }
  // In 64 bits, so that no severity wraps around to pass.
  return int64_t{record.severity} + 1 <= level;
}

DebugOutConfiguration DebugOutConfiguration::Read(const ryn::platform::Registry& registry) {
  DebugOutConfiguration configuration;
  if (const auto values = registry.ReadKey(kDebugOutKey)) {
    if (const auto mode = Dword(*values, L"ConsoleTimeMode")) {
      configuration.consoleTimeMode = std::min(*mode, kMaxConsoleTimeMode);
    }
    if (const auto prefix = Dword(*values, L"DebugWindowSourcePrefix")) {
      configuration.debugWindowSourcePrefix = std::min(*prefix, kMaxDebugWindowSourcePrefix);
    }
    const RegistryValue* file = Find(*values, L"FileName");
    if (file != nullptr && file->type == RegistryValue::Type::kString) configuration.fileName = file->string;
  }
  if (const auto filter = registry.ReadKey(kDebugOutFilterKey)) {
    for (const RegistryValue& value : *filter) {
      const auto level = Level(value);
      if (!level) continue;
      if (value.name.empty()) {
        configuration.defaultLevel = *level;
      } else {
        configuration.sourceLevels[UpperCaseSource(ryn::platform::WideToNarrow(value.name))] = *level;
      }
    }
  }
  return configuration;
}

}  // namespace VLib
