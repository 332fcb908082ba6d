// The mosquito filter against its step-by-step reference, the examples of its rules, the state,
// the checks, and every processor build against the generic code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "RynRAZUdidazoror.h"
#include "primitives/mosquito/mosquito_oracle.h"
#include "primitives/mosquito/mosquito_state.h"
#include "support/builds.h"
#include "support/test_image.h"

namespace ryn::test {
namespace {

struct ScenePair {
  PlainFrame reference;
  PlainFrame cleaned;
};

uint8_t Clamp(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// Something like decoded video: flat tiles, thin lines with ringing beside them, a little noise;
// the frame to clean differs from the reference by tile: not at all, slightly, strongly, or in a
// few pixels.
ScenePair MakeScene(int width, int height, uint32_t seed) {
  std::mt19937 rng(seed);
  auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  PlainFrame base(width, height);
  const int levels[] = {60, 61, 120, 200, 30};
  std::vector<int> tileLevel(64);
  for (int& level : tileLevel) level = levels[uniform(0, 4)];
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) base.at(x, y) = static_cast<uint8_t>(tileLevel[(y / 20 * 7 + x / 28) % 64]);
  for (int line = 0; line < (width + height) / 80; ++line) {
    const bool vertical = uniform(0, 1) == 0;
    const int at = uniform(3, (vertical ? width : height) - 4);
    const int lift = uniform(0, 1) ? 70 : -40;
    for (int i = 0; i < (vertical ? height : width); ++i) {
      for (int ring = -3; ring <= 3; ++ring) {
        const int x = vertical ? at + ring : i, y = vertical ? i : at + ring;
        if (x < 0 || y < 0 || x >= width || y >= height) continue;
        const int delta = ring == 0 ? lift : (ring % 2 ? 3 : -3);
        base.at(x, y) = Clamp(base.at(x, y) + delta);
      }
    }
  }
  // Noise, and texture of several strengths by tile, so that gradients take every value around
  // the thresholds.
  std::vector<int> texture(64);
  for (int& t : texture) t = std::max(0, uniform(-8, 5));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t& p = base.at(x, y);
      const int amplitude = texture[(y / 16 * 3 + x / 24) % 64];
      if (uniform(0, 9) < 3) p = Clamp(p + uniform(-1, 1));
      p = Clamp(p + uniform(-amplitude, amplitude));
    }
  }
  ScenePair scene{base, base};
  std::vector<int> tileChange(64);
  for (int& change : tileChange) change = uniform(0, 6);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t& p = scene.cleaned.at(x, y);
      uint8_t& q = scene.reference.at(x, y);
      // One spike in each block: an edge block that is still flat.
      const bool spike = x % 8 == 5 && y % 8 == 5;
      switch (tileChange[(y / 24 * 5 + x / 32) % 64]) {
        case 1: p = Clamp(p + uniform(-3, 3)); break;
        case 2: p = Clamp(p + 30); break;
        case 3: if (uniform(0, 19) == 0) p = Clamp(p + 40); break;
        case 4:
          // Spiked blocks with slight changes (in the reference, so that the frame to clean stays
          // flat), mostly of one sign so that the rules that read the reference give their own
          // values.
          if (spike) p = q = Clamp(q + 30);
          q = Clamp(q + 3 + uniform(-1, 1));
          break;
        case 5:
          // The same, and three pixels of the reference far off: changed blocks.
          if (spike) p = q = Clamp(q + 30);
          q = Clamp(q + 3 + uniform(-1, 1));
          if (uniform(0, 4) == 0) p = Clamp(p + 1);
          if (x % 8 == 2 && y % 8 >= 2 && y % 8 <= 4) q = Clamp(q - 30);
          break;
        case 6:
          // Changes of every size around the class limits.
          if (spike) p = q = Clamp(q + 30);
          q = Clamp(q + uniform(-7, 7));
          break;
        default: break;
      }
    }
  }
  return scene;
}

TestImage<uint8_t> ToImage(const PlainFrame& frame, int padding, int misalign) {
  TestImage<uint8_t> image(frame.width, frame.height, padding, misalign);
  for (int y = 0; y < frame.height; ++y)
    for (int x = 0; x < frame.width; ++x) image.at(x, y) = static_cast<uint8_t>(frame.at(x, y));
  return image;
}

