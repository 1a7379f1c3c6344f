#pragma once
// One data-entry form: form-level settings and eight lines whose properties are stored as
// parallel arrays (all eight values of one property side by side). `line(j)` gathers line j's
// values into a view of references, so code reads form.line(j).maxLength.
#include <cstddef>
#include <cstdint>

#include "definition/record_fields.h"

namespace torvik {

constexpr int kFormLines = 8;
constexpr int kFormLinesLargeFont = 4;
constexpr int kFnKeys = 4;              // FN+1 to FN+4 branches, sums and remains
constexpr int kMaxInputLength = 80;     // minLength, maxLength, partialMax
constexpr int kPromptChars = 20;        // small font; 15 in the large font
constexpr int kPromptCharsLargeFont = 15;

// line(j).dataType
enum DataType : std::uint8_t {
  kDataNil = 0,  // line not used
  kDataText = 1,
  kDataInteger = 2,
  kDataReal = 3,
  kDataLetter = 4,
  kDataAutoSign = 5,  // "auto(+/-)"
  kDataBoolean = 6,
  kDataLookup = 7,
  kDataFixed = 8,
  kDataPrompt = 9,
  kDataCounter = 10,
  kDataPassDown = 11,
  kDataExtension = 12,  // continues the input area of the line above
  kDataPause = 13,
  kDataAlphameric = 14,
  kDataVariable1 = 15,
  kDataVariable2 = 16,
  kDataVariable3 = 17,
  kDataCompare = 18,
};
constexpr int kDataTypeCount = 19;

// recordAction
enum RecordAction : std::uint8_t {
  kRecordSave = 0,
  kRecordUpdateLookup = 1,
  kRecordSaveAndUpdate = 2,
  kRecordPassDown = 3,
  kRecordOutputRecord = 4,
  kRecordOutputScreen = 5,
  kRecordSaveAndOutputRecord = 6,
  kRecordSaveAndOutputScreen = 7,
  kRecordNothing = 8,
};

// stampMode
enum StampMode : std::uint8_t { kStampNone = 0, kStampTop = 1, kStampBottom = 2 };
// stampYearDigits
enum StampYearDigits : std::uint8_t { kYear4Digits = 0, kYear2Digits = 1 };
// stampDateStyle
enum StampDateStyle : std::uint8_t { kDateYearMonthDay = 0, kDateMonthDayYear = 1, kDateDayMonthYear = 2 };

// line(j).inputSource
enum InputSource : std::uint8_t {
  kInputReader = 0,
  kInputKeypad = 1,
  kInputBoth = 2,
  kInputVariable1 = 3,
  kInputVariable2 = 4,
  kInputVariable3 = 5,
};

// line(j).alignment
enum Alignment : std::uint8_t {
  kAlignLeftSpace = 0,
  kAlignRightSpace = 1,
  kAlignLeftZero = 2,
  kAlignRightZero = 3,
};

// line(j).autoEnter
enum AutoEnter : std::uint8_t { kAutoEnterNo = 0, kAutoEnterScan = 1, kAutoEnterEnterScan = 2, kAutoEnterKeyboard = 3 };

// line(j).lookupField: 0 nil, then three runs of the eight lookup fields: plain, "-field",
// "+field". The signed runs are meant for numeric lines only.
constexpr std::uint8_t kLookupFieldNil = 0;
constexpr std::uint8_t kLookupFieldPlain = 1;   // 1 to 8
constexpr std::uint8_t kLookupFieldMinus = 9;   // 9 to 16
constexpr std::uint8_t kLookupFieldPlus = 17;   // 17 to 24
constexpr std::uint8_t kLookupFieldLast = 24;
// The 0-based lookup field that a nonzero reference names, whatever its sign.
constexpr int lookupFieldIndex(int ref) { return ref == 0 ? -1 : (ref - 1) % 8; }

// lookupIndex: 0 nil, 1 to 3 the lookup file.
constexpr std::uint8_t kNoLookup = 0;

// line(j).checkDigit: 0 none, 1 to 8 the verification methods.
constexpr std::uint8_t kCheckDigitNone = 0;
constexpr std::uint8_t kCheckDigitMethods = 8;

// fnBranch[k]: 0 disabled, 1 to 10 form 1 to 10, then three functions.
constexpr std::uint8_t kBranchDisabled = 0;
constexpr std::uint8_t kBranchRemains = 11;
constexpr std::uint8_t kBranchSummation = 12;
constexpr std::uint8_t kBranchDeleteLast = 13;

// fnSumSource[k]: 0 to 2 the lookup files, 3 the data file.
constexpr std::uint8_t kSumSourceDataFile = 3;

// errorAction: 0 skip, 1 main menu, 2 to 11 form 1 to 10, 12 to 21 menu 1 to 10 (a screen
// target shifted by one).
constexpr std::uint8_t kErrorSkip = 0;
constexpr std::uint8_t errorActionOf(int target) { return static_cast<std::uint8_t>(target + 1); }
constexpr int targetOfErrorAction(int action) { return action - 1; }

// nextTarget may also hold this one more choice beyond the screen targets.
constexpr std::uint8_t kNextTargetExtra = 21;

// The values of one form line, as references into the parallel arrays of its record.
template <typename U8, typename Ch>
struct BasicFormLine {
  U8& lookupField;
  U8& dataType;
  Ch (&prompt)[21];
  U8& inputSource;
  U8& minLength;
  U8& maxLength;
  U8& fixedLengthOn;
  U8& alignment;
  U8& fixedLength;
  U8& initialOn;  // "Save field data" on a lookup line
  Ch (&initialText)[10];
  U8& prefixOn;
  U8 (&prefix)[10];  // code: copyCode / codeLength
  U8& suffixOn;
  U8 (&suffix)[10];  // code: copyCode / codeLength
  U8& partialOn;
  U8& partialStart;  // bits 0-6 start position (1-based), bit 7 save full barcode
  U8& partialMax;
  U8& leadingOn;
  Ch (&leadingCode)[6];  // code: copyCode / codeLength
  U8& autoEnter;
  U8& inputMark;
  U8 (&reserved)[50];
  U8& checkDigit;
  U8& decimals;

