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

TEST(RecentFiles, AnEntryCanBeMovedUpByItself) {
  RecentFiles list = {};
  updateRecentFiles(list, "c");
  updateRecentFiles(list, "b");
  updateRecentFiles(list, "a");
  updateRecentFiles(list, list[2]);
  EXPECT_EQ(entries(list), (std::vector<std::string>{"c", "a", "b"}));
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

namespace torvik {
namespace {

class ScriptedUi : public RecentFileUi {
 public:
  Answer answer = Answer::Yes;
  bool saveWorks = true;
  bool loadWorks = true;
  RecentFiles* list = nullptr;  // a save puts this name first, as the real one does
  std::vector<std::string> calls;
  Answer askSaveCurrent() override {
    calls.push_back("ask");
    return answer;
  }
  bool saveCurrent() override {
    calls.push_back("save");
    if (saveWorks && list != nullptr) updateRecentFiles(*list, "saved.TVX");
    return saveWorks;
  }
  bool load(const char* path) override {
    calls.push_back(std::string("load ") + path);
    return loadWorks;
  }
};

struct RecentCase : ::testing::Test {
  RecentFiles list = {};
  Session session;
  ScriptedUi ui;
  void SetUp() override {
    updateRecentFiles(list, "b.TVX");
    updateRecentFiles(list, "a.TVX");
    ui.list = &list;
  }
};

TEST_F(RecentCase, AnUnmodifiedDesignLoadsWithoutAQuestion) {
  EXPECT_TRUE(openRecentFile(session, list, 1, ui));
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"load b.TVX"}));
}

TEST_F(RecentCase, AModifiedDesignIsOfferedForSavingFirst) {
  session.modified = true;
  EXPECT_TRUE(openRecentFile(session, list, 1, ui));
  // The entry chosen is the one the user saw, though the save put another name first.
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"ask", "save", "load b.TVX"}));
  EXPECT_FALSE(session.modified);
}

TEST_F(RecentCase, CancelOrASaveThatDidNotHappenKeepsEverything) {
  session.modified = true;
  ui.answer = Answer::Cancel;
  EXPECT_FALSE(openRecentFile(session, list, 0, ui));
  ui.answer = Answer::Yes;
  ui.saveWorks = false;
  EXPECT_FALSE(openRecentFile(session, list, 0, ui));
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"ask", "ask", "save"}));
  EXPECT_TRUE(session.modified);
}

TEST_F(RecentCase, NoDiscardsTheChangesAndAFailedLoadKeepsTheFlag) {
  session.modified = true;
  ui.answer = Answer::No;
  ui.loadWorks = false;
  EXPECT_FALSE(openRecentFile(session, list, 0, ui));
  EXPECT_TRUE(session.modified) << "the design in memory was not replaced";
  ui.loadWorks = true;
  EXPECT_TRUE(openRecentFile(session, list, 0, ui));
  EXPECT_FALSE(session.modified);
}

TEST_F(RecentCase, EntriesThatDoNotExistDoNothing) {
  session.modified = true;
  for (int n : {-1, 2, 3, 4, 9}) EXPECT_FALSE(openRecentFile(session, list, n, ui)) << n;
  EXPECT_TRUE(ui.calls.empty());
}

}  // namespace
}  // namespace torvik
