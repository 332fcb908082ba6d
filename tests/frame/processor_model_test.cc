// What the processor the tests run on (the host or an emulated model) was given at load: the
// variant index, the build of the selected entry, and no entry calling a build it cannot run.
// The expectations come from RYN_EXPECT_VARIANT (an index) and RYN_EXPECT_BUILD (a build name),
// which scripts/processor-models sets per model; without them these tests are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "frame/build.h"
#include "frame/dispatch.h"
#include "frame/targets.h"
#include "frame/variant.h"
#include "primitives/fill/fill.h"

namespace ryn::test {
namespace {

const char* Expectation(const char* name) { return std::getenv(name); }

TEST(ProcessorModel, LoadSelectedTheExpectedVariantIndex) {
  const char* expected = Expectation("RYN_EXPECT_VARIANT");
  if (expected == nullptr) GTEST_SKIP() << "RYN_EXPECT_VARIANT is not set";
  EXPECT_EQ(VariantIndex(), std::atoi(expected));
}

TEST(ProcessorModel, TheSelectedEntryCallsTheExpectedBuild) {
  const char* expected = Expectation("RYN_EXPECT_BUILD");
  if (expected == nullptr) GTEST_SKIP() << "RYN_EXPECT_BUILD is not set";
  // The fill has every build, so its selected entry shows the best build the processor gets.
  EXPECT_STREQ(BuildName(fill::Set8u.BuildAt(VariantIndex())), expected);
}

TEST(ProcessorModel, NoEntryCallsABuildTheProcessorCannotRun) {
  if (Expectation("RYN_EXPECT_VARIANT") == nullptr) GTEST_SKIP() << "RYN_EXPECT_VARIANT is not set";
  int tables = 0;
  for (const DispatchRegistration* r = DispatchRegistration::First(); r != nullptr; r = r->Next(), ++tables) {
    for (int index = 0; index < kVariantCount; ++index) {
      const Build build = r->EntryBuild(index);
      EXPECT_TRUE(CanRun(build, HardwareTargets())) << "table " << tables << ", entry " << index << ": "
                                                    << BuildName(build);
    }
  }
  EXPECT_GT(tables, 100);
}

}  // namespace
}  // namespace ryn::test
