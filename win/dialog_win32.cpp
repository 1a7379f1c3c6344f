#include "win/dialog_win32.h"

namespace torvik {

INT_PTR CALLBACK boundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* binding = reinterpret_cast<DialogBinding*>(GetWindowLongPtrA(dialog, DWLP_USER));
  // Messages sent before WM_INITDIALOG (WM_SETFONT, sizing) have no binding yet.
  if (binding == nullptr) return FALSE;
  return binding->call(dialog, message, wParam, lParam, binding->data);
}

void relabelDialog(HWND dialog, const UiStrings& strings, const Relabel* labels, int count) {
  if (!strings.languageActive()) return;
  for (int i = 0; i < count; ++i) {
    const char* text = strings.directEntry(labels[i].entryId);
    if (text[0] == '\0') continue;
    if (labels[i].controlId == 0)
      SetWindowTextA(dialog, text);
    else
      SetDlgItemTextA(dialog, labels[i].controlId, text);
  }
}

void fillComboFromStrings(HWND dialog, int comboId, UiStrings& strings, int first, int last, int selected) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int id = first; id <= last; ++id)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strings.lookup(id, TextKind::Label)));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace torvik
