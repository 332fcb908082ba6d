// Run after filter.reg was imported into the registry with "reg import": the configuration that
// the support library read while the program started holds the imported filter.
#include <gtest/gtest.h>

#include "vlib/debug_out_configuration.h"
#include "vlib/debug_out_record.h"
#include "vlib/debug_out_streamer.h"
#include "vlib/support_library.h"

namespace VLib {
namespace {

TEST(ImportedRegistry, TheFilterLetsTheNamedSourcesDebugLinesPass) {
  const DebugOutConfiguration& configuration = ProcessConfiguration();
  ASSERT_EQ(configuration.sourceLevels.count("REGIMPORTPROBE"), 1u) << "the Filter value, upper-cased";
  EXPECT_EQ(configuration.sourceLevels.at("REGIMPORTPROBE"), 5);
  EXPECT_EQ(configuration.defaultLevel, 4) << "the file sets no default";

  const auto streamer = DebugOutStreamer::Instance();
  EXPECT_TRUE(streamer->Passes(DebugOutRecord{1, "RegImportProbe", kSeverityDebug}));
  EXPECT_TRUE(streamer->Passes(DebugOutRecord{1, "regimportprobe", kSeverityDebug}));
  EXPECT_FALSE(streamer->Passes(DebugOutRecord{1, "OtherSource", kSeverityDebug}));
  EXPECT_TRUE(streamer->Passes(DebugOutRecord{1, "OtherSource", kSeverityInfo}));
}

}  // namespace
}  // namespace VLib