// A state for the frame's size, released at the end of the scope.
struct State {
  RynMosquitoState* state = nullptr;
  explicit State(IppiSize roi) { EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(roi, &state), ippStsNoErr); }
  ~State() { fnVCAIPP_Free(state); }
};

// Filters `scene` through the export with sources sharing a padded step and a separate
// destination; returns the destination's region, checking that nothing else was written.
std::vector<uint8_t> Filter(const ScenePair& scene, RynMosquitoState* state, uint8_t sentinel = 0xA5) {
  const int w = scene.cleaned.width, h = scene.cleaned.height;
  // Both sources use one step: the reference's padding must equal the cleaned frame's.
  TestImage<uint8_t> reference = ToImage(scene.reference, 7, 3), cleaned = ToImage(scene.cleaned, 7, 5);
  TestImage<uint8_t> destination(w, h, 2, 1);
  destination.FillBytes(sentinel);
  const UnchangedSource<uint8_t> keptReference(reference), keptCleaned(cleaned);
  EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquito_8u_C1R(reference.data(), cleaned.data(), cleaned.step(),
                                                   destination.data(), destination.step(), IppiSize{w, h}, state),
            ippStsNoErr);
  EXPECT_TRUE(destination.GuardsIntact());
  EXPECT_TRUE(keptReference.Check());
  EXPECT_TRUE(keptCleaned.Check());
  return destination.RegionBytes();
}

TEST(MosquitoFilter, FollowsItsRulesStepByStep) {
  RuleCounts counts;
  const IppiSize sizes[] = {{12, 12}, {13, 12}, {12, 21}, {20, 20}, {27, 35}, {67, 44}, {131, 61}, {300, 150}};
  uint32_t seed = 1;
  for (IppiSize size : sizes) {
    for (int variant = 0; variant < 3; ++variant, ++seed) {
      SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height << " seed " << seed);
      const ScenePair scene = MakeScene(size.width, size.height, seed);
      State state(size);
      const PlainFrame expected = OracleMosquito(scene.reference, scene.cleaned, &counts);
      const std::vector<uint8_t> got = Filter(scene, state.state);
      for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i], expected.pixels[i]) << "pixel (" << i % size.width << ", " << i / size.width << ")";
      }
    }
  }
  // The scenes reach every rule.
  EXPECT_GT(counts.examinedBlocks, 100);
  EXPECT_GT(counts.kept, 1000);
  EXPECT_GT(counts.weightedMean, 1000);
  EXPECT_GT(counts.withoutEdges, 50);
  EXPECT_GT(counts.changedEdges, 20);
  EXPECT_GT(counts.steadyEdges, 20);
}

TEST(MosquitoFilter, IdenticalFlatFramesComeOutUnchanged) {
  const ScenePair scene{PlainFrame(64, 48, 77), PlainFrame(64, 48, 77)};
  State state(IppiSize{64, 48});
  EXPECT_EQ(Filter(scene, state.state), scene.cleaned.pixels);
}

// A flat frame with a little noise, and a vertical edge between columns 39 and 40.
ScenePair VerticalEdge() {
  ScenePair scene{PlainFrame(96, 64), PlainFrame(96, 64)};
  std::mt19937 rng(3);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 96; ++x) {
      const int noise = std::uniform_int_distribution<int>(-1, 1)(rng);
      scene.cleaned.at(x, y) = static_cast<uint8_t>((x < 40 ? 100 : 180) + noise);
    }
  }
  scene.reference = scene.cleaned;
  return scene;
}

int WeightedLocalMean(const PlainFrame& f, int x, int y) {
  int sum = 7 * f.at(x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) sum += f.at(x + dx, y + dy);
  return sum >> 4;
}

