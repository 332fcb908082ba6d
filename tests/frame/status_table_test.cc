// The status table and its message lookup.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "RynRAZUdidazoror.h"
#include "frame/status_table.h"

namespace ryn::test {
namespace {

TEST(StatusTable, HoldsEveryCodeOnceInAscendingOrder) {
  ASSERT_EQ(kStatusTableRows, 269);
  std::vector<IppStatus> expected = {-9999, -9998, -9702, -9701, -9700};
  for (IppStatus code = -224; code <= 47; ++code) {
    if (code == -165 || code == -68 || (code >= -89 && code <= -84)) continue;
    expected.push_back(code);
  }
  std::vector<IppStatus> actual;
  for (int i = 0; i < kStatusTableRows; ++i) actual.push_back(kStatusTable[i].code);
  EXPECT_EQ(actual, expected);
}

TEST(StatusTable, NamedRowsStartWithTheirNameAndNamelessRowsAreBareSentences) {
  for (int i = 0; i < kStatusTableRows; ++i) {
    const std::string message = kStatusTable[i].message;
    const IppStatus code = kStatusTable[i].code;
    if (code >= -9702 && code <= -9700) {
      EXPECT_EQ(message.find("ippSts"), std::string::npos) << code;
    } else {
      EXPECT_EQ(message.rfind("ippSts", 0), 0u) << code;
      EXPECT_NE(message.find(": "), std::string::npos) << code;
    }
  }
}

TEST(StatusString, SpotChecksAcrossTheRange) {
  const std::pair<IppStatus, const char*> samples[] = {
      {0, "ippStsNoErr: No error, it's OK"},
      {ippStsSizeErr, "ippStsSizeErr: Wrong value of data size"},
      {-9999, "ippStsNotSupportedModeErr: The requested mode is currently not supported"},
      {-9998, "ippStsCpuNotSupportedErr: The target cpu is not supported"},
      {-9702, "No shared libraries were found in the Waterfall procedure"},
      {-9701, "No DLLs were found in the Waterfall procedure"},
      {-9700, "Error at loading of %s library"},
      {-224, "ippStsDitherTypeErr: Unsupported dithering type"},
      {-164, "ippStsAacSfValErr: AAC: Invalid scalefactor value"},
      {-83, "ippStsH263PredModeErr: Prediction Mode value error"},
      {-67, "ippStsNegOccErr: Negative occupation count"},
      {-3, "ippStsSAReservedErr3: Unknown/unspecified error, -3"},
      {ippStsNonIntelCpu, "ippStsNonIntelCpu: The target cpu is not Genuine Intel"},
      {ippStsNotSupportedCpu, "ippStsNotSupportedCpu: The cpu is not supported"},
      {ippStsMaskSizeErr, "ippStsMaskSizeErr: Invalid mask size"},
      {47, "ippStsRepetitiveSrcData: DC: The source data is too repetitive"},
  };
  for (const auto& [code, message] : samples) EXPECT_STREQ(fnVCAIPP_GetStatusString(code), message) << code;
}

TEST(StatusString, UnknownCodesGiveTheUnknownStatusMessage) {
  for (IppStatus code : {-165, -68, -89, -84, -225, 48, 1000, -9997, INT_MIN, INT_MAX}) {
    EXPECT_STREQ(fnVCAIPP_GetStatusString(code), "ippStsUnknownStatusCodeErr: Unknown Status Code") << code;
  }
}

TEST(StatusString, SameCodeGivesTheSamePointer) {
  EXPECT_EQ(fnVCAIPP_GetStatusString(ippStsNullPtrErr), fnVCAIPP_GetStatusString(ippStsNullPtrErr));
  EXPECT_EQ(fnVCAIPP_GetStatusString(12345), fnVCAIPP_GetStatusString(ippStsUnknownStatusCodeErr));
}

}  // namespace
}  // namespace ryn::test
