// The main window, its commands and the About box, driven through the real program.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"

namespace {

using gui::TorvikProcess;

TEST(MainWindow, IsACaptionlessPopupAt300By50Of200By459) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND main = torvik.mainWindow();
  EXPECT_EQ(gui::className(main), "Torvik");
  EXPECT_EQ(gui::windowText(main), "Torvik");
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 459);
  const LONG style = GetWindowLongA(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);  // no INI file: not on top

  HWND client = torvik.client();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(gui::className(client), "Client");
  RECT c;
  GetWindowRect(client, &c);
  EXPECT_EQ(c.left, 300);
  EXPECT_EQ(c.top, 50);
  EXPECT_EQ(c.right - c.left, 200);
  EXPECT_EQ(c.bottom - c.top, 459);
  torvik.screenshot("main_window");
}

void expectAboutBoxOpensAndCloses(TorvikProcess& torvik) {
  HWND about = torvik.waitForWindow("#32770", "About Torvik");
  ASSERT_NE(about, nullptr);
  EXPECT_NE(gui::dialogItemText(about, IDC_ABOUT_WEB_LINK).find("http"), std::string::npos);
  EXPECT_NE(gui::dialogItemText(about, IDC_ABOUT_MAIL_LINK).find('@'), std::string::npos);
  EXPECT_EQ(GetWindow(about, GW_OWNER), torvik.mainWindow());
  torvik.screenshot("about_box");
  gui::clickButton(about, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(about); }));
}

TEST(AboutBox, OpensFromItsCommandAndClosesWithOk) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  torvik.command(IDM_ABOUT);
  expectAboutBoxOpensAndCloses(torvik);
  EXPECT_TRUE(torvik.running());
}

TEST(AboutBox, OpensWithF1) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  torvik.key(VK_F1);
  expectAboutBoxOpensAndCloses(torvik);
}

TEST(Closing, ExitEndsACleanProgramWithCodeZero) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  torvik.command(IDM_EXIT);
  ASSERT_TRUE(torvik.waitForExit());
  EXPECT_EQ(torvik.exitCode(), 0u);
}

TEST(Closing, AltF4EndsACleanProgram) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  const UINT scan = MapVirtualKeyA(VK_F4, 0);
  // Bit 29 says Alt is held, as the system sets it for a real Alt+F4.
  PostMessageA(torvik.mainWindow(), WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1 | (scan << 16) | (1u << 29)));
  ASSERT_TRUE(torvik.waitForExit());
  EXPECT_EQ(torvik.exitCode(), 0u);
}

TEST(PopupMenu, RightClickOnTheFaceOpensItAndItsCommandsReachTheMainWindow) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  gui::rightClick(torvik.client(), 100, 150);
  HWND menu = torvik.waitForWindow("#32768", nullptr);
  ASSERT_NE(menu, nullptr);
  torvik.screenshot("popup_menu");
  // "A&bout..." by its mnemonic: the menu's own keyboard handling sends the command.
  torvik.key('B');
  HWND about = torvik.waitForWindow("#32770", "About Torvik");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(torvik.popupMenu(), nullptr);
  gui::clickButton(about, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(about); }));
}

TEST(PopupMenu, EscapeClosesItWithoutACommand) {
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  gui::rightClick(torvik.client(), 60, 60);
  ASSERT_NE(torvik.waitForWindow("#32768", nullptr), nullptr);
  torvik.key(VK_ESCAPE);
  EXPECT_TRUE(gui::waitUntil([&] { return torvik.popupMenu() == nullptr; }));
  EXPECT_TRUE(torvik.running());
}

}  // namespace
