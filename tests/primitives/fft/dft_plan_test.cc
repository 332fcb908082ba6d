// The one-dimensional DFT plans of every length: against a direct DFT in double, and every build
// against the generic one.
#include <gtest/gtest.h>

#include <vector>

#include "fft_test_support.h"
#include "primitives/fft/fft.h"
#include "support/builds.h"

namespace ryn::test {
namespace {

using fft::Direction;

// A plan with its work buffer.
class Plan {
 public:
  explicit Plan(int length) {
    EXPECT_EQ(fft::CreateDftPlan(length, &plan_), ippStsNoErr);
    int64_t bytes = 0;
    EXPECT_EQ(fft::DftWorkBytes(plan_, &bytes), ippStsNoErr);
    work_.resize(static_cast<size_t>(bytes));
  }
  ~Plan() { EXPECT_EQ(fft::ReleaseDftPlan(plan_), ippStsNoErr); }
  Plan(const Plan&) = delete;
  Plan& operator=(const Plan&) = delete;

  std::vector<Ipp32fc> Run(const std::vector<Ipp32fc>& input, Direction direction) {
    std::vector<Ipp32fc> output(input.size());
    EXPECT_EQ(fft::TransformDft(plan_, input.data(), output.data(), work_.empty() ? nullptr : work_.data(), direction),
              ippStsNoErr);
    return output;
  }
  fft::DftPlan* get() { return plan_; }

 private:
  fft::DftPlan* plan_ = nullptr;
  std::vector<uint8_t> work_;
};

Complexes Scaled(Complexes v, double s) {
  for (auto& z : v) z *= s;
  return v;
}

// Forward results are divided by the length, inverse results are not; the directions take turns.
TEST(DftPlan, EveryLengthTo300AgreesWithTheDirectSum) {
  for (int n = 1; n <= 300; ++n) {
    SCOPED_TRACE(n);
    Plan plan(n);
    const std::vector<Ipp32fc> input = RandomComplexes(static_cast<size_t>(n), static_cast<uint32_t>(n));
    const Complexes exact = ToDouble(input);
    if (n % 2 == 0) {
      EXPECT_LE(RelativeError(plan.Run(input, Direction::kForward), Scaled(ReferenceDft(exact, -1), 1.0 / n)),
                TransformTolerance(n));
    } else {
      EXPECT_LE(RelativeError(plan.Run(input, Direction::kInverse), ReferenceDft(exact, +1)), TransformTolerance(n));
    }
  }
}

TEST(DftPlan, LargerLengthsOfEveryKind) {
  // Powers of two, the radices 2 to 5 mixed, primes summed directly inside a factorisation (with
  // their values in the work buffer from 17 on).
  for (int n : {1024, 1000, 3 * 7 * 11, 4 * 17}) {
    SCOPED_TRACE(n);
    Plan plan(n);
    const std::vector<Ipp32fc> input = RandomComplexes(static_cast<size_t>(n), static_cast<uint32_t>(n));
    EXPECT_LE(RelativeError(plan.Run(input, Direction::kInverse), ReferenceDft(ToDouble(input), +1)),
              TransformTolerance(n));
  }
}

TEST(DftPlan, InPlaceEqualsOutOfPlace) {
  for (int n : {7, 16, 32, 60, 64, 1000}) {
    SCOPED_TRACE(n);
    Plan plan(n);
    std::vector<Ipp32fc> data = RandomComplexes(static_cast<size_t>(n), 5);
    const std::vector<Ipp32fc> expected = plan.Run(data, Direction::kForward);
    int64_t bytes = 0;
    fft::DftWorkBytes(plan.get(), &bytes);
    std::vector<uint8_t> work(static_cast<size_t>(bytes));
    ASSERT_EQ(fft::TransformDft(plan.get(), data.data(), data.data(), work.data(), Direction::kForward), ippStsNoErr);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(SameBits(data[i], expected[i])) << i;
  }
}

TEST(DftPlan, BuildsMatchGeneric) {
  for (int n : {1, 2, 5, 8, 12, 17, 18, 30, 32, 36, 48, 64, 100, 128, 243, 250, 256, 500, 512, 1000, 2048}) {
    SCOPED_TRACE(n);
    Plan plan(n);
    const std::vector<Ipp32fc> input = RandomComplexes(static_cast<size_t>(n), 7);
    for (Direction direction : {Direction::kForward, Direction::kInverse}) {
      ExpectBuildsMatchGeneric([&](Build) {
        return SnapshotOf(plan.Run(input, direction));
      });
    }
  }
}

TEST(DftPlan, BadArguments) {
  fft::DftPlan* plan = nullptr;
  EXPECT_EQ(fft::CreateDftPlan(0, &plan), ippStsSizeErr);
  EXPECT_EQ(plan, nullptr);
  Plan valid(20);
  Ipp32fc value{1, 2};
  EXPECT_EQ(fft::TransformDft(nullptr, &value, &value, nullptr, Direction::kForward), ippStsNullPtrErr);
  EXPECT_EQ(fft::TransformDft(valid.get(), nullptr, &value, nullptr, Direction::kForward), ippStsNullPtrErr);
  valid.get()->identifier = fft::kFft2DIdentifier;
  EXPECT_EQ(fft::TransformDft(valid.get(), &value, &value, nullptr, Direction::kForward), ippStsContextMatchErr);
  EXPECT_EQ(fft::ReleaseDftPlan(valid.get()), ippStsContextMatchErr);
  valid.get()->identifier = fft::kDftPlanIdentifier;
  EXPECT_TRUE(SameBits(value, Ipp32fc{1, 2}));
}

}  // namespace
}  // namespace ryn::test
