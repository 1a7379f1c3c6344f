// Project files, the INI file and the recent files, driven through the real program: the
// common file dialogs are worked by setting their file-name edit and pressing OK.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"
#include "tests/support/design_files.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;
using testfiles::readAll;
using testfiles::writeAll;

constexpr std::size_t kFileSize = testfiles::kDesignSize;
constexpr std::size_t kSystemSettings = testfiles::kSystemSettingsAt;
constexpr std::size_t kMainMenuTexts = 16051 + 64;
constexpr std::size_t kWeightCode = testfiles::kWeightCodeAt;
using testfiles::designFile;

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::wstring wideText(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

class ProjectFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_gui_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    torvik_.reset();  // the program must be gone before its files are
    testfiles::removeTree(folder_);
    // Later tests expect a program with no language files (nor INI file: ini_ sees to that).
    if (!language_.empty()) DeleteFileA(language_.c_str());
  }

  std::string path(const char* name) const { return folder_ + "\\" + name; }
  void writeIni(const std::string& text) { ASSERT_TRUE(ini_.write(text)); }
  std::string ini() const { return ini_.text(); }
  void writeLanguage(const char* name, const std::string& text) {
    language_ = testfiles::programFolder() + name;
    writeAll(language_, text);
  }

  TorvikProcess& start() {
    torvik_ = std::make_unique<TorvikProcess>();
    EXPECT_TRUE(torvik_->start());
    return *torvik_;
  }

  HWND waitForDialog(const char* title) const { return torvik_->waitForWindow("#32770", title); }
  // Waits for a message box with this caption and returns its text.
  std::string messageBox(const char* caption, HWND* box) const {
    *box = waitForDialog(caption);
    return *box == nullptr ? "<no box>" : gui::dialogItemText(*box, gui::kMessageBoxTextId);
  }

  void closeBox(HWND box) const {
    gui::clickButton(box, IDOK);
    EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  }

  bool fileHasSize(const std::string& file, std::size_t size) const {
    return gui::waitUntil([&] { return readAll(file).size() == size; });
  }

  gui::NoIniFile ini_;
  std::unique_ptr<TorvikProcess> torvik_;
  std::string folder_, language_;
};

TEST_F(ProjectFiles, CtrlSOnANewDesignSavesThroughTheSaveAsDialog) {
  TorvikProcess& torvik = start();
  torvik_->pressCtrl('S');
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  torvik.screenshot("project_save_as_dialog");
  ASSERT_TRUE(gui::chooseFile(dialog, path("shop")));
  const std::string file = path("shop.TVX");
  ASSERT_TRUE(fileHasSize(file, kFileSize));
  const std::string bytes = readAll(file);
  EXPECT_EQ(bytes.substr(0, 10), std::string("T900RU004\0", 10));
  EXPECT_EQ(bytes.substr(kFileSize - 100), std::string(100, '\0'));
  EXPECT_EQ(static_cast<int>(bytes[kSystemSettings]), 4);
  EXPECT_EQ(bytes.substr(kMainMenuTexts, 16), std::string("1.Collect data \0", 16));
  EXPECT_EQ(static_cast<unsigned char>(bytes[3535 + 1215 * 2 + 2]), 3u) << "form 3 repeats itself";
  // The INI file keeps it as the Last file and the first recent file. Wine's dialog adds
  // the default extension in lower case; Windows keeps "TVX" as given.
  EXPECT_TRUE(gui::waitUntil([&] {
    return lowered(ini()) == lowered(file + "\r1\r1\r1\r0\r0\r0\r0\r1\r" + file + "\r");
  })) << ini();

  // Saved again under its name: no dialog.
  torvik_->pressCtrl('S');
  Sleep(500);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
  EXPECT_EQ(readAll(file), bytes);
}

TEST_F(ProjectFiles, SaveAsAppendsTvxAfterAnotherExtension) {
  TorvikProcess& torvik = start();
  torvik.command(IDM_SAVEAS);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, path("notes.txt")));
  EXPECT_TRUE(fileHasSize(path("notes.txt.TVX"), kFileSize));
  EXPECT_EQ(readAll(path("notes.txt")), "<missing>");
}

