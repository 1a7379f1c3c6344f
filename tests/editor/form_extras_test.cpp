// The form-level dialogs' rules: stamp previews, branch actions, Remains and Summation packing.
#include "editor/form_extras.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace torvik {
namespace {

struct DateRow {
  const char* name;
  int year, digits, month, day, sepOn;
  char sep;
  int style;
  const char* expected;
};

TEST(FormExtras, DatePreviewFollowsStyleSeparatorAndParts) {
  const DateRow rows[] = {
      {"ymd slash", 1, 0, 1, 1, 1, '/', kDateYearMonthDay, "YYYY/MM/DD"},
      {"dmy slash", 1, 0, 1, 1, 1, '/', kDateDayMonthYear, "DD/MM/YYYY"},
      {"mdy dash, day and year only", 1, 0, 0, 1, 1, '-', kDateMonthDayYear, "DD-YYYY"},
      {"separator off joins", 1, 0, 1, 1, 0, '/', kDateYearMonthDay, "YYYYMMDD"},
      {"two-digit year", 1, 1, 1, 1, 1, '.', kDateMonthDayYear, "MM.DD.YY"},
      {"first part off: no leading separator", 0, 0, 1, 1, 1, '/', kDateYearMonthDay, "MM/DD"},
      {"only the last part", 1, 0, 0, 0, 1, '/', kDateDayMonthYear, "YYYY"},
      {"nothing on", 0, 0, 0, 0, 1, '/', kDateYearMonthDay, ""},
      {"separator on but empty", 1, 0, 1, 0, 1, '\0', kDateYearMonthDay, "YYYYMM"},
      {"style beyond the list reads as year first", 1, 0, 1, 1, 1, '/', 7, "YYYY/MM/DD"},
  };
  for (const DateRow& r : rows) {
    SCOPED_TRACE(r.name);
    FormRecord form{};
    form.stampYear = static_cast<std::uint8_t>(r.year);
    form.stampYearDigits = static_cast<std::uint8_t>(r.digits);
    form.stampMonth = static_cast<std::uint8_t>(r.month);
    form.stampDay = static_cast<std::uint8_t>(r.day);
    form.stampDateSepOn = static_cast<std::uint8_t>(r.sepOn);
    form.stampDateSep[0] = r.sep;
    form.stampDateStyle = static_cast<std::uint8_t>(r.style);
    char out[32];
    stampDatePattern(form, out, sizeof out);
    EXPECT_STREQ(r.expected, out);
  }
}

TEST(FormExtras, TimePreviewSeparatesOnlyAfterAnEarlierPart) {
  const struct { int h, m, s, sepOn; const char* expected; } rows[] = {
      {1, 1, 1, 1, "HH:MM:SS"}, {1, 1, 1, 0, "HHMMSS"}, {0, 1, 1, 1, "MM:SS"},
      {1, 0, 1, 1, "HH:SS"},    {0, 0, 1, 1, "SS"},     {0, 0, 0, 1, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.expected);
    FormRecord form{};
    form.stampHour = static_cast<std::uint8_t>(r.h);
    form.stampMinute = static_cast<std::uint8_t>(r.m);
    form.stampSecond = static_cast<std::uint8_t>(r.s);
    form.stampTimeSepOn = static_cast<std::uint8_t>(r.sepOn);
    form.stampTimeSep[0] = ':';
    char out[32];
    stampTimePattern(form, out, sizeof out);
    EXPECT_STREQ(r.expected, out);
  }
}

TEST(FormExtras, PreviewNeverWritesPastASmallBuffer) {
  FormRecord form{};
  form.stampYear = form.stampMonth = form.stampDay = form.stampDateSepOn = 1;
  form.stampDateSep[0] = '/';
  char out[6];
  std::memset(out, 'x', sizeof out);
  stampDatePattern(form, out, 5);
  EXPECT_STREQ("YYYY", out);
  EXPECT_EQ('x', out[5]);
}

TEST(FormExtras, BranchActionsBeyondTheListShowDisable) {
  const struct { int stored, shown; bool more; } rows[] = {
      {0, 0, false},   {1, 1, false},  {10, 10, false}, {kBranchRemains, 11, true},
      {kBranchSummation, 12, true}, {kBranchDeleteLast, 13, false}, {14, 0, false}, {255, 0, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.stored);
    EXPECT_EQ(r.shown, shownBranchAction(r.stored));
    EXPECT_EQ(r.more, branchHasSettings(shownBranchAction(r.stored)));
  }
}

TEST(FormExtras, SummationPacksFieldAndMultiplier) {
  const struct { SummationChoice choice; std::uint8_t field, source; } rows[] = {
      {{0, 1, 1, 4}, 0x51, 0},  // field 2 times field 5
      {{3, 7, 0, 5}, 0x07, 3},  // no multiplier: the multiplier combo's item is ignored
      {{2, 0, 1, 7}, 0x80, 2},
      {{1, 0, 1, 0}, 0x10, 1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.field));
    FormRecord form{};
    form.fnSumField[2] = 0xEE;
    storeSummationChoice(form, 1, r.choice);
    EXPECT_EQ(r.field, form.fnSumField[1]);
    EXPECT_EQ(r.source, form.fnSumSource[1]);
    EXPECT_EQ(0xEE, form.fnSumField[2]) << "another key's byte";
    const SummationChoice back = summationChoiceOf(form, 1);
    EXPECT_EQ(r.choice.field, back.field);
    EXPECT_EQ(r.choice.multiply, back.multiply);
    if (r.choice.multiply != 0) {
      EXPECT_EQ(r.choice.multiplier, back.multiplier);
    }
    EXPECT_EQ(r.choice.source, back.source);
  }
}

