// Finding and loading language files in a real folder, as the program does at start.
#include "win/language_files_win32.h"

#include "base/string_ids.h"
#include "tests/support/win32_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

namespace torvik {
namespace {

class LanguageFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "torvik_lng_" + std::to_string(GetCurrentProcessId()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    strings_ = std::make_unique<UiStrings>();
  }
  void TearDown() override { testfiles::removeTree(folder_.substr(0, folder_.size() - 1)); }
  void write(const char* name, const std::string& bytes) { testfiles::writeAll(folder_ + name, bytes); }
  std::string folder_;
  std::unique_ptr<UiStrings> strings_;
};

TEST_F(LanguageFolder, NoFilesMeansOnlyTheBuiltInLanguage) {
  write("readme.txt", "Deutsch\r\n");
  EXPECT_EQ(findLanguages(*strings_, folder_.c_str()), 0);
  EXPECT_FALSE(loadLanguage(*strings_, "Deutsch"));
}

TEST_F(LanguageFolder, FindsEveryNamedFileAndLoadsTheChosenOne) {
  write("de.lng", "Deutsch\r\n1131=Programm speichern ?\r\n");
  write("no.lng", "Norsk\r\n1131=Lagre programmet ?\r\n");
  ASSERT_EQ(findLanguages(*strings_, folder_.c_str()), 2);
  EXPECT_EQ(strings_->language(strings_->findLanguage("Norsk")).path, folder_ + "no.lng");
  ASSERT_TRUE(loadLanguage(*strings_, "Norsk"));
  strings_->setLanguageActive(true);
  EXPECT_STREQ(strings_->lookup(kStrSaveCurrentProgram, TextKind::Message), "Lagre programmet ?");
  EXPECT_FALSE(loadLanguage(*strings_, "0"));
  EXPECT_FALSE(loadLanguage(*strings_, "norsk"));
}

TEST_F(LanguageFolder, AnEmptyFileAloneGivesNoLanguage) {
  write("empty.lng", "");
  EXPECT_EQ(findLanguages(*strings_, folder_.c_str()), 0);
}

TEST_F(LanguageFolder, AnOversizedFileLoadsItsFirst18000Bytes) {
  std::string big = "Big\r\n1=first\r\n";
  big += "2=" + std::string(30000, 'x') + "\r\n3=late\r\n";
  write("big.lng", big);
  ASSERT_EQ(findLanguages(*strings_, folder_.c_str()), 1);
  ASSERT_TRUE(loadLanguage(*strings_, "Big"));
  EXPECT_STREQ(strings_->directEntry(1), "first");
  EXPECT_EQ(std::string(strings_->directEntry(2)), std::string(80, 'x'));
  EXPECT_STREQ(strings_->directEntry(3), "");
}

}  // namespace
}  // namespace torvik