TEST_F(ProjectFiles, OpenLoadsTheChosenFile) {
  const std::string original = path("marked.TVX");
  writeAll(original, designFile(4, 9));
  TorvikProcess& torvik = start();
  torvik.command(IDM_OPEN);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  torvik.screenshot("project_open_dialog");
  ASSERT_TRUE(gui::chooseFile(dialog, original));
  ASSERT_TRUE(torvik.closeEditor()) << "a loaded design opens in the editor";
  ASSERT_TRUE(gui::waitUntil([&] { return ini().find(original) == 0; })) << ini();
  // What was loaded is what a Save As writes.
  torvik.command(IDM_SAVEAS);
  dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, path("copy.TVX")));
  ASSERT_TRUE(fileHasSize(path("copy.TVX"), kFileSize));
  EXPECT_EQ(readAll(path("copy.TVX")), readAll(original));
}

TEST_F(ProjectFiles, ABadFileIsRefusedAndNeverSavedOver) {
  const std::string bad = path("bad.TVX");
  writeAll(bad, "Hello, this is no design at all.");
  TorvikProcess& torvik = start();
  torvik.command(IDM_OPEN);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, bad));
  HWND box = nullptr;
  EXPECT_EQ(messageBox("Error", &box), "Format mismatch !!!");
  torvik.screenshot("project_format_mismatch");
  closeBox(box);
  // The failed file is not the design's name: Save asks for one.
  torvik_->pressCtrl('S');
  dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDCANCEL);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(readAll(bad), "Hello, this is no design at all.");
}

TEST_F(ProjectFiles, AFailedSaveSaysSoAndLeavesTheOldFileAsItWas) {
  const std::string file = path("kept.TVX");
  const std::string original = designFile(4, 3);
  writeAll(file, original);
  writeIni(file + "\r1\r1\r1\r0\r1\r0\r0\r1\r");  // preloaded at start, so Save has its name
  TorvikProcess& torvik = start();
  // Another program holds the file open without sharing.
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  torvik_->pressCtrl('S');
  HWND box = nullptr;
  EXPECT_EQ(messageBox("Error", &box), "Cannot save the file! The file on disk was left as it was.");
  torvik.screenshot("project_save_failed");
  closeBox(box);
  CloseHandle(held);
  EXPECT_EQ(readAll(file), original);
  int files = 0;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder_ + "\\*.tmp").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do ++files;
    while (FindNextFileA(h, &found));
    FindClose(h);
  }
  EXPECT_EQ(files, 0) << "no temporary file is left behind";
}

TEST_F(ProjectFiles, ARevisionOneFileIsUpgradedWithTheWarning) {
  const std::string old = path("old.TVX");
  writeAll(old, designFile(1, 9));
  TorvikProcess& torvik = start();
  torvik.command(IDM_OPEN);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, old));
  HWND box = waitForDialog("Warning");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(wideText(GetDlgItem(box, gui::kMessageBoxTextId)),
            L"\u0417\u0430\u0434\u0430\u0447\u0430 \u043F\u0440\u0435\u043E\u0431\u0440\u0430\u0437\u043E\u0432"
            L"\u0430\u043D\u0430 \u0432 \u043D\u043E\u0432\u044B\u0439 \u0444\u043E\u0440\u043C\u0430\u0442.\r\n"
            L"\u041F\u043E\u0436\u0430\u043B\u0443\u0439\u0441\u0442\u0430, \u0441\u043E\u0445\u0440\u0430"
            L"\u043D\u0438\u0442\u0435 \u043D\u043E\u0432\u0443\u044E \u0432\u0435\u0440\u0441\u0438\u044E!");
  torvik.screenshot("project_upgrade_warning");
  closeBox(box);
  ASSERT_TRUE(torvik.closeEditor());
  // Saved again: revision 4 and the weight code's defaults.
  torvik_->pressCtrl('S');
  ASSERT_TRUE(gui::waitUntil([&] { return readAll(old)[kSystemSettings] == 4; }));
  const std::string bytes = readAll(old);
  EXPECT_EQ(static_cast<int>(bytes[kWeightCode + 6]), 7);
  EXPECT_EQ(bytes.substr(kSystemSettings + 150, 21), std::string("8. Calculator       \0", 21));
}

TEST_F(ProjectFiles, AShortFileLoadsWithAWarning) {
  const std::string cut = path("cut.TVX");
  writeAll(cut, designFile().substr(0, 5000));
  TorvikProcess& torvik = start();
  torvik.command(IDM_OPEN);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, cut));
  HWND box = nullptr;
  EXPECT_EQ(messageBox("Warning", &box), "The file is incomplete! What it lacks keeps its previous values.");
  torvik.screenshot("project_incomplete");
  closeBox(box);
  EXPECT_TRUE(torvik.closeEditor());
}

