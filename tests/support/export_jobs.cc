#include "support/export_jobs.h"

namespace ryn::test {

const std::vector<ExportJob>& ExportJobs() {
  static const std::vector<ExportJob> jobs = [] {
    std::vector<ExportJob> all = PixelJobs();
    for (auto group : {NeighbourhoodJobs(), ObjectJobs()}) all.insert(all.end(), group.begin(), group.end());
    return all;
  }();
  return jobs;
}

}  // namespace ryn::test
