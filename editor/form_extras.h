#pragma once
// Rules of the form-level dialogs that need no window: the stamp format previews, the
// function-key actions, and how the Remains and Summation choices pack into their bytes.
#include <cstddef>
#include <cstdint>

#include "definition/form_record.h"

namespace torvik {

constexpr int kBranchActions = 14;  // "disable", ten forms, Remains, Summation, Delete last
constexpr int kSumFields = 8;       // field 1 to 8
constexpr int kSumSources = 4;      // three lookup files and the data file
constexpr int kFilterVariables = 3;

// The date stamp's pattern as the group caption previews it, e.g. "YYYY/MM/DD" or "DD-YYYY":
// the parts that are on, in the order of the date style, separated when the separator is on.
void stampDatePattern(const FormRecord& form, char* out, std::size_t size);
// The time stamp's pattern, e.g. "HH:MM:SS" or "MMSS".
void stampTimePattern(const FormRecord& form, char* out, std::size_t size);

// Each stamp separator is one character (0 for none) and its terminator, as the dialog shows
// it: a second character of a loaded file, or one left behind by clearing, goes.
void settleStampSeparators(FormRecord& form);

// The action a key's combo shows: a stored value beyond the list is "disable".
int shownBranchAction(int stored);
// Whether the action has settings of its own behind the key's "More..." button.
bool branchHasSettings(int action);

// The Remains dialog's choices, unpacked from a key's two bytes; values beyond the lists
// show the first item.
struct RemainsChoice {
  std::uint8_t enabled;
  std::uint8_t variable;  // 0 to 2: variable1 to variable3
  std::uint8_t field;     // 0 to 7: field 1 to 8
  std::uint8_t suffix;
};
RemainsChoice remainsChoiceOf(const FormRecord& form, int key);
// Packs the choices into fnRemainsField[key] and fnRemainsFilter[key], whole bytes.
void storeRemainsChoice(FormRecord& form, int key, const RemainsChoice& choice);

// The Summation dialog's choices.
struct SummationChoice {
  std::uint8_t source;      // 0 to 3
  std::uint8_t field;       // 0 to 7
  std::uint8_t multiply;    // multiplied by a second field
  std::uint8_t multiplier;  // 0 to 7; the first field while multiply is off
};
SummationChoice summationChoiceOf(const FormRecord& form, int key);
// Packs the choices into fnSumField[key] (the multiplier as its index + 1 in bits 4 to 7)
// and fnSumSource[key].
void storeSummationChoice(FormRecord& form, int key, const SummationChoice& choice);

}  // namespace torvik
