// Six-entry dispatch tables. A dispatched call is one load of the variant index and one indirect
// call. Tables start with the generic variant in every entry (so calls made before binding are
// correct) and are bound to the processor builds once, while the library loads.
#pragma once

#include <array>
#include <utility>

#include "platform/load_order.h"
#include "frame/targets.h"
#include "frame/variant.h"

namespace ryn {

// Processor builds of one operation; null where the operation has none.
template <class Fn>
struct TargetKernels {
  Fn ssse3 = nullptr;
  Fn sse4 = nullptr;
  Fn avx2 = nullptr;
  Fn avx3 = nullptr;
};

// Entries 0, 1: generic. 2, 3: SSSE3 build. 4: SSE4 build, else entry 2's. 5: AVX3 build, else the
// AVX2 build, else entry 4's. A build is used only where `runnable` says the processor has it.
template <class Fn>
std::array<Fn, kVariantCount> BindEntries(Fn generic, const TargetKernels<Fn>& k,
                                          const RunnableTargets& runnable) {
  const Fn e2 = (runnable.ssse3 && k.ssse3) ? k.ssse3 : generic;
  const Fn e4 = (runnable.sse4 && k.sse4) ? k.sse4 : e2;
  Fn e5 = e4;
  if (runnable.avx2 && k.avx2) e5 = k.avx2;
  if (runnable.avx3 && k.avx3) e5 = k.avx3;
  return {generic, generic, e2, e2, e4, e5};
}

template <class Fn>
class DispatchTable {
 public:
  constexpr explicit DispatchTable(Fn generic)
      : entries_{generic, generic, generic, generic, generic, generic} {}

  void Bind(const TargetKernels<Fn>& kernels) {
    entries_ = BindEntries(entries_[0], kernels, HardwareTargets());
  }

  Fn Entry(int index) const { return entries_[index]; }

  template <class... Args>
  decltype(auto) operator()(Args&&... args) const {
    return entries_[VariantIndex()](std::forward<Args>(args)...);
  }

 private:
  std::array<Fn, kVariantCount> entries_;
};

// Runs a binding function during load, before ordinary static initialisation and before the
// load-time start-up.
struct LoadTimeBinding {
  explicit LoadTimeBinding(void (*bind)()) { bind(); }
};

}  // namespace ryn

#define RYN_DISPATCH_CONCAT_(a, b) a##b
#define RYN_DISPATCH_CONCAT(a, b) RYN_DISPATCH_CONCAT_(a, b)

// Defines `table`, a dispatch table for `generic`, bound at load to the builds that `kernels()`
// returns (a function giving TargetKernels<decltype(&generic)>).
#define RYN_DISPATCH_TABLE(table, generic, kernels)                                             \
  constinit ::ryn::DispatchTable<decltype(&generic)> table{&generic};                          \
  static const ::ryn::LoadTimeBinding RYN_DISPATCH_CONCAT(table, _binding)                     \
      __attribute__((init_priority(::ryn::kDispatchBindingPriority))){[] { table.Bind(kernels()); }}
