#pragma once
// The arithmetic of the face at any scale: the face is laid out in 100% coordinates (the
// 200 x 459 picture), painted at the monitor's DPI times the user's zoom. Portable, so that
// every rounding rule is tested natively.
#include <cstdint>

namespace torvik {

constexpr int kBaseDpi = 96;
constexpr int kFaceWidth = 200;
constexpr int kFaceHeight = 459;
constexpr int kMinScalePercent = 50;
constexpr int kMaxScalePercent = 800;

// The zoom choices of the popup menu, in percent.
constexpr int kZoomChoices[] = {100, 150, 200};
constexpr int kDefaultZoom = 100;

// A zoom read back from storage: one of the choices, anything else is the default.
int validZoom(std::int64_t stored);

// Effective scale in percent: DPI / 96 x zoom, rounded, kept within 50..800. A DPI of 0
// or less (not known) counts as 96.
int scalePercent(int dpi, int zoomPercent);

// A 100% coordinate at `percent`, rounded half up. Edges are scaled, not sizes, so that
// pieces that meet at 100% still meet when scaled.
int scaleCoordinate(int value, int percent);

// The 100% coordinate under the centre of scaled pixel `value` (for hit tests).
int unscaleCoordinate(int value, int percent);

struct ScaledRect {
  int left, top, right, bottom;  // right and bottom exclusive
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};
ScaledRect scaleRect(int left, int top, int right, int bottom, int percent);

// The LCD font's cell height at `percent` (12 pixels at 100%).
int lcdFontHeight(int percent);
// Per-character advances of text starting at 100% x coordinate `x` on the 6-pixel cell
// grid: each character ends where the next cell begins when scaled, so text stays on the
// cells that the cursor uses.
void lcdAdvances(int x, int count, int percent, int* advances);

// Which drawn set to scale from: 1 (the 100% artwork) at 100% or less, else 2 (drawn at
// twice the size), so that the face is only ever scaled down (above 200% the 2x set is
// enlarged, still by an area filter).
int sourceSetFactor(int percent);

// A 24-bit image in memory: rows top first, each `stride` bytes, pixels B, G, R.
struct PixelImage {
  std::uint8_t* bits;
  int width, height, stride;
};
struct ConstPixelImage {
  const std::uint8_t* bits;
  int width, height, stride;
};

// Resamples `source` to a `fullWidth` x `fullHeight` image and writes the part of it in
// `area` (within the full size) to `target` (at least area's size). Each target pixel is
// the average of the source area it covers, weighted by overlap: no blur at 100% (a copy),
// no lost lines when shrinking. Returns false when a size is not positive or area lies
// outside the full image or does not fit in target.
bool resampleArea(const ConstPixelImage& source, int fullWidth, int fullHeight, const ScaledRect& area,
                  const PixelImage& target);

}  // namespace torvik
