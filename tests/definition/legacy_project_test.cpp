// Project files of the older terminal family, built here byte by byte at the offsets of their
// layout (no such files exist to copy), converted, and checked field by field.
#include "definition/legacy_project.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "definition/new_defaults.h"

namespace torvik {
namespace {

// Offsets of the legacy layout, written out independently of the code under test.
constexpr std::size_t kHeaderWordAt = 8;
constexpr std::size_t kStartFromAt = 10;
constexpr std::size_t kReaderWedgeAt = 11;
constexpr std::size_t kDelimitersAt = 8602;
constexpr std::size_t kTerminalAt = 10466;
constexpr std::size_t kPasswordAt = 10486;
constexpr std::size_t kExtensionAt = 10496;
constexpr std::size_t menuAt(int k) { return 35 + 250 * static_cast<std::size_t>(k); }
constexpr std::size_t formAt(int i) { return 2535 + 601 * static_cast<std::size_t>(i); }
constexpr std::size_t lookupAt(int i) { return 8545 + 19 * static_cast<std::size_t>(i); }

class LegacyFile {
 public:
  explicit LegacyFile(const char* signature = "Rxx-4.00") : bytes_(kLegacyProjectSize, 0) {
    std::memcpy(bytes_.data(), signature, 8);
  }
  void put(std::size_t at, std::uint8_t value) { bytes_.at(at) = value; }
  void fill(std::size_t at, std::size_t n, std::uint8_t value) {
    for (std::size_t i = 0; i < n; ++i) put(at + i, value);
  }
  // The text's characters, then zeros to the end of the field; a text as long as the field
  // fills it with no NUL.
  void putText(std::size_t at, std::size_t width, const std::string& text) {
    ASSERT_LE(text.size(), width);
    for (std::size_t i = 0; i < width; ++i) put(at + i, i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }
  std::vector<std::uint8_t>& bytes() { return bytes_; }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// A definition whose every byte is known and differs from its neighbours, so that a field
// that should keep its value is seen to keep it.
std::unique_ptr<ApplicationDefinition> patterned() {
  auto def = std::make_unique<ApplicationDefinition>();
  std::uint8_t* p = bytesOf(*def);
  for (std::size_t i = 0; i < sizeof *def; ++i) p[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return def;
}

struct Converted {
  std::unique_ptr<ApplicationDefinition> before = patterned();
  std::unique_ptr<ApplicationDefinition> after = patterned();
  bool whole = false;
};

// Converts the first `size` bytes from a buffer of exactly that size, so that the sanitizer
// sees any read past the end.
Converted convert(const std::vector<std::uint8_t>& bytes, std::size_t size) {
  Converted c;
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[size > 0 ? size : 1]);
  if (size > 0) std::memcpy(exact.get(), bytes.data(), size);
  c.whole = convertLegacyProject(exact.get(), size, *c.after);
  return c;
}
Converted convert(const LegacyFile& file) { return convert(file.bytes(), file.bytes().size()); }

std::string text(const char* field) { return field; }

// ---------------------------------------------------------------------------------------------

TEST(LegacySignature, AcceptsTheTwoSignaturesOnly) {
  const std::uint8_t v4[] = {'R', 'x', 'x', '-', '4', '.', '0', '0'};
  const std::uint8_t v3[] = {'R', 'x', 'x', '-', '3', '.', '1', '0', 'z'};
  EXPECT_TRUE(hasLegacySignature(v4, sizeof v4));
  EXPECT_TRUE(hasLegacySignature(v3, sizeof v3));
  EXPECT_FALSE(hasLegacySignature(v4, 7));
  EXPECT_FALSE(hasLegacySignature(nullptr, 0));
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    std::uint8_t changed[8];
    std::memcpy(changed, v4, 8);
    changed[i] = static_cast<std::uint8_t>(changed[i] ^ 0x20);  // also tries the other case of "R" and "x"
    EXPECT_FALSE(hasLegacySignature(changed, 8));
  }
  const std::uint8_t other[] = {'R', 'x', 'x', '-', '3', '.', '0', '0'};
  EXPECT_FALSE(hasLegacySignature(other, sizeof other));
}

TEST(LegacyConversion, BothSignaturesConvertAlike) {
  LegacyFile v4("Rxx-4.00"), v3("Rxx-3.10");
  for (LegacyFile* f : {&v4, &v3}) {
    for (std::size_t i = 8; i < kLegacyProjectSize; ++i) f->put(i, static_cast<std::uint8_t>(i * 13 + 5));
  }
  const Converted a = convert(v4), b = convert(v3);
  EXPECT_TRUE(a.whole);
  EXPECT_TRUE(b.whole);
  EXPECT_EQ(std::memcmp(a.after.get(), b.after.get(), sizeof(ApplicationDefinition)), 0);
}

TEST(LegacyConversion, HeaderWordStartAndDataDelimiters) {
  LegacyFile file;
  file.put(kHeaderWordAt, 0x12);
  file.put(kHeaderWordAt + 1, 0x34);
  file.put(kStartFromAt, kStartMenu1);
  file.put(kDelimitersAt, ',');
  file.put(kDelimitersAt + 1, ';');
  const Converted c = convert(file);
  EXPECT_EQ(c.after->headerWord[0], 0x12);
  EXPECT_EQ(c.after->headerWord[1], 0x34);
  EXPECT_EQ(c.after->systemSettings.startFrom, kStartMenu1);
  EXPECT_EQ(c.after->systemSettings.dataDelimiter1, ',');
  EXPECT_EQ(c.after->systemSettings.dataDelimiter2, ';');
}

TEST(LegacyConversion, LeavesTheVersionTagAndSchemaRevisionAndSetsTheNewWeightCode) {
  LegacyFile file;
  file.fill(8, kLegacyProjectSize - 8, 0xA5);
  const Converted c = convert(file);
  EXPECT_EQ(std::memcmp(c.after->versionTag, c.before->versionTag, sizeof c.before->versionTag), 0);
  EXPECT_EQ(c.after->systemSettings.schemaRevision, c.before->systemSettings.schemaRevision);
  WeightCode expected = c.before->weightCode;
  applyWeightCodeDefaults(expected);
  EXPECT_EQ(std::memcmp(&c.after->weightCode, &expected, sizeof expected), 0);
}

// ---------------------------------------------------------------------------------------------
// Reader and wedge settings

TEST(LegacyReaderSettings, WholeBytesAreCopiedAndNewerBitsKeepTheirValues) {
  for (std::uint8_t fileByte : {0x00, 0xFF}) {
    SCOPED_TRACE(fileByte);
    LegacyFile file;
    file.fill(kReaderWedgeAt, 24, fileByte);
    Converted c;
    std::memset(&c.before->barcodeSettings, fileByte ^ 0xFF, sizeof(BarcodeSettings));
    *c.after = *c.before;
    c.whole = convertLegacyProject(file.bytes().data(), file.bytes().size(), *c.after);
    const auto* b = reinterpret_cast<const std::uint8_t*>(&c.after->barcodeSettings);
    const std::uint8_t kept = fileByte ^ 0xFF;
    for (int i : {0, 1, 5, 6, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) EXPECT_EQ(b[i], fileByte) << i;
    for (int i : {3, 4, 8, 22}) EXPECT_EQ(b[i], kept) << i;
    EXPECT_EQ(b[2], (fileByte & 0xFE) | (kept & 0x01));
    EXPECT_EQ(b[7], (fileByte & 0xF8) | (kept & 0x07));
    EXPECT_EQ(b[11], (fileByte & 0xDF) | (kept & 0x20));
  }
}

TEST(LegacyReaderSettings, WedgeTakesFourScatteredBytesAndNothingFromByte22) {
  LegacyFile file;
  file.put(kReaderWedgeAt + 3, 17);    // keyboard type
  file.put(kReaderWedgeAt + 4, 0xA9);  // every option bit
  file.put(kReaderWedgeAt + 8, 30);    // inter-character delay
  file.put(kReaderWedgeAt + 22, 0xEE);
  file.put(kReaderWedgeAt + 23, 4);    // time-out
  const Converted c = convert(file);
  const WedgeSettings& w = c.after->wedgeSettings;
  EXPECT_EQ(w.keyboardType, 17);
  EXPECT_EQ(w.options, 0xA9);
  EXPECT_EQ(w.interCharDelay, 30);
  EXPECT_EQ(w.timeout, 4);
  EXPECT_EQ(w.addReturnLineFeed, c.before->wedgeSettings.addReturnLineFeed);  // no extension block
  EXPECT_EQ(c.after->barcodeSettings.code128Options, c.before->barcodeSettings.code128Options);
}

// ---------------------------------------------------------------------------------------------
// Menus

TEST(LegacyMenus, EveryFieldOfTheFirstAndLastMenu) {
  LegacyFile file;
  for (int m : {0, 9}) {
    const std::size_t at = menuAt(m);
    file.put(at + 0, 1);
    file.put(at + 1, 1);
    file.putText(at + 2, 21, "Menu " + std::to_string(m));
    for (int k = 0; k < kMenuItems; ++k) {
      file.putText(at + 23 + 21 * k, 21, "Item " + std::to_string(m) + "." + std::to_string(k));
      file.put(at + 234 + k, static_cast<std::uint8_t>(k + 1));
    }
    file.put(at + 233, 11);
    for (int i = 244; i < 250; ++i) file.put(at + i, static_cast<std::uint8_t>(i - 240));
  }
  const Converted c = convert(file);
  for (int m : {0, 9}) {
    SCOPED_TRACE(m);
    const MenuRecord& menu = c.after->menu[m];
    EXPECT_EQ(menu.font, 1);
    EXPECT_EQ(menu.captionOn, 1);
    EXPECT_EQ(text(menu.caption), "Menu " + std::to_string(m));
    for (int k = 0; k < kMenuItems; ++k) {
      EXPECT_EQ(text(menu.item(k).name), "Item " + std::to_string(m) + "." + std::to_string(k));
      EXPECT_EQ(menu.item(k).next, k + 1);
    }
    EXPECT_EQ(menu.escTarget, 11);
    EXPECT_EQ(menu.saveCaption, 4);
    EXPECT_EQ(menu.saveSelectedItem, 5);
    EXPECT_EQ(menu.passDown, 6);
    EXPECT_EQ(menu.itemCount, 7);
    EXPECT_EQ(menu.simSelectedItem, 8);
    EXPECT_EQ(menu.simReserved, 9);
    EXPECT_EQ(std::memcmp(menu.unused, c.before->menu[m].unused, sizeof menu.unused), 0);
  }
}

TEST(LegacyMenus, ATextFillingItsWholeFieldIsCutToTwentyCharacters) {
  LegacyFile file;
  file.putText(menuAt(2) + 2, 21, "ABCDEFGHIJKLMNOPQRSTU");  // 21 characters, no NUL
  file.putText(menuAt(2) + 23, 21, "next");
  const Converted c = convert(file);
  EXPECT_EQ(text(c.after->menu[2].caption), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(text(c.after->menu[2].item(0).name), "next");
}

// ---------------------------------------------------------------------------------------------
// Forms

TEST(LegacyForms, FourDataTypesAreRecodedAndTheOthersKept) {
  // Each legacy value on line 1 of its own form, the next on line 8, so all lines are tried.
  struct Case {
    std::uint8_t legacy, current;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, kDataFixed}, {6, kDataPrompt},
                        {7, kDataLookup}, {8, kDataExtension}, {9, kDataBoolean}, {10, 10}, {11, 11},
                        {12, 12}, {13, 13}, {18, 18}, {200, 200}};
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.legacy));
    LegacyFile file;
    file.put(formAt(4) + 15 + 1, k.legacy);  // line 2 of form 5
    file.put(formAt(9) + 15 + 7, k.legacy);  // line 8 of form 10
    const Converted c = convert(file);
    EXPECT_EQ(c.after->form[4].line(1).dataType, k.current);
    EXPECT_EQ(c.after->form[9].line(7).dataType, k.current);
    EXPECT_EQ(c.after->form[4].line(0).dataType, kDataNil);
  }
}

TEST(LegacyForms, TheFirstThreeBytesKeepTheirPlacesAndTheNextMoveFourteenOn) {
  LegacyFile file;
  const std::size_t at = formAt(0);
  file.put(at + 0, 1);    // font
  file.put(at + 1, 12);   // escTarget
  file.put(at + 2, 3);    // nextTarget
  file.put(at + 5, kRecordSaveAndUpdate);  // first shifted byte
  file.put(at + 6, 2);    // lookupIndex
  file.put(at + 598, '_');  // last shifted byte: line 8's input mark
  file.put(at + 599, 6);  // lastInputLine
  file.put(at + 600, 4);  // simCurrentLine
  const Converted c = convert(file);
  const FormRecord& form = c.after->form[0];
  EXPECT_EQ(form.font, 1);
  EXPECT_EQ(form.escTarget, 12);
  EXPECT_EQ(form.nextTarget, 3);
  EXPECT_EQ(form.recordAction, kRecordSaveAndUpdate);
  EXPECT_EQ(form.lookupIndex, 2);
  EXPECT_EQ(form.line(7).inputMark, '_');
  EXPECT_EQ(form.line(6).inputMark, 0);
  EXPECT_EQ(form.lastInputLine, 6);
  EXPECT_EQ(form.simCurrentLine, 4);
  // What the older form did not have keeps its value.
  const FormRecord& old = c.before->form[0];
  EXPECT_EQ(std::memcmp(form.reserved, old.reserved, sizeof form.reserved), 0);
  EXPECT_EQ(std::memcmp(form.checkDigit, old.checkDigit, sizeof form.checkDigit), 0);
  EXPECT_EQ(std::memcmp(form.decimals, old.decimals, sizeof form.decimals), 0);
  EXPECT_EQ(form.errorAction, old.errorAction);
  EXPECT_EQ(std::memcmp(form.fnBranch, old.fnBranch, 1052 - 1023), 0);
  EXPECT_EQ(std::memcmp(form.unused, old.unused, sizeof form.unused), 0);
}

TEST(LegacyForms, EachLinePropertyLandsOnItsLine) {
  LegacyFile file;
  const std::size_t at = formAt(6);
  for (int j = 0; j < kFormLines; ++j) {
    const auto v = static_cast<std::uint8_t>(j + 1);
    file.put(at + 7 + j, v);                    // lookupField
    file.putText(at + 23 + 21 * j, 21, "Prompt " + std::to_string(j));
    for (int p = 0; p < 7; ++p) file.put(at + 191 + 8 * p + j, static_cast<std::uint8_t>(10 * p + j));
    file.putText(at + 247 + 10 * j, 10, "init" + std::to_string(j));
    file.put(at + 327 + j, 1);                  // prefixOn
    file.put(at + 415 + j, 1);                  // suffixOn
    file.fill(at + 335 + 10 * j, 10, static_cast<std::uint8_t>(0x40 + j));  // a full-width prefix code
    file.fill(at + 423 + 10 * j, 3, static_cast<std::uint8_t>(0x60 + j));   // a shorter suffix code
    for (int p = 0; p < 4; ++p) file.put(at + 503 + 8 * p + j, static_cast<std::uint8_t>(100 + 10 * p + j));
    file.fill(at + 535 + 6 * j, 6, static_cast<std::uint8_t>('A' + j));       // a full-width leading code
    file.put(at + 583 + j, kAutoEnterKeyboard);
    file.put(at + 591 + j, static_cast<std::uint8_t>('*'));
  }
  const Converted c = convert(file);
  const FormRecord& form = c.after->form[6];
  for (int j = 0; j < kFormLines; ++j) {
    SCOPED_TRACE(j);
    ConstFormLine line = form.line(j);
    EXPECT_EQ(line.lookupField, j + 1);
    EXPECT_EQ(text(line.prompt), "Prompt " + std::to_string(j));
    EXPECT_EQ(line.inputSource, j);
    EXPECT_EQ(line.minLength, 10 + j);
    EXPECT_EQ(line.maxLength, 20 + j);
    EXPECT_EQ(line.fixedLengthOn, 30 + j);
    EXPECT_EQ(line.alignment, 40 + j);
    EXPECT_EQ(line.fixedLength, 50 + j);
    EXPECT_EQ(line.initialOn, 60 + j);
    EXPECT_EQ(text(line.initialText), "init" + std::to_string(j));
    EXPECT_EQ(line.prefixOn, 1);
    EXPECT_EQ(line.suffixOn, 1);
    EXPECT_EQ(codeLength(line.prefix), 10u);
    for (std::uint8_t b : line.prefix) EXPECT_EQ(b, 0x40 + j);
    EXPECT_EQ(codeLength(line.suffix), 3u);
    EXPECT_EQ(line.suffix[0], 0x60 + j);
    EXPECT_EQ(line.partialOn, 100 + j);
    EXPECT_EQ(line.partialStart, 110 + j);
    EXPECT_EQ(line.partialMax, 120 + j);
    EXPECT_EQ(line.leadingOn, 130 + j);
    EXPECT_EQ(codeLength(line.leadingCode), 6u);
    EXPECT_EQ(line.leadingCode[5], 'A' + j);
    EXPECT_EQ(line.autoEnter, kAutoEnterKeyboard);
    EXPECT_EQ(line.inputMark, '*');
  }
}

TEST(LegacyForms, OverlongTextsAreCutInsideTheirFields) {
  LegacyFile file;
  const std::size_t at = formAt(3);
  file.putText(at + 23 + 21 * 7, 21, "ABCDEFGHIJKLMNOPQRSTU");  // line 8's prompt, 21 characters
  file.putText(at + 247 + 10 * 7, 10, "0123456789");            // line 8's initial text, 10 characters
  file.put(at + 191 + 7, kInputKeypad);                          // the byte after the prompts
  const Converted c = convert(file);
  const FormRecord& form = c.after->form[3];
  EXPECT_EQ(text(form.line(7).prompt), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(text(form.line(7).initialText), "012345678");
  EXPECT_EQ(form.line(0).inputSource, 0);
  EXPECT_EQ(form.line(7).inputSource, kInputKeypad);
  EXPECT_EQ(form.prefixOn[0], 0);  // right after the initial texts
}

// ---------------------------------------------------------------------------------------------
// Date and time stamps from the codes D and T

// Form 8 of a file with the codes D and T, over a patterned definition; -1 in `dateStyle`
// means the style keeps its value.
TEST(LegacyStamps, CodesDAndTGiveTheStampOfTheirTable) {
  struct Row {
    int d, t, mode, split, year, yearDigits, month, day, dateSepOn, dateStyle, hour, minute, second, timeSepOn;
  };
  const Row rows[] = {
      // both zero: no stamp, every part on, split
      {0, 0, kStampNone, 1, 1, 0, 1, 1, 1, -1, 1, 1, 1, 1},
      // date only: top from 7 on; separated when D modulo 6 is 1 to 3; style from D modulo 3
      {1, 0, kStampBottom, 0, 1, 0, 1, 1, 1, kDateYearMonthDay, 0, 0, 0, 0},
      {2, 0, kStampBottom, 0, 1, 0, 1, 1, 1, kDateMonthDayYear, 0, 0, 0, 0},
      {3, 0, kStampBottom, 0, 1, 0, 1, 1, 1, kDateDayMonthYear, 0, 0, 0, 0},
      {4, 0, kStampBottom, 0, 1, 0, 1, 1, 0, kDateYearMonthDay, 0, 0, 0, 0},
      {6, 0, kStampBottom, 0, 1, 0, 1, 1, 0, kDateDayMonthYear, 0, 0, 0, 0},
      {7, 0, kStampTop, 0, 1, 0, 1, 1, 1, kDateYearMonthDay, 0, 0, 0, 0},
      {11, 0, kStampTop, 0, 1, 0, 1, 1, 0, kDateMonthDayYear, 0, 0, 0, 0},
      {12, 0, kStampTop, 0, 1, 0, 1, 1, 0, kDateDayMonthYear, 0, 0, 0, 0},
      // time only: top from 5 on; seconds when odd; separated when T modulo 4 is 1 or 2
      {0, 1, kStampBottom, 0, 0, 0, 0, 0, 0, -1, 1, 1, 1, 1},
      {0, 2, kStampBottom, 0, 0, 0, 0, 0, 0, -1, 1, 1, 0, 1},
      {0, 3, kStampBottom, 0, 0, 0, 0, 0, 0, -1, 1, 1, 1, 0},
      {0, 4, kStampBottom, 0, 0, 0, 0, 0, 0, -1, 1, 1, 0, 0},
      {0, 5, kStampTop, 0, 0, 0, 0, 0, 0, -1, 1, 1, 1, 1},
      {0, 8, kStampTop, 0, 0, 0, 0, 0, 0, -1, 1, 1, 0, 0},
      // both: split, placed by the date whatever T says
      {2, 6, kStampBottom, 1, 1, 0, 1, 1, 1, kDateMonthDayYear, 1, 1, 0, 1},
      {12, 1, kStampTop, 1, 1, 0, 1, 1, 0, kDateDayMonthYear, 1, 1, 1, 1},
      {6, 7, kStampBottom, 1, 1, 0, 1, 1, 0, kDateDayMonthYear, 1, 1, 1, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("D " + std::to_string(r.d) + ", T " + std::to_string(r.t));
    LegacyFile file;
    file.put(formAt(7) + 3, static_cast<std::uint8_t>(r.d));
    file.put(formAt(7) + 4, static_cast<std::uint8_t>(r.t));
    const Converted c = convert(file);
    const FormRecord& f = c.after->form[7];
    const int style = r.dateStyle < 0 ? c.before->form[7].stampDateStyle : r.dateStyle;
    const int expected[] = {r.mode, r.split, r.year, r.yearDigits, r.month, r.day, r.dateSepOn, style,
                            r.hour, r.minute, r.second, r.timeSepOn};
    const int got[] = {f.stampMode, f.stampSplit, f.stampYear, f.stampYearDigits, f.stampMonth, f.stampDay,
                       f.stampDateSepOn, f.stampDateStyle, f.stampHour, f.stampMinute, f.stampSecond,
                       f.stampTimeSepOn};
    const char* names[] = {"mode", "split", "year", "yearDigits", "month", "day", "dateSepOn", "dateStyle",
                           "hour", "minute", "second", "timeSepOn"};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(got[i], expected[i]) << names[i];
    EXPECT_EQ(std::memcmp(f.stampDateSep, "/", 2), 0);
    EXPECT_EQ(std::memcmp(f.stampTimeSep, ":", 2), 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Lookups, terminal settings, password

TEST(LegacyLookups, TakeTheirFirstNineteenBytes) {
  LegacyFile file;
  for (int i = 0; i < kLookupCount; ++i)
    for (int b = 0; b < 19; ++b) file.put(lookupAt(i) + b, static_cast<std::uint8_t>(40 * i + b + 1));
  const Converted c = convert(file);
  for (int i = 0; i < kLookupCount; ++i) {
    SCOPED_TRACE(i);
    const LookupRecord& l = c.after->lookup[i];
    EXPECT_EQ(l.memberLength, 40 * i + 1);
    EXPECT_EQ(l.fieldCount, 40 * i + 2);
    EXPECT_EQ(l.keyField, 40 * i + 3);
    for (int f = 0; f < kLookupFields; ++f) {
      EXPECT_EQ(l.field(f).offset, 40 * i + 4 + f);
      EXPECT_EQ(l.field(f).length, 40 * i + 12 + f);
    }
    const LookupRecord& old = c.before->lookup[i];
    EXPECT_EQ(std::memcmp(&l.delimiter, &old.delimiter, sizeof l - 19), 0);
  }
}

TEST(LegacyTerminalSettings, EachByteGoesToItsSetting) {
  LegacyFile file;
  file.put(kTerminalAt + 0, kPortKeyboardWedge);
  file.put(kTerminalAt + 1, kPortIrda);
  file.put(kTerminalAt + 2, kBaud19200);
  file.put(kTerminalAt + 3, kBacklightOn);
  file.put(kTerminalAt + 4, '7');
  file.put(kTerminalAt + 5, kDeletionAutomatic);
  file.put(kTerminalAt + 6, 0);
  file.put(kTerminalAt + 7, 0x5A);  // not used
  for (int i = 0; i < kSecurityItems; ++i) file.put(kTerminalAt + 8 + i, static_cast<std::uint8_t>(i % 2));
  const Converted c = convert(file);
  const SystemSettings& s = c.after->systemSettings;
  EXPECT_EQ(s.uploadPort, kPortKeyboardWedge);
  EXPECT_EQ(s.downloadPort, kPortIrda);
  EXPECT_EQ(s.baudRate, kBaud19200);
  EXPECT_EQ(s.backlight, kBacklightOn);
  EXPECT_EQ(s.backlightIdle, 7);
  EXPECT_EQ(s.dataDeletion, kDeletionAutomatic);
  EXPECT_EQ(s.entryOption, kEntryShowCount);
  EXPECT_EQ(s.promptDuration, c.before->systemSettings.promptDuration);
  for (int i = 0; i < kSecurityItems; ++i) EXPECT_EQ(s.security[i], i % 2) << i;
  EXPECT_EQ(s.separateDataFiles, c.before->systemSettings.separateDataFiles);  // no extension block
}

TEST(LegacyTerminalSettings, BacklightIdleIsADigitCharacter) {
  struct Case {
    std::uint8_t legacy;
    bool kept;
    int value;
  };
  const Case cases[] = {{'1', false, 1}, {'9', false, 9}, {'0', false, 0}, {0, true, 0}, {5, true, 0}, {'A', true, 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.legacy));
    LegacyFile file;
    file.put(kTerminalAt + 4, k.legacy);
    const Converted c = convert(file);
    const int expected = k.kept ? c.before->systemSettings.backlightIdle : k.value;
    EXPECT_EQ(c.after->systemSettings.backlightIdle, expected);
  }
}

TEST(LegacyTerminalSettings, EntryOptionIsInverted) {
  for (int legacy : {0, 1, 2, 255}) {
    SCOPED_TRACE(legacy);
    LegacyFile file;
    file.put(kTerminalAt + 6, static_cast<std::uint8_t>(legacy));
    const Converted c = convert(file);
    EXPECT_EQ(c.after->systemSettings.entryOption, legacy == 0 ? 1 : 0);
  }
}

TEST(LegacyTerminalSettings, PasswordIsTenCharactersAndTwoZeroBytes) {
  LegacyFile file;
  file.putText(kPasswordAt, 10, "AB12CD34EF");
  const Converted c = convert(file);
  const char* p = c.after->systemSettings.password;
  EXPECT_EQ(std::memcmp(p, "AB12CD34EF", 10), 0);
  EXPECT_EQ(p[10], 0);
  EXPECT_EQ(p[11], 0);
  EXPECT_EQ(std::memcmp(c.after->systemSettings.functionKey, c.before->systemSettings.functionKey,
                        sizeof c.before->systemSettings.functionKey), 0);

  LegacyFile shortPassword;
  shortPassword.putText(kPasswordAt, 10, "1234");
  const Converted d = convert(shortPassword);
  EXPECT_EQ(text(d.after->systemSettings.password), "1234");
  for (int i = 4; i < 12; ++i) EXPECT_EQ(d.after->systemSettings.password[i], 0) << i;
}

// ---------------------------------------------------------------------------------------------
// Message groups

struct LegacyTexts {
  std::size_t at;
  int entries, width;
};
constexpr LegacyTexts kMainMenuTexts{8668, 4, 16}, kUtilitiesTexts{8732, 8, 21}, kDeleteDataTexts{8900, 4, 16},
    kConfirmTexts{8964, 4, 16}, kMemoryPowerTexts{9028, 4, 16}, kLoadLookupTexts{9092, 4, 16},
    kSettingsTexts{9156, 8, 21}, kUploadPortTexts{9324, 8, 21}, kDownloadPortTexts{9492, 8, 21},
    kBaudRateTexts{9660, 5, 21}, kBacklightTexts{9765, 4, 21}, kDataDeletionTexts{9849, 4, 21},
    kEntryOptionTexts{9933, 4, 21}, kViewSettingsTexts{10017, 8, 21}, kConnectingTexts{10185, 4, 16},
    kErrorTexts{10249, 5, 21}, kMiscTexts{10354, 7, 16};
const LegacyTexts kAllTexts[] = {kMainMenuTexts, kUtilitiesTexts, kDeleteDataTexts, kConfirmTexts,
                                 kMemoryPowerTexts, kLoadLookupTexts, kSettingsTexts, kUploadPortTexts,
                                 kDownloadPortTexts, kBaudRateTexts, kBacklightTexts, kDataDeletionTexts,
                                 kEntryOptionTexts, kViewSettingsTexts, kConnectingTexts, kErrorTexts, kMiscTexts};

// Every legacy text entry gets a text of its own: its file offset.
std::string entryText(const LegacyTexts& t, int entry) {  // entry from 1
  return "@" + std::to_string(t.at + static_cast<std::size_t>((entry - 1) * t.width));
}
LegacyFile fileWithEveryText() {
  LegacyFile file;
  for (const LegacyTexts& t : kAllTexts)
    for (int e = 1; e <= t.entries; ++e)
      file.putText(t.at + static_cast<std::size_t>((e - 1) * t.width), static_cast<std::size_t>(t.width),
                   entryText(t, e));
  return file;
}

// Group index in file order (0 is MsgReserved), entry from 1, and the legacy text it takes.
struct Mapping {
  int group, entry;
  LegacyTexts from;
  int fromEntry;
};

std::vector<Mapping> expectedMappings(bool extension) {
  std::vector<Mapping> m;
  auto all = [&](int group, const LegacyTexts& t, int first, int last) {
    for (int e = first; e <= last; ++e) m.push_back({group, e, t, e});
  };
  all(1, kMainMenuTexts, 1, 3);
  all(2, kUtilitiesTexts, 1, 8);
  all(3, kDeleteDataTexts, 1, 4);
  all(4, kConfirmTexts, 1, 3);
  all(5, kMemoryPowerTexts, 1, 4);
  all(6, kLoadLookupTexts, 1, 4);
  all(7, kSettingsTexts, 1, 8);
  m.push_back({8, 1, kUploadPortTexts, 1});
  m.push_back({8, 4, kUploadPortTexts, 4});
  m.push_back({8, 5, kUploadPortTexts, 5});
  m.push_back({26, 2, kUploadPortTexts, 7});  // MsgMiscContinuous
  m.push_back({26, 3, kUploadPortTexts, 8});
  m.push_back({9, 1, kDownloadPortTexts, 1});
  m.push_back({9, 2, kDownloadPortTexts, 2});
  m.push_back({9, 5, kDownloadPortTexts, 5});
  all(10, kBaudRateTexts, 1, 5);
  all(11, kBacklightTexts, 1, 4);
  all(12, kDataDeletionTexts, 1, 4);
  if (extension) {
    m.push_back({13, 5, kEntryOptionTexts, 3});
    m.push_back({13, 6, kEntryOptionTexts, 4});
  }
  all(14, kViewSettingsTexts, 1, 7);
  all(22, kConnectingTexts, 1, 4);
  all(24, kErrorTexts, 1, 4);
  m.push_back({24, 6, kErrorTexts, 5});
  all(25, kMiscTexts, 1, 7);
  return m;
}

void expectMessageGroups(const Converted& c, bool extension) {
  const std::vector<Mapping> mappings = expectedMappings(extension);
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView after = messageGroup(*c.after, g);
    const MessageGroupView before = messageGroup(*c.before, g);
    for (int e = 1; e <= after.entries; ++e) {
      SCOPED_TRACE(kBlocks[6 + g].name + std::string(" entry ") + std::to_string(e));
      const Mapping* found = nullptr;
      for (const Mapping& m : mappings)
        if (m.group == g && m.entry == e) found = &m;
      if (found != nullptr) {
        ASSERT_EQ(found->from.width, after.width);
        EXPECT_EQ(text(after.entry(e - 1)), entryText(found->from, found->fromEntry));
      } else {
        EXPECT_EQ(std::memcmp(after.entry(e - 1), before.entry(e - 1), static_cast<std::size_t>(after.width)), 0);
      }
    }
  }
}

TEST(LegacyMessages, EachGroupTakesItsListedEntriesAndKeepsTheOthers) {
  const Converted c = convert(fileWithEveryText());
  expectMessageGroups(c, false);
}

TEST(LegacyMessages, WithTheExtensionBlockEntryOptionsFiveAndSixComeFromThreeAndFour) {
  LegacyFile file = fileWithEveryText();
  file.put(kExtensionAt, 64);
  const Converted c = convert(file);
  expectMessageGroups(c, true);
}

TEST(LegacyMessages, AnEntryFillingItsFieldIsCutAndTheNextEntryIsItsOwn) {
  LegacyFile file;
  file.putText(kMainMenuTexts.at, 16, "0123456789ABCDEF");  // 16 characters, no NUL
  file.putText(kMainMenuTexts.at + 16, 16, "second");
  file.putText(kMiscTexts.at + 6 * 16, 16, "last entry, full");  // the block before the terminal settings
  const Converted c = convert(file);
  EXPECT_EQ(text(c.after->msgMainMenu.entry[0]), "0123456789ABCDE");
  EXPECT_EQ(text(c.after->msgMainMenu.entry[1]), "second");
  EXPECT_EQ(text(c.after->msgMiscellaneous.entry[6]), "last entry, ful");
}

TEST(LegacyMessages, AMoveReachingOutsideItsBlockOrGroupTakesOnlyTheEntriesInside) {
  // Entries numbered from 1; `changed` lists group entry and the legacy entry it takes.
  struct Taken {
    int entry, fromEntry;
  };
  const struct Row {
    const char* name;
    LegacyTextMove move;
    std::vector<Taken> changed;
  } rows[] = {
      {"past the group's last entry", {kMainMenuTexts.at, 4, 16, 1, 1, 4, 3}, {{4, 1}}},
      {"before the group's first entry", {kConfirmTexts.at, 4, 16, 1, 4, 0, 2}, {{1, 2}}},
      {"past the block's last entry", {kMainMenuTexts.at, 4, 16, 4, 1, 1, 3}, {{1, 4}}},
      {"before the block's first entry", {kMainMenuTexts.at, 4, 16, -1, 1, 1, 3}, {{3, 1}}},
      {"a group after the last", {kMainMenuTexts.at, 4, 16, 1, kMessageGroupCount, 1, 3}, {}},
      {"a group before the first", {kMainMenuTexts.at, 4, 16, 1, -1, 1, 3}, {}},
      {"widths that differ", {kUtilitiesTexts.at, 8, 21, 1, 1, 1, 3}, {}},
      {"a block running past the layout", {kLegacyProjectSize - 8, 4, 16, 1, 1, 1, 4}, {}},
      {"a block far past the layout", {~std::size_t{0} - 8, 4, 16, 1, 1, 1, 4}, {}},
  };
  const LegacyFile file = fileWithEveryText();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Converted c;
    moveLegacyTexts(file.bytes().data(), file.bytes().size(), &row.move, 1, *c.after);
    const LegacyTexts block{row.move.block, row.move.blockEntries, row.move.width};
    // Every byte outside the changed entries keeps its value; those hold their legacy texts.
    std::vector<std::uint8_t> expected(bytesOf(*c.before), bytesOf(*c.before) + sizeof *c.before);
    for (const Taken& t : row.changed) {
      char* entry = messageGroup(*c.before, row.move.group).entry(t.entry - 1);
      const std::string text = entryText(block, t.fromEntry);
      const auto at = static_cast<std::size_t>(reinterpret_cast<std::uint8_t*>(entry) - bytesOf(*c.before));
      std::memcpy(&expected[at], text.c_str(), text.size() + 1);
    }
    const std::uint8_t* got = bytesOf(*c.after);
    int stray = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
      if (got[i] != expected[i] && ++stray <= 5) ADD_FAILURE() << "byte " << i;
  }
}

// ---------------------------------------------------------------------------------------------
// Extension block

LegacyFile fileWithExtension(std::uint8_t mark) {
  LegacyFile file;
  file.put(kExtensionAt + 0, mark);
  file.put(kExtensionAt + 1, 1);  // add CR/LF
  for (int i = 0; i < 3; ++i) {
    file.put(kExtensionAt + 2 + i, static_cast<std::uint8_t>(',' + i));
    file.put(kExtensionAt + 5 + i, static_cast<std::uint8_t>(i % 2));
    file.put(kExtensionAt + 8 + i, static_cast<std::uint8_t>(kNoMatchWarn + i));
  }
  file.put(kExtensionAt + 11, 1);  // separate data files
  file.put(kExtensionAt + 12, 0x77);
  file.put(kExtensionAt + 13, 0x77);
  return file;
}

TEST(LegacyExtension, UsedWhenItBeginsWithTheAtSign) {
  const Converted c = convert(fileWithExtension(64));
  EXPECT_EQ(c.after->wedgeSettings.addReturnLineFeed, 1);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c.after->lookup[i].delimiter, ',' + i);
    EXPECT_EQ(c.after->lookup[i].uploadable, i % 2);
    EXPECT_EQ(c.after->lookup[i].noMatchAction, kNoMatchWarn + i);
    EXPECT_EQ(c.after->lookup[i].badFormatAction, c.before->lookup[i].badFormatAction);
  }
  EXPECT_EQ(c.after->systemSettings.separateDataFiles, 1);
  EXPECT_EQ(c.after->systemSettings.vibratorDuration, c.before->systemSettings.vibratorDuration);
}

TEST(LegacyExtension, IgnoredWithoutTheAtSignSoTheDelimitersStayTab) {
  for (std::uint8_t mark : {0, 63, 65, 0xC0}) {
    SCOPED_TRACE(static_cast<int>(mark));
    const LegacyFile file = fileWithExtension(mark);
    Converted c;
    for (auto* def : {c.before.get(), c.after.get()})
      for (LookupRecord& l : def->lookup) l.delimiter = 9;  // as after Open
    c.whole = convertLegacyProject(file.bytes().data(), file.bytes().size(), *c.after);
    EXPECT_TRUE(c.whole);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(c.after->lookup[i].delimiter, 9);
      EXPECT_EQ(c.after->lookup[i].uploadable, c.before->lookup[i].uploadable);
      EXPECT_EQ(c.after->lookup[i].noMatchAction, c.before->lookup[i].noMatchAction);
    }
    EXPECT_EQ(c.after->wedgeSettings.addReturnLineFeed, c.before->wedgeSettings.addReturnLineFeed);
    EXPECT_EQ(c.after->systemSettings.separateDataFiles, c.before->systemSettings.separateDataFiles);
  }
}

