// The program at the screen's scale (run by tests/gui/wine/dpi_test.sh in a prefix of its
// own at 96, 144 and 192 DPI): the face's size and key areas follow the scale, and no
// control of the editor's pages or of the main dialogs is cut off by its parent or lies
// over another. Screenshots are named dpi<DPI>_<what>; those at 96 DPI make the user's guide.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui/editor_helpers.h"

namespace {

using gui::TorvikProcess;

constexpr COLORREF kHighlightColour = RGB(40, 48, 40);

// The screen's DPI as a DPI-aware program sees it; the driver must not be scaled itself,
// or the program's windows would look 96 DPI to it.
int screenDpi() {
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int scaled(int v, int dpi) { return (v * dpi + 48) / 96; }

std::string shotName(int dpi, const char* what) { return "dpi" + std::to_string(dpi) + "_" + what; }

// The script says which DPI it set; a prefix that did not take it fails here, not later.
TEST(Dpi, TheScreenHasTheDpiTheScriptSet) {
  const char* wanted = std::getenv("TORVIK_TEST_DPI");
  ASSERT_NE(wanted, nullptr) << "run by tests/gui/wine/dpi_test.sh";
  EXPECT_EQ(screenDpi(), std::atoi(wanted));
}

TEST(Dpi, FaceSizeAndKeyAreasFollowTheScale) {
  const int dpi = screenDpi();
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND main = torvik.mainWindow();
  HWND client = torvik.client();
  RECT r;
  ASSERT_TRUE(gui::waitUntil([&] {
    GetWindowRect(main, &r);
    return std::abs(r.right - r.left - scaled(200, dpi)) <= 1 && std::abs(r.bottom - r.top - scaled(459, dpi)) <= 1;
  }, 5000)) << r.right - r.left << " x " << r.bottom - r.top;
  GetClientRect(client, &r);
  EXPECT_NEAR(r.right, scaled(200, dpi), 1);
  EXPECT_NEAR(r.bottom, scaled(459, dpi), 1);

  auto at = [&](int v) { return scaled(v, dpi); };
  auto highlightOn = [&](int line) {
    return gui::waitUntil([&] { return gui::screenPixel(client, at(152), at(41 + 15 * line)) == kHighlightColour; }, 5000);
  };
  ASSERT_TRUE(highlightOn(0));
  // A held key shows pressed at its scaled place: some pixels round its centre change.
  const struct {
    int code, x, y;  // 100% centre
  } keys[] = {{18, 64, 255}, {20, 135, 255}, {22, 99, 277}, {19, 99, 253}, {23, 135, 280}, {15, 135, 414},
              {21, 62, 280}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.code);
    auto changedNear = [&](const std::vector<COLORREF>& before) {
      int n = 0, i = 0;
      for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) n += gui::screenPixel(client, at(k.x) + dx, at(k.y) + dy) != before[i++];
      return n;
    };
    std::vector<COLORREF> before;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) before.push_back(gui::screenPixel(client, at(k.x) + dx, at(k.y) + dy));
    const LPARAM point = MAKELPARAM(at(k.x), at(k.y));
    PostMessageA(client, WM_LBUTTONDOWN, MK_LBUTTON, point);
    EXPECT_TRUE(gui::waitUntil([&] { return changedNear(before) > 5; }, 5000));
    PostMessageA(client, WM_LBUTTONUP, 0, point);
    EXPECT_TRUE(gui::waitUntil([&] { return changedNear(before) == 0; }, 5000));
  }
  // Down then Up by their scaled centres move the main menu's highlight (Down came last
  // but one above, Up after it: back on line 0; Esc left it there).
  gui::leftClick(client, at(99), at(277));
  EXPECT_TRUE(highlightOn(1));
  torvik.screenshotOf(shotName(dpi, "face").c_str(), main);
  gui::leftClick(client, at(99), at(253));
  EXPECT_TRUE(highlightOn(0));

  // POWER opens the popup menu at the key's scaled top left; Z opens its Zoom submenu.
  gui::leftClick(client, at(99), at(414));
  HWND menu = torvik.waitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  RECT m;
  GetWindowRect(menu, &m);
  POINT power{at(79), at(403)};
  ClientToScreen(client, &power);
  EXPECT_NEAR(m.left, power.x, 2);
  EXPECT_NEAR(m.top, power.y, 2);
  torvik.key('Z');
  RECT both;
  GetWindowRect(main, &both);
  EXPECT_TRUE(gui::waitUntil([&] {
    int menus = 0;
    EnumWindows([](HWND w, LPARAM count) -> BOOL {
      if (IsWindowVisible(w) && gui::className(w) == "#32768") ++*reinterpret_cast<int*>(count);
      return TRUE;
    }, reinterpret_cast<LPARAM>(&menus));
    return menus == 2;
  }, 5000));
  EnumWindows([](HWND w, LPARAM area) -> BOOL {
    if (IsWindowVisible(w) && gui::className(w) == "#32768") {
      RECT r;
      GetWindowRect(w, &r);
      UnionRect(reinterpret_cast<RECT*>(area), reinterpret_cast<RECT*>(area), &r);
    }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&both));
  gui::saveScreenshot(shotName(dpi, "popup_menu").c_str(), both);
  torvik.key(VK_ESCAPE);
  torvik.key(VK_ESCAPE);
  EXPECT_TRUE(gui::waitUntil([&] { return torvik.popupMenu() == nullptr; }));
}

