#pragma once
// Where in the definition editor a finding of the check is mended: the page, the form, menu
// or lookup it shows, and the control that holds the setting. Pure, so that the desktop's
// "Go to" and its tests share one mapping from the setting names `show` prints.
#include <string>

#include "editor/editor_pages.h"

namespace torvik {

struct FindingPlace {
  EditorPage page = EditorPage::None;
  int record = -1;  // 0-based form, menu or lookup on its page; -1 none
  int control = 0;  // the control to focus; 0 none
};

// The place of a finding by its `where`: "form3.line2.prompt", "menu1.item5.next",
// "lookup2.fieldLength.4", "messages.mainMenu.1". A lookup file's line ("items.txt:12") and
// anything unknown has no place (page None).
FindingPlace placeOfFinding(const std::string& where);

}  // namespace torvik
