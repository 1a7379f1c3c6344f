#pragma once
// What the definition editor's GUI tests do to the program: a fresh program and scratch folder
// for every test, the editor's sheet and its pages, combo, edit and check box work, closing
// dialogs, and Save As with the saved bytes read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"
#include "tests/gui/link_helpers.h"

namespace gui {

// The sheet's caption on a new design, and on any design (a saved one names its file).
constexpr const char* kNewDesignSheet = "Torvik - [ New file ]";
constexpr const char* kAnyDesignSheet = "Torvik - [*";

// The page of the sheet that holds control `id`, or nullptr.
HWND pageWith(HWND sheet, int id);
// Types a whole text into an edit (its owner hears EN_CHANGE) and reads back what it shows.
std::string typeText(HWND dialog, int id, const char* text);
bool checked(HWND dialog, int id);
bool enabled(HWND dialog, int id);
// Presses a dialog's button and expects the dialog to be gone soon.
void closeDialog(HWND dialog, int button);

// Starts Torvik for each test in a scratch folder of its own, removed afterwards.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string path(const std::string& name) const { return folder_ + "\\" + name; }

  // Opens the editor by its command; remembers and returns the sheet.
  HWND openEditor(const char* caption = kAnyDesignSheet);
  // Shows the sheet's page `index` and waits until it holds control `controlId`.
  HWND showPage(int index, int controlId) const;
  // Both at once; nullptr when either does not come.
  HWND openPage(int index, int controlId, const char* caption = kAnyDesignSheet);
  void closeSheet(int button) const { closeDialog(sheet_, button); }
  // Presses a button and waits for the dialog it opens.
  HWND openDialog(HWND dialog, int button, const char* title) const;
  // A change that brings up a message box blocks whoever sent it, so this types from a thread
  // of its own and returns once the text is taken or a "Warning" box is up.
  void typeTextOrWarning(HWND dialog, int id, const char* text) const;

  // Save As `name` in the scratch folder; the saved file's bytes. Without an extension the
  // program adds ".TVX".
  std::string saveAs(const std::string& name) const;

  std::unique_ptr<TorvikProcess> torvik_;
  HWND sheet_ = nullptr;
  std::string folder_;
};

}  // namespace gui
