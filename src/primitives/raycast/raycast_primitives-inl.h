// Checks and loops of the eye rays and hit points, compiled into every build: included inside the
// build's namespace (ryn::raycast::generic, or ryn::raycast::HWY_NAMESPACE) after the kernels of
// that build, which it calls by name: CastEyeRow, HitPointRun. Includes nothing itself.
#if defined(RYN_RAYCAST_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_RAYCAST_PRIMITIVES_INL_H_
#undef RYN_RAYCAST_PRIMITIVES_INL_H_
#else
#define RYN_RAYCAST_PRIMITIVES_INL_H_
#endif

IppStatus CastEye(RynPoint3D origin, RynPoint3D columnStep, RynPoint3D rowStep, int blockColumn, int blockRow,
                  IppiSize blockSize, float* const* directions, IppiSize thisBlockSize) {
  RYN_CHECK(NotNull(directions));
  RYN_CHECK(NotNull(directions[0], directions[1], directions[2]));
  if (thisBlockSize.width < 1 || thisBlockSize.height < 1) return ippStsNoErr;
  // The block's first pixel in the image, formed in 64 bits so that far blocks do not wrap.
  const float firstColumn = static_cast<float>(int64_t{blockColumn} * blockSize.width);
  const float firstRow = static_cast<float>(int64_t{blockRow} * blockSize.height);
  const size_t width = static_cast<size_t>(thisBlockSize.width);
  for (int r = 0; r < thisBlockSize.height; ++r) {
    const float row = static_cast<float>(r) + firstRow;
    const RynPoint3D rowTerm{rowStep.x * row, rowStep.y * row, rowStep.z * row};
    const size_t at = static_cast<size_t>(r) * width;
    CastEyeRow(origin, columnStep, rowTerm, firstColumn, directions[0] + at, directions[1] + at,
               directions[2] + at, width);
  }
  return ippStsNoErr;
}

IppStatus HitPoint3D(RynPoint3D eye, float* const* directions, const float* distances, const int32_t* mask,
                     float* const* hitPoints, int length, float epsilon) {
  RYN_CHECK(NotNull(distances, mask, directions, hitPoints));
  RYN_CHECK(NotNull(directions[0], directions[1], directions[2], hitPoints[0], hitPoints[1], hitPoints[2]));
  if (length < 1) return ippStsNoErr;
  HitPointRun(eye, directions[0], directions[1], directions[2], distances, mask, epsilon, hitPoints[0],
              hitPoints[1], hitPoints[2], static_cast<size_t>(length));
  return ippStsNoErr;
}

#endif