TEST_F(ProjectFiles, RecentFilesAreOnThePopupMenuAndOpenTheirFile) {
  const std::string a = path("a.TVX");
  const std::string b = path("b.TVX");
  writeAll(a, designFile(4, 5));
  writeAll(b, designFile(4, 6));
  writeIni("Unknow\r1\r1\r1\r0\r0\r0\r0\r1\r" + a + "\r" + b + "\r");
  TorvikProcess& torvik = start();
  gui::rightClick(torvik.client(), 100, 150);
  ASSERT_NE(torvik.waitForWindow("#32768", nullptr), nullptr);
  torvik.screenshot("project_recent_files_menu");
  torvik.key('2');  // "&2:  ..." is the second recent file
  EXPECT_TRUE(gui::waitUntil([&] { return ini() == b + "\r1\r1\r1\r0\r0\r0\r0\r1\r" + b + "\r" + a + "\r"; })) << ini();
  // The menu follows the new order: its second item is now the other file.
  gui::rightClick(torvik.client(), 100, 150);
  ASSERT_NE(torvik.waitForWindow("#32768", nullptr), nullptr);
  torvik.key('2');
  EXPECT_TRUE(gui::waitUntil([&] { return ini() == a + "\r1\r1\r1\r0\r0\r0\r0\r1\r" + a + "\r" + b + "\r"; })) << ini();
  gui::rightClick(torvik.client(), 100, 150);
  ASSERT_NE(torvik.waitForWindow("#32768", nullptr), nullptr);
  torvik.key('2');
  ASSERT_TRUE(gui::waitUntil([&] { return ini().find(b) == 0; })) << ini();
  // Its name is the design's now: Save writes it without a dialog.
  DeleteFileA(b.c_str());
  torvik_->pressCtrl('S');
  ASSERT_TRUE(fileHasSize(b, kFileSize));
  EXPECT_EQ(static_cast<int>(readAll(b)[kWeightCode + 6]), 6);
}

TEST_F(ProjectFiles, AutoPreloadOpensTheLastFileAndSkipsAMissingOneQuietly) {
  const std::string a = path("last.TVX");
  writeAll(a, designFile(4, 8));
  writeIni(a + "\r1\r1\r1\r0\r1\r0\r0\r1\r");
  {
    TorvikProcess& torvik = start();
    DeleteFileA(a.c_str());
    torvik_->pressCtrl('S');  // preloaded: it has its name
    ASSERT_TRUE(fileHasSize(a, kFileSize));
    EXPECT_EQ(static_cast<int>(readAll(a)[kWeightCode + 6]), 8);
    EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
  }
  writeIni(path("gone.TVX") + "\r1\r1\r1\r0\r1\r0\r0\r1\r");
  TorvikProcess& torvik = start();
  Sleep(300);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr) << "no message for a missing file";
  torvik_->pressCtrl('S');  // nothing loaded: the design has no name
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  gui::clickButton(dialog, IDCANCEL);
}

TEST_F(ProjectFiles, ALanguageChosenInTheIniFileRelabelsTheMenuAndFillsNewDesigns) {
  writeLanguage("torvik_gui_test.lng", "Testsprache\r\n1110=&Info...\r\n721=1.Daten\r\n");
  writeIni("Unknow\r1\r1\r1\r0\r0\r0\rTestsprache\r1\r");
  TorvikProcess& torvik = start();
  gui::rightClick(torvik.client(), 100, 150);
  ASSERT_NE(torvik.waitForWindow("#32768", nullptr), nullptr);
  torvik.screenshot("project_language_menu");
  torvik.key('I');  // the language's "&Info..." is the About item
  HWND about = torvik.waitForWindow("#32770", "About Torvik");
  ASSERT_NE(about, nullptr);
  gui::clickButton(about, IDOK);
  ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(about); }));
  // The new design at start took the language's main-menu text.
  torvik.command(IDM_SAVEAS);
  HWND dialog = waitForDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(gui::chooseFile(dialog, path("lang.TVX")));
  ASSERT_TRUE(fileHasSize(path("lang.TVX"), kFileSize));
  EXPECT_EQ(readAll(path("lang.TVX")).substr(kMainMenuTexts, 8), std::string("1.Daten\0", 8));
}

}  // namespace
