// Designs handed to the real program from outside: named on its command line, dropped on the
// terminal face, or passed over by a second start. Each is checked by what a Save As writes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"
#include "tests/support/design_files.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;
using testfiles::readAll;
using testfiles::writeAll;

constexpr const char* kSavePromptCaption = "Quellon's T900 Torvik";

class OpenRequests : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Blanks in the folder's name: a quoted path must arrive whole.
    folder_ = std::string(temp) + "torvik gui " + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
    design_ = path("design one.TVX");
    writeAll(design_, testfiles::designFile(4, 9));
  }
  void TearDown() override {
    torvik_.reset();
    second_.reset();
    testfiles::removeTree(folder_);
  }

  std::string path(const char* name) const { return folder_ + "\\" + name; }

  TorvikProcess& start(const std::string& arguments = "") {
    torvik_ = std::make_unique<TorvikProcess>();
    EXPECT_TRUE(torvik_->launch(arguments));
    return *torvik_;
  }

  // Waits for a message box with `caption`, checks that its text begins with `text`, and
  // closes it with `button`.
  void answerBox(const char* caption, const std::string& text, int button = IDOK, const char* shot = nullptr) {
    HWND box = torvik_->waitForWindow("#32770", caption);
    ASSERT_NE(box, nullptr) << "no box \"" << caption << "\" for: " << text;
    EXPECT_EQ(gui::dialogItemText(box, gui::kMessageBoxTextId).substr(0, text.size()), text);
    if (shot != nullptr) torvik_->screenshot(shot);
    gui::clickButton(box, button);
    EXPECT_TRUE(gui::waitUntil([&] { return !IsWindow(box); }));
  }

  std::string saveAs(const char* name) const { return torvik_->saveAs(path(name)); }

  gui::NoIniFile ini_;
  std::unique_ptr<TorvikProcess> torvik_, second_;
  std::string folder_, design_;
};

TEST_F(OpenRequests, TheCommandLineOpensAQuotedPathWithBlanksAsARecentFileOpens) {
  TorvikProcess& torvik = start("\"" + design_ + "\"");
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr) << "no editor and no message";
  EXPECT_TRUE(gui::waitUntil([&] { return ini_.text().find(design_) == 0; })) << "it is the last file";
  EXPECT_EQ(saveAs("copy.TVX"), readAll(design_));
}

TEST_F(OpenRequests, ACommandLineWithoutAReadableDesignSaysWhyAndStartsANewDesign) {
  const struct {
    std::string arguments;
    const char* caption;
    std::string text;
  } cases[] = {
      {"\"" + path("missing.TVX") + "\"", "Error", "Cannot open this file:\r\n\r\n" + path("missing.TVX")},
      {"\"" + folder_ + "\"", "Error", "This is a folder, not a design file:"},
      {design_, "Warning", "Torvik opens one design at a time. Put a path with blanks in quotes."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    start(c.arguments);
    answerBox(c.caption, c.text, IDOK, "open_request_command_line");
    // The new design: a Save As writes the defaults, not the marked file.
    EXPECT_NE(saveAs("new.TVX"), readAll(design_));
    torvik_.reset();
    DeleteFileA(path("new.TVX").c_str());
  }
}

TEST_F(OpenRequests, ADroppedDesignOpensAsOpenDoesAndOtherDropsSayWhyNot) {
  const std::string text = path("notes.txt");
  writeAll(text, "No design.");
  TorvikProcess& torvik = start();
  ASSERT_TRUE(torvik.dropFiles({design_, text}));
  answerBox("Warning", "Torvik opens one design at a time. Please drop a single file.", IDOK, "open_request_drop_two");
  ASSERT_TRUE(torvik.dropFiles({folder_}));
  answerBox("Error", "This is a folder, not a design file:");
  ASSERT_TRUE(torvik.dropFiles({text}));
  answerBox("Error", "Not a Torvik design (*.TVX), template (*.ATX) or older project file:\r\n\r\n" + text,
            IDOK, "open_request_drop_not_design");

  // A modified design is offered for saving first; then the file opens in the editor.
  torvik.command(IDM_EDIT);
  ASSERT_TRUE(torvik.closeEditor(IDOK));
  ASSERT_TRUE(torvik.dropFiles({design_}));
  answerBox(kSavePromptCaption, "Save current program ?", IDNO);
  HWND sheet = torvik.waitForWindow("#32770", "Torvik - [*");
  ASSERT_NE(sheet, nullptr);
  EXPECT_NE(gui::storedText(sheet).find("design one.TVX"), std::string::npos) << gui::storedText(sheet);
  ASSERT_TRUE(torvik.closeEditor());
  EXPECT_EQ(saveAs("copy.TVX"), readAll(design_));
}

TEST_F(OpenRequests, ASecondStartHandsItsFileToTheFirstAndAPlainOneBringsItForward) {
  TorvikProcess& first = start();
  second_ = std::make_unique<TorvikProcess>();
  ASSERT_TRUE(second_->launch("\"" + design_ + "\"", false));
  ASSERT_TRUE(second_->waitForExit(15000)) << "the second start ends";
  EXPECT_EQ(second_->exitCode(), 0u);
  ASSERT_TRUE(first.closeEditor()) << "the first opened the file as Open does";
  EXPECT_EQ(saveAs("copy.TVX"), readAll(design_));

  second_ = std::make_unique<TorvikProcess>();
  ASSERT_TRUE(second_->launch("", false));
  ASSERT_TRUE(second_->waitForExit(15000));
  EXPECT_TRUE(first.running());
  EXPECT_EQ(GetForegroundWindow(), first.mainWindow());
}

}  // namespace
