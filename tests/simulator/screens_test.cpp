// The built-in screens, user menus and form navigation, driven by key codes.
#include "tests/simulator/sim_fixture.h"

namespace torvik {
namespace simtest {
namespace {

using ::testing::Test;

TEST_F(SimTest, StartsOnTheMainMenuWithLargeSpacingAndTheFirstEntryHighlighted) {
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(lcd(0), "1.Collect data ");
  EXPECT_EQ(lcd(2), "3.Utilities    ");
  EXPECT_EQ(lcd(4), "");
  EXPECT_EQ(sim->highlight(), 1);
  EXPECT_TRUE(sim->largeSpacing());
  EXPECT_EQ(sim->linePitch(), 15);
  EXPECT_TRUE(sim->clockLineShown());
  EXPECT_FALSE(sim->cursorShown());
}

TEST_F(SimTest, MainMenuHighlightWrapsBothWaysAndRedrawsOnlyTheTextPart) {
  ui.areas.clear();
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 3);
  ASSERT_EQ(ui.areas.size(), 1u);
  EXPECT_EQ(ui.areas[0].bottom, 86);  // the clock line is left alone
  sim->key(kKeyDown);
  EXPECT_EQ(sim->highlight(), 1);
  keys({kKeyDown, kKeyDown});
  EXPECT_EQ(sim->highlight(), 3);
  sim->key(kKeyDown);
  EXPECT_EQ(sim->highlight(), 1);
}

TEST_F(SimTest, UploadScreenShowsConnectingAndOnlyEscLeavesItOnEntryTwo) {
  sim->key(2);
  EXPECT_EQ(sim->state(), ScreenState::Upload);
  EXPECT_EQ(lcd(0), "Connecting...");
  EXPECT_EQ(sim->highlight(), 0);
  EXPECT_TRUE(sim->largeSpacing());
  keys({1, kKeyEnterLeft, kKeyUp, kKeyBackspace});
  EXPECT_EQ(sim->state(), ScreenState::Upload);
  sim->key(kKeyEsc);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(sim->highlight(), 2);
}

TEST_F(SimTest, EnterOnTheMainMenuActsAsTheHighlightedDigit) {
  keys({kKeyDown, kKeyDown, kKeyEnterRight});
  EXPECT_EQ(sim->state(), ScreenState::Utilities);
  EXPECT_EQ(sim->highlight(), 1);
  EXPECT_FALSE(sim->largeSpacing());
}

TEST_F(SimTest, UtilitiesListSevenEntriesUntilTheFirstLookupFileIsDefined) {
  sim->key(3);
  EXPECT_EQ(lcd(6), "7.Memory & Power    ");
  EXPECT_EQ(lcd(7), "");
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 7);
  sim->key(kKeyDown);
  EXPECT_EQ(sim->highlight(), 1);

  def->lookup[0].memberLength = 20;  // member length only: not defined yet
  sim->key(kKeyDesignApplied);
  EXPECT_EQ(sim->utilitiesItemCount(), 7);
  def->lookup[0].fieldCount = 2;
  sim->key(kKeyDesignApplied);
  EXPECT_EQ(sim->utilitiesItemCount(), 8);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  sim->key(3);
  EXPECT_EQ(lcd(7), "8.Load Lookup File  ");
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 8);
}

TEST_F(SimTest, UtilitiesDigitsTwoToEightAreShownButDoNothing) {
  sim->key(3);
  for (int d = 2; d <= 12; ++d) {
    sim->key(d);
    EXPECT_EQ(sim->state(), ScreenState::Utilities) << d;
  }
  keys({kKeyDown, kKeyEnterLeft});  // Enter on entry 2 is digit 2
  EXPECT_EQ(sim->state(), ScreenState::Utilities);
  sim->key(kKeyEsc);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(sim->highlight(), 3);
}

TEST_F(SimTest, SettingsListNeverHighlightsItsTitleAndReturnsToUtilities) {
  keys({3, 1});
  EXPECT_EQ(sim->state(), ScreenState::Settings);
  EXPECT_EQ(lcd(0), "Settings            ");
  EXPECT_EQ(sim->highlight(), 2);
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 8);
  sim->key(kKeyDown);
  EXPECT_EQ(sim->highlight(), 2);
  for (int i = 0; i < 20; ++i) {
    sim->key(i % 3 == 0 ? kKeyDown : kKeyUp);
    EXPECT_GE(sim->highlight(), 2);
  }
  for (int code : {1, 7, kKeyEnterLeft, kKeyEsc}) {
    keys({code});
    EXPECT_EQ(sim->state(), ScreenState::Utilities) << code;
    EXPECT_EQ(sim->highlight(), 1);
    sim->key(1);
  }
  keys({8, 9});  // not listed: nothing
  EXPECT_EQ(sim->state(), ScreenState::Settings);
}

