#include "platform/modules.h"

#include <vector>

#include "platform/text_encoding.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

// Module file names may exceed MAX_PATH; the longest path the system takes is 32,767 characters.
constexpr DWORD kLongestPath = 32768;

class WindowsModuleLoader final : public ModuleLoader {
 public:
  // The application's folder, System32 and folders added with AddDllDirectory: never the working
  // directory or PATH, where a planted module could be picked up.
  void* Load(const std::string& name) override {
    return LoadLibraryExW(NarrowToWide(name).c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  }
  void* EntryPoint(void* module, const char* name) override {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
  }
};

std::optional<std::wstring> FileNameOf(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameW(module, buffer.data(), capacity);
    if (length == 0) return std::nullopt;
    // A name that fills the buffer may have been cut.
    if (length < capacity) return std::wstring(buffer.data(), length);
    if (capacity >= kLongestPath) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return std::nullopt;
    }
    buffer.resize(capacity * 2);
  }
}

}  // namespace

ModuleLoader& SystemModuleLoader() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsModuleLoader* const loader = new WindowsModuleLoader;
  return *loader;
}

// A module's image is one allocation whose base is the module's handle.
std::optional<std::wstring> ModuleFileNameOf(const void* address) {
  MEMORY_BASIC_INFORMATION region{};
  if (VirtualQuery(address, &region, sizeof region) == 0) return std::nullopt;
  if (region.AllocationBase == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return std::nullopt;
  }
  return FileNameOf(static_cast<HMODULE>(region.AllocationBase));
}

std::optional<std::wstring> ExecutableFileName() { return FileNameOf(nullptr); }

std::string CompanionModuleName(const std::string& baseName) { return baseName + ".dll"; }

}  // namespace ryn::platform
