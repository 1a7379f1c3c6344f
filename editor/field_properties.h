#pragma once
// The controls of the two field properties dialogs as data, and the few rules of theirs that
// the tables cannot say: which controls a line's type switches off and the check-digit
// combo, whose items are the methods 1 to 8 (0, no check, has no item).
#include "base/control_table.h"

namespace torvik {

// ADVANCEDLG (every line type but lookup) and LOOKUPADVANCEDLG. Their per-line fields are read
// at the dialog's line. Rows a dialog completes by hand: the input-mark box (its state is not
// a record field), the check-digit method (item + 1), the initial value (filtered by type),
// the partial start (a non-number means 1), the number labels and the decimals' items.
const ControlTable& fieldPropertiesTable();
const ControlTable& lookupFieldPropertiesTable();

// Which controls stay live for a line's data type; the rest are disabled when the dialog opens.
struct TypeControls {
  bool initialValue;  // "Initial value or text" and its edit
  bool inputMark;     // "Show input mark" and its edit
  bool decimals;      // the decimal places combo and its label
};
TypeControls typeControlsFor(int dataType);

// The check-digit combo: item k is method k + 1. A line without a check (0) or with a value no
// method has shows the first item.
int checkDigitItem(int checkDigit);
constexpr int checkDigitOfItem(int item) { return item + 1; }

// The decimal places combo: "variable" (this UI string), then the number labels "1" to "6".
constexpr int kDecimalsItems = 7;

// Bytes of a prefix or suffix code.
constexpr int kLineCodeBytes = 10;

}  // namespace torvik
