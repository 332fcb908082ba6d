/*
 * RynRAZUdidazoror: image and signal processing primitives for video content analysis.
 *
 * Every export works on memory the caller owns. An image is the address of its first pixel,
 * a row step in bytes and a region size in pixels; a vector is an address and a length.
 * Most exports return an IppStatus: 0 for success, negative for errors, positive for warnings.
 *
 * The header is valid C99 and C++.
 */
#ifndef RYNRAZUDIDAZOROR_H
#define RYNRAZUDIDAZOROR_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(RYN_BUILDING_LIBRARY)
#    define RYN_API __declspec(dllexport)
#  else
#    define RYN_API __declspec(dllimport)
#  endif
#else
#  define RYN_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------------------------ */
/* Records                                                                                     */
/* ------------------------------------------------------------------------------------------ */

typedef int32_t IppStatus;

typedef struct IppiSize {
  int32_t width;
  int32_t height;
} IppiSize;

typedef struct IppiPoint {
  int32_t x;
  int32_t y;
} IppiPoint;

typedef struct IppiRect {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
} IppiRect;

/* Complex value of two single floats, real part first. */
typedef struct Ipp32fc {
  float re;
  float im;
} Ipp32fc;

/* ------------------------------------------------------------------------------------------ */
/* Status codes (negative: errors, positive: warnings)                                         */
/* ------------------------------------------------------------------------------------------ */

