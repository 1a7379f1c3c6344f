#include "editor/field_properties_win32.h"

#include <cstring>

#include "base/string_ids.h"
#include "base/text.h"
#include "definition/form_rules.h"
#include "editor/field_properties.h"
#include "editor/grid_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dialog_win32.h"

namespace torvik {

namespace {

constexpr int kCodeEdits = 2;  // prefix and suffix

struct FieldPropertiesData {
  EditorSession& session;
  FormRecord& form;
  int line;
  bool lookup;
  const ControlTable& table;
  FormRecord backup;
  bool showMarkBefore;
  bool ended;  // OK or Cancel has decided: a command still on its way changes nothing
  BoundRecord bound;
  // The prefix and suffix while the dialog is open: the grid edits these, OK stores them.
  std::uint8_t codes[kCodeEdits][kLineCodeBytes];

  bool& showMark() { return session.showInputMark[session.currentForm][line]; }
  int dataType() const { return form.dataType[line]; }
};

// Visits the table's Code rows in order: the first is the prefix, the second the suffix.
template <typename Visit>
void forEachCodeEdit(const ControlTable& table, Visit visit) {
  int k = 0;
  for (int i = 0; i < table.count && k < kCodeEdits; ++i)
    if (table.bindings[i].kind == ControlKind::Code) visit(table.bindings[i], k++);
}

void takeCodes(HWND dialog, FieldPropertiesData& d) {
  forEachCodeEdit(d.table, [&](const ControlBinding& b, int k) {
    std::memcpy(d.codes[k], fieldBytes(&d.form, b.field, d.line), kLineCodeBytes);
    HWND edit = GetDlgItem(dialog, b.id);
    const bool wasUpdating = d.bound.updating;
    d.bound.updating = true;
    makeCodeEdit(edit, d.codes[k], kLineCodeBytes, d.session.strings);
    showCodeText(edit, d.codes[k], kLineCodeBytes, d.session.strings);
    d.bound.updating = wasUpdating;
  });
}

void storeCodes(FieldPropertiesData& d) {
  forEachCodeEdit(d.table, [&](const ControlBinding& b, int k) {
    std::memcpy(fieldBytes(&d.form, b.field, d.line), d.codes[k], kLineCodeBytes);
  });
}

static_assert(IDC_ADV_FORM_NUMBER == IDC_LADV_FORM_NUMBER && IDC_ADV_LINE_NUMBER == IDC_LADV_LINE_NUMBER,
              "both dialogs show the form and line numbers in the same labels");

void showNumberLabels(HWND dialog, const FieldPropertiesData& d) {
  SetDlgItemTextA(dialog, IDC_ADV_FORM_NUMBER, d.session.numberLabel[d.session.currentForm]);
  SetDlgItemTextA(dialog, IDC_ADV_LINE_NUMBER, d.session.numberLabel[d.line]);
}

void fillDecimalItems(HWND dialog, const FieldPropertiesData& d) {
  HWND combo = GetDlgItem(dialog, IDC_ADV_DECIMALS);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  const UiText variable = d.session.strings.text(kStrVariable);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(variable.c_str()));
  for (int n = 1; n < kDecimalsItems; ++n)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.session.numberLabel[n - 1]));
}

// What the table of ADVANCEDLG cannot say: the input-mark box, the check-digit method and the
// controls the line's type switches off (before the enabling, which then keeps their
// dependents off too).
void openFieldProperties(HWND dialog, FieldPropertiesData& d) {
  const TypeControls live = typeControlsFor(d.dataType());
  if (!live.initialValue) {
    CheckDlgButton(dialog, IDC_ADV_INITIAL, BST_UNCHECKED);
    putBackText(GetDlgItem(dialog, IDC_ADV_INITIAL_TEXT), "", d.bound);
  }
  enableControl(dialog, IDC_ADV_INITIAL, live.initialValue);
  CheckDlgButton(dialog, IDC_ADV_INPUT_MARK, live.inputMark && d.showMark() ? BST_CHECKED : BST_UNCHECKED);
  if (!live.inputMark) putBackText(GetDlgItem(dialog, IDC_ADV_INPUT_MARK_CHAR), "", d.bound);
  enableControl(dialog, IDC_ADV_INPUT_MARK, live.inputMark);
  enableControl(dialog, IDC_ADV_DECIMALS, live.decimals);
  enableControl(dialog, IDC_ADV_DECIMALS_LABEL, live.decimals);
  SendDlgItemMessageA(dialog, IDC_ADV_CHECK_DIGIT_METHOD, CB_SETCURSEL,
                      static_cast<WPARAM>(checkDigitItem(d.form.checkDigit[d.line])), 0);
}

void enableInputMark(HWND dialog, FieldPropertiesData& d) {
  enableControl(dialog, IDC_ADV_INPUT_MARK_CHAR, d.showMark() && typeControlsFor(d.dataType()).inputMark);
}

