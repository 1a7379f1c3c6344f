// Transfers through the real program against the terminal peer on a pseudo-terminal. The
// script tests/link/wine/peer_test.sh starts the peer, runs one of these and then checks
// what the peer received; run on their own (no peer) they are skipped.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/design_check_helpers.h"
#include "tests/gui/link_helpers.h"

namespace {

using gui::answerMessageBox;
using gui::LinkPreferences;
using gui::TorvikProcess;

#define REQUIRE_PEER()                                                          \
  if (gui::peerFolder().empty()) GTEST_SKIP() << "runs from peer_test.sh only"; \
  gui::NoIniFile noIniFile;                                                     \
  TorvikProcess torvik;                                                         \
  ASSERT_TRUE(torvik.start())

std::string inPeerFolder(const char* name) { return gui::peerFolder() + "\\" + name; }

TEST(PeerLink, app_rs232) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  HWND progress = torvik.waitForWindow("#32770", "Progress", 30000);
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(gui::storedText(GetDlgItem(progress, IDC_PROGRESS_TEXT)), "Downloading...");
  EXPECT_TRUE(GetWindowLongA(progress, GWL_EXSTYLE) & WS_EX_TOPMOST);
  Sleep(1000);  // the paced download takes about two seconds: the bar is part way
  gui::saveScreenshot("link_download_progress");
  EXPECT_EQ(answerMessageBox(torvik, "Download", IDOK), "Downloaded completely!");
  EXPECT_FALSE(IsWindow(progress));
}

// A design of ten full forms and menus, preloaded from the INI file, which also names the
// port only by its COM number.
TEST(PeerLink, app_full) {
  if (gui::peerFolder().empty()) GTEST_SKIP() << "runs from peer_test.sh only";
  gui::NoIniFile ini;
  ASSERT_TRUE(ini.write(gui::preloadingIni(inPeerFolder("full.tvx"), 7, 0)));
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  EXPECT_EQ(answerMessageBox(torvik, "Download", IDOK), "Downloaded completely!");
}

TEST(PeerLink, app_cradle) {
  REQUIRE_PEER();
  LinkPreferences p;
  p.downloadVia = 1;
  ASSERT_TRUE(gui::setLinkPreferences(torvik, p));
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  EXPECT_EQ(answerMessageBox(torvik, "Download", IDOK), "Downloaded completely!");
}

TEST(PeerLink, no_cradle) {
  REQUIRE_PEER();
  LinkPreferences p;
  p.downloadVia = 1;
  ASSERT_TRUE(gui::setLinkPreferences(torvik, p));
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDOK), "Failed to configure IR device!");
  // The port could not be set up: the download ends without the retry question.
  Sleep(500);
  EXPECT_EQ(torvik.findWindow("#32770", "Error"), nullptr);
}

TEST(PeerLink, old_version) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  EXPECT_EQ(answerMessageBox(torvik, "Warning", IDOK), "Program version is incompatible to Torvik!");
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDNO), "Failed to download, would you like to retry?");
}

TEST(PeerLink, full_at_block) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDOK), "Memory full for Terminal!");
  EXPECT_EQ(torvik.findWindow("#32770", "Progress"), nullptr);
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDNO), "Failed to download, would you like to retry?");
}

TEST(PeerLink, lookup) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_LOOKUP);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("lookup.txt")));
  EXPECT_EQ(answerMessageBox(torvik, "Download", IDOK), "Downloaded completely!");
}

TEST(PeerLink, lookup_too_long) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_LOOKUP);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("lookup.txt")));
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDOK), "Line 3 of the file is longer than 253 characters!");
}

// A design whose menu 2 leads to an empty form: the check's list comes before the download,
// with Cancel the default; the design is saved to the peer's folder for its image.
HWND downloadDesignWithErrors(const TorvikProcess& torvik) {
  if (!gui::makeDesignWithErrors(torvik)) return nullptr;
  if (torvik.saveAs(inPeerFolder("errors.tvx")).size() != 18954) return nullptr;
  if (!gui::setLinkPreferences(torvik, LinkPreferences{})) return nullptr;
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  return torvik.waitForWindow("#32770", "Check Design*");
}