enum {
  ippStsNotSupportedModeErr          = -9999,
  ippStsCpuNotSupportedErr           = -9998,
  ippStsDitherTypeErr                = -224,
  ippStsH264BufferFullErr            = -223,
  ippStsWrongAffinitySettingErr      = -222,
  ippStsLoadDynErr                   = -221,
  ippStsPointAtInfinity              = -220,
  ippStsI18nUnsupportedErr           = -219,
  ippStsI18nMsgCatalogOpenErr        = -218,
  ippStsI18nMsgCatalogCloseErr       = -217,
  ippStsUnknownStatusCodeErr         = -216,
  ippStsOFBSizeErr                   = -215,
  ippStsLzoBrokenStreamErr           = -214,
  ippStsRoundModeNotSupportedErr     = -213,
  ippStsDecimateFractionErr          = -212,
  ippStsWeightErr                    = -211,
  ippStsQualityIndexErr              = -210,
  ippStsIIRPassbandRippleErr         = -209,
  ippStsFilterFrequencyErr           = -208,
  ippStsFIRGenOrderErr               = -207,
  ippStsIIRGenOrderErr               = -206,
  ippStsConvergeErr                  = -205,
  ippStsSizeMatchMatrixErr           = -204,
  ippStsCountMatrixErr               = -203,
  ippStsRoiShiftMatrixErr            = -202,
  ippStsResizeNoOperationErr         = -201,
  ippStsSrcDataErr                   = -200,
  ippStsMaxLenHuffCodeErr            = -199,
  ippStsCodeLenTableErr              = -198,
  ippStsFreqTableErr                 = -197,
  ippStsIncompleteContextErr         = -196,
  ippStsSingularErr                  = -195,
  ippStsSparseErr                    = -194,
  ippStsBitOffsetErr                 = -193,
  ippStsQPErr                        = -192,
  ippStsVLCErr                       = -191,
  ippStsRegExpOptionsErr             = -190,
  ippStsRegExpErr                    = -189,
  ippStsRegExpMatchLimitErr          = -188,
  ippStsRegExpQuantifierErr          = -187,
  ippStsRegExpGroupingErr            = -186,
  ippStsRegExpBackRefErr             = -185,
  ippStsRegExpChClassErr             = -184,
  ippStsRegExpMetaChErr              = -183,
  ippStsStrideMatrixErr              = -182,
  ippStsCTRSizeErr                   = -181,
  ippStsJPEG2KCodeBlockIsNotAttached = -180,
  ippStsNotPosDefErr                 = -179,
  ippStsEphemeralKeyErr              = -178,
  ippStsMessageErr                   = -177,
  ippStsShareKeyErr                  = -176,
  ippStsIvalidPublicKey              = -175,
  ippStsIvalidPrivateKey             = -174,
  ippStsOutOfECErr                   = -173,
  ippStsECCInvalidFlagErr            = -172,
  ippStsMP3FrameHeaderErr            = -171,
  ippStsMP3SideInfoErr               = -170,
  ippStsBlockStepErr                 = -169,
  ippStsMBStepErr                    = -168,
  ippStsAacPrgNumErr                 = -167,
  ippStsAacSectCbErr                 = -166,
  ippStsAacSfValErr                  = -164,
  ippStsAacCoefValErr                = -163,
  ippStsAacMaxSfbErr                 = -162,
  ippStsAacPredSfbErr                = -161,
  ippStsAacPlsDataErr                = -160,
  ippStsAacGainCtrErr                = -159,
  ippStsAacSectErr                   = -158,
  ippStsAacTnsNumFiltErr             = -157,
  ippStsAacTnsLenErr                 = -156,
  ippStsAacTnsOrderErr               = -155,
  ippStsAacTnsCoefResErr             = -154,
  ippStsAacTnsCoefErr                = -153,
  ippStsAacTnsDirectErr              = -152,
  ippStsAacTnsProfileErr             = -151,
  ippStsAacErr                       = -150,
  ippStsAacBitOffsetErr              = -149,
  ippStsAacAdtsSyncWordErr           = -148,
  ippStsAacSmplRateIdxErr            = -147,
  ippStsAacWinLenErr                 = -146,
  ippStsAacWinGrpErr                 = -145,
  ippStsAacWinSeqErr                 = -144,
  ippStsAacComWinErr                 = -143,
  ippStsAacStereoMaskErr             = -142,
  ippStsAacChanErr                   = -141,
  ippStsAacMonoStereoErr             = -140,
  ippStsAacStereoLayerErr            = -139,
  ippStsAacMonoLayerErr              = -138,
  ippStsAacScalableErr               = -137,
  ippStsAacObjTypeErr                = -136,
  ippStsAacWinShapeErr               = -135,
  ippStsAacPcmModeErr                = -134,
  ippStsVLCUsrTblHeaderErr           = -133,
  ippStsVLCUsrTblUnsupportedFmtErr   = -132,
  ippStsVLCUsrTblEscAlgTypeErr       = -131,
  ippStsVLCUsrTblEscCodeLengthErr    = -130,
  ippStsVLCUsrTblCodeLengthErr       = -129,
  ippStsVLCInternalTblErr            = -128,
  ippStsVLCInputDataErr              = -127,
  ippStsVLCAACEscCodeLengthErr       = -126,
  ippStsNoiseRangeErr                = -125,
  ippStsUnderRunErr                  = -124,
  ippStsPaddingErr                   = -123,
  ippStsCFBSizeErr                   = -122,
  ippStsPaddingSchemeErr             = -121,
  ippStsInvalidCryptoKeyErr          = -120,
  ippStsLengthErr                    = -119,
  ippStsBadModulusErr                = -118,
  ippStsLPCCalcErr                   = -117,
  ippStsRCCalcErr                    = -116,
  ippStsIncorrectLSPErr              = -115,
  ippStsNoRootFoundErr               = -114,
  ippStsJPEG2KBadPassNumber          = -113,
  ippStsJPEG2KDamagedCodeBlock       = -112,
  ippStsH263CBPYCodeErr              = -111,
  ippStsH263MCBPCInterCodeErr        = -110,
  ippStsH263MCBPCIntraCodeErr        = -109,
  ippStsNotEvenStepErr               = -108,
  ippStsHistoNofLevelsErr            = -107,
  ippStsLUTNofLevelsErr              = -106,
  ippStsMP4BitOffsetErr              = -105,
  ippStsMP4QPErr                     = -104,
  ippStsMP4BlockIdxErr               = -103,
  ippStsMP4BlockTypeErr              = -102,
  ippStsMP4MVCodeErr                 = -101,
  ippStsMP4VLCCodeErr                = -100,
  ippStsMP4DCCodeErr                 = -99,
  ippStsMP4FcodeErr                  = -98,
  ippStsMP4AlignErr                  = -97,
  ippStsMP4TempDiffErr               = -96,
  ippStsMP4BlockSizeErr              = -95,
  ippStsMP4ZeroBABErr                = -94,
  ippStsMP4PredDirErr                = -93,
  ippStsMP4BitsPerPixelErr           = -92,
  ippStsMP4VideoCompModeErr          = -91,
  ippStsMP4LinearModeErr             = -90,
  ippStsH263PredModeErr              = -83,
  ippStsH263BlockStepErr             = -82,
  ippStsH263MBStepErr                = -81,
  ippStsH263FrameWidthErr            = -80,
  ippStsH263FrameHeightErr           = -79,
  ippStsH263ExpandPelsErr            = -78,
  ippStsH263PlaneStepErr             = -77,
  ippStsH263QuantErr                 = -76,
  ippStsH263MVCodeErr                = -75,
  ippStsH263VLCCodeErr               = -74,
  ippStsH263DCCodeErr                = -73,
  ippStsH263ZigzagLenErr             = -72,
  ippStsFBankFreqErr                 = -71,
  ippStsFBankFlagErr                 = -70,
  ippStsFBankErr                     = -69,
  ippStsNegOccErr                    = -67,
  ippStsCdbkFlagErr                  = -66,
  ippStsSVDCnvgErr                   = -65,
  ippStsJPEGHuffTableErr             = -64,
  ippStsJPEGDCTRangeErr              = -63,
  ippStsJPEGOutOfBufErr              = -62,
  ippStsDrawTextErr                  = -61,
  ippStsChannelOrderErr              = -60,
  ippStsZeroMaskValuesErr            = -59,
  ippStsQuadErr                      = -58,
  ippStsRectErr                      = -57,
  ippStsCoeffErr                     = -56,
  ippStsNoiseValErr                  = -55,
  ippStsDitherLevelsErr              = -54,
  ippStsNumChannelsErr               = -53,
  ippStsCOIErr                       = -52,
  ippStsDivisorErr                   = -51,
  ippStsAlphaTypeErr                 = -50,
  ippStsGammaRangeErr                = -49,
  ippStsGrayCoefSumErr               = -48,
  ippStsChannelErr                   = -47,
  ippStsToneMagnErr                  = -46,
  ippStsToneFreqErr                  = -45,
  ippStsTonePhaseErr                 = -44,
  ippStsTrnglMagnErr                 = -43,
  ippStsTrnglFreqErr                 = -42,
  ippStsTrnglPhaseErr                = -41,
  ippStsTrnglAsymErr                 = -40,
  ippStsHugeWinErr                   = -39,
  ippStsJaehneErr                    = -38,
  ippStsStrideErr                    = -37,
  ippStsEpsValErr                    = -36,
  ippStsWtOffsetErr                  = -35,
  ippStsAnchorErr                    = -34,
  ippStsMaskSizeErr                  = -33,
  ippStsShiftErr                     = -32,
  ippStsSampleFactorErr              = -31,
  ippStsSamplePhaseErr               = -30,
  ippStsFIRMRFactorErr               = -29,
  ippStsFIRMRPhaseErr                = -28,
  ippStsRelFreqErr                   = -27,
  ippStsFIRLenErr                    = -26,
  ippStsIIROrderErr                  = -25,
  ippStsDlyLineIndexErr              = -24,
  ippStsResizeFactorErr              = -23,
  ippStsInterpolationErr             = -22,
  ippStsMirrorFlipErr                = -21,
  ippStsMoment00ZeroErr              = -20,
  ippStsThreshNegLevelErr            = -19,
  ippStsThresholdErr                 = -18,
  ippStsContextMatchErr              = -17,
  ippStsFftFlagErr                   = -16,
  ippStsFftOrderErr                  = -15,
  ippStsStepErr                      = -14,
  ippStsScaleRangeErr                = -13,
  ippStsDataTypeErr                  = -12,
  ippStsOutOfRangeErr                = -11,
  ippStsDivByZeroErr                 = -10,
  ippStsMemAllocErr                  = -9,
  ippStsNullPtrErr                   = -8,
  ippStsRangeErr                     = -7,
  ippStsSizeErr                      = -6,
  ippStsBadArgErr                    = -5,
  ippStsNoMemErr                     = -4,
  ippStsSAReservedErr3               = -3,
  ippStsErr                          = -2,
  ippStsSAReservedErr1               = -1,
  ippStsNoErr                        = 0,
  ippStsNoOperation                  = 1,
  ippStsMisalignedBuf                = 2,
  ippStsSqrtNegArg                   = 3,
  ippStsInvZero                      = 4,
  ippStsEvenMedianMaskSize           = 5,
  ippStsDivByZero                    = 6,
  ippStsLnZeroArg                    = 7,
  ippStsLnNegArg                     = 8,
  ippStsNanArg                       = 9,
  ippStsJPEGMarker                   = 10,
  ippStsResFloor                     = 11,
  ippStsOverflow                     = 12,
  ippStsLSFLow                       = 13,
  ippStsLSFHigh                      = 14,
  ippStsLSFLowAndHigh                = 15,
  ippStsZeroOcc                      = 16,
  ippStsUnderflow                    = 17,
  ippStsSingularity                  = 18,
  ippStsDomain                       = 19,
  ippStsNonIntelCpu                  = 20,
  ippStsCpuMismatch                  = 21,
  ippStsNoIppFunctionFound           = 22,
  ippStsDllNotFoundBestUsed          = 23,
  ippStsNoOperationInDll             = 24,
  ippStsInsufficientEntropy          = 25,
  ippStsOvermuchStrings              = 26,
  ippStsOverlongString               = 27,
  ippStsAffineQuadChanged            = 28,
  ippStsWrongIntersectROI            = 29,
  ippStsWrongIntersectQuad           = 30,
  ippStsSmallerCodebook              = 31,
  ippStsSrcSizeLessExpected          = 32,
  ippStsDstSizeLessExpected          = 33,
  ippStsStreamEnd                    = 34,
  ippStsDoubleSize                   = 35,
  ippStsNotSupportedCpu              = 36,
  ippStsUnknownCacheSize             = 37,
  ippStsSymKernelExpected            = 38,
  ippStsEvenMedianWeight             = 39,
  ippStsWrongIntersectVOI            = 40,
  ippStsI18nMsgCatalogInvalid        = 41,
  ippStsI18nGetMessageFail           = 42,
  ippStsWaterfall                    = 43,
  ippStsPrevLibraryUsed              = 44,
  ippStsLLADisabled                  = 45,
  ippStsNoAntialiasing               = 46,
  ippStsRepetitiveSrcData            = 47,
};

