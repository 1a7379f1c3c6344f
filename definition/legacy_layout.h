#pragma once
// Byte layout of a project file of the older terminal family: 10,510 bytes, read only. Packed
// structs with checked offsets, like the current records, so that the conversion reads by name.
#include <cstddef>
#include <cstdint>

#include "definition/form_record.h"
#include "definition/menu_record.h"
#include "definition/settings_records.h"

namespace torvik {

constexpr std::uint8_t kLegacyExtensionMark = 64;  // '@': the extension block is in use
// Bytes 5 to 598 of a legacy form lie this many bytes before their place in a FormRecord.
constexpr std::size_t kLegacyFormShift = 14;

#pragma pack(push, 1)

// The first 250 bytes of a MenuRecord.
struct LegacyMenuRecord {
  std::uint8_t font;
  std::uint8_t captionOn;
  char caption[21];
  char itemName[kMenuItems][21];
  std::uint8_t escTarget;
  std::uint8_t itemNext[kMenuItems];
  std::uint8_t saveCaption;
  std::uint8_t saveSelectedItem;
  std::uint8_t passDown;
  std::uint8_t itemCount;
  std::uint8_t simSelectedItem;
  std::uint8_t simReserved;
};

struct LegacyFormRecord {
  std::uint8_t font;
  std::uint8_t escTarget;
  std::uint8_t nextTarget;
  std::uint8_t dateCode;  // D: 0 no date stamp, else its style
  std::uint8_t timeCode;  // T: 0 no time stamp, else its style
  std::uint8_t recordAction;
  std::uint8_t lookupIndex;
  std::uint8_t lookupField[kFormLines];
  std::uint8_t dataType[kFormLines];  // the older numbering: see the conversion
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
  std::uint8_t lastInputLine;
  std::uint8_t simCurrentLine;
};

// The first 19 bytes of a LookupRecord.
struct LegacyLookupRecord {
  std::uint8_t memberLength;
  std::uint8_t fieldCount;
  std::uint8_t keyField;
  std::uint8_t fieldOffset[kLookupFields];
  std::uint8_t fieldLength[kLookupFields];
};

struct LegacyTerminalSettings {
  std::uint8_t uploadPort;
  std::uint8_t downloadPort;
  std::uint8_t baudRate;
  std::uint8_t backlight;
  std::uint8_t backlightIdleDigit;  // '1' to '9', or 0 when never set
  std::uint8_t dataDeletion;
  std::uint8_t entryOptionInverted;  // 0 showed the count, which is 1 now
  std::uint8_t unused7;
  std::uint8_t security[kSecurityItems];
};

// Settings added late in the family's life; absent files leave the mark byte at anything but 64.
struct LegacyExtension {
  std::uint8_t mark;
  std::uint8_t addReturnLineFeed;
  std::uint8_t delimiter[3];
  std::uint8_t uploadable[3];
  std::uint8_t noMatchAction[3];
  std::uint8_t separateDataFiles;
  std::uint8_t unused[2];
};

struct LegacyProject {
  char signature[8];
  std::uint8_t headerWord[2];
  std::uint8_t startFrom;
  std::uint8_t readerWedge[24];  // barcode and wedge settings mixed: see the conversion
  LegacyMenuRecord menu[10];
  LegacyFormRecord form[10];
  LegacyLookupRecord lookup[3];
  std::uint8_t dataDelimiter[2];
  std::uint8_t unused8604[64];
  char mainMenuTexts[4][16];
  char utilitiesTexts[8][21];
  char deleteDataTexts[4][16];
  char confirmTexts[4][16];
  char memoryPowerTexts[4][16];
  char loadLookupTexts[4][16];
  char settingsTexts[8][21];
  char uploadPortTexts[8][21];  // entries 7 and 8 are the continuous-mode texts now
  char downloadPortTexts[8][21];
  char baudRateTexts[5][21];
  char backlightTexts[4][21];
  char dataDeletionTexts[4][21];
  char entryOptionTexts[4][21];
  char viewSettingsTexts[8][21];
  char connectingTexts[4][16];
  char errorTexts[5][21];
  char miscTexts[7][16];
  LegacyTerminalSettings terminal;
  char password[10];
  LegacyExtension extension;
};

#pragma pack(pop)

static_assert(sizeof(LegacyMenuRecord) == 250, "legacy menu record");
static_assert(sizeof(LegacyLookupRecord) == 19, "legacy lookup record");
static_assert(sizeof(LegacyTerminalSettings) == 20, "legacy terminal settings");
static_assert(sizeof(LegacyExtension) == 14, "legacy extension block");
static_assert(sizeof(LegacyFormRecord) == 601, "legacy form record");
static_assert(offsetof(LegacyFormRecord, dateCode) == 3, "legacy form record");
static_assert(offsetof(LegacyFormRecord, recordAction) == 5, "legacy form record");
static_assert(offsetof(LegacyFormRecord, lookupField) == 7, "legacy form record");
static_assert(offsetof(LegacyFormRecord, dataType) == 15, "legacy form record");
static_assert(offsetof(LegacyFormRecord, prompt) == 23, "legacy form record");
static_assert(offsetof(LegacyFormRecord, inputSource) == 191, "legacy form record");
static_assert(offsetof(LegacyFormRecord, initialOn) == 239, "legacy form record");
static_assert(offsetof(LegacyFormRecord, initialText) == 247, "legacy form record");
static_assert(offsetof(LegacyFormRecord, prefixOn) == 327, "legacy form record");
static_assert(offsetof(LegacyFormRecord, prefix) == 335, "legacy form record");
static_assert(offsetof(LegacyFormRecord, suffixOn) == 415, "legacy form record");
static_assert(offsetof(LegacyFormRecord, suffix) == 423, "legacy form record");
static_assert(offsetof(LegacyFormRecord, partialOn) == 503, "legacy form record");
static_assert(offsetof(LegacyFormRecord, leadingOn) == 527, "legacy form record");
static_assert(offsetof(LegacyFormRecord, leadingCode) == 535, "legacy form record");
static_assert(offsetof(LegacyFormRecord, autoEnter) == 583, "legacy form record");
static_assert(offsetof(LegacyFormRecord, inputMark) == 591, "legacy form record");
static_assert(offsetof(LegacyFormRecord, lastInputLine) == 599, "legacy form record");

// The lines' fields are the current ones, 14 bytes earlier.
#define TORVIK_SHIFTED(field) \
  static_assert(offsetof(LegacyFormRecord, field) + kLegacyFormShift == offsetof(FormRecord, field), #field)
TORVIK_SHIFTED(recordAction);
TORVIK_SHIFTED(lookupIndex);
TORVIK_SHIFTED(lookupField);
TORVIK_SHIFTED(dataType);
TORVIK_SHIFTED(prompt);
TORVIK_SHIFTED(inputSource);
TORVIK_SHIFTED(minLength);
TORVIK_SHIFTED(maxLength);
TORVIK_SHIFTED(fixedLengthOn);
TORVIK_SHIFTED(alignment);
TORVIK_SHIFTED(fixedLength);
TORVIK_SHIFTED(initialOn);
TORVIK_SHIFTED(initialText);
TORVIK_SHIFTED(prefixOn);
TORVIK_SHIFTED(prefix);
TORVIK_SHIFTED(suffixOn);
TORVIK_SHIFTED(suffix);
TORVIK_SHIFTED(partialOn);
TORVIK_SHIFTED(partialStart);
TORVIK_SHIFTED(partialMax);
TORVIK_SHIFTED(leadingOn);
TORVIK_SHIFTED(leadingCode);
TORVIK_SHIFTED(autoEnter);
TORVIK_SHIFTED(inputMark);
#undef TORVIK_SHIFTED

static_assert(sizeof(LegacyProject) == 10510, "legacy project file");
static_assert(offsetof(LegacyProject, headerWord) == 8, "legacy project file");
static_assert(offsetof(LegacyProject, startFrom) == 10, "legacy project file");
static_assert(offsetof(LegacyProject, readerWedge) == 11, "legacy project file");
static_assert(offsetof(LegacyProject, menu) == 35, "legacy project file");
static_assert(offsetof(LegacyProject, form) == 2535, "legacy project file");
static_assert(offsetof(LegacyProject, lookup) == 8545, "legacy project file");
static_assert(offsetof(LegacyProject, dataDelimiter) == 8602, "legacy project file");
static_assert(offsetof(LegacyProject, mainMenuTexts) == 8668, "legacy project file");
static_assert(offsetof(LegacyProject, utilitiesTexts) == 8732, "legacy project file");
static_assert(offsetof(LegacyProject, deleteDataTexts) == 8900, "legacy project file");
static_assert(offsetof(LegacyProject, confirmTexts) == 8964, "legacy project file");
static_assert(offsetof(LegacyProject, memoryPowerTexts) == 9028, "legacy project file");
static_assert(offsetof(LegacyProject, loadLookupTexts) == 9092, "legacy project file");
static_assert(offsetof(LegacyProject, settingsTexts) == 9156, "legacy project file");
static_assert(offsetof(LegacyProject, uploadPortTexts) == 9324, "legacy project file");
static_assert(offsetof(LegacyProject, downloadPortTexts) == 9492, "legacy project file");
static_assert(offsetof(LegacyProject, baudRateTexts) == 9660, "legacy project file");
static_assert(offsetof(LegacyProject, backlightTexts) == 9765, "legacy project file");
static_assert(offsetof(LegacyProject, dataDeletionTexts) == 9849, "legacy project file");
static_assert(offsetof(LegacyProject, entryOptionTexts) == 9933, "legacy project file");
static_assert(offsetof(LegacyProject, viewSettingsTexts) == 10017, "legacy project file");
static_assert(offsetof(LegacyProject, connectingTexts) == 10185, "legacy project file");
static_assert(offsetof(LegacyProject, errorTexts) == 10249, "legacy project file");
static_assert(offsetof(LegacyProject, miscTexts) == 10354, "legacy project file");
static_assert(offsetof(LegacyProject, terminal) == 10466, "legacy project file");
static_assert(offsetof(LegacyProject, password) == 10486, "legacy project file");
static_assert(offsetof(LegacyProject, extension) == 10496, "legacy project file");

}  // namespace torvik
