// Tables defined by RYN_DISPATCH are bound at load and can be routed to one build by name.
#include <gtest/gtest.h>

#include "frame/build.h"
#include "primitives/fill/fill.h"
#include "support/builds.h"
#include "support/variants.h"

namespace ryn::test {
namespace {

TEST(Dispatch, TablesAreBoundAtLoadToTheBuildsTheProcessorRuns) {
  const auto entries = EntriesFor(fill::Set8u.Present(), HardwareTargets());
  for (int i = 0; i < kVariantCount; ++i) EXPECT_EQ(fill::Set8u.Entry(i), fill::Set8u.BuildOf(entries[i])) << i;
  EXPECT_EQ(fill::Set8u.Entry(0), fill::Set8u.BuildOf(Build::kGeneric));
}

TEST(Dispatch, EveryKernelFileHasEveryTargetBuild) {
  for (Build b : kAllBuilds) EXPECT_NE(fill::Set8u.BuildOf(b), nullptr) << BuildName(b);
}

TEST(Dispatch, ScopedBuildRoutesEveryIndexToTheBuildAndRestores) {
  const auto before = fill::Set8u.Entry(5);
  for (Build b : RunnableBuilds()) {
    ScopedBuild scoped(b);
    ForEachVariant([&](int index) { EXPECT_EQ(fill::Set8u.Entry(index), fill::Set8u.BuildOf(b)) << index; });
  }
  EXPECT_EQ(fill::Set8u.Entry(5), before);
}

}  // namespace
}  // namespace ryn::test