/* Returns the fixed English message of a status code; never null, owned by the library. */
RYN_API const char* fnVCAIPP_GetStatusString(IppStatus status);

/* ------------------------------------------------------------------------------------------ */
/* Start-up                                                                                    */
/* ------------------------------------------------------------------------------------------ */

/* Selects the processor variant and writes one start-up line at severity INFO to the console
 * diagnostic target. Runs when the library is loaded; calling it again selects the same variant
 * and writes another line. */
RYN_API void fnVCAIPP_InitIPP(void);

/* ------------------------------------------------------------------------------------------ */
/* Buffers (32-byte aligned; release with fnVCAIPP_Free or fnVCAIPP_ippsFree)                  */
/* ------------------------------------------------------------------------------------------ */

/* Image allocation: the row step in bytes is written to *rowStepBytes. */
RYN_API uint8_t* fnVCAIPP_Malloc_8u_C1(int width, int height, int* rowStepBytes);
RYN_API uint8_t* fnVCAIPP_Malloc_8u_C3(int width, int height, int* rowStepBytes);
RYN_API uint16_t* fnVCAIPP_Malloc_16u_C1(int width, int height, int* rowStepBytes);
RYN_API int16_t* fnVCAIPP_Malloc_16s_C1(int width, int height, int* rowStepBytes);
RYN_API int32_t* fnVCAIPP_Malloc_32s_C1(int width, int height, int* rowStepBytes);
RYN_API float* fnVCAIPP_Malloc_32f_C1(int width, int height, int* rowStepBytes);
RYN_API Ipp32fc* fnVCAIPP_Malloc_32fc_C1(int width, int height, int* rowStepBytes);

