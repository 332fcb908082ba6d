// The order in which the library's load-time work runs (GCC initialisation priorities; lower runs
// first, and everything here runs before objects without a priority).
#pragma once

namespace ryn {
inline constexpr int kDispatchBindingPriority = 200;  // dispatch tables bound to processor builds
inline constexpr int kSupportLibraryPriority = 300;   // the support library's static objects
inline constexpr int kStartUpPriority = 400;          // variant selection and the start-up line
}  // namespace ryn