TEST(LegacyExtension, AfterNewAFileWithoutItKeepsTheNewLookupSettings) {
  auto def = std::make_unique<ApplicationDefinition>();
  applyNewApplicationDefaults(*def);
  const auto fresh = std::make_unique<ApplicationDefinition>(*def);
  LegacyFile file = fileWithExtension(0);
  file.put(lookupAt(0), 30);
  EXPECT_TRUE(convertLegacyProject(file.bytes().data(), file.bytes().size(), *def));
  EXPECT_EQ(def->lookup[0].memberLength, 30);
  for (int i = 0; i < kLookupCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(def->lookup[i].delimiter, 9);
    EXPECT_EQ(def->lookup[i].uploadable, fresh->lookup[i].uploadable);
    EXPECT_EQ(def->lookup[i].noMatchAction, fresh->lookup[i].noMatchAction);
  }
  EXPECT_EQ(std::memcmp(&def->weightCode, &fresh->weightCode, sizeof(WeightCode)), 0);
  EXPECT_EQ(std::memcmp(def->msgEntryOptions.entry, fresh->msgEntryOptions.entry, sizeof def->msgEntryOptions), 0);
  EXPECT_EQ(std::memcmp(def->versionTag, "T900RU004", 10), 0);
}

// ---------------------------------------------------------------------------------------------
// What is written at all, and files of other lengths

