#include "definition/new_defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/ui_strings.h"

namespace torvik {
namespace {

const std::uint8_t* raw(const void* p) { return static_cast<const std::uint8_t*>(p); }

std::unique_ptr<DefaultMessages> englishMessages() {
  auto strings = std::make_unique<UiStrings>();
  auto table = std::make_unique<DefaultMessages>();
  buildDefaultMessages(*strings, *table);
  return table;
}

// A definition full of one byte value, then New: every field New names gets its value,
// every byte New does not name keeps the fill.
std::unique_ptr<ApplicationDefinition> newOver(std::uint8_t fill) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), fill, sizeof *def);
  applyNewApplicationDefaults(*def, *englishMessages());
  return def;
}

TEST(BarcodeReset, SetsTheListedBytesAndKeepsTheBitsItDoesNotName) {
  for (std::uint8_t fill : {std::uint8_t{0x00}, std::uint8_t{0xFF}, std::uint8_t{0x5A}}) {
    SCOPED_TRACE(static_cast<int>(fill));
    BarcodeSettings b;
    std::memset(&b, fill, sizeof b);
    resetBarcodeSettings(b);
    const std::uint8_t* p = raw(&b);
    EXPECT_EQ(p[0], 0x9B);
    EXPECT_EQ(p[1], 0xC9);
    EXPECT_EQ(p[2], 0x00);
    EXPECT_EQ(p[3], 0x3F);
    EXPECT_EQ(p[4], (fill & 0x7F) | 0x80);
    EXPECT_EQ(p[5], 0x2D);
    EXPECT_EQ(p[6], 0x54);
    EXPECT_EQ(p[7], (fill & 0x07) | 0x80);
    EXPECT_EQ(p[8], fill);
    EXPECT_EQ(p[9], 0x19);
    EXPECT_EQ(p[10], 0x3D);
    EXPECT_EQ(p[11], fill & 0x20);
    const std::uint8_t lengths[8] = {255, 1, 254, 1, 255, 1, 255, 1};
    EXPECT_EQ(std::memcmp(p + 12, lengths, 8), 0);
    EXPECT_EQ(p[20], 0x66);
    EXPECT_EQ(p[21], 3);
    EXPECT_EQ(p[22], (fill & 0x3F) | 0xC0);
  }
}

TEST(NewApplication, FormsAreSelfRepeatingWithEveryLineUnused) {
  auto def = newOver(0xEE);
  for (int n = 1; n <= kFormCount; ++n) {
    SCOPED_TRACE(n);
    const FormRecord& f = def->form[n - 1];
    EXPECT_EQ(f.font, 0);
    EXPECT_EQ(f.escTarget, 0);
    EXPECT_EQ(f.nextTarget, n);
    EXPECT_EQ(f.recordAction, 0);
    EXPECT_EQ(f.lookupIndex, 0);
    EXPECT_EQ(f.errorAction, 0);
    EXPECT_EQ(f.stampMode, 0);
    for (std::uint8_t one : {f.stampSplit, f.stampYear, f.stampMonth, f.stampDay, f.stampDateSepOn, f.stampHour,
                             f.stampMinute, f.stampSecond, f.stampTimeSepOn})
      EXPECT_EQ(one, 1);
    EXPECT_EQ(f.stampYearDigits, 0);
    EXPECT_EQ(f.stampDateStyle, 0);
    EXPECT_STREQ(f.stampDateSep, "/");
    EXPECT_STREQ(f.stampTimeSep, ":");
    for (int j = 0; j < kFormLines; ++j) {
      SCOPED_TRACE(j);
      ConstFormLine l = f.line(j);
      EXPECT_EQ(l.dataType, 0);
      EXPECT_EQ(l.lookupField, 0);
      EXPECT_EQ(l.inputSource, 2);
      EXPECT_EQ(l.minLength, 0);
      EXPECT_EQ(l.maxLength, 80);
      EXPECT_EQ(l.fixedLengthOn + l.alignment + l.fixedLength + l.initialOn + l.prefixOn + l.suffixOn, 0);
      EXPECT_EQ(l.partialOn + l.partialStart + l.leadingOn + l.inputMark + l.checkDigit + l.decimals, 0);
      EXPECT_EQ(l.partialMax, 20);
      EXPECT_EQ(l.autoEnter, 1);
      EXPECT_EQ(l.reserved[0], 0);
      EXPECT_EQ(l.reserved[1], 0xEE) << "the rest of the reserved bytes stay";
      for (std::uint8_t b : std::string(l.prompt, 21)) EXPECT_EQ(b, 0);
      for (std::uint8_t b : std::string(l.initialText, 10)) EXPECT_EQ(b, 0);
      for (std::uint8_t b : l.prefix) EXPECT_EQ(b, 0);
      for (std::uint8_t b : l.suffix) EXPECT_EQ(b, 0);
      for (std::uint8_t b : std::string(l.leadingCode, 6)) EXPECT_EQ(b, 0);
    }
    for (int k = 0; k < kFnKeys; ++k) {
      EXPECT_EQ(f.fnBranch[k] + f.fnSumField[k] + f.fnSumSource[k], 0);
      EXPECT_EQ(f.fnRemainsField[k], 0xEE);
      EXPECT_EQ(f.fnRemainsFilter[k], 0xEE);
    }
    EXPECT_EQ(f.lastInputLine + f.simCurrentLine, 0);
    EXPECT_EQ(f.unused[0], 0xEE);
  }
}

