// From a motion mask to boxes: labelling and measuring blobs, shaping boxes, holding them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "privacy_mask/blob_finder.h"
#include "privacy_mask/box_geometry.h"
#include "privacy_mask/box_hold.h"

namespace ryn::privacy_mask {
namespace {

void Fill(BytePlane& plane, const Zone& box) {
  for (int64_t y = box.y; y < box.bottom(); ++y)
    std::memset(plane.row(static_cast<int>(y)) + box.x, 255, static_cast<size_t>(box.width));
}

BytePlane EmptyMask(int width, int height) {
  BytePlane mask(width, height);
  for (int y = 0; y < height; ++y) std::memset(mask.row(y), 0, static_cast<size_t>(width));
  return mask;
}

TEST(BlobFinder, MeasuresEveryEightConnectedRegion) {
  BytePlane mask = EmptyMask(50, 30);
  Fill(mask, Zone{2, 3, 5, 4});
  Fill(mask, Zone{20, 10, 3, 3});
  Fill(mask, Zone{23, 13, 2, 2});  // touches the previous one at a corner only
  Fill(mask, Zone{49, 29, 1, 1});
  BlobFinder finder(50, 30);
  EXPECT_THAT(finder.Find(mask), testing::UnorderedElementsAre(Blob{20, Zone{2, 3, 5, 4}}, Blob{13, Zone{20, 10, 5, 5}},
                                                               Blob{1, Zone{49, 29, 1, 1}}));
  EXPECT_EQ(mask.row(3)[2], 255);  // the mask itself is not labelled
  EXPECT_THAT(finder.Find(EmptyMask(50, 30)), testing::IsEmpty());
}

TEST(BlobFinder, RegionsBeyondTheLabelRangeShareABoxAndAreNotLost) {
  // 300 single pixels on every other column and row: labels run out after 254.
  BytePlane mask = EmptyMask(60, 40);
  int placed = 0;
  for (int y = 0; y < 40 && placed < 300; y += 2)
    for (int x = 0; x < 60 && placed < 300; x += 2, ++placed) mask.row(y)[x] = 255;
  int64_t area = 0;
  for (const Blob& blob : BlobFinder(60, 40).Find(mask)) area += blob.area;
  EXPECT_EQ(area, 300);
}

TEST(BoxGeometry, SmallBlobsDroppedOthersGrownClippedAndEven) {
  const std::vector<Blob> blobs = {Blob{9, Zone{50, 50, 3, 3}}, Blob{40, Zone{11, 21, 5, 8}},
                                   Blob{40, Zone{0, 90, 10, 10}}};
  const BoxRules rules{10, 4, 2, 2};
  EXPECT_THAT(ShapeBoxes(blobs, FrameSize{100, 100}, rules),
              testing::UnorderedElementsAre(Zone{6, 16, 14, 18}, Zone{0, 86, 14, 14}));
}

TEST(BoxGeometry, BoxesGrowToTheSmallestSizeInsideTheFrame) {
  EXPECT_EQ(FitBox(Zone{40, 40, 4, 4}, FrameSize{100, 80}, 32, 10), (Zone{26, 36, 32, 10}));
  EXPECT_EQ(FitBox(Zone{0, 0, 4, 4}, FrameSize{100, 80}, 32, 10), (Zone{0, 0, 32, 10}));
  EXPECT_EQ(FitBox(Zone{96, 76, 4, 4}, FrameSize{100, 80}, 32, 10), (Zone{68, 70, 32, 10}));
  EXPECT_EQ(FitBox(Zone{3, 5, 7, 3}, FrameSize{100, 80}, 2, 2), (Zone{2, 4, 8, 4}));
  // A frame smaller than the smallest box bounds it.
  EXPECT_EQ(FitBox(Zone{10, 2, 4, 4}, FrameSize{24, 16}, 32, 20), (Zone{0, 0, 24, 16}));
}

TEST(BoxGeometry, MergesUntilNoTwoOverlap) {
  // The first two merge into a box that then reaches the third; the fourth only touches.
  const std::vector<Zone> merged =
      MergeOverlapping({Zone{0, 0, 10, 10}, Zone{8, 0, 10, 4}, Zone{15, 8, 6, 6}, Zone{21, 0, 4, 4}});
  EXPECT_THAT(merged, testing::UnorderedElementsAre(Zone{0, 0, 21, 14}, Zone{21, 0, 4, 4}));
  EXPECT_FALSE(Overlap(Zone{0, 0, 4, 4}, Zone{4, 0, 4, 4}));
  EXPECT_TRUE(Overlap(Zone{0, 0, 4, 4}, Zone{3, 3, 4, 4}));
}

TEST(BoxHold, KeepsABoxForTheHoldFramesAfterItsMotion) {
  BoxHold hold(2);
  const Zone box{10, 10, 20, 20};
  EXPECT_THAT(hold.Update({box}), testing::ElementsAre(box));
  EXPECT_THAT(hold.Update({}), testing::ElementsAre(box));
  EXPECT_THAT(hold.Update({}), testing::ElementsAre(box));
  EXPECT_THAT(hold.Update({}), testing::IsEmpty());
  EXPECT_THAT(BoxHold(0).Update({box}), testing::ElementsAre(box));
}

TEST(BoxHold, ABoxThatMovedOnReplacesItsOldPlace) {
  BoxHold hold(5);
  const Zone first{10, 10, 20, 20}, moved{16, 10, 20, 20}, elsewhere{60, 60, 10, 10};
  hold.Update({first, elsewhere});
  EXPECT_THAT(hold.Update({moved}), testing::UnorderedElementsAre(moved, elsewhere));
}

}  // namespace
}  // namespace ryn::privacy_mask