// The bytes of the definition that a legacy file may set.
std::vector<bool> writableBytes() {
  std::vector<bool> w(kDefinitionSize, false);
  auto mark = [&](std::size_t at, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) w[at + i] = true;
  };
  const std::size_t barcode = offsetof(ApplicationDefinition, barcodeSettings);
  mark(offsetof(ApplicationDefinition, headerWord), 2);
  for (int i : {0, 1, 2, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}) mark(barcode + i, 1);
  for (int m = 0; m < kMenuCount; ++m) mark(offsetof(ApplicationDefinition, menu) + 350 * m, 250);
  for (int f = 0; f < kFormCount; ++f) {
    const std::size_t at = offsetof(ApplicationDefinition, form) + 1215 * static_cast<std::size_t>(f);
    mark(at, 613);       // up to the reserve areas
    mark(at + 1013, 2);  // lastInputLine, simCurrentLine
  }
  for (int l = 0; l < kLookupCount; ++l) {
    const std::size_t at = offsetof(ApplicationDefinition, lookup) + 122 * static_cast<std::size_t>(l);
    mark(at, 22);  // 19 bytes, then delimiter, uploadable and no-match action
  }
  for (int g = 1; g < kMessageGroupCount; ++g) mark(kBlocks[6 + g].offset, kBlocks[6 + g].size);
  const std::size_t wedge = offsetof(ApplicationDefinition, wedgeSettings);
  mark(wedge, 5);
  const std::size_t sys = offsetof(ApplicationDefinition, systemSettings);
  mark(sys + 1, 5);    // start, delimiters, separate files, upload port
  mark(sys + 27, 6);   // download port to entry option
  mark(sys + 34, 24);  // security and password
  mark(offsetof(ApplicationDefinition, weightCode), sizeof(WeightCode));
  return w;
}

