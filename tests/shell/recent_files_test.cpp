#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace torvik {
namespace {

std::vector<std::string> entries(const RecentFiles& list) {
  std::vector<std::string> out;
  for (int i = 0; i < recentFileCount(list); ++i) out.push_back(list[i]);
  return out;
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndAtMostFour) {
  RecentFiles list = {};
  EXPECT_EQ(recentFileCount(list), 0);
  EXPECT_EQ(updateRecentFiles(list, "a"), 1);
  EXPECT_EQ(updateRecentFiles(list, "b"), 2);
  EXPECT_EQ(updateRecentFiles(list, "a"), 2);
  EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "b"}));
  updateRecentFiles(list, "c");
  updateRecentFiles(list, "d");
  EXPECT_EQ(entries(list), (std::vector<std::string>{"d", "c", "a", "b"}));
  EXPECT_EQ(updateRecentFiles(list, "e"), 4);  // the oldest falls off
  EXPECT_EQ(entries(list), (std::vector<std::string>{"e", "d", "c", "a"}));
  updateRecentFiles(list, "a");  // the last one moves to the top
  EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "e", "d", "c"}));
  updateRecentFiles(list, "a");
  EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "e", "d", "c"}));
}

TEST(RecentFiles, ComparisonIsExactAndEmptyNamesAreIgnored) {
  RecentFiles list = {};
  updateRecentFiles(list, "C:\\A.TVX");
  updateRecentFiles(list, "c:\\a.tvx");
  EXPECT_EQ(recentFileCount(list), 2);
  EXPECT_EQ(updateRecentFiles(list, ""), 2);
  EXPECT_EQ(updateRecentFiles(list, nullptr), 2);
}

TEST(RecentFiles, ALongNameIsCutToItsEntry) {
  RecentFiles list = {};
  const std::string name(400, 'x');
  updateRecentFiles(list, name.c_str());
  EXPECT_EQ(std::string(list[0]), std::string(255, 'x'));
}

TEST(RecentMenuText, ShortPathsAreShownWhole) {
  char text[kRecentMenuTextSize];
  recentMenuText(0, "C:\\a.TVX", text);
  EXPECT_STREQ(text, "&1:  C:\\a.TVX");
  const std::string forty = "C:\\" + std::string(33, 'f') + ".TVX";
  ASSERT_EQ(forty.size(), 40u);
  recentMenuText(3, forty.c_str(), text);
  EXPECT_EQ(std::string(text), "&4:  " + forty);
}

TEST(RecentMenuText, From41CharactersOn15DotsAnd22) {
  char text[kRecentMenuTextSize];
  const std::string path = "C:\\Users\\tester\\Documents\\Designs\\warehouse.TVX";  // 47
  recentMenuText(1, path.c_str(), text);
  EXPECT_EQ(std::string(text), "&2:  " + path.substr(0, 15) + "..." + path.substr(path.size() - 22));
  const std::string p41(41, 'k');
  recentMenuText(0, p41.c_str(), text);
  EXPECT_EQ(std::string(text), "&1:  " + std::string(15, 'k') + "..." + std::string(22, 'k'));
}

TEST(RecentMenuText, AmpersandsShowAsThemselves) {
  char text[kRecentMenuTextSize];
  recentMenuText(0, "C:\\R&D\\a.TVX", text);
  EXPECT_STREQ(text, "&1:  C:\\R&&D\\a.TVX");
  const std::string amps(300, '&');
  recentMenuText(9, amps.c_str(), text);
  EXPECT_EQ(std::string(text), "&10:  " + std::string(30, '&') + "..." + std::string(44, '&'));
}

}  // namespace
}  // namespace torvik
