// Check Design (F7) in the real program: the list of findings, "Go to" into the editor where a
// finding is mended, and the check that runs again once the editor closes.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/gui/design_check_helpers.h"
#include "tests/gui/editor_helpers.h"

namespace {

constexpr int kMenuPage = 1;

class DesignCheck : public gui::EditorTest {};

TEST_F(DesignCheck, ANewDesignHasNoProblems) {
  torvik_->key(VK_F7);  // the accelerator, as the keyboard gives it
  HWND dialog = torvik_->waitForWindow("#32770", "Check Design*");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::windowText(dialog), "Check Design - errors: 0, warnings: 0");
  EXPECT_EQ(gui::dialogItemText(dialog, IDC_CHECK_NOTE), "No problems found.");
  EXPECT_EQ(gui::listRowCount(dialog), 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CHECK_GOTO)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_CHECK_DOWNLOAD)));
  EXPECT_EQ(gui::dialogItemText(dialog, IDCANCEL), "Close");
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL) << "Enter closes";
  torvik_->screenshot("check_design_none");
  gui::closeDialog(dialog, IDCANCEL);
}

TEST_F(DesignCheck, GoToOpensTheMenuPageOnTheMenuAndTheCheckRunsAgainAfterwards) {
  ASSERT_NE(openEditor(), nullptr);
  // Menu 2 runs, form 1 where the program starts does not: two errors.
  ASSERT_TRUE(gui::makeMenuLeadToEmptyForm(showPage(kMenuPage, IDC_MENU_SELECT), 2));
  closeSheet(IDOK);

  torvik_->command(IDM_CHECK_DESIGN);
  HWND dialog = torvik_->waitForWindow("#32770", "Check Design*");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::windowText(dialog), "Check Design - errors: 2, warnings: 0");
  ASSERT_EQ(gui::listRowCount(dialog), 2);
  EXPECT_EQ(gui::listCellText(dialog, 0, 0), "error");
  EXPECT_EQ(gui::listCellText(dialog, 0, 1), "menu2.item3.next");
  EXPECT_EQ(gui::listCellText(dialog, 0, 2), "leads to form 4, which has no input lines");
  EXPECT_EQ(gui::listCellText(dialog, 1, 1), "system.startFrom");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_CHECK_GOTO)));
  torvik_->screenshot("check_design_error");

  // A double click on the first finding goes to it.
  HWND list = GetDlgItem(dialog, IDC_CHECK_LIST);
  RECT header;
  GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
  const LPARAM row0 = MAKELPARAM(30, header.bottom - header.top + 6);
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, row0);
  PostMessageA(list, WM_LBUTTONUP, 0, row0);
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, row0);
  PostMessageA(list, WM_LBUTTONUP, 0, row0);
  sheet_ = torvik_->waitForWindow("#32770", gui::kAnyDesignSheet);
  ASSERT_NE(sheet_, nullptr);
  HWND page = nullptr;
  ASSERT_TRUE(gui::waitUntil([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && GetDlgItem(page, IDC_MENU_SELECT) != nullptr;
  })) << "the Menu page";
  EXPECT_TRUE(gui::waitUntil([&] { return SendDlgItemMessageA(page, IDC_MENU_SELECT, CB_GETCURSEL, 0, 0) == 1; }))
      << "menu 2";
  HWND target = GetDlgItem(page, IDC_MENU_ITEM_NEXT_BASE + 2);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::focusOf(*torvik_) == target; })) << "item 3's target has the focus";
  torvik_->screenshot("check_design_go_to");

  // Cancelled: the error is still there, and the list shows it again.
  closeSheet(IDCANCEL);
  dialog = torvik_->waitForWindow("#32770", "Check Design - errors: 2*");
  ASSERT_NE(dialog, nullptr);
  // Mended: item 3 leads to the main menu; the start is what is left. Enter on the selected
  // finding goes there as Go to does.
  PostMessageA(GetDlgItem(dialog, IDC_CHECK_LIST), WM_KEYDOWN, VK_RETURN, 0);
  sheet_ = torvik_->waitForWindow("#32770", gui::kAnyDesignSheet);
  ASSERT_NE(sheet_, nullptr);
  ASSERT_TRUE(gui::waitUntil([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && SendDlgItemMessageA(page, IDC_MENU_SELECT, CB_GETCURSEL, 0, 0) == 1;
  })) << "the Menu page, filled";
  gui::selectComboRow(page, IDC_MENU_ITEM_NEXT_BASE + 2, 0);
  closeSheet(IDOK);
  dialog = torvik_->waitForWindow("#32770", "Check Design*");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::windowText(dialog), "Check Design - errors: 1, warnings: 0");
  ASSERT_EQ(gui::listRowCount(dialog), 1);
  EXPECT_EQ(gui::listCellText(dialog, 0, 1), "system.startFrom");
  // The Go to button: the start is chosen on the Startup page.
  gui::clickButton(dialog, IDC_CHECK_GOTO);
  sheet_ = torvik_->waitForWindow("#32770", gui::kAnyDesignSheet);
  ASSERT_NE(sheet_, nullptr);
  ASSERT_TRUE(gui::waitUntil([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && GetDlgItem(page, IDC_STARTUP_START_FROM) != nullptr;
  })) << "the Startup page";
  target = GetDlgItem(page, IDC_STARTUP_START_FROM);
  EXPECT_TRUE(gui::waitUntil([&] { return gui::focusOf(*torvik_) == target; })) << "the start's choice has the focus";
  closeSheet(IDCANCEL);
  dialog = torvik_->waitForWindow("#32770", "Check Design - errors: 1*");
  ASSERT_NE(dialog, nullptr);
  gui::closeDialog(dialog, IDCANCEL);
}

}  // namespace
