// Dispatched operations. Each is a global object declared in its family's internal header,
//
//   extern Dispatched<IppStatus(const uint8_t* source, int step, IppiSize region, double* sum)> Sum8u;
//
// called like a function, and defined by one line, RYN_DISPATCH(Sum8u), beside its kernels
// (frame/dispatch_hwy.h). It holds the operation's builds and its six entries; a call is one load
// of the variant index and one indirect call, under the standard floating-point environment
// (frame/float_environment.h). Entries start at the generic build, so calls made
// before binding are correct, and are bound once while the library loads.
#pragma once

#include <array>

#include "frame/build.h"
#include "frame/float_environment.h"
#include "frame/variant.h"

namespace ryn {

template <class Signature>
class Dispatched;

template <class R, class... Args>
class Dispatched<R(Args...)> {
 public:
  using Function = R(Args...);
  using Pointer = R (*)(Args...);

  // `targetBuilds`: the SSSE3, SSE4, AVX2 and AVX3 builds, null where there is none.
  constexpr Dispatched(Pointer generic, const std::array<Pointer, kBuildCount - 1>& targetBuilds)
      : builds_{generic, targetBuilds[0], targetBuilds[1], targetBuilds[2], targetBuilds[3]},
        entries_{generic, generic, generic, generic, generic, generic} {}

  R operator()(Args... args) const {
    const StandardFloatEnvironment environment;
    return entries_[VariantIndex()](args...);
  }

  Pointer Entry(int variantIndex) const { return entries_[variantIndex]; }
  // The build itself, whatever the processor; null where the operation has none.
  Pointer BuildOf(Build build) const { return builds_[static_cast<int>(build)]; }
  // The build that entry `variantIndex` calls; where builds share an address, the most demanding.
  Build BuildAt(int variantIndex) const {
    for (int b = kBuildCount - 1; b > 0; --b) {
      if (builds_[b] == entries_[variantIndex]) return static_cast<Build>(b);
    }
    return Build::kGeneric;
  }

  BuildsPresent Present() const {
    BuildsPresent present{};
    for (int b = 0; b < kBuildCount; ++b) present[b] = builds_[b] != nullptr;
    return present;
  }
  void Bind(const std::array<Build, kVariantCount>& entryBuilds) {
    for (int i = 0; i < kVariantCount; ++i) entries_[i] = builds_[static_cast<int>(entryBuilds[i])];
  }

 private:
  std::array<Pointer, kBuildCount> builds_;
  std::array<Pointer, kVariantCount> entries_;
};

// The function type of a Dispatched object's type: declares an operation's builds by name.
template <class Table>
using DispatchedFunction = typename Table::Function;

// Binds one table at load and keeps it in the list of all tables, so that tests can route every
// call to one build. Defined by RYN_DISPATCH; nothing else creates these.
class DispatchRegistration {
 public:
  template <class Table>
  explicit DispatchRegistration(Table& table)
      : table_(&table),
        present_(table.Present()),
        bind_([](void* t, const std::array<Build, kVariantCount>& entries) {
          static_cast<Table*>(t)->Bind(entries);
        }),
        buildAt_([](const void* t, int variantIndex) { return static_cast<const Table*>(t)->BuildAt(variantIndex); }) {
    Register();
  }
  DispatchRegistration(const DispatchRegistration&) = delete;
  DispatchRegistration& operator=(const DispatchRegistration&) = delete;

  // Binds every table to the builds the processor runs.
  static void BindAllForHardware();
  // Every entry of every table runs `build` where the operation has it, the generic build
  // elsewhere. Tests only, on one thread, for builds the processor runs.
  static void ForceAllForTesting(Build build);

  // Every table in turn and the build each of its entries calls, for tests of the binding.
  static const DispatchRegistration* First();
  const DispatchRegistration* Next() const { return next_; }
  Build EntryBuild(int variantIndex) const { return buildAt_(table_, variantIndex); }

 private:
  void Register();
  void BindForHardware();

  void* table_;
  BuildsPresent present_;
  void (*bind_)(void*, const std::array<Build, kVariantCount>&);
  Build (*buildAt_)(const void*, int);
  DispatchRegistration* next_ = nullptr;
};

}  // namespace ryn