TEST(NewApplication, MenusAreEmptyAndLookupsAreTabDelimited) {
  auto def = newOver(0x77);
  for (const MenuRecord& m : def->menu) {
    const std::uint8_t* p = raw(&m);
    for (std::size_t i = 0; i < 250; ++i) ASSERT_EQ(p[i], 0) << i;
    EXPECT_EQ(p[250], 0x77);
  }
  for (const LookupRecord& l : def->lookup) {
    EXPECT_EQ(l.memberLength + l.fieldCount + l.keyField, 0);
    for (int i = 0; i < kLookupFields; ++i) {
      EXPECT_EQ(l.field(i).offset, 1);
      EXPECT_EQ(l.field(i).length, 0);
    }
    EXPECT_EQ(l.delimiter, 9);
    EXPECT_EQ(l.uploadable, 1);
    EXPECT_EQ(l.noMatchAction + l.badFormatAction + l.readOnce, 0);
    EXPECT_EQ(l.negativeRemains, 0x77);
    EXPECT_EQ(l.deleteIfNull, 0x77);
  }
  const std::uint8_t* w = raw(&def->wedgeSettings);
  const std::uint8_t wedge[5] = {0, 0, 0, 0, 1};
  EXPECT_EQ(std::memcmp(w, wedge, 5), 0);
  EXPECT_EQ(w[5], 0x77);
}

TEST(NewApplication, SystemSettingsByteByByte) {
  auto def = newOver(0xCC);
  const std::uint8_t* s = raw(&def->systemSettings);
  auto expectRange = [&](int from, int to, int value) {
    for (int i = from; i <= to; ++i) EXPECT_EQ(s[i], value) << "byte " << i;
  };
  const int head[] = {4, 0, 9, 0, 0, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s[i], head[i]) << i;
  expectRange(6, 26, 0);
  const int mid[] = {1, 0, 0, 2, 0, 1, 6};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(s[27 + i], mid[i]) << 27 + i;
  expectRange(34, 68, 0);
  expectRange(69, 83, 0xCC);
  expectRange(84, 136, 0);
  EXPECT_EQ(s[137], 2);
  EXPECT_EQ(s[138], 1);
  EXPECT_EQ(s[139], 2);
  expectRange(140, 149, 0);
  EXPECT_STREQ(def->systemSettings.settingsText[0], "8. Calculator       ");
  EXPECT_STREQ(def->systemSettings.settingsText[4], "3.Warning Beep      ");
  EXPECT_EQ(s[255], 0xCC);
  EXPECT_EQ(s[256], 0xCC);
  EXPECT_EQ(s[257], 0);
  expectRange(258, 267, 0xCC);
}

TEST(NewApplication, TagWeightCodeAndHeaderWord) {
  auto def = newOver(0x11);
  EXPECT_EQ(std::memcmp(def->versionTag, "T900RU004\0", 10), 0);
  EXPECT_EQ(def->headerWord[0], 0x11);
  EXPECT_EQ(def->headerWord[1], 0x11);
  const std::uint8_t weight[12] = {0xDA, 0xAB, 1, 0, '2', '3', 7, 0, 2, 0, 4, 0};
  EXPECT_EQ(std::memcmp(&def->weightCode, weight, 12), 0);
}

TEST(NewApplication, MessageGroupsComeFromTheDefaultMessageTable) {
  auto strings = std::make_unique<UiStrings>();
  const std::string file = "Test\r\n1071=" + std::string(30, 'x') + "\r\n981=Daten loeschen\r\n";
  ASSERT_TRUE(strings->applyLanguageFile(file.data(), file.size()));
  strings->setLanguageActive(true);
  auto table = std::make_unique<DefaultMessages>();
  buildDefaultMessages(*strings, *table);
  auto def = std::make_unique<ApplicationDefinition>();
  // A text in the table past the last group's entries must not land behind that group.
  copyText(table->small[kMessageGroupCount - 1][messageGroup(*def, kMessageGroupCount - 1).entries], "Beyond");
  std::memset(def.get(), 0x33, sizeof *def);
  applyNewApplicationDefaults(*def, *table);
  // The wedge settings follow the last group: only their own reset touches them.
  const std::uint8_t wedgeHead[5] = {0, 0, 0, 0, 1};
  EXPECT_EQ(std::memcmp(&def->wedgeSettings, wedgeHead, sizeof wedgeHead), 0);
  for (std::uint8_t b : def->wedgeSettings.unused) ASSERT_EQ(b, 0x33);
  for (int i = 0; i < 4; ++i) {
    for (char c : def->msgReserved.entry[i]) EXPECT_EQ(c, 0);
  }
  EXPECT_STREQ(def->msgMainMenu.entry[0], "1.Collect data ");
  EXPECT_STREQ(def->msgMainMenu.entry[3], "            ");
  EXPECT_STREQ(def->msgErrors.entry[0], std::string(20, 'x').c_str());
  EXPECT_STREQ(def->msgDeleteData.entry[0], "Daten loeschen");
  for (int g = 0; g < kMessageGroupCount; ++g) {
    MessageGroupView v = messageGroup(*def, g);
    for (int i = 0; i < v.entries; ++i) {
      SCOPED_TRACE(testing::Message() << g << "/" << i);
      EXPECT_STREQ(v.entry(i), table->small[g][i]);
      const std::size_t length = std::strlen(v.entry(i));
      for (int k = static_cast<int>(length); k < v.width; ++k) EXPECT_EQ(v.entry(i)[k], 0);  // no stale bytes
    }
  }
}

TEST(NewApplication, IsTheSameWhateverCameBefore) {
  auto a = newOver(0x00);
  auto b = newOver(0x00);
  b->form[2].nextTarget = 9;
  b->form[2].line(3).maxLength = 5;
  b->msgErrors.entry[1][0] = 'Z';
  b->systemSettings.schemaRevision = 1;
  applyNewApplicationDefaults(*b);
  EXPECT_EQ(std::memcmp(a.get(), b.get(), sizeof *a), 0) << "the one-argument New uses the English table";
}

}  // namespace
}  // namespace torvik
