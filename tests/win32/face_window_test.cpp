// The terminal face window inside the test process, running designs that the test builds:
// keys clicked at their coordinates, the LCD read back as pixels and as the engine's model.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "simulator/face_win32.h"
#include "tests/simulator/sim_fixture.h"
#include "tests/support/win32_files.h"

namespace torvik {
namespace {

constexpr COLORREF kLcdColour = RGB(174, 188, 160);
constexpr COLORREF kHighlightColour = RGB(40, 48, 40);
constexpr COLORREF kCursorColour = RGB(70, 80, 66);
constexpr char kParentClass[] = "FaceTestMain";

struct Point {
  int x, y;
};
// A point on each key, inside its hit range.
constexpr Point kKeyPoints[24] = {{0, 0},     {60, 305},  {100, 305}, {140, 305}, {60, 333},  {100, 333},
                                  {140, 333}, {60, 360},  {100, 360}, {140, 360}, {60, 388},  {100, 388},
                                  {140, 388}, {60, 414},  {100, 414}, {135, 414}, {55, 215},  {145, 215},
                                  {60, 250},  {100, 250}, {135, 250}, {60, 280},  {100, 280}, {135, 280}};

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class FaceWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    App& a = app();
    a.instance = GetModuleHandleA(nullptr);
    static const bool registered = [] {
      registerFaceClass(app().instance);
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = app().instance;
      wc.lpszClassName = kParentClass;
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    std::memset(&a.definition, 0, sizeof a.definition);
    simtest::fillTerminalTexts(a.definition);
    parent_ = CreateWindowExA(0, kParentClass, "", WS_POPUP | WS_VISIBLE, 300, 50, 200, 459, nullptr, nullptr,
                              a.instance, nullptr);
    a.mainWindow = parent_;
    FaceContext context;
    context.instance = a.instance;
    context.commandWindow = parent_;
    context.definition = &a.definition;
    context.strings = &a.strings;
    context.clock = &systemClock();
    client_ = CreateWindowExA(0, kFaceClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 459, parent_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), a.instance, &context);
    a.client = client_;
    ASSERT_NE(client_, nullptr);
    paint();
  }
  void TearDown() override {
    DestroyWindow(parent_);
    pump();
    app().mainWindow = nullptr;
    app().client = nullptr;
  }

  FormRecord& form1() { return app().definition.form[0]; }
  const Simulator& sim() const { return *faceSimulator(); }

