#include "editor/lookup_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editor/editor_session.h"

namespace torvik {
namespace {

LookupRecord delimited(std::initializer_list<int> lengths, std::uint8_t delimiter = kTabDelimiter) {
  LookupRecord l{};
  l.delimiter = delimiter;
  l.fieldCount = static_cast<std::uint8_t>(lengths.size());
  int i = 0;
  for (int length : lengths) l.fieldLength[i++] = static_cast<std::uint8_t>(length);
  return l;
}

TEST(LookupRules, DelimiterLayoutOnOk) {
  struct Row {
    const char* name;
    LookupRecord lookup;
    bool applied;
    int memberLength;
    int offsets[8];
  } rows[] = {
      {"5, 10, 3", delimited({5, 10, 3}), true, 20, {1, 7, 18}},
      {"one field", delimited({12}), true, 12, {1}},
      {"no field stores 0, not 255", delimited({}), true, 0, {}},
      {"eight fields", delimited({1, 1, 1, 1, 1, 1, 1, 1}), true, 15, {1, 3, 5, 7, 9, 11, 13, 15}},
      {"exactly a line", delimited({200, 52}), true, 253, {1, 202}},
      {"one past a line", delimited({200, 53}), false, 0, {}},
      {"would wrap a byte", delimited({255, 255}), false, 0, {}},
  };
  for (Row& r : rows) {
    SCOPED_TRACE(r.name);
    LookupRecord l = r.lookup;
    l.memberLength = 0;
    EXPECT_EQ(applyLookupLayout(l), r.applied);
    if (!r.applied) {
      EXPECT_EQ(std::memcmp(&l, &r.lookup, sizeof l), 0) << "a refused lookup is left as it was";
      continue;
    }
    EXPECT_EQ(l.memberLength, r.memberLength);
    for (int i = 0; i < l.fieldCount; ++i) EXPECT_EQ(l.field(i).offset, r.offsets[i]) << "field " << i;
  }
}

TEST(LookupRules, FixedLengthLayoutIsTheUsers) {
  LookupRecord l = delimited({200, 200}, kFixedLengthRecords);
  l.memberLength = 77;
  l.fieldOffset[0] = 3;
  l.fieldOffset[1] = 9;
  const LookupRecord before = l;
  EXPECT_TRUE(applyLookupLayout(l));
  EXPECT_EQ(std::memcmp(&l, &before, sizeof l), 0);
}

// The length the refusal names is the one the check measured, also for a count beyond eight
// read from a file.
TEST(LookupRules, LineLengthCountsAtMostEightFields) {
  struct Row {
    LookupRecord lookup;
    int fieldCount;
    int expected;
  };
  const Row rows[] = {
      {delimited({}), 0, 0},
      {delimited({5}), 1, 5},
      {delimited({250, 10}), 2, 261},
      {delimited({255, 255, 255, 255, 255, 255, 255, 255}), 8, 8 * 255 + 7},
      {delimited({100, 100, 100, 1, 1, 1, 1, 1}), 40, 305 + 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    LookupRecord l = row.lookup;
    l.fieldCount = static_cast<std::uint8_t>(row.fieldCount);
    EXPECT_EQ(delimitedLineLength(l), row.expected);
  }
}

TEST(LookupRules, FirstOverlongLookupNamesTheDelimitedOne) {
  LookupRecord lookups[kLookupCount] = {delimited({100, 100}), delimited({200, 200}, kFixedLengthRecords),
                                        delimited({250, 10}, ',')};
  EXPECT_EQ(firstOverlongLookup(lookups), 2);
  lookups[2].fieldLength[1] = 2;
  EXPECT_EQ(firstOverlongLookup(lookups), -1);
}

// The refusal's text comes from the string table, which a language file may change: whatever
// it holds, the name and the length go in once and nothing else is read.
TEST(LookupRules, OverlongTextTakesOnlyTheNameAndTheLength) {
  struct Row {
    const char* format;
    std::size_t size;
    const char* expected;
  };
  const Row rows[] = {
      {"The fields of the %s take %d characters; a lookup line holds 253.", 256,
       "The fields of the 2nd lookup file take 260 characters; a lookup line holds 253."},
      {"%d characters in the %s", 256, "260 characters in the 2nd lookup file"},
      {"%s %s %n %d %d %x", 256, "2nd lookup file %s %n 260 %d %x"},
      {"100%% of %s", 256, "100% of 2nd lookup file"},
      {"trailing %", 256, "trailing %"},
      {"no fields", 256, "no fields"},
      {"The %s take %d", 12, "The 2nd loo"},
      {"%s", 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.format);
    char out[257];  // one byte more than the largest size, to see that it stays untouched
    std::memset(out, 'x', sizeof out);
    overlongLookupText(row.format, "2nd lookup file", 260, out, row.size);
    EXPECT_STREQ(out, row.expected);
    EXPECT_EQ(out[row.size], 'x');  // nothing past the buffer
  }
}

TEST(LookupRules, EditCorrections) {
  struct Row {
    const char* in;
    const char* memberShown;
    int member;
    const char* delimiterShown;
    int delimiter;
    bool refused;
  } rows[] = {
      {"", "0", 0, "", 59, false},  // emptied: the delimiter stays until a number comes
      {"abc", "0", 0, "59", 59, true},  // no number, and no delimiter at all, are refused too
      {"12a", "0", 0, "59", 59, true},
      {"007", "7", 7, "7", 7, false},
      {"0", "0", 0, "59", 59, true},
      {"00", "0", 0, "59", 59, true},
      {"255", "255", 255, "255", 255, false},
      {"256", "255", 255, "255", 255, false},
      {"99999", "255", 255, "255", 255, false},
      {"44", "44", 44, "44", 44, false},
      {"13", "13", 13, "59", 59, true},  // the previous delimiter, ';', comes back
      {"013", "13", 13, "59", 59, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.in);
    char member[32];
    std::strcpy(member, r.in);
    EXPECT_EQ(correctMemberLengthText(member, sizeof member).value, r.member);
    EXPECT_STREQ(member, r.memberShown);
    char delimiter[32];
    std::strcpy(delimiter, r.in);
    const DelimiterEdit e = editDelimiterText(delimiter, sizeof delimiter, ';');
    EXPECT_EQ(e.refused, r.refused);
    EXPECT_EQ(e.value, r.delimiter);
    EXPECT_STREQ(delimiter, r.delimiterShown);
  }
}

TEST(LookupRules, ChoosingTheDelimiterLayout) {
  struct Row {
    int edited, delimiter;
  } rows[] = {{0, 9}, {9, 9}, {44, 44}, {13, 9}, {255, 255}, {300, 255}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.edited);
    EXPECT_EQ(delimiterForLayout(r.edited), r.delimiter);
  }
}

TEST(LookupRules, ReadOnceOffersOnlyTheInsertingActions) {
  std::uint8_t codes[6];
  ASSERT_EQ(noMatchChoices(false, codes), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(codes[i], i);
  ASSERT_EQ(noMatchChoices(true, codes), 2);
  EXPECT_EQ(codes[0], kNoMatchInsert);
  EXPECT_EQ(codes[1], kNoMatchWarnAndInsert);

  struct Row {
    bool readOnce;
    int code, item, settled;
  } rows[] = {
      {false, 0, 0, 0}, {false, 5, 5, 5}, {true, 2, 0, 2}, {true, 3, 1, 3},
      {true, 0, 0, 2},  {true, 1, 0, 2},  {true, 4, 0, 2}, {true, 5, 0, 2},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.readOnce << " " << r.code);
    EXPECT_EQ(noMatchItem(r.readOnce, r.code), r.item);
    LookupRecord l{};
    l.readOnce = r.readOnce;
    l.noMatchAction = static_cast<std::uint8_t>(r.code);
    settleReadOnce(l);
    EXPECT_EQ(l.noMatchAction, r.settled);
  }
}

TEST(LookupRules, ResetValuesKeepDeleteIfNullAndTheTail) {
  LookupRecord lookups[kLookupCount];
  std::memset(lookups, 0x5A, sizeof lookups);
  lookups[1].deleteIfNull = 1;
  lookups[2].deleteIfNull = 0;
  resetLookups(lookups);
  for (int n = 0; n < kLookupCount; ++n) {
    SCOPED_TRACE(n);
    const LookupRecord& l = lookups[n];
    EXPECT_EQ(l.memberLength, 0);
    EXPECT_EQ(l.fieldCount, 0);
    EXPECT_EQ(l.keyField, 0);
    for (int i = 0; i < kLookupFields; ++i) {
      EXPECT_EQ(l.field(i).offset, 1);
      EXPECT_EQ(l.field(i).length, 0);
    }
    EXPECT_EQ(l.delimiter, 0);
    EXPECT_EQ(l.readOnce, 0);
    EXPECT_EQ(l.uploadable, 1);
    EXPECT_EQ(l.noMatchAction, 0);
    EXPECT_EQ(l.badFormatAction, 0);
    EXPECT_EQ(l.negativeRemains, 0);
    for (std::uint8_t b : l.unused) ASSERT_EQ(b, 0x5A);
  }
  EXPECT_EQ(lookups[0].deleteIfNull, 0x5A);
  EXPECT_EQ(lookups[1].deleteIfNull, 1);
  EXPECT_EQ(lookups[2].deleteIfNull, 0);
}

struct Design {
  Design() : def(std::make_unique<ApplicationDefinition>()), defaults(std::make_unique<DefaultMessages>()) {
    std::memset(def.get(), 0, sizeof *def);
    std::memset(defaults.get(), 0, sizeof *defaults);
    std::strcpy(def->systemSettings.settingsText[0], "8. Calculator       ");
    std::strcpy(def->systemSettings.settingsText[1], "7.Buzzer            ");
    std::strcpy(defaults->settingsSmall[0], "8. Calculator       ");
    std::strcpy(defaults->settingsLarge[0], "8. Calculator  ");
    std::strcpy(defaults->settingsSmall[1], "7.Buzzer            ");
  }
  std::unique_ptr<ApplicationDefinition> def;
  std::unique_ptr<DefaultMessages> defaults;
};

TEST(LookupRules, CalculatorEntryFollowsTheDefinedLookups) {
  struct Row {
    const char* name;
    int lookup;  // -1: none
    int memberLength, fieldCount;
    char digit;
  } rows[] = {
      {"none defined", -1, 0, 0, '8'},
      {"first defined", 0, 10, 1, '9'},
      {"third defined", 2, 10, 1, '9'},
      {"length without fields", 1, 10, 0, '8'},
      {"fields without length", 1, 0, 3, '8'},
  };
  for (const Row& r : rows) {
    for (char start : {'8', '9'}) {
      SCOPED_TRACE(testing::Message() << r.name << " from " << start);
      Design d;
      d.def->systemSettings.settingsText[0][0] = start;
      d.defaults->settingsSmall[0][0] = start;
      d.defaults->settingsLarge[0][0] = start;
      if (r.lookup >= 0) {
        d.def->lookup[r.lookup].memberLength = static_cast<std::uint8_t>(r.memberLength);
        d.def->lookup[r.lookup].fieldCount = static_cast<std::uint8_t>(r.fieldCount);
      }
      renumberCalculatorEntry(*d.def, d.defaults.get());
      EXPECT_EQ(std::string(d.def->systemSettings.settingsText[0]), std::string(1, r.digit) + ". Calculator       ");
      EXPECT_EQ(std::string(d.defaults->settingsSmall[0]), std::string(1, r.digit) + ". Calculator       ");
      EXPECT_EQ(std::string(d.defaults->settingsLarge[0]), std::string(1, r.digit) + ". Calculator  ");
      EXPECT_STREQ(d.def->systemSettings.settingsText[1], "7.Buzzer            ") << "slot 2 is not the entry";
      EXPECT_STREQ(d.defaults->settingsSmall[1], "7.Buzzer            ");
    }
  }
}

TEST(LookupRules, CalculatorRenumberingRunsAfterLaterPagesWhereverLookupsOrStartupTextsStored) {
  struct Row {
    bool lookups, startupTexts;
    char digit;
  } rows[] = {{false, false, '8'}, {true, false, '9'}, {false, true, '9'}, {true, true, '9'}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.lookups << r.startupTexts);
    Design d;
    UiStrings strings;
    EditorSession session(*d.def, strings);
    d.def->lookup[0].memberLength = 5;
    d.def->lookup[0].fieldCount = 1;
    session.formsApplied = true;
    session.lookupsApplied = r.lookups;
    session.startupTextsApplied = r.startupTexts;
    // What the Startup page's own copy of the texts (a Reset, the large font) put back.
    std::strcpy(session.applyTarget().systemSettings.settingsText[0], "8. Calculator       ");
    ASSERT_TRUE(commitApplied(session, d.defaults.get()));
    EXPECT_EQ(d.def->systemSettings.settingsText[0][0], r.digit);
  }
}

TEST(LookupRules, DefaultsFollowALoadedDesignsLookups) {
  for (bool defined : {false, true}) {
    Design d;
    d.def->lookup[2].memberLength = defined ? 7 : 0;
    d.def->lookup[2].fieldCount = 2;
    std::strcpy(d.def->systemSettings.settingsText[0], "X. Mine");
    renumberCalculatorDefaults(*d.def, *d.defaults);
    EXPECT_EQ(d.defaults->settingsSmall[0][0], defined ? '9' : '8');
    EXPECT_EQ(d.defaults->settingsLarge[0][0], defined ? '9' : '8');
    EXPECT_STREQ(d.def->systemSettings.settingsText[0], "X. Mine") << "the loaded design keeps its bytes";
  }
}

TEST(LookupRules, EmptyCalculatorTextStaysEmpty) {
  Design d;
  d.def->systemSettings.settingsText[0][0] = '\0';
  d.def->lookup[1].memberLength = 3;
  d.def->lookup[1].fieldCount = 1;
  renumberCalculatorEntry(*d.def, nullptr);
  EXPECT_EQ(d.def->systemSettings.settingsText[0][0], '\0');
  EXPECT_EQ(d.defaults->settingsSmall[0][0], '8') << "no table given, none touched";
}

}  // namespace
}  // namespace torvik