TEST(MosquitoFilter, AVerticalEdgeKeepsItsNeighboursAndSmoothsTheFlatAround) {
  const ScenePair scene = VerticalEdge();
  State state(IppiSize{96, 64});
  const std::vector<uint8_t> out = Filter(scene, state.state);
  auto at = [&](int x, int y) { return static_cast<int>(out[static_cast<size_t>(y) * 96 + x]); };
  // The edge's own columns are edge pixels or their left neighbours: kept.
  for (int y = 2; y < 58; ++y) {
    EXPECT_EQ(at(39, y), scene.cleaned.at(39, y)) << y;
    EXPECT_EQ(at(40, y), scene.cleaned.at(40, y)) << y;
  }
  // The edge's blocks are examined, and so is every later block: flat pixels away from the edge
  // become the weighted local mean, which differs from the noisy pixel somewhere.
  int smoothed = 0;
  for (int y = 10; y < 58; ++y) {
    for (int x : {44, 45, 60, 70, 88}) {
      EXPECT_EQ(at(x, y), WeightedLocalMean(scene.cleaned, x, y)) << x << ", " << y;
      smoothed += at(x, y) != scene.cleaned.at(x, y);
    }
  }
  EXPECT_GT(smoothed, 20);
  // Blocks before the first strong-gradient neighbour are not examined: the top-left block keeps
  // its noise.
  for (int y = 2; y < 10; ++y)
    for (int x = 2; x < 10; ++x) EXPECT_EQ(at(x, y), scene.cleaned.at(x, y)) << x << ", " << y;
}

TEST(MosquitoFilter, TheNeighbourTotalIsNeverReset) {
  // Noise everywhere and one strong feature in the top-left block: every block after it is
  // examined, even the bottom-right block, far from any gradient.
  ScenePair quiet = VerticalEdge();
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 96; ++x) quiet.cleaned.at(x, y) = static_cast<uint8_t>(100 + (quiet.cleaned.at(x, y) % 3) - 1);
  quiet.reference = quiet.cleaned;
  ScenePair featured = quiet;
  for (int y = 3; y < 7; ++y)
    for (int x = 3; x < 7; ++x) featured.cleaned.at(x, y) = featured.reference.at(x, y) = 250;
  State state(IppiSize{96, 64});
  const std::vector<uint8_t> plain = Filter(quiet, state.state);
  const std::vector<uint8_t> examined = Filter(featured, state.state);
  int changed = 0;
  for (int y = 82 - 32; y < 58; ++y) {
    for (int x = 82; x < 90; ++x) {
      const size_t i = static_cast<size_t>(y) * 96 + x;
      EXPECT_EQ(plain[i], quiet.cleaned.at(x, y));
      EXPECT_EQ(examined[i], WeightedLocalMean(featured.cleaned, x, y));
      changed += examined[i] != plain[i];
    }
  }
  EXPECT_GT(changed, 10);
}

TEST(MosquitoFilter, OneStateServesManyFrames) {
  const ScenePair first = MakeScene(67, 44, 31), second = MakeScene(67, 44, 32);
  State reused(IppiSize{67, 44});
  Filter(first, reused.state);
  const std::vector<uint8_t> again = Filter(second, reused.state);
  State fresh(IppiSize{67, 44});
  EXPECT_EQ(again, Filter(second, fresh.state));
}

TEST(MosquitoFilter, StateIsOneZeroedAlignedLibraryBlockSizedByTheFrame) {
  EXPECT_EQ(mosquito::StateBlockBytes(IppiSize{12, 12}), 400 + 80 + 495);
  EXPECT_EQ(mosquito::StateBlockBytes(IppiSize{1920, 1080}), 1928LL * 1088 + 241 * 136 * 20 + 495);
  EXPECT_EQ(mosquito::StateBlockBytes(IppiSize{13, 1}), 192 + 48 + 495);
  RynMosquitoState* state = nullptr;
  ASSERT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{100, 40}, &state), ippStsNoErr);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(state) % 32, 0u);
  const auto* s = reinterpret_cast<const mosquito::MosquitoState*>(state);
  EXPECT_EQ(s->width, 100);
  EXPECT_EQ(s->height, 40);
  const int32_t tuning[12] = {8, 8, 4, 12, 16, 4, 1, 32, 20, 2, 16, 6};
  EXPECT_EQ(std::memcmp(&s->blockWidth, tuning, sizeof tuning), 0);
  const auto* bytes = reinterpret_cast<const uint8_t*>(state);
  for (int64_t i = mosquito::kStateBytes; i < mosquito::StateBlockBytes(IppiSize{100, 40}) - 495 + mosquito::kStateBytes;
       ++i) {
    ASSERT_EQ(bytes[i], 0) << i;
  }
  fnVCAIPP_Free(state);
}

