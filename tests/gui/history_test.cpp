// Undo, Redo and the recovery of unsaved work, through the real program: edits made in the
// editor, taken back and forth, and a program killed in the middle of its work.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/gui/editor_helpers.h"
#include "tests/support/win32_files.h"

namespace {

constexpr std::size_t kForm1 = 3535;
constexpr std::size_t kPrompt = 37;  // line 1's prompt within a form record
constexpr char kSavePromptCaption[] = "Quellon's T900 Torvik";
constexpr int kSettingsPage = 4;

class History : public gui::EditorTest {
 protected:
  // One editor session: form 1's line 1 becomes a text line with `prompt`, then OK.
  void editPrompt(const char* prompt) {
    HWND page = openPage(0, IDC_FORM_SELECT);
    ASSERT_NE(page, nullptr);
    gui::selectComboRow(page, IDC_FORM_TYPE_BASE + 1, 1);
    gui::typeText(page, IDC_FORM_PROMPT_BASE + 1, prompt);
    closeSheet(IDOK);
    // Answered once the program is back in its message loop, the step recorded and kept.
    DWORD_PTR ignored;
    SendMessageTimeoutA(torvik_->mainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  }

  std::string promptIn(const std::string& bytes) const {
    return bytes.size() > kForm1 + kPrompt ? std::string(bytes.c_str() + kForm1 + kPrompt) : "<no file>";
  }

  // The box the program shows when its last run left unsaved work, or nullptr.
  HWND recoveryQuestion() const { return torvik_->waitForWindow("#32770", kSavePromptCaption, 5000); }

  // Kills the program and starts it again on what it left behind.
  void crashAndRestart() {
    torvik_->kill();
    torvik_ = std::make_unique<gui::TorvikProcess>();
    torvik_->keepRecoveryFile();
    // The question comes while the window is up, so the start waits for it as usual.
    ASSERT_TRUE(torvik_->start());
  }
};

TEST_F(History, UndoAndRedoRestoreTheDesignByteForByte) {
  const std::string before = saveAs("before");
  editPrompt("Article");
  const std::string after = saveAs("after");
  ASSERT_EQ(promptIn(after), "Article");
  // The popup names the step (another process cannot read a menu's texts: the picture shows it).
  // Right after a dialog has closed, a click may come before the face takes clicks again.
  HWND menu = nullptr;
  for (int attempt = 0; attempt < 5 && menu == nullptr; ++attempt) {
    gui::rightClick(torvik_->client(), 40, 300);
    menu = torvik_->waitForWindow("#32768", nullptr, 2000);
  }
  ASSERT_NE(menu, nullptr);
  torvik_->screenshot("popup_undo");
  torvik_->key(VK_ESCAPE);
  EXPECT_TRUE(gui::waitUntil([&] { return torvik_->popupMenu() == nullptr; }));
  torvik_->command(IDM_UNDO);
  EXPECT_EQ(saveAs("undone"), before);
  torvik_->command(IDM_REDO);
  EXPECT_EQ(saveAs("redone"), after);
  torvik_->command(IDM_UNDO);
  EXPECT_EQ(saveAs("undone_again"), before);
  torvik_->command(IDM_UNDO);  // nothing more to undo: nothing happens
  EXPECT_EQ(saveAs("still_undone"), before);
}

// Undoing back to the saved design leaves nothing unsaved, so New asks nothing.
TEST_F(History, ThreeEditsAndThreeUndosLeaveNothingToSave) {
  for (const char* prompt : {"One", "Two", "Three"}) editPrompt(prompt);
  for (int i = 0; i < 3; ++i) torvik_->command(IDM_UNDO);
  torvik_->command(IDM_NEW);
  sheet_ = torvik_->waitForWindow("#32770", gui::kNewDesignSheet);
  ASSERT_NE(sheet_, nullptr);
  EXPECT_EQ(torvik_->findWindow("#32770", kSavePromptCaption), nullptr) << "no \"Save current program ?\"";
  closeSheet(IDCANCEL);

  // One undo short of the saved design: New asks.
  editPrompt("Four");
  editPrompt("Five");
  torvik_->command(IDM_UNDO);
  torvik_->command(IDM_NEW);
  HWND ask = torvik_->waitForWindow("#32770", kSavePromptCaption);
  ASSERT_NE(ask, nullptr);
  gui::closeDialog(ask, IDCANCEL);
}

TEST_F(History, AResetOfTheSettingsPageIsUndone) {
  HWND page = openPage(kSettingsPage, IDC_SET_BAUD_RATE);
  ASSERT_NE(page, nullptr);
  gui::selectComboRow(page, IDC_SET_BAUD_RATE, 3);
  closeSheet(IDOK);
  const std::string chosen = saveAs("chosen");
  page = openPage(kSettingsPage, IDC_SET_BAUD_RATE);
  ASSERT_NE(page, nullptr);
  gui::clickButton(page, IDC_SET_RESET);
  closeSheet(IDOK);
  ASSERT_NE(saveAs("reset"), chosen);
  torvik_->command(IDM_UNDO);
  EXPECT_EQ(saveAs("undone"), chosen);
}

TEST_F(History, UnsavedWorkComesBackAfterACrash) {
  const std::string saved = saveAs("shop");
  editPrompt("Recovered");
  crashAndRestart();
  HWND ask = recoveryQuestion();
  ASSERT_NE(ask, nullptr);
  const std::string question = gui::dialogItemText(ask, gui::kMessageBoxTextId);
  EXPECT_EQ(question.rfind("Torvik did not close properly. Restore the unsaved changes to ", 0), 0u) << question;
  EXPECT_NE(question.find("shop."), std::string::npos) << question;
  torvik_->screenshot("recovery_question");
  gui::closeDialog(ask, IDYES);

  // The design is the edited one, still unsaved, and Save writes it to its own file.
  torvik_->command(IDM_NEW);
  HWND save = torvik_->waitForWindow("#32770", kSavePromptCaption);
  ASSERT_NE(save, nullptr) << "the restored design counts as modified";
  gui::closeDialog(save, IDCANCEL);
  torvik_->command(IDM_SAVE);
  ASSERT_TRUE(gui::waitUntil([&] { return promptIn(testfiles::readAll(path("shop.TVX"))) == "Recovered"; }));
  EXPECT_TRUE(gui::waitUntil([&] { return testfiles::readAll(gui::recoveryFilePath()) == "<missing>"; }))
      << "saved: nothing left to recover";
  EXPECT_EQ(promptIn(saved), "");
}

TEST_F(History, NoDropsTheUnsavedWorkAndADamagedFileIsNeverLoaded) {
  editPrompt("Dropped");
  crashAndRestart();
  HWND ask = recoveryQuestion();
  ASSERT_NE(ask, nullptr);
  gui::closeDialog(ask, IDNO);
  EXPECT_TRUE(gui::waitUntil([&] { return testfiles::readAll(gui::recoveryFilePath()) == "<missing>"; }));
  EXPECT_EQ(promptIn(saveAs("new")), "") << "the new design, as at any start";

  // A recovery file cut short: a message, then the usual start.
  editPrompt("Damaged");
  const std::string whole = testfiles::readAll(gui::recoveryFilePath());
  ASSERT_GT(whole.size(), 100u);
  torvik_->kill();
  testfiles::writeAll(gui::recoveryFilePath(), whole.substr(0, whole.size() / 2));
  torvik_ = std::make_unique<gui::TorvikProcess>();
  torvik_->keepRecoveryFile();
  ASSERT_TRUE(torvik_->start());
  HWND warning = torvik_->waitForWindow("#32770", "Warning");
  ASSERT_NE(warning, nullptr);
  EXPECT_NE(gui::dialogItemText(warning, gui::kMessageBoxTextId).find("cannot be restored"), std::string::npos);
  torvik_->screenshot("recovery_refused");
  gui::closeDialog(warning, IDOK);
  EXPECT_EQ(promptIn(saveAs("after_damage")), "");
}

}  // namespace