/* Vector allocation. */
RYN_API uint8_t* fnVCAIPP_ippsMalloc_8u(int length);
RYN_API int8_t* fnVCAIPP_ippsMalloc_8s_C1(int firstCount, int secondCount);
RYN_API int32_t* fnVCAIPP_ippsMalloc_32s(int length);
RYN_API float* fnVCAIPP_ippsMalloc_32f(int length);

/* Release of any block above; null does nothing. */
RYN_API void fnVCAIPP_Free(void* block);
RYN_API void fnVCAIPP_ippsFree(void* block);

/* Vector copies of length 4-byte elements; source and destination must not overlap. */
RYN_API IppStatus fnVCAIPP_ippsCopy_32f(const float* source, float* destination, int length);
RYN_API IppStatus fnVCAIPP_ippsCopy_32s(const int32_t* source, int32_t* destination, int length);

/* ------------------------------------------------------------------------------------------ */
/* Records and fills (steps in bytes; the parameter orders differ between exports)             */
/* ------------------------------------------------------------------------------------------ */

RYN_API IppiSize fnVCAIPP_IppiSize(int width, int height);
RYN_API IppiPoint fnVCAIPP_IppiPoint(int x, int y);
RYN_API IppiRect fnVCAIPP_IppiRect(int x, int y, int width, int height);

