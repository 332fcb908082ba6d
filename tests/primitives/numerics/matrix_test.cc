// Small vector and matrix algebra: the builders' geometry, strided products against plain
// loops, LU decomposition and back-substitution against direct solves in double, determinants,
// inversion, and the checks in their documented order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"

namespace ryn::test {
namespace {

constexpr double kPi = 3.141592653589793;

// A matrix of floats inside a larger record: rows `rowStride` bytes apart, elements
// `elementStride` bytes apart, the rest of the record filled with a marker that must survive.
class StridedMatrix {
 public:
  static constexpr float kMarker = -12345.0f;

  StridedMatrix(int rows, int columns, int rowStride, int elementStride)
      : rows_(rows), columns_(columns), rowStride_(rowStride), elementStride_(elementStride),
        storage_(static_cast<size_t>((rows * rowStride + columns * elementStride) / 4 + 8), kMarker) {}

  float* data() { return storage_.data(); }
  int rowStride() const { return rowStride_; }
  int elementStride() const { return elementStride_; }
  float& at(int i, int j) { return storage_[static_cast<size_t>((i * rowStride_ + j * elementStride_) / 4)]; }

  void FillRandom(uint32_t seed, float low = -1.0f, float high = 1.0f) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> uniform(low, high);
    for (int i = 0; i < rows_; ++i)
      for (int j = 0; j < columns_; ++j) at(i, j) = uniform(rng);
  }

  // Everything but the matrix's own elements still holds the marker.
  bool OnlyElementsWritten() {
    std::vector<bool> element(storage_.size(), false);
    for (int i = 0; i < rows_; ++i)
      for (int j = 0; j < columns_; ++j) element[static_cast<size_t>((i * rowStride_ + j * elementStride_) / 4)] = true;
    for (size_t k = 0; k < storage_.size(); ++k) {
      if (!element[k] && storage_[k] != kMarker) return false;
    }
    return true;
  }

  std::vector<double> Dense() {
    std::vector<double> dense;
    for (int i = 0; i < rows_; ++i)
      for (int j = 0; j < columns_; ++j) dense.push_back(at(i, j));
    return dense;
  }

 private:
  int rows_, columns_, rowStride_, elementStride_;
  std::vector<float> storage_;
};

// Solves A x = b in double by Gaussian elimination with partial pivoting.
std::vector<double> SolveInDouble(std::vector<double> a, std::vector<double> b) {
  const size_t n = b.size();
  for (size_t k = 0; k < n; ++k) {
    size_t pivot = k;
    for (size_t i = k + 1; i < n; ++i)
      if (std::fabs(a[i * n + k]) > std::fabs(a[pivot * n + k])) pivot = i;
    for (size_t j = 0; j < n; ++j) std::swap(a[k * n + j], a[pivot * n + j]);
    std::swap(b[k], b[pivot]);
    for (size_t i = k + 1; i < n; ++i) {
      const double factor = a[i * n + k] / a[k * n + k];
      for (size_t j = k; j < n; ++j) a[i * n + j] -= factor * a[k * n + j];
      b[i] -= factor * b[k];
    }
  }
  std::vector<double> x(n);
  for (size_t i = n; i-- > 0;) {
    double sum = b[i];
    for (size_t j = i + 1; j < n; ++j) sum -= a[i * n + j] * x[j];
    x[i] = sum / a[i * n + i];
  }
  return x;
}

double DeterminantInDouble(std::vector<double> a, size_t n) {
  double determinant = 1.0;
  for (size_t k = 0; k < n; ++k) {
    size_t pivot = k;
    for (size_t i = k + 1; i < n; ++i)
      if (std::fabs(a[i * n + k]) > std::fabs(a[pivot * n + k])) pivot = i;
    if (pivot != k) {
      for (size_t j = 0; j < n; ++j) std::swap(a[k * n + j], a[pivot * n + j]);
      determinant = -determinant;
    }
    determinant *= a[k * n + k];
    if (a[k * n + k] == 0.0) return 0.0;
    for (size_t i = k + 1; i < n; ++i) {
      const double factor = a[i * n + k] / a[k * n + k];
      for (size_t j = k; j < n; ++j) a[i * n + j] -= factor * a[k * n + j];
    }
  }
  return determinant;
}

// Row vector times 4 x 4 matrix.
std::vector<float> Times(const std::vector<float>& v, const float* m) {
  std::vector<float> out(4, 0.0f);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) out[c] += v[r] * m[r * 4 + c];
  return out;
}

