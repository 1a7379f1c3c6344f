// A project file of the older terminal family opened through the Open dialog of the real
// program: it converts, stays unnamed so that Ctrl+S asks for a name, and the file saved then
// opens again as a current project.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tests/gui/driver.h"

namespace {

using gui::TorvikProcess;

constexpr int kOpenCommand = 1020;
constexpr std::size_t kLegacySize = 10510;
constexpr std::size_t kProjectSize = 18954;
constexpr std::size_t kForm1 = 3535;  // in a current project file
constexpr int kMessageTextId = 0xFFFF;

std::string readAll(const std::string& path) {
  std::string bytes;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(f);
  return bytes;
}

void writeAll(const std::string& path, const std::string& bytes) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

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

// Types `name` into a file dialog's file-name box (the edit in combo 1148 of Wine's
// Explorer-style dialog, or edit 1152 of the older style) and presses OK.
void chooseFile(HWND dialog, const std::string& name) {
  HWND edit = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND w, LPARAM found) -> BOOL {
        const int id = GetDlgCtrlID(w);
        if (gui::className(w) != "Edit" || (id != 1148 && id != 1152)) return TRUE;
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&edit));
  ASSERT_NE(edit, nullptr);
  std::wstring wide(name.begin(), name.end());
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  gui::clickButton(dialog, IDOK);
}

// Ctrl+S as real key events: posted key messages carry no Ctrl state.
void pressCtrlS(HWND window) {
  SetForegroundWindow(window);
  INPUT keys[4] = {};
  const WORD order[4] = {VK_CONTROL, 'S', 'S', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

class LegacyOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    char appData[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    ini_ = std::string(appData) + "\\Fernwick\\Torvik.ini";
    DeleteFileA(ini_.c_str());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_gui_legacy";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    torvik_.reset();  // the program must be gone before its files are
    for (const char* name : {"old.dat", "short.dat", "converted.TVX"}) DeleteFileA(path(name).c_str());
    RemoveDirectoryA(folder_.c_str());
    DeleteFileA(ini_.c_str());  // later tests expect a program with no INI file
  }

  std::string path(const char* name) const { return folder_ + "\\" + name; }

  TorvikProcess& start() {
    torvik_.reset(new TorvikProcess);
    EXPECT_TRUE(torvik_->start());
    return *torvik_;
  }

  void open(const std::string& file) {
    torvik_->command(kOpenCommand);
    HWND dialog = torvik_->waitForWindow("#32770", nullptr);
    ASSERT_NE(dialog, nullptr);
    chooseFile(dialog, file);
    ASSERT_TRUE(gui::waitUntil([&] { return !IsWindow(dialog); }));
  }

  std::unique_ptr<TorvikProcess> torvik_;
  std::string ini_, folder_;
};

TEST_F(LegacyOpen, ConvertsUnnamedSoSaveAsksForANameAndTheSavedFileReloads) {
  const std::string legacy = path("old.dat");
  const std::string converted = path("converted.TVX");
  writeAll(legacy, legacyFile());
  TorvikProcess& torvik = start();
  open(legacy);
  Sleep(300);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr) << "a whole legacy file opens without a message";
  EXPECT_EQ(readAll(ini_).find("old.dat"), std::string::npos) << "no recent-files entry for a legacy file";

  pressCtrlS(torvik.mainWindow());
  HWND saveAs = torvik.waitForWindow("#32770", nullptr);
  ASSERT_NE(saveAs, nullptr) << "an unnamed design asks for a name";
  torvik.screenshot("legacy_save_as");
  chooseFile(saveAs, converted);
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
  ASSERT_TRUE(gui::waitUntil([&] { return readAll(ini_).find(converted) == 0; })) << readAll(ini_);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
  DeleteFileA(converted.c_str());
  pressCtrlS(torvik.mainWindow());
  ASSERT_TRUE(gui::waitUntil([&] { return readAll(converted).size() == kProjectSize; }));
  EXPECT_EQ(readAll(converted), bytes);
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr);
}

TEST_F(LegacyOpen, AShortLegacyFileOpensWithTheIncompleteWarning) {
  const std::string cut = path("short.dat");
  writeAll(cut, legacyFile().substr(0, 3000));
  TorvikProcess& torvik = start();
  open(cut);
  HWND box = torvik.waitForWindow("#32770", "Warning");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, kMessageTextId), "The file is incomplete! What it lacks keeps its previous values.");
  torvik.screenshot("legacy_short_file");
  gui::clickButton(box, IDOK);
  EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
}

}  // namespace
