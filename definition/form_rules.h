#pragma once
// The rules of the form editor, free of any window: which controls of a form line are live,
// how typed text is corrected in place, what a change of data type clears, and the tidying of
// the forms when the editor is closed with OK (part of which also runs before a download).
// The dialogs only move values between controls and records and call these.
#include <cstdint>

#include "definition/application_definition.h"
#include "definition/form_record.h"
#include "definition/settings_records.h"

namespace torvik {

// Prompt characters and usable lines of a form in its font.
constexpr int promptLimit(int font) { return font != 0 ? kPromptCharsLargeFont : kPromptChars; }
constexpr int usableLines(int font) { return font != 0 ? kFormLinesLargeFont : kFormLines; }

// Which controls of one form line are enabled.
struct LineControlsEnabled {
  bool dataType;  // false only for the lines the large font does not use
  bool prompt;
  bool more;  // the "more..." button
  bool inputSource;
  bool lookupColumn;
  bool lengths;  // min and max length
};
// By the line's data type alone (the type combo always enabled).
LineControlsEnabled lineControlsFor(int type);
// Line j of a form, with the font rule: the large font disables every control of lines 5 to 8.
LineControlsEnabled lineControlsFor(const FormRecord& form, int j);

// A text edit's content after correction. Write `text` back into the edit only when `changed`,
// so the edit's change handler is not re-entered for nothing.
struct EditCorrection {
  bool changed;
  int value;     // numeric edits: the value to store; input mark: its character code or 0
  char text[21];  // the corrected text, NUL-terminated
};

// The numeric edits take digits alone as a number, shown without leading zeros; anything else
// ("12a", "1.5", " 5", "-5") is no number and is replaced at once. Whether an emptied edit stays
// empty differs by edit (below).

// Prompt: cut to the line's limit (15 or 20).
EditCorrection correctPrompt(const char* text, int limit);
// Min or max length: 0 to 80, non-numbers become "0", empty stays empty (0); a boolean line
// always stores 1.
EditCorrection correctLength(const char* text, int dataType);
// Fixed data length: 0 to 255, non-numbers and an emptied edit become "0".
EditCorrection correctFixedLength(const char* text);
// Maximum of a partial read: 0 to 80, non-numbers and an emptied edit become "0" (0 is
// settled on OK).
EditCorrection correctPartialMax(const char* text);
// Start of a partial read: a number up to 127 (it lives in bits 0-6, and a larger one must not
// reach the save-full-barcode bit), non-numbers become "1". 0 and empty store 0; OK makes it 1.
// Store the value with FormLine::setPartialStartPosition.
EditCorrection correctPartialStart(const char* text);
// Initial value: at most 9 characters (1 for a boolean), then filtered by the line's type.
EditCorrection correctInitialText(const char* text, int dataType);
// Leading code: at most 6 characters.
EditCorrection correctLeadingCode(const char* text);
// Input mark: at most one character; value is its code, 0 for none.
EditCorrection correctInputMark(const char* text);

// Field reference combo (Lookup column): 9 items, or 25 with the "-field"/"+field" runs for
// the numeric and variable types.
bool offersSignedFieldRef(int type);
int fieldRefItemCount(int type);
// A stored reference that the type's combo cannot show becomes the same field unsigned
// (11, "-field 3", becomes 3). Call it whenever the combo is refilled and store the result.
std::uint8_t fieldRefForType(int type, int stored);
// What showing a form stores: each line's field reference as its type's combo can show it.
void settleFormForShow(FormRecord& form);

// What a change of a line's data type did, for the dialog to mirror.
struct TypeChange {
  bool changed;             // false when the type was already stored: nothing was done
  bool propertiesCleared;   // the line's "more..." settings were reset
  bool inputSourceKeypad;   // a pause line: select "keypad" in the input source combo
  int fieldRefItems;        // refill the Lookup column with this many items
};
// Stores the new type of line j, clears its properties where the old ones make no sense for
// the new type (with the line's show-input-mark flag), sets a pause line to the keypad and
// fits the field reference to the new type.
TypeChange changeLineType(FormRecord& form, int j, int newType, bool& showInputMark);

// The Field properties dialog of line j. Opening settles a start position of 0 to 1 and a
// partial maximum outside 1..80 to 80; returns the initial show-input-mark flag.
bool openLineProperties(FormRecord& form, int j);
// Its OK: the mark goes unless it is shown, the start position is at least 1, the partial
// maximum within 1..80, and bit 7 of partialStart follows "Save full barcode in Data File".
void confirmLineProperties(FormRecord& form, int j, bool showInputMark, bool saveFullBarcode);
// The Lookup field properties dialog's OK: a lookup line shows no input mark.
void confirmLookupLineProperties(FormRecord& form, int j);

// Before encoding or applying: large-font forms lose lines 5 to 8, lengths are kept within 80
// and min <= max, and lines that show no prompt or no field reference lose them. The program
// image builder runs this too.
void normaliseFormLines(FormRecord (&forms)[kFormCount]);

// The editor's OK over the ten forms: lines whose type has no properties (and lookup lines
// that save nothing) lose them, then the forms are normalised; prompts are cut to the display
// width and Extension lines take their length, auto ENTER and mark from the line above.
void applyFormEdits(FormRecord (&forms)[kFormCount], bool (&showInputMark)[kFormCount][kFormLines]);

// Entries of the terminal's utilities menu: 8 when the first lookup file is defined (the eighth
// loads it), else 7. Evaluate after every page has stored its records.
int utilitiesMenuEntries(const LookupRecord& firstLookup);

}  // namespace torvik