void ExpectVectorNear(const std::vector<float>& got, const std::vector<float>& expected, double tolerance) {
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], tolerance) << "element " << i;
}

TEST(MatrixBuilders, RotationZAtQuarterTurn) {
  float m[16];
  ASSERT_EQ(fnVCAIPP_RotationZ_m4_32f(static_cast<float>(kPi / 2), m), ippStsNoErr);
  EXPECT_NEAR(m[1], 1.0f, 1e-7);
  EXPECT_NEAR(m[4], -1.0f, 1e-7);
  EXPECT_NEAR(m[0], 0.0f, 1e-7);
  EXPECT_NEAR(m[5], 0.0f, 1e-7);
  const int ones[] = {10, 15};
  for (int k : ones) EXPECT_EQ(m[k], 1.0f);
  for (int k : {2, 3, 6, 7, 8, 9, 11, 12, 13, 14}) EXPECT_EQ(m[k], 0.0f) << k;
}

TEST(MatrixBuilders, RotationsTurnCounterClockwiseSeenFromTheAxis) {
  const float angle = 0.3f;
  const float c = std::cos(angle), s = std::sin(angle);
  float m[16];
  // About x, y turns towards z; about y, z towards x; about z, x towards y.
  ASSERT_EQ(fnVCAIPP_RotationX_m4_32f(angle, m), ippStsNoErr);
  ExpectVectorNear(Times({0, 1, 0, 1}, m), {0, c, s, 1}, 1e-7);
  ExpectVectorNear(Times({1, 0, 0, 1}, m), {1, 0, 0, 1}, 0);
  ASSERT_EQ(fnVCAIPP_RotationY_m4_32f(angle, m), ippStsNoErr);
  ExpectVectorNear(Times({0, 0, 1, 1}, m), {s, 0, c, 1}, 1e-7);
  ExpectVectorNear(Times({0, 1, 0, 1}, m), {0, 1, 0, 1}, 0);
  ASSERT_EQ(fnVCAIPP_RotationZ_m4_32f(angle, m), ippStsNoErr);
  ExpectVectorNear(Times({1, 0, 0, 1}, m), {c, s, 0, 1}, 1e-7);
  ASSERT_EQ(fnVCAIPP_Translation_m4_32f(1.5f, -2.0f, 3.0f, m), ippStsNoErr);
  ExpectVectorNear(Times({1, 1, 1, 1}, m), {2.5f, -1.0f, 4.0f, 1.0f}, 0);
}

TEST(MatrixBuilders, NormalizeInPlaceAndTheZeroVector) {
  float v[3] = {3.0f, -4.0f, 12.0f};
  ASSERT_EQ(fnVCAIPP_Normalize_v3_32f(v, v), ippStsNoErr);
  EXPECT_FLOAT_EQ(v[0], 3.0f / 13);
  EXPECT_FLOAT_EQ(v[1], -4.0f / 13);
  EXPECT_FLOAT_EQ(v[2], 12.0f / 13);
  const float zero[3] = {0, 0, 0};
  ASSERT_EQ(fnVCAIPP_Normalize_v3_32f(zero, v), ippStsNoErr);
  EXPECT_FALSE(std::isfinite(v[0]));
}

