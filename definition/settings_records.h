#pragma once
// The blocks that are not forms or menus: lookup-file definitions, the barcode reader's
// bit-packed settings, the keyboard wedge, the terminal's system settings and the
// weighed-article code.
#include <cstddef>
#include <cstdint>

#include "definition/record_fields.h"

namespace torvik {

#pragma pack(push, 1)

// ---------------------------------------------------------------------------------------------
// LookupRecord: one lookup file's record layout.

constexpr int kLookupFields = 8;

// noMatchAction
enum NoMatchAction : std::uint8_t {
  kNoMatchContinue = 0,
  kNoMatchWarn = 1,
  kNoMatchInsert = 2,
  kNoMatchWarnAndInsert = 3,
  kNoMatchClear = 4,
  kNoMatchWarnAndClear = 5,
};
// badFormatAction
enum BadFormatAction : std::uint8_t { kBadFormatStop = 0, kBadFormatTruncate = 1, kBadFormatSkip = 2 };
constexpr std::uint8_t kFixedLengthRecords = 0;  // delimiter 0
// The most characters one line of a lookup file carries: the download sends it with two
// check bytes and a CR in a 256-byte packet.
constexpr int kMaxLookupLine = 253;

template <typename U8>
struct BasicLookupField {
  U8& offset;  // 1-based position in the record
  U8& length;
  template <typename Record>
  BasicLookupField(Record& r, int i) : offset(r.fieldOffset[i]), length(r.fieldLength[i]) {}
};
using LookupField = BasicLookupField<std::uint8_t>;
using ConstLookupField = BasicLookupField<const std::uint8_t>;

struct LookupRecord {
  std::uint8_t memberLength;
  std::uint8_t fieldCount;  // 0 to 8
  std::uint8_t keyField;    // 0 to 7
  std::uint8_t fieldOffset[kLookupFields];  // read through field(i)
  std::uint8_t fieldLength[kLookupFields];  // read through field(i)
  std::uint8_t delimiter;  // 0 fixed-length records, else the delimiter's character code
  std::uint8_t uploadable;
  std::uint8_t noMatchAction;
  std::uint8_t badFormatAction;
  std::uint8_t readOnce;
  std::uint8_t negativeRemains;
  std::uint8_t deleteIfNull;
  std::uint8_t unused[96];