TEST_F(SimTest, CollectDataWithNothingToRunAsksForANewDesign) {
  collect();
  EXPECT_EQ(ui.noProgram, 1);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  def->systemSettings.startFrom = 1;
  setItem(1, 0, "   ", 0);  // blanks are no item
  collect();
  EXPECT_EQ(ui.noProgram, 2);
  // Starting from form 1 does not fall back to menu 1.
  def->systemSettings.startFrom = 0;
  setItem(1, 0, "Item", 0);
  collect();
  EXPECT_EQ(ui.noProgram, 3);
}

// ---------------------------------------------------------------- user menus

class MenuTest : public SimTest {
 protected:
  MenuTest() {
    def->systemSettings.startFrom = 1;
    for (int k = 0; k < 10; ++k) setItem(1, k, ("Item " + std::to_string(k + 1)).c_str(), k == 9 ? 12 : 0);
    setItem(2, 0, "Second", 11);
  }
};

TEST_F(MenuTest, MenuWithoutCaptionShowsEightItemsAndMovesWithoutWrapping) {
  collect();
  EXPECT_EQ(sim->state(), ScreenState::UserMenu);
  EXPECT_EQ(sim->screenNumber(), 11);
  EXPECT_EQ(def->menu[0].itemCount, 10);
  EXPECT_EQ(lcd(0), "Item 1");
  EXPECT_EQ(lcd(7), "Item 8");
  EXPECT_EQ(sim->highlight(), 1);
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 1);
  for (int i = 0; i < 9; ++i) sim->key(kKeyDown);
  EXPECT_EQ(sim->highlight(), 8);
  EXPECT_EQ(def->menu[0].simSelectedItem, 7);
  sim->key(kKeyUp);
  EXPECT_EQ(sim->highlight(), 7);
  EXPECT_EQ(def->menu[0].simSelectedItem, 6);
  for (int i = 0; i < 5; ++i) sim->key(kKeyUp);
  EXPECT_EQ(def->menu[0].simSelectedItem, 1);
  sim->key(kKeyUp);  // from the second item to the first
  EXPECT_EQ(def->menu[0].simSelectedItem, 0);
  EXPECT_EQ(sim->highlight(), 1);
}

TEST_F(MenuTest, UnderACaptionSevenItemsFitAndDownStillReachesTheEighth) {
  MenuRecord& m = def->menu[0];
  m.captionOn = 1;
  copyText(m.caption, "Choose");
  collect();
  EXPECT_EQ(lcd(0), "Choose");
  EXPECT_EQ(lcd(1), "Item 1");
  EXPECT_EQ(lcd(7), "Item 7");
  EXPECT_EQ(sim->highlight(), 2);
  for (int i = 0; i < 9; ++i) sim->key(kKeyDown);
  EXPECT_EQ(m.simSelectedItem, 7);
  EXPECT_EQ(sim->highlight(), 9);  // a line that is not on the LCD
}

TEST_F(MenuTest, DigitZeroChoosesItemTenAndNineIsReachableThoughNeverShown) {
  collect();
  sim->key(kKeyZero);
  EXPECT_EQ(sim->screenNumber(), 12);
  EXPECT_EQ(lcd(0), "Second");
  EXPECT_EQ(def->menu[0].simSelectedItem, 9);
  sim->key(1);  // Second's item 1 enters menu 1 again, at its first item
  EXPECT_EQ(sim->screenNumber(), 11);
  EXPECT_EQ(def->menu[0].simSelectedItem, 0);
  sim->key(9);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(sim->highlight(), 1);
}

TEST_F(MenuTest, DigitsBeyondTheItemCountAndTheMinusAndDotKeysAreIgnored) {
  for (int k = 3; k < 10; ++k) setItem(1, k, "", 0);
  collect();
  EXPECT_EQ(def->menu[0].itemCount, 3);
  for (int code : {4, 9, kKeyZero, kKeyMinus, kKeyDot}) {
    sim->key(code);
    EXPECT_EQ(sim->screenNumber(), 11) << code;
  }
}

