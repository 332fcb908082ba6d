// RYN_DISPATCH(Name): defines the dispatched operation `Name` of a family from its builds. Used
// once per operation in the `#if HWY_ONCE` block of the family's kernel file, at the family's
// namespace scope, where the header declared
//
//   extern Dispatched<Signature> Name;
//
// The builds are `generic::Name` (the family's generic code, another file) and the per-target
// `N_SSSE3::Name`, `N_SSE4::Name`, `N_AVX2::Name`, `N_AVX3::Name` of this file; a signature that
// differs from the declaration fails to compile or to link.
#pragma once

#include <hwy/highway.h>

#include "frame/dispatch.h"
#include "platform/load_order.h"

#if HWY_TARGETS & HWY_SSSE3
#define RYN_BUILD_SSSE3_(name) &N_SSSE3::name
#else
#define RYN_BUILD_SSSE3_(name) nullptr
#endif
#if HWY_TARGETS & HWY_SSE4
#define RYN_BUILD_SSE4_(name) &N_SSE4::name
#else
#define RYN_BUILD_SSE4_(name) nullptr
#endif
#if HWY_TARGETS & HWY_AVX2
#define RYN_BUILD_AVX2_(name) &N_AVX2::name
#else
#define RYN_BUILD_AVX2_(name) nullptr
#endif
#if HWY_TARGETS & HWY_AVX3
#define RYN_BUILD_AVX3_(name) &N_AVX3::name
#else
#define RYN_BUILD_AVX3_(name) nullptr
#endif

#define RYN_DISPATCH(name)                                                                              \
  namespace generic {                                                                                   \
  ::ryn::DispatchedFunction<decltype(name)> name;                                                       \
  }                                                                                                     \
  constinit decltype(name) name{&generic::name,                                                         \
                                {RYN_BUILD_SSSE3_(name), RYN_BUILD_SSE4_(name), RYN_BUILD_AVX2_(name),  \
                                 RYN_BUILD_AVX3_(name)}};                                               \
  static const ::ryn::DispatchRegistration name##_registration                                          \
      __attribute__((init_priority(::ryn::kDispatchBindingPriority))) {                                 \
    name                                                                                                \
  }
