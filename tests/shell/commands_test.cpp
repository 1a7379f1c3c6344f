#include "shell/commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/session.h"
#include "base/ui_strings.h"

namespace torvik {
namespace {

class Recorder : public CommandTarget {
 public:
  std::vector<std::string> calls;
  void newApplication() override { calls.push_back("new"); }
  void open() override { calls.push_back("open"); }
  void save() override { calls.push_back("save"); }
  void saveAs() override { calls.push_back("saveAs"); }
  void edit() override { calls.push_back("edit"); }
  void undo() override { calls.push_back("undo"); }
  void redo() override { calls.push_back("redo"); }
  void preferences() override { calls.push_back("preferences"); }
  void checkDesign() override { calls.push_back("check"); }
  void downloadApplication(bool cradle) override { calls.push_back(cradle ? "download+cradle" : "download"); }
  void downloadLookupFile(bool cradle) override { calls.push_back(cradle ? "lookup+cradle" : "lookup"); }
  void receiveData(bool cradle) override { calls.push_back(cradle ? "receive+cradle" : "receive"); }
  void about() override { calls.push_back("about"); }
  void exit() override { calls.push_back("exit"); }
  void openRecent(int n) override { calls.push_back("recent" + std::to_string(n)); }
  void zoom(int percent) override { calls.push_back("zoom" + std::to_string(percent)); }
};

TEST(CommandDispatch, EveryMenuAndAcceleratorIdReachesItsHandler) {
  Recorder r;
  for (int id : {1010, 1020, 1030, 1040, 2000, 2010, 2011, 2100, 3010, 9030, 1090, 3300, 3309, 2201, 2202, 2203})
    EXPECT_TRUE(dispatchCommand(id, 0, 0, r)) << id;
  EXPECT_EQ(r.calls, (std::vector<std::string>{"new", "open", "save", "saveAs", "edit", "undo", "redo", "preferences",
                                               "check", "about", "exit", "recent0", "recent9", "zoom100", "zoom150",
                                               "zoom200"}));
}

TEST(CommandDispatch, UnknownIdsAreIgnored) {
  Recorder r;
  for (int id : {0, 1, 1011, 2009, 2012, 2200, 2204, 3009, 3011, 3299, 3310, 9031, 65535})
    EXPECT_FALSE(dispatchCommand(id, 0, 0, r)) << id;
  EXPECT_TRUE(r.calls.empty());
}

TEST(CommandDispatch, LinkCommandsUseTheirTransportAndOnlyTheCradleNeedsNegotiation) {
  Recorder r;
  dispatchCommand(3020, 1, 0, r);
  dispatchCommand(3040, 0, 1, r);
  dispatchCommand(3030, 0, 1, r);
  dispatchCommand(3030, 1, 2, r);  // IrDA is a plain serial line
  EXPECT_EQ(r.calls, (std::vector<std::string>{"download+cradle", "lookup", "receive+cradle", "receive"}));
}

TEST(CommandDispatch, TransportIndexOutsideTheListDoesNothing) {
  Recorder r;
  EXPECT_TRUE(dispatchCommand(3020, 3, 0, r));
  EXPECT_TRUE(dispatchCommand(3040, -1, 0, r));
  EXPECT_TRUE(dispatchCommand(3030, 0, 7, r));
  EXPECT_TRUE(r.calls.empty());
}

class ScriptedPrompt : public SavePromptUi {
 public:
  Answer answer = Answer::Cancel;
  bool saveWorks = true;
  int asked = 0;
  int saves = 0;
  Answer askSaveCurrent() override {
    ++asked;
    return answer;
  }
  bool saveCurrent() override {
    ++saves;
    return saveWorks;
  }
};

TEST(SavePrompt, CleanDesignGoesOnWithoutAsking) {
  Session session;
  ScriptedPrompt ui;
  EXPECT_TRUE(confirmDiscard(session, ui));
  EXPECT_EQ(ui.asked, 0);
}

TEST(SavePrompt, AnswersDecideWhetherTheCallerGoesOn) {
  Session session;
  session.modified = true;
  ScriptedPrompt ui;
  ui.answer = Answer::Cancel;
  EXPECT_FALSE(confirmDiscard(session, ui));
  ui.answer = Answer::No;
  EXPECT_TRUE(confirmDiscard(session, ui));
  EXPECT_EQ(ui.saves, 0);
  ui.answer = Answer::Yes;
  EXPECT_TRUE(confirmDiscard(session, ui));
  EXPECT_EQ(ui.saves, 1);
}

TEST(SavePrompt, YesWhoseSaveDidNotHappenKeepsTheDesign) {
  Session session;
  session.modified = true;
  ScriptedPrompt ui;
  ui.answer = Answer::Yes;
  ui.saveWorks = false;  // Save As cancelled, or the write failed
  EXPECT_FALSE(confirmDiscard(session, ui));
}

int noResources(int, char* buffer, int size) {
  if (size > 0) buffer[0] = '\0';
  return 0;
}

TEST(SavePrompt, CaptionIsTheProgramNameOrTheLanguagesFirstEntry) {
  auto s = std::make_unique<UiStrings>(noResources);
  EXPECT_STREQ(savePromptCaption(*s), "Quellon's T900 Torvik");
  const std::string file = "Norsk\r\n1=Quellons T900 Torvik (norsk)\r\n";
  s->setLanguageActive(s->applyLanguageFile(file.data(), file.size()));
  EXPECT_STREQ(savePromptCaption(*s), "Quellons T900 Torvik (norsk)");
  const std::string other = "Svenska\r\n1=\r\n";
  s->applyLanguageFile(other.data(), other.size());
  EXPECT_STREQ(savePromptCaption(*s), "Quellon's T900 Torvik");
}

}  // namespace
}  // namespace torvik