// Every visible control lies inside its parent's client area and over no sibling (group
// boxes, tab controls and pages hold others and are left out of the overlap test). Rows of
// fields that touch in dialog units may share a pixel once each edge is rounded. With
// `directOnly`, only the dialog's own controls (a sheet's, not its page's).
void expectControlsFit(HWND dialog, const char* name, bool directOnly = false) {
  SCOPED_TRACE(name);
  struct Control {
    HWND window;
    RECT rect;
    bool container;
  };
  std::vector<Control> controls;
  EnumChildWindows(dialog, [](HWND w, LPARAM list) -> BOOL {
    if (!IsWindowVisible(w)) return TRUE;
    RECT r;
    GetWindowRect(w, &r);
    const std::string cls = gui::className(w);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    const bool group = cls == "Button" && (style & 0x0F) == BS_GROUPBOX;
    const bool frame = cls == "Static" && ((style & SS_TYPEMASK) == SS_ETCHEDFRAME || (style & SS_TYPEMASK) == SS_BLACKFRAME ||
                                           (style & SS_TYPEMASK) == SS_GRAYFRAME || (style & SS_TYPEMASK) == SS_WHITEFRAME ||
                                           (style & SS_TYPEMASK) == SS_ETCHEDHORZ);
    const bool container = group || frame || cls == "SysTabControl32" || cls == "#32770";
    reinterpret_cast<std::vector<Control>*>(list)->push_back({w, r, container});
    return TRUE;
  }, reinterpret_cast<LPARAM>(&controls));
  if (directOnly)
    controls.erase(std::remove_if(controls.begin(), controls.end(),
                                  [&](const Control& c) { return GetParent(c.window) != dialog; }),
                   controls.end());
  EXPECT_GT(controls.size(), 2u);
  for (const Control& c : controls) {
    HWND parent = GetParent(c.window);
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // A drop-down list's window is its closed height; its list may reach past the parent.
    EXPECT_TRUE(c.rect.left >= client.left && c.rect.top >= client.top && c.rect.right <= client.right &&
                c.rect.bottom <= client.bottom)
        << "control " << GetDlgCtrlID(c.window) << " (" << gui::className(c.window) << " \""
        << gui::windowText(c.window) << "\") is cut off by its parent";
  }
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const Control& a = controls[i];
      const Control& b = controls[j];
      if (a.container || b.container || GetParent(a.window) != GetParent(b.window)) continue;
      RECT both{};
      IntersectRect(&both, &a.rect, &b.rect);
      EXPECT_FALSE(both.right - both.left > 1 && both.bottom - both.top > 1)
          << "controls " << GetDlgCtrlID(a.window) << " \"" << gui::windowText(a.window) << "\" and "
          << GetDlgCtrlID(b.window) << " \"" << gui::windowText(b.window) << "\" overlap";
    }
  }
}

