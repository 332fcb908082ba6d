// Template matching by FFT correlation on tiles: the normalised squared distance
// sum((I - T)^2) / (sqrt(sum(I^2)) ||T||) = (sum(I^2) - 2 sum(I T) + ||T||^2) / ..., with sum(I T)
// from one two-dimensional transform per pair of tiles and the window energies sum(I^2) from box
// sums in double.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "frame/allocator.h"
#include "frame/checks.h"
#include "frame/image_view.h"
#include "frame/unaligned.h"
#include "primitives/fft/fft.h"

namespace ryn::fft {
namespace {

// Transforms grow once more below this order when the first size would cover few outputs.
constexpr int kSmallOrderLimit = 7;

// The smallest order >= 1 with 2^order >= 2 patternLength, raised by one when below 7 and
// smaller than the outputs.
int TransformOrder(int64_t patternLength, int64_t outputs) {
  int order = 1;
  while ((int64_t{1} << order) < 2 * patternLength) ++order;
  if (order < kSmallOrderLimit && (int64_t{1} << order) < outputs) ++order;
  return order;
}

IppStatus TemplateFits(IppiSize source, IppiSize pattern) {
  return pattern.width <= source.width && pattern.height <= source.height ? ippStsNoErr : ippStsSizeErr;
}

int64_t RoundUpToBlock(int64_t bytes) { return (bytes + kBlockAlignment - 1) & ~int64_t{kBlockAlignment - 1}; }

// Everything one call owns, released on every exit.
struct Resources {
  Fft2D* object = nullptr;
  void* block = nullptr;
  ~Resources() {
    FreeBlock(block);
    if (object != nullptr) FreeFft2D(object);
  }
};

// The transform size, the tiles and the layout of the working buffer.
struct Layout {
  int width, height;          // transform size
  int tileWidth, tileHeight;  // outputs of a whole tile
  int64_t cells;
  Ipp32fc* patternSpectrum;
  Ipp32fc* tile;
  double* rowSums[2];   // height x tileWidth: window sums along each tile row
  double* energies[2];  // tileHeight x tileWidth
  uint8_t* work;
};

int64_t BufferBytes(const Layout& l, int64_t workBytes) {
  const int64_t complexBytes = RoundUpToBlock(l.cells * int64_t{sizeof(Ipp32fc)});
  const int64_t rowSumBytes = RoundUpToBlock(int64_t{l.height} * l.tileWidth * int64_t{sizeof(double)});
  const int64_t energyBytes = RoundUpToBlock(int64_t{l.tileHeight} * l.tileWidth * int64_t{sizeof(double)});
  return 2 * complexBytes + 2 * rowSumBytes + 2 * energyBytes + workBytes;
}

void PlaceBuffers(Layout& l, uint8_t* block) {
  const int64_t complexBytes = RoundUpToBlock(l.cells * int64_t{sizeof(Ipp32fc)});
  const int64_t rowSumBytes = RoundUpToBlock(int64_t{l.height} * l.tileWidth * int64_t{sizeof(double)});
  const int64_t energyBytes = RoundUpToBlock(int64_t{l.tileHeight} * l.tileWidth * int64_t{sizeof(double)});
  l.patternSpectrum = reinterpret_cast<Ipp32fc*>(block);
  l.tile = reinterpret_cast<Ipp32fc*>(block + complexBytes);
  uint8_t* next = block + 2 * complexBytes;
  for (double*& sums : l.rowSums) {
    sums = reinterpret_cast<double*>(next);
    next += rowSumBytes;
  }
  for (double*& energies : l.energies) {
    energies = reinterpret_cast<double*>(next);
    next += energyBytes;
  }
  l.work = next;
}

// A tile: its first output, and how many outputs it has in each direction.
struct Tile {
  int x, y;
  int columns, rows;
};

// Writes the tile's source pixels (zero beyond the source) into part 0 (real) or 1 (imaginary) of
// the transform's elements; the other part is left as it is.
void CopyTileIn(const ImageView<const float>& source, const Tile& tile, const Layout& l, int part) {
  const int columns = std::min(l.width, source.size.width - tile.x);
  const int rows = std::min(l.height, source.size.height - tile.y);
  float* cells = reinterpret_cast<float*>(l.tile) + part;
  for (int y = 0; y < rows; ++y) {
    const float* from = source.Row(tile.y + y) + tile.x;
    float* to = cells + 2 * int64_t{y} * l.width;
    for (int x = 0; x < columns; ++x) to[2 * x] = LoadUnaligned(from + x);
  }
}

// sum(I^2) of each window of the tile's outputs: sums along rows, then down the columns.
void WindowEnergies(const ImageView<const float>& source, IppiSize pattern, const Tile& tile, double* rowSums,
                    double* energies) {
  const int sourceRows = tile.rows + pattern.height - 1;
  for (int r = 0; r < sourceRows; ++r) {
    const float* row = source.Row(tile.y + r) + tile.x;
    double* sums = rowSums + int64_t{r} * tile.columns;
    double sum = 0.0;
    for (int u = 0; u < pattern.width; ++u) {
      const double v = LoadUnaligned(row + u);
      sum += v * v;
    }
    sums[0] = sum;
    for (int x = 1; x < tile.columns; ++x) {
      const double entering = LoadUnaligned(row + x + pattern.width - 1);
      const double leaving = LoadUnaligned(row + x - 1);
      sum = (sum + entering * entering) - leaving * leaving;
      sums[x] = sum;
    }
  }
  for (int x = 0; x < tile.columns; ++x) energies[x] = 0.0;
  for (int v = 0; v < pattern.height; ++v) {
    const double* sums = rowSums + int64_t{v} * tile.columns;
    for (int x = 0; x < tile.columns; ++x) energies[x] += sums[x];
  }
  for (int y = 1; y < tile.rows; ++y) {
    const double* previous = energies + int64_t{y - 1} * tile.columns;
    const double* entering = rowSums + int64_t{y + pattern.height - 1} * tile.columns;
    const double* leaving = rowSums + int64_t{y - 1} * tile.columns;
    double* current = energies + int64_t{y} * tile.columns;
    for (int x = 0; x < tile.columns; ++x) current[x] = (previous[x] + entering[x]) - leaving[x];
  }
}

double PatternNorm(const ImageView<const float>& pattern) {
  double sum = 0.0;
  for (int y = 0; y < pattern.size.height; ++y) {
    const float* row = pattern.Row(y);
    for (int x = 0; x < pattern.size.width; ++x) {
      const double v = LoadUnaligned(row + x);
      sum += v * v;
    }
  }
  return std::sqrt(sum);
}

Tile TileAt(int64_t index, int64_t tilesAcross, const Layout& l, IppiSize outputs) {
  const int x = static_cast<int>(index % tilesAcross * l.tileWidth);
  const int y = static_cast<int>(index / tilesAcross * l.tileHeight);
  return Tile{x, y, std::min(l.tileWidth, outputs.width - x), std::min(l.tileHeight, outputs.height - y)};
}

}  // namespace

IppStatus SqrDistanceValidNorm(const float* source, int sourceStep, IppiSize sourceSize, const float* pattern,
                               int patternStep, IppiSize patternSize, float* destination, int destinationStep) {
  RYN_CHECK(NotNull(source, pattern, destination));
  RYN_CHECK(PositiveSize(sourceSize));
  RYN_CHECK(PositiveSize(patternSize));
  RYN_CHECK(TemplateFits(sourceSize, patternSize));
  RYN_CHECK(PositiveStep(sourceStep));
  RYN_CHECK(PositiveStep(patternStep));
  RYN_CHECK(PositiveStep(destinationStep));
  const IppiSize outputs{sourceSize.width - patternSize.width + 1, sourceSize.height - patternSize.height + 1};

  Resources owned;
  RYN_CHECK(CreateFft2D(&owned.object, TransformOrder(patternSize.width, outputs.width),
                        TransformOrder(patternSize.height, outputs.height), kScaleNone, 0));
  Layout l{};
  l.width = 1 << owned.object->orderX;
  l.height = 1 << owned.object->orderY;
  l.tileWidth = l.width - patternSize.width + 1;
  l.tileHeight = l.height - patternSize.height + 1;
  l.cells = int64_t{l.width} * l.height;
  owned.block = AllocateBlock(BufferBytes(l, owned.object->workBytes));
  if (owned.block == nullptr) return ippStsMemAllocErr;
  PlaceBuffers(l, static_cast<uint8_t*>(owned.block));
  const int rowBytes = l.width * static_cast<int>(sizeof(Ipp32fc));

  const auto sourceImage = View(source, sourceStep, sourceSize);
  const auto patternImage = View(pattern, patternStep, patternSize);
  const auto destinationImage = View(destination, destinationStep, outputs);
  std::memset(l.tile, 0, static_cast<size_t>(l.cells) * sizeof(Ipp32fc));
  CopyTileIn(patternImage, Tile{0, 0, 1, 1}, l, 0);
  RYN_CHECK(Transform2D(owned.object, l.tile, rowBytes, l.patternSpectrum, rowBytes, l.work, Direction::kForward));
  const double norm = PatternNorm(patternImage);
  const double correlationScale = 1.0 / static_cast<double>(l.cells);

  // Two tiles a transform: one in the real parts, one in the imaginary parts. The pattern is real,
  // so the correlations come back apart in the two parts.
  const int64_t tilesAcross = (int64_t{outputs.width} + l.tileWidth - 1) / l.tileWidth;
  const int64_t tilesDown = (int64_t{outputs.height} + l.tileHeight - 1) / l.tileHeight;
  const int64_t tileCount = tilesAcross * tilesDown;
  for (int64_t first = 0; first < tileCount; first += 2) {
    const int pair = static_cast<int>(std::min<int64_t>(2, tileCount - first));
    Tile tiles[2];
    std::memset(l.tile, 0, static_cast<size_t>(l.cells) * sizeof(Ipp32fc));
    for (int part = 0; part < pair; ++part) {
      tiles[part] = TileAt(first + part, tilesAcross, l, outputs);
      CopyTileIn(sourceImage, tiles[part], l, part);
      WindowEnergies(sourceImage, patternSize, tiles[part], l.rowSums[part], l.energies[part]);
    }
    RYN_CHECK(Transform2D(owned.object, l.tile, rowBytes, l.tile, rowBytes, l.work, Direction::kForward));
    MultiplyConjugate(l.tile, l.patternSpectrum, static_cast<size_t>(l.cells));
    RYN_CHECK(Transform2D(owned.object, l.tile, rowBytes, l.tile, rowBytes, l.work, Direction::kInverse));
    for (int part = 0; part < pair; ++part) {
      const Tile& tile = tiles[part];
      for (int y = 0; y < tile.rows; ++y) {
        const float* correlation = reinterpret_cast<const float*>(l.tile + int64_t{y} * l.width) + part;
        DistanceRow(correlation, l.energies[part] + int64_t{y} * tile.columns, destinationImage.Row(tile.y + y) + tile.x,
                    static_cast<size_t>(tile.columns), norm, correlationScale);
      }
    }
  }
  return ippStsNoErr;
}

}  // namespace ryn::fft
