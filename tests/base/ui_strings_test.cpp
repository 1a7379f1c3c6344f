#include "base/ui_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "base/string_ids.h"

namespace torvik {
namespace {

// A small resource table of our own, so these tests do not move with the real texts.
int fakeResources(int id, char* buffer, int size) {
  static const std::string kLong(100, 'L');
  const char* text = "";
  if (id == kStrSaveCurrentProgram) text = "Save current program ?";
  if (id == kStrError) text = "Error";
  if (id == 500) text = kLong.c_str();
  const int n = std::min<int>(static_cast<int>(std::strlen(text)), size - 1);
  std::memcpy(buffer, text, static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

std::unique_ptr<UiStrings> makeStrings() { return std::make_unique<UiStrings>(fakeResources); }

bool load(UiStrings& s, const std::string& file) {
  const bool loaded = s.applyLanguageFile(file.data(), file.size());
  s.setLanguageActive(loaded);
  return loaded;
}

TEST(UiStringLookup, WithoutLanguageEachKindKeepsItsOwnText) {
  auto s = makeStrings();
  const char* caption = s->lookup(kStrError, TextKind::Caption);
  const char* message = s->lookup(kStrSaveCurrentProgram, TextKind::Message);
  EXPECT_STREQ(caption, "Error");
  EXPECT_STREQ(message, "Save current program ?");
  s->lookup(9999, TextKind::Label);
  EXPECT_STREQ(s->lookup(9999, TextKind::Label), "");  // no such id: empty
  EXPECT_STREQ(caption, "Error");                      // other kinds untouched
}

TEST(UiStringLookup, TerminalKindIsCutTo80AndOthersTo127) {
  auto s = makeStrings();
  EXPECT_EQ(std::strlen(s->lookup(500, TextKind::Terminal)), 80u);
  EXPECT_EQ(std::strlen(s->lookup(500, TextKind::Message)), 100u);
  // The override entries stay empty while no language is active.
  EXPECT_STREQ(s->directEntry(500), "");
}

TEST(LanguageFile, OverridesTextsAndLeavesTheRestToTheResources) {
  auto s = makeStrings();
  ASSERT_TRUE(load(*s, "Deutsch\r\n1131=Programm speichern ?\r\n1=Torvik DE\r\n7=a=b=c\r\n"));
  EXPECT_STREQ(s->lookup(kStrSaveCurrentProgram, TextKind::Message), "Programm speichern ?");
  EXPECT_STREQ(s->directEntry(1), "Torvik DE");
  EXPECT_STREQ(s->directEntry(7), "a=b=c");  // only the first '=' separates
  EXPECT_STREQ(s->lookup(kStrError, TextKind::Caption), "Error");
  EXPECT_STREQ(s->directEntry(kStrError), "Error");  // cached once looked up
  EXPECT_STREQ(s->lookup(1500, TextKind::Label), "");
}

TEST(LanguageFile, IdWithEqualsAndLineEndOnlySetsAnEmptyOverride) {
  auto s = makeStrings();
  ASSERT_TRUE(load(*s, "X\r\n1131=\r\n"));
  EXPECT_STREQ(s->directEntry(kStrSaveCurrentProgram), "");
  EXPECT_STREQ(s->lookup(kStrSaveCurrentProgram, TextKind::Message), "Save current program ?");
  EXPECT_STREQ(s->directEntry(kStrSaveCurrentProgram), "Save current program ?");
}

TEST(LanguageFile, LineFeedOnlyLinesLoseTheirLastCharacter) {
  auto s = makeStrings();
  ASSERT_TRUE(load(*s, "X\n1131=Sichern?\n1121=Fehler\n"));
  EXPECT_STREQ(s->directEntry(kStrSaveCurrentProgram), "Sichern");
  EXPECT_STREQ(s->directEntry(kStrError), "Fehle");
}

TEST(LanguageFile, FileEndingAfterAnIdClearsThatEntry) {
  auto s = makeStrings();
  ASSERT_TRUE(load(*s, "X\r\n1131=Eins\r\n"));
  ASSERT_TRUE(load(*s, "X\r\n1131"));
  EXPECT_STREQ(s->directEntry(kStrSaveCurrentProgram), "");
  ASSERT_TRUE(load(*s, "X\r\n1131=Eins\r\n1131="));
  EXPECT_STREQ(s->directEntry(kStrSaveCurrentProgram), "");
}

TEST(LanguageFile, SecondLanguageKeepsFirstLanguagesOtherEntries) {
  auto s = makeStrings();
  ASSERT_TRUE(load(*s, "A\r\n1=First\r\n2=Second\r\n"));
  ASSERT_TRUE(load(*s, "B\r\n2=Zweite\r\n"));
  EXPECT_STREQ(s->directEntry(1), "First");
  EXPECT_STREQ(s->directEntry(2), "Zweite");
}

TEST(LanguageFile, OutOfRangeIdsAndOverlongTextsStayInsideTheTable) {
  auto s = makeStrings();
  const std::string longText(200, 'T');
  std::string file = "X\r\n1800=no\r\n99999999999999999999=no\r\n1799=" + longText + "\r\n0=zero\r\n";
  ASSERT_TRUE(load(*s, file));
  EXPECT_EQ(std::string(s->directEntry(1799)), std::string(80, 'T'));
  EXPECT_STREQ(s->directEntry(0), "zero");
  EXPECT_STREQ(s->directEntry(1800), "");
  EXPECT_STREQ(s->directEntry(-1), "");
  // Junk before '=' reads as id 0.
  ASSERT_TRUE(load(*s, "X\r\nabc=junk\r\n"));
  EXPECT_STREQ(s->directEntry(0), "junk");
}

TEST(LanguageFile, OnlyTheFirst18000BytesCount) {
  auto s = makeStrings();
  std::string file = "X\r\n";
  file += "5=" + std::string(18000 - file.size() - 4, 'p') + "\r\n";  // ends exactly at 18,000
  ASSERT_EQ(file.size(), 18000u);
  file += "6=late\r\n";
  ASSERT_TRUE(load(*s, file));
  EXPECT_STREQ(s->directEntry(6), "");
  EXPECT_EQ(std::strlen(s->directEntry(5)), 80u);
}

TEST(LanguageFile, EmptyNamelessOrBinaryFilesAreHandledSafely) {
  auto s = makeStrings();
  EXPECT_FALSE(s->applyLanguageFile("", 0));
  EXPECT_TRUE(s->applyLanguageFile("NoLineEnds", 10));  // a name and nothing more
  const char junk[] = {'\x01', '=', '\xff', '\n', '3', '=', 'x', '\0', '4', '=', 'y', '\r', '\n'};
  EXPECT_TRUE(s->applyLanguageFile(junk, sizeof junk));
  EXPECT_STREQ(s->directEntry(4), "");  // the text ends at its NUL
  // Every byte value, in every position, without a fault.
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
  s->applyLanguageFile(noise.data(), noise.size());
}

TEST(LanguageList, NamesComeFromTheFirstLineAndEmptyFilesEndTheScan) {
  auto s = makeStrings();
  EXPECT_TRUE(s->addLanguage("Deutsch\r\n1=x", 12, "C:\\t\\de.lng"));
  const std::string longName(60, 'N');
  EXPECT_TRUE(s->addLanguage(longName.data(), longName.size(), "C:\\t\\n.lng"));
  EXPECT_EQ(std::strlen(s->language(1).name), 40u);
  EXPECT_FALSE(s->addLanguage("\r\n", 2, "C:\\t\\empty.lng"));
  EXPECT_FALSE(s->addLanguage("", 0, "C:\\t\\zero.lng"));
  EXPECT_EQ(s->languageCount(), 2);
  EXPECT_EQ(s->findLanguage("Deutsch"), 0);
  EXPECT_EQ(s->findLanguage("deutsch"), -1);  // case counts
  EXPECT_EQ(s->findLanguage("0"), -1);        // the built-in English matches no file
  EXPECT_STREQ(s->language(0).path, "C:\\t\\de.lng");
}

TEST(LanguageList, HoldsAtMostTwentyLanguages) {
  auto s = makeStrings();
  for (int i = 0; i < 25; ++i) {
    const std::string name = "L" + std::to_string(i);
    EXPECT_EQ(s->addLanguage(name.data(), name.size(), "p"), i < UiStrings::kMaxLanguages);
  }
  EXPECT_EQ(s->languageCount(), 20);
}

TEST(ResourceTable, IdsAscendUniqueInRangeAndTextsFitAnEntry) {
  int count = 0;
  const ResourceString* table = resourceStrings(&count);
  ASSERT_GT(count, 0);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(table[i].id);
    EXPECT_GE(table[i].id, 267);
    EXPECT_LE(table[i].id, 1795);
    if (i > 0) {
      EXPECT_GT(table[i].id, table[i - 1].id);
    }
    EXPECT_LE(std::strlen(table[i].text), 72u);
  }
  char buffer[128];
  builtinResourceString(kStrSaveCurrentProgram, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "Save current program ?");
  EXPECT_EQ(builtinResourceString(266, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

// Every terminal prompt must fit its LCD line: 15 or 20 columns.
struct TerminalRange {
  int first, count, width;
};
const TerminalRange kTerminalRanges[] = {
    {kStrMsgMainMenu, 3, 15}, {kStrMsgSaveRecord, 5, 15}, {kStrMsgUploadData, 5, 15}, {kStrMsgAutoDelete, 3, 15},
    {kStrMsgUtilitiesMenu, 8, 20}, {kStrMsgUtilitiesMenuLarge, 8, 15}, {kStrMsgSettingsMenu, 8, 20},
    {kStrMsgSettingsMenuLarge, 8, 15}, {kStrMsgUploadPort, 6, 20}, {kStrMsgUploadPortLarge, 6, 15},
    {kStrMsgPhoneNumber, 4, 20}, {kStrMsgPhoneNumberLarge, 2, 15}, {kStrMsgDownloadPort, 6, 20},
    {kStrMsgDownloadPortLarge, 5, 15}, {kStrMsgBaudRate, 5, 20}, {kStrMsgBaudRateLarge, 5, 15},
    {kStrMsgBacklight, 4, 20}, {kStrMsgBacklightLarge, 4, 15}, {kStrMsgDataDeletion, 4, 20},
    {kStrMsgDataDeletionLarge, 4, 15}, {kStrMsgEntryOptions, 6, 20}, {kStrMsgEntryOptionsLarge, 4, 15},
    {kStrMsgViewSettings, 8, 20}, {kStrMsgViewSettingsLarge, 6, 15}, {kStrMsgPassword, 2, 15},
    {kStrMsgDeleteRecord, 5, 15}, {kStrMsgDeleteData, 4, 15}, {kStrMsgConfirm, 4, 15}, {kStrMsgConnecting, 4, 15},
    {kStrMsgModem, 3, 15}, {kStrMsgMemoryPower, 4, 15}, {kStrMsgLoadLookup, 7, 15}, {kStrMsgMiscellaneous, 8, 15},
    {kStrMsgMiscContinuous, 3, 20}, {kStrMsgMiscContinuousLarge, 3, 15}, {kStrMsgErrors, 6, 20},
    {kStrMsgErrorsLarge, 6, 15}, {kStrMsgSystemFault, 3, 15}, {kStrSettingsSlotsSmall, 5, 20},
    {kStrSettingsSlotsLarge, 5, 15},
};

// Ids of the program's own messages, which the terminal's texts and dialogs do not use.
bool isOwnMessageId(int id) {
  return (id >= 1135 && id <= 1140) || (id >= 1148 && id <= 1160) || (id >= 1293 && id <= 1300) ||
         (id >= 1389 && id <= 1400) ||
         (id >= 1775 && id <= 1779);
}

TEST(ResourceTable, Holds456StringsFrom267To1795BesidesTheProgramsOwnMessages) {
  int count = 0;
  const ResourceString* table = resourceStrings(&count);
  int named = 0;
  for (int i = 0; i < count; ++i) named += isOwnMessageId(table[i].id) ? 0 : 1;
  EXPECT_EQ(named, 456);
  EXPECT_EQ(table[0].id, 267);
  EXPECT_EQ(table[count - 1].id, 1795);
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(table[i].id);
    EXPECT_GT(std::strlen(table[i].text), 0u);
    for (const char* c = table[i].text; *c != '\0'; ++c) EXPECT_TRUE(*c >= 32 && *c < 127);
  }
}

TEST(ResourceTable, EveryTerminalPromptIsPresentAndFitsItsLine) {
  char text[128];
  for (const TerminalRange& range : kTerminalRanges) {
    for (int id = range.first; id < range.first + range.count; ++id) {
      SCOPED_TRACE(id);
      const int n = builtinResourceString(id, text, sizeof text);
      EXPECT_GT(n, 0);
      EXPECT_LE(n, range.width);
    }
  }
  builtinResourceString(kStrMsgMainMenu, text, sizeof text);
  EXPECT_STREQ(text, "1.Collect data ");
}

TEST(ResourceTable, TextsTheProgramQuotesAreWordForWord) {
  const struct {
    int id;
    const char* text;
  } quoted[] = {{kStrError, "Error"}, {kStrWarning, "Warning"}, {kStrSaveCurrentProgram, "Save current program ?"},
                {kStrMain, "main"}, {kStrMenuPrefix, "menu  "}, {kStrFormPrefix, "form  "},
                {kStrTransportRs232, "RS-232"}, {kStrTransportRs232 + 1, "Cradle-IR"},
                {kStrTransportRs232 + 2, "IrDA"}, {kStrDetectingResult, "Detecting Result"},
                {kStrCradleNotAvailable, "Cradle is not available!! "},
                {kStrCradleConnectedTo, "Cradle is connected to "}, {kStrMainMenuGroup, "Main menu "},
                {kStrMainMenuGroup + 25, "Misc - continuous "}};
  char text[128];
  for (const auto& q : quoted) {
    builtinResourceString(q.id, text, sizeof text);
    EXPECT_STREQ(text, q.text) << q.id;
  }
}

// The names come from the same lines as the texts; this holds the two expansions to each
// other: every name is a table id with a text, and no id is named twice.
TEST(ResourceTable, EveryNamedIdHasItsOwnTextInTheTable) {
  const struct {
    int value;
    const char* name;
    const char* text;
  } named[] = {
#define UI_STRING(id, text)
#define UI_STRING_NAMED(name, id, text) {name, #name, text},
#include "resources/ui_strings.inc"
#undef UI_STRING_NAMED
#undef UI_STRING
  };
  int count = 0;
  const ResourceString* table = resourceStrings(&count);
  std::set<int> seen;
  char text[128];
  for (const auto& n : named) {
    SCOPED_TRACE(n.name);
    EXPECT_TRUE(seen.insert(n.value).second) << "named twice";
    const ResourceString* end = table + count;
    const ResourceString* it = std::find_if(table, end, [&](const ResourceString& r) { return r.id == n.value; });
    ASSERT_NE(it, end);
    EXPECT_STREQ(it->text, n.text);
    EXPECT_GT(builtinResourceString(n.value, text, sizeof text), 0);
  }
  EXPECT_EQ(kStrError, 1121);
  EXPECT_EQ(kStrNil, 1211);
  EXPECT_EQ(kStrTypeText, 1331);
}

}  // namespace
}  // namespace torvik
