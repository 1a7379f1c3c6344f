// The Barcode page: reader options and symbology switches in a working copy, stored on OK;
// its buttons open the symbology, code-ID and weight-code dialogs.
#include "editor/barcode_forms.h"
#include "editor/barcode_rules.h"
#include "editor/page_win32.h"
#include "editor/symbology_dialogs_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"

namespace torvik {

namespace {

// The page's binding of its table to the session's working copy; owned by the page window.
struct BarcodePageState {
  BoundRecord bound;
};

BarcodePageState* pageState(HWND page) {
  return reinterpret_cast<BarcodePageState*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

void init(HWND page, EditorSession& session) {
  auto* state = new BarcodePageState{};
  SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  session.barcode = session.definition.barcodeSettings;
  state->bound.record = &session.barcode;
  const ControlTable& table = barcodePageTable();
  relabelControls(page, table, session.strings);
  fillComboItems(page, table, session.strings);
  SendDlgItemMessageA(page, IDC_BARCODE_TIMEOUT, EM_LIMITTEXT, 3, 0);
  fillControls(page, table, state->bound);
}

void command(HWND page, EditorSession& session, BarcodePageState& state, WPARAM wParam) {
  if (state.bound.updating) return;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_BARCODE_TIMEOUT) {
    if (code != EN_CHANGE) return;
    char text[32] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    const NumberCorrection c = correctRuledNumber(text, sizeof text, kTimeoutRule);
    if (c.changed) putBackText(GetDlgItem(page, id), text, state.bound);
    session.barcode.timeout = static_cast<std::uint8_t>(c.value);
    return;
  }
  if (code == BN_CLICKED) {
    if (const SymbologyForm* form = symbologyForm(id)) {
      const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
      runSymbologyDialog(instance, GetParent(page), session, *form);
      return;
    }
  }
  storeControlChange(page, barcodePageTable(), wParam, state.bound);
}

}  // namespace

INT_PTR CALLBACK barcodePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      init(page, *bindPageSession(page, lParam));
      return TRUE;
    case WM_COMMAND: {
      EditorSession* session = pageSession(page);
      BarcodePageState* state = pageState(page);
      if (session != nullptr && state != nullptr) command(page, *session, *state, wParam);
      return TRUE;
    }
    case WM_NOTIFY: {
      EditorSession* session = pageSession(page);
      if (session == nullptr || reinterpret_cast<const NMHDR*>(lParam)->code != PSN_APPLY) return FALSE;
      applyBarcodePage(session->barcode, session->definition.barcodeSettings);
      return pageApplied(page);
    }
    case WM_DESTROY:
      delete pageState(page);
      SetWindowLongPtrA(page, GWLP_USERDATA, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace torvik
