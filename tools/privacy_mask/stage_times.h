// Time spent in each stage of the run, summed over the frames.
#pragma once

#include <array>
#include <chrono>
#include <string_view>

namespace ryn::privacy_mask {

enum class Stage { kDecode, kBackground, kMask, kMorphology, kLabelling, kMasking, kEncode };
inline constexpr int kStageCount = 7;

// "decode", "background", ... as printed in the summary.
std::string_view StageName(Stage stage);

class StageTimes {
 public:
  using Clock = std::chrono::steady_clock;

  // Runs `work` and adds its duration to the stage; returns what `work` returns.
  template <class Work>
  auto Time(Stage stage, Work&& work) {
    const Clock::time_point start = Clock::now();
    struct AddOnExit {
      StageTimes& times;
      Stage stage;
      Clock::time_point start;
      ~AddOnExit() { times.Add(stage, Clock::now() - start); }
    } addOnExit{*this, stage, start};
    return work();
  }

  void Add(Stage stage, std::chrono::nanoseconds time) { times_[static_cast<size_t>(stage)] += time; }
  std::chrono::nanoseconds operator[](Stage stage) const { return times_[static_cast<size_t>(stage)]; }

 private:
  std::array<std::chrono::nanoseconds, kStageCount> times_{};
};

}  // namespace ryn::privacy_mask
