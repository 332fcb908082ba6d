// Read access to the machine-wide configuration registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/service_override.h"

namespace ryn::platform {

struct RegistryValue {
  enum class Type { kDword, kString, kOther };
  std::wstring name;  // empty: the key's default value
  Type type = Type::kOther;
  uint32_t dword = 0;
  std::wstring string;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The values of a key below HKEY_LOCAL_MACHINE (path like L"Software\\Vendor\\Key"), or
  // nothing when the key does not exist or cannot be read. Names compare without case.
  virtual std::optional<std::vector<RegistryValue>> ReadKey(std::wstring_view path) const = 0;
};

Registry& SystemRegistry();
using RegistryOverride = ServiceOverride<Registry, SystemRegistry>;
inline Registry& ActiveRegistry() { return RegistryOverride::Active(); }

}  // namespace ryn::platform