RYN_API IppStatus fnVCAIPP_Set_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                      uint8_t value);
RYN_API IppStatus fnVCAIPP_Set_16u_C1R(uint16_t* destination, IppiSize region, int destinationStep,
                                       uint16_t value);
RYN_API IppStatus fnVCAIPP_Set_32f_C1R(float* destination, IppiSize region, int destinationStep,
                                       float value);
RYN_API IppStatus fnVCAIPP_Set_32s_C1R(int32_t value, int32_t* destination, int destinationStep,
                                       IppiSize region);
/* Masked fills write only the pixels whose mask byte is not zero. */
RYN_API IppStatus fnVCAIPP_Set_8u_C1MR(uint8_t* destination, int destinationStep, const uint8_t* mask,
                                       int maskStep, IppiSize region, uint8_t value);
RYN_API IppStatus fnVCAIPP_Set_32f_C1MR(float* destination, IppiSize region, int destinationStep,
                                        float value, const uint8_t* mask, int maskStep);
/* Clears destinationStep x height bytes, row padding included. */
RYN_API IppStatus fnVCAIPP_SetZero_32fc_C1R(Ipp32fc* destination, int destinationStep, IppiSize region);

/* ------------------------------------------------------------------------------------------ */
/* Privacy effects: block pixelation                                                           */
/* ------------------------------------------------------------------------------------------ */

/* Each block of the region becomes its mean, truncated. Blocks are clipped at the right and
 * bottom edges; the block must be strictly smaller than the region in both directions. */
RYN_API IppStatus fnVCAIPP_Pixelized_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, IppiSize blockSize);

/* Interleaved two-channel planes (even bytes first channel, odd bytes second channel; the region
 * width counts bytes): blocks of N pairs by N rows, each channel averaged on its own.
 * processingMode: 0 automatic, 1 portable path, 2 vector path. Source and destination may be
 * the same buffer. */
RYN_API IppStatus fnVCA_Pixelized_4x4_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_8x8_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_16x16_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_32x32_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_64x64_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_128x128_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_256x256_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_512x512_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCA_Pixelized_1024x1024_Interleaved_8u_C1R(const uint8_t* source, int sourceStep,
    uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
/* Two-plane 4:2:0 frames in place: the luma plane in N x N blocks, then the interleaved chroma
 * plane (frameSize.height / 2 rows) in blocks of N pairs by N rows. frameSize counts luma pixels. */
RYN_API IppStatus fnVCAIPP_Pixelized_4x4_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_8x8_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_16x16_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_32x32_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_64x64_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_128x128_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_256x256_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_512x512_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_Pixelized_1024x1024_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);

/* ------------------------------------------------------------------------------------------ */
/* Privacy effects: mean filters and interleaved fill                                          */
/* ------------------------------------------------------------------------------------------ */

/* Square mean blurs of interleaved two-channel planes, from a source into a different
 * destination; only the valid area (where the whole window lies in the region) is written.
 * The 17x17 export uses a 15 x 15 window. processingMode as for pixelation. */
