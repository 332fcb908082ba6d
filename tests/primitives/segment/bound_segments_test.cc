// Boundaries between segments, marked in place in raster order.
#include <gtest/gtest.h>

#include <vector>

#include "RynRAZUdidazoror.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

using Rows = std::vector<std::vector<int>>;

// The boundaries of `rows`, in a guarded image.
Rows Bound(const Rows& rows, uint8_t border, int norm) {
  TestImage<uint8_t> image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.at(x, y) = static_cast<uint8_t>(rows[y][x]);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(image.data(), image.step(), image.size(), border, norm), ippStsNoErr);
  EXPECT_TRUE(image.GuardsIntact());
  Rows result(rows.size());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) result[y].push_back(image.at(x, y));
  return result;
}

TEST(BoundSegments, TwoHalvesGetOneBoundaryColumn) {
  const Rows halves(4, std::vector<int>{10, 10, 10, 20, 20, 20});
  for (int norm : {0, 1}) EXPECT_EQ(Bound(halves, 0, norm), Rows(4, std::vector<int>{10, 10, 10, 0, 20, 20}));
}

TEST(BoundSegments, MarkedPixelsDoNotMarkTheirSuccessors) {
  const Rows square = {{1, 1, 1}, {1, 2, 2}, {1, 2, 2}};
  const Rows expected = {{1, 1, 1}, {1, 0, 0}, {1, 0, 2}};
  EXPECT_EQ(Bound(square, 0, 1), expected);
  EXPECT_EQ(Bound(square, 0, 0), expected);
}

TEST(BoundSegments, EightNeighboursAddTheUpperDiagonals) {
  const Rows upLeft = {{2, 1}, {1, 1}};
  EXPECT_EQ(Bound(upLeft, 0, 1), (Rows{{2, 0}, {0, 1}}));
  EXPECT_EQ(Bound(upLeft, 0, 0), (Rows{{2, 0}, {0, 0}}));
  const Rows upRight = {{1, 1, 2, 2}, {1, 1, 1, 1}};
  EXPECT_EQ(Bound(upRight, 0, 1), (Rows{{1, 1, 0, 2}, {1, 1, 1, 0}}));
  EXPECT_EQ(Bound(upRight, 0, 0), (Rows{{1, 1, 0, 2}, {1, 1, 0, 0}}));
}

TEST(BoundSegments, OneColumnAndOneRow) {
  const Rows column = {{1}, {2}, {2}, {3}};
  EXPECT_EQ(Bound(column, 9, 0), (Rows{{1}, {9}, {2}, {9}}));
  EXPECT_EQ(Bound(Rows{{4, 4, 5, 9, 9, 5}}, 9, 0), (Rows{{4, 4, 9, 9, 9, 5}}));
}

TEST(BoundSegments, BadArgumentsInOrderChangeNothing) {
  uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(nullptr, 0, IppiSize{0, 0}, 0, 5), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(pixels, 0, IppiSize{0, 2}, 0, 5), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(pixels, 0, IppiSize{3, -2}, 0, 5), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(pixels, 2, IppiSize{3, 2}, 0, 5), ippStsStepErr);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(pixels, 3, IppiSize{3, 2}, 0, 2), ippStsBadArgErr);
  EXPECT_EQ(fnVCAIPP_BoundSegments_8u_C1IR(pixels, 3, IppiSize{3, 2}, 0, -1), ippStsBadArgErr);
  EXPECT_EQ(std::vector<uint8_t>(pixels, pixels + 6), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace ryn::test
