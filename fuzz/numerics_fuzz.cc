// Random generators, small vector and matrix algebra, element-wise transcendental functions.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>

#include "fuzz/fuzz_c_shapes.h"
#include "fuzz/fuzz_registry.h"

namespace {

using ryn::fuzz::Access;
using ryn::fuzz::FuzzCase;
using ryn::fuzz::InitialOf;
using ryn::fuzz::Scratch;
using ryn::fuzz::SpecialFloats;

// ---- Random generator states --------------------------------------------------------------------

// The five kinds of state. A generator or release may be handed a state of another kind, which
// it must refuse by its identifier.
enum class Kind { kUniform8u, kUniform16s, kUniform32f, kGauss16s, kGauss32f };

struct RandomParameters {
  uint8_t low8, high8;
  int16_t low16, high16;  // also the mean and deviation of the 16s Gaussian
  float low32, high32;    // also the mean and deviation of the 32f Gaussian
  uint32_t seed;
};

RandomParameters DecodeRandom(FuzzCase& c) {
  RandomParameters p;
  p.low8 = c.in().Byte();
  p.high8 = c.in().Byte();
  p.low16 = c.in().Raw<int16_t>();
  p.high16 = c.in().Raw<int16_t>();
  p.low32 = c.in().Float();
  p.high32 = c.in().Float();
  p.seed = c.in().Raw<uint32_t>();
  return p;
}

// Mostly the kind the export expects.
Kind DecodeKind(FuzzCase& c, Kind expected) {
  return c.in().Flag(8) ? static_cast<Kind>(c.in().Byte() % 5) : expected;
}

template <class State, class P>
void* Created(IppStatus (*init)(State**, P, P, uint32_t), P a, P b, uint32_t seed) {
  State* state = nullptr;
  return init(&state, a, b, seed) == ippStsNoErr ? state : nullptr;
}

void* CreateState(Kind kind, const RandomParameters& p) {
  switch (kind) {
    case Kind::kUniform8u: return Created(fnVCAIPP_RandUniformInitAlloc_8u, p.low8, p.high8, p.seed);
    case Kind::kUniform16s: return Created(fnVCAIPP_RandUniformInitAlloc_16s, p.low16, p.high16, p.seed);
    case Kind::kUniform32f: return Created(fnVCAIPP_RandUniformInitAlloc_32f, p.low32, p.high32, p.seed);
    case Kind::kGauss16s: return Created(fnVCAIPP_RandGaussInitAlloc_16s, p.low16, p.high16, p.seed);
    case Kind::kGauss32f: return Created(fnVCAIPP_RandGaussInitAlloc_32f, p.low32, p.high32, p.seed);
  }
  return nullptr;
}

void FreeState(Kind kind, void* state) {
  if (state == nullptr) return;
  switch (kind) {
    case Kind::kUniform8u: fnVCAIPP_RandUniformFree_8u(static_cast<RynRandUniformState8u*>(state)); break;
    case Kind::kUniform16s: fnVCAIPP_RandUniformFree_16s(static_cast<RynRandUniformState16s*>(state)); break;
    case Kind::kUniform32f: fnVCAIPP_RandUniformFree_32f(static_cast<RynRandUniformState32f*>(state)); break;
    case Kind::kGauss16s: fnVCAIPP_RandGaussFree_16s(static_cast<RynRandGaussState16s*>(state)); break;
    case Kind::kGauss32f: fnVCAIPP_RandGaussFree_32f(static_cast<RynRandGaussState32f*>(state)); break;
  }
}

// A state of `kind` made afresh for each run (null when it cannot be made), released after it.
void** FreshState(FuzzCase& c, Kind kind, const RandomParameters& p) {
  void** state = c.Keep<void*>(nullptr);
  c.Setup([=] { *state = CreateState(kind, p); });
  c.Teardown([=] {
    FreeState(kind, *state);
    *state = nullptr;
  });
  return state;
}

// Draws `length` samples from a fresh state, in two requests where the input splits them, so that
// a sequence (and a Gaussian's pending sample) continues across calls in every build.
template <class T, class State>
void Generate(FuzzCase& c, Kind expected, IppStatus (*generate)(T*, int, State*)) {
  const Kind kind = DecodeKind(c, expected);
  const RandomParameters p = DecodeRandom(c);
  const int length = c.in().Size();
  const int first = length > 1 && c.in().Flag(3) ? 1 + c.in().Byte() % (length - 1) : length;
  const bool passNull = c.in().Flag(48);
  T* d = c.Vector<T>(length, Access::kWrite);
  void** state = FreshState(c, kind, p);
  c.Call([=] {
    State* s = passNull ? nullptr : static_cast<State*>(*state);
    const IppStatus status = generate(d, first, s);
    if (status != ippStsNoErr || first == length) return status;
    return generate(d + first, length - first, s);
  });
}

// Creates a state and, when it was made, draws a few samples from it, so that what the state
// starts from is compared between builds.
template <class State, class P, class T>
void CreateAndDraw(FuzzCase& c, IppStatus (*init)(State**, P, P, uint32_t), IppStatus (*generate)(T*, int, State*),
                   IppStatus (*release)(State*), P a, P b) {
  const uint32_t seed = c.in().Raw<uint32_t>();
  const int length = c.in().Code(1, 64);
  T* d = c.Vector<T>(length, Access::kWrite);
  State** state = c.Keep<State*>(nullptr);
  State** out = c.in().Flag(48) ? nullptr : state;
  c.Call([=] {
    const IppStatus status = init(out, a, b, seed);
    if (status == ippStsNoErr && d != nullptr && length >= 1) generate(d, length, *state);
    return status;
  });
  c.Teardown([=] {
    if (*state != nullptr) release(*state);
    *state = nullptr;
  });
}

// Releases a fresh state (or null); a state of another kind is refused and released afterwards.
template <class State>
void Release(FuzzCase& c, Kind expected, IppStatus (*release)(State*)) {
  const Kind kind = DecodeKind(c, expected);
  const RandomParameters p = DecodeRandom(c);
  const bool passNull = c.in().Flag(16);
  void** state = FreshState(c, kind, p);
  c.Call([=] {
    const IppStatus status = release(passNull ? nullptr : static_cast<State*>(*state));
    if (status == ippStsNoErr) *state = nullptr;
    return status;
  });
}

template <class T, class Decode>
void GenerateDirect(FuzzCase& c, IppStatus (*direct)(T*, int, T, T, uint32_t*), Decode parameter) {
  const T a = parameter();
  const T b = parameter();
  const int length = c.in().Size();
  T* d = c.Vector<T>(length, Access::kWrite);
  uint32_t* seed = c.Vector<uint32_t>(1, Access::kWrite);
  c.Call([=] { return direct(d, length, a, b, seed); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_RandUniformInitAlloc_8u) {
  const uint8_t low = c.in().Byte(), high = c.in().Byte();
  CreateAndDraw(c, fnVCAIPP_RandUniformInitAlloc_8u, fnVCAIPP_RandUniform_8u, fnVCAIPP_RandUniformFree_8u, low, high);
}
RYN_FUZZ(fnVCAIPP_RandUniformInitAlloc_16s) {
  const int16_t low = c.in().Raw<int16_t>(), high = c.in().Raw<int16_t>();
  CreateAndDraw(c, fnVCAIPP_RandUniformInitAlloc_16s, fnVCAIPP_RandUniform_16s, fnVCAIPP_RandUniformFree_16s, low,
                high);
}
RYN_FUZZ(fnVCAIPP_RandUniformInitAlloc_32f) {
  const float low = c.in().Float(), high = c.in().Float();
  CreateAndDraw(c, fnVCAIPP_RandUniformInitAlloc_32f, fnVCAIPP_RandUniform_32f, fnVCAIPP_RandUniformFree_32f, low,
                high);
}
RYN_FUZZ(fnVCAIPP_RandGaussInitAlloc_16s) {
  const int16_t mean = c.in().Raw<int16_t>(), deviation = c.in().Raw<int16_t>();
  CreateAndDraw(c, fnVCAIPP_RandGaussInitAlloc_16s, fnVCAIPP_RandGauss_16s, fnVCAIPP_RandGaussFree_16s, mean,
                deviation);
}
RYN_FUZZ(fnVCAIPP_RandGaussInitAlloc_32f) {
  const float mean = c.in().Float(), deviation = c.in().Float();
  CreateAndDraw(c, fnVCAIPP_RandGaussInitAlloc_32f, fnVCAIPP_RandGauss_32f, fnVCAIPP_RandGaussFree_32f, mean,
                deviation);
}

RYN_FUZZ(fnVCAIPP_RandUniform_8u) { Generate(c, Kind::kUniform8u, fnVCAIPP_RandUniform_8u); }
RYN_FUZZ(fnVCAIPP_RandUniform_16s) { Generate(c, Kind::kUniform16s, fnVCAIPP_RandUniform_16s); }
RYN_FUZZ(fnVCAIPP_RandUniform_32f) { Generate(c, Kind::kUniform32f, fnVCAIPP_RandUniform_32f); }
RYN_FUZZ(fnVCAIPP_RandGauss_16s) { Generate(c, Kind::kGauss16s, fnVCAIPP_RandGauss_16s); }
RYN_FUZZ(fnVCAIPP_RandGauss_32f) { Generate(c, Kind::kGauss32f, fnVCAIPP_RandGauss_32f); }

RYN_FUZZ(fnVCAIPP_RandUniformFree_8u) { Release(c, Kind::kUniform8u, fnVCAIPP_RandUniformFree_8u); }
RYN_FUZZ(fnVCAIPP_RandUniformFree_16s) { Release(c, Kind::kUniform16s, fnVCAIPP_RandUniformFree_16s); }
RYN_FUZZ(fnVCAIPP_RandUniformFree_32f) { Release(c, Kind::kUniform32f, fnVCAIPP_RandUniformFree_32f); }
RYN_FUZZ(fnVCAIPP_RandGaussFree_16s) { Release(c, Kind::kGauss16s, fnVCAIPP_RandGaussFree_16s); }
RYN_FUZZ(fnVCAIPP_RandGaussFree_32f) { Release(c, Kind::kGauss32f, fnVCAIPP_RandGaussFree_32f); }

RYN_FUZZ(fnVCAIPP_RandUniform_Direct_16s) {
  GenerateDirect(c, fnVCAIPP_RandUniform_Direct_16s, [&c] { return c.in().Raw<int16_t>(); });
}
RYN_FUZZ(fnVCAIPP_RandUniform_Direct_32f) {
  GenerateDirect(c, fnVCAIPP_RandUniform_Direct_32f, [&c] { return c.in().Float(); });
}
RYN_FUZZ(fnVCAIPP_RandUniform_Direct_64f) {
  GenerateDirect(c, fnVCAIPP_RandUniform_Direct_64f, [&c] { return c.in().Double(); });
}
RYN_FUZZ(fnVCAIPP_RandGauss_Direct_16s) {
  GenerateDirect(c, fnVCAIPP_RandGauss_Direct_16s, [&c] { return c.in().Raw<int16_t>(); });
}
RYN_FUZZ(fnVCAIPP_RandGauss_Direct_32f) {
  GenerateDirect(c, fnVCAIPP_RandGauss_Direct_32f, [&c] { return c.in().Float(); });
}
RYN_FUZZ(fnVCAIPP_RandGauss_Direct_64f) {
  GenerateDirect(c, fnVCAIPP_RandGauss_Direct_64f, [&c] { return c.in().Double(); });
}

// ---- Small vector and matrix algebra --------------------------------------------------------------

namespace {

// A 4 x 4 builder: 16 floats, whatever the angle or offsets.
template <class Build>
void Builder(FuzzCase& c, Build build) {
  float* matrix = c.Vector<float>(16, Access::kWrite);
  c.Call([=] { return build(matrix); });
}

// One dimension of strided floats: `count` elements `stride` bytes apart.
struct Dimension {
  int64_t count;
  int stride;
};

bool ValidStride(int stride) { return stride > 0 && stride % 4 == 0; }

// Floats at base + sum of i_k x stride_k for each i_k below count_k: a vector has one dimension,
// a matrix two (rows, then elements), an array of matrices three. Nothing when a count or a
// stride is one the exports refuse, since they then touch nothing.
float* Floats(FuzzCase& c, std::initializer_list<Dimension> dimensions, Access access) {
  for (const Dimension& d : dimensions) {
    if (d.count < 1 || !ValidStride(d.stride)) return c.Vector<float>(0, access);
  }
  int64_t bytes = sizeof(float);
  for (const Dimension& d : dimensions) {
    bytes += (d.count - 1) * d.stride;
    if (bytes > FuzzCase::kMaxBytes) {
      c.Skip();
      return nullptr;
    }
  }
  return c.Vector<float>(bytes / static_cast<int64_t>(sizeof(float)), access);
}

// A size of a vector or matrix: mostly small, sometimes up to 65, 0, negative or huge.
int MatrixSize(FuzzCase& c) { return c.in().Flag(8) ? c.in().Code(1, 64) : c.in().Code(1, 6); }

// Mostly whole floats, sometimes a stride the exports refuse; a far stride is harmless for
// one element.
int ElementStride(FuzzCase& c) { return c.in().Pick({4, 4, 4, 4, 8, 12, 16, 20, 0, -4, 6, 2, 1 << 30}); }

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The stride between rows of `columns` elements: mostly the row or a little more; rows that
// overlap only where the matrix is read; sometimes a stride the exports refuse.
int RowStride(FuzzCase& c, int columns, int elementStride, bool mayOverlap) {
  const int64_t row = int64_t{std::max(columns, 1)} * (elementStride > 0 ? elementStride : 4);
  switch (c.in().Byte() % 8) {
    case 4: return ClampToInt(row + 4 * (c.in().Byte() % 4));
    case 5: return mayOverlap ? 4 * (1 + c.in().Byte() % 4) : ClampToInt(row);
    case 6: return c.in().Pick({0, -4, ClampToInt(row + 2)});
    case 7: return c.in().Pick({ClampToInt(-row), 1 << 30});
    default: return ClampToInt(row);
  }
}

struct StridedMatrix {
  float* p;
  int rowStride;
  int elementStride;
};

StridedMatrix DecodeMatrix(FuzzCase& c, int rows, int columns, Access access) {
  const int elementStride = ElementStride(c);
  const int rowStride = RowStride(c, columns, elementStride, access == Access::kRead);
  float* p = Floats(c, {{rows, rowStride}, {columns, elementStride}}, access);
  SpecialFloats(c, p);
  return StridedMatrix{p, rowStride, elementStride};
}

struct StridedVector {
  float* p;
  int stride;
};

StridedVector DecodeVector(FuzzCase& c, int length, Access access) {
  const int stride = ElementStride(c);
  float* p = Floats(c, {{length, stride}}, access);
  SpecialFloats(c, p);
  return StridedVector{p, stride};
}

// The work buffer of the eliminations: n x n + n floats.
float* EliminationBuffer(FuzzCase& c, int n) {
  // Sizes too large to run are given a size the harness refuses, without overflowing.
  const int64_t floats = n < 1 ? 0 : n > (1 << 16) ? FuzzCase::kMaxBytes : int64_t{n} * n + n;
  return reinterpret_cast<float*>(Scratch(c, floats * static_cast<int64_t>(sizeof(float))));
}

// A row order as a decomposition leaves it: a permutation of 0 .. n - 1.
const int* RowOrder(FuzzCase& c, int n) {
  int* index = c.Vector<int>(n, Access::kRead);
  int* order = InitialOf(c, index);
  if (order == nullptr || n < 1) return index;
  for (int i = 0; i < n; ++i) order[i] = i;
  for (int i = n - 1; i > 0; --i) std::swap(order[i], order[c.in().Raw<uint16_t>() % (i + 1)]);
  return index;
}

}  // namespace

RYN_FUZZ(fnVCAIPP_RotationX_m4_32f) {
  const float angle = c.in().Float();
  Builder(c, [=](float* m) { return fnVCAIPP_RotationX_m4_32f(angle, m); });
}
RYN_FUZZ(fnVCAIPP_RotationY_m4_32f) {
  const float angle = c.in().Float();
  Builder(c, [=](float* m) { return fnVCAIPP_RotationY_m4_32f(angle, m); });
}
RYN_FUZZ(fnVCAIPP_RotationZ_m4_32f) {
  const float angle = c.in().Float();
  Builder(c, [=](float* m) { return fnVCAIPP_RotationZ_m4_32f(angle, m); });
}
RYN_FUZZ(fnVCAIPP_Translation_m4_32f) {
  const float tx = c.in().Float(), ty = c.in().Float(), tz = c.in().Float();
  Builder(c, [=](float* m) { return fnVCAIPP_Translation_m4_32f(tx, ty, tz, m); });
}

RYN_FUZZ(fnVCAIPP_Normalize_v3_32f) {
  const bool inPlace = c.in().Flag(4);
  float* source = c.Vector<float>(3, inPlace ? Access::kWrite : Access::kRead);
  float* destination = inPlace ? source : c.Vector<float>(3, Access::kWrite);
  SpecialFloats(c, source);
  c.Call([=] { return fnVCAIPP_Normalize_v3_32f(source, destination); });
}

RYN_FUZZ(fnVCAIPP_Mul_mv_32f) {
  const int width = MatrixSize(c), height = MatrixSize(c);
  const int length = c.in().Flag(8) ? MatrixSize(c) : width;
  const StridedMatrix m = DecodeMatrix(c, height, width, Access::kRead);
  const StridedVector v = DecodeVector(c, length, Access::kRead);
  const StridedVector d = DecodeVector(c, height, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_Mul_mv_32f(m.p, m.rowStride, m.elementStride, width, height, v.p, v.stride, length, d.p, d.stride);
  });
}

RYN_FUZZ(fnVCAIPP_Mul_mm_32f) {
  const int aWidth = MatrixSize(c), aHeight = MatrixSize(c), bWidth = MatrixSize(c);
  const int bHeight = c.in().Flag(8) ? MatrixSize(c) : aWidth;
  const StridedMatrix a = DecodeMatrix(c, aHeight, aWidth, Access::kRead);
  const StridedMatrix b = DecodeMatrix(c, bHeight, bWidth, Access::kRead);
  const StridedMatrix d = DecodeMatrix(c, aHeight, bWidth, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_Mul_mm_32f(a.p, a.rowStride, a.elementStride, aWidth, aHeight, b.p, b.rowStride,
                               b.elementStride, bWidth, bHeight, d.p, d.rowStride, d.elementStride);
  });
}

RYN_FUZZ(fnVCAIPP_Mul_vc_32f) {
  const int length = c.in().Size();
  const float constant = c.in().Float();
  const StridedVector v = DecodeVector(c, length, Access::kRead);
  const StridedVector d = DecodeVector(c, length, Access::kWrite);
  c.Call([=] { return fnVCAIPP_Mul_vc_32f(v.p, v.stride, constant, d.p, d.stride, length); });
}

RYN_FUZZ(fnVCAIPP_Sub_vv_32f) {
  const int length = c.in().Size();
  const StridedVector a = DecodeVector(c, length, Access::kRead);
  const StridedVector b = DecodeVector(c, length, Access::kRead);
  const StridedVector d = DecodeVector(c, length, Access::kWrite);
  c.Call([=] { return fnVCAIPP_Sub_vv_32f(a.p, a.stride, b.p, b.stride, d.p, d.stride, length); });
}

RYN_FUZZ(fnVCAIPP_DotProduct_vv_32f) {
  const int length = c.in().Size();
  const StridedVector a = DecodeVector(c, length, Access::kRead);
  const StridedVector b = DecodeVector(c, length, Access::kRead);
  float* d = c.Out<float>();
  c.Call([=] { return fnVCAIPP_DotProduct_vv_32f(a.p, a.stride, b.p, b.stride, d, length); });
}

RYN_FUZZ(fnVCAIPP_CrossProduct_vv_32f) {
  const int inPlace = c.in().Pick({0, 0, 0, 1, 2});
  const StridedVector a = DecodeVector(c, 3, inPlace == 1 ? Access::kWrite : Access::kRead);
  const StridedVector b = DecodeVector(c, 3, inPlace == 2 ? Access::kWrite : Access::kRead);
  const StridedVector d = inPlace == 1 ? a : inPlace == 2 ? b : DecodeVector(c, 3, Access::kWrite);
  c.Call([=] { return fnVCAIPP_CrossProduct_vv_32f(a.p, a.stride, b.p, b.stride, d.p, d.stride); });
}

RYN_FUZZ(fnVCAIPP_L2Norm_v_32f) {
  const int length = c.in().Size();
  const StridedVector v = DecodeVector(c, length, Access::kRead);
  float* d = c.Out<float>();
  c.Call([=] { return fnVCAIPP_L2Norm_v_32f(v.p, v.stride, d, length); });
}

RYN_FUZZ(fnVCAIPP_LUDecomp_m_32f) {
  const int n = MatrixSize(c);
  const bool inPlace = c.in().Flag(4);
  const StridedMatrix m = DecodeMatrix(c, n, n, inPlace ? Access::kWrite : Access::kRead);
  const StridedMatrix d = inPlace ? m : DecodeMatrix(c, n, n, Access::kWrite);
  int* index = c.Vector<int>(n, Access::kWrite);
  // Once the arguments pass, a singular matrix fails part-way with the factors and row order
  // partly written.
  if (m.p && d.p && index && n >= 1 && ValidStride(m.rowStride) && ValidStride(m.elementStride) &&
      ValidStride(d.rowStride) && ValidStride(d.elementStride)) {
    c.WritesOnError();
  }
  c.Call([=] {
    return fnVCAIPP_LUDecomp_m_32f(m.p, m.rowStride, m.elementStride, index, d.p, d.rowStride, d.elementStride, n);
  });
}

RYN_FUZZ(fnVCAIPP_LUBackSubst_mv_32f) {
  const int n = MatrixSize(c);
  const StridedMatrix lu = DecodeMatrix(c, n, n, Access::kRead);
  const int* index = RowOrder(c, n);
  const StridedVector b = DecodeVector(c, n, Access::kRead);
  const StridedVector d = DecodeVector(c, n, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_LUBackSubst_mv_32f(lu.p, lu.rowStride, lu.elementStride, index, b.p, b.stride, d.p, d.stride, n);
  });
}

