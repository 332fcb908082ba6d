#include "fuzz/fuzz_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ryn::fuzz {
namespace {

// Never destroyed: the coverage report reads it from an exit handler.
std::vector<FuzzEntry>& Registered() {
  static auto* entries = new std::vector<FuzzEntry>;
  return *entries;
}

}  // namespace

uint32_t SelectorOf(const std::string& name) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (unsigned char ch : name) {
    hash ^= ch;
    hash *= 16777619u;
  }
  return hash;
}

FuzzRegistration::FuzzRegistration(const char* name, DecodeFunction decode) {
  Registered().push_back(FuzzEntry{name, decode, SelectorOf(name)});
}

const std::vector<FuzzEntry>& Entries() {
  static const bool sorted = [] {
    auto& entries = Registered();
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (size_t i = 1; i < entries.size(); ++i) {
      if (entries[i].selector == entries[i - 1].selector || entries[i].name == entries[i - 1].name) {
        std::fprintf(stderr, "fuzz entries %s and %s share a selector\n", entries[i - 1].name.c_str(),
                     entries[i].name.c_str());
        std::abort();
      }
    }
    return true;
  }();
  (void)sorted;
  return Registered();
}

const FuzzEntry& ChooseEntry(uint32_t selector) {
  const auto& entries = Entries();
  for (const auto& entry : entries) {
    if (entry.selector == selector) return entry;
  }
  return entries[selector % entries.size()];
}

}  // namespace ryn::fuzz