TEST(LegacyConversion, OnlyFieldsTheLayoutHasAreWritten) {
  for (std::uint8_t value : {0x00, 0x40, 0xFF}) {
    SCOPED_TRACE(static_cast<int>(value));
    LegacyFile file;
    file.fill(8, kLegacyProjectSize - 8, value);  // 0x40 also turns the extension block on
    const Converted c = convert(file);
    EXPECT_TRUE(c.whole);
    const std::vector<bool> writable = writableBytes();
    const std::uint8_t* a = bytesOf(*c.after);
    const std::uint8_t* b = bytesOf(*c.before);
    int stray = 0;
    for (std::size_t i = 0; i < kDefinitionSize; ++i) {
      if (a[i] != b[i] && !writable[i] && ++stray <= 5) ADD_FAILURE() << "byte " << i << " changed";
    }
    EXPECT_EQ(stray, 0);
    // Message entries and record texts are still terminated inside their fields.
    for (int g = 0; g < kMessageGroupCount; ++g) {
      const MessageGroupView v = messageGroup(*c.after, g);
      for (int e = 0; e < v.entries && value != 0; ++e) {
        if (std::memcmp(v.entry(e), messageGroup(*c.before, g).entry(e), static_cast<std::size_t>(v.width)) != 0) {
          EXPECT_NE(std::memchr(v.entry(e), 0, static_cast<std::size_t>(v.width)), nullptr) << g << "/" << e;
        }
      }
    }
  }
}

