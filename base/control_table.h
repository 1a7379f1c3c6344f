#pragma once
// Dialog controls described as data. Each page and dialog of the editor lists its controls
// once, as a table: the control, its kind, the bytes (or bits) of the record it edits, the
// controls it enables and its language entry. Generic code fills the controls from the record,
// stores each change and applies the enabling; hand-written code is left only for what a table
// cannot say. The table knows records as bytes at offsets, so it serves every record type.
#include <cstddef>
#include <cstdint>

namespace torvik {

enum class ControlKind : std::uint8_t {
  Check,   // check box: the field's bit group is 1 when ticked, 0 when not
  Combo,   // drop-down list: the field holds the selected item index
  Radio,   // a run of `max` radio buttons with consecutive ids: the field holds the index
  Number,  // edit: an unsigned decimal number, corrected in place to 0..max
  Text,    // edit: a NUL-terminated text of at most `max` characters
  Code,    // edit showing a code string picked on the grid; its owner keeps the bytes
  Label,   // static text or button: only relabelled
};

// Where a value lives in the record: `size` bytes at `offset`, or for a per-line field the
// line's element at offset + line * stride. A bit group (shift, width) narrows a one-byte field.
struct FieldRef {
  std::uint16_t offset = 0;
  std::uint16_t size = 0;  // 0: the control edits nothing in the record
  std::uint16_t stride = 0;
  std::uint8_t shift = 0;
  std::uint8_t width = 8;
};

// A record-level field: fieldOf(FormRecord, font).
#define TORVIK_FIELD(Record, member) \
  ::torvik::FieldRef { static_cast<std::uint16_t>(offsetof(Record, member)), \
                       static_cast<std::uint16_t>(sizeof(Record::member)), 0, 0, 8 }
// A per-line field stored as a parallel array: line j's element.
#define TORVIK_LINE_FIELD(Record, member) \
  ::torvik::FieldRef { static_cast<std::uint16_t>(offsetof(Record, member)), \
                       static_cast<std::uint16_t>(sizeof(Record::member[0])), \
                       static_cast<std::uint16_t>(sizeof(Record::member[0])), 0, 8 }
// A bit group of one byte of the record.
constexpr FieldRef bitField(std::size_t byteOffset, int shift, int width = 1) {
  return FieldRef{static_cast<std::uint16_t>(byteOffset), 1, 0, static_cast<std::uint8_t>(shift),
                  static_cast<std::uint8_t>(width)};
}
// The same field narrowed to a bit group.
constexpr FieldRef bitsOf(FieldRef f, int shift, int width) {
  return FieldRef{f.offset, f.size, f.stride, static_cast<std::uint8_t>(shift), static_cast<std::uint8_t>(width)};
}

constexpr int kMaxEnables = 8;

struct ControlBinding {
  int id = 0;  // the control; for a repeated row, the id of the first row's control
  ControlKind kind = ControlKind::Label;
  FieldRef field{};
  int max = 0;             // Number: the largest value; Text: characters; Radio: buttons
  int itemsFirst = 0;      // Combo: items are UI strings itemsFirst..itemsFirst+max-1 (0: filled by hand)
  int enables[kMaxEnables] = {};  // Check: the controls enabled while it is ticked (0 ends the list)
  int languageEntry = 0;   // the language-file entry that relabels it (0: none)
  int rows = 1;            // repeated once per line: row r is control id + r and line first + r
  bool emptyStays = true;  // Number: an emptied edit stays empty and means 0 (else it shows "0")
};

// Row builders, so that a table reads as a list of controls.
constexpr ControlBinding bindControl(int id, ControlKind kind, FieldRef field, int max = 0, int entry = 0,
                                     int rows = 1, int itemsFirst = 0) {
  ControlBinding b{};
  b.id = id;
  b.kind = kind;
  b.field = field;
  b.max = max;
  b.languageEntry = entry;
  b.rows = rows;
  b.itemsFirst = itemsFirst;
  return b;
}
constexpr ControlBinding bindLabel(int id, int entry, int rows = 1) {
  return bindControl(id, ControlKind::Label, FieldRef{}, 0, entry, rows);
}
constexpr ControlBinding bindCheck(int id, FieldRef field, int entry) {
  return bindControl(id, ControlKind::Check, field, 0, entry);
}
constexpr ControlBinding bindRadios(int firstId, int count, FieldRef field, int entry) {
  return bindControl(firstId, ControlKind::Radio, field, count, entry);
}
constexpr ControlBinding bindNumber(int id, FieldRef field, int max, bool emptyStays = true) {
  ControlBinding b = bindControl(id, ControlKind::Number, field, max);
  b.emptyStays = emptyStays;
  return b;
}
constexpr ControlBinding bindCombo(int id, FieldRef field, int items, int firstString) {
  return bindControl(id, ControlKind::Combo, field, items, 0, 1, firstString);
}

// The controls of one page or dialog.
struct ControlTable {
  const ControlBinding* bindings;
  int count;
  int languageCaption;  // the language entry of the dialog's caption (0: none)

  const ControlBinding* find(int controlId, int* row) const;
};

template <std::size_t N>
constexpr ControlTable controlTable(const ControlBinding (&bindings)[N], int languageCaption = 0) {
  return ControlTable{bindings, static_cast<int>(N), languageCaption};
}

// The value of a byte-sized field (its bit group) for a line; 0 for a field of no bytes.
int readField(const void* record, const FieldRef& field, int line);
// Stores a value into the field's bit group; the other bits of the byte stay.
void writeField(void* record, const FieldRef& field, int line, int value);
// The field's bytes for a line (text and code fields).
std::uint8_t* fieldBytes(void* record, const FieldRef& field, int line);
const std::uint8_t* fieldBytes(const void* record, const FieldRef& field, int line);

// The text of a Text field (up to its first NUL or its size) into out.
void readFieldText(const void* record, const FieldRef& field, int line, char* out, std::size_t outSize);
// Stores a text into a Text field, cut to the field; the rest of the field is left as it was
// but for the NUL that ends the text when it is shorter than the field.
void writeFieldText(void* record, const FieldRef& field, int line, const char* text);
// Stores a text into a field that it may fill whole (a code such as the leading code, a
// one-character mark): up to the field's size, NUL-terminated only when shorter.
void writeFieldChars(void* record, const FieldRef& field, int line, const char* text);
// How a Text edit's value is stored: a limit as wide as the field fills it without a NUL.
void storeEditText(void* record, const ControlBinding& binding, int line, const char* text);

// How a number edit corrects what is typed, at once and in place. Digits alone are a number:
// shown without leading zeros, above `max` it becomes `max`, below `min` it counts as no
// number. Anything else ("12a", "1.5", "5 ", "-5") is no number and becomes `notNumber`. An
// emptied edit stays empty and stands for `emptyValue` when `emptyStays`; otherwise it shows
// `notNumber` too.
struct NumberRule {
  int max = 255;
  int notNumber = 0;
  int min = 0;
  bool emptyStays = true;
  int emptyValue = 0;
};
// The value and whether the text changed (the edit is then given the corrected text).
struct NumberCorrection {
  int value;
  bool changed;
};
NumberCorrection correctNumberText(char* text, std::size_t size, const NumberRule& rule);
// The rule of a table's number edit: 0..max, no number is 0.
constexpr NumberRule numberRuleOf(const ControlBinding& b) { return NumberRule{b.max, 0, 0, b.emptyStays, 0}; }

// Cuts a text to `limit` characters; true when it was longer.
bool cutText(char* text, int limit);

}  // namespace torvik
