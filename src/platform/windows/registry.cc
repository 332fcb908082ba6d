#include "platform/registry.h"

#include <cstring>

#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

// Closes the key when the reading ends, however it ends.
class OpenKey {
 public:
  explicit OpenKey(HKEY key) : key_(key) {}
  ~OpenKey() { RegCloseKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

RegistryValue ValueOf(std::wstring name, DWORD type, const BYTE* data, DWORD size) {
  RegistryValue value;
  value.name = std::move(name);
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    value.type = RegistryValue::Type::kDword;
    std::memcpy(&value.dword, data, sizeof(DWORD));
  } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
    // Stored strings may or may not carry their terminating nulls.
    std::wstring text(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    value.type = RegistryValue::Type::kString;
    value.string = std::move(text);
  }
  return value;
}

// Every value of the key, or nothing when the key cannot be listed.
std::optional<std::vector<RegistryValue>> ValuesOf(HKEY key) {
  std::vector<RegistryValue> values;
  for (DWORD index = 0;;) {
    DWORD nameCapacity = 0;
    DWORD dataCapacity = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &nameCapacity,
                         &dataCapacity, nullptr, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    std::wstring name(nameCapacity + 1, L'\0');
    std::vector<BYTE> data(dataCapacity + sizeof(wchar_t));
    DWORD nameLength = nameCapacity + 1;
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) return values;
    // A value that grew since the sizes were asked for: ask again.
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    name.resize(nameLength);
    values.push_back(ValueOf(std::move(name), type, data.data(), dataSize));
    ++index;
  }
}

class WindowsRegistry final : public Registry {
 public:
  // The 64-bit view: the configuration is the same whichever view a process would see by default.
  std::optional<std::vector<RegistryValue>> ReadKey(std::wstring_view path) const override {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, std::wstring(path).c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    const OpenKey open(key);
    return ValuesOf(open.get());
  }
};

}  // namespace

Registry& SystemRegistry() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsRegistry* const registry = new WindowsRegistry;
  return *registry;
}

}  // namespace ryn::platform
