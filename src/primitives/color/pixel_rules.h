// The per-pixel formulas of the colour conversions: the generic build is made of them, and the
// processor builds call them for the pixels that do not fill a vector.
#pragma once

#include <cstdint>

namespace ryn::color {

// 16.16 fixed-point coefficients of YUV to RGB: R = Y + Kr v, G = Y + Kgu u + Kgv v, B = Y + Kb u.
struct YuvToRgbCoefficients {
  int32_t kr;
  int32_t kgu;
  int32_t kgv;
  int32_t kb;
};

// 1.140, -0.394, -0.581 and 2.032, each the nearest 16.16 value.
inline constexpr YuvToRgbCoefficients kNearestCoefficients{74711, -25821, -38076, 133169};
// The same, each one unit closer to zero.
inline constexpr YuvToRgbCoefficients kLoweredCoefficients{74710, -25820, -38075, 133168};

inline uint8_t ClampToByte(int32_t value) {
  return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// Shifts of negative values are floors (arithmetic shifts); no rounding term anywhere.
inline void YuvToRgbPixel(int32_t y, int32_t u, int32_t v, const YuvToRgbCoefficients& k, uint8_t* r, uint8_t* g,
                          uint8_t* b) {
  const int32_t luma = 65536 * y;
  const int32_t cu = u - 128;
  const int32_t cv = v - 128;
  *r = ClampToByte((luma + k.kr * cv) >> 16);
  *g = ClampToByte((luma + k.kgu * cu + k.kgv * cv) >> 16);
  *b = ClampToByte((luma + k.kb * cu) >> 16);
}

// The luma weights sum to 65535, so white gives 254.
inline void RgbToYuvPixel(int32_t r, int32_t g, int32_t b, uint8_t* y, uint8_t* u, uint8_t* v) {
  *y = ClampToByte((19595 * r + 38469 * g + 7471 * b) >> 16);
  *u = ClampToByte(((-4816 * r - 9469 * g + 14286 * b) >> 15) + 128);
  *v = ClampToByte(((20152 * r - 16875 * g - 3276 * b) >> 15) + 128);
}

// 4:2:0 from RGB: these luma weights sum to 65536. A block's chroma uses the unshifted terms.
inline int32_t LumaTerm420(int32_t r, int32_t g, int32_t b) { return 19595 * r + 38470 * g + 7471 * b; }

inline uint8_t Luma420(int32_t r, int32_t g, int32_t b) { return static_cast<uint8_t>(LumaTerm420(r, g, b) >> 16); }

// U and V of one 2 x 2 block from its sums of R, of B and of the four luma terms. The sums stand
// for four times the block mean, hence 0.492 / 4 and 0.877 / 4 (32244 and 57475 over 2^18).
inline void BlockChroma420(int32_t sumR, int32_t sumB, int32_t sumLumaTerms, uint8_t* u, uint8_t* v) {
  const int32_t dB = (65536 * sumB - sumLumaTerms + 131071) >> 16;
  const int32_t dR = (65536 * sumR - sumLumaTerms + 131071) >> 16;
  *u = static_cast<uint8_t>(((dB * 32244) >> 18) + 128);
  *v = ClampToByte(((dR * 57475) >> 18) + 128);
}

// One 2 x 2 block of 4:2:0 to RGB: pixels 0 and 1 of luma rows y0 and y1 share u and v.
inline void Yuv420BlockToRgb(const uint8_t* y0, const uint8_t* y1, uint8_t u, uint8_t v,
                             const YuvToRgbCoefficients& k, uint8_t* rgb0, uint8_t* rgb1) {
  for (int x = 0; x < 2; ++x) {
    YuvToRgbPixel(y0[x], u, v, k, rgb0 + 3 * x, rgb0 + 3 * x + 1, rgb0 + 3 * x + 2);
    YuvToRgbPixel(y1[x], u, v, k, rgb1 + 3 * x, rgb1 + 3 * x + 1, rgb1 + 3 * x + 2);
  }
}

// One 2 x 2 block of RGB (pixels 0 and 1 of rows rgb0 and rgb1) to four lumas, one U and one V.
inline void RgbBlockToYuv420(const uint8_t* rgb0, const uint8_t* rgb1, uint8_t* y0, uint8_t* y1, uint8_t* u,
                             uint8_t* v) {
  int32_t sumR = 0, sumB = 0, sumLumaTerms = 0;
  for (int x = 0; x < 2; ++x) {
    for (const uint8_t* p : {rgb0 + 3 * x, rgb1 + 3 * x}) {
      sumR += p[0];
      sumB += p[2];
      sumLumaTerms += LumaTerm420(p[0], p[1], p[2]);
    }
    y0[x] = Luma420(rgb0[3 * x], rgb0[3 * x + 1], rgb0[3 * x + 2]);
    y1[x] = Luma420(rgb1[3 * x], rgb1[3 * x + 1], rgb1[3 * x + 2]);
  }
  BlockChroma420(sumR, sumB, sumLumaTerms, u, v);
}

}  // namespace ryn::color
