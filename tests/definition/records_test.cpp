#include "definition/records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "definition/application_definition.h"

namespace torvik {
namespace {

template <typename Record>
std::ptrdiff_t offsetIn(const Record& record, const void* field) {
  return static_cast<const std::uint8_t*>(field) - reinterpret_cast<const std::uint8_t*>(&record);
}

// Byte-for-byte difference of two copies of a record: the offsets that changed.
template <typename Record>
std::vector<std::size_t> changedBytes(const Record& before, const Record& after) {
  const auto* a = reinterpret_cast<const std::uint8_t*>(&before);
  const auto* b = reinterpret_cast<const std::uint8_t*>(&after);
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < sizeof(Record); ++i)
    if (a[i] != b[i]) changed.push_back(i);
  return changed;
}

template <typename Record>
void fillPattern(Record& record) {
  auto* p = reinterpret_cast<std::uint8_t*>(&record);
  for (std::size_t i = 0; i < sizeof(Record); ++i) p[i] = static_cast<std::uint8_t>(i * 7 + 3);
}

TEST(FormRecordLayout, LineViewFindsEachPropertyInItsParallelArray) {
  auto form = std::make_unique<FormRecord>();
  const FormRecord& cform = *form;
  struct Field {
    const char* name;
    std::ptrdiff_t base;
    std::ptrdiff_t stride;
    const void* (*at)(const ConstFormLine&);
  };
  const Field fields[] = {
      {"lookupField", 21, 1, [](const ConstFormLine& l) -> const void* { return &l.lookupField; }},
      {"dataType", 29, 1, [](const ConstFormLine& l) -> const void* { return &l.dataType; }},
      {"prompt", 37, 21, [](const ConstFormLine& l) -> const void* { return l.prompt; }},
      {"inputSource", 205, 1, [](const ConstFormLine& l) -> const void* { return &l.inputSource; }},
      {"minLength", 213, 1, [](const ConstFormLine& l) -> const void* { return &l.minLength; }},
      {"maxLength", 221, 1, [](const ConstFormLine& l) -> const void* { return &l.maxLength; }},
      {"fixedLengthOn", 229, 1, [](const ConstFormLine& l) -> const void* { return &l.fixedLengthOn; }},
      {"alignment", 237, 1, [](const ConstFormLine& l) -> const void* { return &l.alignment; }},
      {"fixedLength", 245, 1, [](const ConstFormLine& l) -> const void* { return &l.fixedLength; }},
      {"initialOn", 253, 1, [](const ConstFormLine& l) -> const void* { return &l.initialOn; }},
      {"initialText", 261, 10, [](const ConstFormLine& l) -> const void* { return l.initialText; }},
      {"prefixOn", 341, 1, [](const ConstFormLine& l) -> const void* { return &l.prefixOn; }},
      {"prefix", 349, 10, [](const ConstFormLine& l) -> const void* { return l.prefix; }},
      {"suffixOn", 429, 1, [](const ConstFormLine& l) -> const void* { return &l.suffixOn; }},
      {"suffix", 437, 10, [](const ConstFormLine& l) -> const void* { return l.suffix; }},
      {"partialOn", 517, 1, [](const ConstFormLine& l) -> const void* { return &l.partialOn; }},
      {"partialStart", 525, 1, [](const ConstFormLine& l) -> const void* { return &l.partialStart; }},
      {"partialMax", 533, 1, [](const ConstFormLine& l) -> const void* { return &l.partialMax; }},
      {"leadingOn", 541, 1, [](const ConstFormLine& l) -> const void* { return &l.leadingOn; }},
      {"leadingCode", 549, 6, [](const ConstFormLine& l) -> const void* { return l.leadingCode; }},
      {"autoEnter", 597, 1, [](const ConstFormLine& l) -> const void* { return &l.autoEnter; }},
      {"inputMark", 605, 1, [](const ConstFormLine& l) -> const void* { return &l.inputMark; }},
      {"reserved", 613, 50, [](const ConstFormLine& l) -> const void* { return l.reserved; }},
      {"checkDigit", 1015, 1, [](const ConstFormLine& l) -> const void* { return &l.checkDigit; }},
      {"decimals", 1027, 1, [](const ConstFormLine& l) -> const void* { return &l.decimals; }},
  };
  for (const Field& f : fields) {
    SCOPED_TRACE(f.name);
    for (int j = 0; j < kFormLines; ++j) {
      SCOPED_TRACE(j);
      EXPECT_EQ(offsetIn(cform, f.at(cform.line(j))), f.base + f.stride * j);
    }
  }
}

TEST(FormRecordLayout, WritingThroughALineTouchesOnlyThatLinesBytes) {
  auto form = std::make_unique<FormRecord>();
  fillPattern(*form);
  const FormRecord before = *form;

  form->line(7).maxLength = 80;
  form->line(0).dataType = kDataCompare;
  form->line(3).checkDigit = 8;
  copyText(form->line(2).prompt, "Qty");
  EXPECT_EQ(changedBytes(before, *form), (std::vector<std::size_t>{29, 37 + 42, 37 + 43, 37 + 44, 37 + 45, 228, 1018}));
  EXPECT_EQ(form->maxLength[7], 80);
  EXPECT_STREQ(form->prompt[2], "Qty");

  // Line 8's text fields end where the next property begins: a full-width write stays inside.
  const FormRecord beforeTexts = *form;
  copyText(form->line(7).prompt, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  copyText(form->line(7).initialText, "1234567890123");
  for (std::size_t offset : changedBytes(beforeTexts, *form)) {
    const bool inPrompt = offset >= 37 + 147 && offset < 37 + 168;
    const bool inInitial = offset >= 261 + 70 && offset < 261 + 80;
    EXPECT_TRUE(inPrompt || inInitial) << offset;
  }
  EXPECT_STREQ(form->line(7).prompt, "ABCDEFGHIJKLMNOPQRST");  // 20 characters and the NUL
  EXPECT_STREQ(form->line(7).initialText, "123456789");
  EXPECT_EQ(form->prefixOn[0], before.prefixOn[0]);
}

TEST(FormRecordLayout, PackedLineAndKeyBytesKeepTheirOtherBits) {
  FormRecord form{};
  FormLine line = form.line(4);
  line.setPartialStartPosition(127);
  EXPECT_EQ(form.partialStart[4], 0x7F);
  line.setSaveFullBarcode(true);
  EXPECT_EQ(form.partialStart[4], 0xFF);
  line.setPartialStartPosition(1);
  EXPECT_EQ(form.partialStart[4], 0x81);
  EXPECT_EQ(form.line(4).partialStartPosition(), 1);
  EXPECT_TRUE(form.line(4).saveFullBarcode());
  line.setSaveFullBarcode(false);
  EXPECT_EQ(form.partialStart[4], 0x01);

  // Summation: low nibble the field, high nibble 1 + the multiplying field (0 = none).
  form.setSumField(2, 7);
  EXPECT_EQ(form.sumMultiplier(2), -1);
  form.setSumMultiplier(2, 7);
  EXPECT_EQ(form.fnSumField[2], 0x87);
  form.setSumMultiplier(2, -1);
  EXPECT_EQ(form.fnSumField[2], 0x07);
  EXPECT_EQ(form.sumField(2), 7);

  form.fnRemainsField[1] = 0xE0;  // bits nobody names stay as loaded
  form.setRemainsEnabled(1, true);
  form.setRemainsField(1, 5);
  EXPECT_EQ(form.fnRemainsField[1], 0xF5);
  form.setRemainsEnabled(1, false);
  EXPECT_EQ(form.fnRemainsField[1], 0xE5);
  EXPECT_FALSE(form.remainsEnabled(1));
  EXPECT_EQ(form.remainsField(1), 5);

  form.setFilterVariable(3, 2);
  form.setFilterIsSuffix(3, true);
  EXPECT_EQ(form.fnRemainsFilter[3], 0x21);
  EXPECT_EQ(form.filterVariable(3), 2);
  EXPECT_TRUE(form.filterIsSuffix(3));
  EXPECT_EQ(form.fnRemainsFilter[2], 0);
}

TEST(FormRecordLayout, FormsSitWholeInTheDefinition) {
  auto def = std::make_unique<ApplicationDefinition>();
  EXPECT_EQ(offsetIn(*def, &def->form[1].line(7).decimals), 3535 + 1215 + 1027 + 7);
  EXPECT_EQ(offsetIn(*def, def->form[9].unused + 162), 3535 + 12150 - 1);
  EXPECT_EQ(offsetIn(*def, &def->menu[9].unused[99]), 35 + 3500 - 1);
  EXPECT_EQ(offsetIn(*def, &def->lookup[2].unused[95]), 15685 + 366 - 1);
  EXPECT_EQ(offsetIn(*def, &def->systemSettings.schemaRevision), 18574);
}

TEST(MenuRecordLayout, ItemViewReadsAndWritesTheTwoParallelArrays) {
  MenuRecord menu{};
  fillPattern(menu);
  const MenuRecord before = menu;
  for (int k = 0; k < kMenuItems; ++k) {
    SCOPED_TRACE(k);
    const MenuRecord& cmenu = menu;
    EXPECT_EQ(offsetIn(menu, cmenu.item(k).name), 23 + 21 * k);
    EXPECT_EQ(offsetIn(menu, &cmenu.item(k).next), 234 + k);
  }
  menu.item(9).next = menuTarget(10);
  copyText(menu.item(9).name, "A very long item text");
  const auto changed = changedBytes(before, menu);
  ASSERT_FALSE(changed.empty());
  for (std::size_t offset : changed) EXPECT_TRUE((offset >= 212 && offset < 233) || offset == 243) << offset;
  EXPECT_STREQ(menu.itemName[9], "A very long item tex");
  EXPECT_EQ(menu.escTarget, before.escTarget);  // the byte right after the last name
  EXPECT_EQ(menu.itemNext[9], 20);
}

TEST(LookupRecordLayout, FieldViewAndDefinedRecords) {
  LookupRecord lookup{};
  for (int i = 0; i < kLookupFields; ++i) {
    lookup.field(i).offset = static_cast<std::uint8_t>(1 + i * 5);
    lookup.field(i).length = static_cast<std::uint8_t>(4);
  }
  const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(&lookup);
  EXPECT_EQ(bytes[3], 1);
  EXPECT_EQ(bytes[10], 36);
  EXPECT_EQ(bytes[11], 4);
  EXPECT_EQ(bytes[18], 4);
  EXPECT_EQ(bytes[19], 0);  // the delimiter after the last length is untouched
  const LookupRecord& clookup = lookup;
  EXPECT_EQ(clookup.field(7).offset, 36);

  EXPECT_FALSE(lookup.isDefined());
  lookup.memberLength = 40;
  EXPECT_FALSE(lookup.isDefined());  // no fields
  lookup.fieldCount = 3;
  EXPECT_TRUE(lookup.isDefined());
  lookup.memberLength = 0;
  EXPECT_FALSE(lookup.isDefined());
}

// Every named barcode bit field, to check them against each other.
const BarcodeBits kAllBarcodeBits[] = {
    barcode::code39, barcode::italianPharmacode, barcode::frenchPharmacode, barcode::industrial25,
    barcode::interleave25, barcode::matrix25, barcode::codabar, barcode::code93, barcode::code128OrEan128,
    barcode::upce, barcode::upceAddon2, barcode::upceAddon5, barcode::ean8, barcode::ean8Addon2,
    barcode::ean8Addon5, barcode::ean13Upca, barcode::ean13Addon2, barcode::ean13Addon5, barcode::msi,
    barcode::plessey, barcode::telepen, barcode::telepenNumeric, barcode::rss14Limited, barcode::rss14Expanded,
    barcode::rss14, barcode::rss14CodeId, barcode::rss14ApplicationId, barcode::rss14CheckDigit,
    barcode::rss14LimitedCodeId, barcode::rss14LimitedApplicationId, barcode::rss14LimitedCheckDigit,
    barcode::rss14ExpandedCodeId, barcode::code39StartStop, barcode::code39VerifyChecksum,
    barcode::code39TransmitChecksum, barcode::code39FullAscii, barcode::italianPharmacodeChecksum,
    barcode::frenchPharmacodeChecksum, barcode::interleave25VerifyChecksum,
    barcode::interleave25TransmitChecksum, barcode::industrial25VerifyChecksum,
    barcode::industrial25TransmitChecksum, barcode::matrix25VerifyChecksum, barcode::matrix25TransmitChecksum,
    barcode::interleave25StartStop, barcode::industrial25StartStop, barcode::matrix25StartStop,
    barcode::codabarStyle, barcode::codabarStartStop, barcode::msiVerify, barcode::msiTransmit,
    barcode::plesseyTransmitChecksum, barcode::plesseyToUkPlessey, barcode::upceToUpca, barcode::upcaToEan13,
    barcode::isbn, barcode::issn, barcode::upceTransmitChecksum, barcode::upcaTransmitChecksum,
    barcode::ean8TransmitChecksum, barcode::ean13TransmitChecksum, barcode::upceSystemNumber,
    barcode::upcaSystemNumber, barcode::ean8ToEan13, barcode::negativeBarcode, barcode::readRedundancy,
    barcode::scanMode, barcode::code128, barcode::ean128, barcode::ean128NoCodeId, barcode::code128Copy,
};

TEST(BarcodeSettingsLayout, NamedBitsDoNotOverlapAndLeaveTheUnnamedOnesAlone) {
  std::uint8_t used[23] = {};
  for (const BarcodeBits& f : kAllBarcodeBits) {
    SCOPED_TRACE(testing::Message() << "byte " << int(f.byte) << " shift " << int(f.shift));
    BarcodeSettings settings{};
    settings.set(f, (1 << f.width) - 1);
    const auto changed = changedBytes(BarcodeSettings{}, settings);
    ASSERT_EQ(changed, std::vector<std::size_t>{f.byte});
    const std::uint8_t mask = reinterpret_cast<const std::uint8_t*>(&settings)[f.byte];
    EXPECT_EQ(used[f.byte] & mask, 0) << "overlaps another name";
    used[f.byte] |= mask;
    EXPECT_EQ(settings.get(f), (1 << f.width) - 1);

    // Clearing from all-ones clears exactly the same bits.
    BarcodeSettings ones;
    std::memset(&ones, 0xFF, sizeof ones);
    ones.set(f, 0);
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&ones)[f.byte], static_cast<std::uint8_t>(~mask));
    EXPECT_FALSE(ones.on(f));
  }
  // Byte 2 bit 3, byte 4 bits 6-0, byte 7 bits 2-0, byte 8, byte 11 bits 6, 5, 1, 0 and the
  // low nibbles of bytes 20 and 22 carry nothing the editor knows; bytes 12 to 19 and 21 are
  // lengths and the time-out.
  const std::uint8_t expected[23] = {0xFF, 0xFF, 0xF7, 0xFF, 0x80, 0xFF, 0xFF, 0xF8, 0x00, 0xFF, 0xFF, 0x9C,
                                     0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0, 0xF0};
  for (int i = 0; i < 23; ++i) EXPECT_EQ(used[i], expected[i]) << "byte " << i;
}