RYN_API IppStatus fnVCAIPP_MeanFilter_3x3_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_5x5_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_7x7_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_9x9_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_11x11_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_13x13_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_15x15_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_17x17_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_19x19_Interleaved_8u_C1R(const uint8_t* source,
    int sourceStep, uint8_t* destination, int destinationStep, IppiSize region, int processingMode);
/* Two-plane 4:2:0 frames in place: the luma plane through an N x N kernel of ones, the chroma
 * plane through the interleaved export of the same name. */
RYN_API IppStatus fnVCAIPP_MeanFilter_3x3_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_5x5_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_7x7_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_9x9_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_11x11_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_13x13_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_15x15_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_17x17_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
RYN_API IppStatus fnVCAIPP_MeanFilter_19x19_8u_P2P3IR(uint8_t* lumaPlane, int lumaStep,
    uint8_t* chromaPlane, int chromaStep, IppiSize frameSize, int processingMode);
/* Fills every pair of an interleaved plane with (firstValue, secondValue), the first value at even
 * offsets. region.width counts pairs (2 bytes each); the step is checked against region.width. */
RYN_API IppStatus fnVCA_Set_Interleave_8u_C1R(uint8_t* destination, IppiSize region, int destinationStep,
                                              uint8_t firstValue, uint8_t secondValue, int processingMode);

/* ------------------------------------------------------------------------------------------ */
/* Statistics                                                                                  */
/* ------------------------------------------------------------------------------------------ */

/* Reductions of a region to a few numbers; the source is never written. Results go through the
 * pointers given; when a status is negative nothing is written. */

/* Exact sum of the pixels. The step is not checked. */
RYN_API IppStatus fnVCAIPP_Sum_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region, double* sum);
/* sum / (width x height), not rounded. The step is not checked. */
RYN_API IppStatus fnVCAIPP_Mean_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region, double* mean);
/* Mean of the pixels whose mask byte is not zero; 0 when there are none. */
RYN_API IppStatus fnVCAIPP_Mean_8u_C1MR(const uint8_t* source, int sourceStep, const uint8_t* mask,
                                        int maskStep, IppiSize region, double* mean);
/* Mean and population standard deviation; either result pointer may be null. */
RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                              double* mean, double* standardDeviation);
RYN_API IppStatus fnVCAIPP_Mean_StdDev_8u_C1MR(const uint8_t* source, int sourceStep, const uint8_t* mask,
                                               int maskStep, IppiSize region, double* mean,
                                               double* standardDeviation);
/* Accumulated in single precision; a deviation below the mean's scale is recomputed around the
 * mean. The step must be a multiple of 4. */
RYN_API IppStatus fnVCAIPP_Mean_StdDev_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                               double* mean, double* standardDeviation);
RYN_API IppStatus fnVCAIPP_MinMax_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                         uint8_t* minimum, uint8_t* maximum);
/* Float extremes start from the most negative (most positive) finite float; NaN pixels are
 * skipped and +0 counts as larger than -0. */
RYN_API IppStatus fnVCAIPP_Max_32f_C1R(const float* source, int sourceStep, IppiSize region, float* maximum);
RYN_API IppStatus fnVCAIPP_Min_32f_C1R(const float* source, int sourceStep, IppiSize region, float* minimum);
/* The maximum and its first position in row-major order (column and row from the region's
 * top-left pixel). */
RYN_API IppStatus fnVCAIPP_MaxIndx_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                           float* maximum, int* column, int* row);
/* Pixels with lowerBound <= pixel <= upperBound; ippStsRangeErr when upperBound < lowerBound. */
RYN_API IppStatus fnVCAIPP_CountInRange_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                               int* count, uint8_t lowerBound, uint8_t upperBound);
RYN_API IppStatus fnVCAIPP_CountInRange_32f_C1R(const float* source, int sourceStep, IppiSize region,
                                                int* count, float lowerBound, float upperBound);
/* levels (levelCount entries) spread evenly from lowerLevel to upperLevel; histogram[k]
 * (levelCount - 1 bins) counts the pixels with levels[k] <= pixel < levels[k + 1]. To count
 * every value 0..255 pass an upper level of 256. */
