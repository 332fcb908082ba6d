// Accumulations into float images: sums, squares, products and running averages, masked and not.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <tuple>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/arith/float_pixels.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

uint32_t Bits(float x) { return std::bit_cast<uint32_t>(x); }

TEST(Accumulate, AddsBytesSquaresAndExactProducts) {
  ForEachBuild([&](Build) {
    const int n = 67;
    std::vector<uint8_t> a(n), b(n);
    std::vector<float> sums(n, 0.25f), squares(n, 0.5f), products(n, 0.5f);
    for (int i = 0; i < n; ++i) {
      a[i] = static_cast<uint8_t>(255 - i);
      b[i] = static_cast<uint8_t>(i % 2 == 0 ? 255 : i);
    }
    const IppiSize size{n, 1};
    EXPECT_EQ(fnVCAIPP_Add_8u32f_C1IR(a.data(), n, sums.data(), 4 * n, size), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddSquare_8u32f_C1IR(a.data(), squares.data(), size, n, 4 * n), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddProduct_8u32f_C1IR(a.data(), n, b.data(), n, products.data(), 4 * n, size), ippStsNoErr);
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(sums[i], a[i] + 0.25f);
      ASSERT_EQ(squares[i], static_cast<float>(a[i] * a[i]) + 0.5f);
      ASSERT_EQ(products[i], static_cast<float>(a[i] * b[i]) + 0.5f);
    }
    EXPECT_EQ(products[0], 65025.5f);
  });
}

// acc + alpha (source - acc), in that order: with these values the rearranged forms
// (1 - alpha) acc + alpha source or acc (1 - alpha) + alpha source round differently.
TEST(Accumulate, RunningAverageEvaluatesDifferenceProductSum) {
  const float alpha = 0.1f;
  std::vector<float> sources, accumulators;
  for (int i = 0; i < 64; ++i) {
    sources.push_back(0.3f + static_cast<float>(i) * 1.7f);
    accumulators.push_back(1000.0f / static_cast<float>(i + 3));
  }
  int rearrangedDiffers = 0;
  for (size_t i = 0; i < sources.size(); ++i) {
    const float inOrder = accumulators[i] + alpha * (sources[i] - accumulators[i]);
    rearrangedDiffers += Bits(inOrder) != Bits((1.0f - alpha) * accumulators[i] + alpha * sources[i]);
  }
  ASSERT_GT(rearrangedDiffers, 0);
  ForEachBuild([&](Build) {
    std::vector<float> image = accumulators;
    const int n = static_cast<int>(image.size());
    EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IR(sources.data(), image.data(), IppiSize{n, 1}, 4 * n, 4 * n, alpha),
              ippStsNoErr);
    for (int i = 0; i < n; ++i) {
      const float difference = sources[i] - accumulators[i];
      const float step = alpha * difference;
      ASSERT_EQ(Bits(image[i]), Bits(accumulators[i] + step)) << "at " << i;
    }
  });
}

TEST(Accumulate, AlphaZeroKeepsTheAccumulatorAndOneTakesTheSource) {
  ForEachBuild([&](Build) {
    const int n = 41;
    std::vector<uint8_t> bytes(n);
    std::vector<float> floats(n), accumulator(n);
    for (int i = 0; i < n; ++i) {
      bytes[i] = static_cast<uint8_t>(i * 6);
      floats[i] = static_cast<float>(i * 6);
      accumulator[i] = static_cast<float>(255 - i);
    }
    const IppiSize size{n, 1};
    std::vector<float> kept = accumulator, keptBytes = accumulator, taken = accumulator, takenBytes = accumulator;
    EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IR(floats.data(), kept.data(), size, 4 * n, 4 * n, 0.0f), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddWeighted_8u32f_C1IR(bytes.data(), keptBytes.data(), size, n, 4 * n, 0.0f), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IR(floats.data(), taken.data(), size, 4 * n, 4 * n, 1.0f), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddWeighted_8u32f_C1IR(bytes.data(), takenBytes.data(), size, n, 4 * n, 1.0f), ippStsNoErr);
    EXPECT_EQ(kept, accumulator);
    EXPECT_EQ(keptBytes, accumulator);
    EXPECT_EQ(taken, floats);
    EXPECT_EQ(takenBytes, floats);
  });
}

TEST(Accumulate, MaskedFormsChangeOnlySelectedPixels) {
  ForEachBuild([&](Build) {
    const int n = 70;
    std::vector<uint8_t> mask(n), bytes(n);
    std::vector<float> floats(n), accumulator(n);
    for (int i = 0; i < n; ++i) {
      mask[i] = static_cast<uint8_t>(i % 3 == 0 || (i >= 32 && i < 48) ? i + 1 : 0);
      bytes[i] = static_cast<uint8_t>(i);
      floats[i] = static_cast<float>(i) * 0.5f;
      accumulator[i] = 100.0f;
    }
    const IppiSize size{n, 1};
    std::vector<float> sum = accumulator, average = accumulator, averageBytes = accumulator;
    EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(floats.data(), 4 * n, sum.data(), 4 * n, size, mask.data(), n), ippStsNoErr);
    EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IMR(floats.data(), average.data(), mask.data(), size, 4 * n, n, 0.5f),
              ippStsNoErr);
    EXPECT_EQ(
        fnVCAIPP_AddWeighted_8u32f_C1IMR(bytes.data(), averageBytes.data(), mask.data(), size, n, 4 * n, 0.25f),
        ippStsNoErr);
    for (int i = 0; i < n; ++i) {
      const bool selected = mask[i] != 0;
      ASSERT_EQ(sum[i], selected ? 100.0f + floats[i] : 100.0f) << i;
      ASSERT_EQ(average[i], selected ? 100.0f + 0.5f * (floats[i] - 100.0f) : 100.0f) << i;
      ASSERT_EQ(averageBytes[i], selected ? 100.0f + 0.25f * (static_cast<float>(i) - 100.0f) : 100.0f) << i;
    }
  });
}