  LookupField field(int i) { return LookupField(*this, i); }
  ConstLookupField field(int i) const { return ConstLookupField(*this, i); }
  bool isDefined() const { return memberLength != 0 && fieldCount != 0; }
};

static_assert(sizeof(LookupRecord) == 122, "LookupRecord layout");
static_assert(offsetof(LookupRecord, fieldCount) == 1, "LookupRecord layout");
static_assert(offsetof(LookupRecord, keyField) == 2, "LookupRecord layout");
static_assert(offsetof(LookupRecord, fieldOffset) == 3, "LookupRecord layout");
static_assert(offsetof(LookupRecord, fieldLength) == 11, "LookupRecord layout");
static_assert(offsetof(LookupRecord, delimiter) == 19, "LookupRecord layout");
static_assert(offsetof(LookupRecord, uploadable) == 20, "LookupRecord layout");
static_assert(offsetof(LookupRecord, noMatchAction) == 21, "LookupRecord layout");
static_assert(offsetof(LookupRecord, badFormatAction) == 22, "LookupRecord layout");
static_assert(offsetof(LookupRecord, readOnce) == 23, "LookupRecord layout");
static_assert(offsetof(LookupRecord, negativeRemains) == 24, "LookupRecord layout");
static_assert(offsetof(LookupRecord, deleteIfNull) == 25, "LookupRecord layout");
static_assert(offsetof(LookupRecord, unused) == 26, "LookupRecord layout");

// ---------------------------------------------------------------------------------------------
// BarcodeSettings: symbology switches and reader options, mostly single bits. Read and write
// them by name: settings.on(barcode::code39), settings.set(barcode::scanMode, 3).

struct BarcodeSettings;
using BarcodeBits = BitsOf<BarcodeSettings>;

namespace barcode {
// byte 0
constexpr BarcodeBits code39{0, 7, 1};
constexpr BarcodeBits italianPharmacode{0, 6, 1};
constexpr BarcodeBits frenchPharmacode{0, 5, 1};
constexpr BarcodeBits industrial25{0, 4, 1};
constexpr BarcodeBits interleave25{0, 3, 1};
constexpr BarcodeBits matrix25{0, 2, 1};
constexpr BarcodeBits codabar{0, 1, 1};
constexpr BarcodeBits code93{0, 0, 1};
// byte 1
constexpr BarcodeBits code128OrEan128{1, 7, 1};  // set when either is on
constexpr BarcodeBits upce{1, 6, 1};
constexpr BarcodeBits upceAddon2{1, 5, 1};
constexpr BarcodeBits upceAddon5{1, 4, 1};
constexpr BarcodeBits ean8{1, 3, 1};
constexpr BarcodeBits ean8Addon2{1, 2, 1};
constexpr BarcodeBits ean8Addon5{1, 1, 1};
constexpr BarcodeBits ean13Upca{1, 0, 1};
// byte 2
constexpr BarcodeBits ean13Addon2{2, 7, 1};
constexpr BarcodeBits ean13Addon5{2, 6, 1};
constexpr BarcodeBits msi{2, 5, 1};
constexpr BarcodeBits plessey{2, 4, 1};
constexpr BarcodeBits telepen{2, 2, 1};
constexpr BarcodeBits telepenNumeric{2, 1, 1};  // 1 numeric, 0 AIM full ASCII
constexpr BarcodeBits rss14Limited{2, 0, 1};
// byte 3
constexpr BarcodeBits rss14Expanded{3, 7, 1};
constexpr BarcodeBits rss14{3, 6, 1};
constexpr BarcodeBits rss14CodeId{3, 5, 1};
constexpr BarcodeBits rss14ApplicationId{3, 4, 1};
constexpr BarcodeBits rss14CheckDigit{3, 3, 1};
constexpr BarcodeBits rss14LimitedCodeId{3, 2, 1};
constexpr BarcodeBits rss14LimitedApplicationId{3, 1, 1};
constexpr BarcodeBits rss14LimitedCheckDigit{3, 0, 1};
// byte 4
constexpr BarcodeBits rss14ExpandedCodeId{4, 7, 1};
// byte 5
constexpr BarcodeBits code39StartStop{5, 7, 1};
constexpr BarcodeBits code39VerifyChecksum{5, 6, 1};
constexpr BarcodeBits code39TransmitChecksum{5, 5, 1};
constexpr BarcodeBits code39FullAscii{5, 4, 1};
constexpr BarcodeBits italianPharmacodeChecksum{5, 3, 1};
constexpr BarcodeBits frenchPharmacodeChecksum{5, 2, 1};
constexpr BarcodeBits interleave25VerifyChecksum{5, 1, 1};
constexpr BarcodeBits interleave25TransmitChecksum{5, 0, 1};
// byte 6
constexpr BarcodeBits industrial25VerifyChecksum{6, 7, 1};
constexpr BarcodeBits industrial25TransmitChecksum{6, 6, 1};
constexpr BarcodeBits matrix25VerifyChecksum{6, 5, 1};
constexpr BarcodeBits matrix25TransmitChecksum{6, 4, 1};
constexpr BarcodeBits interleave25StartStop{6, 2, 2};  // StartStop values
constexpr BarcodeBits industrial25StartStop{6, 0, 2};  // StartStop values
// byte 7
constexpr BarcodeBits matrix25StartStop{7, 6, 2};  // StartStop values
constexpr BarcodeBits codabarStyle{7, 4, 2};       // CodabarStyle values
constexpr BarcodeBits codabarStartStop{7, 3, 1};   // start/stop transmitted
// byte 9
constexpr BarcodeBits msiVerify{9, 6, 2};    // MsiVerify values
constexpr BarcodeBits msiTransmit{9, 4, 2};  // MsiTransmit values
constexpr BarcodeBits plesseyTransmitChecksum{9, 3, 1};
constexpr BarcodeBits plesseyToUkPlessey{9, 2, 1};
constexpr BarcodeBits upceToUpca{9, 1, 1};
constexpr BarcodeBits upcaToEan13{9, 0, 1};
// byte 10
constexpr BarcodeBits isbn{10, 7, 1};
constexpr BarcodeBits issn{10, 6, 1};
constexpr BarcodeBits upceTransmitChecksum{10, 5, 1};
constexpr BarcodeBits upcaTransmitChecksum{10, 4, 1};
constexpr BarcodeBits ean8TransmitChecksum{10, 3, 1};
constexpr BarcodeBits ean13TransmitChecksum{10, 2, 1};
constexpr BarcodeBits upceSystemNumber{10, 1, 1};
constexpr BarcodeBits upcaSystemNumber{10, 0, 1};
// byte 11
constexpr BarcodeBits ean8ToEan13{11, 7, 1};
constexpr BarcodeBits negativeBarcode{11, 4, 1};
constexpr BarcodeBits readRedundancy{11, 2, 2};  // 0 none to 3 three times
// byte 20
constexpr BarcodeBits scanMode{20, 4, 4};  // ScanMode values
// byte 22
constexpr BarcodeBits code128{22, 7, 1};
constexpr BarcodeBits ean128{22, 6, 1};
constexpr BarcodeBits ean128NoCodeId{22, 5, 1};  // 1: code ID not transmitted
constexpr BarcodeBits code128Copy{22, 4, 1};     // a second copy of code128

enum StartStop : std::uint8_t { kStartStopIndustrial25 = 0, kStartStopInterleave25 = 1, kStartStopMatrix25 = 2 };
enum CodabarStyle : std::uint8_t {
  kCodabarLowerAbcd = 0,  // "abcd / abcd"
  kCodabarLowerTne = 1,   // "abcd / tn*e"
  kCodabarUpperAbcd = 2,  // "ABCD / ABCD"
  kCodabarUpperTne = 3,   // "ABCD / TN*E"
};
enum MsiVerify : std::uint8_t { kMsiMod10 = 0, kMsiMod10Mod10 = 1, kMsiMod11Mod10 = 2 };
enum MsiTransmit : std::uint8_t { kMsiLastDigitNotSent = 0, kMsiAllSent = 1, kMsiLast2DigitsNotSent = 2 };
enum ScanMode : std::uint8_t {
  kScanAutoOff = 0,
  kScanContinuous = 1,
  kScanAutoPowerOff = 2,
  kScanAlternate = 3,
  kScanMomentary = 4,
  kScanRepeat = 5,
  kScanLaser = 6,
  kScanTest = 7,
  kScanAiming = 8,
};
constexpr int kScanModeCount = 9;
}  // namespace barcode

// The length limits of one symbology: the mode bit and the maximum (or fixed) length share
// the first byte.
struct BarcodeLength {
  std::uint8_t modeAndMax;  // bit 7: 0 fixed length, 1 maximum and minimum; bits 6-0 the length
  std::uint8_t minLength;