  void paint() {
    pump();
    UpdateWindow(client_);
    GdiFlush();
  }
  void click(int code) {
    const LPARAM at = MAKELPARAM(kKeyPoints[code].x, kKeyPoints[code].y);
    SendMessageA(client_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(client_, WM_LBUTTONUP, 0, at);
    paint();
  }
  void tick(int n) {
    for (int i = 0; i < n; ++i) SendMessageA(client_, WM_TIMER, 1, 0);
    paint();
  }
  COLORREF pixel(int x, int y) {
    HDC dc = GetDC(client_);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(client_, dc);
    return c;
  }
  // Pixels in the rectangle that are not the given colour: ink, a bar, a cursor.
  int pixelsOtherThan(COLORREF colour, int left, int top, int right, int bottom) {
    HDC dc = GetDC(client_);
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += GetPixel(dc, x, y) != colour ? 1 : 0;
    ReleaseDC(client_, dc);
    return n;
  }
  // The cell of LCD column c on form row r.
  int inkInCell(int row, int column) {
    return pixelsOtherThan(kLcdColour, 39 + 6 * column, 36 + 10 * row, 45 + 6 * column, 46 + 10 * row);
  }
  bool cursorAt(int row, int column) {
    // Most of the cell is cursor colour; an input mark may lie across it.
    return pixelsOtherThan(kCursorColour, 39 + 6 * column, 36 + 10 * row, 45 + 6 * column, 46 + 10 * row) < 15;
  }
  void screenshot(const char* name) {
    const std::string folder = testfiles::programFolder() + "screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    HDC dc = GetDC(client_);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 200, 459, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 200, 459, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    GdiFlush();
    const DWORD rowBytes = (200 * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * 459;
    const std::string out = folder + "\\" + name + ".bmp";
    if (FILE* f = std::fopen(out.c_str(), "wb")) {
      std::fwrite(&file, sizeof file, 1, f);
      std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f);
      std::fwrite(bits, rowBytes * 459, 1, f);
      std::fclose(f);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(client_, dc);
  }

  HWND parent_ = nullptr;
  HWND client_ = nullptr;
};

void setLine(FormRecord& f, int j, int type, const char* prompt, int maxLength, int mark = 0) {
  f.dataType[j] = static_cast<std::uint8_t>(type);
  copyText(f.prompt[j], prompt);
  f.maxLength[j] = static_cast<std::uint8_t>(maxLength);
  f.inputMark[j] = static_cast<std::uint8_t>(mark);
}

TEST_F(FaceWindow, MainMenuShowsItsTextsTheHighlightAndTheClockLine) {
  tick(1);
  EXPECT_EQ(pixel(152, 41), kHighlightColour);
  EXPECT_GT(pixelsOtherThan(kHighlightColour, 39, 37, 130, 47), 20);  // white text on the bar
  EXPECT_GT(pixelsOtherThan(kLcdColour, 39, 50, 130, 62), 20);        // "2.Upload data"
  EXPECT_GT(pixelsOtherThan(kLcdColour, 39, 105, 150, 117), 20);      // the clock line
  screenshot("face_window_main_menu");
  click(3);
  EXPECT_EQ(pixel(152, 41), kHighlightColour);
  screenshot("face_window_utilities");
  click(1);
  EXPECT_EQ(pixel(152, 51), kHighlightColour);  // the settings list starts on its first entry
  EXPECT_NE(pixel(152, 41), kHighlightColour);  // not on its title
  screenshot("face_window_settings");
  click(kKeyEsc);
  click(kKeyEsc);
  click(2);
  EXPECT_GT(pixelsOtherThan(kLcdColour, 39, 35, 130, 47), 20);  // "Connecting..."
  EXPECT_EQ(pixelsOtherThan(kLcdColour, 39, 105, 150, 117), 0);  // no clock line here
  screenshot("face_window_upload");
}

TEST_F(FaceWindow, AFormIsFilledInWithTheMouse) {
  setLine(form1(), 0, 9, "Stock count", 0);
  setLine(form1(), 1, 1, "Item:", 8, '_');
  setLine(form1(), 2, 2, "Qty:", 4);
  form1().nextTarget = 0;
  click(1);
  ASSERT_EQ(sim().state(), ScreenState::Form);
  EXPECT_TRUE(cursorAt(1, 5));
  // The input mark: an underscore sits low in its cell, over the top of the next line.
  EXPECT_GT(pixelsOtherThan(kLcdColour, 39 + 6 * 6, 46, 45 + 6 * 6, 60), 0);
  click(4);
  click(2);
  EXPECT_EQ(std::string(sim().line(1)), "Item:42______");
  EXPECT_TRUE(cursorAt(1, 7));
  EXPECT_GT(inkInCell(1, 5), 0);
  screenshot("face_window_form");
  click(kKeyEnterRight);
  EXPECT_TRUE(cursorAt(2, 4));
  click(7);
  click(kKeyDot);  // refused by an integer field
  EXPECT_EQ(sim().state(), ScreenState::Message);
  screenshot("face_window_message");
  EXPECT_FALSE(cursorAt(2, 5));
  click(kKeyEsc);
  EXPECT_EQ(std::string(sim().line(2)), "Qty:7");
  click(kKeyEnterLeft);
  EXPECT_EQ(sim().state(), ScreenState::MainMenu);
  EXPECT_EQ(sim().recordCounter(), 1);
}

TEST_F(FaceWindow, AlphaIndicatorOnlyOnTheFormScreen) {
  setLine(form1(), 0, 1, "Name:", 10);
  click(kKeyAlpha);
  EXPECT_EQ(pixelsOtherThan(kLcdColour, 154, 90, 161, 98), 0);
  click(1);
  click(kKeyAlpha);
  EXPECT_GT(pixelsOtherThan(kLcdColour, 154, 90, 161, 98), 0);
  click(2);
  click(2);
  EXPECT_TRUE(sim().pending());
  EXPECT_GT(inkInCell(0, 5), 0);  // the pending B over the cursor
  tick(7);
  EXPECT_EQ(std::string(sim().line(0)), "Name:B");
  screenshot("face_window_alpha");
  click(kKeyAlpha);
  EXPECT_EQ(pixelsOtherThan(kLcdColour, 154, 90, 161, 98), 0);
}

TEST_F(FaceWindow, PressedKeyImageWhileTheButtonIsDown) {
  const COLORREF released = pixel(100, 300);
  SendMessageA(client_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 305));
  paint();
  EXPECT_NE(pixel(100, 300), released);
  SendMessageA(client_, WM_LBUTTONUP, 0, MAKELPARAM(100, 305));
  paint();
  EXPECT_EQ(pixel(100, 300), released);
}

TEST_F(FaceWindow, LongLinesStayInsideTheLcd) {
  setLine(form1(), 0, 1, "A long prompt here", 80);
  click(1);
  for (int i = 0; i < 30; ++i) click(8);
  // Right of the LCD text area the glass shows no text.
  EXPECT_EQ(pixelsOtherThan(kLcdColour, 167, 35, 170, 46), 0);
  screenshot("face_window_scrolled");
}

// The Zoom submenu stands right after Preferences.
int zoomPosition(HMENU menu) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (GetMenuItemID(menu, i) == IDM_PREFERENCES) return i + 1;
  return -1;
}