  template <typename Record>
  BasicFormLine(Record& r, int j)
      : lookupField(r.lookupField[j]), dataType(r.dataType[j]), prompt(r.prompt[j]),
        inputSource(r.inputSource[j]), minLength(r.minLength[j]), maxLength(r.maxLength[j]),
        fixedLengthOn(r.fixedLengthOn[j]), alignment(r.alignment[j]), fixedLength(r.fixedLength[j]),
        initialOn(r.initialOn[j]), initialText(r.initialText[j]), prefixOn(r.prefixOn[j]),
        prefix(r.prefix[j]), suffixOn(r.suffixOn[j]), suffix(r.suffix[j]), partialOn(r.partialOn[j]),
        partialStart(r.partialStart[j]), partialMax(r.partialMax[j]), leadingOn(r.leadingOn[j]),
        leadingCode(r.leadingCode[j]), autoEnter(r.autoEnter[j]), inputMark(r.inputMark[j]),
        reserved(r.reserved[j]), checkDigit(r.checkDigit[j]), decimals(r.decimals[j]) {}

  int partialStartPosition() const { return getBits(partialStart, 0, 7); }
  bool saveFullBarcode() const { return getBits(partialStart, 7, 1) != 0; }
  void setPartialStartPosition(int position) { setBits(partialStart, 0, 7, position); }
  void setSaveFullBarcode(bool on) { setBits(partialStart, 7, 1, on ? 1 : 0); }
};
using FormLine = BasicFormLine<std::uint8_t, char>;
using ConstFormLine = BasicFormLine<const std::uint8_t, const char>;

#pragma pack(push, 1)

struct FormRecord {
  std::uint8_t font;  // 0 small (8 lines), nonzero large (lines 1 to 4)
  std::uint8_t escTarget;
  std::uint8_t nextTarget;
  std::uint8_t stampMode;
  std::uint8_t stampSplit;
  std::uint8_t stampYear;
  std::uint8_t stampYearDigits;
  std::uint8_t stampMonth;
  std::uint8_t stampDay;
  std::uint8_t stampDateSepOn;
  char stampDateSep[2];
  std::uint8_t stampDateStyle;
  std::uint8_t stampHour;
  std::uint8_t stampMinute;
  std::uint8_t stampSecond;
  std::uint8_t stampTimeSepOn;
  char stampTimeSep[2];
  std::uint8_t recordAction;
  std::uint8_t lookupIndex;

