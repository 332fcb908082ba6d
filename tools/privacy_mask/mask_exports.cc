#include "mask_exports.h"

#include <array>

namespace ryn::privacy_mask {
namespace {

#define RYN_MASK_EXPORT(effect, n, function) MaskExport{effect, n, &function, #function}

constexpr std::array kMaskExports = {
    RYN_MASK_EXPORT(Effect::kPixelate, 4, fnVCAIPP_Pixelized_4x4_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 8, fnVCAIPP_Pixelized_8x8_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 16, fnVCAIPP_Pixelized_16x16_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 32, fnVCAIPP_Pixelized_32x32_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 64, fnVCAIPP_Pixelized_64x64_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 128, fnVCAIPP_Pixelized_128x128_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 256, fnVCAIPP_Pixelized_256x256_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 512, fnVCAIPP_Pixelized_512x512_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kPixelate, 1024, fnVCAIPP_Pixelized_1024x1024_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 3, fnVCAIPP_MeanFilter_3x3_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 5, fnVCAIPP_MeanFilter_5x5_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 7, fnVCAIPP_MeanFilter_7x7_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 9, fnVCAIPP_MeanFilter_9x9_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 11, fnVCAIPP_MeanFilter_11x11_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 13, fnVCAIPP_MeanFilter_13x13_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 15, fnVCAIPP_MeanFilter_15x15_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 17, fnVCAIPP_MeanFilter_17x17_8u_P2P3IR),
    RYN_MASK_EXPORT(Effect::kBlur, 19, fnVCAIPP_MeanFilter_19x19_8u_P2P3IR),
};

#undef RYN_MASK_EXPORT

}  // namespace

const MaskExport* FindMaskExport(Effect effect, int size) {
  for (const MaskExport& entry : kMaskExports)
    if (entry.effect == effect && entry.size == size) return &entry;
  return nullptr;
}

const MaskExport* SmallerMaskExport(const MaskExport& maskExport) {
  const MaskExport* smaller = nullptr;
  for (const MaskExport& entry : kMaskExports)
    if (entry.effect == maskExport.effect && entry.size < maskExport.size) smaller = &entry;
  return smaller;  // the table runs from small to large
}

std::string SupportedSizes(Effect effect) {
  std::string sizes;
  for (const MaskExport& entry : kMaskExports) {
    if (entry.effect != effect) continue;
    if (!sizes.empty()) sizes += ", ";
    sizes += std::to_string(entry.size);
  }
  return sizes;
}

int DefaultSize(Effect effect) { return effect == Effect::kPixelate ? 16 : 9; }

std::string_view EffectName(Effect effect) { return effect == Effect::kPixelate ? "pixelate" : "blur"; }

}  // namespace ryn::privacy_mask
