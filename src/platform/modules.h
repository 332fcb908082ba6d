// Loadable modules: loading by name, entry points, and the file names of modules and of the
// process's executable.
#pragma once

#include <optional>
#include <string>

#include "platform/service_override.h"

namespace ryn::platform {

class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // Loads a module by its base name from the system's safe search locations; nullptr on failure.
  // Loaded modules stay loaded.
  virtual void* Load(const std::string& name) = 0;
  virtual void* EntryPoint(void* module, const char* name) = 0;
};

ModuleLoader& SystemModuleLoader();
using ModuleLoaderOverride = ServiceOverride<ModuleLoader, SystemModuleLoader>;
inline ModuleLoader& ActiveModuleLoader() { return ModuleLoaderOverride::Active(); }

// The full file name of the module whose code or data contains `address`; nothing on failure
// (LastSystemError tells why).
std::optional<std::wstring> ModuleFileNameOf(const void* address);
std::optional<std::wstring> ExecutableFileName();

// The platform's file name of a companion module called `baseName`.
std::string CompanionModuleName(const std::string& baseName);

}  // namespace ryn::platform