RYN_API IppStatus fnVCAIPP_HistogramEven_8u_C1R(const uint8_t* source, int sourceStep, IppiSize region,
                                                int* histogram, int* levels, int levelCount,
                                                int lowerLevel, int upperLevel);
/* sqrt(sum (first - second)^2 / sum second^2). When the second image is all zero the result is
 * sqrt(sum first^2) and the status the warning ippStsDivByZero. */
RYN_API IppStatus fnVCAIPP_NormRel_L2_8u_C1R(const uint8_t* first, int firstStep, const uint8_t* second,
                                             int secondStep, IppiSize region, double* value);

/* ------------------------------------------------------------------------------------------ */
/* Linear filters and borders                                                                  */
/* ------------------------------------------------------------------------------------------ */

/* Mask-size codes: 33 means 3 x 3, 55 means 5 x 5; any other code gives ippStsMaskSizeErr.
 * The 8u and box exports filter the inset region at (maskWidth / 2, maskHeight / 2) of size
 * (W - maskWidth) x (H - maskHeight), so that every window lies inside the caller's image, and
 * then, except the high-pass, fill the rest of the W x H destination by replicating the edge
 * of the filtered region. */
RYN_API IppStatus fnVCAIPP_FilterBox_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                            int destinationStep, IppiSize region, int maskWidth, int maskHeight);
RYN_API IppStatus fnVCAIPP_FilterBox_32f_C1R(const float* source, int sourceStep, float* destination,
                                             int destinationStep, IppiSize region, int maskWidth, int maskHeight);
RYN_API IppStatus fnVCAIPP_FilterGauss_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                              int destinationStep, IppiSize region, int maskSizeCode);
/* The destination frame around the inset region is left as it was. */
RYN_API IppStatus fnVCAIPP_FilterHipass_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                               int destinationStep, IppiSize region, int maskSizeCode);
/* Convolution: kernel element 0 (top-left of the row-major array) multiplies the bottom-right
 * pixel of the window; the sum is divided by divisor (powers of two and other divisors round to
 * nearest, ties to even) and saturated to 0..255. */
RYN_API IppStatus fnVCAIPP_Filter_8u_C1R(const uint8_t* source, int sourceStep, uint8_t* destination,
                                         int destinationStep, IppiSize region, const int32_t* kernel,
                                         IppiSize kernelSize, int divisor);
/* Float convolution of the whole region with the caller's anchor; the caller provides every
 * source pixel the kernel reaches. */
RYN_API IppStatus fnVCAIPP_Filter_32f_C1R(const float* source, int sourceStep, float* destination,
                                          int destinationStep, IppiSize region, const float* kernel,
                                          IppiSize kernelSize, IppiPoint anchor);
/* Separable Gaussian of the whole region; pixels outside it replicate the nearest region pixel.
 * An even kernel size k filters with k + 1. */
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R(const float* source, int sourceStep, float* destination,
                                                     int destinationStep, IppiSize region, int kernelSize,
                                                     int sigma);
/* Working-buffer bytes for the _ExtBuf form (odd kernel sizes of at least 3). */
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_GetBufSize(IppiSize region, int kernelSize, int* bufferSize);
RYN_API IppStatus fnVCAIPP_FilterGaussBorder_32f_C1R_ExtBuf(const float* source, int sourceStep,
                                                            float* destination, int destinationStep,
                                                            IppiSize region, int kernelSize, int sigma,
                                                            uint8_t* buffer);
/* Border copies of a width x height image whose rows share one step: the destination takes the
 * source's inner rectangle at (border, border), (width - 2 border) x (height - 2 border), and a
 * frame border pixels wide, constant or replicated from the inner rectangle. */
RYN_API IppStatus fnVCAIPP_CopyConstBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                  int height, int step, int border, uint8_t value);
RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1R(const uint8_t* source, uint8_t* destination, int width,
                                                      int height, int step, int border);
RYN_API IppStatus fnVCAIPP_CopyReplicateBorder_8u_C1IR(uint8_t* image, int width, int height, int step,
                                                       int border);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYNRAZUDIDAZOROR_H */
