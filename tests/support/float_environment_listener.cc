// With RYN_TEST_MXCSR=<hex> in the environment, every test starts with that MXCSR value (another
// rounding mode, flush-to-zero, denormals-are-zero), so the whole suite, the comparisons of every
// build with the generic code included, runs as in a caller that set it. A test that returns with
// other MXCSR controls than it started with fails: the library gives the caller's settings back.
// Without the variable nothing changes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iomanip>

#include "support/float_environment.h"

#ifdef RYN_HAS_MXCSR
namespace ryn::test {
namespace {

class MxcsrPerTest final : public ::testing::EmptyTestEventListener {
 public:
  explicit MxcsrPerTest(unsigned value) : value_(value) {}

  void OnTestStart(const ::testing::TestInfo&) override {
    saved_ = _mm_getcsr();
    _mm_setcsr(value_);
  }
  // Listeners hear of a test's end before the result printer does, so a failure added here is
  // reported with the test.
  void OnTestEnd(const ::testing::TestInfo&) override {
    const unsigned controls = MxcsrControls();
    _mm_setcsr(saved_);
    if (controls != (value_ & StandardFloatEnvironment::kControlBits)) {
      ADD_FAILURE() << std::hex << std::showbase << "the test started with MXCSR " << value_
                    << " and ended with controls " << controls;
    }
  }

 private:
  unsigned value_;
  unsigned saved_ = 0;
};

bool InstallFromEnvironment() {
  const char* text = std::getenv("RYN_TEST_MXCSR");
  if (text == nullptr || *text == '\0') return false;
  const auto value = static_cast<unsigned>(std::strtoul(text, nullptr, 16));
  ::testing::UnitTest::GetInstance()->listeners().Append(new MxcsrPerTest(value));
  return true;
}

[[maybe_unused]] const bool g_installed = InstallFromEnvironment();

}  // namespace
}  // namespace ryn::test
#endif