TEST(BarcodeSettingsLayout, MultiBitValuesLandInTheirBits) {
  BarcodeSettings s{};
  s.set(barcode::scanMode, barcode::kScanAiming);
  EXPECT_EQ(s.scanModeByte, 0x80);
  s.set(barcode::codabarStyle, barcode::kCodabarUpperTne);
  s.set(barcode::matrix25StartStop, barcode::kStartStopMatrix25);
  EXPECT_EQ(s.options[7], 0xB0);
  EXPECT_EQ(s.get(barcode::codabarStyle), 3);
  s.set(barcode::msiTransmit, barcode::kMsiLast2DigitsNotSent);
  s.set(barcode::msiVerify, barcode::kMsiMod10Mod10);
  EXPECT_EQ(s.options[9], 0x60);
  s.set(barcode::readRedundancy, 3);
  EXPECT_EQ(s.options[11], 0x0C);
  s.set(barcode::telepenNumeric, true);
  EXPECT_EQ(s.options[2], 0x02);

  // A value too wide for its bits is cut to them; the neighbours never change.
  s.scanModeByte = 0x0F;
  s.set(barcode::scanMode, 0x1F);
  EXPECT_EQ(s.scanModeByte, 0xFF);
  EXPECT_EQ(s.timeout, 0);
}

