#include "run_tool.h"

#include <cstdio>
#include <exception>
#include <optional>

#include <opencv2/core.hpp>
#include <opencv2/core/utils/logger.hpp>

#include "progress_bar.h"
#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

constexpr const char* kProgram = "ryn-privacy-mask";

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

namespace {

double Milliseconds(std::chrono::nanoseconds time) { return std::chrono::duration<double, std::milli>(time).count(); }

std::string PerFrame(std::chrono::nanoseconds time, int64_t frames) {
  return Fixed(frames > 0 ? Milliseconds(time) / static_cast<double>(frames) : 0, 3);
}

std::string FramesPerSecond(std::chrono::nanoseconds time, int64_t frames) {
  const double seconds = std::chrono::duration<double>(time).count();
  return Fixed(seconds > 0 ? static_cast<double>(frames) / seconds : 0, 0);
}

void PrintMotion(const MaskRunSummary& summary, std::ostream& out) {
  const MotionSettings& motion = summary.motion;
  out << "  motion         " << summary.motionBoxes << " boxes in " << summary.framesWithMotion << " frames, warm-up "
      << summary.warmUpFrames << " frames (" << Fixed(std::chrono::duration<double>(summary.warmUpTime).count(), 2)
      << " s)\n"
      << "  detection      learning rate " << motion.learningRate << ", threshold " << motion.threshold
      << ", min area " << motion.minimumArea << ", margin " << motion.margin << ", hold " << motion.holdFrames
      << "\n";
}

// Every stage per frame; then the stages between decoding and encoding together, the part a VCA
// component runs on frames it already has.
void PrintStages(const MaskRunSummary& summary, std::ostream& out) {
  out << "  stage          ms/frame  frames/s\n";
  std::chrono::nanoseconds pipeline{0};
  for (int i = 0; i < kStageCount; ++i) {
    const Stage stage = static_cast<Stage>(i);
    const std::chrono::nanoseconds time = summary.stages[stage];
    if (stage != Stage::kDecode && stage != Stage::kEncode) pipeline += time;
    char line[96];
    std::snprintf(line, sizeof line, "    %-12s %8s %9s\n", std::string(StageName(stage)).c_str(),
                  PerFrame(time, summary.frames).c_str(), FramesPerSecond(time, summary.frames).c_str());
    out << line;
  }
  const double seconds = std::chrono::duration<double>(pipeline).count();
  const double rate = seconds > 0 ? static_cast<double>(summary.frames) / seconds : 0;
  out << "  pipeline       " << PerFrame(pipeline, summary.frames) << " ms/frame, " << Fixed(rate, 0)
      << " frames/s without decode and encode (" << Fixed(rate / summary.framesPerSecond, 1) << "x real time at "
      << Fixed(summary.framesPerSecond, 0) << " frames/s)\n";
}

}  // namespace

void PrintSummary(const MaskRunSummary& summary, std::ostream& out) {
  const double seconds = std::chrono::duration<double>(summary.totalTime).count();
  const double libraryMilliseconds = Milliseconds(summary.libraryTime);
  const double frames = static_cast<double>(summary.frames);
  std::string zones;
  for (const Zone& zone : summary.zones) zones += "  " + ToString(zone);

  out << "Masked " << summary.frames << (summary.frames == 1 ? " frame of " : " frames of ")
      << summary.frameSize.width << "x" << summary.frameSize.height << " from " << summary.input << "\n"
      << "  zones          " << (zones.empty() ? "none" : std::to_string(summary.zones.size()) + " (x,y,w,h):" + zones)
      << "\n";
  if (summary.detectMotion) PrintMotion(summary, out);
  out << "  effect         " << EffectName(summary.maskExport->effect) << " " << summary.maskExport->size << "x"
      << summary.maskExport->size << " with " << summary.maskExport->name << ", mode "
      << ModeName(summary.processingMode) << "\n";
  PrintStages(summary, out);
  out << "  total time     " << Fixed(seconds, 2) << " s (" << Fixed(seconds > 0 ? frames / seconds : 0, 1)
      << " frames/s, warm-up, decoding and encoding included)\n"
      << "  masking calls  " << Fixed(frames > 0 ? libraryMilliseconds / frames : 0, 3)
      << " ms per frame in the library (" << Fixed(libraryMilliseconds, 2) << " ms in all)\n"
      << "  masked video   " << summary.videoPath << " (" << summary.videoCodec << ")\n";
  if (!summary.boxesPath.empty()) out << "  boxes          " << summary.boxesPath << "\n";
  out << "  contact sheet  " << summary.contactSheetPath << "\n";
}

int RunTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, bool errIsTerminal) {
  // OpenCV's own warnings (a backend failing to open a file, ...) would break the one-line
  // messages; the tool says what went wrong itself.
  cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
  std::optional<ProgressBar> progress;
  const auto fail = [&](const std::string& message, int code) {
    if (progress) progress->Interrupt();
    err << kProgram << ": " << message << "\n";
    return code;
  };
  try {
    const Options options = ParseOptions(arguments);
    if (options.showHelp) {
      out << UsageText();
      return kExitSuccess;
    }
    progress.emplace(err, options.showProgress && errIsTerminal);
    MaskRunHooks hooks;
    hooks.note = [&](const std::string& note) { err << kProgram << ": note: " << note << "\n"; };
    hooks.progress = [&](int64_t done, std::optional<int64_t> total) { progress->Update(done, total); };
    const MaskRunSummary summary = MaskVideo(options, hooks);
    progress->Finish();
    PrintSummary(summary, out);
    return kExitSuccess;
  } catch (const UsageError& error) {
    return fail(std::string(error.what()) + " (see --help)", kExitUsage);
  } catch (const ToolError& error) {
    return fail(error.what(), kExitFailure);
  } catch (const cv::Exception& error) {
    return fail("OpenCV failed in " + error.func + ": " + error.err, kExitFailure);
  } catch (const std::exception& error) {
    return fail(error.what(), kExitFailure);
  }
}

}  // namespace ryn::privacy_mask
