// The Form page's form-level dialogs over the current form of the working copy: the date and
// time stamp, the function-key branches, and the Remains and Summation settings of a key.
#include "editor/form_extras_win32.h"

#include <cstdio>
#include <cstring>

#include "base/string_ids.h"
#include "editor/form_extras.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dialog_win32.h"

namespace torvik {

namespace {

constexpr int kEntryFormatPrefix = 144;

void addItem(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// "field 1" to "field 8".
void fillFieldItems(HWND dialog, int id, UiStrings& strings) {
  const UiText prefix = strings.text(kStrField);
  for (int n = 1; n <= kSumFields; ++n) {
    char item[64];
    std::snprintf(item, sizeof item, "%s%d", prefix.c_str(), n);
    addItem(dialog, id, item);
  }
}

// ---------------------------------------------------------------------------------------------
// Date and time stamp

const ControlBinding kStampControls[] = {
    {IDC_STAMP_MODE, ControlKind::Combo, TORVIK_FIELD(FormRecord, stampMode)},
    {IDC_STAMP_SPLIT, ControlKind::Check, TORVIK_FIELD(FormRecord, stampSplit), 0, 0, {}, 143},
    {IDC_STAMP_YEAR, ControlKind::Check, TORVIK_FIELD(FormRecord, stampYear), 0, 0, {}, 145},
    {IDC_STAMP_YEAR_DIGITS, ControlKind::Combo, TORVIK_FIELD(FormRecord, stampYearDigits), 2, kStrYearFourDigits},
    {IDC_STAMP_MONTH, ControlKind::Check, TORVIK_FIELD(FormRecord, stampMonth), 0, 0, {}, 146},
    {IDC_STAMP_DAY, ControlKind::Check, TORVIK_FIELD(FormRecord, stampDay), 0, 0, {}, 147},
    {IDC_STAMP_DATE_SEP_ON, ControlKind::Check, TORVIK_FIELD(FormRecord, stampDateSepOn), 0, 0, {}, 148},
    {IDC_STAMP_DATE_SEP, ControlKind::Text, TORVIK_FIELD(FormRecord, stampDateSep), 1},
    {IDC_STAMP_DATE_STYLE, ControlKind::Combo, TORVIK_FIELD(FormRecord, stampDateStyle), 3, kStrYearMonthDay},
    {IDC_STAMP_HOUR, ControlKind::Check, TORVIK_FIELD(FormRecord, stampHour), 0, 0, {}, 151},
    {IDC_STAMP_MINUTE, ControlKind::Check, TORVIK_FIELD(FormRecord, stampMinute), 0, 0, {}, 152},
    {IDC_STAMP_SECOND, ControlKind::Check, TORVIK_FIELD(FormRecord, stampSecond), 0, 0, {}, 153},
    {IDC_STAMP_TIME_SEP_ON, ControlKind::Check, TORVIK_FIELD(FormRecord, stampTimeSepOn), 0, 0, {}, 154},
    {IDC_STAMP_TIME_SEP, ControlKind::Text, TORVIK_FIELD(FormRecord, stampTimeSep), 1},
    {IDC_STAMP_MODE_LABEL, ControlKind::Label, {}, 0, 0, {}, 142},
    {IDC_STAMP_STYLE_LABEL, ControlKind::Label, {}, 0, 0, {}, 149},
};
const ControlTable kStampTable = controlTable(kStampControls, 141);

struct StampData {
  EditorSession& session;
  FormRecord backup;
  BoundRecord bound;
};

// The group captions preview the formats: "Date Format : YYYY/MM/DD".
void showStampPreviews(HWND dialog, StampData& data) {
  const FormRecord& form = *static_cast<const FormRecord*>(data.bound.record);
  UiStrings& strings = data.session.strings;
  const bool language = strings.languageActive() && strings.directEntry(kEntryFormatPrefix)[0] != '\0';
  char pattern[32];
  char caption[160];
  stampDatePattern(form, pattern, sizeof pattern);
  std::snprintf(caption, sizeof caption, "%s%s", language ? strings.directEntry(kEntryFormatPrefix) : "Date Format : ",
                pattern);
  SetDlgItemTextA(dialog, IDC_STAMP_DATE_GROUP, caption);
  stampTimePattern(form, pattern, sizeof pattern);
  std::snprintf(caption, sizeof caption, "%s%s", language ? strings.directEntry(kEntryFormatPrefix) : "Time Format : ",
                pattern);
  SetDlgItemTextA(dialog, IDC_STAMP_TIME_GROUP, caption);
}

INT_PTR stampHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, StampData& data) {
  switch (message) {
    case WM_INITDIALOG: {
      UiStrings& strings = data.session.strings;
      addItem(dialog, IDC_STAMP_MODE, strings.text(kStrNil).c_str());
      addItem(dialog, IDC_STAMP_MODE, strings.text(kStrStampTop).c_str());
      addItem(dialog, IDC_STAMP_MODE, strings.text(kStrStampTop + 1).c_str());
      fillComboItems(dialog, kStampTable, strings);
      settleStampSeparators(*static_cast<FormRecord*>(data.bound.record));
      fillControls(dialog, kStampTable, data.bound);
      relabelControls(dialog, kStampTable, strings);
      showStampPreviews(dialog, data);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        // Every change is already stored; Cancel puts the form back as it was.
        if (LOWORD(wParam) == IDCANCEL) data.session.forms[data.session.currentForm] = data.backup;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      if (storeControlChange(dialog, kStampTable, wParam, data.bound) != nullptr) {
        settleStampSeparators(*static_cast<FormRecord*>(data.bound.record));
        showStampPreviews(dialog, data);
      }
      return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Remains and Summation of one key

const ControlBinding kRemainsControls[] = {
    {IDC_REMAINS_ENABLE, ControlKind::Check, TORVIK_FIELD(RemainsChoice, enabled), 0, 0,
     {IDC_EXTRA_FIRST, IDC_EXTRA_FIELD, IDC_EXTRA_SECOND_CHECK}, 1794},
    {IDC_EXTRA_FIRST, ControlKind::Combo, TORVIK_FIELD(RemainsChoice, variable), kFilterVariables, kStrVariable1},
    {IDC_EXTRA_FIELD, ControlKind::Combo, TORVIK_FIELD(RemainsChoice, field)},
    {IDC_EXTRA_SECOND_CHECK, ControlKind::Check, TORVIK_FIELD(RemainsChoice, suffix), 0, 0, {}, 1793},
    {IDC_EXTRA_FIRST_LABEL, ControlKind::Label, {}, 0, 0, {}, 1791},
    {IDC_EXTRA_FIELD_LABEL, ControlKind::Label, {}, 0, 0, {}, 1792},
};
const ControlTable kRemainsTable = controlTable(kRemainsControls, 1790);

const ControlBinding kSummationControls[] = {
    {IDC_EXTRA_FIRST, ControlKind::Combo, TORVIK_FIELD(SummationChoice, source), kSumSources, kStrFirstLookupFile},
    {IDC_EXTRA_FIELD, ControlKind::Combo, TORVIK_FIELD(SummationChoice, field)},
    {IDC_EXTRA_SECOND_CHECK, ControlKind::Check, TORVIK_FIELD(SummationChoice, multiply), 0, 0,
     {IDC_EXTRA_MULTIPLIER}, 1782},
    {IDC_EXTRA_MULTIPLIER, ControlKind::Combo, TORVIK_FIELD(SummationChoice, multiplier)},
    {IDC_EXTRA_FIRST_LABEL, ControlKind::Label, {}, 0, 0, {}, 1781},
    {IDC_EXTRA_FIELD_LABEL, ControlKind::Label, {}, 0, 0, {}, 1783},
};
const ControlTable kSummationTable = controlTable(kSummationControls, 1780);

// The choices live in the dialog's own copy until OK packs them into the form.
template <class Choice>
struct KeyData {
  FormRecord& form;
  int key;
  UiStrings& strings;
  const ControlTable& table;
  Choice choice;
  BoundRecord bound;
};
using RemainsData = KeyData<RemainsChoice>;
using SummationData = KeyData<SummationChoice>;

void storeChoice(RemainsData& data) { storeRemainsChoice(data.form, data.key, data.choice); }
void storeChoice(SummationData& data) { storeSummationChoice(data.form, data.key, data.choice); }

template <class Choice>
INT_PTR keyHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, KeyData<Choice>& data) {
  switch (message) {
    case WM_INITDIALOG:
      fillComboItems(dialog, data.table, data.strings);
      fillFieldItems(dialog, IDC_EXTRA_FIELD, data.strings);
      if (GetDlgItem(dialog, IDC_EXTRA_MULTIPLIER) != nullptr) fillFieldItems(dialog, IDC_EXTRA_MULTIPLIER, data.strings);
      fillControls(dialog, data.table, data.bound);
      applyEnables(dialog, data.table, data.bound);
      relabelControls(dialog, data.table, data.strings);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) storeChoice(data);
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      storeControlChange(dialog, data.table, wParam, data.bound);
      return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Branch

const ControlBinding kBranchControls[] = {
    {IDC_BRANCH_ACTION_FIRST, ControlKind::Combo, TORVIK_LINE_FIELD(FormRecord, fnBranch), 0, 0, {}, 0, kFnKeys},
    {IDC_BRANCH_MORE_FIRST, ControlKind::Label, {}, 0, 0, {}, 68, kFnKeys},
    {IDC_BRANCH_KEY_LABEL, ControlKind::Label, {}, 0, 0, {}, 172},
    {IDC_BRANCH_KEY_LABEL + 1, ControlKind::Label, {}, 0, 0, {}, 173},
    {IDC_BRANCH_KEY_LABEL + 2, ControlKind::Label, {}, 0, 0, {}, 174},
    {IDC_BRANCH_KEY_LABEL + 3, ControlKind::Label, {}, 0, 0, {}, 175},
    {IDC_BRANCH_ACTION_HEAD, ControlKind::Label, {}, 0, 0, {}, 176},
    {IDC_BRANCH_MORE_HEAD, ControlKind::Label, {}, 0, 0, {}, 177},
};
const ControlTable kBranchTable = controlTable(kBranchControls, 171);

struct BranchData {
  EditorSession& session;
  HINSTANCE instance;
  FormRecord backup;
  BoundRecord bound;
};

void enableMoreButtons(HWND dialog, const FormRecord& form) {
  for (int k = 0; k < kFnKeys; ++k) enableControl(dialog, IDC_BRANCH_MORE_FIRST + k, branchHasSettings(form.fnBranch[k]));
}

void fillBranchItems(HWND dialog, EditorSession& session) {
  const UiText disable = session.strings.text(kStrDisable);
  const UiText form = session.strings.text(kStrFormPrefix);
  for (int k = 0; k < kFnKeys; ++k) {
    const int id = IDC_BRANCH_ACTION_FIRST + k;
    addItem(dialog, id, disable.c_str());
    for (int n = 0; n < kNumberLabels; ++n) {
      char item[160];
      std::snprintf(item, sizeof item, "%s%s", form.c_str(), session.numberLabel[n]);
      addItem(dialog, id, item);
    }
    for (int s = 0; s < 3; ++s) addItem(dialog, id, session.strings.text(kStrRemains + s).c_str());
  }
}

void openKeySettings(HWND dialog, BranchData& data, int key) {
  FormRecord& form = *static_cast<FormRecord*>(data.bound.record);
  UiStrings& strings = data.session.strings;
  if (form.fnBranch[key] == kBranchRemains) {
    RemainsData keyData{form, key, strings, kRemainsTable, remainsChoiceOf(form, key), {}};
    keyData.bound.record = &keyData.choice;
    runModalDialog<RemainsData, keyHandler<RemainsChoice>>(data.instance, dialog, "FormRemains", keyData);
  } else if (form.fnBranch[key] == kBranchSummation) {
    SummationData keyData{form, key, strings, kSummationTable, summationChoiceOf(form, key), {}};
    keyData.bound.record = &keyData.choice;
    runModalDialog<SummationData, keyHandler<SummationChoice>>(data.instance, dialog, "FormSummation", keyData);
  }
}

INT_PTR branchHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, BranchData& data) {
  FormRecord& form = *static_cast<FormRecord*>(data.bound.record);
  switch (message) {
    case WM_INITDIALOG:
      for (int k = 0; k < kFnKeys; ++k) form.fnBranch[k] = static_cast<std::uint8_t>(shownBranchAction(form.fnBranch[k]));
      fillBranchItems(dialog, data.session);
      fillControls(dialog, kBranchTable, data.bound);
      enableMoreButtons(dialog, form);
      relabelControls(dialog, kBranchTable, data.session.strings);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        // Cancel also undoes what the Remains and Summation dialogs stored meanwhile.
        if (id == IDCANCEL) form = data.backup;
        EndDialog(dialog, id);
        return TRUE;
      }
      if (id >= IDC_BRANCH_MORE_FIRST && id < IDC_BRANCH_MORE_FIRST + kFnKeys && HIWORD(wParam) == BN_CLICKED) {
        openKeySettings(dialog, data, id - IDC_BRANCH_MORE_FIRST);
        return TRUE;
      }
      if (storeControlChange(dialog, kBranchTable, wParam, data.bound) != nullptr) enableMoreButtons(dialog, form);
      return TRUE;
    }
  }
  return FALSE;
}

FormRecord* currentForm(EditorSession& session) {
  if (session.currentForm < 0 || session.currentForm >= kFormCount) return nullptr;
  return &session.forms[session.currentForm];
}

}  // namespace

bool runDateTimeStamp(HWND owner, HINSTANCE instance, EditorSession& session) {
  FormRecord* form = currentForm(session);
  if (form == nullptr) return false;
  StampData data{session, *form, {}};
  data.bound.record = form;
  return runModalDialog<StampData, stampHandler>(instance, owner, "DATETIMESTAMPDLG", data) == IDOK;
}

bool runFormBranch(HWND owner, HINSTANCE instance, EditorSession& session) {
  FormRecord* form = currentForm(session);
  if (form == nullptr) return false;
  BranchData data{session, instance, *form, {}};
  data.bound.record = form;
  return runModalDialog<BranchData, branchHandler>(instance, owner, "FORMBRANCHDLG", data) == IDOK;
}

}  // namespace torvik