TEST(MatrixBuilders, NullMatricesAreRejectedInsteadOfWrittenThrough) {
  EXPECT_EQ(fnVCAIPP_RotationX_m4_32f(1.0f, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RotationY_m4_32f(1.0f, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_RotationZ_m4_32f(1.0f, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Translation_m4_32f(1, 2, 3, nullptr), ippStsNullPtrErr);
  float v[3] = {1, 2, 3};
  EXPECT_EQ(fnVCAIPP_Normalize_v3_32f(nullptr, v), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Normalize_v3_32f(v, nullptr), ippStsNullPtrErr);
}

TEST(MatrixProducts, StridedProductsEqualPlainLoops) {
  // Packed rows and rows inside larger records give the same results.
  for (auto [elementStride, padding] : {std::pair{4, 0}, std::pair{8, 4}, std::pair{12, 20}}) {
    SCOPED_TRACE(::testing::Message() << "element stride " << elementStride << ", row padding " << padding);
    const int height = 3, width = 5, columns = 4;
    StridedMatrix a(height, width, width * elementStride + padding, elementStride);
    StridedMatrix b(width, columns, columns * elementStride + padding, elementStride);
    StridedMatrix v(1, width, 0, elementStride), product(height, columns, columns * elementStride + padding, elementStride);
    StridedMatrix mv(1, height, 0, elementStride);
    a.FillRandom(1);
    b.FillRandom(2);
    v.FillRandom(3);
    ASSERT_EQ(fnVCAIPP_Mul_mv_32f(a.data(), a.rowStride(), elementStride, width, height, v.data(), elementStride,
                                  width, mv.data(), elementStride),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_Mul_mm_32f(a.data(), a.rowStride(), elementStride, width, height, b.data(), b.rowStride(),
                                  elementStride, columns, width, product.data(), product.rowStride(), elementStride),
              ippStsNoErr);
    for (int i = 0; i < height; ++i) {
      float sum = 0.0f;
      for (int j = 0; j < width; ++j) sum += a.at(i, j) * v.at(0, j);
      EXPECT_EQ(mv.at(0, i), sum);
      for (int k = 0; k < columns; ++k) {
        float cell = 0.0f;
        for (int j = 0; j < width; ++j) cell += a.at(i, j) * b.at(j, k);
        EXPECT_EQ(product.at(i, k), cell);
      }
    }
    EXPECT_TRUE(mv.OnlyElementsWritten());
    EXPECT_TRUE(product.OnlyElementsWritten());
  }
}

TEST(VectorAlgebra, ElementWiseProductsAndNorms) {
  const int stride = 12;
  StridedMatrix a(1, 3, 0, stride), b(1, 3, 0, 8), out(1, 3, 0, stride);
  a.at(0, 0) = 1, a.at(0, 1) = 2, a.at(0, 2) = 3;
  b.at(0, 0) = 4, b.at(0, 1) = -5, b.at(0, 2) = 6;
  ASSERT_EQ(fnVCAIPP_Mul_vc_32f(a.data(), stride, 2.5f, out.data(), stride, 3), ippStsNoErr);
  EXPECT_EQ(out.Dense(), (std::vector<double>{2.5, 5, 7.5}));
  ASSERT_EQ(fnVCAIPP_Sub_vv_32f(a.data(), stride, b.data(), 8, out.data(), stride, 3), ippStsNoErr);
  EXPECT_EQ(out.Dense(), (std::vector<double>{-3, 7, -3}));
  ASSERT_EQ(fnVCAIPP_CrossProduct_vv_32f(a.data(), stride, b.data(), 8, out.data(), stride), ippStsNoErr);
  EXPECT_EQ(out.Dense(), (std::vector<double>{27, 6, -13}));
  EXPECT_TRUE(out.OnlyElementsWritten());
  // The cross product may overwrite one of its sources.
  ASSERT_EQ(fnVCAIPP_CrossProduct_vv_32f(a.data(), stride, b.data(), 8, a.data(), stride), ippStsNoErr);
  EXPECT_EQ(a.Dense(), (std::vector<double>{27, 6, -13}));
  float dot = 0, norm = 0;
  ASSERT_EQ(fnVCAIPP_DotProduct_vv_32f(b.data(), 8, b.data(), 8, &dot, 3), ippStsNoErr);
  EXPECT_EQ(dot, 77.0f);
  ASSERT_EQ(fnVCAIPP_L2Norm_v_32f(b.data(), 8, &norm, 2), ippStsNoErr);
  EXPECT_FLOAT_EQ(norm, std::sqrt(41.0f));
}

TEST(MatrixChecks, NullThenSizesThenMatchThenStrides) {
  float m[16] = {}, v[4] = {}, d[4] = {7, 7, 7, 7};
  // Matrix-vector: a 3-wide matrix and a vector of 2 do not match.
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 12, 4, 3, 2, nullptr, 4, 0, d, 6), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 12, 4, 3, 2, v, 4, 0, d, 6), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 12, 4, 3, 2, v, 4, 2, d, 6), ippStsSizeMatchMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 12, 4, 3, 2, v, 4, 3, d, 6), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 0, 4, 3, 2, v, 4, 3, d, 4), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_mv_32f(m, 12, -4, 3, 2, v, 4, 3, d, 4), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_mm_32f(m, 12, 4, 3, 2, m, 12, 4, 3, 2, d, 12, 4), ippStsSizeMatchMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_mm_32f(m, 12, 4, 3, 2, m, 12, 4, 0, 3, d, 12, 4), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mul_mm_32f(m, 12, 4, 3, 2, m, 12, 4, 3, 3, d, 12, 6), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Mul_vc_32f(v, 4, 1.0f, nullptr, 4, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Mul_vc_32f(v, 4, 1.0f, d, 4, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Mul_vc_32f(v, 6, 1.0f, d, 4, 1), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Sub_vv_32f(v, 4, v, 0, d, 4, 1), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Sub_vv_32f(v, 4, nullptr, 0, d, 4, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_DotProduct_vv_32f(v, 4, v, 4, d, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_DotProduct_vv_32f(v, 4, v, 2, d, 1), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_CrossProduct_vv_32f(v, 4, v, 4, nullptr, 4), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_CrossProduct_vv_32f(v, 4, v, 4, d, 0), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_L2Norm_v_32f(v, 4, nullptr, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_L2Norm_v_32f(v, 5, d, 1), ippStsStrideMatrixErr);
  for (float value : d) EXPECT_EQ(value, 7.0f);
}

TEST(LUDecomposition, PivotsOnTheLargestAndTheFirstOnTies) {
  const float swapped[4] = {0, 1, 1, 0};
  float lu[4];
  int index[2];
  ASSERT_EQ(fnVCAIPP_LUDecomp_m_32f(swapped, 8, 4, index, lu, 8, 4, 2), ippStsNoErr);
  EXPECT_EQ(index[0], 1);
  EXPECT_EQ(index[1], 0);
  const float tie[4] = {1, 2, -1, 3};
  ASSERT_EQ(fnVCAIPP_LUDecomp_m_32f(tie, 8, 4, index, lu, 8, 4, 2), ippStsNoErr);
  EXPECT_EQ(index[0], 0);
  EXPECT_EQ(index[1], 1);
  EXPECT_EQ(lu[2], -1.0f);  // the multiplier of the second row
  EXPECT_EQ(lu[3], 5.0f);   // 3 - (-1) x 2
}

TEST(LUDecomposition, SingularBelowTwiceTheSmallestNormal) {
  const float tiny = std::numeric_limits<float>::min();
  float lu[4];
  int index[2];
  const float singular[4] = {tiny, 0, 0, 1};
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(singular, 8, 4, index, lu, 8, 4, 2), ippStsSingularErr);
  const float justRegular[4] = {2 * tiny, 0, 0, 1};
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(justRegular, 8, 4, index, lu, 8, 4, 2), ippStsNoErr);
  const float equalRows[9] = {1, 2, 3, 1, 2, 3, 4, 5, 7};
  float lu3[9];
  int index3[3];
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(equalRows, 12, 4, index3, lu3, 12, 4, 3), ippStsSingularErr);
}

