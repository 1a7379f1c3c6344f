// Typing into form fields: character checks, multi-tap, full fields, scrolling, extension
// lines, input marks and the computed lines.
#include "tests/simulator/sim_fixture.h"

namespace torvik {
namespace simtest {
namespace {

class FieldTest : public SimTest {
 protected:
  // Form 1 with one input line of `type` at line 0.
  void openWith(const LineSetup& setup) {
    setLine(1, 0, setup);
    collect();
    ASSERT_EQ(sim->state(), ScreenState::Form);
  }
  void expectRefused(int code) {
    SCOPED_TRACE(code);
    const std::string before = field(0);
    sim->key(code);
    EXPECT_EQ(sim->state(), ScreenState::Message);
    EXPECT_EQ(lcd(5), "Data type is wrong! ");
    sim->key(kKeyEsc);
    EXPECT_EQ(sim->state(), ScreenState::Form);
    EXPECT_EQ(field(0), before);
  }
  void alphaKeys(std::initializer_list<int> codes) {
    if (!sim->alpha()) sim->toggleAlpha();
    keys(codes);
  }
};

TEST_F(FieldTest, IntegerAndRealFieldsTakeDigitsOnly) {
  for (int type : {2, 3}) {
    SCOPED_TRACE(type);
    sim->key(kKeyDesignApplied);
    openWith({type, "N:"});
    keys({1, kKeyZero});
    EXPECT_EQ(field(0), "10");
    expectRefused(kKeyDot);
    expectRefused(kKeyMinus);
    alphaKeys({2});
    expectRefused(kKeyEnterLeft);  // the A is checked when it is committed
    EXPECT_EQ(field(0), "10");
  }
}

TEST_F(FieldTest, AutoFieldTakesTheDotButNotTheMinus) {
  openWith({5, "A:", 20});
  keys({1, kKeyDot, 5});
  EXPECT_EQ(field(0), "1.5");
  expectRefused(kKeyMinus);
}

TEST_F(FieldTest, LetterFieldRefusesDigitsAndTextTakesEverything) {
  openWith({4, "L:"});
  expectRefused(1);
  alphaKeys({2, 2});
  ticks(7);
  EXPECT_EQ(field(0), "B");
  sim->key(kKeyDesignApplied);
  openWith({1, "T:"});
  keys({kKeyMinus, kKeyDot, kKeyZero});
  alphaKeys({kKeyZero, 1});
  ticks(7);
  EXPECT_EQ(field(0), "-.0/ ");
}

TEST_F(FieldTest, BooleanTakesYByMultiTapAndRefusesX) {
  openWith({6, "OK?"});
  alphaKeys({9, 9, 9});
  EXPECT_TRUE(sim->pending());
  EXPECT_EQ(sim->pendingChar(), 'Y');
  EXPECT_EQ(field(0), "");  // drawn, not stored yet
  ticks(7);
  EXPECT_FALSE(sim->pending());
  EXPECT_EQ(field(0), "Y");
  alphaKeys({9, 9});
  ticks(7);
  EXPECT_EQ(sim->state(), ScreenState::Message);
  sim->key(1);
  EXPECT_EQ(field(0), "Y");
  sim->toggleAlpha();
  keys({kKeyZero, 1});
  EXPECT_EQ(field(0), "Y01");
}

TEST_F(FieldTest, AFormWithoutInputLinesRefusesEveryCharacterOnItsFirstLine) {
  for (int type : {0, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18}) EXPECT_FALSE(acceptsCharacter(type, '1')) << type;
  EXPECT_TRUE(acceptsCharacter(12, '%'));
  // Collect data refuses such a form, but Next can open it.
  setLine(1, 0, {1, "A:"});
  def->form[0].nextTarget = 2;
  setLine(2, 0, {14, "Alphameric"});
  collect();
  keys({1, kKeyEnterLeft});
  ASSERT_EQ(sim->screenNumber(), 2);
  EXPECT_EQ(sim->cursorRow(), 0);
  sim->key(1);
  EXPECT_EQ(sim->state(), ScreenState::Message);
  sim->key(1);
  EXPECT_EQ(field(0), "");
}

TEST_F(FieldTest, MultiTapCyclesWithinTheSevenTickWindow) {
  openWith({1, "T:"});
  alphaKeys({2, 2});
  EXPECT_EQ(sim->pendingChar(), 'B');
  ticks(6);
  EXPECT_TRUE(sim->pending());  // six ticks are not enough
  ticks(1);
  EXPECT_EQ(field(0), "B");
  sim->key(2);
  ticks(10);  // a second later
  sim->key(2);
  ticks(7);
  EXPECT_EQ(field(0), "BAA");
}

TEST_F(FieldTest, AnotherKeyCommitsThePendingLetterFirst) {
  openWith({1, "T:"});
  alphaKeys({2, 3});
  EXPECT_EQ(field(0), "A");
  EXPECT_EQ(sim->pendingChar(), 'D');
  keys({7, 7, 7, 7, 7});  // P Q R S P
  EXPECT_EQ(field(0), "AD");
  EXPECT_EQ(sim->pendingChar(), 'P');
  keys({kKeyMinus, kKeyMinus, kKeyMinus});
  EXPECT_EQ(sim->pendingChar(), '+');
  keys({1, 1, 1});  // the blank key has one character
  EXPECT_EQ(sim->pendingChar(), ' ');
  sim->key(kKeyBackspace);  // commits, then deletes it
  EXPECT_EQ(field(0), "ADP+");
  sim->key(kKeyDot);  // the last key of the keypad has its own two symbols
  EXPECT_EQ(sim->pendingChar(), '%');
  sim->key(kKeyDot);
  EXPECT_EQ(sim->pendingChar(), '#');
  sim->key(kKeyDot);
  EXPECT_EQ(sim->pendingChar(), '%');
  ticks(7);
  EXPECT_EQ(field(0), "ADP+%");
}

TEST_F(FieldTest, FullFieldReplacesItsLastCharacter) {
  openWith({2, "Q:", 3});
  keys({1, 2, 3, 4});
  EXPECT_EQ(field(0), "124");
  EXPECT_EQ(lcd(0), "Q:124");
  EXPECT_EQ(sim->cursorColumn(), 4);
  sim->key(kKeyBackspace);
  EXPECT_EQ(field(0), "12");
  EXPECT_EQ(lcd(0), "Q:12");
  EXPECT_EQ(sim->cursorColumn(), 4);
  keys({kKeyBackspace, kKeyBackspace, kKeyBackspace});
  EXPECT_EQ(field(0), "");
  EXPECT_EQ(lcd(0), "Q:");
  EXPECT_EQ(sim->cursorColumn(), 2);
}

TEST_F(FieldTest, FieldOfNoLengthTakesNothing) {
  openWith({1, "Z:", 0});
  keys({1, 2});
  EXPECT_EQ(field(0), "");
  EXPECT_EQ(lcd(0), "Z:");
}

TEST_F(FieldTest, MaxLengthBeyondTheBufferIsHeldToIt) {
  openWith({1, "", 255});
  for (int i = 0; i < 300; ++i) sim->key(1 + i % 9);
  EXPECT_EQ(field(0).size(), 160u);
  for (int i = 0; i < 300; ++i) sim->key(kKeyBackspace);
  EXPECT_EQ(field(0), "");
}

TEST_F(FieldTest, SmallFontFieldScrollsFromItsEleventhCharacter) {
  openWith({1, "Name:", 40});
  for (int d = 1; d <= 10; ++d) sim->key(d == 10 ? kKeyZero : d);
  EXPECT_EQ(lcd(0), "Name:1234567890");
  EXPECT_EQ(sim->cursorColumn(), 15);
  EXPECT_EQ(sim->fieldLine(0).scroll, 0);
  sim->key(1);
  EXPECT_EQ(lcd(0), "Name:12345678901");
  EXPECT_EQ(sim->cursorColumn(), 15);
  sim->key(2);
  EXPECT_EQ(lcd(0), "Name:23456789012");  // prompt and eleven characters, newest under the cursor
  EXPECT_EQ(sim->cursorColumn(), 15);
  EXPECT_EQ(field(0), "123456789012");
  sim->key(kKeyBackspace);
  EXPECT_EQ(lcd(0), "Name:12345678901");
  sim->key(kKeyBackspace);
  EXPECT_EQ(lcd(0), "Name:1234567890");
  EXPECT_EQ(field(0), "1234567890");
  sim->key(kKeyBackspace);
  EXPECT_EQ(lcd(0), "Name:123456789");
  EXPECT_EQ(sim->cursorColumn(), 14);
}

TEST_F(FieldTest, LargeFontFieldScrollsAtColumnEleven) {
  def->form[0].font = 1;
  openWith({1, "N:", 30});
  for (int i = 0; i < 12; ++i) sim->key(1);
  EXPECT_EQ(lcd(0), "N:" + std::string(10, '1'));  // nine in place, then the newest stays at 11
  EXPECT_EQ(sim->cursorColumn(), 11);
  EXPECT_GT(sim->fieldLine(0).scroll, 0);
}

TEST_F(FieldTest, ScrolledFieldShowsItsCursorOnTheNewestCharacterWhenShownAgain) {
  setLine(1, 1, {1, "B:"});
  openWith({1, "Name:", 40});
  for (int i = 0; i < 14; ++i) sim->key(1 + i % 9);
  const std::string shown = lcd(0);
  keys({kKeyEnterLeft, kKeyUp});
  EXPECT_EQ(sim->cursorRow(), 0);
  EXPECT_EQ(sim->cursorColumn(), 5);  // back at the start of the field
  keys({kKeyEnterLeft});
  sim->key(kKeyDot);  // refused on a text field? no: text takes it
  EXPECT_EQ(field(1), ".");
  EXPECT_EQ(lcd(0), shown);
}

TEST_F(FieldTest, TypingAtTheStartOfAFilledFieldStartsItAgain) {
  setLine(1, 1, {1, "B:"});
  openWith({1, "A:", 10});
  keys({1, 2, 3, kKeyEnterLeft, 4, kKeyUp});
  EXPECT_EQ(lcd(0), "A:123");
  sim->key(7);
  EXPECT_EQ(field(0), "7");
  EXPECT_EQ(lcd(0), "A:7");
  EXPECT_EQ(field(1), "4");
}

TEST_F(FieldTest, StartingAFieldAgainPutsTheCaretAfterItsFirstCharacter) {
  // The field's first column is wherever its prompt and sign column end.
  const struct { int type; const char* prompt; int maxLength; int mark; const char* initial; int start; } rows[] = {
      {1, "", 10, 0, "abc", 0},
      {1, "Q:", 10, 0, "abc", 2},
      {1, "Name:", 40, '_', "abc", 5},
      {5, "W:", 4, 0, "12", 7},  // an auto line with its sign column: prompt, four places, sign
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.prompt);
    setLine(1, 0, {row.type, row.prompt, row.maxLength, 0, row.mark});
    def->form[0].initialOn[0] = 1;
    copyText(def->form[0].initialText[0], row.initial);
    sim->returnToMainMenu();
    collect();
    ASSERT_EQ(sim->fieldLine(0).start, row.start);
    EXPECT_EQ(sim->cursorColumn(), row.start);
    sim->key(1);
    EXPECT_EQ(field(0), "1");
    EXPECT_EQ(sim->cursorColumn(), row.start + 1);
    EXPECT_EQ(lcd(0)[static_cast<std::size_t>(row.start)], '1');
  }
}

TEST_F(FieldTest, StartingAFieldAgainOnTheLastLinesRepaintsNoLineBelowTheLcd) {
  setLine(1, 6, {1, "Note:", 40});
  setLine(1, 7, {12, "", 20});
  def->form[0].initialOn[6] = 1;
  copyText(def->form[0].initialText[6], "abc");
  collect();
  ASSERT_EQ(sim->cursorRow(), 6);
  ui.areas.clear();
  sim->key(1);
  EXPECT_EQ(field(6), "1");
  ASSERT_FALSE(ui.areas.empty());
  bool lastLine = false;
  for (const LcdRect& r : ui.areas) {
    EXPECT_GE(r.top, kWholeLcd.top);
    EXPECT_LE(r.bottom, kWholeLcd.bottom) << "a line below the eighth";
    lastLine = lastLine || (r.top == formLineRect(7).top && r.bottom == formLineRect(7).bottom);
  }
  EXPECT_TRUE(lastLine) << "the extension line is repainted";
}

TEST_F(FieldTest, BackspaceAtTheStartOfAFullFieldLeavesThePromptAlone) {
  setLine(1, 1, {1, "B:"});
  openWith({1, "Q:", 3});
  keys({1, 2, 3, kKeyEnterLeft, kKeyUp});  // full: the field has scrolled by one
  ASSERT_GT(sim->fieldLine(0).scroll, 0);
  const std::string shown = lcd(0);
  sim->key(kKeyBackspace);
  EXPECT_EQ(lcd(0), shown);
  EXPECT_EQ(sim->cursorColumn(), 2);
  sim->key(7);
  EXPECT_EQ(field(0), "7");
  EXPECT_EQ(lcd(0).substr(0, 2), "Q:");
}

TEST_F(FieldTest, SystemScreensShowNoMoreOfAnEntryThanItsWidth) {
  // A file may fill an entry to its last byte; the next entry must not run into the line.
  std::memset(def->msgMainMenu.entry[0], 'M', sizeof def->msgMainMenu.entry[0]);
  sim->key(kKeyDesignApplied);
  EXPECT_EQ(lcd(0), std::string(15, 'M'));
}

TEST_F(FieldTest, InitialTextIsReplacedByTyping) {
  setLine(1, 0, {1, "I:", 10});
  def->form[0].initialOn[0] = 1;
  copyText(def->form[0].initialText[0], "abc");
  collect();
  EXPECT_EQ(lcd(0), "I:abc");
  EXPECT_EQ(sim->cursorColumn(), 2);
  sim->key(5);
  EXPECT_EQ(lcd(0), "I:5");
}

TEST_F(FieldTest, ExtensionLinesContinueInputAndBackspaceReturnsAcrossThem) {
  setLine(1, 1, {12, "", 20});
  setLine(1, 2, {12, "", 20});
  openWith({1, "Note:", 20});
  for (int i = 0; i < 10; ++i) sim->key(1);
  EXPECT_EQ(sim->cursorRow(), 0);
  sim->key(2);  // at column 15: the character goes in, input goes on below
  EXPECT_EQ(sim->cursorRow(), 1);
  EXPECT_EQ(sim->cursorColumn(), 0);
  EXPECT_EQ(field(0), "11111111112");
  EXPECT_EQ(lcd(0), "Note:11111111112");
  keys({3, 4});
  EXPECT_EQ(lcd(1), "34");
  keys({kKeyBackspace, kKeyBackspace});
  EXPECT_EQ(lcd(1), "");
  sim->key(kKeyBackspace);  // at the start of the extension: back up and delete
  EXPECT_EQ(sim->cursorRow(), 0);
  EXPECT_EQ(field(0), "1111111111");
  EXPECT_EQ(lcd(0), "Note:1111111111");
  EXPECT_EQ(sim->cursorColumn(), 15);
  sim->key(5);
  EXPECT_EQ(sim->cursorRow(), 1);
  EXPECT_EQ(field(0), "11111111115");
}

TEST_F(FieldTest, BackspaceOnAnExtensionLineAtTheTopGoesNowhere) {
  // No input line at all: the cursor rests on line 1, here an extension line.
  setLine(1, 0, {1, "A:"});
  def->form[0].nextTarget = 2;
  setLine(2, 0, {12, "", 20});
  collect();
  keys({1, kKeyEnterLeft});
  ASSERT_EQ(sim->screenNumber(), 2);
  keys({4, kKeyBackspace, kKeyBackspace});
  EXPECT_EQ(sim->cursorRow(), 0);
  EXPECT_EQ(field(0), "");
}

TEST_F(FieldTest, RestartingAFieldClearsItsExtensionLines) {
  setLine(1, 1, {12, "", 20});
  setLine(1, 2, {1, "X:"});
  openWith({1, "Note:", 20});
  for (int i = 0; i < 13; ++i) sim->key(1);
  EXPECT_EQ(field(1), "11");
  keys({kKeyEnterLeft, kKeyUp});
  EXPECT_EQ(sim->cursorRow(), 0);
  sim->key(2);
  EXPECT_EQ(field(0), "2");
  EXPECT_EQ(field(1), "");
  EXPECT_EQ(lcd(1), "");
}

TEST_F(FieldTest, UpFromAnExtensionLineSkipsItsOwnChain) {
  setLine(1, 0, {1, "A:"});
  setLine(1, 1, {1, "Note:", 20});
  setLine(1, 2, {12, "", 20});
  collect();
  sim->key(kKeyEnterLeft);
  for (int i = 0; i < 11; ++i) sim->key(1);
  EXPECT_EQ(sim->cursorRow(), 2);
  sim->key(kKeyUp);
  EXPECT_EQ(sim->cursorRow(), 0);
}

TEST_F(FieldTest, InputMarksFillTheEmptyCellsOfTheCurrentLineOnly) {
  setLine(1, 1, {1, "B:", 3, 0, '.'});
  openWith({2, "Qty:", 6, 0, '_'});
  EXPECT_EQ(lcd(0), "Qty:______");
  EXPECT_EQ(lcd(1), "B:");
  keys({1, 2});
  EXPECT_EQ(lcd(0), "Qty:12____");
  sim->key(kKeyBackspace);
  EXPECT_EQ(lcd(0), "Qty:1_____");
  sim->key(kKeyEnterLeft);
  EXPECT_EQ(lcd(0), "Qty:1");
  EXPECT_EQ(lcd(1), "B:...");
}

TEST_F(FieldTest, InputMarksStopAtTheLcdWidthAndRunOnIntoExtensionLines) {
  setLine(1, 1, {12, "", 8});
  openWith({1, "Long prompt:", 40, 0, '*'});
  EXPECT_EQ(lcd(0), "Long prompt:********");
  EXPECT_EQ(lcd(1), "********");
}

TEST_F(FieldTest, InputMarksReachTheFourthExtensionLineAndNoFurther) {
  for (int j = 1; j <= 5; ++j) setLine(1, j, {12, "", 3 + j});
  openWith({1, "Code:", 80, 0, '-'});
  EXPECT_EQ(lcd(0), "Code:---------------");
  EXPECT_EQ(lcd(1), "----");
  EXPECT_EQ(lcd(3), "------");
  EXPECT_EQ(lcd(4), "-------");
  EXPECT_EQ(lcd(5), "");
}

TEST_F(FieldTest, SignColumnOfAnAutoLineShowsPlusForASignedLookupReference) {
  setLine(1, 1, {5, "B:", 3});
  openWith({5, "A:", 3});
  sim->key(kKeyDesignApplied);
  def->form[0].lookupField[0] = 17;
  collect();
  EXPECT_TRUE(sim->fieldLine(0).sign);
  EXPECT_EQ(sim->fieldLine(0).start, 6);
  EXPECT_EQ(lcd(0), "A:   +");
  EXPECT_EQ(lcd(1), "B:    ");
  keys({1, kKeyDot});
  EXPECT_EQ(lcd(0), "A:   +1.");
  EXPECT_EQ(sim->cursorColumn(), 8);
}

TEST_F(FieldTest, AutoLineWithoutRoomHasNoSignColumn) {
  openWith({5, "Amount:", 7});  // 7 + 2 x 7 + 1 = 22 > 20
  EXPECT_FALSE(sim->fieldLine(0).sign);
  EXPECT_EQ(sim->fieldLine(0).start, 7);
}

TEST_F(FieldTest, CounterLineShowsTheRecordCounterAsFourCharacters) {
  setLine(1, 1, {10, "No."});
  sim->setRecordCounter(12);
  openWith({1, "A:"});
  EXPECT_EQ(lcd(1), "No.0012");
  sim->key(kKeyDesignApplied);
  sim->setRecordCounter(10000);
  collect();
  EXPECT_EQ(lcd(1), "No.:000");  // the character after '9' stands for ten thousands
}

TEST_F(FieldTest, TypingRepaintsOnlyTheLineUnderTheCursor) {
  setLine(1, 0, {9, "Head"});
  setLine(1, 2, {1, "X:"});
  collect();
  ASSERT_EQ(sim->cursorRow(), 2);
  ui.areas.clear();
  sim->key(5);
  ASSERT_FALSE(ui.areas.empty());
  for (const LcdRect& r : ui.areas) {
    EXPECT_EQ(r.top, 55);
    EXPECT_EQ(r.bottom, 70);
    EXPECT_EQ(r.left, 38);
    EXPECT_EQ(r.right, 167);
  }
}

TEST_F(FieldTest, PassDownSpreadsTheLastRecordOverItsExtensionLines) {
  // Form 1 passes its record down to form 2.
  setLine(1, 0, {1, "", 60});
  setLine(1, 1, {12, "", 60});
  setLine(1, 2, {12, "", 60});
  def->form[0].recordAction = 3;
  def->form[0].nextTarget = 2;
  setLine(2, 0, {11, "Prev: "});
  setLine(2, 1, {12, ""});
  setLine(2, 2, {12, ""});
  setLine(2, 3, {1, "X:"});
  collect();
  std::string typed;
  for (int i = 0; i < 50; ++i) {
    const int code = 1 + i % 9;
    sim->key(code);
    typed += static_cast<char>('0' + code);
  }
  sim->key(kKeyEnterLeft);
  EXPECT_EQ(std::string(sim->lastRecord()), typed);
  ASSERT_EQ(sim->screenNumber(), 2);
  EXPECT_EQ(lcd(0), "Prev: " + typed.substr(0, 14));
  EXPECT_EQ(lcd(1), typed.substr(14, 20));
  EXPECT_EQ(lcd(2), typed.substr(34, 16));
  EXPECT_EQ(sim->cursorRow(), 3);
}

TEST_F(FieldTest, PassDownWithoutExtensionLinesIsCutAtTheLineEnd) {
  setLine(1, 0, {1, "", 30});
  def->form[0].recordAction = 3;
  def->form[0].nextTarget = 2;
  setLine(2, 0, {11, "P:"});
  setLine(2, 1, {1, "X:"});
  collect();
  for (int i = 0; i < 25; ++i) sim->key(1);
  sim->key(kKeyEnterLeft);
  EXPECT_EQ(lcd(0), "P:" + std::string(18, '1'));
  EXPECT_EQ(std::string(sim->lastRecord()).size(), 25u);  // the record itself stays whole
}

}  // namespace
}  // namespace simtest
}  // namespace torvik
