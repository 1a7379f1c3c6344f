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

// The page's binding of its table to the session's working copy.
struct BarcodePageState {
  EditorSession& session;
  BoundRecord bound{};
};

void init(HWND page, BarcodePageState& state) {
  EditorSession& session = state.session;
  session.barcode = session.definition.barcodeSettings;
  state.bound.record = &session.barcode;
  const ControlTable& table = barcodePageTable();
  relabelControls(page, table, session.strings);
  fillComboItems(page, table, session.strings);
  SendDlgItemMessageA(page, IDC_BARCODE_TIMEOUT, EM_LIMITTEXT, 3, 0);
  fillControls(page, table, state.bound);
}

void command(HWND page, BarcodePageState& state, WPARAM wParam) {
  if (state.bound.updating) return;
  EditorSession& session = state.session;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_BARCODE_TIMEOUT) {
    if (code != EN_CHANGE) return;
    char text[32] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    const NumberCorrection c = correctNumberText(text, sizeof text, kTimeoutRule);
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

INT_PTR apply(HWND, BarcodePageState& state) {
  applyBarcodePage(state.session.barcode, state.session.applyTarget().barcodeSettings);
  return PSNRET_NOERROR;
}

}  // namespace

const DLGPROC barcodePageProc = pageProc<BarcodePageState, init, command, apply>;

}  // namespace torvik
