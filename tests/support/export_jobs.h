// A table of jobs, each calling exports of one family on images of its own: at least one job for
// every family of dispatched operations. A job allocates fresh inputs on every run, so that
// threads running jobs at once share no pixel, and returns everything it wrote.
#pragma once

#include <vector>

#include "support/job_images.h"

namespace ryn::test {

struct ExportJob {
  const char* family;
  const char* name;
  JobResult (*run)();
};

// Every job; the groups below, in this order.
const std::vector<ExportJob>& ExportJobs();

// The groups, one file each: per-pixel operations and statistics; neighbourhood filters and
// geometry; colour, effects and objects (transforms, moments, generators, ray casting).
std::vector<ExportJob> PixelJobs();
std::vector<ExportJob> NeighbourhoodJobs();
std::vector<ExportJob> ObjectJobs();

// The odd region most jobs use.
inline constexpr int kJobWidth = 45;
inline constexpr int kJobHeight = 21;

}  // namespace ryn::test