RYN_FUZZ(fnVCAIPP_Det_m_32f) {
  const int n = MatrixSize(c);
  const StridedMatrix m = DecodeMatrix(c, n, n, Access::kRead);
  float* buffer = EliminationBuffer(c, n);
  float* d = c.Out<float>();
  c.Call([=] { return fnVCAIPP_Det_m_32f(m.p, m.rowStride, m.elementStride, n, buffer, d); });
}

RYN_FUZZ(fnVCAIPP_Det_ma_32f) {
  const int n = MatrixSize(c);
  const int count = c.in().Code(1, 8);
  const int elementStride = ElementStride(c);
  const int rowStride = RowStride(c, n, elementStride, true);
  // Matrices mostly one after the other, sometimes overlapping or far apart.
  const int64_t matrixBytes = int64_t{std::max(n, 1)} * std::max(rowStride, 4);
  const int matrixStride = c.in().Pick({ClampToInt(matrixBytes), ClampToInt(matrixBytes), ClampToInt(matrixBytes + 4),
                                        4, 0, -4, ClampToInt(matrixBytes + 2), 1 << 30});
  const float* matrices = Floats(c, {{count, matrixStride}, {n, rowStride}, {n, elementStride}}, Access::kRead);
  SpecialFloats(c, matrices);
  float* buffer = EliminationBuffer(c, n);
  float* d = c.Vector<float>(count, Access::kWrite);
  c.Call([=] {
    return fnVCAIPP_Det_ma_32f(matrices, matrixStride, rowStride, elementStride, n, buffer, d, count);
  });
}