  // Per-line parallel arrays; read them through line(j).
  std::uint8_t lookupField[kFormLines];
  std::uint8_t dataType[kFormLines];
  char prompt[kFormLines][21];
  std::uint8_t inputSource[kFormLines];
  std::uint8_t minLength[kFormLines];
  std::uint8_t maxLength[kFormLines];
  std::uint8_t fixedLengthOn[kFormLines];
  std::uint8_t alignment[kFormLines];
  std::uint8_t fixedLength[kFormLines];
  std::uint8_t initialOn[kFormLines];
  char initialText[kFormLines][10];
  std::uint8_t prefixOn[kFormLines];
  std::uint8_t prefix[kFormLines][10];
  std::uint8_t suffixOn[kFormLines];
  std::uint8_t suffix[kFormLines][10];
  std::uint8_t partialOn[kFormLines];
  std::uint8_t partialStart[kFormLines];
  std::uint8_t partialMax[kFormLines];
  std::uint8_t leadingOn[kFormLines];
  char leadingCode[kFormLines][6];
  std::uint8_t autoEnter[kFormLines];
  std::uint8_t inputMark[kFormLines];
  std::uint8_t reserved[kFormLines][50];

  std::uint8_t lastInputLine;   // 1 + index of the last input line, 0 when none
  std::uint8_t simCurrentLine;  // the simulator's current line
  std::uint8_t checkDigit[kFormLines];
  std::uint8_t fnBranch[kFnKeys];
  std::uint8_t decimals[kFormLines];
  std::uint8_t fnSumField[kFnKeys];    // see sumField / sumMultiplier
  std::uint8_t fnSumSource[kFnKeys];
  std::uint8_t errorAction;
  std::uint8_t fnRemainsField[kFnKeys];   // see remainsEnabled / remainsField
  std::uint8_t fnRemainsFilter[kFnKeys];  // see filterIsSuffix / filterVariable
  std::uint8_t unused[163];               // never written; saved and downloaded as loaded

  FormLine line(int j) { return FormLine(*this, j); }
  ConstFormLine line(int j) const { return ConstFormLine(*this, j); }

  // Summation of FN+k: the summed field (0-based) and the multiplying field (0-based, -1 none).
  int sumField(int k) const { return getBits(fnSumField[k], 0, 4); }
  int sumMultiplier(int k) const { return getBits(fnSumField[k], 4, 4) - 1; }
  void setSumField(int k, int field) { setBits(fnSumField[k], 0, 4, field); }
  void setSumMultiplier(int k, int field) { setBits(fnSumField[k], 4, 4, field + 1); }