TEST(FormExtras, StoredValuesOutsideTheListsShowTheFirstItem) {
  FormRecord form{};
  form.fnSumField[0] = 0xFF;  // field 15, multiplier 14: neither is a field
  form.fnSumSource[0] = 9;
  form.fnRemainsField[0] = 0x1C;   // enabled, field 12
  form.fnRemainsFilter[0] = 0x71;  // suffix, variable 7
  const SummationChoice sum = summationChoiceOf(form, 0);
  EXPECT_EQ(0, sum.field);
  EXPECT_EQ(1, sum.multiply);
  EXPECT_EQ(0, sum.multiplier);
  EXPECT_EQ(0, sum.source);
  const RemainsChoice remains = remainsChoiceOf(form, 0);
  EXPECT_EQ(1, remains.enabled);
  EXPECT_EQ(0, remains.field);
  EXPECT_EQ(1, remains.suffix);
  EXPECT_EQ(0, remains.variable);
}

TEST(FormExtras, RemainsPacksWholeBytes) {
  const struct { RemainsChoice choice; std::uint8_t field, filter; } rows[] = {
      {{1, 2, 5, 1}, 0x15, 0x21},
      {{0, 0, 7, 0}, 0x07, 0x00},
      {{1, 1, 0, 0}, 0x10, 0x10},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.field));
    FormRecord form{};
    form.fnRemainsField[3] = 0xE0;  // stray high bits do not survive OK
    form.fnRemainsFilter[3] = 0x0E;
    storeRemainsChoice(form, 3, r.choice);
    EXPECT_EQ(r.field, form.fnRemainsField[3]);
    EXPECT_EQ(r.filter, form.fnRemainsFilter[3]);
    const RemainsChoice back = remainsChoiceOf(form, 3);
    EXPECT_EQ(r.choice.enabled, back.enabled);
    EXPECT_EQ(r.choice.field, back.field);
    EXPECT_EQ(r.choice.suffix, back.suffix);
    EXPECT_EQ(r.choice.variable, back.variable);
  }
}

TEST(FormExtras, SeparatorsAreOneCharacterAndItsTerminator) {
  const struct { const char* date; const char* time; } rows[] = {{"/-", "::"}, {"\0-", "\0:"}, {"/\0", "\0\0"}};
  for (const auto& r : rows) {
    FormRecord form{};
    std::memcpy(form.stampDateSep, r.date, 2);
    std::memcpy(form.stampTimeSep, r.time, 2);
    settleStampSeparators(form);
    EXPECT_EQ(form.stampDateSep[0], r.date[0]);
    EXPECT_EQ(form.stampTimeSep[0], r.time[0]);
    EXPECT_EQ(form.stampDateSep[1], 0);
    EXPECT_EQ(form.stampTimeSep[1], 0);
  }
}

}  // namespace
}  // namespace torvik
