#pragma once
// A design as text: every byte of an application definition as a named setting with a
// readable value, in the order of the file, so that people can read a design and tools can
// compare two. The names are fixed by the layout, so two designs always have the same list of
// names and differ only in values.
//
// Names: dotted paths of the record members, numbered from 1 as the editor numbers them. A
// form's lines and a menu's items are each gathered under "line3." and "item5." (the values of
// their parallel arrays side by side); other arrays name their elements "member.N", as in
// "lookup1.fieldLength.3", "form2.fnBranch.1" and "messages.mainMenu.1"; bit fields have names
// of their own, and bits no one names are "...unusedBits".
//
// Values: texts in double quotes (\" \\ \t \n \r, any other byte outside printable ASCII as
// \xNN with two hex digits), followed by "tail" and the bytes after the NUL when those are not
// all zero; numbers in decimal; flags "off", "on" or "on (N)" for an unusual nonzero byte;
// choices by their names, the number itself when it has none; character codes as a quoted
// character and its code, or the word for 0; unnamed bytes in hex, a run of four or more
// trailing zeros written as "N zeros"; unnamed bits of a named byte as 0xNN (masked).
//
// Reading takes the same lines back: each "NAME = VALUE" line sets one setting, the value in
// exactly a form the writer prints (a choice may also be given by its number, a character by
// its code). Blank lines and lines starting with '#' are skipped; a line may end in CR, and
// the text may start with a UTF-8 byte order mark.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/application_definition.h"

namespace torvik {

struct DesignSetting {
  std::string name;   // "form3.line2.prompt"
  std::string value;  // "\"Quantity\""
};

struct SettingChange {
  std::string name;
  std::string oldValue;
  std::string newValue;
};

enum class SettingKind : std::uint8_t {
  Number,     // decimal
  Flag,       // off / on / on (N)
  Choice,     // one of `names`, else the number
  Text,       // quoted up to the NUL (or the whole field), then any nonzero tail
  Character,  // a character code; 0 is names[0]
  Bytes,      // hex, trailing zeros counted
  Bits,       // 0xNN of the bits in `mask`: bits no setting names
};

// One setting's place in the definition: `size` bytes from `offset`. Number, Flag, Choice and
// Bits read a one- or two-byte little-endian value and keep the bits of `mask` (0: all).
struct SettingField {
  std::string name;
  std::uint16_t offset;
  std::uint16_t size;
  std::uint16_t mask;
  SettingKind kind;
  const std::vector<std::string>* names;  // Choice and Character only
};

// Every setting of a design, in file order (a form's or a menu's per-line and per-item values
// gathered by line and by item). Together they read every bit of the 18,854 bytes.
const std::vector<SettingField>& settingFields();
std::string settingValue(const SettingField& field, const ApplicationDefinition& def);
// The name of entry `entry` (0-based) of message group `group`: "messages.mainMenu.1".
std::string messageSettingName(int group, int entry);

std::vector<DesignSetting> describeDesign(const ApplicationDefinition& def);
// Only the settings whose value differs from `reference` (a new design, say).
std::vector<DesignSetting> changedSettings(const ApplicationDefinition& def, const ApplicationDefinition& reference);
// The settings whose values differ, in file order; empty when the designs are equal.
std::vector<SettingChange> diffDesigns(const ApplicationDefinition& a, const ApplicationDefinition& b);

// A line of design text that cannot be applied: its number (from 1) and why.
struct TextRefusal {
  int line;
  std::string reason;  // "form3.font: no choice named \"huge\""
};

// Applies design text to `def`, all or nothing: when any line is refused (an unknown name, a
// value the setting cannot hold, a malformed line, a setting given twice) `def` is left as it
// was and every refused line is returned; an empty result means the text was applied.
std::vector<TextRefusal> applyDesignText(const char* text, std::size_t size, ApplicationDefinition& def);

// One line's parts, for callers that sort lines before applying them: the setting a line
// names (nullptr for a blank or comment line) or the refusal of a malformed or unknown one.
struct DesignTextLine {
  int line;
  const SettingField* field;
  std::string value;
  std::string refusal;  // empty when the line names a known setting
};
std::vector<DesignTextLine> splitDesignText(const char* text, std::size_t size);

// Stores one value into its setting's bytes of `def`; false with the reason when the
// setting cannot hold it (then nothing is written).
bool readSettingValue(const SettingField& field, const std::string& value, ApplicationDefinition& def,
                      std::string& reason);

}  // namespace torvik
