#pragma once
// The one recipe every page of the editor's property sheet follows: a state struct made on
// WM_INITDIALOG with the session the page is handed through its PROPSHEETPAGE's lParam, kept in
// DWLP_USER until WM_NCDESTROY, and handlers that receive it. pageProc alone owns the state's
// lifetime and the answer to PSN_APPLY; no page keeps static pointers or repeats the plumbing.
#include <windows.h>
#include <prsht.h>

#include "editor/editor_session.h"

namespace torvik {

// State is made as State{session}: an aggregate whose first member is `EditorSession& session`
// and whose others have default initializers, or a class with that constructor. Init fills the
// page; Command takes each WM_COMMAND; Apply stores the page's edits on PSN_APPLY and answers
// PSNRET_NOERROR, or PSNRET_INVALID_NOCHANGEPAGE to keep the sheet open; Other, if given, takes
// every other message.
template <class State, void (*Init)(HWND page, State& state),
          void (*Command)(HWND page, State& state, WPARAM wParam), INT_PTR (*Apply)(HWND page, State& state),
          INT_PTR (*Other)(HWND page, UINT message, WPARAM wParam, LPARAM lParam, State& state) = nullptr>
INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    auto* state = new State{*reinterpret_cast<EditorSession*>(sheetPage->lParam)};
    // Bound before Init: the notifications that filling the controls sends reach Command, whose
    // guards know them for showing, not editing.
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    Init(page, *state);
    // The sheet creates its start page first: that page gives the focus the opener asked for,
    // once the sheet has given its own (hence posted).
    EditorSession& session = *reinterpret_cast<EditorSession*>(sheetPage->lParam);
    if (!session.startFocused) {
      session.startFocused = true;
      HWND control = session.focusControl != 0 ? GetDlgItem(page, session.focusControl) : nullptr;
      if (control != nullptr) PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    return TRUE;
  }
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(page, DWLP_USER));
  // Messages before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY find no state.
  if (state == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      Command(page, *state, wParam);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code != PSN_APPLY) break;
      SetWindowLongPtrA(page, DWLP_MSGRESULT, Apply(page, *state));
      return TRUE;
    case WM_NCDESTROY:
      SetWindowLongPtrA(page, DWLP_USER, 0);
      delete state;
      return FALSE;
    default:
      break;
  }
  if constexpr (Other != nullptr) return Other(page, message, wParam, lParam, *state);
  return FALSE;
}

// The pages' procedures, each a pageProc over its page's state and handlers.
extern const DLGPROC formPageProc;
extern const DLGPROC barcodePageProc;
extern const DLGPROC settingsPageProc;
extern const DLGPROC startupPageProc;
extern const DLGPROC menuPageProc;
extern const DLGPROC lookupPageProc;

}  // namespace torvik
