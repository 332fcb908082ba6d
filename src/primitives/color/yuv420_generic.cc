// The generic conversions between 4:2:0 planes and RGB, block by block: plain C++, the reference
// for every processor build.
#include "frame/checks.h"
#include "primitives/color/color.h"
#include "primitives/color/pixel_rules.h"
#include "primitives/color/plane_rows.h"

namespace ryn::color::generic {
namespace {

// Two luma rows, their chroma row and two RGB rows, `blocks` 2 x 2 blocks.
void Yuv420ToRgbRows(const uint8_t* y0, const uint8_t* y1, const uint8_t* u, const uint8_t* v, uint8_t* rgb0,
                     uint8_t* rgb1, size_t blocks, const YuvToRgbCoefficients& k) {
  for (size_t i = 0; i < blocks; ++i) Yuv420BlockToRgb(y0 + 2 * i, y1 + 2 * i, u[i], v[i], k, rgb0 + 6 * i, rgb1 + 6 * i);
}

void RgbToYuv420Rows(const uint8_t* rgb0, const uint8_t* rgb1, uint8_t* y0, uint8_t* y1, uint8_t* u, uint8_t* v,
                     size_t blocks) {
  for (size_t i = 0; i < blocks; ++i) {
    RgbBlockToYuv420(rgb0 + 6 * i, rgb1 + 6 * i, y0 + 2 * i, y1 + 2 * i, u + i, v + i);
  }
}

}  // namespace

#include "primitives/color/yuv420_primitives-inl.h"

}  // namespace ryn::color::generic
