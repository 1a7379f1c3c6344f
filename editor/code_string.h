#pragma once
// The model behind the Grid control: the key-code table its cells show, and the short code
// strings (prefix, suffix, code identifier) built by clicking them. Free of any window, so the
// dialog only paints what this says and forwards clicks.
#include <cstddef>
#include <cstdint>

namespace torvik {

constexpr int kGridCells = 17;           // a header row and column, then 16 x 16 values
constexpr int kCodeCapacityAffix = 10;   // prefix and suffix codes
constexpr int kCodeCapacityCodeId = 2;   // a symbology's code identifier
constexpr int kCodeTextChars = 70;       // the display text, without its NUL
constexpr int kCodeTextBytes = kCodeTextChars + 1;

constexpr std::uint8_t kCodeVariable1 = 0x1D;
constexpr std::uint8_t kCodeVariable3 = 0x1F;

// The label of byte value v (0..255): a key name, the character itself, or the value in
// decimal from 128 on; "" for 0 and for values out of range.
const char* keyCodeLabel(int value);
// Header texts of column or row i (0..15): "00", "10" .. "F0" and "00", "01" .. "0F".
const char* gridColumnHeader(int i);
const char* gridRowHeader(int i);

// NUL, LF and Enter end a code string on the terminal, so they cannot be picked.
constexpr bool isSelectableCode(int v) { return v > 0 && v <= 0xFF && v != 0x0A && v != 0x0D; }
// A variable code stands for a whole string: the value of variable 1, 2 or 3.
constexpr bool isVariableCode(int v) { return v >= kCodeVariable1 && v <= kCodeVariable3; }

enum class AppendResult {
  Added,
  TooMany,  // warn "Too many characters !!!"; the string is unchanged
  Ignored,  // a value that cannot be picked: nothing happens
};

// The variable names the display text uses (kStrVariable1 and the two strings after it); null reads as "".
using VariableNames = const char* const[3];

class CodeString {
 public:
  explicit CodeString(int capacity);  // kCodeCapacityAffix or kCodeCapacityCodeId

  // Takes the owner's field: the bytes before the first zero, at most the capacity. A variable
  // code anywhere in it makes the string full.
  template <std::size_t N>
  void load(const std::uint8_t (&field)[N]) { loadBytes(field, N); }
  // Writes the string into the owner's field, zero-padded to the field's end.
  template <std::size_t N>
  void store(std::uint8_t (&field)[N]) const { storeBytes(field, N); }
  // The same over a field known by pointer and size (a Code edit's buffer).
  void loadFrom(const std::uint8_t* field, std::size_t size) { loadBytes(field, size); }
  void storeTo(std::uint8_t* field, std::size_t size) const { storeBytes(field, size); }

  AppendResult append(int value);
  void clear();

  int capacity() const { return capacity_; }
  int count() const { return count_; }
  std::uint8_t at(int i) const { return i >= 0 && i < capacity_ ? bytes_[i] : 0; }

  // A blank and the label of each code; a variable code shows a blank and its variable's name
  // and ends the text. Cut to kCodeTextChars.
  void displayText(char (&out)[kCodeTextBytes], VariableNames& variableNames) const;

 private:
  void loadBytes(const std::uint8_t* field, std::size_t size);
  void storeBytes(std::uint8_t* field, std::size_t size) const;

  int capacity_;
  int count_ = 0;
  std::uint8_t bytes_[kCodeCapacityAffix] = {};
};

// Where a point of the table's client area (width x height, divided into 17 x 17 equal
// cells) falls: column and row 0..16, -1 outside; value 0..255 on a value cell, else -1.
struct GridHit {
  int column;
  int row;
  int value;
};
GridHit gridHitAt(int x, int y, int width, int height);

// The pixels of cell (column, row): left and top inclusive, right and bottom exclusive; the
// same cells gridHitAt finds.
struct GridRect {
  int left;
  int top;
  int right;
  int bottom;
};
GridRect gridCellRect(int column, int row, int width, int height);
// The value shown in cell (column, row), -1 on a header cell or outside.
int gridValueAt(int column, int row);

// The selection of the table is a value: its column is the high nibble, its row the low one.
// It starts on "SP".
constexpr int kGridStartSelection = 0x20;

// Keyboard moves of the selection. Every cell can be reached, the three that cannot be picked
// included (picking there adds nothing); a move off an edge stays put, so that holding a key
// does not wrap around to the far side.
enum class GridMove : std::uint8_t { Left, Right, Up, Down, Home, End };
// The selection after `move` from `value`; a value outside 0..255 gives the start cell.
// Home and End go to the first and last row of the column.
int moveGridSelection(int value, GridMove move);

}  // namespace torvik
