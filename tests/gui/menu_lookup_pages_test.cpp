// The Menu and Lookup pages of the definition editor, driven through the real program: edit,
// OK, Save As, and read the saved file's bytes.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/gui/editor_helpers.h"

namespace {

using gui::checked;
using gui::enabled;

constexpr std::size_t kMenu1 = 35;
constexpr std::size_t kMenu2 = 35 + 350;
constexpr std::size_t kLookup1 = 15685;
constexpr std::size_t kLookup2 = 15685 + 122;
constexpr std::size_t kSystemSettings = 18574;
constexpr int kMenuPage = 1;
constexpr int kLookupPage = 2;
constexpr int kSettingsPage = 4;

unsigned byteAt(const std::string& bytes, std::size_t offset) { return static_cast<unsigned char>(bytes[offset]); }

// Sent, so that it has been handled when this returns: a posted click followed by a sent
// WM_NULL does not wait for it, since a thread takes sent messages before posted ones.
void click(HWND page, int id) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(page, id), BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

class MenuLookupPages : public gui::EditorTest {
 protected:
  // The page at `index`, waited for by a control of its own.
  HWND showPage(int index) const {
    return EditorTest::showPage(index, index == kMenuPage     ? IDC_MENU_SELECT
                                       : index == kLookupPage ? IDC_LOOKUP_SELECT
                                                              : IDC_SET_UPLOAD_PORT);
  }
};

TEST_F(MenuLookupPages, MenuEditsReachTheSavedFile) {
  ASSERT_NE(openEditor(), nullptr);
  HWND page = showPage(kMenuPage);
  ASSERT_NE(page, nullptr);
  EXPECT_FALSE(enabled(page, IDC_MENU_PASS_DOWN)) << "nothing saved: no pass down";

  click(page, IDC_MENU_CAPTION_ON);  // caption on
  typeTextOrWarning(page, IDC_MENU_CAPTION, "Stock taking");
  click(page, IDC_MENU_SAVE_CAPTION);  // save caption: pass down becomes free
  EXPECT_TRUE(enabled(page, IDC_MENU_PASS_DOWN));
  click(page, IDC_MENU_PASS_DOWN);
  gui::selectComboRow(page, IDC_MENU_ESC, 11);  // Esc: menu 1
  typeTextOrWarning(page, IDC_MENU_ITEM_NAME_BASE, "Count shelves");
  gui::selectComboRow(page, IDC_MENU_ITEM_NEXT_BASE, 3);  // item 1 leads to form 3

  // The large font cuts what is typed next; a longer text already there stays.
  gui::selectComboRow(page, IDC_MENU_FONT, 1);
  EXPECT_EQ(gui::dialogItemText(page, IDC_MENU_ITEM_NAME_BASE), "Count shelves");
  typeTextOrWarning(page, IDC_MENU_ITEM_NAME_BASE + 1, "Sixteen chars xx");
  EXPECT_TRUE(
      gui::waitUntil([&] { return gui::dialogItemText(page, IDC_MENU_ITEM_NAME_BASE + 1) == "Sixteen chars x"; }));

  // Menu 2: separate files tick pass down with save caption and lock it.
  gui::selectComboRow(page, IDC_MENU_SELECT, 1);
  click(page, IDC_MENU_SAVE_CAPTION);
  click(page, IDC_MENU_SEPARATE_FILES);
  EXPECT_TRUE(checked(page, IDC_MENU_PASS_DOWN));
  EXPECT_FALSE(enabled(page, IDC_MENU_PASS_DOWN));
  torvik_->screenshot("editor_menu_page");
  // The Settings page shown too: this page's flag stays.
  showPage(kSettingsPage);
  closeSheet(IDOK);

  const std::string bytes = saveAs("menus");
  EXPECT_EQ(byteAt(bytes, kMenu1 + 0), 1u) << "large font";
  EXPECT_EQ(byteAt(bytes, kMenu1 + 1), 1u);
  EXPECT_EQ(bytes.substr(kMenu1 + 2, 13), std::string("Stock taking\0", 13));
  EXPECT_EQ(bytes.substr(kMenu1 + 23, 14), std::string("Count shelves\0", 14));
  EXPECT_EQ(bytes.substr(kMenu1 + 44, 16), std::string("Sixteen chars x\0", 16));
  EXPECT_EQ(byteAt(bytes, kMenu1 + 233), 11u);
  EXPECT_EQ(byteAt(bytes, kMenu1 + 234), 3u);
  EXPECT_EQ(byteAt(bytes, kMenu1 + 244), 1u);
  EXPECT_EQ(byteAt(bytes, kMenu1 + 246), 1u) << "pass down";
  EXPECT_EQ(byteAt(bytes, kMenu2 + 244), 1u);
  EXPECT_EQ(byteAt(bytes, kMenu2 + 246), 1u) << "pass down by the rule";
  EXPECT_EQ(byteAt(bytes, kSystemSettings + 4), 1u) << "separate data files";
}

TEST_F(MenuLookupPages, LookupEditsReachTheSavedFile) {
  ASSERT_NE(openEditor(), nullptr);
  HWND page = showPage(kLookupPage);
  ASSERT_NE(page, nullptr);
  gui::selectComboRow(page, IDC_LOOKUP_FIELD_COUNT, 3);
  EXPECT_TRUE(enabled(page, IDC_LOOKUP_LENGTH_BASE + 2));
  EXPECT_FALSE(enabled(page, IDC_LOOKUP_LENGTH_BASE + 3)) << "rows 1..3 only";
  click(page, IDC_LOOKUP_FIXED);  // fixed length first: the delimiter goes to 0 ...
  click(page, IDC_LOOKUP_DELIMITED);  // ... and choosing the delimiter layout makes it the tab
  EXPECT_EQ(gui::dialogItemText(page, IDC_LOOKUP_DELIMITER), "9");
  EXPECT_EQ(gui::dialogItemText(page, IDC_LOOKUP_LENGTH_HEADER), "Max Length");
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE, "5");
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE + 1, "10");
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE + 2, "3");
  click(page, IDC_LOOKUP_KEY_BASE + 2);  // key field 3
  click(page, IDC_LOOKUP_READ_ONCE);  // read once: two actions, the second is 3
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LOOKUP_NO_MATCH, CB_GETCOUNT, 0, 0), 2);
  gui::selectComboRow(page, IDC_LOOKUP_NO_MATCH, 1);
  torvik_->screenshot("editor_lookup_page_delimited");

  gui::selectComboRow(page, IDC_LOOKUP_SELECT, 1);  // the 2nd lookup file, in fixed lengths
  click(page, IDC_LOOKUP_FIXED);
  typeTextOrWarning(page, IDC_LOOKUP_MEMBER_LENGTH, "0042");
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, IDC_LOOKUP_MEMBER_LENGTH) == "42"; }));
  gui::selectComboRow(page, IDC_LOOKUP_FIELD_COUNT, 1);
  typeTextOrWarning(page, IDC_LOOKUP_OFFSET_BASE, "300");
  EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(page, IDC_LOOKUP_OFFSET_BASE) == "255"; }));
  torvik_->screenshot("editor_lookup_page_fixed");
  closeSheet(IDOK);

  const std::string bytes = saveAs("lookups");
  EXPECT_EQ(byteAt(bytes, kLookup1 + 0), 20u) << "5 + 10 + 3 + 2";
  EXPECT_EQ(byteAt(bytes, kLookup1 + 1), 3u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 2), 2u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 3), 1u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 4), 7u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 5), 18u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 19), 9u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 21), 3u);
  EXPECT_EQ(byteAt(bytes, kLookup1 + 23), 1u);
  EXPECT_EQ(byteAt(bytes, kLookup2 + 0), 42u);
  EXPECT_EQ(byteAt(bytes, kLookup2 + 3), 255u);
  EXPECT_EQ(byteAt(bytes, kLookup2 + 19), 0u);
  EXPECT_EQ(bytes[kSystemSettings + 150], '9') << "the Calculator entry moves past Load Lookup File";
}

