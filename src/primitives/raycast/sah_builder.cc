#include "primitives/raycast/sah_builder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace ryn::raycast {
namespace {

// Relative costs of one traversal step and one triangle test. An empty child is cheaper than its
// area suggests: rays through it end or move on at once.
constexpr double kTraversalCost = 1.0;
constexpr double kTriangleCost = 1.5;
constexpr double kEmptyChildDiscount = 0.8;
constexpr int kFewestBins = 16;
constexpr int kMostBins = 128;

// Bin of coordinate v for bins of width 1 / scale from `low`; NaN goes to bin 0.
int BinOf(float v, float low, float scale, int bins) {
  const float f = (v - low) * scale;
  if (!(f > 0.0f)) return 0;
  if (!(f < static_cast<float>(bins))) return bins - 1;
  return static_cast<int>(f);
}

}  // namespace

int BinsForQuality(float quality) {
  return kFewestBins + static_cast<int>(std::lround(quality * static_cast<float>(kMostBins - kFewestBins)));
}

double SahBuilder::Box::SurfaceArea() const {
  const double dx = static_cast<double>(high[0]) - low[0];
  const double dy = static_cast<double>(high[1]) - low[1];
  const double dz = static_cast<double>(high[2]) - low[2];
  return 2.0 * (dx * dy + dy * dz + dz * dx);
}

SahBuilder::SahBuilder(const float* vertices, const int32_t* triangles, int triangleCount, SahSettings settings)
    : settings_(settings) {
  bounds_.resize(static_cast<size_t>(triangleCount));
  for (size_t t = 0; t < bounds_.size(); ++t) {
    Box& box = bounds_[t];
    for (int a = 0; a < 3; ++a) {
      box.low[a] = box.high[a] = vertices[3 * static_cast<int64_t>(triangles[4 * t]) + a];
    }
    for (int corner = 1; corner < 3; ++corner) {
      const float* vertex = vertices + 3 * static_cast<int64_t>(triangles[4 * t + corner]);
      for (int a = 0; a < 3; ++a) {
        box.low[a] = std::min(box.low[a], vertex[a]);
        box.high[a] = std::max(box.high[a], vertex[a]);
      }
    }
  }
}

bool SahBuilder::Build() {
  const int64_t count = static_cast<int64_t>(bounds_.size());
  reservedBytes_ = static_cast<int64_t>(sizeof(KdNode)) + 4 * count;
  if (reservedBytes_ > settings_.budgetBytes) return false;
  Box root{};
  std::vector<int32_t> all(bounds_.size());
  for (size_t t = 0; t < all.size(); ++t) all[t] = static_cast<int32_t>(t);
  if (!bounds_.empty()) {
    root = bounds_[0];
    for (const Box& b : bounds_) {
      for (int a = 0; a < 3; ++a) {
        // Comparisons that skip NaN coordinates.
        if (b.low[a] < root.low[a]) root.low[a] = b.low[a];
        if (b.high[a] > root.high[a]) root.high[a] = b.high[a];
      }
    }
  }
  nodes_.assign(1, KdNode{});
  BuildNode(0, root, std::move(all), 0);
  return true;
}

void SahBuilder::BuildNode(size_t node, const Box& box, std::vector<int32_t> triangles, int depth) {
  if (depth >= settings_.maxDepth || triangles.size() < 2) return MakeLeaf(node, triangles);
  const Split split = BestSplit(box, triangles);
  if (split.axis < 0 || !(split.cost < kTriangleCost * static_cast<double>(triangles.size()))) {
    return MakeLeaf(node, triangles);
  }
  const int a = split.axis;
  std::vector<int32_t> lower, upper;
  for (int32_t t : triangles) {
    // A triangle touching the plane goes to both sides, so that a hit on the plane is found from
    // either side whatever the rounding of the distances.
    if (std::max(bounds_[t].low[a], box.low[a]) <= split.position) lower.push_back(t);
    if (std::min(bounds_[t].high[a], box.high[a]) >= split.position) upper.push_back(t);
  }
  const int64_t growth = 2 * static_cast<int64_t>(sizeof(KdNode)) +
                         4 * (static_cast<int64_t>(lower.size() + upper.size()) -
                              static_cast<int64_t>(triangles.size()));
  const bool noProgress = lower.size() == triangles.size() && upper.size() == triangles.size();
  if (noProgress || reservedBytes_ + growth > settings_.budgetBytes) return MakeLeaf(node, triangles);
  reservedBytes_ += growth;
  triangles = {};

  const size_t children = nodes_.size();
  nodes_.resize(children + 2);
  nodes_[node] = KdNode::Interior(static_cast<uint32_t>((children - node) * sizeof(KdNode)), a, split.position);
  Box lowerBox = box, upperBox = box;
  lowerBox.high[a] = split.position;
  upperBox.low[a] = split.position;
  BuildNode(children, lowerBox, std::move(lower), depth + 1);
  BuildNode(children + 1, upperBox, std::move(upper), depth + 1);
}