TEST(BarcodeSettingsLayout, LengthModeAndMaximumShareOneByte) {
  BarcodeSettings s{};
  s.msiLength.setMaxLength(127);
  EXPECT_FALSE(s.msiLength.rangeMode());
  s.msiLength.setRangeMode(true);
  s.msiLength.minLength = 4;
  const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(&s);
  EXPECT_EQ(bytes[18], 0xFF);
  EXPECT_EQ(bytes[19], 4);
  s.msiLength.setMaxLength(1);
  EXPECT_EQ(bytes[18], 0x81);
  EXPECT_EQ(s.msiLength.maxLength(), 1);
  s.msiLength.setRangeMode(false);
  EXPECT_EQ(bytes[18], 0x01);
  s.industrial25Length.setMaxLength(20);
  s.interleave25Length.setMaxLength(21);
  s.matrix25Length.setMaxLength(22);
  EXPECT_EQ(bytes[12], 20);
  EXPECT_EQ(bytes[14], 21);
  EXPECT_EQ(bytes[16], 22);
}

TEST(WedgeSettingsLayout, OptionBitsAndTheAutoDetectionChoice) {
  WedgeSettings w{};
  w.set(wedge::lockType, wedge::kLockShift);
  EXPECT_EQ(w.options, 0x04);
  w.set(wedge::digitsLayout, wedge::kDigitsUpper);
  w.set(wedge::numericKeypadDigits, true);
  EXPECT_EQ(w.options, 0x15);
  EXPECT_EQ(w.get(wedge::lockType), 2);
  EXPECT_EQ(w.interCharDelay, 0);

  EXPECT_TRUE(w.autoDetectionShown());  // neither of the other two, bit 7 clear
  w.set(wedge::autoDetection, true);
  EXPECT_TRUE(w.autoDetectionShown());
  w.set(wedge::ignoreCase, true);
  EXPECT_FALSE(w.autoDetectionShown());  // whatever bit 7 holds
  w.set(wedge::ignoreCase, false);
  w.set(wedge::alwaysLocked, true);
  EXPECT_FALSE(w.autoDetectionShown());
  EXPECT_EQ(w.options, 0xD5);
}

