#pragma once
// The Barcode page's rules without windows: the corrections its edits make as the user types,
// the settling of the length limits, the choices whose bits a plain table cannot describe
// (Codabar, Telepen, the inverted EAN128 code-ID bit), the code-ID sets, the weighed-article
// code and the page's apply step.
#include <cstddef>
#include <cstdint>

#include "base/control_table.h"
#include "definition/settings_records.h"

namespace torvik {

// A named barcode bit group as a control-table field of BarcodeSettings.
constexpr FieldRef barcodeField(BarcodeBits bits) { return bitField(bits.byte, bits.shift, bits.width); }

// The number edits: the time-out takes 1 for anything but a positive number, an emptied edit
// included; "Max Length :" and "Min Length :" take 127 and 1 for no number, shown unless the
// box was emptied (it then stays empty and means that value).
constexpr NumberRule kTimeoutRule{255, 1, 1, false, 1};
constexpr NumberRule kMaxLengthRule{127, 127, 0, true, 127};
constexpr NumberRule kMinLengthRule{255, 1, 0, true, 1};

// The length limits as OK stores them: a maximum of 0 becomes 1; then a minimum above the
// maximum becomes the maximum, and a minimum of 0 becomes 1.
void settleLength(BarcodeLength& length);

// Radio choices and inverted check boxes: their value from the record and back.
// Codabar: 0 "None" (start/stop not transmitted), 1 to 4 the four styles.
int codabarChoice(const BarcodeSettings& s);
void setCodabarChoice(BarcodeSettings& s, int choice);
// Telepen: 0 "Original Telepen (Numeric)", 1 "AIM Telepen (Full ASCII)".
int telepenChoice(const BarcodeSettings& s);
void setTelepenChoice(BarcodeSettings& s, int choice);
// EAN128 "Transmit Code ID": the stored bit says the ID is not transmitted.
int ean128CodeIdChoice(const BarcodeSettings& s);
void setEan128CodeIdChoice(BarcodeSettings& s, int choice);

// EAN128 field replacement: the code typed into the code edit. An empty text means no
// character; a number of 1 to 255 is that character; anything else (0, above 255, not a
// number) is replaced by "255".
struct ReplacementCode {
  int value;     // the character code, 0 for none
  bool replace;  // the edit is to show "255"
};
ReplacementCode correctReplacementCode(const char* text);

// The code IDs: five fixed sets of the 15 two-byte IDs, in the stored symbology order.
constexpr int kCodeIdSets = 5;
void fillCodeIdSet(std::uint8_t (&codes)[kCodeIds][2], int set);  // set 1 to 5
void clearCodeIds(std::uint8_t (&codes)[kCodeIds][2]);

// The weighed-article code as its dialog shows it: flags as bytes, the three selections as
// item indexes (kNoItem when the stored value is none of the list's), the prefix as text.
constexpr std::uint8_t kNoItem = 0xFF;
constexpr int kMaskCodeFirst = 5, kMaskCodeItems = 5;  // "05" to "09"
constexpr int kFieldItems = 8;                         // "field 1" to "field 8"
struct WeightChoices {
  std::uint8_t enabled;
  std::uint8_t oneCFormat;
  std::uint8_t maskItem;
  std::uint8_t keyItem;
  std::uint8_t qtyItem;
  char prefix[3];
};
WeightChoices weightChoices(const WeightCode& w);
// Stores the choices; a selection of kNoItem keeps the stored value.
void storeWeightChoices(const WeightChoices& c, WeightCode& w);
// The prefix as it leaves its edit: empty becomes two blanks, a single character moves to the
// second place behind a blank. Returns whether the text changed.
bool settleWeightPrefix(char (&prefix)[3]);

}  // namespace torvik
