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

void PrintSummary(const MaskRunSummary& summary, std::ostream& out) {
  const double seconds = std::chrono::duration<double>(summary.totalTime).count();
  const double libraryMilliseconds = std::chrono::duration<double, std::milli>(summary.libraryTime).count();
  const double frames = static_cast<double>(summary.frames);
  std::string zones;
  for (const Zone& zone : summary.zones) zones += "  " + ToString(zone);

  out << "Masked " << summary.frames << (summary.frames == 1 ? " frame of " : " frames of ")
      << summary.frameSize.width << "x" << summary.frameSize.height << " from " << summary.input << "\n"
      << "  zones          " << summary.zones.size() << " (x,y,w,h):" << zones << "\n"
      << "  effect         " << EffectName(summary.maskExport->effect) << " " << summary.maskExport->size << "x"
      << summary.maskExport->size << " with " << summary.maskExport->name << ", mode "
      << ModeName(summary.processingMode) << "\n"
      << "  total time     " << Fixed(seconds, 2) << " s (" << Fixed(seconds > 0 ? frames / seconds : 0, 1)
      << " frames/s, decoding and encoding included)\n"
      << "  masking calls  " << Fixed(frames > 0 ? libraryMilliseconds / frames : 0, 3)
      << " ms per frame in the library (" << Fixed(libraryMilliseconds, 2) << " ms in all)\n"
      << "  masked video   " << summary.videoPath << "\n"
      << "  contact sheet  " << summary.contactSheetPath << "\n";
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
