#include "platform/modules.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

class DynamicLoader final : public ModuleLoader {
 public:
  // A bare name searches the caller's run path, the library path and the system's library
  // directories, never the working directory.
  void* Load(const std::string& name) override { return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL); }
  void* EntryPoint(void* module, const char* name) override { return dlsym(module, name); }
};

}  // namespace

ModuleLoader& SystemModuleLoader() {
  // Never destroyed: exit-time handlers may still need it.
  static DynamicLoader* const loader = new DynamicLoader;
  return *loader;
}

std::optional<std::wstring> ModuleFileNameOf(const void* address) {
  Dl_info info{};
  link_map* module = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 || module == nullptr) {
    errno = EINVAL;
    return std::nullopt;
  }
  // The main program's entry carries no name of its own (dladdr would give the name it was
  // started by, relative to a working directory that may have changed since).
  if (module->l_name == nullptr || module->l_name[0] == '\0') return ExecutableFileName();
  return NarrowToWide(module->l_name);
}

std::optional<std::wstring> ExecutableFileName() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::nullopt;
    if (static_cast<size_t>(length) < buffer.size()) {
      return NarrowToWide(std::string_view(buffer.data(), static_cast<size_t>(length)));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string CompanionModuleName(const std::string& baseName) { return "lib" + baseName + ".so"; }

}  // namespace ryn::platform