TEST(LUDecomposition, SolvesWellConditionedSystems) {
  std::mt19937 rng(11);
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE(n);
    // Random systems with a dominant diagonal, so that they are well conditioned.
    StridedMatrix a(n, n, n * 8 + 4, 8), lu(n, n, n * 4, 4), b(1, n, 0, 12), x(1, n, 0, 4);
    a.FillRandom(static_cast<uint32_t>(n));
    b.FillRandom(static_cast<uint32_t>(n + 100), -10.0f, 10.0f);
    for (int i = 0; i < n; ++i) a.at(i, (i * 5 + 2) % n) += (i % 2 ? -1.0f : 1.0f) * static_cast<float>(n);
    std::vector<int> index(static_cast<size_t>(n));
    ASSERT_EQ(fnVCAIPP_LUDecomp_m_32f(a.data(), a.rowStride(), 8, index.data(), lu.data(), lu.rowStride(), 4, n),
              ippStsNoErr);
    ASSERT_EQ(fnVCAIPP_LUBackSubst_mv_32f(lu.data(), lu.rowStride(), 4, index.data(), b.data(), 12, x.data(), 4, n),
              ippStsNoErr);
    const std::vector<double> expected = SolveInDouble(a.Dense(), b.Dense());
    for (int i = 0; i < n; ++i) EXPECT_NEAR(x.at(0, i), expected[static_cast<size_t>(i)], 1e-5 * (1 + std::fabs(expected[i])));
    EXPECT_TRUE(lu.OnlyElementsWritten());
    EXPECT_TRUE(x.OnlyElementsWritten());
    // In place: the factors replace the matrix.
    ASSERT_EQ(fnVCAIPP_LUDecomp_m_32f(a.data(), a.rowStride(), 8, index.data(), a.data(), a.rowStride(), 8, n),
              ippStsNoErr);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) EXPECT_EQ(a.at(i, j), lu.at(i, j));
  }
}

