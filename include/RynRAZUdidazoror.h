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

#include "ryn/base.h"
#include "ryn/start_up.h"
#include "ryn/buffers.h"
#include "ryn/fill.h"
#include "ryn/effects.h"
#include "ryn/stats.h"
#include "ryn/filters.h"
#include "ryn/moments.h"
#include "ryn/segment.h"
#include "ryn/numerics.h"
#include "ryn/color.h"
#include "ryn/fft.h"
#include "ryn/geometry.h"
#include "ryn/text.h"
#include "ryn/mosquito.h"
#include "ryn/raycast.h"
#include "ryn/pose.h"

#endif /* RYNRAZUDIDAZOROR_H */
