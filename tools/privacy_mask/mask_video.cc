#include "mask_video.h"

#include <filesystem>
#include <memory>

#include <opencv2/imgcodecs.hpp>

#include "box_masker.h"
#include "boxes_csv.h"
#include "contact_sheet.h"
#include "frame_source.h"
#include "masked_video_writer.h"
#include "motion_boxes.h"
#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Learns the background from the first frames before any is masked, reading them once per
// warm-up pass. Returns the number of frames read in a pass.
int64_t WarmUp(MotionBoxes& motion, const Options& options, FrameSize size) {
  if (options.motion.warmUpFrames == 0) return 0;
  Options ahead = options;
  ahead.frameLimit = options.motion.warmUpFrames;
  TwoPlaneFrame frame(size.width, size.height);
  cv::Mat bgr;
  int64_t frames = 0;
  for (int pass = 0; pass < 2; ++pass) {
    FrameSource source(ahead);
    for (frames = 0; source.Next(bgr); ++frames) {
      frame.FromBgr(bgr);
      motion.WarmUp(frame, pass);
    }
  }
  return frames;
}

std::vector<MaskedBox> Tagged(const std::vector<Zone>& boxes, BoxSource source) {
  std::vector<MaskedBox> tagged;
  for (const Zone& box : boxes) tagged.push_back(MaskedBox{box, source});
  return tagged;
}

MaskRunSummary StartSummary(const Options& options, const MaskExport& maskExport) {
  MaskRunSummary summary;
  summary.input = options.input;
  summary.maskExport = &maskExport;
  summary.processingMode = options.processingMode;
  summary.detectMotion = options.detectMotion;
  summary.motion = options.motion;
  summary.boxesPath = options.boxesPath;
  summary.contactSheetPath =
      (fs::path(options.outputDirectory) / (OutputStem(options.input) + "_contact.png")).string();
  return summary;
}

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

  MaskRunSummary summary = StartSummary(options, *maskExport);
  FrameSource source(options);
  const FrameSize size = source.size();
  summary.frameSize = size;
  summary.framesPerSecond = source.framesPerSecond();
  ZonePlacement placement = PlaceZones(options.zones, size, options.blockSize);
  if (hooks.note)
    for (const std::string& note : placement.notes) hooks.note(note);
  summary.zones = placement.zones;
  const std::vector<MaskedBox> zoneBoxes = Tagged(placement.zones, BoxSource::kZone);

  std::unique_ptr<MotionBoxes> motion;
  if (options.detectMotion) {
    motion = std::make_unique<MotionBoxes>(size, options.motion, SmallestBox(*maskExport, options.processingMode));
    const Clock::time_point warmUpStart = Clock::now();
    summary.warmUpFrames = WarmUp(*motion, options, size);
    summary.warmUpTime = Clock::now() - warmUpStart;
  }

  BoxMasker masker(*maskExport, options.processingMode);
  TwoPlaneFrame frame(size.width, size.height);
  std::unique_ptr<TwoPlaneFrame> unmasked;
  if (hooks.frameMasked) unmasked = std::make_unique<TwoPlaneFrame>(size.width, size.height);
  MaskedVideoWriter writer(options.outputDirectory,
                           (fs::path(options.outputDirectory) / (OutputStem(options.input) + "_masked")).string(),
                           summary.framesPerSecond, hooks.note);
  std::unique_ptr<BoxesCsv> boxesFile;
  if (!options.boxesPath.empty()) boxesFile = std::make_unique<BoxesCsv>(options.boxesPath);
  ContactSheet sheet;
  StageTimes& times = summary.stages;
  cv::Mat original, masked;
  for (int64_t index = 0;; ++index) {
    const bool read = times.Time(Stage::kDecode, [&] {
      if (!source.Next(original)) return false;
      frame.FromBgr(original);
      return true;
    });
    if (!read) break;
    if (unmasked) unmasked->CopyFrom(frame);
    std::vector<MaskedBox> boxes = zoneBoxes;
    std::vector<Zone> moving;
    if (motion) moving = motion->Next(frame, times);
    for (const Zone& box : moving) boxes.push_back(MaskedBox{box, BoxSource::kMotion});
    times.Time(Stage::kMasking, [&] { masker.Mask(frame, boxes); });
    summary.motionBoxes += static_cast<int64_t>(moving.size());
    summary.framesWithMotion += moving.empty() ? 0 : 1;
    if (hooks.frameMasked) hooks.frameMasked(index, *unmasked, frame, boxes);
    times.Time(Stage::kEncode, [&] {
      // The boxes file first: when it cannot be written, no video is left behind either.
      if (boxesFile) boxesFile->Write(index, boxes);
      frame.ToBgr(masked);
      writer.Write(masked);
      sheet.Offer(index, original, masked, moving);
    });
    summary.frames = index + 1;
    if (hooks.progress) hooks.progress(summary.frames, source.expectedFrames());
  }

  if (boxesFile) boxesFile->Close();
  if (masker.fallbacks() > 0 && hooks.note)
    hooks.note(std::to_string(masker.fallbacks()) + " motion boxes were too small for " +
               std::to_string(maskExport->size) + "x" + std::to_string(maskExport->size) + " masking in mode " +
               ModeName(options.processingMode) + ": masked by the portable path, with smaller blocks if need be");
  if (!cv::imwrite(summary.contactSheetPath, sheet.Compose(summary.zones)))
    throw ToolError("cannot write '" + summary.contactSheetPath + "'");
  summary.videoPath = writer.path();
  summary.videoCodec = writer.codec();
  summary.libraryTime = masker.libraryTime();
  summary.totalTime = Clock::now() - start;
  return summary;
}

}  // namespace ryn::privacy_mask
