#include "check/finding_place.h"

#include <cstring>
#include <vector>

#include "resources/ids_editor.h"
#include "resources/ids_lookup_page.h"
#include "resources/ids_menu_page.h"
#include "resources/ids_startup_page.h"

namespace torvik {

namespace {

// A setting's field and the control that edits it: the id plus the line, item or field
// number (1-based) that the name gives, less one where `zeroBased` says so.
struct FieldControl {
  const char* field;
  int control;
  bool zeroBased;
};

// Form lines' ids are the base plus the line number 1..8; the field-properties dialog behind
// "more..." holds what the line itself does not show.
const FieldControl kFormLineFields[] = {
    {"prompt", IDC_FORM_PROMPT_BASE, false},   {"minLength", IDC_FORM_MIN_BASE, false},
    {"maxLength", IDC_FORM_MAX_BASE, false},   {"dataType", IDC_FORM_TYPE_BASE, false},
    {"lookupField", IDC_FORM_COLUMN_BASE, false}, {"inputSource", IDC_FORM_SOURCE_BASE, false},
    {"", IDC_FORM_MORE_BASE, false},  // initialText, fixedLength, partialMax, decimals, ...
};
const FieldControl kFormFields[] = {
    {"escTarget", IDC_FORM_ESC, false},     {"nextTarget", IDC_FORM_NEXT, false},
    {"lookupIndex", IDC_FORM_LOOKUP, false}, {"errorAction", IDC_FORM_ERROR, false},
    {"font", IDC_FORM_FONT, false},         {"fnBranch", IDC_FORM_BRANCH, false},
    {"fnSumSource", IDC_FORM_BRANCH, false}, {"fnSumField", IDC_FORM_BRANCH, false},
    {"fnSumMultiplier", IDC_FORM_BRANCH, false},
};
// Menu items' and lookup fields' ids are the base plus the number 0..9.
const FieldControl kMenuItemFields[] = {
    {"name", IDC_MENU_ITEM_NAME_BASE, true},
    {"next", IDC_MENU_ITEM_NEXT_BASE, true},
};
const FieldControl kMenuFields[] = {
    {"caption", IDC_MENU_CAPTION, false},
    {"escTarget", IDC_MENU_ESC, false},
    {"font", IDC_MENU_FONT, false},
};
const FieldControl kLookupFields[] = {
    {"memberLength", IDC_LOOKUP_MEMBER_LENGTH, false}, {"fieldCount", IDC_LOOKUP_FIELD_COUNT, false},
    {"delimiter", IDC_LOOKUP_DELIMITER, false},        {"keyField", IDC_LOOKUP_KEY_BASE, false},
    {"fieldLength", IDC_LOOKUP_LENGTH_BASE, true},     {"fieldOffset", IDC_LOOKUP_OFFSET_BASE, true},
};

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == '.') parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

// The number after `word` in `part` ("line3" -> 3), within 1..max; 0 otherwise.
int numberAfter(const std::string& part, const char* word, int max) {
  const std::size_t n = std::strlen(word);
  if (part.compare(0, n, word) != 0 || part.size() == n || part.size() > n + 2) return 0;
  int value = 0;
  for (std::size_t i = n; i < part.size(); ++i) {
    if (part[i] < '0' || part[i] > '9') return 0;
    value = value * 10 + (part[i] - '0');
  }
  return value >= 1 && value <= max ? value : 0;
}

// The control for `field`, numbered by `number` (1-based) where the table says so; 0 when the
// table does not know the field. An entry with an empty field takes every other name.
template <std::size_t N>
int controlOf(const FieldControl (&table)[N], const std::string& field, int number) {
  for (const FieldControl& f : table) {
    if (f.field[0] != '\0' && field != f.field) continue;
    return f.control + (f.zeroBased ? number - 1 : number);
  }
  return 0;
}

}  // namespace

FindingPlace placeOfFinding(const std::string& where) {
  FindingPlace place;
  // A lookup file's line, "FILE:LINE", is mended in the file, not in the design.
  if (where.find(':') != std::string::npos) return place;
  const std::vector<std::string> parts = split(where);
  const std::string& head = parts[0];
  const std::string field = parts.size() > 1 ? parts[1] : std::string();
  // "fieldLength.3": the number stands in the next part.
  const int index = parts.size() > 2 ? numberAfter(parts[2], "", 10) : 0;

  if (const int form = numberAfter(head, "form", 10)) {
    place.page = EditorPage::Form;
    place.record = form - 1;
    if (const int line = numberAfter(field, "line", 8))
      place.control = parts.size() > 2 ? controlOf(kFormLineFields, parts[2], line) : 0;
    else
      place.control = controlOf(kFormFields, field, 0);
  } else if (const int menu = numberAfter(head, "menu", 10)) {
    place.page = EditorPage::Menu;
    place.record = menu - 1;
    if (const int item = numberAfter(field, "item", 10))
      place.control = parts.size() > 2 ? controlOf(kMenuItemFields, parts[2], item) : 0;
    else
      place.control = controlOf(kMenuFields, field, 0);
  } else if (const int lookup = numberAfter(head, "lookup", 3)) {
    place.page = EditorPage::Lookup;
    place.record = lookup - 1;
    const bool numbered = field == "fieldLength" || field == "fieldOffset";
    if (!numbered || index >= 1) place.control = controlOf(kLookupFields, field, numbered ? index : 0);
    if (numbered && index > 8) place.control = 0;
  } else if (head == "barcode") {
    place.page = EditorPage::Barcode;
  } else if (head == "messages" || (head == "system" && field == "settingsText")) {
    // The Startup page shows the groups of prompts and messages, the settings texts among them.
    place.page = EditorPage::Startup;
    place.control = IDC_STARTUP_GROUP;
  } else if (head == "system" && field == "startFrom") {
    place.page = EditorPage::Startup;
    place.control = IDC_STARTUP_START_FROM;
  } else if (head == "system" || head == "wedge") {
    place.page = EditorPage::Settings;
  }
  return place;
}

}  // namespace torvik
