#include "progress_bar.h"

#include <algorithm>
#include <cstdio>

namespace ryn::privacy_mask {

std::string ProgressLine(int64_t done, std::optional<int64_t> total, double framesPerSecond) {
  constexpr int kBarWidth = 30;
  char numbers[96];
  if (!total || *total <= 0) {
    std::snprintf(numbers, sizeof numbers, "%lld frames  %.1f fps", static_cast<long long>(done), framesPerSecond);
    return numbers;
  }
  const double fraction = std::clamp(static_cast<double>(done) / static_cast<double>(*total), 0.0, 1.0);
  const int filled = static_cast<int>(fraction * kBarWidth);
  std::snprintf(numbers, sizeof numbers, " %lld/%lld frames  %5.1f%%  %.1f fps", static_cast<long long>(done),
                static_cast<long long>(*total), fraction * 100.0, framesPerSecond);
  std::string line(1, '[');
  line.append(filled, '#').append(kBarWidth - filled, '.').append(1, ']').append(numbers);
  return line;
}

ProgressBar::ProgressBar(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}

void ProgressBar::Update(int64_t done, std::optional<int64_t> total) {
  done_ = done;
  total_ = total;
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  Draw();
}

void ProgressBar::Finish() {
  if (!enabled_) return;
  Draw();
  Interrupt();
}

void ProgressBar::Interrupt() {
  if (!drawn_) return;
  out_ << '\n' << std::flush;
  drawn_ = false;
}

void ProgressBar::Draw() {
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  const double framesPerSecond = seconds > 0 ? static_cast<double>(done_) / seconds : 0.0;
  // Clearing to the end of the line keeps a shorter line from leaving characters behind.
  out_ << '\r' << ProgressLine(done_, total_, framesPerSecond) << "\x1b[K" << std::flush;
  drawn_ = true;
}

}  // namespace ryn::privacy_mask