TEST_F(MenuTest, ItemCountCountsNonBlankNamesNotTheLastIndex) {
  for (int k = 0; k < 10; ++k) setItem(1, k, "", 0);
  setItem(1, 0, "A", 0);
  setItem(1, 1, "B", 0);
  setItem(1, 3, "D", 0);
  setItem(1, 4, " \t ", 0);
  def->menu[1].font = 1;
  setItem(2, 0, "               X", 0);  // 16th character: beyond the large font
  prepareDesign(*def);
  EXPECT_EQ(def->menu[0].itemCount, 3);
  EXPECT_EQ(def->menu[1].itemCount, 0);
}

TEST_F(MenuTest, EscKeepsTheSelectionOfTheMenuItReturnsTo) {
  def->menu[1].escTarget = 11;
  collect();
  keys({kKeyDown, kKeyDown});
  sim->key(kKeyZero);
  EXPECT_EQ(sim->screenNumber(), 12);
  sim->key(kKeyEsc);
  EXPECT_EQ(sim->screenNumber(), 11);
  EXPECT_EQ(def->menu[0].simSelectedItem, 9);
  EXPECT_EQ(sim->highlight(), 10);
}

TEST_F(MenuTest, TargetsThatNameNoScreenSayImmediatelyAndLeadToTheMainMenu) {
  setItem(1, 0, "Item 1", 21);
  setItem(1, 1, "Item 2", 255);
  def->menu[0].escTarget = 200;
  for (int code : {1, 2, kKeyEsc}) {
    collect();
    sim->key(code);
    EXPECT_EQ(sim->state(), ScreenState::Message) << code;
    EXPECT_EQ(lcd(5), "No next screen!");
    EXPECT_EQ(lcd(6), "Press any key");
    sim->key(kKeyDown);
    EXPECT_EQ(sim->state(), ScreenState::MainMenu);
    EXPECT_EQ(sim->highlight(), 1);
  }
}

TEST_F(MenuTest, ASelectedItemFromAFileOutsideTheTableIsNeverUsed) {
  collect();
  def->menu[0].simSelectedItem = 200;
  sim->key(kKeyEnterLeft);
  EXPECT_EQ(sim->screenNumber(), 11);
  def->menu[1].escTarget = 11;
  sim->key(kKeyZero);
  def->menu[0].simSelectedItem = 200;
  sim->key(kKeyEsc);  // shows menu 1 keeping its selection, which cannot be 200
  EXPECT_EQ(sim->screenNumber(), 11);
  EXPECT_EQ(def->menu[0].simSelectedItem, 0);
  EXPECT_EQ(sim->highlight(), 1);
}

// ---------------------------------------------------------------- forms

class FormTest : public SimTest {
 protected:
  FormTest() {
    setLine(1, 0, {9, "Title"});
    setLine(1, 1, {1, "Code:", 10, 3});
    setLine(1, 2, {9, "--"});
    setLine(1, 3, {2, "Qty:", 4});
  }
};

TEST_F(FormTest, AFormStartingWithAPromptPutsTheCursorOnTheFirstInputLine) {
  collect();
  EXPECT_EQ(sim->state(), ScreenState::Form);
  EXPECT_EQ(sim->highlight(), 0);
  EXPECT_FALSE(sim->largeSpacing());
  EXPECT_EQ(def->form[0].lastInputLine, 4);
  EXPECT_EQ(lcd(0), "Title");
  EXPECT_EQ(lcd(1), "Code:");
  EXPECT_EQ(sim->cursorRow(), 1);
  EXPECT_EQ(sim->cursorColumn(), 5);
  EXPECT_TRUE(sim->cursorShown());
}

TEST_F(FormTest, EnterMovesToTheNextInputLineAndUpBack) {
  collect();
  keys({1, 2, 3, kKeyEnterLeft});
  EXPECT_EQ(sim->cursorRow(), 3);
  EXPECT_EQ(sim->cursorColumn(), 4);
  sim->key(kKeyDown);  // ignored on a form
  EXPECT_EQ(sim->cursorRow(), 3);
  sim->key(kKeyUp);
  EXPECT_EQ(sim->cursorRow(), 1);
  EXPECT_EQ(sim->cursorColumn(), 5);  // back at the field's start
  EXPECT_EQ(lcd(1), "Code:123");
  sim->key(kKeyUp);
  EXPECT_EQ(sim->cursorRow(), 1);
}