void initDialog(HWND dialog, FieldPropertiesData& d) {
  d.backup = d.form;
  d.showMarkBefore = d.showMark();
  if (!d.lookup) d.showMark() = openLineProperties(d.form, d.line);

  fillComboItems(dialog, d.table, d.session.strings);
  if (!d.lookup) fillDecimalItems(dialog, d);
  fillControls(dialog, d.table, d.bound);
  showNumberLabels(dialog, d);
  takeCodes(dialog, d);
  relabelControls(dialog, d.table, d.session.strings);
  if (!d.lookup) openFieldProperties(dialog, d);
  applyEnables(dialog, d.table, d.bound);
  if (!d.lookup) enableInputMark(dialog, d);
}

// An edit of ADVANCEDLG whose correction is not the table's; true when it was one.
bool storeEditByHand(HWND dialog, int id, FieldPropertiesData& d) {
  if (id != IDC_ADV_INITIAL_TEXT && id != IDC_ADV_PARTIAL_START) return false;
  if (d.bound.updating) return true;
  HWND edit = GetDlgItem(dialog, id);
  char text[256] = {};
  GetWindowTextA(edit, text, sizeof text);
  const EditCorrection c =
      id == IDC_ADV_INITIAL_TEXT ? correctInitialText(text, d.dataType()) : correctPartialStart(text);
  if (c.changed) putBackText(edit, c.text, d.bound);
  if (id == IDC_ADV_INITIAL_TEXT)
    copyText(d.form.initialText[d.line], c.text);
  else
    d.form.line(d.line).setPartialStartPosition(c.value);
  return true;
}

void confirm(HWND dialog, FieldPropertiesData& d) {
  if (d.lookup) {
    confirmLookupLineProperties(d.form, d.line);
    d.showMark() = false;
  } else {
    confirmLineProperties(d.form, d.line, d.showMark(),
                          IsDlgButtonChecked(dialog, IDC_ADV_SAVE_FULL_BARCODE) == BST_CHECKED);
  }
  storeCodes(d);
}

void command(HWND dialog, WPARAM wParam, FieldPropertiesData& d) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (d.ended) return;
  if (id == IDOK) {
    confirm(dialog, d);
    d.ended = true;
    EndDialog(dialog, IDOK);
    return;
  }
  if (id == IDCANCEL) {
    d.form = d.backup;
    d.showMark() = d.showMarkBefore;
    d.ended = true;
    EndDialog(dialog, IDCANCEL);
    return;
  }
  if (!d.lookup) {
    if (code == EN_CHANGE && storeEditByHand(dialog, id, d)) return;
    if (id == IDC_ADV_INPUT_MARK && code == BN_CLICKED) {
      d.showMark() = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
      enableInputMark(dialog, d);
      return;
    }
  }
  const ControlBinding* b = storeControlChange(dialog, d.table, wParam, d.bound);
  if (b == nullptr || d.lookup) return;
  if (b->id == IDC_ADV_CHECK_DIGIT) {
    // A new tick is method 1 again, and so is the combo.
    SendDlgItemMessageA(dialog, IDC_ADV_CHECK_DIGIT_METHOD, CB_SETCURSEL, 0, 0);
  } else if (b->id == IDC_ADV_CHECK_DIGIT_METHOD) {
    const LRESULT item = SendDlgItemMessageA(dialog, IDC_ADV_CHECK_DIGIT_METHOD, CB_GETCURSEL, 0, 0);
    if (item != CB_ERR) d.form.checkDigit[d.line] = static_cast<std::uint8_t>(checkDigitOfItem(static_cast<int>(item)));
  }
}

INT_PTR fieldPropertiesHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, FieldPropertiesData& d) {
  switch (message) {
    case WM_INITDIALOG:
      initDialog(dialog, d);
      return TRUE;
    case WM_COMMAND:
      command(dialog, wParam, d);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

bool runFieldProperties(HWND owner, HINSTANCE instance, EditorSession& session) {
  if (session.currentForm < 0 || session.currentForm >= kFormCount || session.currentLine < 0 ||
      session.currentLine >= kFormLines)
    return false;
  FormRecord& form = session.forms[session.currentForm];
  const int line = session.currentLine;
  const bool lookup = form.dataType[line] == kDataLookup;
  FieldPropertiesData data{session, form, line, lookup,
                           lookup ? lookupFieldPropertiesTable() : fieldPropertiesTable(), form, false, false, {}, {}};
  data.bound.record = &form;
  data.bound.line = line;
  const INT_PTR result = runModalDialog<FieldPropertiesData, fieldPropertiesHandler>(
      instance, owner, lookup ? "LOOKUPADVANCEDLG" : "ADVANCEDLG", data);
  return result == IDOK;
}

}  // namespace torvik
