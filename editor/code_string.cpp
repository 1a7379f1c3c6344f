#include "editor/code_string.h"

#include <cstring>

namespace torvik {

namespace {

struct Label {
  char text[6];
};

struct LabelTable {
  Label label[256];
};

constexpr void setLabel(Label& l, const char* text) {
  int n = 0;
  for (; n < 5 && text[n] != '\0'; ++n) l.text[n] = text[n];
  l.text[n] = '\0';
}

constexpr LabelTable makeLabels() {
  LabelTable t{};
  constexpr const char* keys[] = {"",   "Ins",  "Del",  "Home", "End",  "Up",   "Down", "Left",
                                  "BS", "HT",   "LF",   "Right", "PgUp", "Enter", "PgDn", "F1",
                                  "F2", "F3",   "F4",   "F5",   "F6",   "F7",   "F8",   "F9",
                                  "F10", "F11", "F12", "ESC",  "Exec", "Var1", "Var2", "Var3",
                                  "SP"};
  for (int v = 0; v <= 0x20; ++v) setLabel(t.label[v], keys[v]);
  for (int v = 0x21; v <= 0x7E; ++v) t.label[v].text[0] = static_cast<char>(v);
  setLabel(t.label[0x7F], "DEL");
  for (int v = 0x80; v <= 0xFF; ++v) {
    t.label[v].text[0] = static_cast<char>('0' + v / 100);
    t.label[v].text[1] = static_cast<char>('0' + v / 10 % 10);
    t.label[v].text[2] = static_cast<char>('0' + v % 10);
  }
  return t;
}

constexpr LabelTable kLabels = makeLabels();

constexpr char kHex[] = "0123456789ABCDEF";

struct Headers {
  char column[16][3];
  char row[16][3];
};

constexpr Headers makeHeaders() {
  Headers h{};
  for (int i = 0; i < 16; ++i) {
    h.column[i][0] = kHex[i];
    h.column[i][1] = '0';
    h.row[i][0] = '0';
    h.row[i][1] = kHex[i];
  }
  return h;
}

constexpr Headers kHeaders = makeHeaders();

// Appends text to out (of kCodeTextBytes) at *at, cutting at the display limit.
void appendText(char* out, int& at, const char* text) {
  for (const char* p = text; *p != '\0' && at < kCodeTextChars; ++p) out[at++] = *p;
  out[at] = '\0';
}

// Cell c of a span of `size` pixels starts at the first pixel whose c * size / 17 is reached.
int cellStart(int c, int size) { return (c * size + kGridCells - 1) / kGridCells; }

}  // namespace

const char* keyCodeLabel(int value) { return value >= 0 && value <= 0xFF ? kLabels.label[value].text : ""; }

const char* gridColumnHeader(int i) { return i >= 0 && i < 16 ? kHeaders.column[i] : ""; }
const char* gridRowHeader(int i) { return i >= 0 && i < 16 ? kHeaders.row[i] : ""; }

CodeString::CodeString(int capacity)
    : capacity_(capacity < 1 ? 1 : capacity > kCodeCapacityAffix ? kCodeCapacityAffix : capacity) {}

void CodeString::loadBytes(const std::uint8_t* field, std::size_t size) {
  clear();
  bool variable = false;
  for (std::size_t i = 0; i < size && count_ < capacity_ && field[i] != 0; ++i) {
    bytes_[count_++] = field[i];
    variable = variable || isVariableCode(field[i]);
  }
  if (variable) count_ = capacity_;
}

void CodeString::storeBytes(std::uint8_t* field, std::size_t size) const {
  for (std::size_t i = 0; i < size; ++i) field[i] = static_cast<int>(i) < capacity_ ? bytes_[i] : 0;
}

AppendResult CodeString::append(int value) {
  if (!isSelectableCode(value)) return AppendResult::Ignored;
  if (count_ >= capacity_) return AppendResult::TooMany;
  if (isVariableCode(value)) {
    if (count_ != 0) return AppendResult::TooMany;
    bytes_[0] = static_cast<std::uint8_t>(value);
    count_ = capacity_;
    return AppendResult::Added;
  }
  bytes_[count_++] = static_cast<std::uint8_t>(value);
  return AppendResult::Added;
}

void CodeString::clear() {
  std::memset(bytes_, 0, sizeof bytes_);
  count_ = 0;
}

void CodeString::displayText(char (&out)[kCodeTextBytes], VariableNames& variableNames) const {
  int at = 0;
  out[0] = '\0';
  for (int i = 0; i < capacity_ && bytes_[i] != 0; ++i) {
    appendText(out, at, " ");
    if (isVariableCode(bytes_[i])) {
      const char* name = variableNames[bytes_[i] - kCodeVariable1];
      appendText(out, at, name != nullptr ? name : "");
      break;
    }
    appendText(out, at, keyCodeLabel(bytes_[i]));
  }
}

GridHit gridHitAt(int x, int y, int width, int height) {
  GridHit hit{-1, -1, -1};
  if (width <= 0 || height <= 0 || x < 0 || y < 0 || x >= width || y >= height) return hit;
  hit.column = x * kGridCells / width;
  hit.row = y * kGridCells / height;
  hit.value = gridValueAt(hit.column, hit.row);
  return hit;
}

GridRect gridCellRect(int column, int row, int width, int height) {
  return GridRect{cellStart(column, width), cellStart(row, height), cellStart(column + 1, width),
                  cellStart(row + 1, height)};
}

int gridValueAt(int column, int row) {
  if (column < 1 || column >= kGridCells || row < 1 || row >= kGridCells) return -1;
  return 16 * (column - 1) + (row - 1);
}

int moveGridSelection(int value, GridMove move) {
  if (value < 0 || value > 0xFF) return kGridStartSelection;
  const int column = value >> 4, row = value & 0x0F;
  switch (move) {
    case GridMove::Left: return column > 0 ? value - 16 : value;
    case GridMove::Right: return column < 15 ? value + 16 : value;
    case GridMove::Up: return row > 0 ? value - 1 : value;
    case GridMove::Down: return row < 15 ? value + 1 : value;
    case GridMove::Home: return column << 4;
    case GridMove::End: return (column << 4) | 0x0F;
  }
  return value;
}

}  // namespace torvik