TEST(MosquitoFilter, InitChecks) {
  RynMosquitoState* state = reinterpret_cast<RynMosquitoState*>(uintptr_t{0x40});
  EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{0, 0}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{0, 5}, &state), ippStsSizeErr);
  EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{5, -1}, &state), ippStsSizeErr);
  EXPECT_EQ(state, reinterpret_cast<RynMosquitoState*>(uintptr_t{0x40}));
  // Too large a frame for one block: no memory, and no state.
  EXPECT_EQ(fnVCAIPP_FilterDenoiseMosquitoInitAlloc_8u_C1R(IppiSize{1 << 20, 1 << 20}, &state), ippStsMemAllocErr);
  EXPECT_EQ(state, nullptr);
}

TEST(MosquitoFilter, FilterChecksInOrderLeavingTheDestination) {
  const ScenePair scene = MakeScene(20, 20, 9);
  State state(IppiSize{20, 20});
  State small(IppiSize{11, 20});
  State narrow(IppiSize{20, 11});
  std::vector<uint8_t> destination(400, 0x5A);
  const uint8_t* r = scene.reference.pixels.data();
  const uint8_t* c = scene.cleaned.pixels.data();
  auto run = [&](const uint8_t* ref, const uint8_t* cur, uint8_t* dst, IppiSize roi, RynMosquitoState* s) {
    return fnVCAIPP_FilterDenoiseMosquito_8u_C1R(ref, cur, 20, dst, 20, roi, s);
  };
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{20, 20}, nullptr), ippStsNullPtrErr);
  EXPECT_EQ(run(nullptr, c, destination.data(), IppiSize{20, 20}, state.state), ippStsNullPtrErr);
  EXPECT_EQ(run(r, nullptr, destination.data(), IppiSize{20, 20}, state.state), ippStsNullPtrErr);
  EXPECT_EQ(run(r, c, nullptr, IppiSize{20, 20}, state.state), ippStsNullPtrErr);

  // A state without working memory, then one without a size.
  mosquito::MosquitoState hollow{};
  hollow.width = hollow.height = 20;
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{20, 20}, reinterpret_cast<RynMosquitoState*>(&hollow)),
            ippStsNullPtrErr);
  mosquito::MosquitoState sizeless = *reinterpret_cast<mosquito::MosquitoState*>(state.state);
  sizeless.width = 0;
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{0, 20}, reinterpret_cast<RynMosquitoState*>(&sizeless)),
            ippStsSizeErr);

  // The roi must be the state's size, before the size for one window is checked.
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{19, 20}, state.state), ippStsSizeErr);
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{20, 21}, state.state), ippStsSizeErr);
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{11, 11}, small.state), ippStsSizeErr);
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{11, 20}, small.state), ippStsErr);
  EXPECT_EQ(run(r, c, destination.data(), IppiSize{20, 11}, narrow.state), ippStsErr);
  for (uint8_t b : destination) ASSERT_EQ(b, 0x5A);
}

TEST(MosquitoFilter, BuildsMatchGeneric) {
  // Rows of fewer blocks than a vector holds, of whole vectors (260: 32 blocks) and of one more.
  const IppiSize sizes[] = {{12, 12}, {19, 13}, {20, 28}, {33, 17}, {65, 24}, {129, 60}, {260, 60}, {268, 36}, {300, 150}, {1920, 28}};
  uint32_t seed = 100;
  for (IppiSize size : sizes) {
    for (int misalign : {0, 3}) {
      SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height << " misaligned " << misalign);
      const ScenePair scene = MakeScene(size.width, size.height, ++seed);
      const TestImage<uint8_t> reference = ToImage(scene.reference, 5, misalign),
                               cleaned = ToImage(scene.cleaned, 5, misalign + 7);
      State state(size);
      ExpectBuildsMatchGeneric([&](Build build) {
        TestImage<uint8_t> destination(size.width, size.height, 3, misalign + 1);
        destination.FillBytes(SentinelFor(build));
        const IppStatus status = fnVCAIPP_FilterDenoiseMosquito_8u_C1R(reference.data(), cleaned.data(),
                                                                        cleaned.step(), destination.data(),
                                                                        destination.step(), size, state.state);
        EXPECT_TRUE(destination.GuardsIntact());
        return std::make_tuple(status, Capture(destination));
      });
    }
  }
}

}  // namespace
}  // namespace ryn::test
