#include "tests/gui/design_check_helpers.h"

#include <commctrl.h>
#include <prsht.h>

#include "tests/gui/link_helpers.h"

namespace gui {

int listRowCount(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_CHECK_LIST, LVM_GETITEMCOUNT, 0, 0));
}

std::string listCellText(HWND dialog, int row, int column) {
  HWND list = GetDlgItem(dialog, IDC_CHECK_LIST);
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == nullptr) return "<no process>";
  constexpr SIZE_T kText = 512;
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text = "<no memory>";
  if (remote != nullptr) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = kText;
    char buffer[kText] = {};
    SIZE_T moved = 0;
    WriteProcessMemory(process, remote, &item, sizeof item, &moved);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + sizeof(LVITEMA), buffer, kText - 1, &moved);
    text = buffer;
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

HWND focusOf(const TorvikProcess& torvik) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(torvik.mainWindow(), nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool makeMenuLeadToEmptyForm(HWND menuPage, int menu) {
  if (menuPage == nullptr) return false;
  selectComboRow(menuPage, IDC_MENU_SELECT, menu - 1);
  const char* names[] = {"1.One", "2.Two", "3.Three"};
  for (int k = 0; k < 3; ++k)
    SendMessageA(GetDlgItem(menuPage, IDC_MENU_ITEM_NAME_BASE + k), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names[k]));
  selectComboRow(menuPage, IDC_MENU_ITEM_NEXT_BASE + 2, menu + 2);  // row n is form n
  return dialogItemText(menuPage, IDC_MENU_ITEM_NAME_BASE + 2) == "3.Three";
}

bool makeDesignWithErrors(const TorvikProcess& torvik) {
  torvik.command(IDM_EDIT);
  HWND sheet = torvik.waitForWindow("#32770", "Torvik - [*");
  if (sheet == nullptr) return false;
  SendMessageA(sheet, PSM_SETCURSEL, 1, 0);  // the Menu page
  HWND page = nullptr;
  waitUntil([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && GetDlgItem(page, IDC_MENU_SELECT) != nullptr;
  });
  if (!makeMenuLeadToEmptyForm(page, 2)) return false;
  clickButton(sheet, IDOK);
  return waitUntil([&] { return !IsWindow(sheet); });
}

}  // namespace gui
