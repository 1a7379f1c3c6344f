// The Barcode page and its dialogs, driven through the real program: what is changed there is
// what Save As writes; the page's changes wait for the sheet's OK, the dialogs' do not.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "tests/gui/driver.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;

constexpr int kEditCommand = 2000;
constexpr int kSaveAsCommand = 1040;
constexpr int kBarcodeTab = 3;
constexpr std::size_t kFileSize = 18954;
constexpr std::size_t kBarcode = 12;          // BarcodeSettings in the file
constexpr std::size_t kSystemSettings = 18574;

class BarcodePage : public ::testing::Test {
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

  // Opens the editor on the Barcode page; returns the page.
  HWND openPage() {
    torvik_->command(kEditCommand);
    sheet_ = torvik_->waitForWindow("#32770", "Torvik - [ New file ]");
    if (sheet_ == nullptr) return nullptr;
    SendMessageA(sheet_, PSM_SETCURSEL, kBarcodeTab, 0);
    HWND page = nullptr;
    gui::waitUntil([&] {
      page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
      return page != nullptr && GetDlgItem(page, 401) != nullptr;
    });
    return page;
  }

  // Presses a page button and waits for the dialog it opens.
  HWND openDialog(HWND page, int button, const char* title) {
    gui::clickButton(page, button);
    return torvik_->waitForWindow("#32770", title);
  }

  void close(HWND dialog, int button) {
    gui::clickButton(dialog, button);
    EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  }

  // Sets an edit's text the way typing does: the owner hears EN_CHANGE.
  static void type(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }

  static void select(HWND dialog, int id, int item) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, item, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  static bool checked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  std::string saveAs(const char* name) {
    torvik_->command(kSaveAsCommand);
    HWND dialog = torvik_->waitForWindow("#32770", nullptr);
    if (dialog == nullptr) return "<no dialog>";
    const std::string file = folder_ + "\\" + name + ".TVX";
    if (!gui::chooseFile(dialog, file)) return "<no file box>";
    gui::waitUntil([&] { return testfiles::readAll(file).size() == kFileSize; });
    return testfiles::readAll(file);
  }

  static int barcodeByte(const std::string& bytes, int n) {
    return static_cast<unsigned char>(bytes[kBarcode + static_cast<std::size_t>(n)]);
  }
  static int systemByte(const std::string& bytes, int n) {
    return static_cast<unsigned char>(bytes[kSystemSettings + static_cast<std::size_t>(n)]);
  }

  std::unique_ptr<TorvikProcess> torvik_;
  HWND sheet_ = nullptr;
  std::string folder_;
};

TEST_F(BarcodePage, PageAndDialogChangesReachTheSavedFile) {
  HWND page = openPage();
  ASSERT_NE(page, nullptr);
  // A new design: both Code 128 and EAN128 on, scan mode "Laser", time-out 3.
  EXPECT_TRUE(checked(page, 124));
  EXPECT_TRUE(checked(page, 125));
  EXPECT_EQ(gui::dialogItemText(page, 401), "Laser");
  EXPECT_EQ(gui::dialogItemText(page, 301), "3");

  gui::clickButton(page, 124);  // Code 128 off: EAN128 alone
  EXPECT_TRUE(gui::waitUntil([&] { return !checked(page, 124); }));
  select(page, 401, 2);  // "Auto Power Off"
  type(page, 301, "300");
  EXPECT_EQ(gui::dialogItemText(page, 301), "255");
  type(page, 301, "042");
  EXPECT_EQ(gui::dialogItemText(page, 301), "42");
  torvik_->screenshot("barcode_page");

  HWND code39 = openDialog(page, 201, "Code 39 Parameters");
  ASSERT_NE(code39, nullptr);
  EXPECT_TRUE(checked(code39, 103)) << "a new design transmits the Code 39 checksum";
  gui::clickButton(code39, 104);  // Full ASCII on
  EXPECT_TRUE(gui::waitUntil([&] { return checked(code39, 104); }));
  torvik_->screenshot("barcode_code39_dialog");
  close(code39, IDOK);

  close(sheet_, IDOK);
  const std::string bytes = saveAs("page");
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_EQ(barcodeByte(bytes, 1), 0xC9) << "byte 1 bit 7: EAN128 is on";
  EXPECT_EQ(barcodeByte(bytes, 22), 0x40) << "EAN128 only: Code 128 and its copy off";
  EXPECT_EQ(barcodeByte(bytes, 20), 0x26) << "scan mode 2 above the untouched low bits";
  EXPECT_EQ(barcodeByte(bytes, 21), 42);
  EXPECT_EQ(barcodeByte(bytes, 5), 0x3D) << "Code 39 Full ASCII joins the new design's bits";
}

