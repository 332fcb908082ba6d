// Text overlay entry points. Drawing and measuring touch nothing, so their image, font and
// outputs are all handed over as read-only: any write is a finding.
#include <cstdint>

#include "fuzz/fuzz_c_shapes.h"
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::InitialOf;

// A terminated string of up to 31 characters, or null.
const char* Text(FuzzCase& c) {
  const int length = c.in().Byte() % 32;
  const char* text = c.Vector<char>(length + 1, Access::kRead);
  if (char* initial = InitialOf(c, text)) initial[length] = '\0';
  return text;
}

}  // namespace

RYN_FUZZ(fnVCA_InitFont) {
  const int face = c.in().Raw<int32_t>();
  const double horizontalScale = c.in().Double(), verticalScale = c.in().Double(), shear = c.in().Double();
  const int thickness = c.in().Raw<int32_t>();
  RynFont* font = c.Vector<RynFont>(1, Access::kWrite);
  // The record must exist: a null one is outside what the export accepts.
  if (font == nullptr) return c.Skip();
  c.Call([=] { return fnVCA_InitFont(font, face, horizontalScale, verticalScale, shear, thickness); });
}

RYN_FUZZ(fnVCA_WriteText_8u_C1IR) {
  const IppiSize region = c.in().Region();
  const auto image = c.Image<uint8_t>(region, 1, Access::kRead);
  const char* text = Text(c);
  const IppiPoint origin{c.in().Raw<int32_t>(), c.in().Raw<int32_t>()};
  const RynFont* font = c.Vector<RynFont>(1, Access::kRead);
  const uint8_t value = c.in().Byte();
  c.Call([=] { return fnVCA_WriteText_8u_C1IR(image.p, image.step, region, text, origin, font, value); });
}

RYN_FUZZ(fnVCA_CalculateTextSize) {
  const char* text = Text(c);
  const RynFont* font = c.Vector<RynFont>(1, Access::kRead);
  IppiSize* size = c.Vector<IppiSize>(1, Access::kRead);
  int* baseline = c.Vector<int>(1, Access::kRead);
  c.Call([=] { return fnVCA_CalculateTextSize(text, font, size, baseline); });
}
