#include "definition/legacy_project.h"

#include <algorithm>
#include <cstring>

#include "definition/legacy_layout.h"
#include "definition/new_defaults.h"

namespace torvik {

bool hasLegacySignature(const std::uint8_t* bytes, std::size_t size) {
  return bytes != nullptr && size >= 8 &&
         (std::memcmp(bytes, "Rxx-4.00", 8) == 0 || std::memcmp(bytes, "Rxx-3.10", 8) == 0);
}

namespace {

// The file's bytes laid over the legacy layout. A short file leaves the rest of the layout
// unread; `has` tells which fields the file really held, and only those are converted.
class Staging {
 public:
  Staging(const std::uint8_t* bytes, std::size_t size)
      : read_(bytes == nullptr ? 0 : std::min(size, sizeof(LegacyProject))) {
    std::memset(&file, 0, sizeof file);
    if (read_ > 0) std::memcpy(&file, bytes, read_);
  }

  template <typename T>
  bool has(const T& field) const {
    return has(&field, sizeof(T));
  }
  bool has(const void* field, int size) const {
    const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(field) -
                                             reinterpret_cast<const std::uint8_t*>(&file));
    return at + static_cast<std::size_t>(size) <= read_;
  }

  LegacyProject file;

 private:
  std::size_t read_;
};

// A field copied as it is (numbers, flags, codes that may fill their whole width).
template <typename T>
void take(const Staging& s, const T& from, T& to) {
  if (s.has(from)) std::memcpy(&to, &from, sizeof to);
}

// Line by line, so that a file cut inside an array still gives the lines it holds.
template <typename T, std::size_t N>
void takeEach(const Staging& s, const T (&from)[N], T (&to)[N]) {
  for (std::size_t i = 0; i < N; ++i) take(s, from[i], to[i]);
}

// Texts are copied up to their NUL and cut to the field: an old file may fill a field to the
// last byte, and the next field must not be read as its continuation.
template <std::size_t N>
void takeText(const Staging& s, const char (&from)[N], char (&to)[N]) {
  if (s.has(from)) copyText(to, from);
}

template <std::size_t L, std::size_t N>
void takeTexts(const Staging& s, const char (&from)[L][N], char (&to)[L][N]) {
  for (std::size_t i = 0; i < L; ++i) takeText(s, from[i], to[i]);
}

// Message texts, by a table of moves: an entry outside its block or its group is skipped, so
// that a wrong row can never write into the next group or read past the layout.
void takeEntries(const Staging& s, const LegacyTextMove& move, ApplicationDefinition& def) {
  const MessageGroupView group = messageGroup(def, move.group);
  if (group.text == nullptr || group.width != move.width || move.width <= 0 || move.block > sizeof(LegacyProject))
    return;
  const auto* file = reinterpret_cast<const char*>(&s.file);
  for (int i = 0; i < move.count; ++i) {
    const int f = move.fromEntry - 1 + i;
    const int t = move.toEntry - 1 + i;
    if (f < 0 || f >= move.blockEntries || t < 0 || t >= group.entries) continue;
    const std::size_t at = move.block + static_cast<std::size_t>(f) * static_cast<std::size_t>(move.width);
    if (at + static_cast<std::size_t>(move.width) > sizeof(LegacyProject) || !s.has(file + at, move.width)) continue;
    copyText(group.entry(t), static_cast<std::size_t>(move.width), file + at);
  }
}

// Only the bits in `mask` come from the file; the others keep the bits the newer reader added.
void mergeBits(const Staging& s, const std::uint8_t& from, std::uint8_t& to, std::uint8_t mask) {
  if (s.has(from)) to = static_cast<std::uint8_t>((from & mask) | (to & ~mask));
}

void convertReaderAndWedge(const Staging& s, BarcodeSettings& barcode, WedgeSettings& wedge) {
  const std::uint8_t* from = s.file.readerWedge;
  auto* to = reinterpret_cast<std::uint8_t*>(&barcode);
  for (int i : {0, 1, 5, 6, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) take(s, from[i], to[i]);
  // The older reader's bytes 2, 7 and 11 lack bits that are ours now (RSS-14 Limited among
  // them): those keep their values.
  mergeBits(s, from[2], to[2], 0xFE);
  mergeBits(s, from[7], to[7], 0xF8);
  mergeBits(s, from[11], to[11], 0xDF);
  take(s, from[3], wedge.keyboardType);
  take(s, from[4], wedge.options);
  take(s, from[8], wedge.interCharDelay);
  take(s, from[23], wedge.timeout);
}

void convertMenu(const Staging& s, const LegacyMenuRecord& from, MenuRecord& to) {
  take(s, from.font, to.font);
  take(s, from.captionOn, to.captionOn);
  takeText(s, from.caption, to.caption);
  takeTexts(s, from.itemName, to.itemName);
  take(s, from.escTarget, to.escTarget);
  takeEach(s, from.itemNext, to.itemNext);
  take(s, from.saveCaption, to.saveCaption);
  take(s, from.saveSelectedItem, to.saveSelectedItem);
  take(s, from.passDown, to.passDown);
  take(s, from.itemCount, to.itemCount);
  take(s, from.simSelectedItem, to.simSelectedItem);
  take(s, from.simReserved, to.simReserved);
}

// The older family numbered four data types differently.
std::uint8_t currentDataType(std::uint8_t legacy) {
  switch (legacy) {
    case 5: return kDataFixed;
    case 6: return kDataPrompt;
    case 8: return kDataExtension;
    case 9: return kDataBoolean;
    default: return legacy;
  }
}

void setDateParts(FormRecord& form, std::uint8_t on) {
  form.stampYear = form.stampMonth = form.stampDay = form.stampDateSepOn = on;
  form.stampYearDigits = kYear4Digits;
}

void setTimeParts(FormRecord& form, std::uint8_t on) {
  form.stampHour = form.stampMinute = form.stampSecond = form.stampTimeSepOn = on;
}

// D numbers the date styles: bottom of the record for 1 to 6, top above; within each six,
// the first three separated; the style cycles through the three orders.
void setDateFromCode(FormRecord& form, int d) {
  form.stampYear = form.stampMonth = form.stampDay = 1;
  form.stampYearDigits = kYear4Digits;
  const int six = d % 6;
  form.stampDateSepOn = (six >= 1 && six <= 3) ? 1 : 0;
  const int three = d % 3;
  form.stampDateStyle = three == 1 ? kDateYearMonthDay : three == 2 ? kDateMonthDayYear : kDateDayMonthYear;
}

// T numbers the time styles: odd ones show the seconds, the first two of each four are separated.
void setTimeFromCode(FormRecord& form, int t) {
  form.stampHour = form.stampMinute = 1;
  form.stampSecond = (t % 2 == 1) ? 1 : 0;
  form.stampTimeSepOn = (t % 4 == 1 || t % 4 == 2) ? 1 : 0;
}

void convertStamp(int d, int t, FormRecord& form) {
  if (d == 0 && t == 0) {
    form.stampMode = kStampNone;
    form.stampSplit = 1;
    setDateParts(form, 1);
    setTimeParts(form, 1);
  } else if (d == 0) {
    form.stampMode = t <= 4 ? kStampBottom : kStampTop;
    form.stampSplit = 0;
    setDateParts(form, 0);
    setTimeFromCode(form, t);
  } else {
    form.stampMode = d <= 6 ? kStampBottom : kStampTop;
    form.stampSplit = t != 0 ? 1 : 0;
    setDateFromCode(form, d);
    if (t == 0) {
      setTimeParts(form, 0);
    } else {
      setTimeFromCode(form, t);
    }
  }
  copyText(form.stampDateSep, "/");
  copyText(form.stampTimeSep, ":");
}

void convertForm(const Staging& s, const LegacyFormRecord& from, FormRecord& to) {
  take(s, from.font, to.font);
  take(s, from.escTarget, to.escTarget);
  take(s, from.nextTarget, to.nextTarget);
  if (s.has(from.dateCode) && s.has(from.timeCode)) convertStamp(from.dateCode, from.timeCode, to);
  take(s, from.recordAction, to.recordAction);
  take(s, from.lookupIndex, to.lookupIndex);
  takeEach(s, from.lookupField, to.lookupField);
  for (int j = 0; j < kFormLines; ++j) {
    if (s.has(from.dataType[j])) to.dataType[j] = currentDataType(from.dataType[j]);
  }
  takeTexts(s, from.prompt, to.prompt);
  takeEach(s, from.inputSource, to.inputSource);
  takeEach(s, from.minLength, to.minLength);
  takeEach(s, from.maxLength, to.maxLength);
  takeEach(s, from.fixedLengthOn, to.fixedLengthOn);
  takeEach(s, from.alignment, to.alignment);
  takeEach(s, from.fixedLength, to.fixedLength);
  takeEach(s, from.initialOn, to.initialOn);
  takeTexts(s, from.initialText, to.initialText);
  takeEach(s, from.prefixOn, to.prefixOn);
  takeEach(s, from.prefix, to.prefix);
  takeEach(s, from.suffixOn, to.suffixOn);
  takeEach(s, from.suffix, to.suffix);
  takeEach(s, from.partialOn, to.partialOn);
  takeEach(s, from.partialStart, to.partialStart);
  takeEach(s, from.partialMax, to.partialMax);
  takeEach(s, from.leadingOn, to.leadingOn);
  takeEach(s, from.leadingCode, to.leadingCode);
  takeEach(s, from.autoEnter, to.autoEnter);
  takeEach(s, from.inputMark, to.inputMark);
  take(s, from.lastInputLine, to.lastInputLine);
  take(s, from.simCurrentLine, to.simCurrentLine);
}

void convertLookup(const Staging& s, const LegacyLookupRecord& from, LookupRecord& to) {
  take(s, from.memberLength, to.memberLength);
  take(s, from.fieldCount, to.fieldCount);
  take(s, from.keyField, to.keyField);
  takeEach(s, from.fieldOffset, to.fieldOffset);
  takeEach(s, from.fieldLength, to.fieldLength);
}

void convertSystemSettings(const Staging& s, SystemSettings& to) {
  const LegacyProject& f = s.file;
  take(s, f.startFrom, to.startFrom);
  take(s, f.dataDelimiter[0], to.dataDelimiter1);
  take(s, f.dataDelimiter[1], to.dataDelimiter2);

  const LegacyTerminalSettings& t = f.terminal;
  take(s, t.uploadPort, to.uploadPort);
  take(s, t.downloadPort, to.downloadPort);
  take(s, t.baudRate, to.baudRate);
  take(s, t.backlight, to.backlight);
  // Stored as a digit character; 0 means the old terminal never set it. A byte that is no
  // digit is damage, not a time, so it leaves the current value alone.
  if (s.has(t.backlightIdleDigit) && t.backlightIdleDigit >= '0' && t.backlightIdleDigit <= '9')
    to.backlightIdle = static_cast<std::uint8_t>(t.backlightIdleDigit - '0');
  take(s, t.dataDeletion, to.dataDeletion);
  if (s.has(t.entryOptionInverted)) to.entryOption = t.entryOptionInverted == 0 ? kEntryShowCount : kEntryNoPrompt;
  takeEach(s, t.security, to.security);

  if (s.has(f.password)) {
    static_assert(sizeof to.password == sizeof f.password + 2, "ten characters and two zero bytes");
    std::memcpy(to.password, f.password, sizeof f.password);
    to.password[10] = to.password[11] = 0;
  }
}

// A legacy text block: its file offset, entries and width.
#define TORVIK_LEGACY_TEXTS(block)                                                   \
  offsetof(LegacyProject, block), static_cast<int>(sizeof LegacyProject::block /      \
                                                    sizeof LegacyProject::block[0]), \
      static_cast<int>(sizeof LegacyProject::block[0])

// Message groups in file order, as messageGroup() numbers them.
enum : int {
  kMainMenu = 1, kUtilities, kDeleteData, kConfirm, kMemoryPower, kLoadLookup, kSettings, kUploadPort,
  kDownloadPort, kBaudRate, kBacklight, kDataDeletion, kEntryOptions, kViewSettings, kConnecting = 22,
  kErrors = 24, kMiscellaneous, kMiscContinuous,
};

const LegacyTextMove kTextMoves[] = {
    {TORVIK_LEGACY_TEXTS(mainMenuTexts), 1, kMainMenu, 1, 3},
    {TORVIK_LEGACY_TEXTS(utilitiesTexts), 1, kUtilities, 1, 8},
    {TORVIK_LEGACY_TEXTS(deleteDataTexts), 1, kDeleteData, 1, 4},
    {TORVIK_LEGACY_TEXTS(confirmTexts), 1, kConfirm, 1, 3},
    {TORVIK_LEGACY_TEXTS(memoryPowerTexts), 1, kMemoryPower, 1, 4},
    {TORVIK_LEGACY_TEXTS(loadLookupTexts), 1, kLoadLookup, 1, 4},
    {TORVIK_LEGACY_TEXTS(settingsTexts), 1, kSettings, 1, 8},
    {TORVIK_LEGACY_TEXTS(uploadPortTexts), 1, kUploadPort, 1, 1},
    {TORVIK_LEGACY_TEXTS(uploadPortTexts), 4, kUploadPort, 4, 2},
    {TORVIK_LEGACY_TEXTS(uploadPortTexts), 7, kMiscContinuous, 2, 2},
    {TORVIK_LEGACY_TEXTS(downloadPortTexts), 1, kDownloadPort, 1, 2},
    {TORVIK_LEGACY_TEXTS(downloadPortTexts), 5, kDownloadPort, 5, 1},
    {TORVIK_LEGACY_TEXTS(baudRateTexts), 1, kBaudRate, 1, 5},
    {TORVIK_LEGACY_TEXTS(backlightTexts), 1, kBacklight, 1, 4},
    {TORVIK_LEGACY_TEXTS(dataDeletionTexts), 1, kDataDeletion, 1, 4},
    {TORVIK_LEGACY_TEXTS(viewSettingsTexts), 1, kViewSettings, 1, 7},
    {TORVIK_LEGACY_TEXTS(connectingTexts), 1, kConnecting, 1, 4},
    {TORVIK_LEGACY_TEXTS(errorTexts), 1, kErrors, 1, 4},
    {TORVIK_LEGACY_TEXTS(errorTexts), 5, kErrors, 6, 1},
    {TORVIK_LEGACY_TEXTS(miscTexts), 1, kMiscellaneous, 1, 7},
};
// Only with the extension block: entry options 5 and 6 from the third and fourth texts.
const LegacyTextMove kExtensionTextMove{TORVIK_LEGACY_TEXTS(entryOptionTexts), 3, kEntryOptions, 5, 2};
#undef TORVIK_LEGACY_TEXTS

void convertMessages(const Staging& s, ApplicationDefinition& def) {
  for (const LegacyTextMove& move : kTextMoves) takeEntries(s, move, def);
}

void convertExtension(const Staging& s, ApplicationDefinition& def) {
  const LegacyExtension& e = s.file.extension;
  if (!s.has(e.mark) || e.mark != kLegacyExtensionMark) return;
  take(s, e.addReturnLineFeed, def.wedgeSettings.addReturnLineFeed);
  for (int i = 0; i < kLookupCount; ++i) {
    take(s, e.delimiter[i], def.lookup[i].delimiter);
    take(s, e.uploadable[i], def.lookup[i].uploadable);
    take(s, e.noMatchAction[i], def.lookup[i].noMatchAction);
  }
  take(s, e.separateDataFiles, def.systemSettings.separateDataFiles);
  takeEntries(s, kExtensionTextMove, def);
}

}  // namespace

void moveLegacyTexts(const std::uint8_t* bytes, std::size_t size, const LegacyTextMove* moves, std::size_t count,
                     ApplicationDefinition& def) {
  const Staging s(bytes, size);
  for (std::size_t i = 0; moves != nullptr && i < count; ++i) takeEntries(s, moves[i], def);
}

bool convertLegacyProject(const std::uint8_t* bytes, std::size_t size, ApplicationDefinition& def) {
  const Staging s(bytes, size);
  const LegacyProject& f = s.file;

  take(s, f.headerWord, def.headerWord);
  convertReaderAndWedge(s, def.barcodeSettings, def.wedgeSettings);
  for (int i = 0; i < kMenuCount; ++i) convertMenu(s, f.menu[i], def.menu[i]);
  for (int i = 0; i < kFormCount; ++i) convertForm(s, f.form[i], def.form[i]);
  for (int i = 0; i < kLookupCount; ++i) convertLookup(s, f.lookup[i], def.lookup[i]);
  convertSystemSettings(s, def.systemSettings);
  convertMessages(s, def);
  convertExtension(s, def);
  // The older family had no weighed-article rule.
  applyWeightCodeDefaults(def.weightCode);
  return bytes != nullptr && size >= kLegacyProjectSize;
}

}  // namespace torvik
