// Where "Go to" opens the editor for a finding: page, record and control by the setting's name.
#include "check/finding_place.h"

#include <gtest/gtest.h>

#include <set>

#include "definition/design_text.h"
#include "resources/ids_editor.h"
#include "resources/ids_lookup_page.h"
#include "resources/ids_menu_page.h"
#include "resources/ids_startup_page.h"

namespace torvik {
namespace {

TEST(CheckFindingPlace, EachKindOfSettingOpensItsPageRecordAndControl) {
  const struct {
    const char* where;
    EditorPage page;
    int record;
    int control;
  } rows[] = {
      {"form1.escTarget", EditorPage::Form, 0, IDC_FORM_ESC},
      {"form10.nextTarget", EditorPage::Form, 9, IDC_FORM_NEXT},
      {"form3.lookupIndex", EditorPage::Form, 2, IDC_FORM_LOOKUP},
      {"form3.errorAction", EditorPage::Form, 2, IDC_FORM_ERROR},
      {"form2.fnBranch.4", EditorPage::Form, 1, IDC_FORM_BRANCH},
      {"form2.fnSumMultiplier.4", EditorPage::Form, 1, IDC_FORM_BRANCH},
      {"form1.line1.prompt", EditorPage::Form, 0, IDC_FORM_PROMPT_BASE + 1},
      {"form4.line8.maxLength", EditorPage::Form, 3, IDC_FORM_MAX_BASE + 8},
      {"form4.line2.minLength", EditorPage::Form, 3, IDC_FORM_MIN_BASE + 2},
      {"form4.line6.dataType", EditorPage::Form, 3, IDC_FORM_TYPE_BASE + 6},
      {"form4.line2.lookupField", EditorPage::Form, 3, IDC_FORM_COLUMN_BASE + 2},
      {"form4.line3.initialText", EditorPage::Form, 3, IDC_FORM_MORE_BASE + 3},  // behind "more..."
      {"form4.line3.decimals", EditorPage::Form, 3, IDC_FORM_MORE_BASE + 3},
      {"form4.line9.prompt", EditorPage::Form, 3, 0},  // no ninth line: the form, no control
      {"form11.escTarget", EditorPage::None, -1, 0},
      {"form0.escTarget", EditorPage::None, -1, 0},
      {"menu2.item5.next", EditorPage::Menu, 1, IDC_MENU_ITEM_NEXT_BASE + 4},
      {"menu1.item1.name", EditorPage::Menu, 0, IDC_MENU_ITEM_NAME_BASE},
      {"menu10.item10.name", EditorPage::Menu, 9, IDC_MENU_ITEM_NAME_BASE + 9},
      {"menu1.item11.name", EditorPage::Menu, 0, 0},
      {"menu1.caption", EditorPage::Menu, 0, IDC_MENU_CAPTION},
      {"menu7.escTarget", EditorPage::Menu, 6, IDC_MENU_ESC},
      {"lookup1.memberLength", EditorPage::Lookup, 0, IDC_LOOKUP_MEMBER_LENGTH},
      {"lookup3.fieldLength.8", EditorPage::Lookup, 2, IDC_LOOKUP_LENGTH_BASE + 7},
      {"lookup2.fieldOffset.1", EditorPage::Lookup, 1, IDC_LOOKUP_OFFSET_BASE},
      {"lookup2.fieldLength.9", EditorPage::Lookup, 1, 0},
      {"lookup2.keyField", EditorPage::Lookup, 1, IDC_LOOKUP_KEY_BASE},
      {"lookup2.delimiter", EditorPage::Lookup, 1, IDC_LOOKUP_DELIMITER},
      {"lookup4.delimiter", EditorPage::None, -1, 0},
      {"barcode.industrial25.minLength", EditorPage::Barcode, -1, 0},
      {"system.startFrom", EditorPage::Startup, -1, IDC_STARTUP_START_FROM},
      {"system.settingsText.3", EditorPage::Startup, -1, IDC_STARTUP_GROUP},
      {"messages.mainMenu.1", EditorPage::Startup, -1, IDC_STARTUP_GROUP},
      {"items.txt:12", EditorPage::None, -1, 0},
      {"lookup1.txt:3", EditorPage::None, -1, 0},
      {"", EditorPage::None, -1, 0},
      {"formx.escTarget", EditorPage::None, -1, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    const FindingPlace place = placeOfFinding(row.where);
    EXPECT_EQ(place.page, row.page);
    EXPECT_EQ(place.record, row.record);
    EXPECT_EQ(place.control, row.control);
  }
}

// Every setting that `show` prints for a form, menu or lookup finds its page and record.
TEST(CheckFindingPlace, EverySettingOfAFormMenuOrLookupHasAPlace) {
  for (const SettingField& field : settingFields()) {
    const std::string name = field.name;
    const bool recorded = name.rfind("form", 0) == 0 || name.rfind("menu", 0) == 0 || name.rfind("lookup", 0) == 0;
    if (!recorded) continue;
    SCOPED_TRACE(name);
    const FindingPlace place = placeOfFinding(name);
    EXPECT_NE(place.page, EditorPage::None);
    EXPECT_GE(place.record, 0);
  }
}

}  // namespace
}  // namespace torvik
