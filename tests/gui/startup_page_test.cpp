// The Startup page of the definition editor, driven through the real program: what it shows,
// what OK stores and Cancel does not, a template imported through the Open dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "tests/gui/driver.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;
using testfiles::readAll;
using testfiles::writeAll;

constexpr int kEditCommand = 2000;
constexpr int kSaveCommand = 1030;
constexpr int kSaveAsCommand = 1040;
constexpr int kStartupTab = 5;
constexpr std::size_t kFileSize = 18954;
constexpr std::size_t kTemplateSize = 18854;
constexpr std::size_t kMainMenu = 16115;        // group 1, 4 x 16
constexpr std::size_t kUtilities = 16115 + 64;  // group 2, 8 x 21
constexpr std::size_t kSettings = 18574;

// Page controls.
constexpr int kLargeFont = 101, kImport = 201, kReset = 202;
constexpr int kCode1 = 301, kCode2 = 302, kChar1 = 303, kChar2 = 304;
constexpr int kDelimiters = 401, kGroups = 410, kStartFrom = 451;
constexpr int kDefaultLine = 500, kTextLine = 310;  // + line 1..8

class StartupPage : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_gui_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
    torvik_ = std::make_unique<TorvikProcess>();
    ASSERT_TRUE(torvik_->start());
  }
  void TearDown() override {
    torvik_.reset();
    testfiles::removeTree(folder_);
  }

  std::string path(const char* name) const { return folder_ + "\\" + name; }

  // Opens the editor and shows the Startup page; returns the page.
  HWND openStartupPage() {
    torvik_->command(kEditCommand);
    sheet_ = torvik_->waitForWindow("#32770", "Torvik - [ New file ]");
    if (sheet_ == nullptr) sheet_ = torvik_->waitForWindow("#32770", nullptr);
    if (sheet_ == nullptr) return nullptr;
    SendMessageA(sheet_, PSM_SETCURSEL, kStartupTab, 0);
    HWND page = nullptr;
    gui::waitUntil([&] {
      page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
      return page != nullptr && GetDlgItem(page, kGroups) != nullptr;
    });
    return page;
  }

  void closeSheet(int button) {
    gui::clickButton(sheet_, button);
    EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(sheet_); }));
  }

  void saveAs(const std::string& name) {
    torvik_->command(kSaveAsCommand);
    HWND dialog = torvik_->waitForWindow("#32770", nullptr);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(gui::chooseFile(dialog, name));
    ASSERT_TRUE(gui::waitUntil([&] { return readAll(name).size() == kFileSize; }));
  }

  static void setText(HWND page, int id, const char* text) {
    SendMessageA(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  static void select(HWND page, int id, int item) {
    SendMessageA(GetDlgItem(page, id), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  static void click(HWND page, int id) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  static void tick(HWND page, int id) {
    SendMessageA(GetDlgItem(page, id), BM_SETCHECK, SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) ? 0 : 1, 0);
    click(page, id);
  }
  static std::string text(HWND page, int id) { return gui::dialogItemText(page, id); }

  std::unique_ptr<TorvikProcess> torvik_;
  HWND sheet_ = nullptr;
  std::string folder_;
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
  EXPECT_EQ(text(page, kGroups), "Main menu (3x15)");
  EXPECT_EQ(text(page, kDefaultLine + 1), "1.Collect data ");
  EXPECT_EQ(text(page, kTextLine + 1), "1.Collect data ");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, kTextLine + 4))) << "group 1 shows three lines";
  EXPECT_EQ(text(page, kTextLine + 4), std::string(15, ' '));
  // New gives one delimiter, the tab.
  EXPECT_EQ(text(page, kCode1), "9");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, kCode2)));
  torvik_->screenshot("startup_page");

  select(page, kGroups, 1);
  EXPECT_EQ(text(page, kGroups), "Utilities (8x20)");
  EXPECT_EQ(text(page, kDefaultLine + 7), "7.Memory && Power    ") << "shown with one ampersand";
  setText(page, kTextLine + 1, std::string(21, 'x').c_str());
  EXPECT_EQ(text(page, kTextLine + 1), std::string(20, 'x'));

  select(page, kStartFrom, 1);
  select(page, kDelimiters, 2);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, kCode2)));
  setText(page, kCode1, "59");
  EXPECT_EQ(text(page, kChar1), ";");
  setText(page, kChar2, "|");
  EXPECT_EQ(text(page, kCode2), "124");
  torvik_->screenshot("startup_page_utilities");
  closeSheet(IDOK);

  const std::string file = path("edited.TVX");
  saveAs(file);
  const std::string bytes = readAll(file);
  EXPECT_EQ(bytes.substr(kUtilities, 21), std::string(20, 'x') + '\0');
  EXPECT_EQ(bytes.substr(kUtilities + 21, 21), std::string("2.Browse Data       \0", 21));
  EXPECT_EQ(bytes[kSettings + 1], 1);
  EXPECT_EQ(bytes[kSettings + 2], ';');
  EXPECT_EQ(bytes[kSettings + 3], '|');
  EXPECT_EQ(bytes[kSettings + 68], 0);
}

