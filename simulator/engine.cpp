#include "simulator/engine.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "base/string_ids.h"
#include "definition/design_rules.h"
#include "simulator/keypad.h"

namespace torvik {


namespace {

constexpr char kAsterisks[] = "********************";
constexpr int kMainMenuEntries = 4;
constexpr int kMessageTooShort = 2;
constexpr int kMessagePressAnyKey = 5;
constexpr int kRecordActionPassDown = 3;

// A fixed text entry that a loaded file may have left without its NUL.
int boundedLength(const char* text, int limit) {
  int n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return n;
}

bool isInputType(int type) { return isRunInputType(type); }

int nameLimit(std::uint8_t font) { return font != 0 ? 15 : 20; }

}  // namespace

Simulator::Simulator(ApplicationDefinition& def, Clock& clock, SimulatorUi& ui) : def_(def), clock_(clock), ui_(ui) {
  showMainMenu(true);
}

// ---------------------------------------------------------------- LCD lines

void Simulator::clearLcd() {
  for (auto& l : lcd_) std::memset(l, 0, sizeof l);
}

void Simulator::setLine(int i, const char* text) { setEntryLine(i, text, kLcdLineBytes); }

void Simulator::setEntryLine(int i, const char* entry, int width) {
  std::memset(lcd_[i], 0, sizeof lcd_[i]);
  const int n = boundedLength(entry, std::min(width, kLcdLineBytes) - 1);
  std::memcpy(lcd_[i], entry, static_cast<std::size_t>(n));
}

// ---------------------------------------------------------------- key entry

void Simulator::key(int code) {
  if (pending_ && code != lastKey_) {
    commitPending();
    // A refused letter shows its message; this key must not dismiss it unseen.
    if (state_ == ScreenState::Message && code != kKeyDesignApplied) {
      lastKey_ = code;
      return;
    }
  }
  lastKey_ = code;
  if (code == kKeyDesignApplied) {
    utilitiesCount_ = def_.lookup[0].isDefined() ? 8 : 7;
    highlight_ = 1;
    showMainMenu(true);
    return;
  }
  switch (state_) {
    case ScreenState::MainMenu: mainMenuKey(code); break;
    case ScreenState::Upload:
      if (code == kKeyEsc) {
        highlight_ = 2;
        showMainMenu(true);
      }
      break;
    case ScreenState::Utilities: utilitiesKey(code); break;
    case ScreenState::Settings: settingsKey(code); break;
    case ScreenState::UserMenu: menuKey(code); break;
    case ScreenState::Form:
      if (code != kKeyDown) formKey(code);
      break;
    case ScreenState::Message:
      if (messageThenMainMenu_) {
        messageThenMainMenu_ = false;
        highlight_ = 1;
        showMainMenu(true);
      } else {
        state_ = ScreenState::Form;
        showForm();
      }
      break;
  }
}

bool Simulator::timerTick() {
  tick_ = (tick_ + 1) % 10;
  if (pending_) {
    const int before = pendingTicks_++;
    if (before > 5) commitPending();
  }
  return clockLineShown();
}

bool Simulator::toggleAlpha() {
  if (state_ != ScreenState::Form) return false;
  alpha_ = !alpha_;
  ui_.invalidate({kAlphaX, kAlphaY, kAlphaX + 7, kAlphaY + 8});
  return true;
}

void Simulator::returnToMainMenu() {
  highlight_ = 1;
  showMainMenu(true);
}

// ---------------------------------------------------------------- built-in screens

void Simulator::showMainMenu(bool wholeLcd) {
  pending_ = false;
  clearLcd();
  for (int i = 0; i < kMainMenuEntries; ++i) setEntryLine(i, def_.msgMainMenu.entry[i], def_.msgMainMenu.kWidth);
  state_ = ScreenState::MainMenu;
  screen_ = 0;
  alpha_ = false;
  largeSpacing_ = true;
  ui_.invalidate(wholeLcd ? kWholeLcd : kMainMenuText);
}

void Simulator::mainMenuKey(int code) {
  if (code == kKeyEnterLeft || code == kKeyEnterRight) code = highlight_;
  switch (code) {
    case 1: collectData(); break;
    case 2:
      highlight_ = 0;
      showUpload();
      break;
    case 3:
      highlight_ = 1;
      showUtilities();
      break;
    case kKeyUp:
      highlight_ = highlight_ <= 1 ? 3 : highlight_ - 1;
      showMainMenu(false);
      break;
    case kKeyDown:
      highlight_ = highlight_ >= 3 ? 1 : highlight_ + 1;
      showMainMenu(false);
      break;
    default: break;
  }
}

void Simulator::showUpload() {
  pending_ = false;
  clearLcd();
  for (int i = 0; i < 4; ++i) setEntryLine(i, def_.msgConnecting.entry[i], def_.msgConnecting.kWidth);
  state_ = ScreenState::Upload;
  alpha_ = false;
  largeSpacing_ = true;
  ui_.invalidate(kWholeLcd);
}

void Simulator::showUtilities() {
  pending_ = false;
  clearLcd();
  for (int i = 0; i < utilitiesCount_; ++i) setEntryLine(i, def_.msgUtilitiesMenu.entry[i], def_.msgUtilitiesMenu.kWidth);
  state_ = ScreenState::Utilities;
  alpha_ = false;
  largeSpacing_ = false;
  ui_.invalidate(kWholeLcd);
}

void Simulator::utilitiesKey(int code) {
  if (code == kKeyEnterLeft || code == kKeyEnterRight) code = highlight_;
  if (code == 1) {
    highlight_ = 2;
    showSettings();
  } else if (code == kKeyUp) {
    highlight_ = highlight_ <= 1 ? utilitiesCount_ : highlight_ - 1;
    showUtilities();
  } else if (code == kKeyDown) {
    highlight_ = highlight_ >= utilitiesCount_ ? 1 : highlight_ + 1;
    showUtilities();
  } else if (code == kKeyEsc) {
    highlight_ = 3;
    showMainMenu(true);
  }
}

void Simulator::showSettings() {
  pending_ = false;
  clearLcd();
  for (int i = 0; i < kLcdLines; ++i) setEntryLine(i, def_.msgSettingsMenu.entry[i], def_.msgSettingsMenu.kWidth);
  state_ = ScreenState::Settings;
  alpha_ = false;
  largeSpacing_ = false;
  ui_.invalidate(kWholeLcd);
}

void Simulator::settingsKey(int code) {
  const bool back = (code >= 1 && code <= 7) || code == kKeyEnterLeft || code == kKeyEnterRight || code == kKeyEsc;
  if (back) {
    highlight_ = 1;
    showUtilities();
  } else if (code == kKeyUp) {
    highlight_ = highlight_ <= 2 ? 8 : highlight_ - 1;  // line 1 is the title
    showSettings();
  } else if (code == kKeyDown) {
    highlight_ = highlight_ >= 8 ? 2 : highlight_ + 1;
    showSettings();
  }
}

void Simulator::showMessage(const char* text, bool thenMainMenu) {
  pending_ = false;
  setLine(4, kAsterisks);
  setEntryLine(5, text, def_.msgErrors.kWidth);  // an error entry, or a shorter fixed text
  setEntryLine(6, def_.msgErrors.entry[kMessagePressAnyKey - 1], def_.msgErrors.kWidth);
  setLine(7, kAsterisks);
  state_ = ScreenState::Message;
  largeSpacing_ = false;
  messageThenMainMenu_ = thenMainMenu;
  ui_.invalidate(kWholeLcd);
}

// ---------------------------------------------------------------- collect data, targets

void Simulator::collectData() {
  prepareDesign(def_);
  if (def_.systemSettings.startFrom == 0) {
    if (def_.form[0].lastInputLine != 0) {
      openForm(1);
      return;
    }
  } else if (def_.menu[0].itemCount != 0) {
    enterMenu(11);
    return;
  }
  ui_.noExecutableProgram();
}

void Simulator::goTo(int target, Via via) {
  if (target == 0) {
    highlight_ = 1;
    showMainMenu(true);
  } else if (target >= 1 && target <= kFormCount) {
    openForm(target);
  } else if (target >= 11 && target <= 10 + kMenuCount) {
    if (via == Via::Enter)
      enterMenu(target);
    else
      showMenu(target);
  } else {
    // 21 (the Form page's extra "Next" choice) and anything a file may hold name no screen
    // here: say so, and any key leads back to the main menu.
    clearLcd();
    highlight_ = 0;
    showMessage(ui_.text(kStrNoNextScreen), true);
  }
}

// ---------------------------------------------------------------- user menus

void Simulator::enterMenu(int menuNumber) {
  MenuRecord& m = def_.menu[menuNumber - 11];
  m.simSelectedItem = 0;
  m.simReserved = 0;
  showMenu(menuNumber);
}

void Simulator::showMenu(int menuNumber) {
  pending_ = false;
  state_ = ScreenState::UserMenu;
  screen_ = menuNumber;
  largeSpacing_ = false;
  MenuRecord& m = menu();
  const int limit = nameLimit(m.font);
  const int shown = m.itemCount < 8 ? m.itemCount : 8;
  // A file can bring any byte here; only the ten items can be selected.
  if (m.simSelectedItem >= kMenuItems) m.simSelectedItem = 0;
  const int selected = m.simSelectedItem;
  clearLcd();
  char text[kMenuTextChars + 2];
  int first = 0;
  if (m.captionOn != 0) {
    std::memset(text, 0, sizeof text);
    std::memcpy(text, m.caption, static_cast<std::size_t>(boundedLength(m.caption, limit)));
    setLine(0, text);
    first = 1;
  }
  for (int k = 0; k < shown && first + k < kLcdLines; ++k) {
    std::memset(text, 0, sizeof text);
    std::memcpy(text, m.itemName[k], static_cast<std::size_t>(boundedLength(m.itemName[k], limit)));
    setLine(first + k, text);
  }
  highlight_ = selected + first + 1;
  ui_.invalidate(kWholeLcd);
}

void Simulator::menuKey(int code) {
  MenuRecord& m = menu();
  const int count = m.itemCount < kMenuItems ? m.itemCount : kMenuItems;
  const int shown = count < 8 ? count : 8;
  const int selected = m.simSelectedItem;
  if (code == kKeyUp) {
    if (selected >= 1) {
      m.simSelectedItem = static_cast<std::uint8_t>(selected - 1);
      showMenu(screen_);
    }
  } else if (code == kKeyDown) {
    if (selected < shown - 1) {
      m.simSelectedItem = static_cast<std::uint8_t>(selected + 1);
      showMenu(screen_);
    }
  } else if (code == kKeyEnterLeft || code == kKeyEnterRight) {
    // A selection from a file can be any byte; only the ten items have targets.
    if (selected < kMenuItems) goTo(m.itemNext[selected], Via::Enter);
  } else if ((code >= 1 && code <= 9) || code == kKeyZero) {
    const int item = code == kKeyZero ? 10 : code;
    if (item <= count) {
      m.simSelectedItem = static_cast<std::uint8_t>(item - 1);
      goTo(m.itemNext[item - 1], Via::Enter);
    }
  } else if (code == kKeyEsc) {
    goTo(m.escTarget, Via::Escape);
  }
}

// ---------------------------------------------------------------- forms

void Simulator::openForm(int formNumber) {
  state_ = ScreenState::Form;
  screen_ = formNumber;
  largeSpacing_ = false;
  pending_ = false;
  FormRecord& f = form();
  const int width = lineWidth();
  for (int i = 0; i < kLcdLines; ++i) {
    FieldLine& line = lines_[i];
    std::memset(&line, 0, sizeof line);
    std::memset(lcd_[i], 0, sizeof lcd_[i]);
    line.start = line.x = boundedLength(f.prompt[i], width);
    setSignColumn(i);
    if (f.initialOn[i] != 0)
      std::memcpy(line.field, f.initialText[i], static_cast<std::size_t>(boundedLength(f.initialText[i], 9)));
  }
  int current = 0;
  if (!isInputType(f.dataType[0])) {
    for (int i = 1; i < kLcdLines; ++i)
      if (isInputType(f.dataType[i])) {
        current = i;
        break;
      }
  }
  f.simCurrentLine = static_cast<std::uint8_t>(current);
  highlight_ = 0;
  showForm();
}

void Simulator::formKey(int code) {
  FormRecord& f = form();
  if (code >= 1 && code <= 12) {
    if (alpha_)
      multiTap(code);
    else
      typeCharacter(code == kKeyMinus ? '-' : code == kKeyZero ? '0' : code == kKeyDot ? '.' : char('0' + code));
  } else if (code == kKeyBackspace) {
    backspace();
  } else if (code == kKeyUp) {
    formUp();
  } else if (code == kKeyEnterLeft || code == kKeyEnterRight) {
    formEnter();
  } else if (code == kKeyEsc) {
    goTo(f.escTarget, Via::Escape);
  }
}

void Simulator::formUp() {
  FormRecord& f = form();
  int i = f.simCurrentLine % kLcdLines;
  if (i < 1) return;
  while (i > 0 && f.dataType[i] == 12) --i;
  for (--i; i >= 0; --i) {
    if (isInputType(f.dataType[i])) {
      lines_[i].x = lines_[i].start;
      f.simCurrentLine = static_cast<std::uint8_t>(i);
      showForm();
      return;
    }
  }
}

void Simulator::formEnter() {
  FormRecord& f = form();
  const int l = f.simCurrentLine % kLcdLines;
  const int last = f.lastInputLine;
  if (boundedLength(lines_[l].field, kFieldMax) < f.minLength[l]) {
    showMessage(def_.msgErrors.entry[kMessageTooShort - 1], false);
    return;
  }
  if (l < last - 1) {
    for (int i = l + 1; i <= last - 1 && i < kLcdLines; ++i) {
      if (isInputType(f.dataType[i])) {
        lines_[i].x = lines_[i].start;
        f.simCurrentLine = static_cast<std::uint8_t>(i);
        showForm();
        return;
      }
    }
    return;
  }
  completeForm();
}

void Simulator::completeForm() {
  FormRecord& f = form();
  const int target = f.nextTarget;
  if (recordCounter_ < INT32_MAX) ++recordCounter_;
  if (f.recordAction == kRecordActionPassDown) buildLastRecord();
  goTo(target, Via::Enter);
}

// ---------------------------------------------------------------- the last record

namespace {

class RecordWriter {
 public:
  explicit RecordWriter(char (&out)[kLastRecordBytes]) : out_(out) {}
  int length() const { return length_; }
  void put(char c) {
    if (length_ < kLastRecordBytes - 1) out_[length_++] = c;
  }
  void put(const char* text, int n) {
    for (int i = 0; i < n; ++i) put(text[i]);
  }
  void putNumber(const char* format, int value) {
    char text[16];
    const int n = std::snprintf(text, sizeof text, format, value);
    put(text, n);
  }
  void putDelimiters(SystemSettings& s) {
    if (s.dataDelimiter1 != 0) put(static_cast<char>(s.dataDelimiter1));
    if (s.dataDelimiter2 != 0) put(static_cast<char>(s.dataDelimiter2));
  }
  void putCode(const std::uint8_t* code) {
    for (int i = 0; i < kCodeLength && code[i] != 0; ++i) put(static_cast<char>(code[i]));
  }

