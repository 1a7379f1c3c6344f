#include "simulator/face_scale.h"

#include <cstddef>
#include <vector>

namespace torvik {

namespace {

// Division that rounds towards minus infinity: a point left of the window while dragging
// has a negative coordinate, and its pixel is the one to its left.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// The source pixels one target pixel covers along an axis, with their overlaps. In units
// of 1 / (source size x full size), target pixel t covers [t * source, (t + 1) * source) and
// source pixel s covers [s * full, (s + 1) * full).
struct Footprint {
  int first = 0;
  std::vector<std::int64_t> weights;
};

std::vector<Footprint> footprints(int sourceSize, int fullSize, int from, int to) {
  std::vector<Footprint> out;
  out.reserve(static_cast<std::size_t>(to - from));
  for (int t = from; t < to; ++t) {
    const std::int64_t lo = static_cast<std::int64_t>(t) * sourceSize;
    const std::int64_t hi = lo + sourceSize;
    Footprint f;
    f.first = static_cast<int>(lo / fullSize);
    for (std::int64_t s = f.first; s * fullSize < hi && s < sourceSize; ++s) {
      const std::int64_t a = s * fullSize > lo ? s * fullSize : lo;
      const std::int64_t b = (s + 1) * fullSize < hi ? (s + 1) * fullSize : hi;
      f.weights.push_back(b - a);
    }
    out.push_back(std::move(f));
  }
  return out;
}

}  // namespace

int validZoom(std::int64_t stored) {
  for (int z : kZoomChoices)
    if (stored == z) return z;
  return kDefaultZoom;
}

int scalePercent(int dpi, int zoomPercent) {
  if (dpi <= 0) dpi = kBaseDpi;
  const std::int64_t p = (static_cast<std::int64_t>(dpi) * zoomPercent + kBaseDpi / 2) / kBaseDpi;
  if (p < kMinScalePercent) return kMinScalePercent;
  if (p > kMaxScalePercent) return kMaxScalePercent;
  return static_cast<int>(p);
}

int scaleCoordinate(int value, int percent) {
  return static_cast<int>(floorDiv(static_cast<std::int64_t>(value) * percent + 50, 100));
}

int unscaleCoordinate(int value, int percent) {
  // The pixel whose scaled interval holds the centre; where the centre falls exactly on a
  // 100% edge, the pixel that rounding half up gave that scaled pixel to.
  return static_cast<int>(
      floorDiv((2 * static_cast<std::int64_t>(value) + 1) * 100 - 1, 2 * static_cast<std::int64_t>(percent)));
}

ScaledRect scaleRect(int left, int top, int right, int bottom, int percent) {
  return {scaleCoordinate(left, percent), scaleCoordinate(top, percent), scaleCoordinate(right, percent),
          scaleCoordinate(bottom, percent)};
}

int lcdFontHeight(int percent) {
  const int h = scaleCoordinate(12, percent);
  return h < 1 ? 1 : h;
}

void lcdAdvances(int x, int count, int percent, int* advances) {
  for (int i = 0; i < count; ++i)
    advances[i] = scaleCoordinate(x + 6 * (i + 1), percent) - scaleCoordinate(x + 6 * i, percent);
}

int sourceSetFactor(int percent) { return percent <= 100 ? 1 : 2; }

bool resampleArea(const ConstPixelImage& source, int fullWidth, int fullHeight, const ScaledRect& area,
                  const PixelImage& target) {
  if (source.bits == nullptr || target.bits == nullptr || source.width <= 0 || source.height <= 0 ||
      fullWidth <= 0 || fullHeight <= 0 || source.stride < 3 * source.width)
    return false;
  if (area.left < 0 || area.top < 0 || area.right > fullWidth || area.bottom > fullHeight || area.width() <= 0 ||
      area.height() <= 0)
    return false;
  if (target.width < area.width() || target.height < area.height() || target.stride < 3 * target.width)
    return false;
  const std::vector<Footprint> columns = footprints(source.width, fullWidth, area.left, area.right);
  const std::vector<Footprint> rows = footprints(source.height, fullHeight, area.top, area.bottom);
  const std::int64_t total = static_cast<std::int64_t>(source.width) * source.height;
  for (int y = 0; y < area.height(); ++y) {
    const Footprint& row = rows[static_cast<std::size_t>(y)];
    std::uint8_t* out = target.bits + static_cast<std::ptrdiff_t>(y) * target.stride;
    for (int x = 0; x < area.width(); ++x) {
      const Footprint& column = columns[static_cast<std::size_t>(x)];
      std::int64_t sum[3] = {0, 0, 0};
      for (std::size_t j = 0; j < row.weights.size(); ++j) {
        const std::uint8_t* in = source.bits + static_cast<std::ptrdiff_t>(row.first + static_cast<int>(j)) * source.stride;
        for (std::size_t i = 0; i < column.weights.size(); ++i) {
          const std::int64_t w = row.weights[j] * column.weights[i];
          const std::uint8_t* p = in + 3 * (column.first + static_cast<int>(i));
          sum[0] += w * p[0];
          sum[1] += w * p[1];
          sum[2] += w * p[2];
        }
      }
      for (int c = 0; c < 3; ++c) out[3 * x + c] = static_cast<std::uint8_t>((sum[c] + total / 2) / total);
    }
  }
  return true;
}

}  // namespace torvik