TEST_F(FaceWindow, LanguageFileRelabelsTheElevenCommandsAndKeepsTheirIds) {
  // Each command and the language entry that relabels it.
  const struct {
    int id;
    int entry;
  } items[] = {{1010, 1101}, {1020, 1102}, {1030, 1103}, {1040, 1104}, {2000, 1105}, {2100, 1106},
               {3010, 1114}, {3020, 1107}, {3040, 1108}, {3030, 1109}, {9030, 1110}, {1090, 1111}};
  std::string file = "Testish\r\n";
  for (const auto& item : items) file += std::to_string(item.entry) + "=Cmd" + std::to_string(item.entry) + "\r\n";
  file += "1115=Sicht\r\n1116=Klein\r\n1117=Mittel\r\n1118=Gross\r\n";
  UiStrings& strings = app().strings;
  ASSERT_TRUE(strings.applyLanguageFile(file.data(), file.size()));
  strings.setLanguageActive(true);
  click(kKeyDown);
  reloadPopupMenu(client_);
  HMENU menu = facePopupMenu();
  strings.setLanguageActive(false);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 18) << "the resource's 17 and the Zoom submenu";
  for (const auto& item : items) {
    char text[64] = {};
    ASSERT_GT(GetMenuStringA(menu, static_cast<UINT>(item.id), text, sizeof text, MF_BYCOMMAND), 0) << item.id;
    EXPECT_EQ(std::string(text), "Cmd" + std::to_string(item.entry)) << item.id;
  }
  const int zoomAt = zoomPosition(menu);
  char title[64] = {};
  GetMenuStringA(menu, static_cast<UINT>(zoomAt), title, sizeof title, MF_BYPOSITION);
  EXPECT_STREQ(title, "Sicht");
  HMENU zoom = GetSubMenu(menu, zoomAt);
  ASSERT_NE(zoom, nullptr);
  const struct {
    UINT id;
    const char* text;
  } zoomItems[] = {{2201, "Klein"}, {2202, "Mittel"}, {2203, "Gross"}};
  ASSERT_EQ(GetMenuItemCount(zoom), 3);
  for (int i = 0; i < 3; ++i) {
    char text[64] = {};
    GetMenuStringA(zoom, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemID(zoom, i), zoomItems[i].id) << i;
    EXPECT_STREQ(text, zoomItems[i].text) << i;
  }
  // Reloading the menu also brings the simulator back to its main menu's first entry.
  EXPECT_EQ(sim().highlight(), 1);
  reloadPopupMenu(client_);
  char text[64] = {};
  GetMenuStringA(facePopupMenu(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_NE(std::string(text), "Cmd1101");
}

// The Zoom submenu's radio check follows the zoom the face is told, and a zoom that is no
// choice checks 100%.
TEST_F(FaceWindow, ZoomSubmenuChecksTheCurrentZoom) {
  HMENU zoom = GetSubMenu(facePopupMenu(), zoomPosition(facePopupMenu()));
  ASSERT_NE(zoom, nullptr);
  const struct {
    int zoom;
    UINT checked;
  } cases[] = {{100, 2201}, {150, 2202}, {200, 2203}, {175, 2201}, {0, 2201}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zoom);
    setFaceScale(client_, 100, c.zoom);
    for (UINT id = 2201; id <= 2203; ++id)
      EXPECT_EQ((GetMenuState(zoom, id, MF_BYCOMMAND) & MF_CHECKED) != 0, id == c.checked) << id;
  }
  setFaceScale(client_, 100, 150);
  reloadPopupMenu(client_);  // a new menu (a language change) keeps the check
  zoom = GetSubMenu(facePopupMenu(), zoomPosition(facePopupMenu()));
  EXPECT_TRUE(GetMenuState(zoom, 2202, MF_BYCOMMAND) & MF_CHECKED);
}

