#pragma once
// Where the keys of the terminal picture are: the hit test that turns a click into a key
// code, and where each key's released and pressed images go.

namespace torvik {

constexpr int kFirstKey = 1;
constexpr int kLastKey = 23;

// Key codes the face and the engine share.
constexpr int kKeyMinus = 10;
constexpr int kKeyZero = 11;
constexpr int kKeyDot = 12;
constexpr int kKeyAlpha = 13;
constexpr int kKeyPower = 14;
constexpr int kKeyFn = 15;
constexpr int kKeyEnterLeft = 16;
constexpr int kKeyEnterRight = 17;
constexpr int kKeyLeft = 18;
constexpr int kKeyUp = 19;
constexpr int kKeyRight = 20;
constexpr int kKeyEsc = 21;
constexpr int kKeyDown = 22;
constexpr int kKeyBackspace = 23;
constexpr int kKeyDesignApplied = 51;  // from the property sheet: back to the main menu

// The key under client point (x, y), or 0 for no key (the caller then drags the window).
int hitTestKey(int x, int y);

struct KeyPlace {
  int x;
  int y;
};
// Top-left corner of the key's images; (0, 0) for a code that is no key.
KeyPlace keyImagePlace(int code);

// Bitmap resource ids of a key's images and of the LCD pieces.
constexpr int kBitmapPicture = 500;
constexpr int kBitmapCursor = 547;
constexpr int kBitmapHighlight = 548;
constexpr int kBitmapClockPatch = 549;
constexpr int kBitmapAlphaOn = 550;
constexpr int kBitmapAlphaOff = 551;
inline int releasedBitmap(int code) { return 500 + code; }
inline int pressedBitmap(int code) { return 523 + code; }

}  // namespace torvik