 private:
  char (&out_)[kLastRecordBytes];
  int length_ = 0;
};

// The date and time stamp, from one reading of the clock.
void appendStamp(RecordWriter& w, FormRecord& f, SystemSettings& settings, const LocalTime& t) {
  if (w.length() > 0) w.putDelimiters(settings);
  struct Part {
    bool on;
    const char* format;
    int value;
  };
  const bool twoDigitYear = f.stampYearDigits == 1;
  const Part year{f.stampYear != 0, twoDigitYear ? "%02d" : "%04d", twoDigitYear ? t.year % 100 : t.year};
  const Part month{f.stampMonth != 0, "%02d", t.month};
  const Part day{f.stampDay != 0, "%02d", t.day};
  Part date[3] = {year, month, day};
  if (f.stampDateStyle == 1) {
    date[0] = month;
    date[1] = day;
    date[2] = year;
  } else if (f.stampDateStyle == 2) {
    date[0] = day;
    date[1] = month;
    date[2] = year;
  }
  const bool dateSeparated = f.stampDateSepOn != 0 && f.stampDateSep[0] != '\0';
  bool written = false;
  for (const Part& p : date) {
    if (!p.on) continue;
    if (written && dateSeparated) w.put(f.stampDateSep[0]);
    w.putNumber(p.format, p.value);
    written = true;
  }
  if (w.length() > 0 && f.stampSplit != 0) w.putDelimiters(settings);
  const Part time[3] = {{f.stampHour != 0, "%02d", t.hour},
                        {f.stampMinute != 0, "%02d", t.minute},
                        {f.stampSecond != 0, "%02d", t.second}};
  const bool timeSeparated = f.stampTimeSepOn != 0 && f.stampTimeSep[0] != '\0';
  written = false;
  for (const Part& p : time) {
    if (!p.on) continue;
    if (written && timeSeparated) w.put(f.stampTimeSep[0]);
    w.putNumber(p.format, p.value);
    written = true;
  }
}

}  // namespace

void Simulator::buildLastRecord() {
  FormRecord& f = form();
  SystemSettings& settings = def_.systemSettings;
  std::memset(lastRecord_, 0, sizeof lastRecord_);
  RecordWriter w(lastRecord_);
  const LocalTime now = clock_.localTime();
  if (f.stampMode == 1) appendStamp(w, f, settings, now);
  const int lineCount = f.font != 0 ? 4 : kLcdLines;
  for (int j = 0; j < lineCount; ++j) {
    const int type = f.dataType[j];
    if (type < 1 || type > 8) continue;
    if (type == 7 && f.initialOn[j] == 0) continue;
    // A line and up to four extension lines: at most 5 x 160 characters.
    char data[kFieldMax * 5] = {};
    const char* source = type == 8 ? f.prompt[j] : lines_[j].field;
    int n = boundedLength(source, type == 8 ? kPromptChars : kFieldMax);
    std::memcpy(data, source, static_cast<std::size_t>(n));
    for (int e = j + 1; e < kLcdLines && e <= j + 4 && f.dataType[e] == 12; ++e) {
      const int m = boundedLength(lines_[e].field, kFieldMax);
      std::memcpy(data + n, lines_[e].field, static_cast<std::size_t>(m));
      n += m;
    }
    if (w.length() > 0) w.putDelimiters(settings);
    if (f.prefixOn[j] != 0) w.putCode(f.prefix[j]);
    if (f.fixedLengthOn[j] != 0) {
      const int want = f.fixedLength[j];
      const int a = f.alignment[j];
      const char pad = a >= 2 ? '0' : ' ';
      const bool padFirst = a == 1 || a == 3;
      if (n >= want) {
        w.put(data, want);
      } else {
        if (padFirst)
          for (int i = n; i < want; ++i) w.put(pad);
        w.put(data, n);
        if (!padFirst)
          for (int i = n; i < want; ++i) w.put(pad);
      }
    } else {
      w.put(data, n);
    }
    if (f.suffixOn[j] != 0) w.putCode(f.suffix[j]);
  }
  if (f.stampMode == 2) appendStamp(w, f, settings, now);
}

// ---------------------------------------------------------------- clock line

void formatCounter(std::int32_t counter, char (&out)[5]) {
  if (counter < 0) counter = 0;
  out[0] = static_cast<char>('0' + counter / 1000);
  out[1] = static_cast<char>('0' + counter / 100 % 10);
  out[2] = static_cast<char>('0' + counter / 10 % 10);
  out[3] = static_cast<char>('0' + counter % 10);
  out[4] = '\0';
}

void formatClockLine(const LocalTime& time, int tick, bool showCounter, std::int32_t counter,
                     char (&out)[kClockLineBytes]) {
  static const char kMonths[12][5] = {"JAN ", "FEB ", "MAR ", "APR ", "MAY ", "JUN ",
                                      "JUL ", "AUG ", "SEP ", "OCT ", "NOV ", "DEC "};
  const int month = time.month >= 1 && time.month <= 12 ? time.month - 1 : 0;
  std::snprintf(out, sizeof out, tick < 5 ? "%s%02d, %02d:%02d  " : "%s%02d, %02d %02d  ", kMonths[month],
                time.day % 100, time.hour % 100, time.minute % 100);
  if (showCounter) {
    char digits[5];
    formatCounter(counter, digits);
    std::memcpy(out + 14, digits, 5);
  }
}

void Simulator::clockLine(char (&out)[kClockLineBytes]) {
  formatClockLine(clock_.localTime(), tick_, def_.systemSettings.separateDataFiles == 0, recordCounter_, out);
}

}  // namespace torvik
