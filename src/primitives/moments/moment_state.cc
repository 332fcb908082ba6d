// Allocation and release of moment states, and the Hu invariants of their moments.
#include <cmath>
#include <new>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "primitives/moments/moments.h"
#include "primitives/moments/moments_checks.h"

namespace ryn::moments {

IppStatus AllocateMomentState(RynMomentState** state, int hint) {
  RYN_CHECK(NotNull(state));
  void* block = AllocateBlock(sizeof(RynMomentState));
  if (block == nullptr) return ippStsMemAllocErr;
  *state = new (block) RynMomentState{kMomentStateIdentifier, hint, -1, {}};
  return ippStsNoErr;
}

IppStatus FreeMomentState(RynMomentState* state) {
  RYN_CHECK(NotNull(state));
  RYN_CHECK(IsMomentState(state));
  FreeBlock(state);
  return ippStsNoErr;
}

IppStatus HuMoments(const RynMomentState* state, int channel, double* hu) {
  RYN_CHECK(NotNull(state, hu));
  RYN_CHECK(IsMomentState(state));
  RYN_CHECK(ChannelComputed(state, channel));
  const double* m = state->moments[channel];
  const double m00 = m[kMomentIndex00];
  RYN_CHECK(Moment00NotZero(m00));
  const double m10 = m[kMomentIndex10], m01 = m[kMomentIndex01];
  const double m20 = m[kMomentIndex20], m11 = m[kMomentIndex11], m02 = m[kMomentIndex02];
  const double m30 = m[kMomentIndex30], m21 = m[kMomentIndex21], m12 = m[kMomentIndex12];
  const double m03 = m[kMomentIndex03];

  const double xc = m10 / m00;
  const double yc = m01 / m00;
  const double scale2 = 1.0 / (m00 * m00);      // m00^-2
  const double scale25 = scale2 / std::sqrt(m00);  // m00^-2.5

  const double eta20 = (m20 - xc * m10) * scale2;
  const double eta11 = (m11 - xc * m01) * scale2;
  const double eta02 = (m02 - yc * m01) * scale2;
  const double eta30 = (m30 - 3.0 * xc * m20 + 2.0 * xc * xc * m10) * scale25;
  const double eta21 = (m21 - 2.0 * xc * m11 - yc * m20 + 2.0 * xc * xc * m01) * scale25;
  const double eta12 = (m12 - 2.0 * yc * m11 - xc * m02 + 2.0 * yc * yc * m10) * scale25;
  const double eta03 = (m03 - 3.0 * yc * m02 + 2.0 * yc * yc * m01) * scale25;

  const double a = eta30 + eta12;
  const double b = eta21 + eta03;
  const double p = eta30 - 3.0 * eta12;
  const double q = 3.0 * eta21 - eta03;
  const double d = eta20 - eta02;
  hu[0] = eta20 + eta02;
  hu[1] = d * d + 4.0 * eta11 * eta11;
  hu[2] = p * p + q * q;
  hu[3] = a * a + b * b;
  hu[4] = p * a * (a * a - 3.0 * b * b) + q * b * (3.0 * a * a - b * b);
  hu[5] = d * (a * a - b * b) + 4.0 * eta11 * a * b;
  hu[6] = q * a * (a * a - 3.0 * b * b) - p * b * (3.0 * a * a - b * b);
  return ippStsNoErr;
}

}  // namespace ryn::moments
