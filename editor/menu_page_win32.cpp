// The Menu page: ten menus edited in a working copy, with the application-wide option to keep
// each form's data in its own file.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base/string_ids.h"
#include "editor/menu_rules.h"
#include "editor/page_win32.h"
#include "editor/record_clipboard_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"

namespace torvik {

namespace {


ControlBinding withItems(ControlBinding b, int first) {
  b.itemsFirst = first;
  return b;
}

ControlBinding enabling(ControlBinding b, int id) {
  b.enables[0] = id;
  return b;
}

// The separate-data-files box is relabelled here but kept by hand: its flag lives in the
// system settings, not in a menu.
const ControlBinding kMenuControls[] = {
    bindLabel(IDC_MENU_NAME_LABEL, 202),
    bindLabel(IDC_MENU_FONT_LABEL, 203),
    bindLabel(IDC_MENU_ESC_LABEL, 204),
    enabling(bindControl(IDC_MENU_CAPTION_ON, ControlKind::Check, TORVIK_FIELD(MenuRecord, captionOn), 0, 205),
             IDC_MENU_CAPTION),
    bindLabel(IDC_MENU_OPTIONS_GROUP, 206),
    bindControl(IDC_MENU_SAVE_CAPTION, ControlKind::Check, TORVIK_FIELD(MenuRecord, saveCaption), 0, 207),
    bindControl(IDC_MENU_SAVE_ITEM, ControlKind::Check, TORVIK_FIELD(MenuRecord, saveSelectedItem), 0, 208),
    bindControl(IDC_MENU_PASS_DOWN, ControlKind::Check, TORVIK_FIELD(MenuRecord, passDown), 0, 209),
    bindLabel(IDC_MENU_SEPARATE_FILES, 210),
    bindLabel(IDC_MENU_ITEM_LABEL, 211),
    bindLabel(IDC_MENU_ITEM_TEXT_LABEL, 212),
    bindLabel(IDC_MENU_ITEM_NEXT_LABEL, 213),
    bindLabel(IDC_MENU_RESET, 214),
    bindLabel(IDC_RECORD_COPY, 1291),
    bindLabel(IDC_RECORD_PASTE, 1292),
    withItems(bindControl(IDC_MENU_FONT, ControlKind::Combo, TORVIK_FIELD(MenuRecord, font), 2, 0), kStrSmallFont),
    bindControl(IDC_MENU_ESC, ControlKind::Combo, TORVIK_FIELD(MenuRecord, escTarget), kScreenTargets, 0),
    bindControl(IDC_MENU_CAPTION, ControlKind::Text, TORVIK_FIELD(MenuRecord, caption), kMenuTextChars, 0),
    bindControl(IDC_MENU_ITEM_NAME_BASE, ControlKind::Text, TORVIK_LINE_FIELD(MenuRecord, itemName), kMenuTextChars, 0,
          kMenuItems),
    bindControl(IDC_MENU_ITEM_NEXT_BASE, ControlKind::Combo, TORVIK_LINE_FIELD(MenuRecord, itemNext), kScreenTargets, 0,
          kMenuItems),
};
const ControlTable kMenuTable = controlTable(kMenuControls);

struct MenuPage {
  EditorSession& session;
  BoundRecord bound{};
};

void addItem(HWND combo, const char* text) { SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

// "main", "form  1".."form  10", "menu  1".."menu  10".
void fillTargets(HWND combo, EditorSession& s) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  addItem(combo, s.strings.text(kStrMain).c_str());
  for (int prefix : {kStrFormPrefix, kStrMenuPrefix}) {
    const UiText head = s.strings.text(prefix);
    for (const char* number : s.numberLabel) {
      char text[160];
      std::snprintf(text, sizeof text, "%s%s", head.c_str(), number);
      addItem(combo, text);
    }
  }
}

void fillLists(HWND page, MenuPage& p) {
  EditorSession& s = p.session;
  fillComboItems(page, kMenuTable, s.strings);
  HWND selector = GetDlgItem(page, IDC_MENU_SELECT);
  const UiText head = s.strings.text(kStrMenuPrefix);
  for (const char* number : s.numberLabel) {
    char text[160];
    std::snprintf(text, sizeof text, "%s%s", head.c_str(), number);
    addItem(selector, text);
  }
  fillTargets(GetDlgItem(page, IDC_MENU_ESC), s);
  for (int k = 0; k < kMenuItems; ++k) fillTargets(GetDlgItem(page, IDC_MENU_ITEM_NEXT_BASE + k), s);
}

// Ticks and enables "Pass down" by the rule, which stores what it makes of the options: after
// showing a menu as after an edit, the box shows what OK saves.
void showPassDown(HWND page, MenuPage& p) {
  MenuRecord& menu = p.session.menus[p.session.currentMenu];
  const bool free = applyPassDownRule(menu, p.session.separateDataFiles != 0);
  CheckDlgButton(page, IDC_MENU_PASS_DOWN, menu.passDown != 0 ? BST_CHECKED : BST_UNCHECKED);
  enableControl(page, IDC_MENU_PASS_DOWN, free);
}

void showMenu(HWND page, MenuPage& p) {
  EditorSession& s = p.session;
  MenuRecord& menu = s.menus[s.currentMenu];
  p.bound.record = &menu;
  p.bound.textLimit = menuTextLimit(menu);
  p.bound.updating = true;
  SendDlgItemMessageA(page, IDC_MENU_SELECT, CB_SETCURSEL, static_cast<WPARAM>(s.currentMenu), 0);
  fillControls(page, kMenuTable, p.bound);
  // Any nonzero font is the large one.
  SendDlgItemMessageA(page, IDC_MENU_FONT, CB_SETCURSEL, menu.font != 0 ? 1 : 0, 0);
  CheckDlgButton(page, IDC_MENU_SEPARATE_FILES, s.separateDataFiles != 0 ? BST_CHECKED : BST_UNCHECKED);
  p.bound.updating = false;
  applyEnables(page, kMenuTable, p.bound);
  showPassDown(page, p);
}

void onCommand(HWND page, MenuPage& p, WPARAM wParam) {
  EditorSession& s = p.session;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (p.bound.updating) return;
  if (id == IDC_MENU_SELECT) {
    if (code != CBN_SELCHANGE) return;
    const LRESULT item = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR || item == s.currentMenu) return;
    s.currentMenu = static_cast<int>(item);
    showMenu(page, p);
    return;
  }
  if (id == IDC_MENU_SEPARATE_FILES) {
    if (code != BN_CLICKED) return;
    s.separateDataFiles = IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0;
    showPassDown(page, p);
    return;
  }
  if (id == IDC_RECORD_COPY || id == IDC_RECORD_PASTE) {
    if (code != BN_CLICKED) return;
    MenuRecord& menu = s.menus[s.currentMenu];
    if (id == IDC_RECORD_COPY) return copyRecord(page, s, RecordKind::Menu, s.currentMenu, &menu);
    char name[160];
    std::snprintf(name, sizeof name, "%s%s", s.strings.text(kStrMenuPrefix).c_str(), s.numberLabel[s.currentMenu]);
    if (pasteRecord(page, s, RecordKind::Menu, &menu, name)) showMenu(page, p);
    return;
  }
  if (id == IDC_MENU_RESET) {
    if (code != BN_CLICKED) return;
    resetMenus(s.menus, s.separateDataFiles);
    s.currentMenu = 0;
    showMenu(page, p);
    return;
  }
  const ControlBinding* changed = storeControlChange(page, kMenuTable, wParam, p.bound);
  if (changed == nullptr) return;
  // A new font sets the limit for what is typed next; longer texts stay as they are.
  if (changed->id == IDC_MENU_FONT) p.bound.textLimit = menuTextLimit(s.menus[s.currentMenu]);
  if (changed->id == IDC_MENU_SAVE_CAPTION || changed->id == IDC_MENU_SAVE_ITEM) showPassDown(page, p);
}

void onInit(HWND page, MenuPage& p) {
  EditorSession& s = p.session;
  s.currentMenu = firstRecordShown(s, EditorPage::Menu, kMenuCount);
  s.separateDataFiles = s.definition.systemSettings.separateDataFiles;
  std::memcpy(s.menus, s.definition.menu, sizeof s.menus);
  p.bound.updating = true;
  fillLists(page, p);
  relabelControls(page, kMenuTable, s.strings);
  p.bound.updating = false;
  showMenu(page, p);
}

INT_PTR applyMenus(HWND, MenuPage& p) {
  EditorSession& s = p.session;
  ApplicationDefinition& target = s.applyTarget();
  std::memcpy(target.menu, s.menus, sizeof s.menus);
  // Stored here and again by the frame once every page has stored: the Settings page writes the
  // same block, and this page's choice is the one that stays.
  target.systemSettings.separateDataFiles = s.separateDataFiles;
  s.menusApplied = true;
  return PSNRET_NOERROR;
}

}  // namespace

const DLGPROC menuPageProc = pageProc<MenuPage, onInit, onCommand, applyMenus>;

}  // namespace torvik
