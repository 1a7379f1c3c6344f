// The Preferences dialog through the real program: its lists, and the window's topmost
// state after it closes.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/gui/link_helpers.h"

namespace {

using gui::TorvikProcess;

HWND openPreferences(const TorvikProcess& torvik) {
  torvik.command(IDM_PREFERENCES);
  return torvik.waitForWindow("#32770", "Torvik Preferences");
}

bool topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(PreferencesDialog, ListsTransportsRatesPortsAndTheDefaultLanguage) {
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  HWND dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  HWND download = GetDlgItem(dialog, IDC_PREF_DOWNLOAD_VIA);
  ASSERT_EQ(gui::comboRowCount(download), 3);
  EXPECT_EQ(gui::comboRowText(download, 0), "RS-232");
  EXPECT_EQ(gui::comboRowText(download, 1), "Cradle-IR");
  EXPECT_EQ(gui::comboRowText(download, 2), "IrDA");
  EXPECT_EQ(SendMessageW(download, CB_GETCURSEL, 0, 0), 1);  // no INI file: the cradle
  HWND rates = GetDlgItem(dialog, IDC_PREF_BAUD_RATE);
  ASSERT_EQ(gui::comboRowCount(rates), 5);
  EXPECT_EQ(gui::comboRowText(rates, 0), "115200 bps");
  EXPECT_EQ(gui::comboRowText(rates, 4), "9600 bps");
  HWND ports = GetDlgItem(dialog, IDC_PREF_PORT);
  EXPECT_GE(gui::findComboRow(ports, "COM1 - Serial port"), 0);
  EXPECT_GE(SendMessageW(ports, CB_GETCURSEL, 0, 0), 0);
  HWND language = GetDlgItem(dialog, IDC_PREF_LANGUAGE);
  ASSERT_EQ(gui::comboRowCount(language), 1);
  EXPECT_EQ(gui::comboRowText(language, 0), "Default <English>");
  EXPECT_FALSE(IsWindowEnabled(language));  // no language files beside the program
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PREF_LANGUAGE_LABEL)));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_AUTO_PRELOAD), BST_UNCHECKED);
  torvik.screenshot("preferences_dialog");
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
}

TEST(PreferencesDialog, AlwaysOnTopTakesEffectOnOkAndCancelKeepsIt) {
  gui::NoIniFile noIniFile;
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  RECT before;
  GetWindowRect(torvik.mainWindow(), &before);
  HWND dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDC_PREF_ALWAYS_ON_TOP);
  EXPECT_TRUE(gui::waitUntil([&] { return IsDlgButtonChecked(dialog, IDC_PREF_ALWAYS_ON_TOP) == BST_CHECKED; }));
  gui::clickButton(dialog, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(gui::waitUntil([&] { return topmost(torvik.mainWindow()); }));

  // Cancel changes nothing, and the window stays on top where it was.
  dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_ALWAYS_ON_TOP), BST_CHECKED);
  gui::clickButton(dialog, IDC_PREF_ALWAYS_ON_TOP);
  gui::clickButton(dialog, IDCANCEL);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  Sleep(200);
  EXPECT_TRUE(topmost(torvik.mainWindow()));
  RECT after;
  GetWindowRect(torvik.mainWindow(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right - after.left, 200);
  EXPECT_EQ(after.bottom - after.top, 459);

  // Back off, so that no later run starts on top.
  dialog = openPreferences(torvik);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDC_PREF_ALWAYS_ON_TOP);
  gui::clickButton(dialog, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(gui::waitUntil([&] { return !topmost(torvik.mainWindow()); }));
}

}  // namespace
