// The last record that a pass-down form builds, its date and time stamp, the clock line
// and the hit test of the keypad picture.
#include "tests/simulator/sim_fixture.h"

namespace torvik {
namespace simtest {
namespace {

class RecordTest : public SimTest {
 protected:
  RecordTest() {
    f().recordAction = 3;
    clock.time = {2026, 3, 9, 8, 5, 4};
  }
  FormRecord& f() { return def->form[0]; }
  // Completes form 1 with one digit typed in each input line.
  std::string complete() {
    collect();
    EXPECT_EQ(sim->state(), ScreenState::Form);
    for (int i = 0; i < 8 && sim->state() == ScreenState::Form; ++i) keys({1 + i, kKeyEnterLeft});
    EXPECT_NE(sim->state(), ScreenState::Form);
    return sim->lastRecord();
  }
  void delimiters(char a, char b) {
    def->systemSettings.dataDelimiter1 = static_cast<std::uint8_t>(a);
    def->systemSettings.dataDelimiter2 = static_cast<std::uint8_t>(b);
  }
};

TEST_F(RecordTest, FieldsAreJoinedByTheDelimitersThatAreSet) {
  setLine(1, 0, {1, "A:"});
  setLine(1, 1, {9, "prompt"});
  setLine(1, 2, {2, "B:"});
  setLine(1, 3, {8, "FIX"});
  setLine(1, 4, {3, "C:"});
  delimiters(',', '"');
  EXPECT_EQ(complete(), "1,\"2,\"FIX,\"3");
  delimiters(0, ';');
  EXPECT_EQ(complete(), "1;2;FIX;3");
  delimiters(0, 0);
  EXPECT_EQ(complete(), "12FIX3");
}

TEST_F(RecordTest, LookupLinesCountOnlyWithSaveFieldData) {
  setLine(1, 0, {1, "A:"});
  setLine(1, 1, {7, "Look"});
  setLine(1, 2, {1, "B:"});
  delimiters(',', 0);
  EXPECT_EQ(complete(), "1,2");
  f().initialOn[1] = 1;
  EXPECT_EQ(complete(), "1,,2");
}

TEST_F(RecordTest, PrefixSuffixAndFixedLengthInEveryAlignment) {
  setLine(1, 0, {1, "A:", 10});
  f().prefixOn[0] = 1;
  std::memcpy(f().prefix[0], "<<<<<<<<<<", 10);  // all ten bytes, no NUL
  f().suffixOn[0] = 1;
  copyText(reinterpret_cast<char*>(f().suffix[0]), 10, ">");
  EXPECT_EQ(complete(), "<<<<<<<<<<1>");
  f().prefixOn[0] = 0;
  f().suffixOn[0] = 0;
  f().fixedLengthOn[0] = 1;
  f().fixedLength[0] = 4;
  const char* expected[4] = {"1   ", "   1", "1000", "0001"};
  for (int a = 0; a < 4; ++a) {
    f().alignment[0] = static_cast<std::uint8_t>(a);
    EXPECT_EQ(complete(), expected[a]) << a;
  }
  f().fixedLength[0] = 0;
  EXPECT_EQ(complete(), "");
}

TEST_F(RecordTest, LongDataIsCutToTheFixedLength) {
  setLine(1, 0, {1, "A:", 10});
  f().fixedLengthOn[0] = 1;
  f().fixedLength[0] = 3;
  collect();
  keys({1, 2, 3, 4, 5, kKeyEnterLeft});
  EXPECT_STREQ(sim->lastRecord(), "123");
}

TEST_F(RecordTest, ExtensionLinesJoinTheirHeadLine) {
  setLine(1, 0, {1, "A:", 40});
  setLine(1, 1, {12, "", 20});
  setLine(1, 2, {1, "B:"});
  delimiters('|', 0);
  collect();
  for (int i = 0; i < 15; ++i) sim->key(1);
  keys({kKeyEnterLeft, 2, kKeyEnterLeft});
  EXPECT_EQ(std::string(sim->lastRecord()), std::string(15, '1') + "|2");
}

TEST_F(RecordTest, LargeFontFormsRecordOnlyTheirFirstFourLines) {
  f().font = 1;
  for (int j = 0; j < 8; ++j) setLine(1, j, {8, "F"});
  setLine(1, 0, {1, "A:"});
  EXPECT_EQ(complete(), "1FFF");
}

TEST_F(RecordTest, RecordStopsAt404Characters) {
  for (int j = 0; j < 8; ++j) setLine(1, j, {1, "", 80});
  collect();
  for (int j = 0; j < 8; ++j) {
    for (int i = 0; i < 80; ++i) sim->key(1);
    sim->key(kKeyEnterLeft);
  }
  EXPECT_EQ(std::string(sim->lastRecord()), std::string(404, '1'));
}

TEST_F(RecordTest, StampOnTopDayMonthYearThenTimeAsSeparateFields) {
  setLine(1, 0, {1, "A:"});
  delimiters(',', 0);
  f().stampMode = 1;
  f().stampDateStyle = 2;
  f().stampYear = f().stampMonth = f().stampDay = 1;
  f().stampDateSepOn = 1;
  copyText(f().stampDateSep, "/");
  f().stampHour = f().stampMinute = 1;
  copyText(f().stampTimeSep, ":");  // not switched on: not used
  f().stampSplit = 1;
  EXPECT_EQ(complete(), "09/03/2026,0805,1");
}

TEST_F(RecordTest, StampAtTheBottomWithTwoDigitYearsAndPartialDates) {
  setLine(1, 0, {1, "A:"});
  delimiters(';', 0);
  f().stampMode = 2;
  f().stampYearDigits = 1;
  f().stampDateSepOn = 1;
  copyText(f().stampDateSep, "-");
  f().stampTimeSepOn = 1;
  copyText(f().stampTimeSep, ":");
  f().stampYear = 1;
  f().stampDay = 1;
  f().stampMinute = f().stampSecond = 1;
  EXPECT_EQ(complete(), "1;26-0905:04");  // year, month (off), day; minute and second
  f().stampDateStyle = 1;  // month, day, year
  EXPECT_EQ(complete(), "1;09-2605:04");
  f().stampYear = f().stampDay = 0;
  f().stampMonth = 1;
  f().stampHour = 1;
  f().stampSplit = 1;
  EXPECT_EQ(complete(), "1;03;08:05:04");
}

TEST_F(RecordTest, FormsWithoutPassDownKeepThePreviousLastRecord) {
  setLine(1, 0, {1, "A:"});
  complete();
  f().recordAction = 0;
  collect();
  keys({7, kKeyEnterLeft});
  EXPECT_STREQ(sim->lastRecord(), "1");
  EXPECT_EQ(sim->recordCounter(), 2);
}

// ---------------------------------------------------------------- clock line

TEST(ClockLine, ColonBlinksEachSecondAndTheCounterEndsTheLine) {
  char line[kClockLineBytes];
  const LocalTime t{2026, 1, 5, 14, 7, 0};
  formatClockLine(t, 0, true, 12, line);
  EXPECT_STREQ(line, "JAN 05, 14:07 0012");
  formatClockLine(t, 4, true, 12, line);
  EXPECT_STREQ(line, "JAN 05, 14:07 0012");
  formatClockLine(t, 5, true, 12, line);
  EXPECT_STREQ(line, "JAN 05, 14 07 0012");
  formatClockLine(t, 9, false, 12, line);
  EXPECT_STREQ(line, "JAN 05, 14 07  ");
  formatClockLine({2026, 12, 31, 0, 0, 0}, 0, true, 9999, line);
  EXPECT_STREQ(line, "DEC 31, 00:00 9999");
}

TEST(ClockLine, MonthOutsideOneToTwelveShowsTheFirstMonth) {
  char line[kClockLineBytes];
  for (int month : {0, 13, -1, 255}) {
    SCOPED_TRACE(month);
    formatClockLine({2026, month, 5, 14, 7, 0}, 0, true, 12, line);
    EXPECT_STREQ(line, "JAN 05, 14:07 0012");
  }
}

TEST(ClockLine, TenThousandRecordsShowTheCharacterAfterNine) {
  char line[kClockLineBytes];
  formatClockLine({2026, 1, 5, 14, 7, 0}, 0, true, 10000, line);
  EXPECT_STREQ(line, "JAN 05, 14:07 :000");
  formatClockLine({2026, 1, 5, 14, 7, 0}, 0, true, 12345, line);
  EXPECT_STREQ(line, "JAN 05, 14:07 <345");
}

TEST_F(SimTest, TimerBlinksTheClockLineOnlyOnTheMainMenu) {
  sim->setRecordCounter(12);
  char line[kClockLineBytes];
  int drawn = 0;
  for (int i = 0; i < 10; ++i) drawn += sim->timerTick() ? 1 : 0;
  EXPECT_EQ(drawn, 10);
  EXPECT_EQ(sim->tickCounter(), 0);
  sim->clockLine(line);
  EXPECT_STREQ(line, "JAN 05, 14:07 0012");
  ticks(5);
  sim->clockLine(line);
  EXPECT_STREQ(line, "JAN 05, 14 07 0012");
  def->systemSettings.separateDataFiles = 1;
  sim->clockLine(line);
  EXPECT_STREQ(line, "JAN 05, 14 07  ");
  sim->key(3);
  EXPECT_FALSE(sim->timerTick());
}

// ---------------------------------------------------------------- keypad

TEST(Keypad, HitTestFollowsTheTableOrder) {
  EXPECT_EQ(hitTestKey(100, 260), kKeyUp);  // the Up/Down column wins over Left/Right
  EXPECT_EQ(hitTestKey(100, 270), kKeyDown);
  EXPECT_EQ(hitTestKey(60, 250), kKeyLeft);
  EXPECT_EQ(hitTestKey(130, 250), kKeyRight);
  EXPECT_EQ(hitTestKey(60, 280), kKeyEsc);  // ESC below the Left/Right row
  EXPECT_EQ(hitTestKey(60, 269), kKeyLeft);  // where they overlap, Left comes first
  EXPECT_EQ(hitTestKey(113, 280), kKeyDown);  // BS begins under the Down key
  EXPECT_EQ(hitTestKey(130, 280), kKeyBackspace);
  EXPECT_EQ(hitTestKey(43, 197), kKeyEnterLeft);
  EXPECT_EQ(hitTestKey(156, 234), kKeyEnterRight);
  EXPECT_EQ(hitTestKey(60, 410), kKeyAlpha);
  EXPECT_EQ(hitTestKey(100, 415), kKeyPower);
  EXPECT_EQ(hitTestKey(150, 425), kKeyFn);
}

TEST(Keypad, DigitRowsByColumnAndNothingBetweenTheirKeys) {
  const int rowY[4] = {296, 324, 351, 398};
  const int columnX[3] = {45, 119, 154};
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 3; ++column)
      EXPECT_EQ(hitTestKey(columnX[column], rowY[row]), 3 * row + column + 1) << row << column;
  EXPECT_EQ(hitTestKey(79, 300), 0);
  EXPECT_EQ(hitTestKey(120, 390), 0);
  EXPECT_EQ(hitTestKey(44, 300), 0);
  EXPECT_EQ(hitTestKey(155, 300), 0);
}

TEST(Keypad, ScanKeyLcdAndTheGapsAreNoKey) {
  EXPECT_EQ(hitTestKey(100, 215), 0);  // the yellow scan key
  EXPECT_EQ(hitTestKey(100, 80), 0);   // the LCD
  EXPECT_EQ(hitTestKey(100, 320), 0);  // between two digit rows
  EXPECT_EQ(hitTestKey(0, 0), 0);
  EXPECT_EQ(hitTestKey(-5, 300), 0);
  EXPECT_EQ(hitTestKey(199, 458), 0);
}

TEST(Keypad, KeyImagesSitOnTheirGridAndTable) {
  EXPECT_EQ(keyImagePlace(1).x, 38);
  EXPECT_EQ(keyImagePlace(1).y, 295);
  EXPECT_EQ(keyImagePlace(14).x, 79);
  EXPECT_EQ(keyImagePlace(14).y, 403);
  EXPECT_EQ(keyImagePlace(12).x, 120);
  EXPECT_EQ(keyImagePlace(12).y, 376);
  EXPECT_EQ(keyImagePlace(17).x, 129);
  EXPECT_EQ(keyImagePlace(23).y, 263);
  // Every key's hit range starts on or after its image's corner.
  for (int code = kFirstKey; code <= kLastKey; ++code) {
    const KeyPlace p = keyImagePlace(code);
    EXPECT_GT(p.x, 0) << code;
    EXPECT_GT(p.y, 0) << code;
  }
  EXPECT_EQ(pressedBitmap(23), 546);
  EXPECT_EQ(releasedBitmap(1), 501);
}

}  // namespace
}  // namespace simtest
}  // namespace torvik
