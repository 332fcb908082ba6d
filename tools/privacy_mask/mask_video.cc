#include "mask_video.h"

#include <filesystem>
#include <system_error>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

#include "contact_sheet.h"
#include "frame_source.h"
#include "tool_error.h"
#include "zone_masker.h"

namespace ryn::privacy_mask {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Opened on the first frame, once it is masked, so that a refused zone leaves no file behind.
class MaskedVideoWriter {
 public:
  MaskedVideoWriter(std::string directory, std::string path, double framesPerSecond)
      : directory_(std::move(directory)), path_(std::move(path)), framesPerSecond_(framesPerSecond) {}

  void Write(const cv::Mat& frame) {
    if (!writer_.isOpened()) Open(frame.size());
    writer_.write(frame);
  }

 private:
  void Open(cv::Size size) {
    std::error_code error;
    fs::create_directories(directory_, error);
    if (error || !fs::is_directory(directory_))
      throw ToolError("cannot create output directory '" + directory_ + "': " +
                      (error ? error.message() : std::string("a file of that name exists")));
    if (!writer_.open(path_, cv::CAP_OPENCV_MJPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), framesPerSecond_,
                      size))
      throw ToolError("cannot write '" + path_ + "'");
  }

  std::string directory_;
  std::string path_;
  double framesPerSecond_;
  cv::VideoWriter writer_;
};

}  // namespace

std::string OutputStem(const std::string& input) {
  const fs::path path(input);
  if (input.find('%') != std::string::npos) {
    const std::string folder = fs::absolute(path).parent_path().filename().string();
    return folder.empty() ? "frames" : folder;
  }
  return path.stem().string();
}

MaskRunSummary MaskVideo(const Options& options, const MaskRunHooks& hooks) {
  const Clock::time_point start = Clock::now();
  const MaskExport* maskExport = FindMaskExport(options.effect, options.blockSize);
  if (maskExport == nullptr)
    throw UsageError("no " + std::string(EffectName(options.effect)) + " export of size " +
                     std::to_string(options.blockSize));

  FrameSource source(options);
  const FrameSize size = source.size();
  ZonePlacement placement = PlaceZones(options.zones, size, options.blockSize);
  if (hooks.note)
    for (const std::string& note : placement.notes) hooks.note(note);

  MaskRunSummary summary;
  summary.input = options.input;
  summary.frameSize = size;
  summary.zones = placement.zones;
  summary.maskExport = maskExport;
  summary.processingMode = options.processingMode;
  const std::string stem = OutputStem(options.input);
  summary.videoPath = (fs::path(options.outputDirectory) / (stem + "_masked.avi")).string();
  summary.contactSheetPath = (fs::path(options.outputDirectory) / (stem + "_contact.png")).string();

  ZoneMasker masker(*maskExport, options.processingMode, std::move(placement.zones));
  TwoPlaneFrame frame(size.width, size.height);
  std::optional<TwoPlaneFrame> unmasked;
  if (hooks.frameMasked) unmasked.emplace(size.width, size.height);
  MaskedVideoWriter writer(options.outputDirectory, summary.videoPath, source.framesPerSecond());
  ContactSheet sheet;
  cv::Mat original, masked;
  for (int64_t index = 0; source.Next(original); ++index) {
    frame.FromBgr(original);
    if (unmasked) unmasked->CopyFrom(frame);
    masker.Mask(frame);
    if (hooks.frameMasked) hooks.frameMasked(index, *unmasked, frame);
    frame.ToBgr(masked);
    writer.Write(masked);
    sheet.Offer(index, original, masked);
    summary.frames = index + 1;
    if (hooks.progress) hooks.progress(summary.frames, source.expectedFrames());
  }

  if (!cv::imwrite(summary.contactSheetPath, sheet.Compose(summary.zones)))
    throw ToolError("cannot write '" + summary.contactSheetPath + "'");
  summary.libraryTime = masker.libraryTime();
  summary.totalTime = Clock::now() - start;
  return summary;
}

}  // namespace ryn::privacy_mask