TEST(LegacyConversion, ALongerFileConvertsItsLayoutAndIgnoresTheRest) {
  LegacyFile file;
  file.put(kTerminalAt + 2, kBaud9600);
  file.bytes().resize(kLegacyProjectSize + 100, 0xEE);
  const Converted c = convert(file);
  EXPECT_TRUE(c.whole);
  EXPECT_EQ(c.after->systemSettings.baudRate, kBaud9600);
}

// A full file of varied bytes, with the extension block on.
LegacyFile variedFile() {
  LegacyFile file;
  for (std::size_t i = 8; i < kLegacyProjectSize; ++i) file.put(i, static_cast<std::uint8_t>((i * 31 + 7) % 251));
  file.put(kExtensionAt, 64);
  return file;
}

TEST(LegacyShortFile, ConvertsAsFarAsItGoesAndTakesNothingBeyond) {
  const LegacyFile file = variedFile();
  const Converted full = convert(file);
  ASSERT_TRUE(full.whole);
  // Cuts at the ends of blocks, inside fields and one byte either side of the full size.
  const std::size_t cuts[] = {0, 1, 7, 8, 9, 10, 11, 34, 35, 36, 2534, 2535, 2538, 2539, 2540, 2600,
                              8544, 8545, 8603, 8604, 8700, 9933, 10465, 10466, 10485, 10495, 10496,
                              10497, 10509};
  for (std::size_t cut : cuts) {
    SCOPED_TRACE(cut);
    const Converted c = convert(file.bytes(), cut);
    EXPECT_FALSE(c.whole);
    // Every byte is either untouched or as the whole file makes it; the weight code is
    // reset whatever the length.
    const std::uint8_t* a = bytesOf(*c.after);
    const std::uint8_t* b = bytesOf(*c.before);
    const std::uint8_t* f = bytesOf(*full.after);
    int wrong = 0;
    for (std::size_t i = 0; i < kDefinitionSize; ++i)
      if (a[i] != b[i] && a[i] != f[i] && ++wrong <= 3) ADD_FAILURE() << "byte " << i;
    EXPECT_EQ(std::memcmp(&c.after->weightCode, &full.after->weightCode, sizeof(WeightCode)), 0);
  }
}