// The face at other scales, in the test's own window: the picture fills the larger window,
// a click on a key's scaled centre presses that key (and only while it is held), and the
// LCD's text and highlight land on the scaled cells.
TEST_F(FaceWindow, ScaledFacePressesKeysAtScaledPointsAndDrawsTheLcdThere) {
  const struct {
    int percent;
  } cases[] = {{125}, {150}, {175}, {200}, {100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.percent);
    const int w = (200 * c.percent + 50) / 100;
    const int h = (459 * c.percent + 50) / 100;
    SetWindowPos(parent_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(client_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
    setFaceScale(client_, c.percent, 100);
    EXPECT_EQ(faceScale(), c.percent);
    simulatorReturnToMainMenu(client_);
    paint();
    auto at = [&](int v) { return (v * c.percent + 50) / 100; };
    // The glass fills the LCD's scaled corner; the highlight bar's right end is on line 1.
    EXPECT_EQ(pixel(at(160), at(100)), kLcdColour);
    EXPECT_EQ(pixel(at(152), at(41)), kHighlightColour);
    // The main menu's text is drawn in the scaled cells of line 2.
    EXPECT_GT(pixelsOtherThan(kLcdColour, at(39), at(50), at(130), at(62)), 20 * c.percent / 100);
    // Down, by its scaled point: the highlight moves down one large line.
    const COLORREF released = pixel(at(100), at(280));
    const LPARAM down = MAKELPARAM(at(kKeyPoints[kKeyDown].x), at(kKeyPoints[kKeyDown].y));
    SendMessageA(client_, WM_LBUTTONDOWN, MK_LBUTTON, down);
    paint();
    EXPECT_NE(pixel(at(100), at(280)), released);
    SendMessageA(client_, WM_LBUTTONUP, 0, down);
    paint();
    EXPECT_EQ(pixel(at(100), at(280)), released);
    EXPECT_EQ(sim().highlight(), 2);
    EXPECT_EQ(pixel(at(152), at(41 + 15)), kHighlightColour);
    // The point that is a key at 100% but lies on the LCD when scaled is no key.
    SendMessageA(client_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 250));
    SendMessageA(client_, WM_LBUTTONUP, 0, MAKELPARAM(100, 250));
    paint();
    EXPECT_EQ(sim().highlight(), c.percent == 100 ? 1 : 2);
  }
}

}  // namespace
}  // namespace torvik
