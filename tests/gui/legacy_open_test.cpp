// A project file of the older terminal family opened through the Open dialog of the real
// program: it converts, stays unnamed so that Ctrl+S asks for a name, and the file saved then
// opens again as a current project.
#include <gtest/gtest.h>

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

constexpr std::size_t kLegacySize = 10510;
constexpr std::size_t kProjectSize = 18954;
constexpr std::size_t kForm1 = 3535;  // in a current project file

// A legacy file written at the offsets of its layout: a menu caption, a form line of the old
// type 5 with its prompt, a date stamp code and the extension block with a delimiter.
std::string legacyFile() {
  std::string b(kLegacySize, '\0');
  std::memcpy(&b[0], "Rxx-4.00", 8);
  std::memcpy(&b[35 + 2], "Old menu", 8);
  b[2535 + 3] = 7;   // D: date at the top
  b[2535 + 15] = 5;  // line 1: "fixed data" now
  std::memcpy(&b[2535 + 23], "Old prompt", 10);
  b[10496] = '@';
  b[10496 + 2] = ',';  // lookup 1's delimiter
  return b;
}

class LegacyOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_gui_legacy";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    torvik_.reset();  // the program must be gone before its files are
    for (const char* name : {"old.dat", "short.dat", "converted.TVX"}) DeleteFileA(path(name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string path(const char* name) const { return folder_ + "\\" + name; }

  TorvikProcess& start() {
    torvik_.reset(new TorvikProcess);
    EXPECT_TRUE(torvik_->start());
    return *torvik_;
  }

  // Opens a file through the Open dialog; the editor that a loaded design opens in is
  // closed unchanged unless the caller has a message to answer first.
  void open(const std::string& file, bool closeEditor = true) {
    torvik_->command(IDM_OPEN);
    HWND dialog = torvik_->waitForWindow("#32770", nullptr);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(gui::chooseFile(dialog, file));
    ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
    if (closeEditor) {
      ASSERT_TRUE(torvik_->closeEditor());
    }
  }

  std::unique_ptr<TorvikProcess> torvik_;
  gui::NoIniFile ini_;
  std::string folder_;
};

TEST_F(LegacyOpen, ConvertsUnnamedSoSaveAsksForANameAndTheSavedFileReloads) {
  const std::string legacy = path("old.dat");
  const std::string converted = path("converted.TVX");
  writeAll(legacy, legacyFile());
  TorvikProcess& torvik = start();
  open(legacy);
  Sleep(300);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr) << "a whole legacy file opens without a message";
  EXPECT_EQ(ini_.text().find("old.dat"), std::string::npos) << "no recent-files entry for a legacy file";

  torvik.pressCtrl('S');
  HWND saveAs = torvik.waitForWindow("#32770", nullptr);
  ASSERT_NE(saveAs, nullptr) << "an unnamed design asks for a name";
  torvik.screenshot("legacy_save_as");
  ASSERT_TRUE(gui::chooseFile(saveAs, converted));
  ASSERT_TRUE(gui::waitUntil([&] { return readAll(converted).size() == kProjectSize; }));
  const std::string bytes = readAll(converted);
  EXPECT_EQ(bytes.substr(0, 10), std::string("T900RU004\0", 10));
  EXPECT_EQ(bytes.substr(35 + 2, 9), std::string("Old menu\0", 9));
  EXPECT_EQ(bytes[kForm1 + 3], 1) << "date stamp at the top";
  EXPECT_EQ(bytes[kForm1 + 29], 8) << "old type 5 is fixed data";
  EXPECT_EQ(bytes.substr(kForm1 + 37, 11), std::string("Old prompt\0", 11));
  EXPECT_EQ(bytes[15685 + 19], ',') << "lookup 1's delimiter from the extension block";
  EXPECT_EQ(readAll(legacy), legacyFile()) << "the legacy file is never written";

  // The saved file is a current project: it opens with no message, it is on the recent list,
  // and Save now writes it under its name.
  open(converted);
  ASSERT_TRUE(gui::waitUntil([&] { return ini_.text().find(converted) == 0; })) << ini_.text();
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
  DeleteFileA(converted.c_str());
  torvik.pressCtrl('S');
  ASSERT_TRUE(gui::waitUntil([&] { return readAll(converted).size() == kProjectSize; }));
  EXPECT_EQ(readAll(converted), bytes);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
}

TEST_F(LegacyOpen, AShortLegacyFileOpensWithTheIncompleteWarning) {
  const std::string cut = path("short.dat");
  writeAll(cut, legacyFile().substr(0, 3000));
  TorvikProcess& torvik = start();
  open(cut, false);
  HWND box = torvik.waitForWindow("#32770", "Warning");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId), "The file is incomplete! What it lacks keeps its previous values.");
  torvik.screenshot("legacy_short_file");
  gui::clickButton(box, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(torvik.closeEditor()) << "what was read opens in the editor";
}

}  // namespace
