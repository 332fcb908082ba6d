// Zone parsing and placement on the frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "privacy_mask/tool_error.h"
#include "privacy_mask/zones.h"

namespace ryn::privacy_mask {
namespace {

constexpr FrameSize kFrame{768, 576};

// The message of the ToolError that `action` throws; empty when it throws none.
template <class Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const ToolError& error) {
    return error.what();
  }
  return {};
}

MATCHER_P(Mentions, text, "") { return arg.find(text) != std::string::npos; }

TEST(ZoneParsing, ReadsFourIntegers) {
  EXPECT_EQ(ParseZone("10,20,30,40"), (Zone{10, 20, 30, 40}));
  EXPECT_EQ(ParseZone("-8,-2,30,40"), (Zone{-8, -2, 30, 40}));
  EXPECT_EQ(ToString(ParseZone("0,0,1,1")), "0,0,1,1");
}

TEST(ZoneParsing, RefusesAnythingElse) {
  for (const char* text : {"", "1,2,3", "1,2,3,4,5", "1,2,3,", "a,2,3,4", "1, 2,3,4", "1,2,3,4x", "1.5,2,3,4",
                           "1,2,0,4", "1,2,3,-4", "99999999999,0,4,4", "0,0,4,2147483648"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(ParseZone(text), UsageError);
  }
}

TEST(ZoneParsing, MessageNamesTheText) {
  EXPECT_THAT(ErrorOf([] { ParseZone("1,2,3"); }), Mentions("'1,2,3'"));
}

TEST(ZonePlacement, ZonesInsideTheFrameStayAsGiven) {
  const std::vector<Zone> zones = {{0, 0, 64, 32}, {704, 512, 64, 64}};
  const ZonePlacement placement = PlaceZones(zones, kFrame, 16);
  EXPECT_EQ(placement.zones, zones);
  EXPECT_TRUE(placement.notes.empty());
}

TEST(ZonePlacement, ZonesReachingOutsideAreClippedAndSaidSo) {
  const ZonePlacement placement = PlaceZones({{700, 560, 100, 50}, {-20, -10, 60, 40}}, kFrame, 8);
  EXPECT_EQ(placement.zones, (std::vector<Zone>{{700, 560, 68, 16}, {0, 0, 40, 30}}));
  ASSERT_EQ(placement.notes.size(), 2u);
  EXPECT_NE(placement.notes[0].find("zone 1 (700,560,100,50)"), std::string::npos) << placement.notes[0];
  EXPECT_NE(placement.notes[0].find("clipped to 700,560,68,16"), std::string::npos) << placement.notes[0];
  EXPECT_NE(placement.notes[1].find("clipped to 0,0,40,30"), std::string::npos) << placement.notes[1];
}

TEST(ZonePlacement, OddBoundsAreWidenedToTheChromaGrid) {
  const ZonePlacement placement = PlaceZones({{11, 7, 20, 21}, {759, 0, 9, 20}}, kFrame, 8);
  // 11..31 becomes 10..32, 7..28 becomes 6..28; a zone ending at the frame's edge widens leftwards.
  EXPECT_EQ(placement.zones[0], (Zone{10, 6, 22, 22}));
  EXPECT_EQ(placement.zones[1], (Zone{758, 0, 10, 20}));
  ASSERT_EQ(placement.notes.size(), 2u);
  EXPECT_NE(placement.notes[0].find("widened"), std::string::npos) << placement.notes[0];
}

TEST(ZonePlacement, ZoneOutsideTheFrameIsAnError) {
  for (const Zone& zone : {Zone{768, 0, 10, 10}, Zone{0, 576, 10, 10}, Zone{-10, 0, 10, 10}, Zone{0, -50, 10, 50},
                           Zone{2000000000, 2000000000, 2000000000, 2000000000}}) {
    SCOPED_TRACE(ToString(zone));
    EXPECT_THAT(ErrorOf([&] { PlaceZones({Zone{0, 0, 64, 64}, zone}, kFrame, 16); }),
                Mentions("zone 2 (" + ToString(zone) + ") lies outside the 768x576 frame"));
  }
}

TEST(ZonePlacement, BlockMustBeSmallerThanTheZone) {
  EXPECT_NO_THROW(PlaceZones({{0, 0, 18, 18}}, kFrame, 16));
  for (const Zone& zone : {Zone{0, 0, 16, 64}, Zone{0, 0, 64, 16}, Zone{0, 0, 8, 8}}) {
    SCOPED_TRACE(ToString(zone));
    EXPECT_THROW(PlaceZones({zone}, kFrame, 16), ToolError);
  }
  // Judged after clipping: only 4 columns of this zone lie in the frame.
  EXPECT_THROW(PlaceZones({{764, 0, 40, 40}}, kFrame, 16), ToolError);
  EXPECT_THAT(ErrorOf([] { PlaceZones({{0, 0, 64, 10}}, kFrame, 16); }),
              Mentions("zone 1 (0,0,64,10) is too small for 16x16"));
}

}  // namespace
}  // namespace ryn::privacy_mask