TEST_F(MenuLookupPages, CancelAndShowingChangeNothing) {
  const std::string before = saveAs("before");
  ASSERT_NE(openEditor(), nullptr);
  HWND menu = showPage(kMenuPage);
  click(menu, IDC_MENU_CAPTION_ON);
  typeTextOrWarning(menu, IDC_MENU_CAPTION, "Gone");
  click(menu, IDC_MENU_RESET);  // Reset
  HWND lookup = showPage(kLookupPage);
  click(lookup, IDC_LOOKUP_RESET);
  closeSheet(IDCANCEL);
  EXPECT_EQ(saveAs("cancelled"), before);

  // Shown and OK: the pages store what they showed.
  ASSERT_NE(openEditor(), nullptr);
  showPage(kMenuPage);
  showPage(kLookupPage);
  closeSheet(IDOK);
  EXPECT_EQ(saveAs("shown"), before);
}

TEST_F(MenuLookupPages, DelimiterThirteenIsRefused) {
  ASSERT_NE(openEditor(), nullptr);
  HWND page = showPage(kLookupPage);
  click(page, IDC_LOOKUP_DELIMITED);
  ASSERT_EQ(gui::dialogItemText(page, IDC_LOOKUP_DELIMITER), "9");
  typeTextOrWarning(page, IDC_LOOKUP_DELIMITER, "13");
  HWND box = torvik_->waitForWindow("#32770", "Warning");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId), "Invalid value!");
  torvik_->screenshot("editor_lookup_delimiter_refused");
  gui::clickButton(box, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(gui::dialogItemText(page, IDC_LOOKUP_DELIMITER), "9");
  closeSheet(IDCANCEL);
}

TEST_F(MenuLookupPages, FieldsLongerThanALineKeepTheSheetOpen) {
  ASSERT_NE(openEditor(), nullptr);
  HWND page = showPage(kLookupPage);
  gui::selectComboRow(page, IDC_LOOKUP_SELECT, 1);
  click(page, IDC_LOOKUP_DELIMITED);
  gui::selectComboRow(page, IDC_LOOKUP_FIELD_COUNT, 2);
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE, "200");
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE + 1, "60");
  showPage(kMenuPage);
  gui::clickButton(sheet_, IDOK);
  HWND box = torvik_->waitForWindow("#32770", "Error");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId),
            "The fields of the 2nd lookup file take 261 characters; a lookup line holds 253.");
  gui::clickButton(box, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindow(sheet_));
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)), page);
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_LOOKUP_SELECT, CB_GETCURSEL, 0, 0), 1);
  typeTextOrWarning(page, IDC_LOOKUP_LENGTH_BASE + 1, "50");
  closeSheet(IDOK);
  const std::string bytes = saveAs("fits");
  EXPECT_EQ(byteAt(bytes, kLookup2 + 0), 251u);
  EXPECT_EQ(byteAt(bytes, kLookup2 + 4), 202u);
}

}  // namespace
