#include "resources/resource_ids.h"
#include "tests/gui/link_helpers.h"

#include <cstdlib>
#include <vector>

namespace gui {

std::string comboRowText(HWND combo, int row) {
  wchar_t wide[256] = {};
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length < 0 || length >= 255) return "";
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide));
  char narrow[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

int comboRowCount(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); }

void selectComboRow(HWND dialog, int comboId, int row) {
  HWND combo = GetDlgItem(dialog, comboId);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int findComboRow(HWND combo, const std::string& prefix) {
  const int rows = comboRowCount(combo);
  for (int row = 0; row < rows; ++row)
    if (comboRowText(combo, row).compare(0, prefix.size(), prefix) == 0) return row;
  return -1;
}

bool setLinkPreferences(const TorvikProcess& torvik, const LinkPreferences& p) {
  torvik.command(IDM_PREFERENCES);
  HWND dialog = torvik.waitForWindow("#32770", "Torvik Preferences");
  if (dialog == nullptr) return false;
  selectComboRow(dialog, IDC_PREF_DOWNLOAD_VIA, p.downloadVia);
  selectComboRow(dialog, IDC_PREF_RECEIVE_VIA, p.receiveVia);
  selectComboRow(dialog, IDC_PREF_BAUD_RATE, p.baudRow);
  const int row = findComboRow(GetDlgItem(dialog, IDC_PREF_PORT), std::string(p.port) + " ");
  if (row < 0) return false;
  selectComboRow(dialog, IDC_PREF_PORT, row);
  clickButton(dialog, IDOK);
  return waitUntil([&] { return !IsWindow(dialog); });
}

std::string waitForMessageBox(const TorvikProcess& torvik, const char* caption, HWND* box, DWORD timeoutMs) {
  *box = torvik.waitForWindow("#32770", caption, timeoutMs);
  if (*box == nullptr) return "";
  std::string text;
  // The text control is filled while the box is set up; wait until it is there.
  waitUntil([&] { return !(text = dialogItemText(*box, 0xFFFF)).empty(); }, 5000);
  return text;
}

std::string answerMessageBox(const TorvikProcess& torvik, const char* caption, int button, DWORD timeoutMs) {
  HWND box = nullptr;
  const std::string text = waitForMessageBox(torvik, caption, &box, timeoutMs);
  if (box == nullptr) return "";
  clickButton(box, button);
  waitUntil([&] { return !IsWindow(box); });
  return text;
}

bool answerFileDialog(const TorvikProcess& torvik, const std::string& path, DWORD timeoutMs) {
  HWND dialog = nullptr;
  waitUntil(
      [&] {
        dialog = torvik.findWindow("#32770", "Open");
        if (dialog == nullptr) dialog = torvik.findWindow("#32770", "Save As");
        return dialog != nullptr;
      },
      timeoutMs);
  if (dialog == nullptr) return false;
  // The name edit: edt1 in the classic layout, inside cmb13 in the explorer one.
  HWND edit = GetDlgItem(dialog, 0x480);
  if (edit == nullptr) {
    HWND combo = GetDlgItem(dialog, 0x47C);
    edit = combo != nullptr ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
    if (edit == nullptr) edit = combo;
  }
  if (edit == nullptr) return false;
  std::vector<wchar_t> wide(path.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
  clickButton(dialog, IDOK);
  return waitUntil([&] { return !IsWindow(dialog); });
}

std::string preloadingIni(const std::string& project, int comNumber, int baudRow) {
  return project + "\r0\r0\r" + std::to_string(comNumber) + "\r" + std::to_string(baudRow) + "\r1\r0\r0\r-1\r";
}

std::string peerFolder() {
  const char* dir = std::getenv("TORVIK_PEER_DIR");
  return dir != nullptr ? dir : "";
}

}  // namespace gui
