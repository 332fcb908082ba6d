#include "frame/dispatch.h"

namespace ryn {
namespace {

// Registrations are linked while the library loads, under the loader's lock, and read-only after.
DispatchRegistration* g_registrations = nullptr;

}  // namespace

void DispatchRegistration::Register() {
  next_ = g_registrations;
  g_registrations = this;
  BindForHardware();
}

void DispatchRegistration::BindForHardware() { bind_(table_, EntriesFor(present_, HardwareTargets())); }

void DispatchRegistration::BindAllForHardware() {
  for (DispatchRegistration* r = g_registrations; r != nullptr; r = r->next_) r->BindForHardware();
}

const DispatchRegistration* DispatchRegistration::First() { return g_registrations; }

void DispatchRegistration::ForceAllForTesting(Build build) {
  for (DispatchRegistration* r = g_registrations; r != nullptr; r = r->next_) {
    const Build used = r->present_[static_cast<int>(build)] ? build : Build::kGeneric;
    std::array<Build, kVariantCount> entries{};
    entries.fill(used);
    r->bind_(r->table_, entries);
  }
}

}  // namespace ryn
