// The face's zoom through the real program: the popup menu's commands resize the window
// and its key areas, and the choice comes back after a restart; a damaged stored value is
// ignored.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"

namespace {

using gui::TorvikProcess;

constexpr char kKey[] = "Software\\Fernwick\\Torvik";
constexpr char kValue[] = "FaceZoom";
constexpr COLORREF kHighlightColour = RGB(40, 48, 40);

// The zoom's registry value, removed before and after each test so that no other test
// starts zoomed.
class StoredZoom {
 public:
  StoredZoom() { remove(); }
  ~StoredZoom() { remove(); }
  static void remove() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue); }
  static bool set(DWORD type, const void* data, DWORD size) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, type, data, size) == ERROR_SUCCESS;
  }
  // The stored DWORD, or -1.
  static long long get() {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
      return -1;
    return value;
  }
};

SIZE windowSize(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool sizeBecomes(HWND window, int width, int height) {
  return gui::waitUntil([&] {
    const SIZE s = windowSize(window);
    return s.cx == width && s.cy == height;
  }, 5000);
}

// At `percent`, Down (at its 100% point 100, 280) moves the main menu's highlight to line 2.
void expectDownKeyAt(TorvikProcess& torvik, int percent) {
  HWND client = torvik.client();
  auto at = [&](int v) { return (v * percent + 50) / 100; };
  ASSERT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, at(152), at(41)) == kHighlightColour; }, 5000));
  gui::leftClick(client, at(100), at(280));
  SendMessageA(client, WM_NULL, 0, 0);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, at(152), at(56)) == kHighlightColour; }, 5000));
}

TEST(FaceZoom, ChoicesResizeTheFaceAndTheLastOneSurvivesARestart) {
  gui::NoIniFile noIniFile;
  StoredZoom stored;
  {
    TorvikProcess torvik;
    ASSERT_TRUE(torvik.start());
    HWND main = torvik.mainWindow();
    EXPECT_TRUE(sizeBecomes(main, 200, 459));
    const struct {
      int command, width, height;
    } steps[] = {{IDM_ZOOM_200, 400, 918}, {IDM_ZOOM_100, 200, 459}, {IDM_ZOOM_150, 300, 689}};
    for (const auto& s : steps) {
      SCOPED_TRACE(s.command);
      torvik.command(s.command);
      EXPECT_TRUE(sizeBecomes(main, s.width, s.height));
      EXPECT_TRUE(sizeBecomes(torvik.client(), s.width, s.height));
    }
    expectDownKeyAt(torvik, 150);
    torvik.screenshot("face_zoom_150");
    EXPECT_EQ(StoredZoom::get(), 150);
    torvik.command(IDM_EXIT);
    ASSERT_TRUE(torvik.waitForExit());
  }
  TorvikProcess again;
  ASSERT_TRUE(again.start());
  EXPECT_TRUE(sizeBecomes(again.mainWindow(), 300, 689));
  expectDownKeyAt(again, 150);
  // The INI file knows nothing of it.
  EXPECT_EQ(noIniFile.text().find("150"), std::string::npos);
}

TEST(FaceZoom, DamagedStoredZoomIsIgnored) {
  gui::NoIniFile noIniFile;
  StoredZoom stored;
  const DWORD odd = 175;
  const char text[] = "150";
  const unsigned char shortValue[2] = {150, 0};
  const struct {
    DWORD type;
    const void* data;
    DWORD size;
  } cases[] = {{REG_DWORD, &odd, sizeof odd}, {REG_SZ, text, sizeof text}, {REG_BINARY, shortValue, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    ASSERT_TRUE(StoredZoom::set(c.type, c.data, c.size));
    TorvikProcess torvik;
    ASSERT_TRUE(torvik.start());
    EXPECT_TRUE(sizeBecomes(torvik.mainWindow(), 200, 459));
    expectDownKeyAt(torvik, 100);
  }
}

// A move to a monitor of another DPI: the system sends WM_DPICHANGED with the new DPI and a
// suggested rectangle (written into the program's memory here, as the system's would be).
// The face takes that DPI times the zoom (in whole percent: 120 DPI at 150% is 188%), at the
// suggested place.
TEST(FaceZoom, AnotherMonitorsDpiRescalesTheFaceWhereTheSystemSuggests) {
  gui::NoIniFile noIniFile;
  StoredZoom stored;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND main = torvik.mainWindow();
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, torvik.pid());
  ASSERT_NE(process, nullptr);
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  const struct {
    int zoomCommand, dpi, left, top, width, height;
  } cases[] = {{IDM_ZOOM_100, 144, 120, 40, 300, 689}, {IDM_ZOOM_100, 192, 10, 20, 400, 918},
               {IDM_ZOOM_150, 120, 30, 30, 376, 863}, {IDM_ZOOM_150, 96, 300, 50, 300, 689}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    // Sent, not posted: a posted command would come after the sent WM_DPICHANGED below.
    SendMessageA(main, WM_COMMAND, static_cast<WPARAM>(c.zoomCommand), 0);
    const RECT suggested{c.left, c.top, c.left + 50, c.top + 50};  // the size is the face's to say
    SIZE_T written = 0;
    ASSERT_TRUE(WriteProcessMemory(process, remote, &suggested, sizeof suggested, &written));
    SendMessageA(main, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(remote));
    EXPECT_TRUE(sizeBecomes(main, c.width, c.height));
    EXPECT_TRUE(sizeBecomes(torvik.client(), c.width, c.height));
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

}  // namespace
