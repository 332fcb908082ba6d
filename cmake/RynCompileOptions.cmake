# Flags shared by the library, its tests and its benchmarks.

add_library(ryn_compile_options INTERFACE)
target_compile_options(ryn_compile_options INTERFACE
  -Wall -Wextra
  # Every processor variant must give the generic variant's float results bit for bit:
  # never let the compiler fuse a multiply and an add.
  -ffp-contract=off)
target_compile_definitions(ryn_compile_options INTERFACE
  # The generic variant is plain C++, so Highway needs no scalar build of its own.
  HWY_BASELINE_TARGETS=HWY_SSSE3)

if(RYN_SANITIZE)
  set(RYN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(ryn_compile_options INTERFACE ${RYN_SANITIZER_FLAGS})
  target_link_options(ryn_compile_options INTERFACE ${RYN_SANITIZER_FLAGS})
endif()

# Highway is used as headers only.
find_path(RYN_HWY_INCLUDE_DIR hwy/highway.h REQUIRED)