RYN_FUZZ(fnVCAIPP_Invert_m_32f) {
  const int n = MatrixSize(c);
  const bool inPlace = c.in().Flag(4);
  const StridedMatrix m = DecodeMatrix(c, n, n, inPlace ? Access::kWrite : Access::kRead);
  const StridedMatrix d = inPlace ? m : DecodeMatrix(c, n, n, Access::kWrite);
  float* buffer = EliminationBuffer(c, n);
  c.Call([=] {
    return fnVCAIPP_Invert_m_32f(m.p, m.rowStride, m.elementStride, buffer, d.p, d.rowStride, d.elementStride, n);
  });
}

// ---- Element-wise transcendental functions --------------------------------------------------------

namespace {

// Two operand vectors and a result, which may be either operand.
template <class Export>
void TwoOperands(FuzzCase& c, Export call) {
  const int length = c.in().Size();
  const int inPlace = c.in().Pick({0, 0, 0, 1, 2});
  float* a = c.Vector<float>(length, inPlace == 1 ? Access::kWrite : Access::kRead);
  float* b = c.Vector<float>(length, inPlace == 2 ? Access::kWrite : Access::kRead);
  float* d = inPlace == 1 ? a : inPlace == 2 ? b : c.Vector<float>(length, Access::kWrite);
  SpecialFloats(c, a);
  SpecialFloats(c, b);
  c.Call([=] { return call(a, b, d, length); });
}

}  // namespace

