/* Privacy effects: block pixelation, mean filters and the interleaved fill. Part of RynRAZUdidazoror.h, which users include. Valid C99 and C++. */
#ifndef RYN_EFFECTS_H
#define RYN_EFFECTS_H

#include "ryn/base.h"

#ifdef __cplusplus
extern "C" {
#endif

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

/* Square mean blurs of interleaved two-channel planes, from a source into a different
 * destination (the portable path refuses the same buffer with ippStsBadArgErr; the vector path
 * accepts it); only the valid area (where the whole window lies in the region) is written.
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
 * plane in place with the window of the interleaved export of the same name, on either path; every
 * output is computed from the unfiltered planes. */
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

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* RYN_EFFECTS_H */