TEST(WeightCodeLayout, WordsAreLittleEndianByteByByte) {
  WeightCode w{};
  w.setMarker(kWeightCodeMarker);
  EXPECT_EQ(w.markerWord[0], 0xDA);
  EXPECT_EQ(w.markerWord[1], 0xAB);
  EXPECT_EQ(w.marker(), 43994);

  const std::uint8_t raw[12] = {0xDA, 0xAB, 0x02, 0x01, '2', '3', 0x09, 0x00, 0x08, 0x00, 0x34, 0x12};
  std::memcpy(&w, raw, sizeof w);
  EXPECT_FALSE(w.enabled());
  EXPECT_TRUE(w.oneCFormat());
  EXPECT_EQ(w.prefix[0], '2');
  EXPECT_EQ(w.prefix[1], '3');
  EXPECT_EQ(w.maskCode(), 9);
  EXPECT_EQ(w.keyField(), 8);
  EXPECT_EQ(w.qtyField(), 0x1234);

  // The flag setters keep the other bits of the word, high byte included.
  w.setEnabled(true);
  EXPECT_EQ(w.flagsWord[0], 0x03);
  EXPECT_EQ(w.flagsWord[1], 0x01);
  w.setOneCFormat(false);
  EXPECT_EQ(w.flagsWord[0], 0x01);
  EXPECT_EQ(w.flagsWord[1], 0x01);
  w.setMaskCode(5);
  EXPECT_EQ(w.maskCodeWord[0], 5);
  EXPECT_EQ(w.maskCodeWord[1], 0);
}

