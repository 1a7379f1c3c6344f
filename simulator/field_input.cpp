// The form screen: drawing a form's lines, and what the digit keys and BS do to the field
// under the cursor.
#include <cstring>

#include "simulator/engine.h"
#include "simulator/keypad.h"

namespace torvik {


namespace {

constexpr int kTypeAuto = 5;
constexpr int kTypeCounter = 10;
constexpr int kTypePassDown = 11;
constexpr int kTypeExtension = 12;
constexpr int kMaxExtensionLines = 4;
constexpr int kMessageWrongType = 1;  // the first error message

int boundedLength(const char* text, int limit) {
  int n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return n;
}

int lcdLength(const char* line) { return boundedLength(line, kLcdLineBytes - 1); }

// Writes c at column `column`, padding with blanks up to it.
void putAt(char* line, int column, char c) {
  if (column < 0 || column >= kLcdLineBytes - 1) return;
  for (int i = lcdLength(line); i < column; ++i) line[i] = ' ';
  line[column] = c;
}

void endAt(char* line, int column) {
  if (column >= 0 && column < kLcdLineBytes)
    std::memset(line + column, 0, static_cast<std::size_t>(kLcdLineBytes - column));
}

void append(char* line, const char* text) {
  int n = lcdLength(line);
  for (int i = 0; text[i] != '\0' && n < kLcdLineBytes - 1; ++i) line[n++] = text[i];
}

}  // namespace

bool acceptsCharacter(int dataType, char c) {
  const bool digit = c >= '0' && c <= '9';
  switch (dataType) {
    case 1:
    case kTypeExtension: return true;
    case 2:
    case 3: return digit;
    case 4: return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    case kTypeAuto: return digit || c == '.';
    case 6: return c != '\0' && std::strchr("01YNTFynft", c) != nullptr;
    default: return false;
  }
}

const char* multiTapGroup(int code) {
  static const char* const kGroups[13] = {"", " ", "ABC", "DEF", "GHI", "JKL", "MNO",
                                          "PQRS", "TUV", "WXYZ", "+$", "/*", "%#"};
  return code >= 1 && code <= 12 ? kGroups[code] : "";
}

int Simulator::lineWidth() { return form().font != 0 ? 15 : 20; }
int Simulator::scrollColumn() { return form().font != 0 ? 11 : 15; }

// maxLength comes from a file and may exceed what a field buffer holds.
int Simulator::fieldMax(int l) {
  const int m = form().maxLength[l];
  return m < kFieldMax ? m : kFieldMax;
}

bool Simulator::isExtension(int l) { return l >= 0 && l < kLcdLines && form().dataType[l] == kTypeExtension; }

void Simulator::setSignColumn(int l) {
  FormRecord& f = form();
  FieldLine& line = lines_[l];
  const int width = lineWidth();
  const int p = boundedLength(f.prompt[l], width);
  const int m = fieldMax(l);
  line.sign = f.dataType[l] == kTypeAuto && p + 2 * m + 1 <= width;
  line.start = line.x = line.sign ? p + m + 1 : p;
}

// Prompt, sign column and the visible part of the field.
void Simulator::rebuildLine(int l) {
  FormRecord& f = form();
  FieldLine& line = lines_[l];
  char text[kPromptChars + 1] = {};
  std::memcpy(text, f.prompt[l], static_cast<std::size_t>(boundedLength(f.prompt[l], lineWidth())));
  setLine(l, text);
  if (line.sign) {
    const char sign = f.lookupField[l] >= 9 && f.lookupField[l] <= 24 ? '+' : ' ';
    putAt(lcd_[l], line.start - 1, sign);
    endAt(lcd_[l], line.start);
  }
  const int from = line.scroll > 0 ? line.scroll - 1 : 0;
  if (from < boundedLength(line.field, kFieldMax)) append(lcd_[l], line.field + from);
}

void Simulator::spreadPassDown(int l, const char* text) {
  FormRecord& f = form();
  const int width = lineWidth();
  FieldLine& line = lines_[l];
  std::memset(line.field, 0, sizeof line.field);
  int n = boundedLength(text, kFieldMax);
  while (n > 0 && text[n - 1] == ' ') --n;
  std::memcpy(line.field, text, static_cast<std::size_t>(n));
  line.x = line.start;
  for (int e = l + 1; e < kLcdLines && f.dataType[e] == kTypeExtension; ++e)
    std::memset(lines_[e].field, 0, sizeof lines_[e].field);
  const int room = width - line.start;
  if (n <= room) return;
  line.field[room] = '\0';
  const char* rest = text + room;
  int left = n - room;
  for (int e = l + 1; left > 0 && e < kLcdLines && f.dataType[e] == kTypeExtension; ++e) {
    const int take = left < width ? left : width;
    std::memcpy(lines_[e].field, rest, static_cast<std::size_t>(take));
    rest += take;
    left -= take;
  }
}

void Simulator::showForm() {
  FormRecord& f = form();
  const int last = f.lastInputLine;
  const int width = lineWidth();
  for (int i = 0; i < kLcdLines; ++i) {
    const int type = f.dataType[i];
    FieldLine& line = lines_[i];
    if (i >= last && type == 0) {
      std::memset(lcd_[i], 0, sizeof lcd_[i]);
      continue;
    }
    if (type == kTypeCounter) {
      char counter[5];
      formatCounter(recordCounter_, counter);
      std::memset(line.field, 0, sizeof line.field);
      std::memcpy(line.field, counter, sizeof counter);
    } else if (type == kTypePassDown) {
      // Cut a copy: the last record itself stays whole for forms with more room.
      const int limit = (f.font != 0 ? 60 : 160) - boundedLength(f.prompt[i], width);
      char text[kFieldBytes] = {};
      const int n = boundedLength(lastRecord_, limit > 0 ? limit : 0);
      std::memcpy(text, lastRecord_, static_cast<std::size_t>(n < kFieldMax ? n : kFieldMax));
      spreadPassDown(i, text);
    }
    rebuildLine(i);
  }
  const int l = f.simCurrentLine % kLcdLines;
  f.simCurrentLine = static_cast<std::uint8_t>(l);
  const FieldLine& current = lines_[l];
  cursorRow_ = l;
  cursorColumn_ = current.x;
  if (current.scroll > 0 && current.x > current.start) {
    // A scrolled field shows its newest character in the cursor cell.
    cursorColumn_ = current.x - current.scroll;
    if (cursorColumn_ < current.start) cursorColumn_ = current.start;
  }
  drawInputMarks();
  ui_.invalidate(kWholeLcd);
}

void Simulator::drawInputMarks() {
  FormRecord& f = form();
  const int l = cursorRow_;
  const char mark = static_cast<char>(f.inputMark[l]);
  if (mark == 0) return;
  const int width = lineWidth();
  const FieldLine& line = lines_[l];
  const int room = width - line.start;
  const int m = fieldMax(l);
  const int end = line.start + (room < m ? room : m) - 1;
  const int from = lcdLength(lcd_[l]);
  if (from <= end) {
    for (int c = from; c <= end; ++c) putAt(lcd_[l], c, mark);
    endAt(lcd_[l], end + 1);
  }
  for (int e = l + 1; e < kLcdLines && e <= l + kMaxExtensionLines && isExtension(e); ++e) {
    const int me = fieldMax(e);
    const int extEnd = (me < width ? me : width) - 1;
    for (int c = lcdLength(lcd_[e]); c <= extEnd; ++c) putAt(lcd_[e], c, mark);
  }
}

void Simulator::clearField(int l) {
  FieldLine& line = lines_[l];
  line.scroll = 0;
  std::memset(line.field, 0, sizeof line.field);
  setSignColumn(l);
  if (l == cursorRow_) cursorColumn_ = line.start;
  rebuildLine(l);
  if (l == cursorRow_) drawInputMarks();
  repaintLine(l);
}

void Simulator::typeCharacter(char c) {
  FormRecord& f = form();
  const int l = f.simCurrentLine % kLcdLines;
  FieldLine& line = lines_[l];
  if (!acceptsCharacter(f.dataType[l], c)) {
    showMessage(def_.msgErrors.entry[kMessageWrongType - 1], false);
    return;
  }
  const int m = fieldMax(l);
  if (m <= 0) return;  // a field of no length takes nothing
  const int t = scrollColumn();

  if (line.field[0] != '\0' && line.x == line.start) {
    // Typing at the start of a filled field starts it again, with its extension lines.
    for (int e = l + 1; e < kLcdLines && e <= l + kMaxExtensionLines && isExtension(e); ++e) {
      std::memset(&lines_[e], 0, sizeof lines_[e]);
      std::memset(lcd_[e], 0, sizeof lcd_[e]);
    }
    clearField(l);
    if (f.inputMark[l] == 0) ui_.invalidate(kWholeLcd);
    for (int e = l; e < kLcdLines && e <= l + kMaxExtensionLines; ++e) repaintLine(e);
    cursorColumn_ = line.start;
  }

  const int e = line.start + m - 1;
  const int index = line.x > e ? line.x - line.start - 1 : line.x - line.start;
  if (index >= 0 && index < kFieldMax) line.field[index] = c;

  if (line.x < e) {
    if (line.x < t) {
      putAt(lcd_[l], line.x, c);
      ++line.x;
      ++cursorColumn_;
    } else if (l + 1 < kLcdLines && isExtension(l + 1)) {
      f.simCurrentLine = static_cast<std::uint8_t>(l + 1);
      showForm();
      return;
    } else {
      ++line.x;
      ++line.scroll;
      rebuildLine(l);
      if (f.inputMark[l] != 0) putAt(lcd_[l], lcdLength(lcd_[l]), static_cast<char>(f.inputMark[l]));
    }
  } else {
    if (line.x == e) {
      ++line.x;
      ++line.scroll;
    }
    const int length = lcdLength(lcd_[l]);
    int column = length;
    if (length > t) column = t;
    if (length > e) column = e;
    putAt(lcd_[l], column, c);
    endAt(lcd_[l], column + 1);
  }
  repaintLine(l);
}

void Simulator::backspace() {
  FormRecord& f = form();
  const int l = f.simCurrentLine % kLcdLines;
  FieldLine& line = lines_[l];
  const char mark = static_cast<char>(f.inputMark[l]);
  const int e = line.start + fieldMax(l) - 1;
  auto cut = [&](int index) {
    if (index >= 0 && index < kFieldMax) line.field[index] = '\0';
  };
  auto eraseCell = [&] {
    if (mark != 0)
      putAt(lcd_[l], line.x, mark);
    else
      endAt(lcd_[l], lcdLength(lcd_[l]) - 1);
  };
  // At the field's start column (Up and Enter put it there, keeping the scroll) there is
  // nothing before the cursor: stepping back would write over the prompt.
  if (line.scroll > 0 && line.x > line.start) {
    --line.scroll;
    --line.x;
    cut(line.x - line.start);
    rebuildLine(l);
    if (mark != 0) putAt(lcd_[l], lcdLength(lcd_[l]), mark);
  } else if (line.x > line.start) {
    if (line.x >= e) {
      const int index = line.x - line.start;
      if (index >= kFieldMax || line.field[index] == '\0') {
        --line.x;
        --cursorColumn_;
      }
    } else {
      --line.x;
      --cursorColumn_;
    }
    cut(line.x - line.start);
    eraseCell();
  } else {
    if (l > 0 && isExtension(l)) {
      FieldLine& above = lines_[l - 1];
      const int n = boundedLength(above.field, kFieldMax);
      if (n > 0) above.field[n - 1] = '\0';
      f.simCurrentLine = static_cast<std::uint8_t>(l - 1);
      showForm();
    }
    return;
  }
  repaintLine(l);
}

void Simulator::multiTap(int code) {
  const char* group = multiTapGroup(code);
  const int n = static_cast<int>(std::strlen(group));
  if (n == 0) return;
  pendingTicks_ = 0;
  // Cycle within the key's own group: the blank key has only one character.
  pendingIndex_ = pending_ ? (pendingIndex_ + 1) % n : 0;
  pendingKey_ = code;
  pendingChar_ = group[pendingIndex_];
  pending_ = true;
  repaintLine(cursorRow_);
}

void Simulator::commitPending() {
  if (!pending_) return;
  pending_ = false;
  repaintLine(cursorRow_);
  if (state_ == ScreenState::Form) typeCharacter(pendingChar_);
}

}  // namespace torvik
