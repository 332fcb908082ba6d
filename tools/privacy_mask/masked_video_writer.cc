#include "masked_video_writer.h"

#include <filesystem>
#include <system_error>

#include "tool_error.h"

namespace ryn::privacy_mask {

namespace fs = std::filesystem;

MaskedVideoWriter::MaskedVideoWriter(std::string directory, std::string basePath, double framesPerSecond,
                                     std::function<void(const std::string&)> note)
    : directory_(std::move(directory)),
      basePath_(std::move(basePath)),
      framesPerSecond_(framesPerSecond),
      note_(std::move(note)) {}

void MaskedVideoWriter::Write(const cv::Mat& frame) {
  if (!writer_.isOpened()) Open(frame.size());
  writer_.write(frame);
}

bool MaskedVideoWriter::TryOpen(const std::string& extension, int backend, int fourcc, cv::Size size) {
  path_ = basePath_ + extension;
  if (writer_.open(path_, backend, fourcc, framesPerSecond_, size) && writer_.isOpened()) return true;
  std::error_code ignored;
  fs::remove(path_, ignored);  // a writer that gave up may leave an empty file
  return false;
}

void MaskedVideoWriter::Open(cv::Size size) {
  std::error_code error;
  fs::create_directories(directory_, error);
  if (error || !fs::is_directory(directory_))
    throw ToolError("cannot create output directory '" + directory_ + "': " +
                    (error ? error.message() : std::string("a file of that name exists")));
  // H.264 is about a twentieth of MJPG's size at the same look; not every FFmpeg build has an
  // encoder for it.
  codec_ = "H.264";
  if (TryOpen(".mp4", cv::CAP_FFMPEG, cv::VideoWriter::fourcc('a', 'v', 'c', '1'), size)) return;
  codec_ = "MJPG";
  if (!TryOpen(".avi", cv::CAP_OPENCV_MJPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), size))
    throw ToolError("cannot write '" + path_ + "'");
  if (note_) note_("this FFmpeg writes no H.264: the masked video is MJPG in " + path_);
}

}  // namespace ryn::privacy_mask
