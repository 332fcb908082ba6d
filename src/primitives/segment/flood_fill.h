// The span flood fill shared by the flood-fill export and the labelling.
#pragma once

#include <algorithm>
#include <cstdint>

#include "RynRAZUdidazoror.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/segment/pending_spans.h"
#include "primitives/segment/pixel_runs.h"

namespace ryn::segment {

enum class Connectivity { kEight, kFour };

// What one fill changed: the number of pixels and their bounding box.
struct FilledRegion {
  int64_t area = 0;
  int left = 0, top = 0, right = -1, bottom = -1;
};

// Fills the region of pixels equal to the seed pixel that is connected to the seed with
// `newValue`, which must differ from the seed pixel. Each span is filled when it is found, then
// waits in `pending` until the rows above and below have been scanned under it (and one pixel
// beyond each end with eight neighbours). Only pixels equal to the seed's old value are filled, and filled
// pixels no longer are, so no pixel is visited twice.
template <class T>
class FloodFill {
 public:
  FloodFill(const ImageView<T>& image, Connectivity connectivity, PendingSpans& pending)
      : image_(image), reach_(connectivity == Connectivity::kEight ? 1 : 0), pending_(pending) {}

  FilledRegion Fill(IppiPoint seed, T newValue) {
    old_ = LoadUnaligned(image_.At(seed.x, seed.y));
    new_ = newValue;
    region_ = FilledRegion{0, seed.x, seed.y, seed.x, seed.y};
    const T* row = image_.Row(seed.y);
    FillSpan(seed.y, PixelRuns<T>::RunStart(row, seed.x, old_), PixelRuns<T>::RunEnd(row, seed.x, LastColumn(), old_));
    int y, first, last;
    while (pending_.Take(&y, &first, &last)) {
      const int from = std::max(first - reach_, 0), to = std::min(last + reach_, LastColumn());
      if (y > 0) ScanRow(y - 1, from, to);
      if (y + 1 < image_.size.height) ScanRow(y + 1, from, to);
    }
    return region_;
  }

 private:
  int LastColumn() const { return image_.size.width - 1; }

  // Fills every run of old-valued pixels of row y that starts or passes within from..to.
  void ScanRow(int y, int from, int to) {
    T* row = image_.Row(y);
    for (int x = PixelRuns<T>::FindEqual(row, from, to, old_); x <= to;
         x = PixelRuns<T>::FindEqual(row, x, to, old_)) {
      const int last = PixelRuns<T>::RunEnd(row, x, LastColumn(), old_);
      FillSpan(y, PixelRuns<T>::RunStart(row, x, old_), last);
      x = last + 2;  // last + 1 is not old-valued
    }
  }

  void FillSpan(int y, int first, int last) {
    PixelRuns<T>::Fill(image_.Row(y), first, last, new_);
    region_.area += last - first + 1;
    region_.left = std::min(region_.left, first);
    region_.right = std::max(region_.right, last);
    region_.top = std::min(region_.top, y);
    region_.bottom = std::max(region_.bottom, y);
    pending_.Add(y, first, last);
  }

  ImageView<T> image_;
  int reach_;
  PendingSpans& pending_;
  T old_{}, new_{};
  FilledRegion region_;
};

}  // namespace ryn::segment
