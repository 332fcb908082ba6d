// The libFuzzer entry points. The first four bytes of an input choose the export, the rest are
// its arguments.
//
// Environment:
//   RYN_FUZZ_REPORT=FILE      at exit, writes one line per export: name, calls, succeeded,
//                             failed, skipped (the coverage report)
//   RYN_FUZZ_WRITE_SEEDS=DIR  writes the seed inputs (a few per export) into DIR and exits
//   RYN_FUZZ_ONLY=A,B         runs only the exports whose names contain A or B
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fuzz/fuzz_registry.h"
#include "fuzz/fuzz_runner.h"

namespace ryn::fuzz {
namespace {

struct Counts {
  uint64_t calls = 0;
  uint64_t succeeded = 0;
  uint64_t failed = 0;
  uint64_t skipped = 0;
};

std::map<std::string, Counts>& Report() {
  // Never destroyed: the exit handler that writes the report may run after static destructors.
  static auto* report = new std::map<std::string, Counts>;
  return *report;
}

void WriteReport() {
  const char* path = std::getenv("RYN_FUZZ_REPORT");
  if (path == nullptr) return;
  FILE* file = std::fopen(path, "w");
  if (file == nullptr) return;
  for (const auto& entry : Entries()) {
    const Counts& c = Report()[entry.name];
    std::fprintf(file, "%s %llu %llu %llu %llu\n", entry.name.c_str(), static_cast<unsigned long long>(c.calls),
                 static_cast<unsigned long long>(c.succeeded), static_cast<unsigned long long>(c.failed),
                 static_cast<unsigned long long>(c.skipped));
  }
  std::fclose(file);
}

void WriteSeeds(const char* directory) {
  uint64_t state = 0x243F6A8885A308D3ull;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint8_t>(state >> 24);
  };
  for (const auto& entry : Entries()) {
    // The bare selector decodes the ordinary call; the others are varied.
    for (int k = 0; k < 3; ++k) {
      std::vector<uint8_t> bytes(4);
      std::memcpy(bytes.data(), &entry.selector, 4);
      if (k > 0) {
        for (int i = 0; i < 96; ++i) bytes.push_back(next());
      }
      const std::string path = std::string(directory) + "/" + entry.name + "-" + std::to_string(k);
      FILE* file = std::fopen(path.c_str(), "wb");
      if (file == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
      }
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
  }
}

bool Selected(const std::string& name) {
  static const std::vector<std::string> only = [] {
    std::vector<std::string> parts;
    const char* text = std::getenv("RYN_FUZZ_ONLY");
    if (text == nullptr) return parts;
    std::string all(text);
    size_t start = 0;
    while (start <= all.size()) {
      const size_t comma = all.find(',', start);
      const size_t end = comma == std::string::npos ? all.size() : comma;
      if (end > start) parts.push_back(all.substr(start, end - start));
      start = end + 1;
    }
    return parts;
  }();
  if (only.empty()) return true;
  for (const auto& part : only) {
    if (name.find(part) != std::string::npos) return true;
  }
  return false;
}

}  // namespace
}  // namespace ryn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace ryn::fuzz;
  if (const char* seeds = std::getenv("RYN_FUZZ_WRITE_SEEDS")) {
    WriteSeeds(seeds);
    std::exit(0);
  }
  std::atexit(WriteReport);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ryn::fuzz;
  if (size < 4) return 0;
  uint32_t selector;
  std::memcpy(&selector, data, 4);
  const FuzzEntry& entry = ChooseEntry(selector);
  if (!Selected(entry.name)) return 0;
  FuzzInput in(data + 4, size - 4);
  FuzzCase fuzzCase(in);
  entry.decode(fuzzCase);
  Counts& counts = Report()[entry.name];
  ++counts.calls;
  switch (RunCase(entry, fuzzCase)) {
    case Outcome::kSkipped: ++counts.skipped; break;
    case Outcome::kSucceeded: ++counts.succeeded; break;
    case Outcome::kFailed: ++counts.failed; break;
  }
  return 0;
}