class DpiDialogs : public gui::EditorTest {
 protected:
  int dpi_ = screenDpi();
  // Opens the dialog behind `button` of `owner`, checks and pictures it, and cancels it.
  void checkDialog(HWND owner, int button, const char* title, const char* name) {
    gui::clickButton(owner, button);
    HWND dialog = torvik_->waitForWindow("#32770", title, 5000);
    ASSERT_NE(dialog, nullptr) << title;
    expectControlsFit(dialog, name);
    gui::waitUntil([&] { return GetForegroundWindow() == dialog; }, 2000);  // an active caption in the picture
    torvik_->screenshotOf(shotName(dpi_, name).c_str(), dialog);
    gui::closeDialog(dialog, IDCANCEL);
  }
};

TEST_F(DpiDialogs, EditorPagesAndTheirDialogsKeepTheirControlsInside) {
  ASSERT_NE(openEditor(gui::kNewDesignSheet), nullptr);
  const struct {
    int index, control;
    const char* name;
  } pages[] = {{0, IDC_FORM_SELECT, "form_page"},        {1, IDC_MENU_SELECT, "menu_page"},
               {2, IDC_LOOKUP_SELECT, "lookup_page"},    {3, IDC_BARCODE_TIMEOUT, "barcode_page"},
               {4, IDC_SET_UPLOAD_PORT, "settings_page"}, {5, IDC_STARTUP_GROUP, "startup_page"}};
  for (const auto& p : pages) {
    HWND page = showPage(p.index, p.control);
    ASSERT_NE(page, nullptr) << p.name;
    expectControlsFit(page, p.name);
    expectControlsFit(sheet_, "sheet", true);
    torvik_->screenshotOf(shotName(dpi_, p.name).c_str(), sheet_);
    switch (p.index) {
      case 0:
        checkDialog(page, IDC_FORM_TIME_STAMP, "Date & Time Stamp settings", "time_stamp");
        checkDialog(page, IDC_FORM_BRANCH, "Branch", "branch");
        checkDialog(page, IDC_FORM_MORE_BASE + 1, "Properties", "field_properties");
        break;
      case 3:
        checkDialog(page, IDC_BARCODE_MORE_FIRST, "Code 39 Parameters", "symbology");
        checkDialog(page, IDC_BARCODE_CODE_ID, "Code ID", "code_id");
        checkDialog(page, IDC_BARCODE_WEIGHT_CODE, "Weight Code", "weight_code");
        break;
      case 4:
        checkDialog(page, IDC_SET_SECURITY, "Security Settings", "security");
        checkDialog(page, IDC_SET_WEDGE, "Keyboard Wedge Settings", "wedge");
        checkDialog(page, IDC_SET_FUNCTION_KEYS, "Function Key Mapping", "function_keys");
        break;
      default:
        break;
    }
  }
  closeSheet(IDCANCEL);
}

TEST(DpiShell, PreferencesAndAboutKeepTheirControlsInside) {
  const int dpi = screenDpi();
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  const struct {
    int command;
    const char* title;
    const char* name;
    int close;
  } dialogs[] = {{IDM_PREFERENCES, "Torvik Preferences", "preferences", IDCANCEL},
                 {IDM_CHECK_DESIGN, "Check Design*", "check_design", IDCANCEL},
                 {IDM_ABOUT, "About Torvik", "about", IDOK}};
  for (const auto& d : dialogs) {
    torvik.command(d.command);
    HWND dialog = torvik.waitForWindow("#32770", d.title);
    ASSERT_NE(dialog, nullptr) << d.title;
    expectControlsFit(dialog, d.name);
    gui::waitUntil([&] { return GetForegroundWindow() == dialog; }, 2000);
    torvik.screenshotOf(shotName(dpi, d.name).c_str(), dialog);
    gui::closeDialog(dialog, d.close);
  }
}

}  // namespace
