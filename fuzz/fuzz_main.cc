// The libFuzzer entry points. The first four bytes of an input choose the export, the rest are
// its arguments.
//
// Environment:
//   RYN_FUZZ_REPORT=FILE      at exit, writes one line per export: name, calls, succeeded,
//                             failed, skipped (the coverage report)
//   RYN_FUZZ_WRITE_SEEDS=DIR  writes the seed inputs (a few per export) into DIR and exits
//   RYN_FUZZ_WRITE_DICT=FILE  writes the dictionary (every export's selector, special values)
//                             and exits
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

// Never destroyed: the report is written by an exit handler, after static objects created
// later than its registration are gone.
std::map<std::string, Counts>& Report() {
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
    // Named by selector, as the inputs begin. The bare selector decodes the ordinary call; the
    // others are varied.
    for (int k = 0; k < 3; ++k) {
      std::vector<uint8_t> bytes(4);
      std::memcpy(bytes.data(), &entry.selector, 4);
      if (k > 0) {
        for (int i = 0; i < 96; ++i) bytes.push_back(next());
      }
      char name[32];
      std::snprintf(name, sizeof name, "/%08x-%d", entry.selector, k);
      const std::string path = std::string(directory) + name;
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

void WriteDictionary(const char* path) {
  FILE* file = std::fopen(path, "w");
  if (file == nullptr) {
    std::perror(path);
    std::exit(1);
  }
  auto token = [file](const std::string& name, const void* bytes, size_t size) {
    std::fprintf(file, "%s=\"", name.c_str());
    for (size_t i = 0; i < size; ++i) std::fprintf(file, "\\x%02X", static_cast<const uint8_t*>(bytes)[i]);
    std::fprintf(file, "\"\n");
  };
  std::fprintf(file, "# Selectors of the exports: an input that starts with one runs that export.\n");
  for (const auto& entry : Entries()) token(entry.name, &entry.selector, 4);
  std::fprintf(file, "# Values that matter to sizes, steps and floats.\n");
  const int32_t ints[] = {0, -1, 1, 2, 3, 7, 8, 16, 31, 32, 33, 64, 255, 256, 4096, 65535, 65536, 46341,
                          0x7FFFFFFF, -0x7FFFFFFF - 1};
  for (size_t i = 0; i < sizeof ints / sizeof ints[0]; ++i) token("int_" + std::to_string(i), &ints[i], 4);
  const float floats[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 1e-40f, 3.4e38f, 1.0f / 0.0f};
  for (size_t i = 0; i < sizeof floats / sizeof floats[0]; ++i) token("float_" + std::to_string(i), &floats[i], 4);
  std::fclose(file);
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
  if (const char* dictionary = std::getenv("RYN_FUZZ_WRITE_DICT")) {
    WriteDictionary(dictionary);
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
  // The byte after the arguments chooses a floating-point environment for one more run.
  const int environmentChoice = in.Byte() % 8;
  switch (RunCase(entry, fuzzCase, environmentChoice)) {
    case Outcome::kSkipped: ++counts.skipped; break;
    case Outcome::kSucceeded: ++counts.succeeded; break;
    case Outcome::kFailed: ++counts.failed; break;
  }
  return 0;
}