TEST(PeerLink, check_cancel) {
  REQUIRE_PEER();
  HWND dialog = downloadDesignWithErrors(torvik);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::dialogItemText(dialog, IDC_CHECK_NOTE), "The terminal cannot handle the errors below. Download anyway?");
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_CHECK_DOWNLOAD)));
  EXPECT_EQ(gui::dialogItemText(dialog, IDCANCEL), "Cancel");
  EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL) << "Cancel is the default";
  ASSERT_EQ(gui::listRowCount(dialog), 2);
  EXPECT_EQ(gui::listCellText(dialog, 0, 1), "menu2.item3.next");
  torvik.screenshot("check_before_download");
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  Sleep(1000);  // nothing follows: no progress, no message
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
}

TEST(PeerLink, check_anyway) {
  REQUIRE_PEER();
  HWND dialog = downloadDesignWithErrors(torvik);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDC_CHECK_DOWNLOAD);
  EXPECT_EQ(answerMessageBox(torvik, "Download", IDOK), "Downloaded completely!");
}

TEST(PeerLink, lookup_line_feeds) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_DOWNLOAD_LOOKUP);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("lookup.txt")));
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDOK), "Line 1 ends in a line feed alone; save the file with CR LF line ends!");
}

// A lookup file checked against the lookup definition it fits: its line-numbered errors come
// before the port opens, and Cancel sends nothing.
TEST(PeerLink, lookup_check) {
  if (gui::peerFolder().empty()) GTEST_SKIP() << "runs from peer_test.sh only";
  gui::NoIniFile ini;
  ASSERT_TRUE(ini.write(gui::preloadingIni(inPeerFolder("lookups.tvx"), 7, 0)));
  TorvikProcess torvik;
  ASSERT_TRUE(torvik.start());
  torvik.command(IDM_DOWNLOAD_LOOKUP);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("lookup.txt")));
  HWND dialog = torvik.waitForWindow("#32770", "Check Design*");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gui::windowText(dialog), "Check Design - errors: 1, warnings: 0");
  ASSERT_EQ(gui::listRowCount(dialog), 1);
  EXPECT_EQ(gui::listCellText(dialog, 0, 1), "lookup.txt:2");
  EXPECT_EQ(gui::listCellText(dialog, 0, 2), "field 1 has 6 characters, its length is 4 (lookup1)");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_CHECK_GOTO))) << "mended in the file, not the design";
  torvik.screenshot("check_before_lookup");
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  Sleep(1000);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
}

TEST(PeerLink, receive) {
  REQUIRE_PEER();
  LinkPreferences p;
  p.baudRow = 4;  // 9600, with the peer pacing, so the counter stays up a while
  ASSERT_TRUE(gui::setLinkPreferences(torvik, p));
  torvik.command(IDM_RECEIVE_DATA);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("received.txt")));
  HWND counter = torvik.waitForWindow("TorvikReceiveCounter", nullptr, 30000);
  ASSERT_NE(counter, nullptr);
  EXPECT_TRUE(GetWindowLongA(counter, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(gui::storedText(counter).compare(0, 16, "Data received : "), 0);
  Sleep(300);
  gui::saveScreenshot("link_receive_counter");
  EXPECT_EQ(answerMessageBox(torvik, "Upload Data", IDNO), "Done : 25 records received.\nView the received data?");
  EXPECT_FALSE(IsWindow(counter));
}

TEST(PeerLink, receive_stops) {
  REQUIRE_PEER();
  ASSERT_TRUE(gui::setLinkPreferences(torvik, LinkPreferences{}));
  torvik.command(IDM_RECEIVE_DATA);
  ASSERT_TRUE(gui::answerFileDialog(torvik, inPeerFolder("received.txt")));
  EXPECT_EQ(answerMessageBox(torvik, "Error", IDOK), "Time out!");
  EXPECT_EQ(answerMessageBox(torvik, "Upload Data", IDOK),
            "Transfer not finished: 4 records received and kept in the file.");
}

TEST(PeerLink, detect_cradle) {
  REQUIRE_PEER();
  torvik.command(IDM_PREFERENCES);
  HWND dialog = torvik.waitForWindow("#32770", "Torvik Preferences");
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDC_PREF_DETECT_CRADLE);
  EXPECT_EQ(answerMessageBox(torvik, "Detecting Result", IDOK), "Cradle is connected to COM7");
  HWND port = GetDlgItem(dialog, IDC_PREF_PORT);
  const int row = static_cast<int>(SendMessageW(port, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(gui::comboRowText(port, row).compare(0, 5, "COM7 "), 0);
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
}

}  // namespace
