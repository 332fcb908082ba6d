#include "options.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string_view>

#include "tool_error.h"

namespace ryn::privacy_mask {
namespace {

constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();

int64_t ParseCount(std::string_view option, std::string_view text, int64_t smallest,
                   int64_t largest = std::numeric_limits<int32_t>::max()) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || value < smallest || value > largest)
    throw UsageError("bad " + std::string(option) + " '" + std::string(text) + "': expected an integer " +
                     (largest == kNoLimit ? "of at least " + std::to_string(smallest)
                                          : "from " + std::to_string(smallest) + " to " + std::to_string(largest)));
  return value;
}

// A number in (0, 1].
double ParseRate(std::string_view option, std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !(value > 0 && value <= 1))
    throw UsageError("bad " + std::string(option) + " '" + std::string(text) +
                     "': expected a number above 0 and at most 1");
  return value;
}

std::string NumberText(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

Effect ParseEffect(std::string_view text) {
  if (text == "pixelate") return Effect::kPixelate;
  if (text == "blur") return Effect::kBlur;
  throw UsageError("bad --effect '" + std::string(text) + "': expected pixelate or blur");
}

int ParseMode(std::string_view text) {
  if (text == "auto" || text == "0") return 0;
  if (text == "portable" || text == "1") return 1;
  if (text == "vector" || text == "2") return 2;
  throw UsageError("bad --mode '" + std::string(text) + "': expected auto, portable or vector");
}

// Walks the arguments: "--name value", "--name=value", "-n value", and positional arguments.
class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  bool Next() {
    if (index_ >= arguments_.size()) return false;
    std::string_view argument = arguments_[index_++];
    attachedValue_.reset();
    isOption_ = !onlyPositionals_ && argument.size() > 1 && argument[0] == '-';
    if (isOption_ && argument == "--") {
      onlyPositionals_ = true;
      return Next();
    }
    if (isOption_ && argument.starts_with("--")) {
      if (const size_t equals = argument.find('='); equals != std::string_view::npos) {
        attachedValue_ = argument.substr(equals + 1);
        argument = argument.substr(0, equals);
      }
    }
    current_ = argument;
    return true;
  }

  bool IsOption() const { return isOption_; }
  std::string_view Current() const { return current_; }
  bool Is(std::string_view longName, std::string_view shortName = {}) const {
    return current_ == longName || (!shortName.empty() && current_ == shortName);
  }

  std::string_view Value() {
    if (attachedValue_) return *attachedValue_;
    if (index_ >= arguments_.size()) throw UsageError("option " + std::string(current_) + " needs a value");
    return arguments_[index_++];
  }

  void ExpectNoValue() const {
    if (attachedValue_) throw UsageError("option " + std::string(current_) + " takes no value");
  }

 private:
  const std::vector<std::string>& arguments_;
  size_t index_ = 0;
  std::string_view current_;
  std::optional<std::string_view> attachedValue_;
  bool isOption_ = false;
  bool onlyPositionals_ = false;
};

}  // namespace

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  std::optional<int64_t> blockSize;
  std::optional<bool> motion;
  ArgumentReader reader(arguments);
  while (reader.Next()) {
    if (!reader.IsOption()) {
      if (!options.input.empty())
        throw UsageError("more than one input: '" + options.input + "' and '" + std::string(reader.Current()) + "'");
      options.input = reader.Current();
    } else if (reader.Is("--zone", "-z")) {
      options.zones.push_back(ParseZone(reader.Value()));
    } else if (reader.Is("--effect", "-e")) {
      options.effect = ParseEffect(reader.Value());
    } else if (reader.Is("--block", "-b")) {
      blockSize = ParseCount("--block", reader.Value(), 1, kNoLimit);
    } else if (reader.Is("--mode", "-m")) {
      options.processingMode = ParseMode(reader.Value());
    } else if (reader.Is("--frames", "-n")) {
      options.frameLimit = ParseCount("--frames", reader.Value(), 1, kNoLimit);
    } else if (reader.Is("--output-dir", "-o")) {
      options.outputDirectory = reader.Value();
      if (options.outputDirectory.empty()) throw UsageError("bad --output-dir: empty");
    } else if (reader.Is("--motion") || reader.Is("--no-motion")) {
      reader.ExpectNoValue();
      motion = reader.Is("--motion");
    } else if (reader.Is("--learning-rate")) {
      options.motion.learningRate = ParseRate("--learning-rate", reader.Value());
    } else if (reader.Is("--threshold")) {
      options.motion.threshold = static_cast<int>(ParseCount("--threshold", reader.Value(), 0, 254));
    } else if (reader.Is("--min-area")) {
      options.motion.minimumArea = ParseCount("--min-area", reader.Value(), 1);
    } else if (reader.Is("--margin")) {
      options.motion.margin = ParseCount("--margin", reader.Value(), 0, 4096);
    } else if (reader.Is("--hold")) {
      options.motion.holdFrames = ParseCount("--hold", reader.Value(), 0);
    } else if (reader.Is("--warm-up")) {
      options.motion.warmUpFrames = ParseCount("--warm-up", reader.Value(), 0);
    } else if (reader.Is("--boxes")) {
      options.boxesPath = reader.Value();
      if (options.boxesPath.empty()) throw UsageError("bad --boxes: empty");
    } else if (reader.Is("--no-progress")) {
      reader.ExpectNoValue();
      options.showProgress = false;
    } else if (reader.Is("--help", "-h")) {
      reader.ExpectNoValue();
      options.showHelp = true;
    } else {
      throw UsageError("unknown option " + std::string(reader.Current()));
    }
  }
  if (options.showHelp) return options;

  const int64_t size = blockSize.value_or(DefaultSize(options.effect));
  if (size > std::numeric_limits<int>::max() || !FindMaskExport(options.effect, static_cast<int>(size)))
    throw UsageError("bad --block " + std::to_string(size) + " for " + std::string(EffectName(options.effect)) +
                     ": expected one of " + SupportedSizes(options.effect));
  options.blockSize = static_cast<int>(size);

  // Motion is what people ask for; given zones, they get what they asked for unless they add
  // --motion.
  options.detectMotion = motion.value_or(options.zones.empty());
  if (options.input.empty()) {
    options.input = DefaultClipPath();
    options.inputIsDefaultClip = true;
    if (options.zones.empty() && !options.detectMotion) options.zones = DefaultClipZones();
  } else if (options.zones.empty() && !options.detectMotion) {
    throw UsageError("nothing to mask: add --zone x,y,w,h or drop --no-motion");
  }
  return options;
}

