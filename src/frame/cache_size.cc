#include "frame/cache_size.h"

#include <atomic>

#include "frame/cpu_features.h"
#include "frame/cpuid.h"

namespace ryn {

constexpr int32_t KiB = 1024;
constexpr int32_t MiB = 1024 * 1024;

const CacheDescriptor kLeaf2CacheDescriptors[] = {
    {0xEC, 24 * MiB},      {0xEB, 18 * MiB},  {0x4D, 16 * MiB},  {0xEA, 12 * MiB},
    {0x4C, 12 * MiB},      {0xE4, 8 * MiB},   {0x4B, 8 * MiB},   {0x47, 8 * MiB},
    {0xDE, 6 * MiB},       {0x4A, 6 * MiB},   {0x4E, 6 * MiB},   {0xE3, 4 * MiB},
    {0xD8, 4 * MiB},       {0x49, 4 * MiB},   {0x46, 4 * MiB},   {0x29, 4 * MiB},
    {0xDD, 3 * MiB},       {0x48, 3 * MiB},   {0xE2, 2 * MiB},   {0xD7, 2 * MiB},
    {0xD2, 2 * MiB},       {0x85, 2 * MiB},   {0x7D, 2 * MiB},   {0x45, 2 * MiB},
    {0x25, 2 * MiB},       {0xDC, 1536 * KiB}, {0xD6, 1 * MiB},  {0xD1, 1 * MiB},
    {0x87, 1 * MiB},       {0x84, 1 * MiB},   {0x7C, 1 * MiB},   {0x78, 1 * MiB},
    {0x44, 1 * MiB},       {0x24, 1 * MiB},   {0x23, 1 * MiB},   {0xD0, 512 * KiB},
    {0x86, 512 * KiB},     {0x83, 512 * KiB}, {0x80, 512 * KiB}, {0x7F, 512 * KiB},
    {0x7B, 512 * KiB},     {0x43, 512 * KiB}, {0x3E, 512 * KiB}, {0x22, 512 * KiB},
    {0x3D, 384 * KiB},     {0x82, 256 * KiB}, {0x7A, 256 * KiB}, {0x42, 256 * KiB},
    {0x3C, 256 * KiB},     {0x21, 256 * KiB}, {0x3A, 192 * KiB}, {0x79, 128 * KiB},
    {0x39, 128 * KiB},     {0x3B, 128 * KiB}, {0x41, 128 * KiB}, {0x00, 0},
};
const int kLeaf2CacheDescriptorCount =
    static_cast<int>(sizeof(kLeaf2CacheDescriptors) / sizeof(kLeaf2CacheDescriptors[0])) - 1;

namespace {

constexpr IppStatus kNotComputed = 1;

// Plain words: two threads computing at once store equal results.
std::atomic<IppStatus> g_cacheStatus{kNotComputed};
std::atomic<int32_t> g_cacheBytes{0};

struct CacheResult {
  IppStatus status;
  int32_t bytes;
};

CacheResult FromDeterministicLeaf4(const CpuidSource& cpu) {
  uint32_t largest = 0;
  for (uint32_t subleaf = 0; subleaf < 32; ++subleaf) {
    const CpuidRegisters r = cpu.Cpuid(4, subleaf);
    const uint32_t type = r.eax & 0x1F;
    if (type == 0) break;
    if (type == 2) continue;  // instruction cache
    const uint32_t ways = (r.ebx >> 22) + 1;
    const uint32_t partitions = ((r.ebx >> 12) & 0x3FF) + 1;
    const uint32_t lineSize = (r.ebx & 0xFFF) + 1;
    const uint32_t sets = r.ecx + 1;
    const uint32_t bytes = ways * partitions * lineSize * sets;
    if (bytes > largest) largest = bytes;
  }
  if (largest == 0) return {ippStsUnknownCacheSize, 0};
  return {ippStsNoErr, static_cast<int32_t>(largest)};
}

CacheResult FromLeaf2Descriptors(const CpuidSource& cpu) {
  const CpuidRegisters r = cpu.Cpuid(2, 0);
  if ((r.eax & 0xFF) != 1) return {ippStsUnknownCacheSize, 0};
  uint8_t bytes[16];
  int count = 0;
  const uint32_t registers[4] = {r.eax, r.ebx, r.ecx, r.edx};
  for (int i = 0; i < 4; ++i) {
    if (registers[i] & 0x80000000u) continue;  // register holds no descriptors
    for (int b = (i == 0 ? 1 : 0); b < 4; ++b) bytes[count++] = static_cast<uint8_t>(registers[i] >> (8 * b));
  }
  for (const CacheDescriptor* d = kLeaf2CacheDescriptors; d->descriptor != 0; ++d) {
    for (int i = 0; i < count; ++i) {
      if (bytes[i] == d->descriptor) return {ippStsNoErr, d->bytes};
    }
  }
  return {ippStsUnknownCacheSize, 0};
}

}  // namespace

IppStatus QueryLargestCacheSize(int32_t* bytes) {
  if (bytes == nullptr) return ippStsNullPtrErr;
  const IppStatus cached = g_cacheStatus.load(std::memory_order_acquire);
  if (cached != kNotComputed) {
    *bytes = g_cacheBytes.load(std::memory_order_relaxed);
    return cached;
  }
  const CpuidSource& cpu = ActiveCpuid();
  const CpuidRegisters leaf0 = cpu.Cpuid(0, 0);
  CacheResult result{ippStsNotSupportedCpu, g_cacheBytes.load(std::memory_order_relaxed)};
  if (leaf0.eax >= 2 && IsGenuineIntel(leaf0)) {
    result = leaf0.eax >= 4 ? FromDeterministicLeaf4(cpu) : FromLeaf2Descriptors(cpu);
  }
  g_cacheBytes.store(result.bytes, std::memory_order_relaxed);
  g_cacheStatus.store(result.status, std::memory_order_release);
  *bytes = result.bytes;
  return result.status;
}

void ResetLargestCacheSizeForTesting() {
  g_cacheStatus.store(kNotComputed, std::memory_order_release);
  g_cacheBytes.store(0, std::memory_order_relaxed);
}

}  // namespace ryn