TEST_F(BarcodePage, DialogsKeepTheirOkWhenTheSheetIsCancelled) {
  HWND page = openPage();
  ASSERT_NE(page, nullptr);
  gui::clickButton(page, 126);  // Negative Barcode: undone by the sheet's Cancel
  EXPECT_TRUE(gui::waitUntil([&] { return checked(page, 126); }));

  HWND codabar = openDialog(page, 207, "Codabar Parameters");
  ASSERT_NE(codabar, nullptr);
  EXPECT_TRUE(checked(codabar, 151)) << "a new design transmits no start/stop";
  gui::clickButton(codabar, 155);  // "ABCD / TN*E"
  EXPECT_TRUE(gui::waitUntil([&] { return checked(codabar, 155); }));
  close(codabar, IDOK);

  HWND industrial = openDialog(page, 204, "Industrial 25 Parameters");
  ASSERT_NE(industrial, nullptr);
  gui::clickButton(industrial, 155);  // "Max / Min Length"
  type(industrial, 301, "200");
  EXPECT_EQ(gui::dialogItemText(industrial, 301), "127");
  type(industrial, 301, "40");
  type(industrial, 302, "90");
  torvik_->screenshot("barcode_industrial25_dialog");
  close(industrial, IDOK);

  HWND ean128 = openDialog(page, 217, "EAN128 Parameters");
  ASSERT_NE(ean128, nullptr);
  type(ean128, 1016, "300");
  EXPECT_EQ(gui::dialogItemText(ean128, 1016), "255");
  type(ean128, 301, "#");
  EXPECT_EQ(gui::dialogItemText(ean128, 1016), "35");
  close(ean128, IDOK);

  HWND codeIds = openDialog(page, 218, "Code ID");
  ASSERT_NE(codeIds, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(codeIds, 204))) << "sets wait for the enable box";
  gui::clickButton(codeIds, 101);
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(codeIds, 204)) != FALSE; }));
  gui::clickButton(codeIds, 204);  // "Set 4"
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(codeIds, 311) == " F F"; }))
      << gui::dialogItemText(codeIds, 311);
  torvik_->screenshot("barcode_code_id_dialog");
  close(codeIds, IDOK);

  HWND weight = openDialog(page, 219, "Weight Code");
  ASSERT_NE(weight, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(weight, 1013))) << "a new design's weight code is enabled";
  gui::clickButton(weight, 1011);  // "Enable" off: the prefix and the rest wait for it
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(weight, 1029)) == FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(weight, 1013)));
  gui::clickButton(weight, 1011);
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(weight, 1029)) != FALSE; }));
  gui::clickButton(weight, 1029);  // "1C format"
  EXPECT_TRUE(gui::waitUntil([&] { return checked(weight, 1029); }));
  type(weight, 1013, "7");
  SendMessageA(weight, WM_COMMAND, MAKEWPARAM(1013, EN_KILLFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(weight, 1013)));
  EXPECT_EQ(gui::dialogItemText(weight, 1013), " 7");
  select(weight, 1017, 4);  // "09"
  torvik_->screenshot("barcode_weight_code_dialog");
  close(weight, IDOK);

  close(sheet_, IDCANCEL);
  const std::string bytes = saveAs("cancelled");
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_EQ(barcodeByte(bytes, 11) & 0x10, 0) << "the page's change went with the Cancel";
  EXPECT_EQ(barcodeByte(bytes, 7), 0xB8) << "Codabar: transmitted, style 3";
  EXPECT_EQ(barcodeByte(bytes, 12), 0x80 | 40);
  EXPECT_EQ(barcodeByte(bytes, 13), 40) << "a minimum above the maximum becomes the maximum";
  EXPECT_EQ(systemByte(bytes, 258), '#');
  EXPECT_EQ(systemByte(bytes, 84), 1);
  EXPECT_EQ(bytes.substr(kSystemSettings + 85, 30),
            std::string("M\0M\0M\0H\0I\0G\0N\0L\0K\0E\0FFF\0A\0P\0Q\0", 30));
  const std::size_t weightCode = 18842;
  EXPECT_EQ(bytes.substr(weightCode + 2, 8), std::string("\3\0 7\x09\0\2\0", 8));
}

}  // namespace