  bool rangeMode() const { return getBits(modeAndMax, 7, 1) != 0; }
  int maxLength() const { return getBits(modeAndMax, 0, 7); }  // or the fixed length
  void setRangeMode(bool on) { setBits(modeAndMax, 7, 1, on ? 1 : 0); }
  void setMaxLength(int length) { setBits(modeAndMax, 0, 7, length); }
};

struct BarcodeSettings {
  std::uint8_t options[12];  // bytes 0 to 11: see namespace barcode
  BarcodeLength industrial25Length;
  BarcodeLength interleave25Length;
  BarcodeLength matrix25Length;
  BarcodeLength msiLength;
  std::uint8_t scanModeByte;    // bits 7-4: barcode::scanMode
  std::uint8_t timeout;         // seconds, 1 to 255
  std::uint8_t code128Options;  // see barcode::code128 and the three after it

  bool on(BarcodeBits f) const { return readBits(*this, f) != 0; }
  int get(BarcodeBits f) const { return readBits(*this, f); }
  void set(BarcodeBits f, int value) { writeBits(*this, f, value); }  // a flag takes true/false
};

static_assert(sizeof(BarcodeSettings) == 23, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, industrial25Length) == 12, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, interleave25Length) == 14, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, matrix25Length) == 16, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, msiLength) == 18, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, scanModeByte) == 20, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, timeout) == 21, "BarcodeSettings layout");
static_assert(offsetof(BarcodeSettings, code128Options) == 22, "BarcodeSettings layout");

// ---------------------------------------------------------------------------------------------
// WedgeSettings: the keyboard-wedge output. Byte 1 is bit-packed: see namespace wedge.

struct WedgeSettings;
using WedgeBits = BitsOf<WedgeSettings>;

