#pragma once
// The simulated terminal: runs a design on an LCD model of 8 text lines, a highlight, a
// text cursor and the alpha state, fed with key codes and 100 ms ticks. The face window
// only paints this model; tests read it directly.
#include <cstdint>

#include "definition/application_definition.h"
#include "base/clock.h"

namespace torvik {

constexpr int kLcdLines = 8;
constexpr int kCodeLength = 10;  // prefix and suffix codes, NUL-ended when shorter
constexpr int kLcdLineBytes = 256;  // a scrolled line may run past the 20 visible columns
constexpr int kFieldBytes = 161;    // 160 characters and a NUL
constexpr int kFieldMax = kFieldBytes - 1;
constexpr int kLastRecordBytes = 405;
constexpr int kClockLineBytes = 32;

enum class ScreenState {
  MainMenu = 10,
  Upload = 500,
  Utilities = 200,
  Settings = 300,
  UserMenu = 100,
  Form = 110,
  Message = 999,
};

// An area of the face, client coordinates, right and bottom exclusive.
struct LcdRect {
  int left, top, right, bottom;
};
constexpr LcdRect kWholeLcd{38, 35, 167, 120};
constexpr LcdRect kMainMenuText{38, 35, 167, 86};
inline LcdRect formLineRect(int r) { return {38, 35 + 10 * r, 167, 50 + 10 * r}; }

// LCD geometry the painter and the engine agree on.
constexpr int kLcdTextX = 39;
constexpr int kLcdTextY = 35;
constexpr int kCellWidth = 6;
constexpr int kCellHeight = 10;
constexpr int kLargeLinePitch = 15;
constexpr int kClockLineX = 39;
constexpr int kClockLineY = 105;
constexpr int kAlphaX = 154;
constexpr int kAlphaY = 90;

// What the engine needs from the window around it.
class SimulatorUi {
 public:
  virtual ~SimulatorUi() = default;
  virtual void invalidate(const LcdRect& area) = 0;
  // Collect data found nothing to run: tell the user, then start a new design.
  virtual void noExecutableProgram() = 0;
  // A UI string (the simulator's own message texts).
  virtual const char* text(int id) = 0;
};

// Run-time state of one form line while the form is shown.
struct FieldLine {
  char field[kFieldBytes];
  int start;   // LCD column where the field begins
  int x;       // start + characters before the cursor; may pass the LCD width
  int scroll;  // characters scrolled out to the left, plus one once scrolling began
  bool sign;   // an auto(+/-) line with its sign column
};

class Simulator {
 public:
  Simulator(ApplicationDefinition& def, Clock& clock, SimulatorUi& ui);

  // One key code from the face (1..23) or 51 from the property sheet.
  void key(int code);
  // The 100 ms timer: blinks the clock line and commits a pending multi-tap letter.
  // Returns true when the clock line is to be drawn.
  bool timerTick();
  // ALPHA on the face: toggles alpha mode on the form screen; returns whether it did.
  bool toggleAlpha();

  // Highlight 1 and the main menu, whole LCD (New, Open, Edit, a language change).
  void returnToMainMenu();
  void setRecordCounter(std::int32_t count) { recordCounter_ = count; }

  // The model.
  ScreenState state() const { return state_; }
  const char* line(int i) const { return lcd_[i]; }
  int highlight() const { return highlight_; }
  bool largeSpacing() const { return largeSpacing_; }
  int linePitch() const { return largeSpacing_ ? kLargeLinePitch : kCellHeight; }
  bool alpha() const { return alpha_; }
  bool cursorShown() const { return state_ == ScreenState::Form; }
  int cursorRow() const { return cursorRow_; }
  int cursorColumn() const { return cursorColumn_; }
  bool pending() const { return pending_; }
  char pendingChar() const { return pendingChar_; }
  bool clockLineShown() const { return state_ == ScreenState::MainMenu; }
  // The clock line as the timer draws it now.
  void clockLine(char (&out)[kClockLineBytes]);

  int screenNumber() const { return screen_; }
  std::int32_t recordCounter() const { return recordCounter_; }
  const char* lastRecord() const { return lastRecord_; }
  const FieldLine& fieldLine(int i) const { return lines_[i]; }
  int utilitiesItemCount() const { return utilitiesCount_; }
  int tickCounter() const { return tick_; }

 private:
  enum class Via { Enter, Escape };

  void showMainMenu(bool wholeLcd);
  void showUpload();
  void showUtilities();
  void showSettings();
  void enterMenu(int menuNumber);
  void showMenu(int menuNumber);
  void openForm(int formNumber);
  void showForm();
  void showMessage(const char* text, bool thenMainMenu);
  void goTo(int target, Via via);
  void collectData();

  void mainMenuKey(int code);
  void utilitiesKey(int code);
  void settingsKey(int code);
  void menuKey(int code);
  void formKey(int code);
  void formEnter();
  void formUp();
  void completeForm();

  // Field input.
  void typeCharacter(char c);
  void backspace();
  void clearField(int l);
  void multiTap(int code);
  void commitPending();
  void drawInputMarks();
  void rebuildLine(int l);
  void spreadPassDown(int l, const char* text);
  void setSignColumn(int l);
  int lineWidth();
  int scrollColumn();
  int fieldMax(int l);
  bool isExtension(int l);

  void buildLastRecord();

  void clearLcd();
  void setLine(int i, const char* text);
  // A message-group entry of `width` bytes: at most width - 1 characters, even when a file
  // left it without its NUL.
  void setEntryLine(int i, const char* entry, int width);
  void repaintLine(int r) { ui_.invalidate(formLineRect(r)); }

  FormRecord& form() { return def_.form[screen_ - 1]; }
  MenuRecord& menu() { return def_.menu[screen_ - 11]; }

  ApplicationDefinition& def_;
  Clock& clock_;
  SimulatorUi& ui_;

  ScreenState state_ = ScreenState::MainMenu;
  int screen_ = 0;
  int highlight_ = 1;
  bool largeSpacing_ = true;
  bool alpha_ = false;
  int utilitiesCount_ = 7;
  int lastKey_ = 0;
  std::int32_t recordCounter_ = 0;
  char lastRecord_[kLastRecordBytes] = {};
  bool messageThenMainMenu_ = false;

  char lcd_[kLcdLines][kLcdLineBytes] = {};
  FieldLine lines_[kLcdLines] = {};
  int cursorRow_ = 0;
  int cursorColumn_ = 0;

  bool pending_ = false;
  char pendingChar_ = 0;
  int pendingKey_ = 0;
  int pendingIndex_ = 0;
  int pendingTicks_ = 0;
  int tick_ = 0;
};


// The main menu's clock line: "JAN 05, 14:07 0012" (the colon blinks with tick >= 5); the
// record counter replaces the end unless the design saves a data file per form.
void formatClockLine(const LocalTime& time, int tick, bool showCounter, std::int32_t counter,
                     char (&out)[kClockLineBytes]);

// The counter as the terminal shows it: four characters, the first one the thousands
// (not reduced modulo 10, so 10,000 shows the character after '9').
void formatCounter(std::int32_t counter, char (&out)[5]);

// Whether a character may be typed into a line of this data type.
bool acceptsCharacter(int dataType, char c);

// The characters a digit key cycles through in alpha mode.
const char* multiTapGroup(int code);

}  // namespace torvik
