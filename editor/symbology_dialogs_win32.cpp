// One dialog procedure for every dialog of the Barcode page's buttons: the table does the
// controls, the form's computed choices and its extra do the rest.
#include "editor/symbology_dialogs_win32.h"

#include <cstdio>
#include <cstring>

#include "base/string_ids.h"
#include "editor/barcode_rules.h"
#include "editor/grid_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dialog_win32.h"

namespace torvik {

namespace {

struct SymbologyDialog {
  const SymbologyForm* form;
  EditorSession* session;
  // Copies of what the dialog edits; OK stores them, Cancel drops them.
  BarcodeSettings barcode;
  SystemSettings system;
  WeightChoices weight;
  BoundRecord bound;
};

const ControlTable& tableOf(const SymbologyDialog& d) { return d.form->table; }

// ---- computed choices -----------------------------------------------------------------------

void fillChoices(HWND dialog, const SymbologyDialog& d) {
  for (int i = 0; i < d.form->choiceCount; ++i) {
    const ComputedChoice& c = d.form->choices[i];
    const int value = c.read(d.barcode);
    if (c.count == 1)
      CheckDlgButton(dialog, c.id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
    else
      CheckRadioButton(dialog, c.id, c.id + c.count - 1, c.id + (value < c.count ? value : 0));
  }
}

bool storeChoice(HWND dialog, SymbologyDialog& d, int id, int code) {
  if (code != BN_CLICKED) return false;
  for (int i = 0; i < d.form->choiceCount; ++i) {
    const ComputedChoice& c = d.form->choices[i];
    if (id < c.id || id >= c.id + c.count) continue;
    c.write(d.barcode, c.count == 1 ? (IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0) : id - c.id);
    return true;
  }
  return false;
}

// ---- length limits --------------------------------------------------------------------------

BarcodeLength& lengthOf(SymbologyDialog& d) {
  return *reinterpret_cast<BarcodeLength*>(reinterpret_cast<std::uint8_t*>(&d.barcode) + d.form->lengthOffset);
}

bool lengthCommand(HWND dialog, SymbologyDialog& d, int id, int code) {
  if (code != EN_CHANGE || (id != IDC_SYM_MAX_LENGTH && id != IDC_SYM_MIN_LENGTH)) return false;
  char text[32] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  const NumberCorrection c = correctNumberText(text, sizeof text, id == IDC_SYM_MAX_LENGTH ? kMaxLengthRule : kMinLengthRule);
  if (c.changed) putBackText(GetDlgItem(dialog, id), text, d.bound);
  BarcodeLength& length = lengthOf(d);
  if (id == IDC_SYM_MAX_LENGTH)
    length.setMaxLength(c.value);
  else
    length.minLength = static_cast<std::uint8_t>(c.value);
  return true;
}

// ---- EAN128 field replacement ---------------------------------------------------------------

void showReplacement(HWND dialog, SymbologyDialog& d, bool character, bool code) {
  const int value = d.system.ean128Replacement;
  char text[8] = {};
  if (character) {
    if (value != 0) text[0] = static_cast<char>(value);
    putBackText(GetDlgItem(dialog, IDC_SYM_MAX_LENGTH), text, d.bound);
  }
  if (code) {
    if (value != 0) std::snprintf(text, sizeof text, "%d", value);
    putBackText(GetDlgItem(dialog, IDC_SYM_REPLACEMENT_CODE), value != 0 ? text : "", d.bound);
  }
}

bool replacementCommand(HWND dialog, SymbologyDialog& d, int id, int code) {
  if (code != EN_CHANGE) return false;
  char text[16] = {};
  if (id == IDC_SYM_MAX_LENGTH) {
    GetDlgItemTextA(dialog, id, text, sizeof text);
    d.system.ean128Replacement = static_cast<std::uint8_t>(text[0]);
    showReplacement(dialog, d, false, true);
    return true;
  }
  if (id == IDC_SYM_REPLACEMENT_CODE) {
    GetDlgItemTextA(dialog, id, text, sizeof text);
    const ReplacementCode c = correctReplacementCode(text);
    if (c.replace) putBackText(GetDlgItem(dialog, id), "255", d.bound);
    d.system.ean128Replacement = static_cast<std::uint8_t>(c.value);
    showReplacement(dialog, d, true, false);
    return true;
  }
  return false;
}

// ---- code IDs -------------------------------------------------------------------------------

void showCodeIds(HWND dialog, SymbologyDialog& d) {
  for (int i = 0; i < kCodeIds; ++i)
    showCodeText(GetDlgItem(dialog, IDC_CODEID_EDIT_FIRST + i), d.system.codeId[i], 2, d.session->strings);
}

void enableCodeIds(HWND dialog, const SymbologyDialog& d) {
  const bool on = d.system.codeIdsOn != 0;
  for (int i = 0; i < kCodeIds; ++i) {
    enableControl(dialog, IDC_CODEID_EDIT_FIRST + i, on);
    enableControl(dialog, IDC_CODEID_NAME_FIRST + i, on);
  }
  for (int id = IDC_CODEID_SET_FIRST; id <= IDC_CODEID_CLEAR; ++id) enableControl(dialog, id, on);
}

bool codeIdCommand(HWND dialog, SymbologyDialog& d, int id, int code) {
  if (code != BN_CLICKED || id < IDC_CODEID_SET_FIRST || id > IDC_CODEID_CLEAR) return false;
  if (id == IDC_CODEID_CLEAR)
    clearCodeIds(d.system.codeId);
  else
    fillCodeIdSet(d.system.codeId, id - IDC_CODEID_SET_FIRST + 1);
  showCodeIds(dialog, d);
  return true;
}

// ---- weight code ----------------------------------------------------------------------------

void fillWeightItems(HWND dialog, SymbologyDialog& d) {
  char item[32];
  for (int k = 0; k < kMaskCodeItems; ++k) {
    std::snprintf(item, sizeof item, "%02d", kMaskCodeFirst + k);
    SendDlgItemMessageA(dialog, IDC_WEIGHT_MASK, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  const UiText field = d.session->strings.text(kStrField);
  for (int k = 1; k <= kFieldItems; ++k) {
    std::snprintf(item, sizeof item, "%s%d", field.c_str(), k);
    SendDlgItemMessageA(dialog, IDC_WEIGHT_KEY_FIELD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendDlgItemMessageA(dialog, IDC_WEIGHT_QTY_FIELD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendDlgItemMessageA(dialog, IDC_WEIGHT_PREFIX, EM_LIMITTEXT, 2, 0);
}

bool weightCommand(HWND dialog, SymbologyDialog& d, int id, int code) {
  if (id != IDC_WEIGHT_PREFIX || code != EN_KILLFOCUS) return false;
  if (settleWeightPrefix(d.weight.prefix)) putBackText(GetDlgItem(dialog, id), d.weight.prefix, d.bound);
  return true;
}

// ---- the dialog -----------------------------------------------------------------------------

void initExtra(HWND dialog, SymbologyDialog& d) {
  switch (d.form->extra) {
    case FormExtra::Replacement:
      SendDlgItemMessageA(dialog, IDC_SYM_MAX_LENGTH, EM_LIMITTEXT, 1, 0);
      SendDlgItemMessageA(dialog, IDC_SYM_REPLACEMENT_CODE, EM_LIMITTEXT, 3, 0);
      showReplacement(dialog, d, true, true);
      break;
    case FormExtra::CodeIds:
      for (int i = 0; i < kCodeIds; ++i)
        makeCodeEdit(GetDlgItem(dialog, IDC_CODEID_EDIT_FIRST + i), d.system.codeId[i], 2, d.session->strings);
      showCodeIds(dialog, d);
      enableCodeIds(dialog, d);
      break;
    case FormExtra::Weight:
      fillWeightItems(dialog, d);
      break;
    case FormExtra::Length:
      SendDlgItemMessageA(dialog, IDC_SYM_MAX_LENGTH, EM_LIMITTEXT, 3, 0);
      SendDlgItemMessageA(dialog, IDC_SYM_MIN_LENGTH, EM_LIMITTEXT, 3, 0);
      break;
    case FormExtra::None:
      break;
  }
}

bool extraCommand(HWND dialog, SymbologyDialog& d, int id, int code) {
  switch (d.form->extra) {
    case FormExtra::Length: return lengthCommand(dialog, d, id, code);
    case FormExtra::Replacement: return replacementCommand(dialog, d, id, code);
    case FormExtra::CodeIds: return codeIdCommand(dialog, d, id, code);
    case FormExtra::Weight: return weightCommand(dialog, d, id, code);
    case FormExtra::None: break;
  }
  return false;
}

// OK: settle what is settled on leaving, then store the dialog's part of the design.
void store(SymbologyDialog& d) {
  ApplicationDefinition& def = d.session->definition;
  switch (d.form->extra) {
    case FormExtra::Length: settleLength(lengthOf(d)); break;
    case FormExtra::Replacement: def.systemSettings.ean128Replacement = d.system.ean128Replacement; break;
    case FormExtra::CodeIds:
      def.systemSettings.codeIdsOn = d.system.codeIdsOn;
      std::memcpy(def.systemSettings.codeId, d.system.codeId, sizeof d.system.codeId);
      break;
    case FormExtra::Weight: storeWeightChoices(d.weight, def.weightCode); break;
    case FormExtra::None: break;
  }
  // The copy was taken from the design when the dialog opened; only this dialog's bits differ.
  if (d.form->record == BoundTo::Barcode) def.barcodeSettings = d.barcode;
  d.session->dialogsStored = true;
}

INT_PTR symbologyHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, SymbologyDialog& d) {
  switch (message) {
    case WM_INITDIALOG:
      relabelControls(dialog, tableOf(d), d.session->strings);
      fillComboItems(dialog, tableOf(d), d.session->strings);
      initExtra(dialog, d);
      fillControls(dialog, tableOf(d), d.bound);
      fillChoices(dialog, d);
      applyEnables(dialog, tableOf(d), d.bound);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDOK) {
        store(d);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if (d.bound.updating) return TRUE;
      if (storeChoice(dialog, d, id, code) || extraCommand(dialog, d, id, code)) return TRUE;
      if (storeControlChange(dialog, tableOf(d), wParam, d.bound) != nullptr && d.form->extra == FormExtra::CodeIds)
        enableCodeIds(dialog, d);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

bool runSymbologyDialog(HINSTANCE instance, HWND owner, EditorSession& session, const SymbologyForm& form) {
  SymbologyDialog d{};
  d.form = &form;
  d.session = &session;
  d.barcode = session.definition.barcodeSettings;
  d.system = session.definition.systemSettings;
  d.weight = weightChoices(session.definition.weightCode);
  switch (form.record) {
    case BoundTo::Barcode: d.bound.record = &d.barcode; break;
    case BoundTo::System: d.bound.record = &d.system; break;
    case BoundTo::Weight: d.bound.record = &d.weight; break;
  }
  return runModalDialog<SymbologyDialog, symbologyHandler>(instance, owner, form.templateName, d) == IDOK;
}

}  // namespace torvik
