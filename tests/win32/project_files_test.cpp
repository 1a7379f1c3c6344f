// Project files and the INI file on a real file system: the safe replace, the INI folder
// under APPDATA, and a save and load through the program's own state.
#include "shell/project_files_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "definition/project_file.h"
#include "shell/app_win32.h"
#include "shell/ini_file.h"
#include "tests/support/win32_files.h"

namespace torvik {
namespace {

using testfiles::readAll;
using testfiles::removeTree;
using testfiles::writeAll;

int filesIn(const std::string& folder) {
  int n = 0;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do n += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (FindNextFileA(h, &found));
  FindClose(h);
  return n;
}

class FileFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_files_" + std::to_string(GetCurrentProcessId()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
    char appData[MAX_PATH] = {};
    GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
    savedAppData_ = appData;
    SetEnvironmentVariableA("APPDATA", folder_.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("APPDATA", savedAppData_.c_str());
    removeTree(folder_);
  }
  std::string path(const char* name) const { return folder_ + "\\" + name; }
  std::string folder_;
  std::string savedAppData_;
};

TEST_F(FileFolder, ReplaceWritesANewFileAndReplacesAnOldOne) {
  const std::string target = path("a.TVX");
  ASSERT_TRUE(replaceFileContents(target.c_str(), "first", 5));
  EXPECT_EQ(readAll(target), "first");
  ASSERT_TRUE(replaceFileContents(target.c_str(), "2nd", 3));
  EXPECT_EQ(readAll(target), "2nd");
  EXPECT_EQ(filesIn(folder_), 1) << "no temporary file is left behind";
}

TEST_F(FileFolder, AFailedReplaceLeavesTheOldFileAsItWas) {
  const std::string target = path("open.TVX");
  writeAll(target, "precious");
  // Another program holds the file open without sharing.
  HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(replaceFileContents(target.c_str(), "junk", 4));
  CloseHandle(held);
  EXPECT_EQ(readAll(target), "precious");
  EXPECT_EQ(filesIn(folder_), 1) << "the temporary file is gone";

  // A folder of that name, and a folder that does not exist.
  const std::string folderName = path("folder.TVX");
  CreateDirectoryA(folderName.c_str(), nullptr);
  EXPECT_FALSE(replaceFileContents(folderName.c_str(), "junk", 4));
  EXPECT_TRUE(GetFileAttributesA(folderName.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(replaceFileContents(path("no such folder\\x.TVX").c_str(), "junk", 4));
  EXPECT_EQ(filesIn(folder_), 1);
}

TEST_F(FileFolder, ReplaceWorksInAFolderTooDeepForASystemTemporaryName) {
  // A project path may have 255 characters; the system's temporary names need a folder of at
  // most 246.
  std::string deep = folder_;
  while (deep.size() < 248) {
    deep += "\\" + std::string(std::min<std::size_t>(40, 248 - deep.size()), 'd');
    CreateDirectoryA(deep.c_str(), nullptr);
  }
  ASSERT_GE(deep.size(), 248u);
  const std::string target = deep + "\\a.TVX";
  ASSERT_LE(target.size(), 255u);
  writeAll(target, "old");
  EXPECT_TRUE(replaceFileContents(target.c_str(), "new", 3));
  EXPECT_EQ(readAll(target), "new");
  EXPECT_EQ(filesIn(deep), 1) << "no temporary file is left";
}

TEST_F(FileFolder, PreferencesGoToFernwickTorvikIniWhichIsCreatedWhenMissing) {
  Preferences p;
  std::strcpy(p.lastProject, "C:\\x.TVX");
  p.alwaysOnTop = 1;
  std::strcpy(p.languageName, "Norsk");
  std::strcpy(p.recentFiles[0], "C:\\x.TVX");
  writePreferences(p);
  EXPECT_EQ(readAll(path("Fernwick\\Torvik.ini")), "C:\\x.TVX\r1\r1\r1\r0\r0\r1\rNorsk\r1\rC:\\x.TVX\r");
  Preferences back;
  readPreferences(back);
  EXPECT_EQ(formatIni(back), formatIni(p));
}

TEST_F(FileFolder, NoIniFileGivesTheDefaultsAndAFolder) {
  Preferences p;
  p.alwaysOnTop = 1;
  std::strcpy(p.languageName, "Keep");
  readPreferences(p);
  EXPECT_EQ(p.alwaysOnTop, 0);
  EXPECT_STREQ(p.lastProject, "Unknow");
  EXPECT_STREQ(p.languageName, "Keep");
  EXPECT_NE(GetFileAttributesA(path("Fernwick").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileFolder, AHugeBrokenIniFileIsReadSafely) {
  CreateDirectoryA(path("Fernwick").c_str(), nullptr);
  std::string junk(200000, 'j');
  for (std::size_t i = 0; i < junk.size(); i += 977) junk[i] = '\r';
  junk[5] = '\0';
  writeAll(path("Fernwick\\Torvik.ini"), junk);
  Preferences p;
  readPreferences(p);
  EXPECT_LE(std::strlen(p.lastProject), 255u);
  EXPECT_LE(std::strlen(p.languageName), 40u);
}

TEST_F(FileFolder, SaveWritesTheDesignAndLoadReadsItBackWithTheRecentList) {
  App& a = app();
  a.preferences = Preferences{};
  a.definition.systemSettings.schemaRevision = kSchemaRevision;
  std::memcpy(a.definition.versionTag, kVersionTagText, sizeof a.definition.versionTag);
  a.definition.form[1].nextTarget = 7;
  const std::string file = path("design.TVX");
  copyText(a.session.currentFile, file.c_str());
  ASSERT_TRUE(saveProject(nullptr));
  const std::string bytes = readAll(file);
  ASSERT_EQ(bytes.size(), kProjectFileSize);
  EXPECT_EQ(std::memcmp(bytes.data(), &a.definition, kDefinitionSize), 0);
  EXPECT_STREQ(a.preferences.lastProject, file.c_str());
  EXPECT_STREQ(a.preferences.recentFiles[0], file.c_str());
  EXPECT_NE(readAll(path("Fernwick\\Torvik.ini")).find(file), std::string::npos);

  a.definition.form[1].nextTarget = 2;
  a.session.currentFile[0] = '\0';
  ASSERT_TRUE(loadProject(nullptr, file.c_str(), true));
  EXPECT_EQ(a.definition.form[1].nextTarget, 7);
  EXPECT_STREQ(a.session.currentFile, file.c_str());

  // A file that cannot be opened: nothing happens, and the name stays as it was.
  EXPECT_FALSE(loadProject(nullptr, path("gone.TVX").c_str(), true));
  EXPECT_STREQ(a.session.currentFile, file.c_str());
  a.session.currentFile[0] = '\0';
}

}  // namespace
}  // namespace torvik