TEST(WeightCodeLayout, EachFlagReadsItsOwnBitOfTheWordOnly) {
  struct Row {
    std::uint16_t flags;
    bool enabled;
    bool oneC;
  };
  const Row rows[] = {{0x0000, false, false}, {0x0001, true, false}, {0x0002, false, true},
                      {0x0003, true, true},   {0x0100, false, false}, {0x0200, false, false},
                      {0xFFFC, false, false}, {0xFFFD, true, false},  {0xFFFE, false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.flags);
    WeightCode w{};
    writeWord(w.flagsWord, row.flags);
    EXPECT_EQ(w.enabled(), row.enabled);
    EXPECT_EQ(w.oneCFormat(), row.oneC);
  }
}

TEST(CodeFields, MayFillTheirWholeWidthAndAreNeverReadPastIt) {
  auto form = std::make_unique<FormRecord>();
  std::memset(form.get(), 'x', sizeof *form);
  FormLine line = form->line(0);

  copyCode(line.leadingCode, "ABCDEF");  // six characters: no room and no need for a NUL
  EXPECT_EQ(std::memcmp(form->leadingCode[0], "ABCDEF", 6), 0);
  EXPECT_EQ(form->leadingCode[1][0], 'x');
  EXPECT_EQ(codeLength(line.leadingCode), 6u);
  copyCode(line.leadingCode, "ABCDEFGH");
  EXPECT_EQ(form->leadingCode[1][0], 'x');
  copyCode(line.leadingCode, "AB");
  EXPECT_EQ(codeLength(line.leadingCode), 2u);
  EXPECT_EQ(form->leadingCode[0][2], '\0');
  copyCode(line.leadingCode, static_cast<const char*>(nullptr));
  EXPECT_EQ(codeLength(line.leadingCode), 0u);

  const std::uint8_t keys[] = {21, 16, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
  copyCode(line.prefix, keys);  // stops at the field's 10 bytes, before the 0 of the source
  EXPECT_EQ(codeLength(line.prefix), 10u);
  EXPECT_EQ(form->prefix[1][0], 'x');

  SystemSettings settings;
  std::memset(&settings, 'x', sizeof settings);
  copyCode(settings.codeId[kCodeIdCode39], "A");
  EXPECT_EQ(settings.codeId[0][0], 'A');
  EXPECT_EQ(settings.codeId[0][1], 0);
  copyCode(settings.codeId[kCodeIdPlessey], "]P");
  EXPECT_EQ(codeLength(settings.codeId[kCodeIdPlessey]), 2u);
  EXPECT_EQ(settings.modemSpeed, 'x');
}

TEST(TextFields, AreCutOneShortOfTheirSize) {
  SystemSettings s;
  std::memset(&s, 'x', sizeof s);
  copyText(s.password, "0123456789ABCDEF");
  EXPECT_STREQ(s.password, "0123456789A");  // 12 bytes: the editor limits it to 10 before
  EXPECT_EQ(s.functionKey[0], 'x');
  copyText(s.settingsText[4], "Exactly twenty chars");
  EXPECT_STREQ(s.settingsText[4], "Exactly twenty chars");
  EXPECT_EQ(s.unused255, 'x');
  copyText(s.uploadPhone, "123456789012345678901234");
  EXPECT_EQ(std::strlen(s.uploadPhone), 20u);
  EXPECT_EQ(s.downloadPort, 'x');

  FormRecord form;
  std::memset(&form, 'x', sizeof form);
  copyText(form.stampDateSep, "/-");
  EXPECT_STREQ(form.stampDateSep, "/");
  EXPECT_EQ(form.stampDateStyle, 'x');
}

TEST(ScreenTargets, NumberFormsThenMenus) {
  EXPECT_EQ(formTarget(1), kTargetFirstForm);
  EXPECT_EQ(formTarget(10), kTargetLastForm);
  EXPECT_EQ(menuTarget(1), kTargetFirstMenu);
  EXPECT_EQ(menuTarget(10), kTargetLastMenu);
  EXPECT_FALSE(isFormTarget(kTargetMainMenu));
  EXPECT_FALSE(isMenuTarget(kTargetMainMenu));
  EXPECT_TRUE(isFormTarget(10));
  EXPECT_FALSE(isFormTarget(11));
  EXPECT_TRUE(isMenuTarget(11));
  EXPECT_FALSE(isMenuTarget(kNextTargetExtra));
  EXPECT_EQ(targetMenu(menuTarget(7)), 7);
  EXPECT_EQ(targetForm(formTarget(7)), 7);

  // The error action counts the same screens from 1.
  EXPECT_EQ(errorActionOf(kTargetMainMenu), 1);
  EXPECT_EQ(errorActionOf(formTarget(1)), 2);
  EXPECT_EQ(errorActionOf(menuTarget(10)), 21);
  EXPECT_EQ(targetOfErrorAction(12), menuTarget(1));

  // Lookup field references: three runs of eight.
  EXPECT_EQ(lookupFieldIndex(kLookupFieldNil), -1);
  EXPECT_EQ(lookupFieldIndex(kLookupFieldPlain), 0);
  EXPECT_EQ(lookupFieldIndex(8), 7);
  EXPECT_EQ(lookupFieldIndex(kLookupFieldMinus), 0);
  EXPECT_EQ(lookupFieldIndex(16), 7);
  EXPECT_EQ(lookupFieldIndex(kLookupFieldPlus), 0);
  EXPECT_EQ(lookupFieldIndex(kLookupFieldLast), 7);
}

}  // namespace
}  // namespace torvik