namespace wedge {
constexpr WedgeBits numericKeypadDigits{1, 0, 1};
constexpr WedgeBits lockType{1, 1, 2};      // LockType values
constexpr WedgeBits digitsLayout{1, 3, 2};  // DigitsLayout values
constexpr WedgeBits ignoreCase{1, 5, 1};
constexpr WedgeBits alwaysLocked{1, 6, 1};
constexpr WedgeBits autoDetection{1, 7, 1};

enum LockType : std::uint8_t { kLockNormal = 0, kLockCapital = 1, kLockShift = 2 };
enum DigitsLayout : std::uint8_t { kDigitsNormal = 0, kDigitsLower = 1, kDigitsUpper = 2 };
constexpr int kKeyboardTypes = 32;
}  // namespace wedge

struct WedgeSettings {
  std::uint8_t keyboardType;  // 0 to 31
  std::uint8_t options;       // see namespace wedge
  std::uint8_t interCharDelay;  // ms
  std::uint8_t timeout;         // seconds
  std::uint8_t addReturnLineFeed;
  std::uint8_t unused[50];

  bool on(WedgeBits f) const { return readBits(*this, f) != 0; }
  int get(WedgeBits f) const { return readBits(*this, f); }
  void set(WedgeBits f, int value) { writeBits(*this, f, value); }
  // Auto-detection is what the case choice means when neither of the other two is set,
  // whatever its own bit holds.
  bool autoDetectionShown() const { return !on(wedge::ignoreCase) && !on(wedge::alwaysLocked); }
};

static_assert(sizeof(WedgeSettings) == 55, "WedgeSettings layout");
static_assert(offsetof(WedgeSettings, options) == 1, "WedgeSettings layout");
static_assert(offsetof(WedgeSettings, interCharDelay) == 2, "WedgeSettings layout");
static_assert(offsetof(WedgeSettings, timeout) == 3, "WedgeSettings layout");
static_assert(offsetof(WedgeSettings, addReturnLineFeed) == 4, "WedgeSettings layout");
static_assert(offsetof(WedgeSettings, unused) == 5, "WedgeSettings layout");

// ---------------------------------------------------------------------------------------------
// SystemSettings: terminal settings, startup choices, security, function keys and code IDs.

// startFrom
enum StartFrom : std::uint8_t { kStartForm1 = 0, kStartMenu1 = 1 };
// uploadPort and downloadPort (the download port has no wedge: its modem is 3)
enum TerminalPort : std::uint8_t {
  kPortDirectRs232 = 0,
  kPortCradleIr = 1,
  kPortIrda = 2,
  kPortKeyboardWedge = 3,  // upload only
  kPortUploadModem = 4,
};
constexpr std::uint8_t kPortDownloadModem = 3;
// baudRate and modemSpeed
enum BaudRate : std::uint8_t { kBaud115200 = 0, kBaud57600 = 1, kBaud38400 = 2, kBaud19200 = 3, kBaud9600 = 4 };
constexpr int kBaudRateCount = 5;
// backlight, dataDeletion, entryOption
enum Backlight : std::uint8_t { kBacklightOff = 0, kBacklightOn = 1 };
enum DataDeletion : std::uint8_t { kDeletionManual = 0, kDeletionAutomatic = 1 };
enum EntryOption : std::uint8_t { kEntryNoPrompt = 0, kEntryShowCount = 1, kEntryShowRecord = 2 };
// promptDuration: 0 waits for a key, 1 to 99 stays that many 100 ms
constexpr std::uint8_t kPromptWaitsForKey = 0;
// keyClick: 0 mute, 1 to 5 tones
constexpr std::uint8_t kKeyClickMute = 0;
constexpr int kKeyClickTones = 5;
// goodReadBeep, warningBeep
enum Beeps : std::uint8_t { kBeepMute = 0, kBeepOne = 1, kBeepTwo = 2, kBeepThree = 3 };
// security[i]: the protected functions, in stored order
enum SecurityItem : std::uint8_t {
  kSecuritySettings = 0,
  kSecurityEditData,
  kSecurityDeleteData,
  kSecuritySetDateTime,
  kSecurityLoadApplication,
  kSecurityLoadLookup,
  kSecurityUploadPort,
  kSecurityDownloadPort,
  kSecurityBaudRate,
  kSecurityBacklight,
  kSecurityDataDeletion,
  kSecurityEntryOptions,
};
constexpr int kSecurityItems = 12;
// soundSecurity[i]
enum SoundSecurityItem : std::uint8_t { kSecurityKeyClick = 0, kSecurityGoodRead = 1, kSecurityWarningBeep = 2 };
// codeId[i]: the symbologies, in stored order
enum CodeIdSymbology : std::uint8_t {
  kCodeIdCode39 = 0,
  kCodeIdItalianPharmacode,
  kCodeIdFrenchPharmacode,
  kCodeIdIndustrial25,
  kCodeIdInterleave25,
  kCodeIdMatrix25,
  kCodeIdCodabar,
  kCodeIdCode93,
  kCodeIdCode128,
  kCodeIdUpce,
  kCodeIdEan8,
  kCodeIdEan13,
  kCodeIdUpca,
  kCodeIdMsi,
  kCodeIdPlessey,
};
constexpr int kCodeIds = 15;
constexpr int kFunctionKeyMappings = 7;   // FN+1 to FN+7
constexpr int kFunctionKeyFunctions = 20; // 0 "Nil" to 19
constexpr int kSettingsTexts = 5;
constexpr int kPasswordChars = 10;
constexpr int kVibratorMaxSeconds = 5;

