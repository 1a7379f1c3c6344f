#pragma once
// What every page of the editor's property sheet shares: the session it is handed through its
// PROPSHEETPAGE's lParam, and the plumbing of its dialog procedure.
#include <windows.h>
#include <prsht.h>

#include "editor/editor_session.h"

namespace torvik {

// The session a page was created with; nullptr before its WM_INITDIALOG.
inline EditorSession* pageSession(HWND page) {
  return reinterpret_cast<EditorSession*>(GetWindowLongPtrA(page, DWLP_USER));
}

// Keeps the session of a page's WM_INITDIALOG (whose lParam is the PROPSHEETPAGE) and returns it.
inline EditorSession* bindPageSession(HWND page, LPARAM lParam) {
  auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
  auto* session = reinterpret_cast<EditorSession*>(sheetPage->lParam);
  SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  return session;
}

// Answers PSN_APPLY: the page has stored its changes.
inline INT_PTR pageApplied(HWND page) {
  SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
  return TRUE;
}

// The pages' procedures.
INT_PTR CALLBACK formPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK barcodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK settingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK startupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK menuPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK lookupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace torvik
