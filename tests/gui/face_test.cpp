// The terminal face driven through the real program: keys clicked at their coordinates,
// the LCD read back from the screen, the window dragged, the popup menu opened.
#include <gtest/gtest.h>

#include "tests/gui/driver.h"

namespace {

using gui::TorvikProcess;

// Colours of the artwork (tools/artwork): the LCD glass and the highlight bar.
constexpr COLORREF kLcdColour = RGB(174, 188, 160);
constexpr COLORREF kHighlightColour = RGB(40, 48, 40);


// The right end of a highlight bar on LCD line `line` (0-based) with the given pitch:
// past the end of any 15-character text, so no ink lies there.
bool highlightOn(HWND client, int line, int pitch) {
  return gui::screenPixel(client, 152, 41 + line * pitch) == kHighlightColour;
}

// Pixels of the rectangle that are not the LCD colour.
int inkIn(HWND client, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += gui::screenPixel(client, x, y) != kLcdColour ? 1 : 0;
  return n;
}

bool waitForPixel(HWND client, int x, int y, COLORREF colour) {
  return gui::waitUntil([&] { return gui::screenPixel(client, x, y) == colour; }, 5000);
}

void click(TorvikProcess& torvik, int x, int y) {
  gui::leftClick(torvik.client(), x, y);
  // A message the face answers after the click: it has handled both button messages.
  SendMessageA(torvik.client(), WM_NULL, 0, 0);
}

constexpr int kUp[2] = {100, 250};
constexpr int kDown[2] = {100, 280};
constexpr int kEsc[2] = {60, 280};
constexpr int kDigit3[2] = {140, 305};
constexpr int kDigit1[2] = {60, 305};

TEST(Face, PaintsTheTerminalWithTheMainMenuHighlighted) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  EXPECT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));
  EXPECT_FALSE(highlightOn(client, 1, 15));
  EXPECT_EQ(gui::screenPixel(client, 160, 100), kLcdColour);
  // The new design's main menu texts and the clock line are written on the glass.
  EXPECT_GT(inkIn(client, 39, 50, 130, 62), 20);
  EXPECT_GT(inkIn(client, 39, 105, 150, 117), 20);
  torvik.screenshot("face_main_menu");
}

TEST(Face, UpAndDownKeysMoveTheMainMenuHighlight) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  ASSERT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));
  click(torvik, kDown[0], kDown[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41 + 15, kHighlightColour));
  EXPECT_FALSE(highlightOn(client, 0, 15));
  click(torvik, kUp[0], kUp[1]);
  click(torvik, kUp[0], kUp[1]);  // wraps from the first entry to the third
  EXPECT_TRUE(waitForPixel(client, 152, 41 + 30, kHighlightColour));
  torvik.screenshot("face_main_menu_third");
}

TEST(Face, DigitThreeOpensUtilitiesAndOneTheSettingsList) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  click(torvik, kDigit3[0], kDigit3[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));  // utilities: normal pitch, entry 1
  click(torvik, kDigit1[0], kDigit1[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41 + 10, kHighlightColour));  // settings: entry 2
  EXPECT_FALSE(highlightOn(client, 0, 10));
  torvik.screenshot("face_settings");
  click(torvik, kEsc[0], kEsc[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));
  click(torvik, kEsc[0], kEsc[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41 + 30, kHighlightColour));  // main menu, entry 3
}

TEST(Face, AHeldKeyShowsItsPressedImage) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  ASSERT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));
  const COLORREF released = gui::screenPixel(client, 100, 300);
  PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 305));
  EXPECT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, 100, 300) != released; }, 5000));
  torvik.screenshot("face_key_pressed");
  PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(100, 305));
  EXPECT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, 100, 300) == released; }, 5000));
}

TEST(Face, DraggingANonKeyPointMovesTheWindowWithAVisibleOutline) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  RECT before;
  GetWindowRect(torvik.mainWindow(), &before);
  PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 215));  // the scan key is no key
  PostMessageA(client, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 255));
  HWND band = torvik.waitForWindow("TorvikDragBand", nullptr, 5000);
  ASSERT_NE(band, nullptr);
  RECT outline;
  EXPECT_TRUE(gui::waitUntil([&] {
    GetWindowRect(band, &outline);
    return outline.left != 0 || outline.top != 0;
  }));
  torvik.screenshot("face_dragging");
  PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(160, 255));
  RECT after{};
  EXPECT_TRUE(gui::waitUntil([&] {
    GetWindowRect(torvik.mainWindow(), &after);
    return after.left == before.left + 60 && after.top == before.top + 40;
  }));
  EXPECT_EQ(after.right - after.left, 200);
  EXPECT_EQ(after.bottom - after.top, 459);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindowVisible(band); }));
}

TEST(Face, DraggingLeftAndUpTakesNegativeOffsets) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  RECT before;
  GetWindowRect(torvik.mainWindow(), &before);
  PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 80));  // the LCD is no key
  PostMessageA(client, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, -30));
  PostMessageA(client, WM_LBUTTONUP, 0, MAKELPARAM(-20, -30));
  RECT after{};
  EXPECT_TRUE(gui::waitUntil([&] {
    GetWindowRect(torvik.mainWindow(), &after);
    return after.left == before.left - 120 && after.top == before.top - 110;
  }));
}

TEST(Face, ReleasingThePowerKeyOpensThePopupMenu) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  gui::leftClick(torvik.client(), 100, 415);
  HWND menu = torvik.waitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  RECT r;
  GetWindowRect(menu, &r);
  RECT face;
  GetWindowRect(torvik.client(), &face);
  EXPECT_EQ(r.left, face.left + 79);  // at the power key's top-left corner
  torvik.screenshot("face_power_menu");
  torvik.key(VK_ESCAPE);
  EXPECT_TRUE(gui::waitUntil([&] { return torvik.popupMenu() == nullptr; }));
}

TEST(Face, RightClickOpensThePopupMenuAtThePointer) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  gui::rightClick(torvik.client(), 40, 300);
  HWND menu = torvik.waitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  torvik.key(VK_ESCAPE);
  EXPECT_TRUE(gui::waitUntil([&] { return torvik.popupMenu() == nullptr; }));
}

TEST(Face, CollectDataWithoutAProgramSaysSoAndStartsANewDesign) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND client = torvik.client();
  click(torvik, kDown[0], kDown[1]);
  ASSERT_TRUE(waitForPixel(client, 152, 41 + 15, kHighlightColour));
  gui::leftClick(client, kDigit1[0], kDigit1[1]);  // a new design has no form 1
  HWND box = torvik.waitForWindow("#32770", "No executable program");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), torvik.mainWindow());
  torvik.screenshot("face_no_program");
  gui::clickButton(box, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  // New ran: it opens the editor on the new design, and closing it brings the simulator back
  // to the main menu's first entry.
  EXPECT_TRUE(torvik.closeEditor());
  EXPECT_TRUE(waitForPixel(client, 152, 41, kHighlightColour));
  // The face still answers clicks.
  click(torvik, kDown[0], kDown[1]);
  EXPECT_TRUE(waitForPixel(client, 152, 41 + 15, kHighlightColour));
  EXPECT_TRUE(torvik.running());
}

}  // namespace
