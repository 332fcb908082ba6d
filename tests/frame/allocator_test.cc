// Image and vector allocation, release and the record constructors.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "RynRAZUdidazoror.h"

namespace ryn::test {
namespace {

bool Aligned32(const void* p) { return reinterpret_cast<uintptr_t>(p) % 32 == 0; }

TEST(ImageAllocation, StepIsTheRowRoundedUpTo32Bytes) {
  struct Case {
    void* (*allocate)(int, int, int*);
    int width;
    int expectedStep;
  };
  const Case cases[] = {
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_8u_C1(w, h, s); }, 1, 32},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_8u_C1(w, h, s); }, 33, 64},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_8u_C3(w, h, s); }, 11, 64},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_16u_C1(w, h, s); }, 16, 32},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_16s_C1(w, h, s); }, 17, 64},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_32s_C1(w, h, s); }, 9, 64},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_32f_C1(w, h, s); }, 640, 2560},
      {[](int w, int h, int* s) -> void* { return fnVCAIPP_Malloc_32fc_C1(w, h, s); }, 5, 64},
  };
  for (const Case& c : cases) {
    int step = -1;
    void* block = c.allocate(c.width, 3, &step);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(step, c.expectedStep) << "width " << c.width;
    EXPECT_TRUE(Aligned32(block));
    // The whole block is usable: step x height bytes.
    static_cast<uint8_t*>(block)[step * 3 - 1] = 1;
    fnVCAIPP_Free(block);
  }
}

TEST(ImageAllocation, BadSizesAndMissingStep) {
  int step = -1;
  EXPECT_EQ(fnVCAIPP_Malloc_8u_C1(0, 5, &step), nullptr);
  EXPECT_EQ(step, 0);
  step = -1;
  EXPECT_EQ(fnVCAIPP_Malloc_32f_C1(5, -1, &step), nullptr);
  EXPECT_EQ(step, 0);
  EXPECT_EQ(fnVCAIPP_Malloc_8u_C1(10, 10, nullptr), nullptr);
}

TEST(ImageAllocation, SizesBeyond32BitsGiveNullNotAShortBlock) {
  int step = -1;
  // step 65536 x 32769 rows exceeds 2^31 - 1 bytes: the step is written, the block refused.
  EXPECT_EQ(fnVCAIPP_Malloc_8u_C1(65536, 32769, &step), nullptr);
  EXPECT_EQ(step, 65536);
  // A row whose step itself does not fit in 32 bits.
  step = -1;
  EXPECT_EQ(fnVCAIPP_Malloc_32fc_C1(INT_MAX / 4, 1, &step), nullptr);
  EXPECT_EQ(step, 0);
}

TEST(VectorAllocation, LengthsAndOverflow) {
  uint8_t* bytes = fnVCAIPP_ippsMalloc_8u(1);
  ASSERT_NE(bytes, nullptr);
  EXPECT_TRUE(Aligned32(bytes));
  bytes[0] = 1;
  fnVCAIPP_ippsFree(bytes);

  float* floats = fnVCAIPP_ippsMalloc_32f(33);
  ASSERT_NE(floats, nullptr);
  EXPECT_TRUE(Aligned32(floats));
  floats[32] = 1.0f;
  fnVCAIPP_Free(floats);  // either release export takes any block

  int8_t* product = fnVCAIPP_ippsMalloc_8s_C1(7, 9);
  ASSERT_NE(product, nullptr);
  product[62] = 1;
  fnVCAIPP_ippsFree(product);

  EXPECT_EQ(fnVCAIPP_ippsMalloc_8u(0), nullptr);
  EXPECT_EQ(fnVCAIPP_ippsMalloc_32s(-4), nullptr);
  EXPECT_EQ(fnVCAIPP_ippsMalloc_32s(INT_MAX / 4 + 1), nullptr) << "4 x length beyond 2^31 - 1";
  EXPECT_EQ(fnVCAIPP_ippsMalloc_32f(INT_MAX), nullptr);
  EXPECT_EQ(fnVCAIPP_ippsMalloc_8s_C1(65536, 65536), nullptr) << "product wraps in 32 bits";
  EXPECT_EQ(fnVCAIPP_ippsMalloc_8s_C1(-2, -3), nullptr);
}

TEST(Release, NullDoesNothing) {
  fnVCAIPP_Free(nullptr);
  fnVCAIPP_ippsFree(nullptr);
}

TEST(Records, FieldsInArgumentOrder) {
  const IppiSize size = fnVCAIPP_IppiSize(-3, 7);
  EXPECT_EQ(size.width, -3);
  EXPECT_EQ(size.height, 7);
  const IppiPoint point = fnVCAIPP_IppiPoint(INT_MIN, 2);
  EXPECT_EQ(point.x, INT_MIN);
  EXPECT_EQ(point.y, 2);
  const IppiRect rect = fnVCAIPP_IppiRect(1, 2, 3, 4);
  EXPECT_EQ(rect.x, 1);
  EXPECT_EQ(rect.y, 2);
  EXPECT_EQ(rect.width, 3);
  EXPECT_EQ(rect.height, 4);
  static_assert(sizeof(IppiSize) == 8 && sizeof(IppiPoint) == 8 && sizeof(IppiRect) == 16);
}

}  // namespace
}  // namespace ryn::test
