// The definition editor driven through the real program: the property sheet's caption and
// buttons, the Form page's corrections and enabling, and what OK and Cancel leave in the file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/gui/editor_helpers.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;

constexpr std::size_t kFileSize = 18954;
constexpr std::size_t kForm1 = 3535;  // the first form record in a project file
constexpr std::size_t kDataType = 29, kPrompt = 37, kInputSource = 205, kMinLength = 213, kMaxLength = 221;

using gui::enabled;
using gui::pageWith;
using gui::typeText;

class Editor : public gui::EditorTest {
 protected:
  void TearDown() override {
    EditorTest::TearDown();
    if (!language_.empty()) DeleteFileA(language_.c_str());
  }

  std::string language_;
};

TEST_F(Editor, TheFormPageCorrectsWhatIsTypedAndEnablesByType) {
  HWND sheet = openEditor(gui::kNewDesignSheet);
  ASSERT_NE(sheet, nullptr);
  HWND page = pageWith(sheet, IDC_FORM_SELECT);
  ASSERT_NE(page, nullptr);
  torvik_->screenshot("editor_form_page");

  // A new design's lines are nil: nothing but the type can be edited.
  const int line1 = 1, line2 = 2, line5 = 5;
  EXPECT_TRUE(enabled(page, IDC_FORM_TYPE_BASE + line1));
  EXPECT_FALSE(enabled(page, IDC_FORM_PROMPT_BASE + line1));
  EXPECT_FALSE(enabled(page, IDC_FORM_MORE_BASE + line1));

  gui::selectComboRow(page, IDC_FORM_TYPE_BASE + line1, 1);  // text
  EXPECT_TRUE(enabled(page, IDC_FORM_PROMPT_BASE + line1));
  EXPECT_TRUE(enabled(page, IDC_FORM_MORE_BASE + line1));
  EXPECT_TRUE(enabled(page, IDC_FORM_MAX_BASE + line1));
  EXPECT_EQ(typeText(page, IDC_FORM_PROMPT_BASE + line1, "ABCDEFGHIJKLMNOPQRSTU"), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(typeText(page, IDC_FORM_PROMPT_BASE + line1, "Article"), "Article");
  EXPECT_EQ(typeText(page, IDC_FORM_MAX_BASE + line1, "95"), "80");
  EXPECT_EQ(typeText(page, IDC_FORM_MIN_BASE + line1, "x"), "0");
  EXPECT_EQ(typeText(page, IDC_FORM_MIN_BASE + line1, "12a"), "0") << "no number";
  EXPECT_EQ(typeText(page, IDC_FORM_MIN_BASE + line1, "012"), "12");

  gui::selectComboRow(page, IDC_FORM_TYPE_BASE + line2, 13);  // pause: prompt and keypad input
  EXPECT_TRUE(enabled(page, IDC_FORM_PROMPT_BASE + line2));
  EXPECT_EQ(SendDlgItemMessageA(page, IDC_FORM_SOURCE_BASE + line2, CB_GETCURSEL, 0, 0), 1);
  gui::selectComboRow(page, IDC_FORM_TYPE_BASE + line2, 12);  // extension: no prompt of its own
  EXPECT_FALSE(enabled(page, IDC_FORM_PROMPT_BASE + line2));

  // The large font takes lines 5 to 8 away at once; the small one gives them back.
  gui::selectComboRow(page, IDC_FORM_FONT, 1);
  EXPECT_FALSE(enabled(page, IDC_FORM_TYPE_BASE + line5));
  gui::selectComboRow(page, IDC_FORM_FONT, 0);
  EXPECT_TRUE(enabled(page, IDC_FORM_TYPE_BASE + line5));
  torvik_->screenshot("editor_form_page_edited");
  gui::closeDialog(sheet, IDOK);

  const std::string bytes = saveAs("edited.TVX");
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_EQ(bytes[kForm1 + kDataType], 1);
  EXPECT_EQ(bytes.substr(kForm1 + kPrompt, 8), std::string("Article\0", 8));
  EXPECT_EQ(bytes[kForm1 + kMinLength], 12);
  EXPECT_EQ(bytes[kForm1 + kMaxLength], 80);
  // The extension line continues the prompt's row: 80 - (20 - 7) characters.
  EXPECT_EQ(bytes[kForm1 + kDataType + 1], 12);
  EXPECT_EQ(bytes[kForm1 + kMaxLength + 1], 80 - (20 - 7));
  EXPECT_EQ(bytes[kForm1 + kInputSource + 1], 2) << "an extension line is reset to both";
}

TEST_F(Editor, TheFormLevelDialogsStoreIntoTheFormAndOkKeepsThem) {
  HWND sheet = openEditor(gui::kNewDesignSheet);
  ASSERT_NE(sheet, nullptr);
  HWND page = pageWith(sheet, IDC_FORM_SELECT);
  ASSERT_NE(page, nullptr);
  gui::selectComboRow(page, IDC_FORM_SELECT, 1);  // form 2

  gui::clickButton(page, IDC_FORM_TIME_STAMP);
  HWND stamp = torvik_->waitForWindow("#32770", "Date & Time Stamp settings");
  ASSERT_NE(stamp, nullptr);
  gui::selectComboRow(stamp, IDC_STAMP_MODE, 2);  // appended to the bottom
  torvik_->screenshot("editor_time_stamp");
  gui::closeDialog(stamp, IDOK);

  gui::clickButton(page, IDC_FORM_BRANCH);
  HWND branch = torvik_->waitForWindow("#32770", "Branch");
  ASSERT_NE(branch, nullptr);
  gui::selectComboRow(branch, IDC_BRANCH_ACTION_FIRST + 1, 3);  // FN+2 goes to form 3
  torvik_->screenshot("editor_branch");
  gui::closeDialog(branch, IDOK);

  // A Branch cancelled after a change keeps what its OK stored before.
  gui::clickButton(page, IDC_FORM_BRANCH);
  branch = torvik_->waitForWindow("#32770", "Branch");
  ASSERT_NE(branch, nullptr);
  gui::selectComboRow(branch, IDC_BRANCH_ACTION_FIRST + 1, 5);
  gui::closeDialog(branch, IDCANCEL);
  gui::closeDialog(sheet, IDOK);

  const std::string bytes = saveAs("extras.TVX");
  ASSERT_EQ(bytes.size(), kFileSize);
  const std::size_t form2 = kForm1 + 1215;
  EXPECT_EQ(bytes[form2 + 3], 2) << "stamp mode";
  EXPECT_EQ(bytes[form2 + 1023 + 1], 3) << "FN+2 branch";
  EXPECT_EQ(bytes[kForm1 + 3], 0) << "form 1 untouched";
}

TEST_F(Editor, CancelLeavesTheDesignAsItWasAndShowingStoresNothing) {
  const std::string before = saveAs("before.TVX");
  HWND sheet = openEditor();
  ASSERT_NE(sheet, nullptr);
  // A saved design's caption names its file.
  const std::string caption = gui::windowText(sheet);
  EXPECT_EQ(caption.rfind("Torvik - [ ", 0), 0u) << caption;
  EXPECT_NE(caption.find("before"), std::string::npos) << caption;
  HWND page = pageWith(sheet, IDC_FORM_SELECT);
  ASSERT_NE(page, nullptr);
  gui::selectComboRow(page, IDC_FORM_TYPE_BASE + 1, 2);
  typeText(page, IDC_FORM_PROMPT_BASE + 1, "Count");
  gui::selectComboRow(page, IDC_FORM_SELECT, 3);  // another form shown and left
  gui::closeDialog(sheet, IDCANCEL);
  EXPECT_EQ(saveAs("after_cancel.TVX"), before);

  // Displaying every form and pressing OK writes only what the OK rules write.
  sheet = openEditor();
  ASSERT_NE(sheet, nullptr);
  page = pageWith(sheet, IDC_FORM_SELECT);
  for (int f = 0; f < 10; ++f) gui::selectComboRow(page, IDC_FORM_SELECT, f);
  gui::closeDialog(sheet, IDOK);
  EXPECT_EQ(saveAs("after_ok.TVX"), before);
}

TEST_F(Editor, ShowingEveryPageAndPressingOkChangesNoByte) {
  const std::string before = saveAs("shown_before.TVX");
  HWND sheet = openEditor();
  ASSERT_NE(sheet, nullptr);
  for (int page = 0; page < 6; ++page) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    EXPECT_TRUE(gui::waitUntil([&] { return SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) != 0; })) << page;
  }
  gui::closeDialog(sheet, IDOK);
  const std::string after = saveAs("shown_after.TVX");
  ASSERT_EQ(after.size(), before.size());
  std::string changed;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (after[i] != before[i] && changed.size() < 200) changed += std::to_string(i) + " ";
  // Only the apply rules write: the Barcode page's OK makes byte 22 bit 4 follow Code 128, which a
  // new design has on without that copy.
  constexpr std::size_t kCode128Byte = 12 + 22;
  EXPECT_EQ(changed, std::to_string(kCode128Byte) + " ") << "offsets whose bytes changed";
  EXPECT_EQ(static_cast<unsigned char>(after[kCode128Byte]), static_cast<unsigned char>(before[kCode128Byte]) | 0x10u);
}

