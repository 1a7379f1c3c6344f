// A design loaded at start-up, tried on the terminal face with the mouse: the program
// preloads the last file named in its INI file, and the test clicks keys and reads the LCD
// back from the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "definition/application_definition.h"
#include "tests/gui/driver.h"
#include "tests/support/win32_files.h"

namespace {

using gui::TorvikProcess;
using torvik::ApplicationDefinition;

constexpr COLORREF kLcdColour = RGB(174, 188, 160);
constexpr COLORREF kHighlightColour = RGB(40, 48, 40);
constexpr COLORREF kCursorColour = RGB(70, 80, 66);

// The field was zeroed: copying up to N - 1 characters leaves its NUL in place.
template <std::size_t N>
void put(char (&field)[N], const char* text) {
  for (std::size_t i = 0; i + 1 < N && text[i] != '\0'; ++i) field[i] = text[i];
}

// Form 1 asks for an item code with an input mark and a quantity; the main menu and the
// error texts are the terminal's usual ones.
std::string stockCountDesign() {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0, sizeof *def);
  put(def->versionTag, "T900RU004");
  def->systemSettings.schemaRevision = 4;
  put(def->msgMainMenu.entry[0], "1.Collect data ");
  put(def->msgMainMenu.entry[1], "2.Upload data  ");
  put(def->msgMainMenu.entry[2], "3.Utilities    ");
  put(def->msgErrors.entry[0], "Data type is wrong! ");
  put(def->msgErrors.entry[1], "Data is too short!");
  put(def->msgErrors.entry[4], "Press any key");
  torvik::FormRecord& f = def->form[0];
  f.dataType[0] = 1;
  put(f.prompt[0], "Item:");
  f.maxLength[0] = 8;
  f.minLength[0] = 2;
  f.inputMark[0] = '_';
  f.dataType[1] = 2;
  put(f.prompt[1], "Qty:");
  f.maxLength[1] = 4;
  std::string bytes(reinterpret_cast<const char*>(def.get()), sizeof *def);
  bytes.append(100, '\0');
  return bytes;
}


// Pixels of an LCD cell (form row, column) that are not `colour`.
int cellPixelsOtherThan(HWND client, int row, int column, COLORREF colour) {
  int n = 0;
  for (int y = 36 + 10 * row; y < 46 + 10 * row; ++y)
    for (int x = 39 + 6 * column; x < 45 + 6 * column; ++x) n += gui::screenPixel(client, x, y) != colour ? 1 : 0;
  return n;
}

bool cursorAt(HWND client, int row, int column) {
  return gui::waitUntil([&] { return cellPixelsOtherThan(client, row, column, kCursorColour) < 15; }, 5000);
}

class FaceWithDesign : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    design_ = std::string(temp) + "torvik_face_design.TVX";
    testfiles::writeAll(design_, stockCountDesign());
    // Last file, then the preferences with auto-preload on.
    ASSERT_TRUE(ini_.write(design_ + "\r1\r1\r1\r0\r1\r0\r0\r1\r"));
  }
  void TearDown() override {
    torvik_.reset();
    DeleteFileA(design_.c_str());
  }
  HWND start() {
    torvik_ = std::make_unique<TorvikProcess>();
    EXPECT_TRUE(torvik_->start());
    return torvik_->client();
  }
  void click(int x, int y) {
    gui::leftClick(torvik_->client(), x, y);
    SendMessageA(torvik_->client(), WM_NULL, 0, 0);
  }

  gui::NoIniFile ini_;
  std::unique_ptr<TorvikProcess> torvik_;
  std::string design_;
};

constexpr int kEnter[2] = {55, 215};
constexpr int kKey[13][2] = {{0, 0},     {60, 305},  {100, 305}, {140, 305}, {60, 333},  {100, 333}, {140, 333},
                             {60, 360},  {100, 360}, {140, 360}, {60, 388},  {100, 388}, {140, 388}};
constexpr int kEsc[2] = {60, 280};

TEST_F(FaceWithDesign, AFormOfALoadedDesignIsFilledInWithTheMouse) {
  HWND client = start();
  ASSERT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, 152, 41) == kHighlightColour; }));
  click(kKey[1][0], kKey[1][1]);  // Collect data
  ASSERT_TRUE(cursorAt(client, 0, 5));
  EXPECT_GT(cellPixelsOtherThan(client, 0, 1, kLcdColour), 0);  // the prompt
  click(kKey[4][0], kKey[4][1]);
  EXPECT_TRUE(cursorAt(client, 0, 6));
  click(kEnter[0], kEnter[1]);  // one character is too short
  EXPECT_TRUE(gui::waitUntil([&] { return cellPixelsOtherThan(client, 0, 6, kCursorColour) > 50; }));
  torvik_->screenshot("face_design_too_short");
  click(kEsc[0], kEsc[1]);  // any key returns with the data kept
  EXPECT_TRUE(cursorAt(client, 0, 6));
  click(kKey[2][0], kKey[2][1]);
  EXPECT_TRUE(cursorAt(client, 0, 7));
  torvik_->screenshot("face_design_form");
  click(kEnter[0], kEnter[1]);
  EXPECT_TRUE(cursorAt(client, 1, 4));
  click(kKey[7][0], kKey[7][1]);
  EXPECT_TRUE(cursorAt(client, 1, 5));
  EXPECT_GT(cellPixelsOtherThan(client, 1, 4, kCursorColour), 0);  // the 7
  click(kEnter[0], kEnter[1]);  // the form is complete: back to the main menu
  EXPECT_TRUE(gui::waitUntil([&] { return gui::screenPixel(client, 152, 41) == kHighlightColour; }));
  torvik_->screenshot("face_design_done");
}

}  // namespace
