#include "definition/new_defaults.h"

#include <cstring>
#include <memory>

#include "base/ui_strings.h"

namespace torvik {

namespace {

template <typename T>
void zero(T& field) {
  std::memset(&field, 0, sizeof field);
}

void resetForm(FormRecord& form, int number) {
  form.font = 0;
  form.escTarget = kTargetMainMenu;
  form.nextTarget = formTarget(number);  // the form is entered again once it is complete
  form.recordAction = kRecordSave;
  form.lookupIndex = kNoLookup;
  form.errorAction = kErrorSkip;

  form.stampMode = kStampNone;
  form.stampSplit = form.stampYear = form.stampMonth = form.stampDay = form.stampDateSepOn = 1;
  form.stampYearDigits = kYear4Digits;
  form.stampDateSep[0] = '/';
  form.stampDateSep[1] = '\0';
  form.stampDateStyle = kDateYearMonthDay;
  form.stampHour = form.stampMinute = form.stampSecond = form.stampTimeSepOn = 1;
  form.stampTimeSep[0] = ':';
  form.stampTimeSep[1] = '\0';

  for (int j = 0; j < kFormLines; ++j) {
    FormLine line = form.line(j);
    line.dataType = kDataNil;
    line.lookupField = kLookupFieldNil;
    zero(line.prompt);
    line.inputSource = kInputBoth;
    line.minLength = 0;
    line.maxLength = kMaxInputLength;
    line.fixedLengthOn = 0;
    line.alignment = kAlignLeftSpace;
    line.fixedLength = 0;
    line.initialOn = 0;
    zero(line.initialText);
    line.prefixOn = 0;
    zero(line.prefix);
    line.suffixOn = 0;
    zero(line.suffix);
    line.partialOn = 0;
    line.partialStart = 0;
    line.partialMax = 20;
    line.leadingOn = 0;
    zero(line.leadingCode);
    line.autoEnter = kAutoEnterScan;
    line.inputMark = 0;
    line.reserved[0] = 0;  // the rest of the reserved bytes stay as they are
    line.checkDigit = kCheckDigitNone;
    line.decimals = 0;
  }
  zero(form.fnBranch);
  zero(form.fnSumField);
  zero(form.fnSumSource);
  form.lastInputLine = 0;
  form.simCurrentLine = 0;
}

void resetMenu(MenuRecord& menu) {
  menu.font = 0;
  menu.captionOn = 0;
  zero(menu.caption);
  zero(menu.itemName);
  zero(menu.itemNext);
  menu.escTarget = kTargetMainMenu;
  menu.saveCaption = menu.saveSelectedItem = menu.passDown = 0;
  menu.itemCount = menu.simSelectedItem = menu.simReserved = 0;
}

void resetLookup(LookupRecord& lookup) {
  lookup.memberLength = lookup.fieldCount = lookup.keyField = 0;
  for (int i = 0; i < kLookupFields; ++i) {
    lookup.field(i).offset = 1;
    lookup.field(i).length = 0;
  }
  lookup.delimiter = '\t';
  lookup.uploadable = 1;
  lookup.noMatchAction = kNoMatchContinue;
  lookup.badFormatAction = kBadFormatStop;
  lookup.readOnce = 0;
}

void resetSystemSettings(SystemSettings& s, const DefaultMessages& messages) {
  s.schemaRevision = kSchemaRevision;
  s.startFrom = kStartForm1;
  s.dataDelimiter1 = '\t';
  s.dataDelimiter2 = 0;
  s.separateDataFiles = 0;
  s.uploadPort = kPortCradleIr;
  zero(s.uploadPhone);
  s.downloadPort = kPortCradleIr;
  s.baudRate = kBaud115200;
  s.backlight = kBacklightOff;
  s.backlightIdle = 2;
  s.dataDeletion = kDeletionManual;
  s.entryOption = kEntryShowCount;
  s.promptDuration = 6;
  zero(s.security);
  zero(s.password);
  zero(s.functionKey);
  zero(s.unused65);
  s.largeFont = 0;
  s.codeIdsOn = 0;
  zero(s.codeId);
  s.modemSpeed = kBaud115200;
  zero(s.downloadPhone);
  s.keyClick = 2;
  s.goodReadBeep = kBeepOne;
  s.warningBeep = kBeepTwo;
  zero(s.soundSecurity);
  zero(s.unused143);
  for (int i = 0; i < kSettingsTexts; ++i) {
    zero(s.settingsText[i]);
    copyText(s.settingsText[i], messages.settingsSmall[i]);
  }
  s.vibratorDuration = 0;
  // unused69, functionKeysOn, unused83, unused255, vibratorDurationOld and the bytes from
  // ean128Replacement on keep their values.
}

void resetMessageGroups(ApplicationDefinition& def, const DefaultMessages& messages) {
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView group = messageGroup(def, g);
    std::memset(group.text, 0, static_cast<std::size_t>(group.entries * group.width));
    for (int i = 0; i < group.entries && i < kMaxGroupEntries; ++i)
      copyText(group.entry(i), static_cast<std::size_t>(group.width), messages.small[g][i]);
  }
}

}  // namespace

void resetBarcodeSettings(BarcodeSettings& settings) {
  std::uint8_t* b = reinterpret_cast<std::uint8_t*>(&settings);
  b[0] = 0x9B;
  b[1] = 0xC9;
  b[2] = 0x00;
  b[3] = 0x3F;
  b[4] |= 0x80;
  b[5] = 0x2D;
  b[6] = 0x54;
  b[7] = static_cast<std::uint8_t>((b[7] & 0x07) | 0x80);
  b[9] = 0x19;
  b[10] = 0x3D;
  b[11] &= 0x20;
  const std::uint8_t lengths[8] = {255, 1, 254, 1, 255, 1, 255, 1};
  std::memcpy(b + 12, lengths, sizeof lengths);
  b[20] = 0x66;
  b[21] = 3;
  b[22] |= 0xC0;
}

void applyWeightCodeDefaults(WeightCode& weightCode) {
  weightCode.setMarker(kWeightCodeMarker);
  writeWord(weightCode.flagsWord, 1);
  weightCode.prefix[0] = '2';
  weightCode.prefix[1] = '3';
  weightCode.setMaskCode(7);
  weightCode.setKeyField(2);
  weightCode.setQtyField(4);
}

void applyApplicationReset(ApplicationDefinition& def, const DefaultMessages& messages) {
  std::memcpy(def.versionTag, kVersionTagText, sizeof def.versionTag);
  for (int n = 1; n <= kFormCount; ++n) resetForm(def.form[n - 1], n);
  for (MenuRecord& menu : def.menu) resetMenu(menu);
  for (LookupRecord& lookup : def.lookup) resetLookup(lookup);
  def.wedgeSettings.keyboardType = 0;
  def.wedgeSettings.options = 0;
  def.wedgeSettings.interCharDelay = 0;
  def.wedgeSettings.timeout = 0;
  def.wedgeSettings.addReturnLineFeed = 1;
  resetSystemSettings(def.systemSettings, messages);
  applyWeightCodeDefaults(def.weightCode);
  resetMessageGroups(def, messages);
}

void applyNewApplicationDefaults(ApplicationDefinition& def, const DefaultMessages& messages) {
  resetBarcodeSettings(def.barcodeSettings);
  applyApplicationReset(def, messages);
}

void applyNewApplicationDefaults(ApplicationDefinition& def) {
  auto strings = std::make_unique<UiStrings>();
  auto messages = std::make_unique<DefaultMessages>();
  buildDefaultMessages(*strings, *messages);
  applyNewApplicationDefaults(def, *messages);
}

}  // namespace torvik
