// Checks and loops of e^x and ln x on float vectors, compiled into every build: included inside
// the build's namespace after the row kernels of that build, which it calls by name: ExpRun32f,
// LnRun32f. Includes nothing itself.
#if defined(RYN_ARITH_LOG_EXP_PRIMITIVES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef RYN_ARITH_LOG_EXP_PRIMITIVES_INL_H_
#undef RYN_ARITH_LOG_EXP_PRIMITIVES_INL_H_
#else
#define RYN_ARITH_LOG_EXP_PRIMITIVES_INL_H_
#endif

IppStatus Exp32f(float* vector, int length) {
  RYN_CHECK(NotNull(vector));
  RYN_CHECK(PositiveLength(length));
  ExpRun32f(vector, static_cast<size_t>(length));
  return ippStsNoErr;
}

// Chunks of kLnChunk elements, each returning the warning of its first special element; the
// first chunk's warning that is not ippStsNoErr is the result, after every chunk has been done.
IppStatus Ln32f(float* vector, int length) {
  RYN_CHECK(NotNull(vector));
  RYN_CHECK(PositiveLength(length));
  IppStatus status = ippStsNoErr;
  const size_t n = static_cast<size_t>(length);
  for (size_t start = 0; start < n; start += kLnChunk) {
    const IppStatus chunk = LnRun32f(vector + start, n - start < kLnChunk ? n - start : kLnChunk);
    if (status == ippStsNoErr) status = chunk;
  }
  return status;
}

#endif