TEST(LegacyShortFile, AFieldCutInTheMiddleKeepsItsValue) {
  LegacyFile file;
  file.put(formAt(0) + 15, 5);  // line 1: type 5
  file.putText(formAt(0) + 23, 21, "first");
  file.putText(formAt(0) + 44, 21, "second");
  file.put(formAt(0) + 3, 7);  // D
  file.put(kTerminalAt + 2, kBaud9600);
  // Cut inside line 2's prompt: line 1 is converted, line 2's prompt keeps its value.
  const Converted c = convert(file.bytes(), formAt(0) + 50);
  EXPECT_FALSE(c.whole);
  EXPECT_EQ(c.after->form[0].line(0).dataType, kDataFixed);
  EXPECT_EQ(text(c.after->form[0].line(0).prompt), "first");
  EXPECT_EQ(std::memcmp(c.after->form[0].prompt[1], c.before->form[0].prompt[1], 21), 0);
  EXPECT_EQ(c.after->form[0].stampMode, kStampTop);
  EXPECT_EQ(c.after->form[0].inputSource[0], c.before->form[0].inputSource[0]);
  EXPECT_EQ(c.after->form[1].font, c.before->form[1].font);
  EXPECT_EQ(c.after->systemSettings.baudRate, c.before->systemSettings.baudRate);

  // A file that ends between D and T has no stamp to convert.
  const Converted d = convert(file.bytes(), formAt(0) + 4);
  EXPECT_EQ(d.after->form[0].stampMode, d.before->form[0].stampMode);
  EXPECT_EQ(d.after->form[0].nextTarget, 0);
}

TEST(LegacyShortFile, OneByteShortLosesOnlyTheUnusedLastByte) {
  const LegacyFile file = variedFile();
  const Converted full = convert(file);
  const Converted c = convert(file.bytes(), kLegacyProjectSize - 1);
  EXPECT_FALSE(c.whole);
  EXPECT_EQ(std::memcmp(c.after.get(), full.after.get(), sizeof(ApplicationDefinition)), 0);
}

TEST(LegacyShortFile, NoBytesAtAllChangeNothingButTheWeightCode) {
  Converted c;
  EXPECT_FALSE(convertLegacyProject(nullptr, 0, *c.after));
  EXPECT_FALSE(convertLegacyProject(nullptr, kLegacyProjectSize, *c.after));
  applyWeightCodeDefaults(c.before->weightCode);
  EXPECT_EQ(std::memcmp(c.after.get(), c.before.get(), sizeof(ApplicationDefinition)), 0);
}

}  // namespace
}  // namespace torvik
