#pragma once
// The Barcode page and the dialogs it opens, described as data: the page's control table, and
// for each "more..." dialog its template, its control table and what the table cannot say
// (choices with bits of their own, the length limits, the EAN128 replacement character, the
// code IDs, the weighed-article code). One generic dialog runs them all.
#include <cstdint>

#include "base/control_table.h"
#include "definition/settings_records.h"

namespace torvik {

// The record a dialog's table is bound to.
enum class BoundTo : std::uint8_t { Barcode, System, Weight };

// What a dialog adds to its table.
enum class FormExtra : std::uint8_t {
  None,
  Length,       // max/min length edits with their corrections, settled on OK
  Replacement,  // EAN128's field-replacement character and its code
  CodeIds,      // the 15 code-ID edits, their sets, and the enabling of them all
  Weight,       // the weighed-article code: combo items, prefix rule
};

// A check box (count 1, value 0 or 1) or a radio group (value the button's index) whose
// value is computed from the record's bits rather than stored as one bit group.
struct ComputedChoice {
  int id;
  int count;
  int (*read)(const BarcodeSettings&);
  void (*write)(BarcodeSettings&, int);
};

struct SymbologyForm {
  int buttonId;  // the page's button that opens it
  const char* templateName;
  ControlTable table;
  BoundTo record;
  const ComputedChoice* choices;
  int choiceCount;
  FormExtra extra;
  std::uint16_t lengthOffset;  // Length: where its BarcodeLength is in BarcodeSettings
};

// The page's controls, bound to a BarcodeSettings working copy.
const ControlTable& barcodePageTable();

// The dialogs of the page's buttons 201 to 219, in button order.
const SymbologyForm* symbologyForms(int* count);
// The dialog a button opens; nullptr for any other id.
const SymbologyForm* symbologyForm(int buttonId);

// The value of every control of `table` that edits a field, from one record into another
// (bit groups and byte numbers, as these tables bind them). Labels and rows bound to no bytes
// edit nothing, so they are passed over even when a row names a field.
void copyTableValues(const ControlTable& table, const void* from, void* to);

// The page's apply step: the reader options and the symbology switches of the page's table,
// from its working copy into the design. The other bits of the design (the symbology dialogs'
// own) stay. Byte 1 bit 7 is on when Code 128 or EAN128 is; byte 22 bit 4, the copy of the
// Code 128 bit, follows it in every case, so that switching Code 128 off reaches both copies.
void applyBarcodePage(const BarcodeSettings& page, BarcodeSettings& design);

}  // namespace torvik
