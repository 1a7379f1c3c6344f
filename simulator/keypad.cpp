#include "simulator/keypad.h"

namespace torvik {

namespace {

struct KeyRow {
  int code;
  int x0, x1, y0, y1;  // inclusive hit range
  KeyPlace image;
};

// In hit-test order: the Up/Down column is tried before the Left/Right and ESC/BS rows
// that it overlaps, so a click at their meeting point is Up or Down.
const KeyRow kUpperKeys[] = {
    {16, 43, 71, 197, 234, {43, 197}},  {17, 130, 156, 197, 234, {129, 197}},
    {19, 84, 115, 242, 265, {83, 241}}, {22, 84, 115, 266, 288, {83, 265}},
    {18, 49, 80, 240, 270, {47, 239}},  {20, 119, 152, 240, 270, {118, 239}},
    {21, 48, 77, 268, 291, {47, 263}},  {23, 112, 151, 268, 291, {118, 263}},
};

struct Range {
  int lo, hi;
};
const Range kDigitRowY[4] = {{296, 317}, {324, 344}, {351, 371}, {378, 398}};
const Range kDigitColumnX[3] = {{45, 78}, {80, 119}, {121, 154}};
const KeyRow kBottomKeys[] = {
    {13, 49, 78, 404, 425, {38, 403}},
    {14, 89, 110, 404, 425, {79, 403}},
    {15, 121, 150, 404, 425, {120, 403}},
};

bool inside(const KeyRow& k, int x, int y) { return x >= k.x0 && x <= k.x1 && y >= k.y0 && y <= k.y1; }

}  // namespace

int hitTestKey(int x, int y) {
  for (const KeyRow& k : kUpperKeys)
    if (inside(k, x, y)) return k.code;
  for (int row = 0; row < 4; ++row) {
    if (y < kDigitRowY[row].lo || y > kDigitRowY[row].hi) continue;
    // A row's y range decides: between its keys is no key, not a later row's key.
    for (int column = 0; column < 3; ++column)
      if (x >= kDigitColumnX[column].lo && x <= kDigitColumnX[column].hi) return 3 * row + column + 1;
    return 0;
  }
  for (const KeyRow& k : kBottomKeys)
    if (inside(k, x, y)) return k.code;
  return 0;
}

KeyPlace keyImagePlace(int code) {
  if (code >= 1 && code <= 15) {
    const int i = (code - 1) / 3;
    const int j = (code - 1) % 3;
    return {38 + 41 * j, 295 + 27 * i};
  }
  for (const KeyRow& k : kUpperKeys)
    if (k.code == code) return k.image;
  return {0, 0};
}

}  // namespace torvik