TEST_F(Editor, OkMarksTheDesignModifiedAndTheSavePromptSpeaksTheLanguage) {
  torvik_.reset();
  language_ = testfiles::programFolder() + "torvik_gui_editor.lng";
  testfiles::writeAll(language_, "Testsprache\r\n1=Mein Programm\r\n2=Torvik DE\r\n3=Neue Datei\r\n51=Formular\r\n"
                                 "1131=Programm speichern ?\r\n661=Tastatur :\r\n");
  gui::NoIniFile ini;
  ASSERT_TRUE(ini.write("Unknow\r1\r1\r1\r0\r0\r0\rTestsprache\r1\r"));
  torvik_ = std::make_unique<TorvikProcess>();
  ASSERT_TRUE(torvik_->start());

  HWND sheet = openEditor("Torvik DE - [ Neue Datei ]");
  ASSERT_NE(sheet, nullptr);
  // The wedge dialog's label takes the language's text; its type list keeps its choice.
  HWND settings = showPage(4, IDC_SET_WEDGE);
  ASSERT_NE(settings, nullptr);
  HWND wedge = openDialog(settings, IDC_SET_WEDGE, "Keyboard Wedge Settings");
  ASSERT_NE(wedge, nullptr);
  EXPECT_EQ(gui::dialogItemText(wedge, IDC_WEDGE_TYPE_LABEL), "Tastatur :");
  EXPECT_EQ(gui::dialogItemText(wedge, IDC_WEDGE_TYPE), "PCAT (USA)");
  gui::closeDialog(wedge, IDCANCEL);
  gui::closeDialog(sheet, IDOK);
  // The design is modified now: New asks first, in the language's words.
  torvik_->command(IDM_NEW);
  HWND box = torvik_->waitForWindow("#32770", "Mein Programm");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId), "Programm speichern ?");
  gui::clickButton(box, IDNO);
  // New opens the editor on the new design.
  sheet = torvik_->waitForWindow("#32770", "Torvik DE - [ Neue Datei ]");
  ASSERT_NE(sheet, nullptr);
  gui::closeDialog(sheet, IDCANCEL);
}

}  // namespace
