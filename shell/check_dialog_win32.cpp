#include "shell/check_dialog_win32.h"

#include <commctrl.h>

#include <string>

#include "base/string_ids.h"
#include "base/text.h"
#include "check/finding_place.h"
#include "resources/resource_ids.h"
#include "win/dialog_win32.h"

namespace torvik {

namespace {

// The buttons and the modes that show them, each with its text.
struct CheckButton {
  int id;
  int text;
  bool review;
  bool beforeDownload;
};
const CheckButton kButtons[] = {
    {IDC_CHECK_GOTO, kStrGoTo, true, true},
    {IDC_CHECK_DOWNLOAD, kStrDownloadAnyway, false, true},
    {IDCANCEL, kStrCloseButton, true, false},
    {IDCANCEL, kStrCancelButton, false, true},
};

// The list's columns; width 0 takes what the others leave.
struct CheckColumn {
  int text;
  int width;  // pixels
};
const CheckColumn kColumns[] = {{kStrColumnSeverity, 64}, {kStrColumnWhere, 160}, {kStrColumnWhat, 0}};

struct CheckDialog {
  CheckDialogData& data;
  HWND list = nullptr;
};

int selectedRow(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool hasPlace(const CheckDialogData& data, int row) {
  return row >= 0 && row < static_cast<int>(data.findings.size()) &&
         placeOfFinding(data.findings[static_cast<std::size_t>(row)].where).page != EditorPage::None;
}

void enableGoTo(HWND dialog, CheckDialog& d) {
  EnableWindow(GetDlgItem(dialog, IDC_CHECK_GOTO), hasPlace(d.data, selectedRow(d.list)) ? TRUE : FALSE);
}

void setCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void fillList(CheckDialog& d) {
  UiStrings& strings = d.data.strings;
  // A text wider than its column shows whole in a tip.
  SendMessageA(d.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP,
               LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
  RECT client;
  GetClientRect(d.list, &client);
  int rest = client.right - GetSystemMetrics(SM_CXVSCROLL);
  for (int c = 0; c < static_cast<int>(sizeof kColumns / sizeof kColumns[0]); ++c) {
    const UiText title = strings.text(kColumns[c].text);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = kColumns[c].width != 0 ? kColumns[c].width : rest;
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = c;
    SendMessageA(d.list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    rest -= kColumns[c].width;
  }
  const UiText error = strings.text(kStrSeverityError);
  const UiText warning = strings.text(kStrSeverityWarning);
  int row = 0;
  for (const CheckFinding& f : d.data.findings) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(f.severity == Severity::Error ? error.c_str() : warning.c_str());
    SendMessageA(d.list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    setCell(d.list, row, 1, f.where);
    setCell(d.list, row, 2, f.text);
    ++row;
  }
  if (row == 0) return;
  const int selected = d.data.selected >= 0 && d.data.selected < row ? d.data.selected : 0;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(d.list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
  SendMessageA(d.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
}

void init(HWND dialog, CheckDialog& d) {
  CheckDialogData& data = d.data;
  UiStrings& strings = data.strings;
  const bool beforeDownload = data.mode == CheckDialogMode::BeforeDownload;
  d.list = GetDlgItem(dialog, IDC_CHECK_LIST);
  for (const CheckButton& b : kButtons) {
    if (!(beforeDownload ? b.beforeDownload : b.review)) continue;
    SetDlgItemTextA(dialog, b.id, strings.text(b.text).c_str());
  }
  ShowWindow(GetDlgItem(dialog, IDC_CHECK_DOWNLOAD), beforeDownload ? SW_SHOW : SW_HIDE);
  // Before a download Cancel is the default: Enter never sends a design with errors. With
  // nothing to go to, Enter closes.
  const bool goToDefault = !beforeDownload && !data.findings.empty();
  SendMessageA(dialog, DM_SETDEFID, goToDefault ? IDC_CHECK_GOTO : IDCANCEL, 0);

  const FindingCounts counts = countFindings(data.findings);
  const std::string errors = std::to_string(counts.errors), warnings = std::to_string(counts.warnings);
  SetWindowTextA(dialog, fillTemplate(strings.text(kStrCheckCaption).c_str(), {errors.c_str(), warnings.c_str()}).c_str());
  const int note = data.findings.empty() ? kStrNoProblems : beforeDownload ? kStrCheckFindsErrors : kStrCheckFound;
  SetDlgItemTextA(dialog, IDC_CHECK_NOTE, strings.text(note).c_str());
  fillList(d);
  enableGoTo(dialog, d);
}

void goTo(HWND dialog, CheckDialog& d) {
  const int row = selectedRow(d.list);
  if (!hasPlace(d.data, row)) return;
  d.data.selected = row;
  EndDialog(dialog, static_cast<INT_PTR>(CheckChoice::GoTo));
}

INT_PTR handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, CheckDialog& d) {
  switch (message) {
    case WM_INITDIALOG:
      init(dialog, d);
      SetFocus(d.list);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDC_CHECK_GOTO:
          goTo(dialog, d);
          return TRUE;
        case IDC_CHECK_DOWNLOAD:
          EndDialog(dialog, static_cast<INT_PTR>(CheckChoice::DownloadAnyway));
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, static_cast<INT_PTR>(CheckChoice::Close));
          return TRUE;
        default:
          return FALSE;
      }
    case WM_NOTIFY: {
      const NMHDR* n = reinterpret_cast<const NMHDR*>(lParam);
      if (n->idFrom != IDC_CHECK_LIST) return FALSE;
      if (n->code == LVN_ITEMCHANGED) enableGoTo(dialog, d);
      if (n->code == NM_DBLCLK) goTo(dialog, d);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

CheckChoice runCheckDialog(HINSTANCE instance, HWND owner, CheckDialogData& data) {
  CheckDialog d{data};
  const INT_PTR result = runModalDialog<CheckDialog, handle>(instance, owner, "CHECKDLG", d);
  return result < 0 ? CheckChoice::Close : static_cast<CheckChoice>(result);
}

}  // namespace torvik
