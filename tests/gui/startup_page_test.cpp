// The Startup page of the definition editor, driven through the real program: what it shows,
// what OK stores and Cancel does not, a template imported through the Open dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;
using testfiles::readAll;
using testfiles::writeAll;

constexpr int kStartupTab = 5;
constexpr std::size_t kFileSize = 18954;
constexpr std::size_t kTemplateSize = 18854;
constexpr std::size_t kMainMenu = 16115;        // group 1, 4 x 16
constexpr std::size_t kUtilities = 16115 + 64;  // group 2, 8 x 21
constexpr std::size_t kSettings = 18574;

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
    torvik_->command(IDM_EDIT);
    sheet_ = torvik_->waitForWindow("#32770", "Torvik - [ New file ]");
    if (sheet_ == nullptr) sheet_ = torvik_->waitForWindow("#32770", nullptr);
    if (sheet_ == nullptr) return nullptr;
    SendMessageA(sheet_, PSM_SETCURSEL, kStartupTab, 0);
    HWND page = nullptr;
    gui::waitUntil([&] {
      page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
      return page != nullptr && GetDlgItem(page, IDC_STARTUP_GROUP) != nullptr;
    });
    return page;
  }

  void closeSheet(int button) {
    gui::clickButton(sheet_, button);
    EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(sheet_); }));
  }

  void saveAs(const std::string& name) {
    torvik_->command(IDM_SAVEAS);
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
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Main menu (3x15)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 1), "1.Collect data ");
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 1), "1.Collect data ");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_TEXT_BASE + 4))) << "group 1 shows three lines";
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 4), std::string(15, ' '));
  // New gives one delimiter, the tab.
  EXPECT_EQ(text(page, IDC_STARTUP_CODE_FIRST), "9");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_CODE_FIRST + 1)));
  torvik_->screenshot("startup_page");

  select(page, IDC_STARTUP_GROUP, 1);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x20)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 7), "7.Memory && Power    ") << "shown with one ampersand";
  setText(page, IDC_STARTUP_TEXT_BASE + 1, std::string(21, 'x').c_str());
  EXPECT_EQ(text(page, IDC_STARTUP_TEXT_BASE + 1), std::string(20, 'x'));

  select(page, IDC_STARTUP_START_FROM, 1);
  select(page, IDC_STARTUP_DELIMITERS, 2);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_CODE_FIRST + 1)));
  setText(page, IDC_STARTUP_CODE_FIRST, "59");
  EXPECT_EQ(text(page, IDC_STARTUP_CHAR_FIRST), ";");
  setText(page, IDC_STARTUP_CHAR_FIRST + 1, "|");
  EXPECT_EQ(text(page, IDC_STARTUP_CODE_FIRST + 1), "124");
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
  setText(page, IDC_STARTUP_TEXT_BASE + 1, "changed");
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
  select(page, IDC_STARTUP_GROUP, 1);
  tick(page, IDC_STARTUP_LARGE_FONT);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x15)");
  EXPECT_EQ(text(page, IDC_STARTUP_DEFAULT_BASE + 7), "7.Memory/Power ");
  select(page, IDC_STARTUP_GROUP, 8);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Download Port (5x15)");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_STARTUP_TEXT_BASE + 6)));
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
  gui::clickButton(page, IDC_STARTUP_IMPORT);
  HWND dialog = torvik_->waitForWindow("#32770", "Open");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, templ));
  ASSERT_TRUE(gui::waitUntil([&] { return text(page, IDC_STARTUP_TEXT_BASE + 1) == "Tpl collect"; }));
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_STARTUP_LARGE_FONT, BM_GETCHECK, 0, 0), BST_CHECKED);
  select(page, IDC_STARTUP_GROUP, 1);
  EXPECT_EQ(text(page, IDC_STARTUP_GROUP), "Utilities (8x15)");

  // A short template: its whole texts come in, the one it cuts keeps the page's, and the
  // user is told.
  select(page, IDC_STARTUP_GROUP, 0);
  setText(page, IDC_STARTUP_TEXT_BASE + 2, "typed second");
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

  const std::string file = path("imported.TVX");
  saveAs(file);
  const std::string bytes = readAll(file);
  EXPECT_EQ(bytes.substr(kMainMenu, 16), std::string("Short one\0\0\0\0\0\0\0", 16));
  EXPECT_EQ(bytes.substr(kUtilities, 21), std::string("Tpl utilities\0\0\0\0\0\0\0\0", 21));
  EXPECT_EQ(bytes.substr(kSettings + 150 + 21, 11), std::string("Tpl buzzer\0", 11));
  EXPECT_EQ(bytes[kSettings + 68], 1);
}

}  // namespace
