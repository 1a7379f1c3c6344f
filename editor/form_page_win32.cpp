// The Form page: ten forms of eight lines, edited in the session's working copy and written
// back only by the page's apply. The table below says what each control edits; the code after
// it handles what a table cannot: the form selector, the font rule, type changes with their
// clearing, the per-type Lookup column, and the prompt and length corrections.
#include <cstdio>
#include <cstring>

#include "base/string_ids.h"
#include "definition/form_rules.h"
#include "editor/field_properties_win32.h"
#include "editor/form_extras_win32.h"
#include "editor/page_win32.h"
#include "editor/record_clipboard_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"

namespace torvik {

namespace {

// The Next list's extra choice has no built-in text (only a language file gives it one),
// so it has no name in the string table.
constexpr int kStrNextExtra = 1223;

// Language entries of the page's texts.
constexpr int kEntryLabelsFirst = 52;   // "Name :" .. "Record :"
constexpr int kEntryTimeStamp = 58;
constexpr int kEntryBranch = 59;
constexpr int kEntryHeadersFirst = 60;  // the eight column headers
constexpr int kEntryMore = 68;
constexpr int kEntryErrorLabel = 69;
constexpr int kEntryCopy = 1291;
constexpr int kEntryPaste = 1292;

ControlBinding combo(int id, FieldRef field, int items = 0, int itemsFirst = 0, int rows = 1) {
  return bindControl(id, ControlKind::Combo, field, items, 0, rows, itemsFirst);
}
// A column of the eight lines: `base` plus the line number is its control.
ControlBinding edit(int base, ControlKind kind, FieldRef field, int max) {
  return bindControl(base + 1, kind, field, max, 0, kFormLines);
}

const ControlBinding kFormControls[] = {
    combo(IDC_FORM_FONT, TORVIK_FIELD(FormRecord, font), 2, kStrSmallFont),
    combo(IDC_FORM_ESC, TORVIK_FIELD(FormRecord, escTarget)),
    combo(IDC_FORM_NEXT, TORVIK_FIELD(FormRecord, nextTarget)),
    combo(IDC_FORM_ERROR, TORVIK_FIELD(FormRecord, errorAction)),
    combo(IDC_FORM_LOOKUP, TORVIK_FIELD(FormRecord, lookupIndex)),
    combo(IDC_FORM_RECORD, TORVIK_FIELD(FormRecord, recordAction), 9, kStrRecordSave),
    combo(IDC_FORM_TYPE_BASE + 1, TORVIK_LINE_FIELD(FormRecord, dataType), 0, 0, kFormLines),
    combo(IDC_FORM_SOURCE_BASE + 1, TORVIK_LINE_FIELD(FormRecord, inputSource), 0, 0, kFormLines),
    combo(IDC_FORM_COLUMN_BASE + 1, TORVIK_LINE_FIELD(FormRecord, lookupField), 0, 0, kFormLines),
    edit(IDC_FORM_PROMPT_BASE, ControlKind::Text, TORVIK_LINE_FIELD(FormRecord, prompt), kPromptChars),
    edit(IDC_FORM_MIN_BASE, ControlKind::Number, TORVIK_LINE_FIELD(FormRecord, minLength), kMaxInputLength),
    edit(IDC_FORM_MAX_BASE, ControlKind::Number, TORVIK_LINE_FIELD(FormRecord, maxLength), kMaxInputLength),
    bindLabel(IDC_FORM_NAME_LABEL, kEntryLabelsFirst),
    bindLabel(IDC_FORM_FONT_LABEL, kEntryLabelsFirst + 1),
    bindLabel(IDC_FORM_ESC_LABEL, kEntryLabelsFirst + 2),
    bindLabel(IDC_FORM_NEXT_LABEL, kEntryLabelsFirst + 3),
    bindLabel(IDC_FORM_LOOKUP_LABEL, kEntryLabelsFirst + 4),
    bindLabel(IDC_FORM_RECORD_LABEL, kEntryLabelsFirst + 5),
    bindLabel(IDC_FORM_HEADER_FIRST, kEntryHeadersFirst),
    bindLabel(IDC_FORM_HEADER_FIRST + 1, kEntryHeadersFirst + 1),
    bindLabel(IDC_FORM_HEADER_FIRST + 2, kEntryHeadersFirst + 2),
    bindLabel(IDC_FORM_HEADER_FIRST + 3, kEntryHeadersFirst + 3),
    bindLabel(IDC_FORM_HEADER_FIRST + 4, kEntryHeadersFirst + 4),
    bindLabel(IDC_FORM_HEADER_FIRST + 5, kEntryHeadersFirst + 5),
    bindLabel(IDC_FORM_HEADER_FIRST + 6, kEntryHeadersFirst + 6),
    bindLabel(IDC_FORM_HEADER_FIRST + 7, kEntryHeadersFirst + 7),
    bindLabel(IDC_FORM_TIME_STAMP, kEntryTimeStamp),
    bindLabel(IDC_FORM_BRANCH, kEntryBranch),
    bindLabel(IDC_FORM_MORE_BASE + 1, kEntryMore, kFormLines),
    bindLabel(IDC_FORM_ERROR_LABEL, kEntryErrorLabel),
    bindLabel(IDC_RECORD_COPY, kEntryCopy),
    bindLabel(IDC_RECORD_PASTE, kEntryPaste),
};
const ControlTable kFormTable = controlTable(kFormControls);

struct LineIds {
  int type, prompt, source, min, max, column, more;
};
LineIds lineIds(int j) {
  const int n = j + 1;
  return {IDC_FORM_TYPE_BASE + n,  IDC_FORM_PROMPT_BASE + n, IDC_FORM_SOURCE_BASE + n, IDC_FORM_MIN_BASE + n,
          IDC_FORM_MAX_BASE + n,   IDC_FORM_COLUMN_BASE + n, IDC_FORM_MORE_BASE + n};
}

// What the page keeps: its session and the binding of its table to the current form.
struct FormPage {
  EditorSession& session;
  BoundRecord bound{};

