#pragma once
// The Lookup page's rules without windows: the corrections of its edits, the no-match actions
// "Only read data once" allows, Reset, the delimiter-mode layout computed on OK and the
// Calculator entry's number.
#include <cstddef>
#include <cstdint>

#include "base/control_table.h"
#include "definition/application_definition.h"
#include "definition/default_messages.h"

namespace torvik {

constexpr std::uint8_t kTabDelimiter = 9;
constexpr std::uint8_t kRefusedDelimiter = 13;  // a carriage return ends the line instead

// "Member length :": 0 to 255; no number, an emptied edit included, becomes "0".
NumberCorrection correctMemberLengthText(char* text, std::size_t size);

// The delimiter edit in the delimiter layout: a number 1 to 255 is the delimiter (above 255
// shows 255). 13, 0 and anything that is no number are refused: the previous delimiter's text
// is put back and the caller warns. An emptied edit changes nothing; the caller shows the
// delimiter again when the edit loses the focus.
struct DelimiterEdit {
  int value;
  bool changed;  // the text was corrected or put back
  bool refused;  // the caller warns
};
DelimiterEdit editDelimiterText(char* text, std::size_t size, std::uint8_t previous);

// Choosing the delimiter layout: 0 in the edit means the tab character.
std::uint8_t delimiterForLayout(int edited);

// The no-match actions the list offers: all six, or only the two that insert when the data is
// read once. Returns how many; codes[i] is item i's action code.
int noMatchChoices(bool readOnce, std::uint8_t (&codes)[6]);
// The list item that shows `code` (a code the list lacks shows as the first item).
int noMatchItem(bool readOnce, int code);
// "Only read data once" turned on: an action that does not insert becomes "Insert to lookup file".
void settleReadOnce(LookupRecord& lookup);

// Reset of the three lookups; "Delete if null value" and the unused tail keep their bytes.
void resetLookups(LookupRecord (&lookups)[kLookupCount]);

// What the delimiter layout makes of a lookup's fields: its member length, or -1 when the
// fields add up to more than a line carries (the record cannot hold it in a byte and the
// terminal could not read it).
int delimitedMemberLength(const LookupRecord& lookup);
// The characters a delimited line of the lookup takes, however many: its fields (at most eight)
// and the delimiters between them.
int delimitedLineLength(const LookupRecord& lookup);
// The first lookup (0..2) in the delimiter layout whose fields are too long, or -1.
int firstOverlongLookup(const LookupRecord (&lookups)[kLookupCount]);
// The OK step of one lookup: in the delimiter layout, the member length and each field's
// offset follow from the lengths. Returns false, changing nothing, for an overlong lookup.
bool applyLookupLayout(LookupRecord& lookup);
// The refusal of an overlong lookup: `format`'s first "%s" becomes the lookup file's name and
// its first "%d" the characters its fields take. A language file may change the format, so it
// is never handed to printf: any other '%' shows as itself ("%%" as one).
void overlongLookupText(const char* format, const char* name, int length, char* out, std::size_t size);

// The utilities menu lists "Load Lookup File" while a lookup file is defined, which moves the
// Calculator entry from 8 to 9. That entry is settings text slot 1 (line 4 of the
// "Misc - continuous" group), whose small- and large-font defaults the Startup page reloads from:
// the three texts get the digit. `defaults` may be null; empty texts stay empty.
void renumberCalculatorEntry(ApplicationDefinition& def, DefaultMessages* defaults);
// The defaults alone, after a design was loaded: the Startup page's default column and its
// Reset then agree with the design's lookups.
void renumberCalculatorDefaults(const ApplicationDefinition& def, DefaultMessages& defaults);

}  // namespace torvik