TEST(LUDecomposition, Checks) {
  float m[4] = {1, 0, 0, 1}, lu[4] = {9, 9, 9, 9};
  int index[2] = {7, 7};
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(m, 8, 4, nullptr, lu, 8, 4, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(m, 8, 4, index, lu, 8, 4, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_LUDecomp_m_32f(m, 8, 4, index, lu, 6, 4, 2), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_LUBackSubst_mv_32f(m, 8, 4, index, nullptr, 4, lu, 4, 2), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_LUBackSubst_mv_32f(m, 8, 4, index, m, 4, lu, 4, -1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_LUBackSubst_mv_32f(m, 8, 4, index, m, 0, lu, 4, 2), ippStsStrideMatrixErr);
  for (float v : lu) EXPECT_EQ(v, 9.0f);
  EXPECT_EQ(index[0], 7);
}

TEST(Determinant, EverySizeAgainstDoublePrecision) {
  std::vector<float> buffer(12 * 12 + 12);
  for (int n = 1; n <= 11; ++n) {
    SCOPED_TRACE(n);
    StridedMatrix a(n, n, n * 12 + 8, 12);
    a.FillRandom(static_cast<uint32_t>(n * 3), -2.0f, 2.0f);
    float determinant = 0;
    ASSERT_EQ(fnVCAIPP_Det_m_32f(a.data(), a.rowStride(), 12, n, buffer.data(), &determinant), ippStsNoErr);
    const double expected = DeterminantInDouble(a.Dense(), static_cast<size_t>(n));
    EXPECT_NEAR(determinant, expected, 1e-5 * std::max(1.0, std::fabs(expected)));
  }
}

TEST(Determinant, EqualRowsGiveZeroWithoutError) {
  std::vector<float> buffer(10 * 10 + 10);
  for (int n = 2; n <= 9; ++n) {
    SCOPED_TRACE(n);
    StridedMatrix a(n, n, n * 4, 4);
    a.FillRandom(static_cast<uint32_t>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) a.at(i, j) = std::round(a.at(i, j) * 8);  // exact products for the closed forms
    for (int j = 0; j < n; ++j) a.at(n - 1, j) = a.at(0, j);
    float determinant = 1;
    ASSERT_EQ(fnVCAIPP_Det_m_32f(a.data(), a.rowStride(), 4, n, buffer.data(), &determinant), ippStsNoErr);
    EXPECT_EQ(determinant, 0.0f);
    std::vector<float> inverse(static_cast<size_t>(n * n), 5.0f);
    EXPECT_EQ(fnVCAIPP_Invert_m_32f(a.data(), a.rowStride(), 4, buffer.data(), inverse.data(), n * 4, 4, n),
              ippStsSingularErr);
    EXPECT_TRUE(std::all_of(inverse.begin(), inverse.end(), [](float v) { return v == 5.0f; }));
  }
}

TEST(Determinant, ArraysOfMatrices) {
  // Three 2 x 2 matrices, 32 bytes apart.
  const float matrices[24] = {1, 2, 3, 4, 0, 0, 0, 0, 2, 0, 0, 3, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0};
  float buffer[6], determinants[4] = {9, 9, 9, 9};
  ASSERT_EQ(fnVCAIPP_Det_ma_32f(matrices, 32, 8, 4, 2, buffer, determinants, 3), ippStsNoErr);
  EXPECT_FLOAT_EQ(determinants[0], -2.0f);
  EXPECT_FLOAT_EQ(determinants[1], 6.0f);
  EXPECT_FLOAT_EQ(determinants[2], -1.0f);
  EXPECT_EQ(determinants[3], 9.0f);
  EXPECT_EQ(fnVCAIPP_Det_ma_32f(matrices, 32, 8, 4, 0, nullptr, determinants, 0), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Det_ma_32f(matrices, 32, 8, 4, 0, buffer, determinants, 0), ippStsCountMatrixErr);
  EXPECT_EQ(fnVCAIPP_Det_ma_32f(matrices, 32, 8, 4, 0, buffer, determinants, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Det_ma_32f(matrices, 0, 8, 4, 2, buffer, determinants, 1), ippStsStrideMatrixErr);
  EXPECT_EQ(fnVCAIPP_Det_m_32f(matrices, 8, 4, 3, nullptr, determinants), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Det_m_32f(matrices, 8, 4, 0, buffer, determinants), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Det_m_32f(matrices, 8, 6, 2, buffer, determinants), ippStsStrideMatrixErr);
  EXPECT_EQ(determinants[3], 9.0f);
}

TEST(Invert, ProductWithTheInverseIsTheIdentity) {
  std::vector<float> buffer(12 * 12 + 12);
  for (int n = 1; n <= 11; ++n) {
    SCOPED_TRACE(n);
    StridedMatrix a(n, n, n * 8, 8), inverse(n, n, n * 4 + 12, 4);
    a.FillRandom(static_cast<uint32_t>(n + 40));
    for (int i = 0; i < n; ++i) a.at(i, n - 1 - i) += 2.0f;
    ASSERT_EQ(fnVCAIPP_Invert_m_32f(a.data(), a.rowStride(), 8, buffer.data(), inverse.data(), inverse.rowStride(),
                                    4, n),
              ippStsNoErr);
    for (int i = 0; i < n; ++i) {
      for (int k = 0; k < n; ++k) {
        double sum = 0;
        for (int j = 0; j < n; ++j) sum += double{a.at(i, j)} * inverse.at(j, k);
        EXPECT_NEAR(sum, i == k ? 1.0 : 0.0, 2e-5) << "(" << i << ", " << k << ")";
      }
    }
    EXPECT_TRUE(inverse.OnlyElementsWritten());
    // In place gives the same inverse.
    ASSERT_EQ(fnVCAIPP_Invert_m_32f(a.data(), a.rowStride(), 8, buffer.data(), a.data(), a.rowStride(), 8, n),
              ippStsNoErr);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) EXPECT_EQ(a.at(i, j), inverse.at(i, j));
  }
}

TEST(Invert, ThresholdsAndChecks) {
  const float tiny = std::numeric_limits<float>::min();
  float buffer[2], inverse = 7.0f;
  const float atThreshold = 2 * tiny, above = 4 * tiny;
  EXPECT_EQ(fnVCAIPP_Invert_m_32f(&atThreshold, 4, 4, buffer, &inverse, 4, 4, 1), ippStsSingularErr);
  EXPECT_EQ(inverse, 7.0f);
  EXPECT_EQ(fnVCAIPP_Invert_m_32f(&above, 4, 4, buffer, &inverse, 4, 4, 1), ippStsNoErr);
  EXPECT_EQ(inverse, 1.0f / above);
  inverse = 7.0f;
  EXPECT_EQ(fnVCAIPP_Invert_m_32f(&above, 4, 4, nullptr, &inverse, 4, 4, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Invert_m_32f(&above, 4, 4, buffer, &inverse, 4, 4, 0), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Invert_m_32f(&above, 4, 4, buffer, &inverse, 4, 2, 1), ippStsStrideMatrixErr);
  EXPECT_EQ(inverse, 7.0f);
}

}  // namespace
}  // namespace ryn::test