TEST_F(FormTest, AShortFieldShowsTheFramedMessageAndAnyKeyReturnsWithTheData) {
  collect();
  keys({4, 5, kKeyEnterRight});
  EXPECT_EQ(sim->state(), ScreenState::Message);
  EXPECT_EQ(lcd(0), "Title");  // lines 1 to 4 keep what they showed
  EXPECT_EQ(lcd(4), "********************");
  EXPECT_EQ(lcd(5), "Data is too short!");
  EXPECT_EQ(lcd(6), "Press any key");
  EXPECT_EQ(lcd(7), "********************");
  EXPECT_FALSE(sim->cursorShown());
  sim->key(kKeyEsc);  // any key only returns
  EXPECT_EQ(sim->state(), ScreenState::Form);
  EXPECT_EQ(lcd(1), "Code:45");
  EXPECT_EQ(sim->cursorColumn(), 7);
  sim->key(6);
  EXPECT_EQ(field(1), "456");
}

TEST_F(FormTest, CompletingAFormCountsARecordAndGoesToTheMainMenu) {
  collect();
  keys({1, 2, 3, kKeyEnterLeft, 4, kKeyEnterLeft});
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(sim->highlight(), 1);
  EXPECT_EQ(sim->recordCounter(), 1);
  char line[kClockLineBytes];
  sim->clockLine(line);
  EXPECT_STREQ(line, "JAN 05, 14:07 0001");
  // Opening the form again starts with empty fields.
  collect();
  EXPECT_EQ(field(1), "");
  EXPECT_EQ(lcd(1), "Code:");
}

TEST_F(FormTest, NextAndEscTargetsOpenFormsAndMenus) {
  def->form[0].nextTarget = 2;
  setLine(2, 0, {1, "Two:"});
  def->form[1].escTarget = 11;
  setItem(1, 0, "Menu item", 1);
  collect();
  keys({1, 2, 3, kKeyEnterLeft, kKeyEnterLeft});
  EXPECT_EQ(sim->screenNumber(), 2);
  EXPECT_EQ(lcd(0), "Two:");
  sim->key(kKeyEsc);
  EXPECT_EQ(sim->screenNumber(), 11);
  EXPECT_EQ(lcd(0), "Menu item");
  sim->key(kKeyEnterLeft);
  EXPECT_EQ(sim->screenNumber(), 1);
}

TEST_F(FormTest, NextTargetTwentyOneCountsTheRecordThenSaysThereIsNoScreen) {
  def->form[0].nextTarget = 21;
  collect();
  keys({1, 2, 3, kKeyEnterLeft, kKeyEnterLeft});
  EXPECT_EQ(sim->recordCounter(), 1);
  EXPECT_EQ(sim->state(), ScreenState::Message);
  EXPECT_EQ(lcd(5), "No next screen!");
  sim->key(1);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
}

TEST_F(FormTest, DesignAppliedReturnsToTheMainMenuFromAnyScreen) {
  collect();
  sim->key(1);
  sim->key(kKeyDesignApplied);
  EXPECT_EQ(sim->state(), ScreenState::MainMenu);
  EXPECT_EQ(sim->highlight(), 1);
  EXPECT_FALSE(sim->alpha());
}

TEST_F(FormTest, PreparationClearsLookupColumnsOnlyWhereNoLineCanUseThem) {
  FormRecord& f = def->form[2];
  for (int j = 0; j < 8; ++j) f.lookupField[j] = 5;
  const int types[8] = {0, 12, 8, 11, 13, 14, 17, 18};
  for (int j = 0; j < 8; ++j) setLine(3, j, {types[j], "P"});
  prepareDesign(*def);
  const int kept[8] = {0, 0, 0, 0, 0, 5, 5, 5};  // alphameric, variable3, compare keep theirs
  for (int j = 0; j < 8; ++j) EXPECT_EQ(f.lookupField[j], kept[j]) << j;
  EXPECT_STREQ(f.prompt[0], "");
  EXPECT_STREQ(f.prompt[1], "");
  EXPECT_STREQ(f.prompt[2], "P");
  EXPECT_EQ(f.lastInputLine, 0);  // alphameric and compare are no input lines here
  setLine(3, 2, {2, "P"});
  f.lookupField[2] = 9;
  prepareDesign(*def);
  EXPECT_EQ(f.lookupField[2], 9);
  EXPECT_EQ(f.lastInputLine, 3);
}

TEST_F(FormTest, AlphaModeTogglesOnlyOnTheFormAndEndsWithIt) {
  EXPECT_FALSE(sim->toggleAlpha());
  EXPECT_FALSE(sim->alpha());
  collect();
  EXPECT_TRUE(sim->toggleAlpha());
  EXPECT_TRUE(sim->alpha());
  EXPECT_TRUE(sim->toggleAlpha());
  EXPECT_FALSE(sim->alpha());
  sim->toggleAlpha();
  sim->key(kKeyEsc);
  EXPECT_FALSE(sim->alpha());
}

}  // namespace
}  // namespace simtest
}  // namespace torvik