SahBuilder::Split SahBuilder::BestSplit(const Box& box, const std::vector<int32_t>& triangles) const {
  const double area = box.SurfaceArea();
  Split best;
  if (!(area > 0.0) || !std::isfinite(area)) return best;
  const int bins = settings_.bins;
  const double count = static_cast<double>(triangles.size());
  std::vector<int> starts(static_cast<size_t>(bins)), ends(static_cast<size_t>(bins));
  for (int a = 0; a < 3; ++a) {
    const float extent = box.high[a] - box.low[a];
    if (!(extent > 0.0f) || !std::isfinite(extent)) continue;
    std::fill(starts.begin(), starts.end(), 0);
    std::fill(ends.begin(), ends.end(), 0);
    const float scale = static_cast<float>(bins) / extent;
    for (int32_t t : triangles) {
      ++starts[BinOf(std::max(bounds_[t].low[a], box.low[a]), box.low[a], scale, bins)];
      ++ends[BinOf(std::min(bounds_[t].high[a], box.high[a]), box.low[a], scale, bins)];
    }
    const int b = (a + 1) % 3, c = (a + 2) % 3;
    const double across = static_cast<double>(box.high[b]) - box.low[b];
    const double depthAcross = static_cast<double>(box.high[c]) - box.low[c];
    int lower = 0, endedBelow = 0;
    for (int i = 1; i < bins; ++i) {
      lower += starts[i - 1];
      endedBelow += ends[i - 1];
      const float position = box.low[a] + extent * static_cast<float>(i) / static_cast<float>(bins);
      if (!(position > box.low[a] && position < box.high[a])) continue;
      const double lowerExtent = static_cast<double>(position) - box.low[a];
      const double upperExtent = static_cast<double>(box.high[a]) - position;
      const double lowerArea = 2.0 * (lowerExtent * (across + depthAcross) + across * depthAcross);
      const double upperArea = 2.0 * (upperExtent * (across + depthAcross) + across * depthAcross);
      const int upper = static_cast<int>(count) - endedBelow;
      double cost = kTriangleCost * (lowerArea * lower + upperArea * upper) / area;
      if (lower == 0 || upper == 0) cost *= kEmptyChildDiscount;
      cost += kTraversalCost;
      if (best.axis < 0 || cost < best.cost) best = Split{a, position, cost};
    }
  }
  return best;
}

void SahBuilder::MakeLeaf(size_t node, const std::vector<int32_t>& triangles) {
  leaves_.emplace_back(node, lists_.size());
  nodes_[node] = KdNode{0, static_cast<uint32_t>(triangles.size())};
  lists_.insert(lists_.end(), triangles.begin(), triangles.end());
}

int64_t SahBuilder::TreeBytes() const {
  return static_cast<int64_t>(nodes_.size() * sizeof(KdNode) + lists_.size() * sizeof(int32_t));
}

void SahBuilder::Write(void* block) const {
  std::vector<KdNode> nodes = nodes_;
  const size_t listsStart = nodes.size() * sizeof(KdNode);
  for (const auto& [node, start] : leaves_) {
    const size_t offset = listsStart + start * sizeof(int32_t) - node * sizeof(KdNode);
    nodes[node] = KdNode::Leaf(static_cast<uint32_t>(offset), nodes[node].value);
  }
  auto* bytes = static_cast<uint8_t*>(block);
  std::memcpy(bytes, nodes.data(), listsStart);
  if (!lists_.empty()) std::memcpy(bytes + listsStart, lists_.data(), lists_.size() * sizeof(int32_t));
}

}  // namespace ryn::raycast