RYN_FUZZ(fnVCAIPP_Atan2_32f_C1R) { TwoOperands(c, fnVCAIPP_Atan2_32f_C1R); }
RYN_FUZZ(fnVCAIPP_Hypot_32f_C1R) { TwoOperands(c, fnVCAIPP_Hypot_32f_C1R); }

RYN_FUZZ(fnVCAIPP_SinA11_32f_C1R) {
  const IppiSize region = c.in().Region();
  const int sourceStep = c.DecodeStep<float>(region, 1);
  const int destinationStep = c.DecodeStep<float>(region, 1);
  // Rows advance by whole floats of the step, upwards for a negative one.
  const auto s = c.ImageWithStep<float>(region, 1, Access::kRead, sourceStep / 4 * 4);
  const auto d = c.ImageWithStep<float>(region, 1, Access::kWrite, destinationStep / 4 * 4);
  SpecialFloats(c, s.p);
  c.Call([=] { return fnVCAIPP_SinA11_32f_C1R(s.p, sourceStep, d.p, destinationStep, region); });
}

RYN_FUZZ(fnVCAIPP_ImageJaehne_8u_C1R) {
  const IppiSize region = c.in().Region();
  const auto d = c.Image<uint8_t>(region, 1, Access::kWrite);
  c.Call([=] { return fnVCAIPP_ImageJaehne_8u_C1R(d.p, d.step, region); });
}