struct SystemSettings {
  std::uint8_t schemaRevision;  // kSchemaRevision
  std::uint8_t startFrom;
  std::uint8_t dataDelimiter1;  // character code, 0 none
  std::uint8_t dataDelimiter2;  // character code, 0 none
  std::uint8_t separateDataFiles;
  std::uint8_t uploadPort;
  char uploadPhone[21];
  std::uint8_t downloadPort;
  std::uint8_t baudRate;
  std::uint8_t backlight;
  std::uint8_t backlightIdle;  // 1 to 9, in units of 10 s
  std::uint8_t dataDeletion;
  std::uint8_t entryOption;
  std::uint8_t promptDuration;
  std::uint8_t security[kSecurityItems];
  char password[12];  // at most 10 digits and letters
  std::uint8_t functionKey[kFunctionKeyMappings];
  std::uint8_t unused65[3];  // cleared with the mapping
  std::uint8_t largeFont;
  std::uint8_t unused69[13];
  std::uint8_t functionKeysOn;
  std::uint8_t unused83;
  std::uint8_t codeIdsOn;
  std::uint8_t codeId[kCodeIds][2];  // code: copyCode / codeLength; a one-byte ID ends in 0
  std::uint8_t modemSpeed;           // BaudRate values
  char downloadPhone[21];
  std::uint8_t keyClick;
  std::uint8_t goodReadBeep;
  std::uint8_t warningBeep;
  std::uint8_t soundSecurity[3];
  std::uint8_t unused143[7];  // cleared with the security flags
  char settingsText[kSettingsTexts][21];
  std::uint8_t unused255;
  std::uint8_t vibratorDurationOld;  // earlier place of vibratorDuration, moved on load
  std::uint8_t vibratorDuration;     // 0 off, 1 to 5 seconds
  std::uint8_t ean128Replacement;    // character code, 0 none
  std::uint8_t unused259[9];
};

