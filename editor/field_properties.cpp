#include "editor/field_properties.h"

#include "base/string_ids.h"
#include "definition/form_record.h"
#include "resources/resource_ids.h"

namespace torvik {

namespace {

using K = ControlKind;

#define LINE_FIELD(member) TORVIK_LINE_FIELD(FormRecord, member)

constexpr FieldRef kNoField{};
// An emptied length edit shows "0" at once.
constexpr bool kEmptyShowsZero = false;

// In tab order. A check box's row comes before the rows of what it enables.
constexpr ControlBinding kFieldProperties[] = {
    {IDC_ADV_FORM_LABEL, K::Label, kNoField, 0, 0, {}, 82},
    {IDC_ADV_FORM_NUMBER, K::Label},
    {IDC_ADV_LINE_LABEL, K::Label, kNoField, 0, 0, {}, 83},
    {IDC_ADV_LINE_NUMBER, K::Label},
    {IDC_ADV_FIXED_LENGTH, K::Check, LINE_FIELD(fixedLengthOn), 0, 0,
     {IDC_ADV_FIXED_LENGTH_VALUE, IDC_ADV_ALIGNMENT}, 85},
    {IDC_ADV_FIXED_LENGTH_VALUE, K::Number, LINE_FIELD(fixedLength), 255, 0, {}, 0, 1, kEmptyShowsZero},
    {IDC_ADV_ALIGNMENT_LABEL, K::Label, kNoField, 0, 0, {}, 84},
    {IDC_ADV_ALIGNMENT, K::Combo, LINE_FIELD(alignment), 4, kStrAlignLeftSpace},
    {IDC_ADV_INITIAL, K::Check, LINE_FIELD(initialOn), 0, 0, {IDC_ADV_INITIAL_TEXT}, 86},
    // Stored by hand: filtered by the line's type.
    {IDC_ADV_INITIAL_TEXT, K::Text, LINE_FIELD(initialText), 9},
    {IDC_ADV_PREFIX, K::Check, LINE_FIELD(prefixOn), 0, 0, {IDC_ADV_PREFIX_CODE}, 87},
    {IDC_ADV_PREFIX_CODE, K::Code, LINE_FIELD(prefix), kLineCodeBytes},
    {IDC_ADV_SUFFIX, K::Check, LINE_FIELD(suffixOn), 0, 0, {IDC_ADV_SUFFIX_CODE}, 88},
    {IDC_ADV_SUFFIX_CODE, K::Code, LINE_FIELD(suffix), kLineCodeBytes},
    // Toggles the show-input-mark flag, which the record does not hold: by hand.
    {IDC_ADV_INPUT_MARK, K::Label, kNoField, 0, 0, {}, 89},
    {IDC_ADV_INPUT_MARK_CHAR, K::Text, LINE_FIELD(inputMark), 1},
    {IDC_ADV_DECIMALS_LABEL, K::Label, kNoField, 0, 0, {}, 97},
    {IDC_ADV_DECIMALS, K::Combo, LINE_FIELD(decimals), kDecimalsItems, 0},  // items by hand
    {IDC_ADV_BARCODE_GROUP, K::Label, kNoField, 0, 0, {}, 90},
    {IDC_ADV_PARTIAL, K::Check, LINE_FIELD(partialOn), 0, 0,
     {IDC_ADV_PARTIAL_START, IDC_ADV_PARTIAL_MAX, IDC_ADV_SAVE_FULL_BARCODE}, 91},
    {IDC_ADV_PARTIAL_START_LABEL, K::Label, kNoField, 0, 0, {}, 92},
    // Stored by hand: a non-number stands for 1.
    {IDC_ADV_PARTIAL_START, K::Number, bitsOf(LINE_FIELD(partialStart), 0, 7), 127},
    {IDC_ADV_PARTIAL_MAX_LABEL, K::Label, kNoField, 0, 0, {}, 93},
    {IDC_ADV_PARTIAL_MAX, K::Number, LINE_FIELD(partialMax), kMaxInputLength, 0, {}, 0, 1, kEmptyShowsZero},
    {IDC_ADV_SAVE_FULL_BARCODE, K::Check, bitsOf(LINE_FIELD(partialStart), 7, 1), 0, 0, {}, 98},
    {IDC_ADV_LEADING, K::Check, LINE_FIELD(leadingOn), 0, 0, {IDC_ADV_LEADING_CODE}, 94},
    {IDC_ADV_LEADING_CODE, K::Text, LINE_FIELD(leadingCode), 6},
    // Ticking stores method 1, clearing stores 0: the whole byte is the flag.
    {IDC_ADV_CHECK_DIGIT, K::Check, LINE_FIELD(checkDigit), 0, 0, {IDC_ADV_CHECK_DIGIT_METHOD}, 95},
    {IDC_ADV_CHECK_DIGIT_METHOD, K::Combo, kNoField, kCheckDigitMethods, kStrCheckDoubleAddDouble},  // item + 1: by hand
    {IDC_ADV_AUTO_ENTER_LABEL, K::Label, kNoField, 0, 0, {}, 96},
    {IDC_ADV_AUTO_ENTER, K::Combo, LINE_FIELD(autoEnter), 4, kStrAutoEnterNo},
};

constexpr ControlBinding kLookupFieldProperties[] = {
    {IDC_LADV_FORM_LABEL, K::Label, kNoField, 0, 0, {}, 112},
    {IDC_LADV_FORM_NUMBER, K::Label},
    {IDC_LADV_LINE_LABEL, K::Label, kNoField, 0, 0, {}, 113},
    {IDC_LADV_LINE_NUMBER, K::Label},
    // "Save field data": first, so that the boxes it switches off switch off theirs in turn.
    {IDC_LADV_SAVE_FIELD, K::Check, LINE_FIELD(initialOn), 0, 0,
     {IDC_LADV_FIXED_LENGTH, IDC_LADV_PREFIX, IDC_LADV_SUFFIX}, 115},
    {IDC_LADV_FIXED_LENGTH, K::Check, LINE_FIELD(fixedLengthOn), 0, 0,
     {IDC_LADV_FIXED_LENGTH_VALUE, IDC_LADV_ALIGNMENT}, 116},
    {IDC_LADV_FIXED_LENGTH_VALUE, K::Number, LINE_FIELD(fixedLength), 255, 0, {}, 0, 1, kEmptyShowsZero},
    {IDC_LADV_ALIGNMENT_LABEL, K::Label, kNoField, 0, 0, {}, 114},
    {IDC_LADV_ALIGNMENT, K::Combo, LINE_FIELD(alignment), 4, kStrAlignLeftSpace},
    {IDC_LADV_PREFIX, K::Check, LINE_FIELD(prefixOn), 0, 0, {IDC_LADV_PREFIX_CODE}, 117},
    {IDC_LADV_PREFIX_CODE, K::Code, LINE_FIELD(prefix), kLineCodeBytes},
    {IDC_LADV_SUFFIX, K::Check, LINE_FIELD(suffixOn), 0, 0, {IDC_LADV_SUFFIX_CODE}, 118},
    {IDC_LADV_SUFFIX_CODE, K::Code, LINE_FIELD(suffix), kLineCodeBytes},
};

#undef LINE_FIELD

constexpr ControlTable kFieldPropertiesTable = controlTable(kFieldProperties, 81);
constexpr ControlTable kLookupFieldPropertiesTable = controlTable(kLookupFieldProperties, 111);

}  // namespace

const ControlTable& fieldPropertiesTable() { return kFieldPropertiesTable; }
const ControlTable& lookupFieldPropertiesTable() { return kLookupFieldPropertiesTable; }

TypeControls typeControlsFor(int dataType) {
  // Fixed data shows its prompt as the value: no initial value to type and no input to mark.
  const bool input = dataType != kDataFixed;
  return TypeControls{input, input, dataType == kDataReal};
}

int checkDigitItem(int checkDigit) {
  return checkDigit >= 1 && checkDigit <= kCheckDigitMethods ? checkDigit - 1 : 0;
}

}  // namespace torvik