std::string UsageText() {
  return "Usage: ryn-privacy-mask [options] [INPUT]\n"
         "\n"
         "Masks what moves and fixed privacy zones in a video with the library's two-plane 4:2:0\n"
         "effects and writes the masked video (H.264 .mp4, or MJPG .avi when FFmpeg has no H.264\n"
         "encoder) and a contact sheet (PNG, frames before and after) to the output directory.\n"
         "\n"
         "INPUT is a video file or an image sequence pattern such as frames/%04d.png. Without INPUT\n"
         "the tool masks the surveillance clip cached by scripts/demo:\n"
         "  " + DefaultClipPath() + "\n"
         "\n"
         "Options:\n"
         "  -z, --zone x,y,w,h   a fixed zone in pixels (repeatable); zones reaching outside the\n"
         "                       frame are clipped, zones are widened to even bounds\n"
         "      --motion         mask what moves as well as the zones (the default without --zone)\n"
         "      --no-motion      mask the zones only (on the default clip: three default zones)\n"
         "      --learning-rate R\n"
         "                       share of a still pixel taken into the background per frame,\n"
         "                       above 0, at most 1 (default " + NumberText(MotionSettings{}.learningRate) + ")\n"
         "      --threshold T    luma difference above which a pixel moves, 0 to 254 (default " +
         std::to_string(MotionSettings{}.threshold) + ")\n"
         "      --min-area N     smallest moving blob masked, in pixels (default " +
         std::to_string(MotionSettings{}.minimumArea) + ")\n"
         "      --margin N       pixels added around every moving blob (default " +
         std::to_string(MotionSettings{}.margin) + ")\n"
         "      --hold N         frames a box stays masked after its motion stops (default " +
         std::to_string(MotionSettings{}.holdFrames) + ")\n"
         "      --warm-up N      frames read ahead to learn the background (default " +
         std::to_string(MotionSettings{}.warmUpFrames) + ")\n"
         "      --boxes FILE     write every masked rectangle as CSV: frame,x,y,width,height,source\n"
         "  -e, --effect NAME    pixelate (default) or blur\n"
         "  -b, --block N        block size of pixelate: " + SupportedSizes(Effect::kPixelate) + " (default " +
         std::to_string(DefaultSize(Effect::kPixelate)) + ")\n"
         "                       window size of blur: " + SupportedSizes(Effect::kBlur) + " (default " +
         std::to_string(DefaultSize(Effect::kBlur)) + ")\n"
         "  -m, --mode MODE      processing mode: auto (default), portable or vector\n"
         "  -n, --frames N       mask at most N frames\n"
         "  -o, --output-dir DIR where to write the results (default: masked)\n"
         "      --no-progress    no progress bar (it is shown only on a terminal anyway)\n"
         "  -h, --help           this text\n";
}

std::string DefaultClipPath() {
  const char* cacheHome = std::getenv("XDG_CACHE_HOME");
  if (cacheHome != nullptr && *cacheHome != '\0') return std::string(cacheHome) + "/ryn/vtest.avi";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/.cache/ryn/vtest.avi";
}

std::vector<Zone> DefaultClipZones() {
  return {Zone{320, 32, 256, 80}, Zone{640, 40, 128, 64}, Zone{560, 224, 208, 160}};
}

std::string ModeName(int processingMode) {
  switch (processingMode) {
    case 0: return "auto";
    case 1: return "portable";
    case 2: return "vector";
    default: return std::to_string(processingMode);
  }
}

}  // namespace ryn::privacy_mask
