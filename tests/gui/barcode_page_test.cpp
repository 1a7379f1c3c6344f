// The Barcode page and its dialogs, driven through the real program: what is changed there is
// what Save As writes; the page's changes wait for the sheet's OK, the dialogs' do not.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/editor_helpers.h"

namespace {

using gui::checked;

constexpr int kBarcodeTab = 3;
constexpr std::size_t kFileSize = 18954;
constexpr std::size_t kBarcode = 12;          // BarcodeSettings in the file
constexpr std::size_t kSystemSettings = 18574;

int barcodeByte(const std::string& bytes, int n) {
  return static_cast<unsigned char>(bytes[kBarcode + static_cast<std::size_t>(n)]);
}
int systemByte(const std::string& bytes, int n) {
  return static_cast<unsigned char>(bytes[kSystemSettings + static_cast<std::size_t>(n)]);
}

class BarcodePage : public gui::EditorTest {
 protected:
  // Opens the editor on the Barcode page; returns the page.
  HWND openPage() { return EditorTest::openPage(kBarcodeTab, IDC_BARCODE_SCAN_MODE, gui::kNewDesignSheet); }
};

TEST_F(BarcodePage, PageAndDialogChangesReachTheSavedFile) {
  HWND page = openPage();
  ASSERT_NE(page, nullptr);
  // A new design: both Code 128 and EAN128 on, scan mode "Laser", time-out 3.
  EXPECT_TRUE(checked(page, IDC_BARCODE_CODE128));
  EXPECT_TRUE(checked(page, IDC_BARCODE_EAN128));
  EXPECT_EQ(gui::dialogItemText(page, IDC_BARCODE_SCAN_MODE), "Laser");
  EXPECT_EQ(gui::dialogItemText(page, IDC_BARCODE_TIMEOUT), "3");

  gui::clickButton(page, IDC_BARCODE_CODE128);  // Code 128 off: EAN128 alone
  EXPECT_TRUE(gui::waitUntil([&] { return !checked(page, IDC_BARCODE_CODE128); }));
  gui::selectComboRow(page, IDC_BARCODE_SCAN_MODE, 2);  // "Auto Power Off"
  gui::typeText(page, IDC_BARCODE_TIMEOUT, "300");
  EXPECT_EQ(gui::dialogItemText(page, IDC_BARCODE_TIMEOUT), "255");
  gui::typeText(page, IDC_BARCODE_TIMEOUT, "042");
  EXPECT_EQ(gui::dialogItemText(page, IDC_BARCODE_TIMEOUT), "42");
  torvik_->screenshot("barcode_page");

  HWND code39 = openDialog(page, IDC_BARCODE_MORE_FIRST, "Code 39 Parameters");
  ASSERT_NE(code39, nullptr);
  EXPECT_TRUE(checked(code39, IDC_SYM_CHECK3)) << "a new design transmits the Code 39 checksum";
  gui::clickButton(code39, IDC_SYM_CHECK4);  // Full ASCII on
  EXPECT_TRUE(gui::waitUntil([&] { return checked(code39, IDC_SYM_CHECK4); }));
  torvik_->screenshot("barcode_code39_dialog");
  gui::closeDialog(code39, IDOK);

  closeSheet(IDOK);
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
  gui::clickButton(page, IDC_BARCODE_SYMBOLOGY_FIRST + 25);  // Negative Barcode: undone by the sheet's Cancel
  EXPECT_TRUE(gui::waitUntil([&] { return checked(page, IDC_BARCODE_SYMBOLOGY_FIRST + 25); }));

  HWND codabar = openDialog(page, IDC_BARCODE_MORE_FIRST + 6, "Codabar Parameters");
  ASSERT_NE(codabar, nullptr);
  EXPECT_TRUE(checked(codabar, IDC_SYM_RADIO1)) << "a new design transmits no start/stop";
  gui::clickButton(codabar, IDC_SYM_RADIO5);  // "ABCD / TN*E"
  EXPECT_TRUE(gui::waitUntil([&] { return checked(codabar, IDC_SYM_RADIO5); }));
  gui::closeDialog(codabar, IDOK);

  HWND industrial = openDialog(page, IDC_BARCODE_MORE_FIRST + 3, "Industrial 25 Parameters");
  ASSERT_NE(industrial, nullptr);
  gui::clickButton(industrial, IDC_SYM_RADIO5);  // "Max / Min Length"
  gui::typeText(industrial, IDC_SYM_MAX_LENGTH, "200");
  EXPECT_EQ(gui::dialogItemText(industrial, IDC_SYM_MAX_LENGTH), "127");
  gui::typeText(industrial, IDC_SYM_MAX_LENGTH, "40");
  gui::typeText(industrial, IDC_SYM_MIN_LENGTH, "90");
  torvik_->screenshot("barcode_industrial25_dialog");
  gui::closeDialog(industrial, IDOK);

  HWND ean128 = openDialog(page, IDC_BARCODE_MORE_FIRST + 16, "EAN128 Parameters");
  ASSERT_NE(ean128, nullptr);
  gui::typeText(ean128, IDC_SYM_REPLACEMENT_CODE, "300");
  EXPECT_EQ(gui::dialogItemText(ean128, IDC_SYM_REPLACEMENT_CODE), "255");
  gui::typeText(ean128, IDC_SYM_MAX_LENGTH, "#");
  EXPECT_EQ(gui::dialogItemText(ean128, IDC_SYM_REPLACEMENT_CODE), "35");
  gui::closeDialog(ean128, IDOK);

  HWND codeIds = openDialog(page, IDC_BARCODE_CODE_ID, "Code ID");
  ASSERT_NE(codeIds, nullptr);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(codeIds, IDC_CODEID_SET_FIRST + 3))) << "sets wait for the enable box";
  gui::clickButton(codeIds, IDC_CODEID_ENABLE);
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(codeIds, IDC_CODEID_SET_FIRST + 3)) != FALSE; }));
  gui::clickButton(codeIds, IDC_CODEID_SET_FIRST + 3);  // "Set 4"
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(codeIds, IDC_CODEID_EDIT_FIRST + 10) == " F F"; }))
      << gui::dialogItemText(codeIds, IDC_CODEID_EDIT_FIRST + 10);
  torvik_->screenshot("barcode_code_id_dialog");
  gui::closeDialog(codeIds, IDOK);

  HWND weight = openDialog(page, IDC_BARCODE_WEIGHT_CODE, "Weight Code");
  ASSERT_NE(weight, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(weight, IDC_WEIGHT_PREFIX))) << "a new design's weight code is enabled";
  gui::clickButton(weight, IDC_WEIGHT_ENABLE);  // "Enable" off: the prefix and the rest wait for it
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(weight, IDC_WEIGHT_ONE_C)) == FALSE; }));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(weight, IDC_WEIGHT_PREFIX)));
  gui::clickButton(weight, IDC_WEIGHT_ENABLE);
  EXPECT_TRUE(gui::waitUntil([&] { return IsWindowEnabled(GetDlgItem(weight, IDC_WEIGHT_ONE_C)) != FALSE; }));
  gui::clickButton(weight, IDC_WEIGHT_ONE_C);  // "1C format"
  EXPECT_TRUE(gui::waitUntil([&] { return checked(weight, IDC_WEIGHT_ONE_C); }));
  gui::typeText(weight, IDC_WEIGHT_PREFIX, "7");
  SendMessageA(weight, WM_COMMAND, MAKEWPARAM(IDC_WEIGHT_PREFIX, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(weight, IDC_WEIGHT_PREFIX)));
  EXPECT_EQ(gui::dialogItemText(weight, IDC_WEIGHT_PREFIX), " 7");
  gui::selectComboRow(weight, IDC_WEIGHT_MASK, 4);  // "09"
  torvik_->screenshot("barcode_weight_code_dialog");
  gui::closeDialog(weight, IDOK);

  closeSheet(IDCANCEL);
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