TEST_F(StartupPage, CancelLeavesTheDesignAsItWas) {
  const std::string file = path("kept.TVX");
  saveAs(file);
  const std::string before = readAll(file);
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  setText(page, kTextLine + 1, "changed");
  tick(page, kLargeFont);
  click(page, kReset);
  closeSheet(IDCANCEL);
  // Sent, not posted: a named design is saved before the command returns.
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(torvik_->mainWindow(), WM_COMMAND, kSaveCommand, 0, SMTO_NORMAL, 10000, &ignored));
  EXPECT_EQ(readAll(file), before);
}

TEST_F(StartupPage, TheLargeFontRelabelsTheGroupsAndReachesTheDesign) {
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  select(page, kGroups, 1);
  tick(page, kLargeFont);
  EXPECT_EQ(text(page, kGroups), "Utilities (8x15)");
  EXPECT_EQ(text(page, kDefaultLine + 7), "7.Memory/Power ");
  select(page, kGroups, 8);
  EXPECT_EQ(text(page, kGroups), "Download Port (5x15)");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, kTextLine + 6)));
  closeSheet(IDOK);
  const std::string file = path("large.TVX");
  saveAs(file);
  const std::string bytes = readAll(file);
  EXPECT_EQ(bytes[kSettings + 68], 1);
  EXPECT_EQ(bytes.substr(kUtilities, 16), std::string("1.Settings     \0", 16)) << "without a later edit";
}

TEST_F(StartupPage, ATemplateImportedThroughTheOpenDialogReachesTheDesign) {
  const std::string templ = path("shop.ATX");
  writeAll(templ, templateFile());
  HWND page = openStartupPage();
  ASSERT_NE(page, nullptr);
  gui::clickButton(page, kImport);
  HWND dialog = torvik_->waitForWindow("#32770", "Open");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, templ));
  ASSERT_TRUE(gui::waitUntil([&] { return text(page, kTextLine + 1) == "Tpl collect"; }));
  EXPECT_EQ(SendDlgItemMessageA(page, kLargeFont, BM_GETCHECK, 0, 0), BST_CHECKED);
  select(page, kGroups, 1);
  EXPECT_EQ(text(page, kGroups), "Utilities (8x15)");

  // A short template: its whole texts come in, the one it cuts keeps the page's, and the
  // user is told.
  select(page, kGroups, 0);
  setText(page, kTextLine + 2, "typed second");
  const std::string shortTempl = path("short.ATX");
  std::string cut = templateFile();
  std::memcpy(&cut[kMainMenu], "Short one\0\0", 11);
  std::memcpy(&cut[kMainMenu + 16], "Tpl second", 10);
  cut.resize(kMainMenu + 20);
  writeAll(shortTempl, cut);
  gui::clickButton(page, kImport);
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
  EXPECT_EQ(text(page, kTextLine + 1), "Short one");
  EXPECT_EQ(text(page, kTextLine + 2), "typed second") << "a cut text keeps the page's";
  closeSheet(IDOK);

  const std::string file = path("imported.TVX");
  saveAs(file);
  const std::string bytes = readAll(file);
  EXPECT_EQ(bytes.substr(kMainMenu, 16), std::string("Short one\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(bytes.substr(kUtilities, 21), std::string("Tpl utilities\0\0\0\0\0\0\0\0", 21));
  EXPECT_EQ(bytes.substr(kSettings + 150 + 21, 11), std::string("Tpl buzzer\0", 11));
  EXPECT_EQ(bytes[kSettings + 68], 1);
}

}  // namespace
