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

if(RYN_SANITIZE AND RYN_TSAN)
  message(FATAL_ERROR "RYN_SANITIZE and RYN_TSAN exclude each other: configure one build for each")
endif()
# RYN_SANITIZER_LINK_FLAGS: what a program linked against the sanitized shared library (the C
# client, the start-up probe, the install check's consumers) must add to its link.
if(RYN_SANITIZE)
  set(RYN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  set(RYN_SANITIZER_LINK_FLAGS -fsanitize=address,undefined)
elseif(RYN_TSAN)
  # -O1 keeps the race detector's run time bearable; line tables (-g1, after the build type's
  # -g) name the lines of a report at a fifth less compile time than full debug information.
  set(RYN_SANITIZER_FLAGS -fsanitize=thread -O1 -g1 -fno-omit-frame-pointer)
  set(RYN_SANITIZER_LINK_FLAGS -fsanitize=thread)
endif()
if(RYN_SANITIZER_FLAGS)
  target_compile_options(ryn_compile_options INTERFACE ${RYN_SANITIZER_FLAGS})
  target_link_options(ryn_compile_options INTERFACE ${RYN_SANITIZER_FLAGS})
endif()

if(RYN_FUZZ)
  # Every library object carries the fuzzer's coverage counters and AddressSanitizer. Alignment
  # checks are left out: x86 loads any address, and the harness gives steps that are not
  # multiples of the element size on purpose.
  set(RYN_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=alignment
      -fno-sanitize-recover=undefined -fno-omit-frame-pointer
      # Tables checked at compile time take more evaluation steps than clang allows by default.
      -fconstexpr-steps=200000000)
  target_compile_options(ryn_compile_options INTERFACE ${RYN_FUZZ_FLAGS})
  target_link_options(ryn_compile_options INTERFACE -fsanitize=address,undefined)
endif()

# Highway is used as headers only.
if(CMAKE_CROSSCOMPILING)
  # The build machine's headers serve a cross build too, but its /usr/include must not reach the
  # cross compiler (its C library headers would shadow the target's): a folder of its own holds
  # only a link to hwy/.
  find_path(RYN_HWY_HOST_INCLUDE_DIR hwy/highway.h REQUIRED NO_CMAKE_FIND_ROOT_PATH)
  set(RYN_HWY_INCLUDE_DIR ${PROJECT_BINARY_DIR}/hwy-include)
  file(MAKE_DIRECTORY ${RYN_HWY_INCLUDE_DIR})
  file(CREATE_LINK ${RYN_HWY_HOST_INCLUDE_DIR}/hwy ${RYN_HWY_INCLUDE_DIR}/hwy SYMBOLIC)
else()
  find_path(RYN_HWY_INCLUDE_DIR hwy/highway.h REQUIRED)
endif()
