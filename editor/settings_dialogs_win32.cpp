// The Settings page's security, keyboard wedge and function key dialogs.
#include "editor/settings_dialogs_win32.h"

#include "base/string_ids.h"
#include "editor/settings_rules.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dialog_win32.h"
#include "win/resource_strings_win32.h"

namespace torvik {

namespace {

bool endsDialog(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL) return false;
  EndDialog(dialog, id);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Security

const ControlBinding kSecurityControls[] = {
    {IDC_SEC_FIRST, ControlKind::Check, TORVIK_LINE_FIELD(SystemSettings, security), 0, 0, {}, 0, kSecurityItems},
    {IDC_SEC_SOUND_FIRST, ControlKind::Check, TORVIK_LINE_FIELD(SystemSettings, soundSecurity), 0, 0, {}, 0, 3},
    {IDC_SEC_PASSWORD_LABEL, ControlKind::Label, {}, 0, 0, {}, 656},
};
const ControlTable kSecurityTable = controlTable(kSecurityControls, 640);

// The boxes of the individual settings, which "Settings" protects as a whole while it is on.
constexpr int kIndividualFirst = IDC_SEC_FIRST + 6;
constexpr int kIndividualLast = IDC_SEC_SOUND_FIRST + 2;

struct SecurityData {
  EditorSession& session;
  SystemSettings copy;
  BoundRecord bound;
};

void enableIndividualBoxes(HWND dialog, const SystemSettings& s) {
  for (int id = kIndividualFirst; id <= kIndividualLast; ++id) enableControl(dialog, id, s.security[kSecuritySettings] == 0);
}

void relabelSecurity(HWND dialog, const UiStrings& strings) {
  relabelControls(dialog, kSecurityTable, strings);
  Relabel labels[15];
  for (int i = 0; i < 15; ++i) labels[i] = Relabel{IDC_SEC_FIRST + i, 641 + i};
  relabelDialog(dialog, strings, labels, 15);
}

void passwordChanged(HWND dialog, SecurityData& data) {
  // Up to 11 characters: one more than allowed tells a too long password.
  char text[kPasswordChars + 2] = {};
  GetDlgItemTextA(dialog, IDC_SEC_PASSWORD, text, sizeof text);
  const PasswordCorrection c = correctPassword(text);
  if (c.tooLong) messageBoxById(dialog, data.session.strings, kStrWarning, kStrPasswordTooLong, MB_OK | MB_ICONWARNING);
  if (c.invalidCharacter)
    messageBoxById(dialog, data.session.strings, kStrWarning, kStrInvalidCharacter, MB_OK | MB_ICONWARNING);
  if (c.tooLong || c.invalidCharacter) putBackText(GetDlgItem(dialog, IDC_SEC_PASSWORD), text, data.bound);
  writeFieldText(&data.copy, TORVIK_FIELD(SystemSettings, password), 0, text);
}

INT_PTR securityHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, SecurityData& data) {
  switch (message) {
    case WM_INITDIALOG: {
      fillControls(dialog, kSecurityTable, data.bound);
      char password[sizeof data.copy.password + 1] = {};
      readFieldText(&data.copy, TORVIK_FIELD(SystemSettings, password), 0, password, sizeof password);
      putBackText(GetDlgItem(dialog, IDC_SEC_PASSWORD), password, data.bound);
      enableIndividualBoxes(dialog, data.copy);
      relabelSecurity(dialog, data.session.strings);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) data.session.settings = data.copy;
      if (endsDialog(dialog, wParam)) return TRUE;
      if (LOWORD(wParam) == IDC_SEC_PASSWORD && HIWORD(wParam) == EN_CHANGE && !data.bound.updating) {
        passwordChanged(dialog, data);
        return TRUE;
      }
      if (storeControlChange(dialog, kSecurityTable, wParam, data.bound) != nullptr) enableIndividualBoxes(dialog, data.copy);
      return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Keyboard wedge

const ControlBinding kWedgeControls[] = {
    {IDC_WEDGE_TYPE, ControlKind::Combo, TORVIK_FIELD(WedgeSettings, keyboardType), wedge::kKeyboardTypes, kStrWedgePcatUsa},
    {IDC_WEDGE_NUMERIC_KEYPAD, ControlKind::Check, bitField(offsetof(WedgeSettings, options), 0), 0, 0, {}, 662},
    {IDC_WEDGE_LOCK_FIRST, ControlKind::Radio, bitField(offsetof(WedgeSettings, options), 1, 2), 3},
    {IDC_WEDGE_DIGITS_FIRST, ControlKind::Radio, bitField(offsetof(WedgeSettings, options), 3, 2), 3},
    bindNumber(IDC_WEDGE_DELAY, TORVIK_FIELD(WedgeSettings, interCharDelay), 255, false),
    bindNumber(IDC_WEDGE_TIMEOUT, TORVIK_FIELD(WedgeSettings, timeout), 255, false),
    {IDC_WEDGE_RETURN_LF, ControlKind::Check, TORVIK_FIELD(WedgeSettings, addReturnLineFeed), 0, 0, {}, 663},
    {IDC_WEDGE_TYPE_LABEL, ControlKind::Label, {}, 0, 0, {}, 661},
    {IDC_WEDGE_LOCK_GROUP, ControlKind::Label, {}, 0, 0, {}, 664},
    {IDC_WEDGE_LOCK_FIRST, ControlKind::Label, {}, 0, 0, {}, 665},
    {IDC_WEDGE_LOCK_FIRST + 1, ControlKind::Label, {}, 0, 0, {}, 666},
    {IDC_WEDGE_LOCK_FIRST + 2, ControlKind::Label, {}, 0, 0, {}, 667},
    {IDC_WEDGE_DIGITS_GROUP, ControlKind::Label, {}, 0, 0, {}, 668},
    {IDC_WEDGE_DIGITS_FIRST, ControlKind::Label, {}, 0, 0, {}, 669},
    {IDC_WEDGE_DIGITS_FIRST + 1, ControlKind::Label, {}, 0, 0, {}, 670},
    {IDC_WEDGE_DIGITS_FIRST + 2, ControlKind::Label, {}, 0, 0, {}, 671},
    {IDC_WEDGE_CAPS_GROUP, ControlKind::Label, {}, 0, 0, {}, 672},
    {IDC_WEDGE_CAPS_FIRST, ControlKind::Label, {}, 0, 0, {}, 673},
    {IDC_WEDGE_CAPS_FIRST + 1, ControlKind::Label, {}, 0, 0, {}, 674},
    {IDC_WEDGE_CAPS_FIRST + 2, ControlKind::Label, {}, 0, 0, {}, 675},
    {IDC_WEDGE_DELAY_LABEL, ControlKind::Label, {}, 0, 0, {}, 676},
    {IDC_WEDGE_DELAY_UNIT, ControlKind::Label, {}, 0, 0, {}, 677},
    {IDC_WEDGE_TIMEOUT_LABEL, ControlKind::Label, {}, 0, 0, {}, 678},
    {IDC_WEDGE_TIMEOUT_UNIT, ControlKind::Label, {}, 0, 0, {}, 679},
};
const ControlTable kWedgeTable = controlTable(kWedgeControls, 660);

struct WedgeData {
  EditorSession& session;
  WedgeSettings copy;
  BoundRecord bound;
};

int checkedCapsChoice(HWND dialog) {
  for (int i = 0; i < kCapsChoices; ++i)
    if (IsDlgButtonChecked(dialog, IDC_WEDGE_CAPS_FIRST + i) == BST_CHECKED) return i;
  return kCapsAutoDetection;
}

INT_PTR wedgeHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, WedgeData& data) {
  switch (message) {
    case WM_INITDIALOG:
      fillComboItems(dialog, kWedgeTable, data.session.strings);
      fillControls(dialog, kWedgeTable, data.bound);
      CheckRadioButton(dialog, IDC_WEDGE_CAPS_FIRST, IDC_WEDGE_CAPS_FIRST + kCapsChoices - 1,
                       IDC_WEDGE_CAPS_FIRST + capsChoiceOf(data.copy));
      relabelControls(dialog, kWedgeTable, data.session.strings);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) confirmWedgeDialog(data.session, data.copy, checkedCapsChoice(dialog));
      if (endsDialog(dialog, wParam)) return TRUE;
      storeControlChange(dialog, kWedgeTable, wParam, data.bound);
      return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Function keys

const ControlBinding kFunctionKeyControls[] = {
    {IDC_FKEY_ENABLE, ControlKind::Check, TORVIK_FIELD(SystemSettings, functionKeysOn), 0, 0,
     {IDC_FKEY_FIRST, IDC_FKEY_FIRST + 1, IDC_FKEY_FIRST + 2, IDC_FKEY_FIRST + 3, IDC_FKEY_FIRST + 4,
      IDC_FKEY_FIRST + 5, IDC_FKEY_FIRST + 6},
     686},
    {IDC_FKEY_FIRST, ControlKind::Combo, TORVIK_LINE_FIELD(SystemSettings, functionKey), kFunctionKeyFunctions, kStrKeyProgramNil, {}, 0,
     kFunctionKeyMappings},
    {IDC_FKEY_LABEL_FIRST, ControlKind::Label, {}, 0, 0, {}, 687},
    {IDC_FKEY_LABEL_FIRST + 1, ControlKind::Label, {}, 0, 0, {}, 688},
    {IDC_FKEY_LABEL_FIRST + 2, ControlKind::Label, {}, 0, 0, {}, 689},
    {IDC_FKEY_LABEL_FIRST + 3, ControlKind::Label, {}, 0, 0, {}, 690},
    {IDC_FKEY_LABEL_FIRST + 4, ControlKind::Label, {}, 0, 0, {}, 691},
    {IDC_FKEY_LABEL_FIRST + 5, ControlKind::Label, {}, 0, 0, {}, 692},
    {IDC_FKEY_LABEL_FIRST + 6, ControlKind::Label, {}, 0, 0, {}, 693},
};
const ControlTable kFunctionKeyTable = controlTable(kFunctionKeyControls, 685);

struct FunctionKeyData {
  EditorSession& session;
  SystemSettings copy;
  BoundRecord bound;
};

INT_PTR functionKeyHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, FunctionKeyData& data) {
  switch (message) {
    case WM_INITDIALOG:
      fillComboItems(dialog, kFunctionKeyTable, data.session.strings);
      fillControls(dialog, kFunctionKeyTable, data.bound);
      applyEnables(dialog, kFunctionKeyTable, data.bound);
      relabelControls(dialog, kFunctionKeyTable, data.session.strings);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // Only the flag and the seven programs go back.
        data.session.settings.functionKeysOn = data.copy.functionKeysOn;
        for (int i = 0; i < kFunctionKeyMappings; ++i) data.session.settings.functionKey[i] = data.copy.functionKey[i];
      }
      if (endsDialog(dialog, wParam)) return TRUE;
      storeControlChange(dialog, kFunctionKeyTable, wParam, data.bound);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool runSecurityDialog(HWND owner, HINSTANCE instance, EditorSession& session) {
  SecurityData data{session, session.settings, {}};
  data.bound.record = &data.copy;
  return runModalDialog<SecurityData, securityHandler>(instance, owner, "SECURITYDLG", data) == IDOK;
}

bool runWedgeDialog(HWND owner, HINSTANCE instance, EditorSession& session) {
  WedgeData data{session, session.wedge, {}};
  data.bound.record = &data.copy;
  return runModalDialog<WedgeData, wedgeHandler>(instance, owner, "KEYBOARDWEDGEDLG", data) == IDOK;
}

bool runFunctionKeyDialog(HWND owner, HINSTANCE instance, EditorSession& session) {
  FunctionKeyData data{session, session.settings, {}};
  data.bound.record = &data.copy;
  return runModalDialog<FunctionKeyData, functionKeyHandler>(instance, owner, "FUNCTIONKEYDLG", data) == IDOK;
}

}  // namespace torvik