// Pointers (masks included), the region, steps below their rows, then float steps that are not
// multiples of 4; nothing written.
TEST(Accumulate, ChecksInOrderAndWritesNothing) {
  uint8_t byte = 1;
  float source = 1.0f, image = 9.0f;
  const IppiSize one{1, 1};
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(&source, 4, &image, 4, one, nullptr, 1), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(&source, 4, &image, 4, IppiSize{0, 1}, &byte, 1), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(&source, 4, &image, 4, one, &byte, 0), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(&source, 5, &image, 3, one, &byte, 1), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_Add_32f_C1IMR(&source, 6, &image, 4, one, &byte, 1), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_Add_8u32f_C1IR(nullptr, 1, &image, 4, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_Add_8u32f_C1IR(&byte, 0, &image, 4, one), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AddSquare_8u32f_C1IR(&byte, &image, IppiSize{1, 0}, 1, 4), ippStsSizeErr);
  // The documented case: a float step of 4 x width + 2.
  EXPECT_EQ(fnVCAIPP_AddSquare_8u32f_C1IR(&byte, &image, IppiSize{5, 1}, 5, 22), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AddProduct_8u32f_C1IR(&byte, 1, &byte, 0, &image, 4, one), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AddProduct_8u32f_C1IR(&byte, 1, nullptr, 1, &image, 4, one), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IR(&source, &image, one, 4, 2, 0.5f), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IR(&source, &image, one, 5, 4, 0.5f), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_8u32f_C1IR(&byte, &image, one, 1, 7, 0.5f), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IMR(&source, &image, &byte, one, 4, 0, 0.5f), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_32f_C1IMR(&source, &image, nullptr, one, 4, 1, 0.5f), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_8u32f_C1IMR(&byte, &image, &byte, one, 1, 6, 0.5f), ippStsNotEvenStepErr);
  EXPECT_EQ(fnVCAIPP_AddWeighted_8u32f_C1IMR(&byte, &image, &byte, IppiSize{2, 1}, 1, 8, 0.5f), ippStsStepErr);
  EXPECT_EQ(image, 9.0f);
}

TEST(Accumulate, BuildsMatchTheGenericCodeOnEveryShape) {
  ForEachOddShape([&](const Shape& shape) {
    ExpectBuildsMatchGeneric([&](Build) {
      const int w = shape.width, h = shape.height;
      const int floatPadding = 4 * shape.padding;
      TestImage<uint8_t> bytes(w, h, shape.padding, 3), moreBytes(w, h, shape.padding, 1), mask(w, h, shape.padding, 2);
      TestImage<float> floats(w, h, floatPadding, 8);
      bytes.FillRandom(51, 0, 255);
      moreBytes.FillRandom(52, 0, 255);
      mask.FillRandom(53, 0, 3);  // about a quarter unselected
      floats.FillRandom(54, -300.0f, 300.0f);
      TestImage<float> start(w, h, floatPadding, 4);
      start.FillRandom(55, -50.0f, 400.0f);
      std::vector<TestImage<float>> images(8, start);
      const IppiSize size = floats.size();
      const int step = start.step();
      const std::vector<IppStatus> statuses = {
          fnVCAIPP_Add_32f_C1IMR(floats.data(), floats.step(), images[0].data(), step, size, mask.data(), mask.step()),
          fnVCAIPP_Add_8u32f_C1IR(bytes.data(), bytes.step(), images[1].data(), step, size),
          fnVCAIPP_AddSquare_8u32f_C1IR(bytes.data(), images[2].data(), size, bytes.step(), step),
          fnVCAIPP_AddProduct_8u32f_C1IR(bytes.data(), bytes.step(), moreBytes.data(), moreBytes.step(),
                                         images[3].data(), step, size),
          fnVCAIPP_AddWeighted_32f_C1IR(floats.data(), images[4].data(), size, floats.step(), step, 0.03f),
          fnVCAIPP_AddWeighted_8u32f_C1IR(bytes.data(), images[5].data(), size, bytes.step(), step, 0.7f),
          fnVCAIPP_AddWeighted_32f_C1IMR(floats.data(), images[6].data(), mask.data(), size, step, mask.step(),
                                         0.3f),
          fnVCAIPP_AddWeighted_8u32f_C1IMR(bytes.data(), images[7].data(), mask.data(), size, bytes.step(), step,
                                           0.45f)};
      std::vector<Snapshot> snapshots;
      for (const auto& image : images) {
        EXPECT_TRUE(image.GuardsIntact());
        snapshots.push_back(Capture(image));
      }
      return std::tuple(statuses, snapshots);
    });
  });
}

}  // namespace
}  // namespace ryn::test
