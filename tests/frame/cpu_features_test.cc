// The feature mask, variant selection and the builds bound to each variant index.
#include <gtest/gtest.h>

#include "frame/cpu_features.h"
#include "frame/dispatch.h"
#include "frame/targets.h"
#include "frame/variant.h"
#include "support/fake_cpu.h"
#include "support/variants.h"

namespace ryn::test {
namespace {

// Leaf-1 ECX bits.
constexpr uint32_t kEcxSse3 = 1u << 0, kEcxPclmul = 1u << 1, kEcxSsse3 = 1u << 9, kEcxFma = 1u << 12,
                   kEcxSse41 = 1u << 19, kEcxSse42 = 1u << 20, kEcxMovbe = 1u << 22, kEcxAes = 1u << 25,
                   kEcxOsxsave = 1u << 27, kEcxAvx = 1u << 28, kEcxF16c = 1u << 29, kEcxRdrand = 1u << 30;
// Leaf-1 EDX bits.
constexpr uint32_t kEdxMmx = 1u << 23, kEdxSse = 1u << 25, kEdxSse2 = 1u << 26;
constexpr uint32_t kEdxBase = kEdxMmx | kEdxSse | kEdxSse2;

struct Selection {
  IppStatus status;
  int index;
};

Selection Select(const FakeCpu& cpu) {
  ScopedFakeCpu scoped(cpu);
  const IppStatus status = SelectVariant();
  return {status, VariantIndex()};
}

TEST(CpuFeatures, MaskFollowsLeaf1Bits) {
  FakeCpu cpu("GenuineIntel",
              kEcxSse3 | kEcxSsse3 | kEcxMovbe | kEcxSse41 | kEcxSse42 | kEcxAes | kEcxPclmul | kEcxRdrand | kEcxF16c,
              kEdxBase);
  EXPECT_EQ(ComputeCpuFeatures(cpu), uint64_t{0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40 | 0x80 | 0x400 | 0x800 |
                                              0x2000 | 0x4000});
}

TEST(CpuFeatures, AvxStateNeedsXsaveAvxAndBothXcr0Bits) {
  FakeCpu enabled("GenuineIntel", kEcxAvx | kEcxOsxsave);
  enabled.SetXcr0(0x7);
  EXPECT_EQ(ComputeCpuFeatures(enabled), uint64_t{kFeatureAvx | kFeatureAvxEnabledByOs});

  FakeCpu sseStateOnly("GenuineIntel", kEcxAvx | kEcxOsxsave);
  sseStateOnly.SetXcr0(0x3);
  EXPECT_EQ(ComputeCpuFeatures(sseStateOnly), uint64_t{kFeatureAvx});

  FakeCpu noXsave("GenuineIntel", kEcxAvx);
  noXsave.SetXcr0(0x7);  // never read without OSXSAVE
  EXPECT_EQ(ComputeCpuFeatures(noXsave), uint64_t{kFeatureAvx});
}

TEST(CpuFeatures, Family11ExtensionOnlyOnFamily11) {
  FakeCpu family11("GenuineIntel");
  family11.Set(1, 0, CpuidRegisters{0xB00, 0, 0, 0}).Set(0x20000001, 0, CpuidRegisters{0, 0, 0, 0x2});
  EXPECT_EQ(ComputeCpuFeatures(family11), uint64_t{kFeatureFamily11Extension});

  FakeCpu family6("GenuineIntel");
  family6.Set(1, 0, CpuidRegisters{0x600, 0, 0, 0}).Set(0x20000001, 0, CpuidRegisters{0, 0, 0, 0x2});
  EXPECT_EQ(ComputeCpuFeatures(family6), 0u);
}

TEST(CpuFeatures, QueryCachesTheMaskAndReadsRegistersAfresh) {
  FakeCpu cpu("GenuineIntel", kEcxSse3, kEdxBase);
  ScopedFakeCpu scoped(cpu);
  uint64_t mask = 0;
  ASSERT_EQ(QueryCpuFeatures(&mask), ippStsNoErr);
  EXPECT_EQ(mask, uint64_t{0x1 | 0x2 | 0x4 | 0x8});
  const int callsAfterFirst = cpu.cpuidCalls;
  ASSERT_EQ(QueryCpuFeatures(&mask), ippStsNoErr);
  EXPECT_EQ(cpu.cpuidCalls, callsAfterFirst) << "the cached mask needs no CPUID";

  cpu.Set(1, 0, CpuidRegisters{0x11, 0x22, 0x33, 0x44});
  uint32_t registers[4] = {};
  ASSERT_EQ(QueryCpuFeatures(&mask, registers), ippStsNoErr);
  EXPECT_EQ(mask, uint64_t{0x1 | 0x2 | 0x4 | 0x8}) << "still the cached mask";
  EXPECT_EQ(registers[0], 0x11u);
  EXPECT_EQ(registers[3], 0x44u);

  EXPECT_EQ(QueryCpuFeatures(nullptr, registers), ippStsNullPtrErr);
}

// The effects' words are leaves 1 and 7 as read on the first query, kept until the caches are
// forgotten, and independent of the feature mask's cache.
TEST(CpuFeatures, EffectWordsAreReadOnceAndKept) {
  FakeCpu cpu("GenuineIntel", kEcxAvx | kEcxSsse3, kEdxBase);
  cpu.Set(7, 0, CpuidRegisters{0, 1u << 5, 0x77, 0});
  ScopedFakeCpu scoped(cpu);
  uint64_t mask = 0;
  ASSERT_EQ(QueryCpuFeatures(&mask), ippStsNoErr);
  const EffectFeatureWords first = QueryEffectFeatureWords();
  EXPECT_EQ(first.leaf1.ecx, kEcxAvx | kEcxSsse3);
  EXPECT_EQ(first.leaf1.edx, kEdxBase);
  EXPECT_EQ(first.leaf7.ebx, 1u << 5);
  EXPECT_EQ(first.leaf7.ecx, 0x77u);

  const int callsAfterFirst = cpu.cpuidCalls;
  cpu.Set(7, 0, CpuidRegisters{});
  const EffectFeatureWords again = QueryEffectFeatureWords();
  EXPECT_EQ(cpu.cpuidCalls, callsAfterFirst) << "the kept words need no CPUID";
  EXPECT_EQ(again.leaf7.ebx, 1u << 5);

  ResetCpuCachesForTesting();
  EXPECT_EQ(QueryEffectFeatureWords().leaf7.ebx, 0u);
}

TEST(VariantSelection, FirstMatchingRowDecides) {
  EXPECT_EQ(Select(FakeCpu("GenuineIntel", kEcxAvx | kEcxOsxsave | kEcxSse3).SetXcr0(0x7)).index, 5);
  EXPECT_EQ(Select(FakeCpu("GenuineIntel", kEcxSse41 | kEcxMovbe | kEcxSsse3 | kEcxSse3)).index, 4);
  EXPECT_EQ(Select(FakeCpu("GenuineIntel", kEcxMovbe | kEcxSsse3 | kEcxSse3)).index, 3);
  EXPECT_EQ(Select(FakeCpu("GenuineIntel", kEcxSsse3 | kEcxSse3)).index, 2);
  EXPECT_EQ(Select(FakeCpu("GenuineIntel", kEcxMovbe | kEcxSse3)).index, 1);
  const Selection sse3 = Select(FakeCpu("GenuineIntel", kEcxSse3));
  EXPECT_EQ(sse3.index, 1);
  EXPECT_EQ(sse3.status, ippStsNoErr);
}

TEST(VariantSelection, NoSse3GivesGenericWith36) {
  const Selection s = Select(FakeCpu("GenuineIntel", 0, kEdxBase));
  EXPECT_EQ(s.index, 0);
  EXPECT_EQ(s.status, ippStsNotSupportedCpu);
}

TEST(VariantSelection, AvxWithoutOperatingSystemStateFallsToSse41) {
  const Selection s = Select(FakeCpu("GenuineIntel", kEcxAvx | kEcxOsxsave | kEcxSse41 | kEcxSse3).SetXcr0(0x1));
  EXPECT_EQ(s.index, 4);
  EXPECT_EQ(s.status, ippStsNoErr);
}

TEST(VariantSelection, OtherVendorsKeepTheIndexAndGet20) {
  const Selection amd = Select(FakeCpu("AuthenticAMD", kEcxSse41 | kEcxSse3));
  EXPECT_EQ(amd.index, 4);
  EXPECT_EQ(amd.status, ippStsNonIntelCpu);
  const Selection noSse3 = Select(FakeCpu("CentaurHauls"));
  EXPECT_EQ(noSse3.index, 0);
  EXPECT_EQ(noSse3.status, ippStsNonIntelCpu) << "20 replaces 36";
}

TEST(VariantSelection, VersionRecordIsTheSameForEveryVariant) {
  ForEachVariant([](int) {
    const VersionRecord* v = QueryVersion();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->major, 7);
    EXPECT_EQ(v->minor, 0);
    EXPECT_EQ(v->majorBuild, 205);
    EXPECT_EQ(v->build, 1084);
  });
}

// Leaf-7 EBX bits.
constexpr uint32_t kEbxBmi1 = 1u << 3, kEbxAvx2 = 1u << 5, kEbxBmi2 = 1u << 8, kEbxAvx512f = 1u << 16,
                   kEbxAvx512dq = 1u << 17, kEbxAvx512bw = 1u << 30, kEbxAvx512vl = 1u << 31;
constexpr uint32_t kSse4Group = kEcxSse3 | kEcxSsse3 | kEcxSse41 | kEcxSse42 | kEcxPclmul | kEcxAes;
constexpr uint32_t kAvx2Ecx = kSse4Group | kEcxAvx | kEcxOsxsave | kEcxFma | kEcxF16c;
constexpr uint32_t kAvx2Ebx = kEbxAvx2 | kEbxBmi1 | kEbxBmi2;
constexpr uint32_t kAvx512Ebx = kAvx2Ebx | kEbxAvx512f | kEbxAvx512dq | kEbxAvx512bw | kEbxAvx512vl;

FakeCpu WithLeaf7(uint32_t ecx1, uint32_t ebx7, uint64_t xcr0) {
  FakeCpu cpu("GenuineIntel", ecx1);
  cpu.Set(7, 0, CpuidRegisters{0, ebx7, 0, 0});
  cpu.Set(0x80000000u, 0, CpuidRegisters{0x80000001u, 0, 0, 0});
  cpu.Set(0x80000001u, 0, CpuidRegisters{0, 0, 1u << 5, 0});  // LZCNT
  cpu.SetXcr0(xcr0);
  return cpu;
}

TEST(RunnableTargets, DerivedFromFeatureGroupsAndOperatingSystemState) {
  const RunnableTargets sandyBridge = DeriveRunnableTargets(WithLeaf7(kSse4Group | kEcxAvx | kEcxOsxsave, 0, 0x7));
  EXPECT_TRUE(sandyBridge.ssse3);
  EXPECT_TRUE(sandyBridge.sse4);
  EXPECT_FALSE(sandyBridge.avx2);

  EXPECT_TRUE(DeriveRunnableTargets(WithLeaf7(kAvx2Ecx, kAvx2Ebx, 0x7)).avx2);
  EXPECT_FALSE(DeriveRunnableTargets(WithLeaf7(kAvx2Ecx, kAvx2Ebx, 0x3)).avx2) << "YMM state not enabled";
  EXPECT_FALSE(DeriveRunnableTargets(WithLeaf7(kAvx2Ecx & ~kEcxFma, kAvx2Ebx, 0x7)).avx2) << "no FMA";

  EXPECT_TRUE(DeriveRunnableTargets(WithLeaf7(kAvx2Ecx, kAvx512Ebx, 0xE7)).avx3);
  EXPECT_FALSE(DeriveRunnableTargets(WithLeaf7(kAvx2Ecx, kAvx512Ebx, 0x7)).avx3) << "ZMM state not enabled";

  const RunnableTargets westmereWithoutAes = DeriveRunnableTargets(WithLeaf7(kSse4Group & ~kEcxAes, 0, 0));
  EXPECT_TRUE(westmereWithoutAes.ssse3);
  EXPECT_FALSE(westmereWithoutAes.sse4);
  EXPECT_FALSE(DeriveRunnableTargets(WithLeaf7(kEcxSse3, 0, 0)).ssse3);
}

int Generic() { return 0; }
int Ssse3() { return 2; }
int Sse4() { return 4; }
int Avx2() { return 52; }
int Avx3() { return 53; }

// What each variant index calls once `table` is bound for `runnable`.
std::array<int, kVariantCount> Bound(Dispatched<int()> table, RunnableTargets runnable) {
  table.Bind(EntriesFor(table.Present(), runnable));
  std::array<int, kVariantCount> results{};
  for (int i = 0; i < kVariantCount; ++i) results[i] = table.Entry(i)();
  return results;
}

TEST(DispatchBinding, EachIndexGetsTheBestBuildTheProcessorRuns) {
  const Dispatched<int()> all{&Generic, {&Ssse3, &Sse4, &Avx2, &Avx3}};
  using A = std::array<int, kVariantCount>;
  EXPECT_EQ(Bound(all, {true, true, true, true}), (A{0, 0, 2, 2, 4, 53}));
  EXPECT_EQ(Bound(all, {true, true, true, false}), (A{0, 0, 2, 2, 4, 52}));
  EXPECT_EQ(Bound(all, {true, true, false, false}), (A{0, 0, 2, 2, 4, 4})) << "AVX without AVX2";
  EXPECT_EQ(Bound(all, {true, false, false, false}), (A{0, 0, 2, 2, 2, 2}));
  EXPECT_EQ(Bound(all, {false, false, false, false}), (A{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bound(Dispatched<int()>{&Generic, {}}, {true, true, true, true}), (A{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bound(Dispatched<int()>{&Generic, {nullptr, &Sse4, nullptr, nullptr}}, {true, true, true, true}),
            (A{0, 0, 0, 0, 4, 4}));
}

// Before binding every entry is the generic build; a call goes through the entry of the index.
TEST(DispatchBinding, UnboundTableCallsGenericAndCallsFollowTheIndex) {
  Dispatched<int()> table{&Generic, {&Ssse3, &Sse4, &Avx2, &Avx3}};
  ForEachVariant([&](int) { EXPECT_EQ(table(), 0); });
  table.Bind(EntriesFor(table.Present(), RunnableTargets{true, true, true, true}));
  const int expected[kVariantCount] = {0, 0, 2, 2, 4, 53};
  ForEachVariant([&](int index) { EXPECT_EQ(table(), expected[index]); });
  EXPECT_EQ(table.BuildOf(Build::kAvx2)(), 52);
}

}  // namespace
}  // namespace ryn::test

namespace ryn::test {
namespace {

// The builds bound at load are those the compiler's own detection says this processor runs.
TEST(RunnableTargets, HardwareAgreesWithTheCompilersDetection) {
  const RunnableTargets& t = HardwareTargets();
  EXPECT_EQ(t.ssse3, __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("sse3"));
  if (t.avx2) {
    EXPECT_TRUE(__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"));
  }
  if (t.avx3) {
    EXPECT_TRUE(__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl"));
  }
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
      __builtin_cpu_supports("avx512dq")) {
    EXPECT_TRUE(t.avx3);
  }
}

}  // namespace
}  // namespace ryn::test