static_assert(sizeof(SystemSettings) == 268, "SystemSettings layout");
static_assert(offsetof(SystemSettings, startFrom) == 1, "SystemSettings layout");
static_assert(offsetof(SystemSettings, dataDelimiter1) == 2, "SystemSettings layout");
static_assert(offsetof(SystemSettings, dataDelimiter2) == 3, "SystemSettings layout");
static_assert(offsetof(SystemSettings, separateDataFiles) == 4, "SystemSettings layout");
static_assert(offsetof(SystemSettings, uploadPort) == 5, "SystemSettings layout");
static_assert(offsetof(SystemSettings, uploadPhone) == 6, "SystemSettings layout");
static_assert(offsetof(SystemSettings, downloadPort) == 27, "SystemSettings layout");
static_assert(offsetof(SystemSettings, baudRate) == 28, "SystemSettings layout");
static_assert(offsetof(SystemSettings, backlight) == 29, "SystemSettings layout");
static_assert(offsetof(SystemSettings, backlightIdle) == 30, "SystemSettings layout");
static_assert(offsetof(SystemSettings, dataDeletion) == 31, "SystemSettings layout");
static_assert(offsetof(SystemSettings, entryOption) == 32, "SystemSettings layout");
static_assert(offsetof(SystemSettings, promptDuration) == 33, "SystemSettings layout");
static_assert(offsetof(SystemSettings, security) == 34, "SystemSettings layout");
static_assert(offsetof(SystemSettings, password) == 46, "SystemSettings layout");
static_assert(offsetof(SystemSettings, functionKey) == 58, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused65) == 65, "SystemSettings layout");
static_assert(offsetof(SystemSettings, largeFont) == 68, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused69) == 69, "SystemSettings layout");
static_assert(offsetof(SystemSettings, functionKeysOn) == 82, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused83) == 83, "SystemSettings layout");
static_assert(offsetof(SystemSettings, codeIdsOn) == 84, "SystemSettings layout");
static_assert(offsetof(SystemSettings, codeId) == 85, "SystemSettings layout");
static_assert(offsetof(SystemSettings, modemSpeed) == 115, "SystemSettings layout");
static_assert(offsetof(SystemSettings, downloadPhone) == 116, "SystemSettings layout");
static_assert(offsetof(SystemSettings, keyClick) == 137, "SystemSettings layout");
static_assert(offsetof(SystemSettings, goodReadBeep) == 138, "SystemSettings layout");
static_assert(offsetof(SystemSettings, warningBeep) == 139, "SystemSettings layout");
static_assert(offsetof(SystemSettings, soundSecurity) == 140, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused143) == 143, "SystemSettings layout");
static_assert(offsetof(SystemSettings, settingsText) == 150, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused255) == 255, "SystemSettings layout");
static_assert(offsetof(SystemSettings, vibratorDurationOld) == 256, "SystemSettings layout");
static_assert(offsetof(SystemSettings, vibratorDuration) == 257, "SystemSettings layout");
static_assert(offsetof(SystemSettings, ean128Replacement) == 258, "SystemSettings layout");
static_assert(offsetof(SystemSettings, unused259) == 259, "SystemSettings layout");

// ---------------------------------------------------------------------------------------------
// WeightCode: the weighed-article barcode rule. Its numbers are 16-bit little-endian words,
// read and written byte by byte so the layout holds on any host.

constexpr std::uint16_t kWeightCodeMarker = 0xABDA;  // 43994

inline std::uint16_t readWord(const std::uint8_t (&w)[2]) {
  return static_cast<std::uint16_t>(w[0] | (w[1] << 8));
}
inline void writeWord(std::uint8_t (&w)[2], unsigned value) {
  w[0] = static_cast<std::uint8_t>(value & 0xFF);
  w[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

struct WeightCode {
  std::uint8_t markerWord[2];
  std::uint8_t flagsWord[2];  // bit 0 enable, bit 1 "1C format"
  char prefix[2];             // two characters, no NUL
  std::uint8_t maskCodeWord[2];  // 5 to 9
  std::uint8_t keyFieldWord[2];  // 1 to 8
  std::uint8_t qtyFieldWord[2];  // 1 to 8

  std::uint16_t marker() const { return readWord(markerWord); }
  void setMarker(unsigned value) { writeWord(markerWord, value); }
  bool enabled() const { return (readWord(flagsWord) & 1u) != 0; }
  void setEnabled(bool on) { writeWord(flagsWord, on ? (readWord(flagsWord) | 1u) : (readWord(flagsWord) & ~1u)); }
  bool oneCFormat() const { return (readWord(flagsWord) & 2u) != 0; }
  void setOneCFormat(bool on) { writeWord(flagsWord, on ? (readWord(flagsWord) | 2u) : (readWord(flagsWord) & ~2u)); }
  std::uint16_t maskCode() const { return readWord(maskCodeWord); }
  void setMaskCode(unsigned value) { writeWord(maskCodeWord, value); }
  std::uint16_t keyField() const { return readWord(keyFieldWord); }
  void setKeyField(unsigned value) { writeWord(keyFieldWord, value); }
  std::uint16_t qtyField() const { return readWord(qtyFieldWord); }
  void setQtyField(unsigned value) { writeWord(qtyFieldWord, value); }
};

static_assert(sizeof(WeightCode) == 12, "WeightCode layout");
static_assert(offsetof(WeightCode, flagsWord) == 2, "WeightCode layout");
static_assert(offsetof(WeightCode, prefix) == 4, "WeightCode layout");
static_assert(offsetof(WeightCode, maskCodeWord) == 6, "WeightCode layout");
static_assert(offsetof(WeightCode, keyFieldWord) == 8, "WeightCode layout");
static_assert(offsetof(WeightCode, qtyFieldWord) == 10, "WeightCode layout");

#pragma pack(pop)

}  // namespace torvik
