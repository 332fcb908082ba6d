#include "mask_video.h"

#include <filesystem>
#include <system_error>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "contact_sheet.h"
#include "tool_error.h"
#include "zone_masker.h"

namespace ryn::privacy_mask {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool IsImagePattern(const std::string& input) { return input.find('%') != std::string::npos; }

cv::VideoCapture OpenInput(const Options& options) {
  const std::string& input = options.input;
  std::error_code error;
  if (!IsImagePattern(input) && !fs::exists(input, error)) {
    if (options.inputIsDefaultClip)
      throw ToolError("the default clip " + input + " is missing: run scripts/demo once, or give a video");
    throw ToolError("cannot open '" + input + "': no such file");
  }
  if (fs::is_directory(input, error))
    throw ToolError("cannot open '" + input + "': it is a directory (give a video or a pattern such as dir/%04d.png)");
  // FFmpeg reads every video format Debian's OpenCV knows; naming the backend keeps OpenCV from
  // trying each of its others on a file that is no video.
  cv::VideoCapture capture;
  if (!capture.open(input, IsImagePattern(input) ? cv::CAP_IMAGES : cv::CAP_FFMPEG))
    throw ToolError("cannot open '" + input + "': not a video or image sequence that OpenCV can read");
  return capture;
}

std::optional<int64_t> ExpectedFrames(const cv::VideoCapture& capture, std::optional<int64_t> limit) {
  const double count = capture.get(cv::CAP_PROP_FRAME_COUNT);
  if (!(count >= 1 && count < 1e12)) return std::nullopt;
  const int64_t frames = static_cast<int64_t>(count);
  return limit ? std::min(frames, *limit) : frames;
}

double FramesPerSecond(const cv::VideoCapture& capture) {
  const double fps = capture.get(cv::CAP_PROP_FPS);
  return fps > 0 && fps < 1000 ? fps : 25.0;
}

// Video backends deliver BGR; image sequences may hold grey or BGRA images.
void ToBgr(cv::Mat& image) {
  if (image.depth() != CV_8U) throw ToolError("cannot mask frames of more than 8 bits per sample");
  if (image.channels() == 1) cv::cvtColor(image, image, cv::COLOR_GRAY2BGR);
  if (image.channels() == 4) cv::cvtColor(image, image, cv::COLOR_BGRA2BGR);
  if (image.channels() != 3) throw ToolError("cannot mask frames of " + std::to_string(image.channels()) + " channels");
}

void CreateDirectory(const std::string& directory) {
  std::error_code error;
  fs::create_directories(directory, error);
  if (error || !fs::is_directory(directory))
    throw ToolError("cannot create output directory '" + directory + "': " +
                    (error ? error.message() : std::string("a file of that name exists")));
}

std::string SizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

}  // namespace

std::string OutputStem(const std::string& input) {
  const fs::path path(input);
  if (IsImagePattern(input)) {
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

  cv::VideoCapture capture = OpenInput(options);
  const std::optional<int64_t> total = ExpectedFrames(capture, options.frameLimit);
  cv::Mat original;
  if (!capture.read(original) || original.empty())
    throw ToolError("cannot read a frame from '" + options.input + "'");
  const FrameSize size{original.cols, original.rows};
  if (size.width % 2 != 0 || size.height % 2 != 0)
    throw ToolError("cannot mask " + SizeText(size.width, size.height) +
                    " frames: 4:2:0 frames need an even width and height");

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
  ContactSheet sheet;
  cv::VideoWriter writer;
  cv::Mat masked;

  int64_t done = 0;
  do {
    if (original.cols != size.width || original.rows != size.height)
      throw ToolError("frame " + std::to_string(done) + " is " + SizeText(original.cols, original.rows) +
                      ", the first was " + SizeText(size.width, size.height));
    ToBgr(original);
    frame.FromBgr(original);
    if (unmasked) unmasked->CopyFrom(frame);
    masker.Mask(frame);
    if (hooks.frameMasked) hooks.frameMasked(done, *unmasked, frame);
    frame.ToBgr(masked);

    // Opened only once the first frame is masked, so that a refused zone leaves no file behind.
    if (!writer.isOpened()) {
      CreateDirectory(options.outputDirectory);
      if (!writer.open(summary.videoPath, cv::CAP_OPENCV_MJPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'),
                       FramesPerSecond(capture), cv::Size(size.width, size.height)))
        throw ToolError("cannot write '" + summary.videoPath + "'");
    }
    writer.write(masked);
    sheet.Offer(done, original, masked);
    ++done;
    if (hooks.progress) hooks.progress(done, total);
  } while ((!options.frameLimit || done < *options.frameLimit) && capture.read(original) && !original.empty());
  writer.release();

  if (!cv::imwrite(summary.contactSheetPath, sheet.Compose(summary.zones)))
    throw ToolError("cannot write '" + summary.contactSheetPath + "'");

  summary.frames = done;
  summary.libraryTime = masker.libraryTime();
  summary.totalTime = Clock::now() - start;
  return summary;
}

}  // namespace ryn::privacy_mask