  // Remains of FN+k.
  bool remainsEnabled(int k) const { return getBits(fnRemainsField[k], 4, 1) != 0; }
  int remainsField(int k) const { return getBits(fnRemainsField[k], 0, 4); }
  void setRemainsEnabled(int k, bool on) { setBits(fnRemainsField[k], 4, 1, on ? 1 : 0); }
  void setRemainsField(int k, int field) { setBits(fnRemainsField[k], 0, 4, field); }
  bool filterIsSuffix(int k) const { return getBits(fnRemainsFilter[k], 0, 1) != 0; }
  int filterVariable(int k) const { return getBits(fnRemainsFilter[k], 4, 4); }  // 0 to 2
  void setFilterIsSuffix(int k, bool on) { setBits(fnRemainsFilter[k], 0, 1, on ? 1 : 0); }
  void setFilterVariable(int k, int variable) { setBits(fnRemainsFilter[k], 4, 4, variable); }
};

#pragma pack(pop)

static_assert(sizeof(FormRecord) == 1215, "FormRecord layout");
static_assert(offsetof(FormRecord, escTarget) == 1, "FormRecord layout");
static_assert(offsetof(FormRecord, nextTarget) == 2, "FormRecord layout");
static_assert(offsetof(FormRecord, stampMode) == 3, "FormRecord layout");
static_assert(offsetof(FormRecord, stampSplit) == 4, "FormRecord layout");
static_assert(offsetof(FormRecord, stampYear) == 5, "FormRecord layout");
static_assert(offsetof(FormRecord, stampYearDigits) == 6, "FormRecord layout");
static_assert(offsetof(FormRecord, stampMonth) == 7, "FormRecord layout");
static_assert(offsetof(FormRecord, stampDay) == 8, "FormRecord layout");
static_assert(offsetof(FormRecord, stampDateSepOn) == 9, "FormRecord layout");
static_assert(offsetof(FormRecord, stampDateSep) == 10, "FormRecord layout");
static_assert(offsetof(FormRecord, stampDateStyle) == 12, "FormRecord layout");
static_assert(offsetof(FormRecord, stampHour) == 13, "FormRecord layout");
static_assert(offsetof(FormRecord, stampMinute) == 14, "FormRecord layout");
static_assert(offsetof(FormRecord, stampSecond) == 15, "FormRecord layout");
static_assert(offsetof(FormRecord, stampTimeSepOn) == 16, "FormRecord layout");
static_assert(offsetof(FormRecord, stampTimeSep) == 17, "FormRecord layout");
static_assert(offsetof(FormRecord, recordAction) == 19, "FormRecord layout");
static_assert(offsetof(FormRecord, lookupIndex) == 20, "FormRecord layout");
static_assert(offsetof(FormRecord, lookupField) == 21, "FormRecord layout");
static_assert(offsetof(FormRecord, dataType) == 29, "FormRecord layout");
static_assert(offsetof(FormRecord, prompt) == 37, "FormRecord layout");
static_assert(offsetof(FormRecord, inputSource) == 205, "FormRecord layout");
static_assert(offsetof(FormRecord, minLength) == 213, "FormRecord layout");
static_assert(offsetof(FormRecord, maxLength) == 221, "FormRecord layout");
static_assert(offsetof(FormRecord, fixedLengthOn) == 229, "FormRecord layout");
static_assert(offsetof(FormRecord, alignment) == 237, "FormRecord layout");
static_assert(offsetof(FormRecord, fixedLength) == 245, "FormRecord layout");
static_assert(offsetof(FormRecord, initialOn) == 253, "FormRecord layout");
static_assert(offsetof(FormRecord, initialText) == 261, "FormRecord layout");
static_assert(offsetof(FormRecord, prefixOn) == 341, "FormRecord layout");
static_assert(offsetof(FormRecord, prefix) == 349, "FormRecord layout");
static_assert(offsetof(FormRecord, suffixOn) == 429, "FormRecord layout");
static_assert(offsetof(FormRecord, suffix) == 437, "FormRecord layout");
static_assert(offsetof(FormRecord, partialOn) == 517, "FormRecord layout");
static_assert(offsetof(FormRecord, partialStart) == 525, "FormRecord layout");
static_assert(offsetof(FormRecord, partialMax) == 533, "FormRecord layout");
static_assert(offsetof(FormRecord, leadingOn) == 541, "FormRecord layout");
static_assert(offsetof(FormRecord, leadingCode) == 549, "FormRecord layout");
static_assert(offsetof(FormRecord, autoEnter) == 597, "FormRecord layout");
static_assert(offsetof(FormRecord, inputMark) == 605, "FormRecord layout");
static_assert(offsetof(FormRecord, reserved) == 613, "FormRecord layout");
static_assert(offsetof(FormRecord, lastInputLine) == 1013, "FormRecord layout");
static_assert(offsetof(FormRecord, simCurrentLine) == 1014, "FormRecord layout");
static_assert(offsetof(FormRecord, checkDigit) == 1015, "FormRecord layout");
static_assert(offsetof(FormRecord, fnBranch) == 1023, "FormRecord layout");
static_assert(offsetof(FormRecord, decimals) == 1027, "FormRecord layout");
static_assert(offsetof(FormRecord, fnSumField) == 1035, "FormRecord layout");
static_assert(offsetof(FormRecord, fnSumSource) == 1039, "FormRecord layout");
static_assert(offsetof(FormRecord, errorAction) == 1043, "FormRecord layout");
static_assert(offsetof(FormRecord, fnRemainsField) == 1044, "FormRecord layout");
static_assert(offsetof(FormRecord, fnRemainsFilter) == 1048, "FormRecord layout");
static_assert(offsetof(FormRecord, unused) == 1052, "FormRecord layout");

}  // namespace torvik
