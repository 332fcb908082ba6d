// A one-line progress bar redrawn in place: frames done, percentage, frames per second.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace ryn::privacy_mask {

// The bar's text for `done` of `total` frames (total unknown: no bar, no percentage).
std::string ProgressLine(int64_t done, std::optional<int64_t> total, double framesPerSecond);

class ProgressBar {
 public:
  // Draws nothing unless enabled (the caller enables it on terminals only).
  ProgressBar(std::ostream& out, bool enabled);

  // Redraws at most ten times a second.
  void Update(int64_t done, std::optional<int64_t> total);
  // Draws the last state and ends the line.
  void Finish();
  // Ends the line if a bar is on it, so that a message can follow.
  void Interrupt();

 private:
  using Clock = std::chrono::steady_clock;
  void Draw();

  std::ostream& out_;
  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDraw_{};
  int64_t done_ = 0;
  std::optional<int64_t> total_;
};

}  // namespace ryn::privacy_mask