  FormRecord& form() { return session.forms[session.currentForm]; }
};

void addItem(HWND combo, const char* text) { SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

void addNumbered(HWND combo, EditorSession& s, int prefixId, int n) {
  char text[96];
  std::snprintf(text, sizeof text, "%s%s", s.strings.text(prefixId).c_str(), s.numberLabel[n - 1]);
  addItem(combo, text);
}

// Main, the ten forms and the ten menus; Next also offers its one more choice, and the error
// action puts "Skip error" first.
enum class TargetList { Esc, Next, Error };
void fillTargets(HWND combo, EditorSession& s, TargetList list) {
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  if (list == TargetList::Error) addItem(combo, s.strings.text(kStrSkipError).c_str());
  addItem(combo, s.strings.text(kStrMain).c_str());
  for (int n = 1; n <= kFormCount; ++n) addNumbered(combo, s, kStrFormPrefix, n);
  for (int n = 1; n <= kMenuCount; ++n) addNumbered(combo, s, kStrMenuPrefix, n);
  if (list == TargetList::Next) addItem(combo, s.strings.text(kStrNextExtra).c_str());
}

void fillComboItems(HWND page, EditorSession& s) {
  fillComboItems(page, kFormTable, s.strings);
  HWND selector = GetDlgItem(page, IDC_FORM_SELECT);
  for (int n = 1; n <= kFormCount; ++n) addNumbered(selector, s, kStrFormPrefix, n);
  fillTargets(GetDlgItem(page, IDC_FORM_ESC), s, TargetList::Esc);
  fillTargets(GetDlgItem(page, IDC_FORM_NEXT), s, TargetList::Next);
  fillTargets(GetDlgItem(page, IDC_FORM_ERROR), s, TargetList::Error);
  HWND lookup = GetDlgItem(page, IDC_FORM_LOOKUP);
  addItem(lookup, s.strings.text(kStrNil).c_str());
  for (int i = 0; i < kLookupCount; ++i) addItem(lookup, s.strings.text(kStrFirstLookupFile + i).c_str());
  for (int j = 0; j < kFormLines; ++j) {
    const LineIds ids = lineIds(j);
    HWND type = GetDlgItem(page, ids.type);
    addItem(type, s.strings.text(kStrNil).c_str());
    for (int t = 1; t < kDataTypeCount; ++t) addItem(type, s.strings.text(kStrTypeText + t - 1).c_str());
    HWND source = GetDlgItem(page, ids.source);
    for (int i = 0; i < 3; ++i) addItem(source, s.strings.text(kStrSourceReader + i).c_str());
    for (int i = 0; i < 3; ++i) addItem(source, s.strings.text(kStrVariable1 + i).c_str());
  }
}

// The Lookup column offers the signed field references only to numeric and variable lines.
void fillLookupColumn(HWND page, EditorSession& s, int j, int type, int selected) {
  HWND combo = GetDlgItem(page, lineIds(j).column);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  addItem(combo, s.strings.text(kStrNil).c_str());
  const int runs = fieldRefItemCount(type) / 8;
  const int prefixes[3] = {kStrField, kStrMinusField, kStrPlusField};
  for (int run = 0; run < runs; ++run)
    for (int n = 1; n <= 8; ++n) addNumbered(combo, s, prefixes[run], n);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void enableLine(HWND page, const FormRecord& form, int j) {
  const LineIds ids = lineIds(j);
  const LineControlsEnabled on = lineControlsFor(form, j);
  enableControl(page, ids.type, on.dataType);
  enableControl(page, ids.prompt, on.prompt);
  enableControl(page, ids.more, on.more);
  enableControl(page, ids.source, on.inputSource);
  enableControl(page, ids.column, on.lookupColumn);
  enableControl(page, ids.min, on.lengths);
  enableControl(page, ids.max, on.lengths);
}

// Puts the current form into the controls, after settling what its lines' types cannot show
// (a signed field reference on a line that offers none), so that OK saves what is shown.
void showForm(HWND page, FormPage& p) {
  FormRecord& form = p.form();
  settleFormForShow(form);
  p.bound.record = &form;
  p.bound.line = 0;
  fillControls(page, kFormTable, p.bound);
  p.bound.updating = true;
  SendDlgItemMessageA(page, IDC_FORM_FONT, CB_SETCURSEL, form.font != 0 ? 1 : 0, 0);
  for (int j = 0; j < kFormLines; ++j)
    fillLookupColumn(page, p.session, j, form.dataType[j], form.lookupField[j]);
  p.bound.updating = false;
  for (int j = 0; j < kFormLines; ++j) enableLine(page, form, j);
}

void onTypeChanged(HWND page, FormPage& p, int j) {
  const LRESULT item = SendDlgItemMessageA(page, lineIds(j).type, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return;
  EditorSession& s = p.session;
  FormRecord& form = p.form();
  const TypeChange change =
      changeLineType(form, j, static_cast<int>(item), s.showInputMark[s.currentForm][j]);
  if (!change.changed) return;
  p.bound.updating = true;
  if (change.inputSourceKeypad)
    SendDlgItemMessageA(page, lineIds(j).source, CB_SETCURSEL, form.inputSource[j], 0);
  fillLookupColumn(page, s, j, form.dataType[j], form.lookupField[j]);
  p.bound.updating = false;
  enableLine(page, form, j);
}

void onPromptChanged(HWND page, FormPage& p, int j) {
  HWND editControl = GetDlgItem(page, lineIds(j).prompt);
  char text[22] = {};
  GetWindowTextA(editControl, text, sizeof text);
  FormRecord& form = p.form();
  const EditCorrection c = correctPrompt(text, promptLimit(form.font));
  if (c.changed) putBackText(editControl, c.text, p.bound);
  copyText(form.prompt[j], c.text);
}

void onLengthChanged(HWND page, FormPage& p, int id, int j, std::uint8_t& field) {
  HWND editControl = GetDlgItem(page, id);
  char text[22] = {};
  GetWindowTextA(editControl, text, sizeof text);
  const EditCorrection c = correctLength(text, p.form().dataType[j]);
  if (c.changed) putBackText(editControl, c.text, p.bound);
  field = static_cast<std::uint8_t>(c.value);
}

void onCommand(HWND page, FormPage& p, WPARAM wParam) {
  if (p.bound.updating) return;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  EditorSession& s = p.session;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
  if (id == IDC_FORM_SELECT && code == CBN_SELCHANGE) {
    const LRESULT item = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR || item == s.currentForm) return;
    s.currentForm = static_cast<int>(item);
    showForm(page, p);
    return;
  }
  if (code == BN_CLICKED && id > IDC_FORM_MORE_BASE && id <= IDC_FORM_MORE_BASE + kFormLines) {
    s.currentLine = id - IDC_FORM_MORE_BASE - 1;
    runFieldProperties(page, instance, s);
    return;
  }
  if (code == BN_CLICKED && id == IDC_RECORD_COPY) {
    copyRecord(page, s, RecordKind::Form, s.currentForm, &p.form());
    return;
  }
  if (code == BN_CLICKED && id == IDC_RECORD_PASTE) {
    char name[96];
    std::snprintf(name, sizeof name, "%s%s", s.strings.text(kStrFormPrefix).c_str(), s.numberLabel[s.currentForm]);
    if (!pasteRecord(page, s, RecordKind::Form, &p.form(), name)) return;
    // As when the editor opens: a line shows its input mark when the pasted form has one.
    for (int j = 0; j < kFormLines; ++j) s.showInputMark[s.currentForm][j] = p.form().inputMark[j] != 0;
    showForm(page, p);
    return;
  }
  if (code == BN_CLICKED && id == IDC_FORM_TIME_STAMP) {
    runDateTimeStamp(page, instance, s);
    return;
  }
  if (code == BN_CLICKED && id == IDC_FORM_BRANCH) {
    runFormBranch(page, instance, s);
    return;
  }
  const int n = id % 10;  // the line's number within its run of ids
  if (n >= 1 && n <= kFormLines) {
    const int j = n - 1;
    if (id == IDC_FORM_TYPE_BASE + n && code == CBN_SELCHANGE) return onTypeChanged(page, p, j);
    if (id == IDC_FORM_PROMPT_BASE + n && code == EN_CHANGE) return onPromptChanged(page, p, j);
    if (id == IDC_FORM_MIN_BASE + n && code == EN_CHANGE) return onLengthChanged(page, p, id, j, p.form().minLength[j]);
    if (id == IDC_FORM_MAX_BASE + n && code == EN_CHANGE) return onLengthChanged(page, p, id, j, p.form().maxLength[j]);
  }
  if (storeControlChange(page, kFormTable, wParam, p.bound) != nullptr && id == IDC_FORM_FONT) {
    // The font rule: lines 5 to 8 follow at once; their data changes only on OK.
    for (int j = 0; j < kFormLines; ++j) enableLine(page, p.form(), j);
  }
}

void onInit(HWND page, FormPage& p) {
  EditorSession& s = p.session;
  s.currentForm = firstRecordShown(s, EditorPage::Form, kFormCount);
  s.currentLine = 0;
  std::memcpy(s.forms, s.definition.form, sizeof s.forms);
  for (int f = 0; f < kFormCount; ++f)
    for (int j = 0; j < kFormLines; ++j) s.showInputMark[f][j] = s.forms[f].inputMark[j] != 0;
  p.bound.updating = true;
  fillComboItems(page, s);
  SendDlgItemMessageA(page, IDC_FORM_SELECT, CB_SETCURSEL, static_cast<WPARAM>(s.currentForm), 0);
  p.bound.updating = false;
  relabelControls(page, kFormTable, s.strings);
  showForm(page, p);
}

INT_PTR onApply(HWND, FormPage& p) {
  EditorSession& s = p.session;
  applyFormEdits(s.forms, s.showInputMark);
  std::memcpy(s.applyTarget().form, s.forms, sizeof s.forms);
  s.formsApplied = true;
  return PSNRET_NOERROR;
}

}  // namespace

const DLGPROC formPageProc = pageProc<FormPage, onInit, onCommand, onApply>;

}  // namespace torvik
