// The largest-cache-size query on fake processors.
#include <gtest/gtest.h>

#include <set>

#include "frame/cache_size.h"
#include "support/fake_cpu.h"

namespace ryn::test {
namespace {

CpuidRegisters CacheLeaf(uint32_t type, uint32_t ways, uint32_t partitions, uint32_t lineSize, uint32_t sets) {
  return CpuidRegisters{type, ((ways - 1) << 22) | ((partitions - 1) << 12) | (lineSize - 1), sets - 1, 0};
}

TEST(LargestCacheSize, Leaf4TakesTheLargestDataOrUnifiedCache) {
  FakeCpu cpu("GenuineIntel", 0, 0, 0xB);
  cpu.Set(4, 0, CacheLeaf(1, 8, 1, 64, 64))       // L1 data 32 KiB
      .Set(4, 1, CacheLeaf(2, 64, 1, 64, 1024))   // instruction cache of 4 MiB: skipped
      .Set(4, 2, CacheLeaf(3, 16, 1, 64, 1024))   // unified 1 MiB
      .Set(4, 3, CacheLeaf(0, 1, 1, 1, 1))        // end of the list
      .Set(4, 4, CacheLeaf(3, 16, 1, 64, 65536)); // after the end: never read
  ScopedFakeCpu scoped(cpu);
  int32_t bytes = -1;
  EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsNoErr);
  EXPECT_EQ(bytes, 1 << 20);
}

TEST(LargestCacheSize, Leaf4WithoutDataCacheGives37) {
  FakeCpu cpu("GenuineIntel", 0, 0, 4);
  cpu.Set(4, 0, CacheLeaf(2, 8, 1, 64, 64));
  ScopedFakeCpu scoped(cpu);
  int32_t bytes = -1;
  EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsUnknownCacheSize);
  EXPECT_EQ(bytes, 0);
}

TEST(LargestCacheSize, Leaf2FindsTheLargestListedDescriptor) {
  FakeCpu cpu("GenuineIntel", 0, 0, 2);
  // AL = 1; EAX also holds 0x4D (16 MiB) but EBX has bit 31 set, so its 0xEC (24 MiB) is ignored;
  // ECX holds 0x2C (L1 data, not listed) and 0x7D (2 MiB).
  cpu.Set(2, 0, CpuidRegisters{0x004D0001, 0x800000EC, 0x00007D2C, 0});
  ScopedFakeCpu scoped(cpu);
  int32_t bytes = 0;
  EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsNoErr);
  EXPECT_EQ(bytes, 16 * 1024 * 1024);
}

TEST(LargestCacheSize, Leaf2IgnoresAlAndNeedsAlOne) {
  FakeCpu alIsDescriptor("GenuineIntel", 0, 0, 3);
  alIsDescriptor.Set(2, 0, CpuidRegisters{0x00000001, 0, 0, 0x00000041});  // 0x41 = 128 KiB in EDX
  {
    ScopedFakeCpu scoped(alIsDescriptor);
    int32_t bytes = 0;
    EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsNoErr);
    EXPECT_EQ(bytes, 128 * 1024);
  }
  FakeCpu twoRounds("GenuineIntel", 0, 0, 2);
  twoRounds.Set(2, 0, CpuidRegisters{0x00000002, 0x000000EC, 0, 0});
  {
    ScopedFakeCpu scoped(twoRounds);
    int32_t bytes = -1;
    EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsUnknownCacheSize);
    EXPECT_EQ(bytes, 0);
  }
  FakeCpu unlisted("GenuineIntel", 0, 0, 2);
  unlisted.Set(2, 0, CpuidRegisters{0x00000001, 0x0000002C, 0, 0});
  {
    ScopedFakeCpu scoped(unlisted);
    int32_t bytes = -1;
    EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsUnknownCacheSize);
    EXPECT_EQ(bytes, 0);
  }
}

TEST(LargestCacheSize, OtherVendorsAndOldProcessorsDoNotQualify) {
  for (const FakeCpu& cpu : {FakeCpu("AuthenticAMD", 0, 0, 0xD), FakeCpu("GenuineIntel", 0, 0, 1)}) {
    ScopedFakeCpu scoped(cpu);
    int32_t bytes = 0;
    EXPECT_EQ(QueryLargestCacheSize(&bytes), ippStsNotSupportedCpu);
    EXPECT_EQ(bytes, 0);
  }
  EXPECT_EQ(QueryLargestCacheSize(nullptr), ippStsNullPtrErr);
}

TEST(LargestCacheSize, ComputedOnceAndKept) {
  FakeCpu cpu("GenuineIntel", 0, 0, 4);
  cpu.Set(4, 0, CacheLeaf(1, 8, 1, 64, 64));
  ScopedFakeCpu scoped(cpu);
  int32_t bytes = 0;
  ASSERT_EQ(QueryLargestCacheSize(&bytes), ippStsNoErr);
  const int calls = cpu.cpuidCalls;
  cpu.Set(4, 0, CacheLeaf(3, 16, 1, 64, 8192));
  int32_t again = 0;
  EXPECT_EQ(QueryLargestCacheSize(&again), ippStsNoErr);
  EXPECT_EQ(again, 32768);
  EXPECT_EQ(cpu.cpuidCalls, calls);
}

TEST(LargestCacheSize, DescriptorTableRunsFromLargestToSmallest) {
  ASSERT_EQ(kLeaf2CacheDescriptorCount, 55);
  EXPECT_EQ(kLeaf2CacheDescriptors[55].descriptor, 0);
  EXPECT_EQ(kLeaf2CacheDescriptors[0].descriptor, 0xEC);
  EXPECT_EQ(kLeaf2CacheDescriptors[0].bytes, 25165824);
  EXPECT_EQ(kLeaf2CacheDescriptors[1].descriptor, 0xEB);
  EXPECT_EQ(kLeaf2CacheDescriptors[1].bytes, 18874368);
  EXPECT_EQ(kLeaf2CacheDescriptors[2].descriptor, 0x4D);
  EXPECT_EQ(kLeaf2CacheDescriptors[2].bytes, 16777216);
  const uint8_t lastFour[] = {0x79, 0x39, 0x3B, 0x41};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(kLeaf2CacheDescriptors[51 + i].descriptor, lastFour[i]);
    EXPECT_EQ(kLeaf2CacheDescriptors[51 + i].bytes, 131072);
  }
  std::set<uint8_t> seen;
  for (int i = 0; i < kLeaf2CacheDescriptorCount; ++i) {
    EXPECT_TRUE(seen.insert(kLeaf2CacheDescriptors[i].descriptor).second) << "duplicate descriptor";
    if (i > 0) {
      EXPECT_LE(kLeaf2CacheDescriptors[i].bytes, kLeaf2CacheDescriptors[i - 1].bytes) << i;
    }
  }
}

}  // namespace
}  // namespace ryn::test
