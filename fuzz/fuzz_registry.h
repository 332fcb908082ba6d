// The exports the fuzzer drives, each with the function that decodes one call from the input.
// An entry is defined in its family's file by
//
//   RYN_FUZZ(fnVCAIPP_Not_8u_C1IR) {
//     const IppiSize region = c.in().Region();
//     const auto image = c.Image<uint8_t>(region, 1, Access::kWrite);
//     c.Call([=] { return fnVCAIPP_Not_8u_C1IR(image.p, region, image.step); });
//   }
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_case.h"

namespace ryn::fuzz {

using DecodeFunction = void (*)(FuzzCase&);

struct FuzzEntry {
  std::string name;
  DecodeFunction decode;
  uint32_t selector;  // the four input bytes that choose this entry
};

// Every entry, sorted by name.
const std::vector<FuzzEntry>& Entries();
// The entry the first four input bytes choose: the entry whose selector they are, else one by
// their value, so that every input runs something.
const FuzzEntry& ChooseEntry(uint32_t selector);
// A stable selector for a name: inputs keep choosing the same export as entries are added.
uint32_t SelectorOf(const std::string& name);

struct FuzzRegistration {
  FuzzRegistration(const char* name, DecodeFunction decode);
};

}  // namespace ryn::fuzz

#define RYN_FUZZ(name)                                                                        \
  static void FuzzDecode_##name(::ryn::fuzz::FuzzCase& c);                                    \
  static const ::ryn::fuzz::FuzzRegistration fuzzRegistration_##name(#name, FuzzDecode_##name); \
  static void FuzzDecode_##name([[maybe_unused]] ::ryn::fuzz::FuzzCase& c)
