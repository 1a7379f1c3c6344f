#include "win/control_binding_win32.h"

#include <cstdio>

namespace torvik {

namespace {

int rowsOf(const ControlBinding& b) { return b.rows > 0 ? b.rows : 1; }

void fillRow(HWND dialog, const ControlBinding& b, int row, const BoundRecord& bound) {
  const int id = b.id + row;
  const int line = bound.line + row;
  switch (b.kind) {
    case ControlKind::Check:
      CheckDlgButton(dialog, id, readField(bound.record, b.field, line) != 0 ? BST_CHECKED : BST_UNCHECKED);
      break;
    case ControlKind::Combo:
      SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(readField(bound.record, b.field, line)), 0);
      break;
    case ControlKind::Number: {
      char text[16];
      std::snprintf(text, sizeof text, "%d", readField(bound.record, b.field, line));
      SetDlgItemTextA(dialog, id, text);
      break;
    }
    case ControlKind::Text: {
      char text[256];
      readFieldText(bound.record, b.field, line, text, sizeof text);
      SetDlgItemTextA(dialog, id, text);
      break;
    }
    case ControlKind::Radio:
    case ControlKind::Code:
    case ControlKind::Label:
      break;
  }
}

}  // namespace

void fillComboItems(HWND dialog, const ControlTable& table, UiStrings& strings) {
  for (int i = 0; i < table.count; ++i) {
    const ControlBinding& b = table.bindings[i];
    if (b.kind != ControlKind::Combo || b.itemsFirst == 0) continue;
    for (int r = 0; r < rowsOf(b); ++r) {
      HWND combo = GetDlgItem(dialog, b.id + r);
      SendMessageA(combo, CB_RESETCONTENT, 0, 0);
      for (int k = 0; k < b.max; ++k) {
        const UiText item = strings.text(b.itemsFirst + k);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
    }
  }
}

void fillControl(HWND dialog, const ControlBinding& b, BoundRecord& bound) {
  const bool wasUpdating = bound.updating;
  bound.updating = true;
  if (b.kind == ControlKind::Radio) {
    // A value no button stands for shows as the first button, and is stored so: OK keeps what
    // the dialog shows.
    const int value = readField(bound.record, b.field, bound.line);
    if (value >= b.max) writeField(bound.record, b.field, bound.line, 0);
    CheckRadioButton(dialog, b.id, b.id + b.max - 1, b.id + (value < b.max ? value : 0));
  } else {
    for (int r = 0; r < rowsOf(b); ++r) fillRow(dialog, b, r, bound);
  }
  bound.updating = wasUpdating;
}

void fillControls(HWND dialog, const ControlTable& table, BoundRecord& bound) {
  for (int i = 0; i < table.count; ++i) fillControl(dialog, table.bindings[i], bound);
}

void putBackText(HWND edit, const char* text, BoundRecord& bound) {
  const bool wasUpdating = bound.updating;
  bound.updating = true;
  SetWindowTextA(edit, text);
  const int end = GetWindowTextLengthA(edit);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  bound.updating = wasUpdating;
}

const ControlBinding* storeControlChange(HWND dialog, const ControlTable& table, WPARAM wParam, BoundRecord& bound,
                                         int* rowOut) {
  if (bound.updating) return nullptr;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  int row = 0;
  const ControlBinding* b = table.find(id, &row);
  if (b == nullptr) return nullptr;
  if (rowOut != nullptr) *rowOut = row;
  const int line = bound.line + (b->kind == ControlKind::Radio ? 0 : row);
  switch (b->kind) {
    case ControlKind::Check:
      if (code != BN_CLICKED) return nullptr;
      writeField(bound.record, b->field, line, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0);
      applyEnables(dialog, table, bound);
      return b;
    case ControlKind::Radio:
      if (code != BN_CLICKED) return nullptr;
      writeField(bound.record, b->field, line, row);
      return b;
    case ControlKind::Combo: {
      if (code != CBN_SELCHANGE) return nullptr;
      const LRESULT item = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
      if (item == CB_ERR) return nullptr;
      writeField(bound.record, b->field, line, static_cast<int>(item));
      return b;
    }
    case ControlKind::Number: {
      if (code != EN_CHANGE) return nullptr;
      char text[32] = {};
      GetDlgItemTextA(dialog, id, text, sizeof text);
      const NumberCorrection c = correctNumberText(text, sizeof text, numberRuleOf(*b));
      if (c.changed) putBackText(GetDlgItem(dialog, id), text, bound);
      writeField(bound.record, b->field, line, c.value);
      return b;
    }
    case ControlKind::Text: {
      if (code != EN_CHANGE) return nullptr;
      char text[256] = {};
      GetDlgItemTextA(dialog, id, text, sizeof text);
      const int limit = bound.textLimit > 0 && bound.textLimit < b->max ? bound.textLimit : b->max;
      if (cutText(text, limit)) putBackText(GetDlgItem(dialog, id), text, bound);
      storeEditText(bound.record, *b, line, text);
      return b;
    }
    case ControlKind::Code:
    case ControlKind::Label:
      break;
  }
  return nullptr;
}

void applyEnables(HWND dialog, const ControlTable& table, const BoundRecord& bound) {
  for (int i = 0; i < table.count; ++i) {
    const ControlBinding& b = table.bindings[i];
    if (b.kind != ControlKind::Check || b.enables[0] == 0) continue;
    const bool on = readField(bound.record, b.field, bound.line) != 0 && IsWindowEnabled(GetDlgItem(dialog, b.id));
    for (int id : b.enables)
      if (id != 0) enableControl(dialog, id, on);
  }
}

void relabelControls(HWND dialog, const ControlTable& table, const UiStrings& strings) {
  if (!strings.languageActive()) return;
  auto relabel = [&](int id, int entry) {
    const char* text = strings.directEntry(entry);
    if (text[0] == '\0') return;
    if (id == 0)
      SetWindowTextA(dialog, text);
    else
      SetDlgItemTextA(dialog, id, text);
  };
  if (table.languageCaption != 0) relabel(0, table.languageCaption);
  for (int i = 0; i < table.count; ++i) {
    const ControlBinding& b = table.bindings[i];
    if (b.languageEntry == 0) continue;
    for (int r = 0; r < rowsOf(b); ++r) relabel(b.id + r, b.languageEntry);
  }
  if (GetDlgItem(dialog, IDOK) != nullptr) relabel(IDOK, kEntryOk);
  if (GetDlgItem(dialog, IDCANCEL) != nullptr) relabel(IDCANCEL, kEntryCancel);
}

void enableControl(HWND dialog, int id, bool on) {
  HWND control = GetDlgItem(dialog, id);
  if (control != nullptr) EnableWindow(control, on ? TRUE : FALSE);
}

}  // namespace torvik
