// The Startup page of the definition editor, driven through the real program: what it shows,
// what OK stores and Cancel does not, a template imported through the Open dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "tests/gui/editor_helpers.h"
#include "tests/support/win32_files.h"

namespace {

using testfiles::readAll;
using testfiles::writeAll;

constexpr int kStartupTab = 5;
constexpr std::size_t kTemplateSize = 18854;
constexpr std::size_t kMainMenu = 16115;        // group 1, 4 x 16
constexpr std::size_t kUtilities = 16115 + 64;  // group 2, 8 x 21
constexpr std::size_t kSettings = 18574;

class StartupPage : public gui::EditorTest {
 protected:
  // Opens the editor and shows the Startup page; returns the page.
  HWND openStartupPage() { return openPage(kStartupTab, IDC_STARTUP_GROUP); }

  static void click(HWND page, int id) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  static void tick(HWND page, int id) {
    SendMessageA(GetDlgItem(page, id), BM_SETCHECK, SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) ? 0 : 1, 0);
    click(page, id);
  }
  static std::string text(HWND page, int id) { return gui::dialogItemText(page, id); }
};

// A template file of revision 4 with the large font and its own main menu and slot texts.
std::string templateFile() {
  std::string bytes(kTemplateSize, '\0');
  std::memcpy(&bytes[0], "T900RU004", 10);
  std::memcpy(&bytes[kMainMenu], "Tpl collect", 11);
  std::memcpy(&bytes[kUtilities], "Tpl utilities", 13);
  bytes[kSettings] = 4;
  bytes[kSettings + 68] = 1;
  std::memcpy(&bytes[kSettings + 150 + 21], "Tpl buzzer", 10);
  return bytes;
}

TEST_F(StartupPage, ShowsTheGroupsAndStoresTheEditsOnOk) {
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Main menu (3x15)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 1), "1.Collect data ");
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 1), "1.Collect data ");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_TEXT_BASE + 4))) << "group 1 shows three lines";
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 4), std::string(15, ' '));
  // New gives one delimiter, the tab.
  EXPECT_EQ(text(page, IDC_STARTUP_CODE_FIRST), "9");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_CODE_FIRST + 1)));
  torvik_->screenshot("startup_page");

  gui::selectComboRow(page, IDC_STARTUP_GROUP, 1);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x20)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 7), "7.Memory && Power    ") << "shown with one ampersand";
  gui::typeText(page, IDC_STARTUP_TEXT_BASE + 1, std::string(21, 'x').c_str());
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 1), std::string(20, 'x'));

  gui::selectComboRow(page, IDC_STARTUP_START_FROM, 1);
  gui::selectComboRow(page, IDC_STARTUP_DELIMITERS, 2);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_CODE_FIRST + 1)));
  gui::typeText(page, IDC_STARTUP_CODE_FIRST, "59");
  EXPECT_EQ(text(page, IDC_STARTUP_CHAR_FIRST), ";");
  gui::typeText(page, IDC_STARTUP_CHAR_FIRST + 1, "|");
  EXPECT_EQ(text(page, IDC_STARTUP_CODE_FIRST + 1), "124");
  torvik_->screenshot("startup_page_utilities");
  closeSheet(IDOK);

  const std::string bytes = saveAs("edited.TVX");
  EXPECT_EQ(bytes.substr(kUtilities, 21), std::string(20, 'x') + '\0');
  EXPECT_EQ(bytes.substr(kUtilities + 21, 21), std::string("2.Browse Data       \0", 21));
  EXPECT_EQ(bytes[kSettings + 1], 1);
  EXPECT_EQ(bytes[kSettings + 2], ';');
  EXPECT_EQ(bytes[kSettings + 3], '|');
  EXPECT_EQ(bytes[kSettings + 68], 0);
}

TEST_F(StartupPage, CancelLeavesTheDesignAsItWas) {
  const std::string before = saveAs("kept.TVX");
  const std::string file = path("kept.TVX");
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  gui::typeText(page, IDC_STARTUP_TEXT_BASE + 1, "changed");
  tick(page, IDC_STARTUP_LARGE_FONT);
  click(page, IDC_STARTUP_RESET);
  closeSheet(IDCANCEL);
  // Sent, not posted: a named design is saved before the command returns.
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(torvik_->mainWindow(), WM_COMMAND, IDM_SAVE, 0, SMTO_NORMAL, 10000, &ignored));
  EXPECT_EQ(readAll(file), before);
}

TEST_F(StartupPage, TheLargeFontRelabelsTheGroupsAndReachesTheDesign) {
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  gui::selectComboRow(page, IDC_STARTUP_GROUP, 1);
  tick(page, IDC_STARTUP_LARGE_FONT);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x15)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 7), "7.Memory/Power ");
  gui::selectComboRow(page, IDC_STARTUP_GROUP, 8);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Download Port (5x15)");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_TEXT_BASE + 6)));
  closeSheet(IDOK);
  const std::string bytes = saveAs("large.TVX");
  EXPECT_EQ(bytes[kSettings + 68], 1);
  EXPECT_EQ(bytes.substr(kUtilities, 16), std::string("1.Settings     \0", 16)) << "without a later edit";
}

TEST_F(StartupPage, ATemplateImportedThroughTheOpenDialogReachesTheDesign) {
  const std::string templ = path("shop.ATX");
  writeAll(templ, templateFile());
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  gui::clickButton(page, IDC_STARTUP_IMPORT);
  HWND dialog = torvik_->waitForWindow("#32770", "Open");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, templ));
  ASSERT_TRUE(gui::waitUntil([&] { return text(page, IDC_STARTUP_TEXT_BASE + 1) == "Tpl collect"; }));
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_STARTUP_LARGE_FONT, BM_GETCHECK, 0, 0), BST_CHECKED);
  gui::selectComboRow(page, IDC_STARTUP_GROUP, 1);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x15)");

  // A short template: its whole texts come in, the one it cuts keeps the page's, and the
  // user is told.
  gui::selectComboRow(page, IDC_STARTUP_GROUP, 0);
  gui::typeText(page, IDC_STARTUP_TEXT_BASE + 2, "typed second");
  const std::string shortTempl = path("short.ATX");
  std::string cut = templateFile();
  std::memcpy(&cut[kMainMenu], "Short one\0\0", 11);
  std::memcpy(&cut[kMainMenu + 16], "Tpl second", 10);
  cut.resize(kMainMenu + 20);
  writeAll(shortTempl, cut);
  gui::clickButton(page, IDC_STARTUP_IMPORT);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  dialog = torvik_->waitForWindow("#32770", "Open");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, shortTempl));
  HWND box = torvik_->waitForWindow("#32770", "Warning");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId),
            "The file is incomplete! What it lacks keeps its previous values.");
  gui::clickButton(box, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 1), "Short one");
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 2), "typed second") << "a cut text keeps the page's";
  closeSheet(IDOK);

  const std::string bytes = saveAs("imported.TVX");
  EXPECT_EQ(bytes.substr(kMainMenu, 16), std::string("Short one\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(bytes.substr(kUtilities, 21), std::string("Tpl utilities\0\0\0\0\0\0\0\0", 21));
  EXPECT_EQ(bytes.substr(kSettings + 150 + 21, 11), std::string("Tpl buzzer\0", 11));
  EXPECT_EQ(bytes[kSettings + 68], 1);
}

}  // namespace
