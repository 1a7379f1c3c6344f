// The face at any scale: scale from DPI and zoom, coordinates and rectangles, hit areas,
// the LCD font and the area filter that shrinks the drawn face.
#include "simulator/face_scale.h"

#include <gtest/gtest.h>

#include <vector>

#include "simulator/keypad.h"

namespace torvik {
namespace {

TEST(FaceScale, PercentFromDpiAndZoom) {
  struct Case {
    int dpi, zoom, percent;
  } cases[] = {
      {96, 100, 100},  {120, 100, 125}, {144, 100, 150}, {168, 100, 175}, {192, 100, 200},
      {96, 150, 150},  {96, 200, 200},  {144, 150, 225}, {144, 200, 300}, {192, 200, 400},
      {0, 100, 100},   {-5, 150, 150},  {72, 100, 75},   {24, 100, 50},   {10, 100, 50},
      {960, 200, 800}, {110, 100, 115},  // 114.58 rounds up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dpi << " dpi, zoom " << c.zoom);
    EXPECT_EQ(scalePercent(c.dpi, c.zoom), c.percent);
  }
}

TEST(FaceScale, StoredZoomIsOneOfTheChoicesOrTheDefault) {
  struct Case {
    long long stored;
    int zoom;
  } cases[] = {{100, 100}, {150, 150}, {200, 200}, {0, 100},   {125, 100},
               {-150, 100}, {201, 100}, {4294967446LL, 100}, {149, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(validZoom(c.stored), c.zoom);
  }
}

TEST(FaceScale, CoordinatesRoundHalfUpAndUnscaleToThePixelUnderTheCentre) {
  struct Case {
    int value, percent, scaled;
  } cases[] = {
      {200, 100, 200}, {459, 100, 459}, {200, 150, 300}, {459, 150, 689}, {459, 125, 574},
      {459, 175, 803}, {459, 200, 918}, {1, 150, 2},     {1, 125, 1},     {3, 150, 5},
      {0, 150, 0},     {-1, 150, -1},   {-3, 150, -4},   {39, 175, 68},   {459, 300, 1377},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << " at " << c.percent);
    EXPECT_EQ(scaleCoordinate(c.value, c.percent), c.scaled);
  }
  // Every scaled pixel maps back into the 100% pixel that covers its centre, and a 100%
  // pixel's scaled interval maps back onto it.
  for (int percent : {75, 100, 125, 150, 175, 200, 300}) {
    for (int v = -20; v < 500; ++v) {
      SCOPED_TRACE(::testing::Message() << v << " at " << percent);
      const int lo = scaleCoordinate(v, percent);
      const int hi = scaleCoordinate(v + 1, percent);
      for (int s = lo; s < hi; ++s) EXPECT_EQ(unscaleCoordinate(s, percent), v);
    }
  }
}

TEST(FaceScale, RectanglesThatMeetStillMeet) {
  for (int percent : {100, 125, 150, 175, 200, 225, 300}) {
    SCOPED_TRACE(percent);
    const ScaledRect whole = scaleRect(0, 0, kFaceWidth, kFaceHeight, percent);
    const ScaledRect left = scaleRect(0, 0, 79, kFaceHeight, percent);
    const ScaledRect right = scaleRect(79, 0, kFaceWidth, kFaceHeight, percent);
    EXPECT_EQ(left.right, right.left);
    EXPECT_EQ(left.width() + right.width(), whole.width());
  }
  const ScaledRect key = scaleRect(38, 295, 79, 318, 150);
  EXPECT_EQ(key.left, 57);
  EXPECT_EQ(key.top, 443);
  EXPECT_EQ(key.width(), 62);
  EXPECT_EQ(key.height(), 34);
}

// The point at the centre of each key's drawn image, at every scale, hits that key.
TEST(FaceScale, KeyCentresHitTheirKeysAtEveryScale) {
  struct Centre {
    int code, x, y;  // 100% coordinates of a point well inside the key
  };
  std::vector<Centre> centres;
  for (int code = 1; code <= 15; ++code) {
    const KeyPlace p = keyImagePlace(code);
    centres.push_back({code, p.x + 20, p.y + 11});
  }
  centres.insert(centres.end(), {{16, 57, 215}, {17, 143, 215}, {18, 64, 255}, {19, 99, 253},
                                 {20, 135, 255}, {21, 62, 280}, {22, 99, 277}, {23, 135, 280}});
  for (int percent : {100, 125, 150, 175, 200, 225, 300, 400}) {
    for (const Centre& c : centres) {
      SCOPED_TRACE(::testing::Message() << "key " << c.code << " at " << percent);
      ASSERT_EQ(hitTestKey(c.x, c.y), c.code);
      const int sx = scaleCoordinate(c.x, percent) + scaleCoordinate(1, percent) / 2;
      const int sy = scaleCoordinate(c.y, percent) + scaleCoordinate(1, percent) / 2;
      EXPECT_EQ(hitTestKey(unscaleCoordinate(sx, percent), unscaleCoordinate(sy, percent)), c.code);
    }
  }
  // The LCD and the scan key stay no key.
  EXPECT_EQ(hitTestKey(unscaleCoordinate(150, 150), unscaleCoordinate(120, 150)), 0);
  EXPECT_EQ(hitTestKey(unscaleCoordinate(200, 200), unscaleCoordinate(430, 200)), 0);
}

TEST(FaceScale, LcdFontAndAdvancesFollowTheCellGrid) {
  struct Case {
    int percent, height;
    std::vector<int> advances;  // of four characters from x 39
  } cases[] = {
      {100, 12, {6, 6, 6, 6}}, {125, 15, {7, 8, 7, 8}},     {150, 18, {9, 9, 9, 9}},
      {175, 21, {11, 10, 11, 10}}, {200, 24, {12, 12, 12, 12}}, {50, 6, {3, 3, 3, 3}},
      {10, 1, {1, 0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    EXPECT_EQ(lcdFontHeight(c.percent), c.height);
    int got[4] = {};
    lcdAdvances(39, 4, c.percent, got);
    EXPECT_EQ(std::vector<int>(got, got + 4), c.advances);
    // The text ends where the fourth cell ends when scaled.
    EXPECT_EQ(scaleCoordinate(39, c.percent) + got[0] + got[1] + got[2] + got[3], scaleCoordinate(39 + 24, c.percent));
  }
}

TEST(FaceScale, SourceSetIsNeverEnlargedUpTo200Percent) {
  struct Case {
    int percent, factor;
  } cases[] = {{50, 1}, {75, 1}, {100, 1}, {101, 2}, {125, 2}, {150, 2}, {175, 2}, {200, 2}, {300, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    EXPECT_EQ(sourceSetFactor(c.percent), c.factor);
  }
}

// A w x h image whose pixel (x, y) is (x, y, 7) in B, G, R order.
std::vector<std::uint8_t> ramp(int w, int h) {
  std::vector<std::uint8_t> bits(static_cast<size_t>(3 * w * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      bits[static_cast<size_t>(3 * (y * w + x))] = static_cast<std::uint8_t>(x);
      bits[static_cast<size_t>(3 * (y * w + x) + 1)] = static_cast<std::uint8_t>(y);
      bits[static_cast<size_t>(3 * (y * w + x) + 2)] = 7;
    }
  return bits;
}

TEST(FaceScale, AreaFilterCopiesAtTheSameSizeAndAveragesWhenShrinking) {
  const std::vector<std::uint8_t> src = ramp(8, 6);
  const ConstPixelImage source{src.data(), 8, 6, 24};
  {
    std::vector<std::uint8_t> out(src.size());
    ASSERT_TRUE(resampleArea(source, 8, 6, {0, 0, 8, 6}, {out.data(), 8, 6, 24}));
    EXPECT_EQ(out, src);
  }
  {
    // Half size: each target pixel averages a 2 x 2 block, e.g. x 2..3 -> 2.5 -> 3.
    std::vector<std::uint8_t> out(3 * 4 * 3);
    ASSERT_TRUE(resampleArea(source, 4, 3, {0, 0, 4, 3}, {out.data(), 4, 3, 12}));
    EXPECT_EQ(out[3 * 1], 3);      // x: (2 + 3) / 2 rounded half up
    EXPECT_EQ(out[3 * 1 + 1], 1);  // y: (0 + 1) / 2
    EXPECT_EQ(out[2 * 12 + 3 * 3 + 1], 5);
    EXPECT_EQ(out[2 * 12 + 3 * 3 + 2], 7);
  }
  {
    // Three quarters, in part: the part equals the same area of the whole.
    std::vector<std::uint8_t> whole(3 * 6 * 5), part(3 * 3 * 2);
    ASSERT_TRUE(resampleArea(source, 6, 5, {0, 0, 6, 5}, {whole.data(), 6, 5, 18}));
    ASSERT_TRUE(resampleArea(source, 6, 5, {2, 3, 5, 5}, {part.data(), 3, 2, 9}));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 9; ++x) EXPECT_EQ(part[static_cast<size_t>(9 * y + x)], whole[static_cast<size_t>(18 * (y + 3) + 6 + x)]);
  }
}

TEST(FaceScale, AreaFilterRefusesBadSizes) {
  const std::vector<std::uint8_t> src = ramp(8, 6);
  const ConstPixelImage source{src.data(), 8, 6, 24};
  std::vector<std::uint8_t> out(3 * 8 * 6);
  const PixelImage target{out.data(), 8, 6, 24};
  struct Case {
    int fullWidth, fullHeight;
    ScaledRect area;
  } cases[] = {
      {0, 6, {0, 0, 1, 1}},  {8, -1, {0, 0, 1, 1}}, {8, 6, {-1, 0, 2, 2}}, {8, 6, {0, 0, 9, 6}},
      {8, 6, {3, 3, 3, 4}},  {16, 12, {0, 0, 9, 6}}, {8, 6, {0, 0, 8, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.fullWidth << "x" << c.fullHeight);
    EXPECT_FALSE(resampleArea(source, c.fullWidth, c.fullHeight, c.area, target));
  }
  EXPECT_FALSE(resampleArea({nullptr, 8, 6, 24}, 8, 6, {0, 0, 8, 6}, target));
  EXPECT_FALSE(resampleArea({src.data(), 8, 6, 20}, 8, 6, {0, 0, 8, 6}, target));
}

}  // namespace
}  // namespace torvik
