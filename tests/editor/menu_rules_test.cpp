#include "editor/menu_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "editor/editor_session.h"

namespace torvik {
namespace {

TEST(MenuRules, TextLimitFollowsTheFont) {
  struct Row {
    std::uint8_t font;
    int limit;
  } rows[] = {{0, 20}, {1, 15}, {2, 15}, {255, 15}};
  for (const Row& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.font));
    MenuRecord menu{};
    menu.font = r.font;
    EXPECT_EQ(menuTextLimit(menu), r.limit);
  }
}

TEST(MenuRules, PassDownMatrix) {
  struct Row {
    bool separate;
    std::uint8_t saveCaption, saveItem, passDownBefore;
    std::uint8_t passDownAfter;
    bool userMayChange;
  } rows[] = {
      // Separate files: pass down follows the save options and is not the user's to choose.
      {true, 0, 0, 0, 0, false},
      {true, 0, 0, 1, 0, false},
      {true, 1, 0, 0, 1, false},
      {true, 0, 1, 0, 1, false},
      {true, 1, 1, 1, 1, false},
      // One file: nothing saved clears it; otherwise the user's choice stays.
      {false, 0, 0, 1, 0, false},
      {false, 0, 0, 0, 0, false},
      {false, 1, 0, 0, 0, true},
      {false, 1, 0, 1, 1, true},
      {false, 0, 1, 1, 1, true},
      {false, 1, 1, 0, 0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "separate " << r.separate << " caption " << int(r.saveCaption) << " item "
                                    << int(r.saveItem) << " before " << int(r.passDownBefore));
    MenuRecord menu{};
    menu.saveCaption = r.saveCaption;
    menu.saveSelectedItem = r.saveItem;
    menu.passDown = r.passDownBefore;
    EXPECT_EQ(applyPassDownRule(menu, r.separate), r.userMayChange);
    EXPECT_EQ(menu.passDown, r.passDownAfter);
    EXPECT_EQ(menu.saveCaption, r.saveCaption);
    EXPECT_EQ(menu.saveSelectedItem, r.saveItem);
  }
}

TEST(MenuRules, ResetClearsAllButTheUnusedTail) {
  MenuRecord menus[kMenuCount];
  std::memset(menus, 0xA5, sizeof menus);
  std::uint8_t separate = 1;
  resetMenus(menus, separate);
  EXPECT_EQ(separate, 0);
  for (int m = 0; m < kMenuCount; ++m) {
    SCOPED_TRACE(m);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&menus[m]);
    for (int i = 0; i < 250; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
    for (int i = 250; i < 350; ++i) ASSERT_EQ(bytes[i], 0xA5) << "byte " << i;
    for (int k = 0; k < kMenuItems; ++k) EXPECT_EQ(menus[m].item(k).next, 0) << "targets are main";
  }
}

TEST(MenuRules, CommitStoresTheMenuPagesFlagOverTheSettingsPages) {
  struct Row {
    bool menuApplied;
    std::uint8_t menuFlag, settingsWrote, stored;
  } rows[] = {{true, 1, 0, 1}, {true, 0, 1, 0}, {false, 1, 0, 0}, {false, 0, 1, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.menuApplied << int(r.menuFlag) << int(r.settingsWrote));
    auto def = std::make_unique<ApplicationDefinition>();
    std::memset(def.get(), 0, sizeof *def);
    UiStrings strings;
    EditorSession session(*def, strings);
    session.formsApplied = true;
    session.menusApplied = r.menuApplied;
    session.separateDataFiles = r.menuFlag;
    session.applyTarget().systemSettings.separateDataFiles = r.settingsWrote;  // what a later page stored
    ASSERT_TRUE(commitApplied(session, nullptr));
    EXPECT_EQ(def->systemSettings.separateDataFiles, r.stored);
  }
}

// The pages store into a copy: the design changes only when the OK completes, never after a
// page refused it, whatever the pages before it stored.
TEST(MenuRules, ARefusedApplyLeavesTheDesignAsItWas) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0x5A, sizeof *def);
  UiStrings strings;
  EditorSession session(*def, strings);
  session.formsApplied = true;
  session.menusApplied = true;
  std::memset(session.applyTarget().menu, 0, sizeof def->menu);
  EXPECT_EQ(def->menu[0].font, 0x5A) << "nothing reaches the design before the commit";
  session.refuseApply();
  EXPECT_FALSE(commitApplied(session, nullptr)) << "a Cancel after the refusal";
  EXPECT_EQ(def->menu[0].font, 0x5A);
  EXPECT_EQ(def->systemSettings.separateDataFiles, 0x5A);
  // The user mends and presses OK again: this time every page stores and the commit lands.
  session.formsApplied = true;
  session.applyTarget().menu[0].font = 1;
  EXPECT_TRUE(commitApplied(session, nullptr));
  EXPECT_EQ(def->menu[0].font, 1);
  EXPECT_EQ(def->menu[1].font, 0x5A) << "the copy was taken from the design";
}

// A sheet opened on the Menu page (the check's "Go to") may close without ever creating the
// Form page: its OK still lands, and a Cancel still lands nothing.
TEST(MenuRules, AnOkWithoutTheFormPageLands) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0x5A, sizeof *def);
  UiStrings strings;
  {
    EditorSession cancelled(*def, strings);
    EXPECT_FALSE(commitApplied(cancelled, nullptr));
  }
  EditorSession session(*def, strings);
  session.separateDataFiles = 1;
  session.menusApplied = true;
  session.applyTarget().menu[1].itemNext[2] = 0;
  EXPECT_TRUE(commitApplied(session, nullptr));
  EXPECT_EQ(def->menu[1].itemNext[2], 0);
  EXPECT_EQ(def->systemSettings.separateDataFiles, 1);
  EXPECT_EQ(def->form[0].escTarget, 0x5A) << "the forms as they were";
}

}  // namespace
}  // namespace torvik
