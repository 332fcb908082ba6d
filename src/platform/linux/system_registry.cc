// The registry of a system without one: a registry export file (see reg_file.h).
#include "platform/linux/reg_file.h"

namespace ryn::platform {

Registry& SystemRegistry() {
  // Never destroyed: exit-time handlers may still need it.
  static RegFileRegistry* const registry = new RegFileRegistry(DefaultRegistryFilePath());
  return *registry;
}

}  // namespace ryn::platform
