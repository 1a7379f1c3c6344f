#include "shell/preferences_dialog_win32.h"

#include <cstring>

#include "base/string_ids.h"
#include "link/cradle_detect.h"
#include "link/link_texts.h"
#include "link/win32_serial_port_win32.h"
#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "win/dialog_win32.h"
#include "win/language_files_win32.h"
#include "shell/project_files_win32.h"
#include "win/serial_ports_win32.h"
#include "simulator/face_win32.h"

namespace torvik {

namespace {

constexpr char kDefaultLanguage[] = "Default <English>";

// Language-file entries for the dialog's labels, in the order of kRelabelled.
constexpr int kEntryLabelsFirst = 11;

struct PreferencesData {
  Preferences pending;
  SerialPortList ports;
};

// The first row whose text before its first space is the port's name.
int listRowOfPortIndex(HWND combo, const SerialPortList& ports, int index) {
  const char* name = portName(ports, index);
  const int rows = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    char text[80] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) >= static_cast<LRESULT>(sizeof text)) continue;
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    if (portIndexOfRowText(ports, text) == index && std::strncmp(text, name, std::strlen(name)) == 0) return row;
  }
  return -1;
}

void initDialog(HWND dialog, PreferencesData& data) {
  App& a = app();
  static const Relabel kRelabelled[] = {
      {0, kEntryPreferencesCaption},
      {IDC_PREF_DOWNLOAD_LABEL, kEntryLabelsFirst},     {IDC_PREF_RECEIVE_LABEL, kEntryLabelsFirst + 1},
      {IDC_PREF_BAUD_LABEL, kEntryLabelsFirst + 2},     {IDC_PREF_PORT_LABEL, kEntryLabelsFirst + 3},
      {IDC_PREF_LANGUAGE_LABEL, kEntryLabelsFirst + 4}, {IDC_PREF_AUTO_PRELOAD, kEntryLabelsFirst + 5},
      {IDC_PREF_ALWAYS_ON_TOP, kEntryLabelsFirst + 6},  {IDC_PREF_DETECT_CRADLE, kEntryLabelsFirst + 7},
      {IDOK, 1218},                                     {IDCANCEL, 1219},
  };
  relabelDialog(dialog, a.strings, kRelabelled, static_cast<int>(sizeof kRelabelled / sizeof kRelabelled[0]));

  readPreferences(a.preferences);
  data.pending = a.preferences;
  Preferences& p = data.pending;
  fillComboFromStrings(dialog, IDC_PREF_DOWNLOAD_VIA, a.strings, kStrTransportRs232, kStrTransportRs232 + 2,
                       p.downloadTransport);
  fillComboFromStrings(dialog, IDC_PREF_RECEIVE_VIA, a.strings, kStrTransportRs232, kStrTransportRs232 + 2,
                       p.receiveTransport);
  fillComboFromStrings(dialog, IDC_PREF_BAUD_RATE, a.strings, kStrBaud115200, kStrBaud115200 + 4,
                       p.baudRateIndex);

  HWND portCombo = GetDlgItem(dialog, IDC_PREF_PORT);
  const int rows = fillPortList(dialog, IDC_PREF_PORT, data.ports, p.portIndex, p.comNumber);
  if (rows > 0) {
    if (p.portIndex < 0 || p.portIndex >= rows) p.portIndex = 0;
    SendMessageA(portCombo, CB_SETCURSEL, static_cast<WPARAM>(listRowOfPortIndex(portCombo, data.ports, p.portIndex)),
                 0);
  }

  CheckDlgButton(dialog, IDC_PREF_AUTO_PRELOAD, p.autoPreload ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_PREF_ALWAYS_ON_TOP, p.alwaysOnTop ? BST_CHECKED : BST_UNCHECKED);

  HWND languages = GetDlgItem(dialog, IDC_PREF_LANGUAGE);
  SendMessageA(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kDefaultLanguage));
  int selected = 0;
  for (int i = 0; i < a.strings.languageCount(); ++i) {
    SendMessageA(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(a.strings.language(i).name));
    if (selected == 0 && std::strcmp(a.strings.language(i).name, p.languageName) == 0) selected = i + 1;
  }
  SendMessageA(languages, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (a.strings.languageCount() == 0) {
    EnableWindow(languages, FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PREF_LANGUAGE_LABEL), FALSE);
  }
}

void detectCradleButton(HWND dialog, PreferencesData& data) {
  App& a = app();
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  readSerialPortList(data.ports);
  int found = -1;
  {
    Win32SerialPort port;
    found = detectCradle(data.ports, port, systemClock());
  }
  if (found < 0) {
    messageBoxById(dialog, kStrDetectingResult, kStrCradleNotAvailable, MB_OK | MB_ICONWARNING);
  } else {
    char text[160];
    lstrcpynA(text, a.strings.lookup(kStrCradleConnectedTo, TextKind::Message), 128);
    lstrcatA(text, portName(data.ports, found));
    MessageBoxA(dialog, text, a.strings.lookup(kStrDetectingResult, TextKind::Caption), MB_OK | MB_ICONINFORMATION);
    HWND combo = GetDlgItem(dialog, IDC_PREF_PORT);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(listRowOfPortIndex(combo, data.ports, found)), 0);
    data.pending.portIndex = found;
  }
  SetCursor(old);
}

void storeAndClose(HWND dialog, PreferencesData& data) {
  App& a = app();
  HWND languages = GetDlgItem(dialog, IDC_PREF_LANGUAGE);
  const int row = static_cast<int>(SendMessageA(languages, CB_GETCURSEL, 0, 0));
  if (row <= 0 || row > a.strings.languageCount())
    copyText(data.pending.languageName, "0");
  else
    copyText(data.pending.languageName, a.strings.language(row - 1).name);
  a.preferences = data.pending;
  writePreferences(a.preferences);
  EndDialog(dialog, IDOK);
  a.strings.setLanguageActive(a.strings.languageCount() > 0 && loadLanguage(a.strings, a.preferences.languageName));
  rebuildDefaultMessages();
  reloadPopupMenu(a.client);
}

INT_PTR preferencesHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM, PreferencesData& data) {
  switch (message) {
    case WM_INITDIALOG:
      initDialog(dialog, data);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      Preferences& p = data.pending;
      if (code == CBN_SELCHANGE) {
        const int row = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
        if (row < 0) return TRUE;
        if (id == IDC_PREF_DOWNLOAD_VIA) p.downloadTransport = row;
        if (id == IDC_PREF_RECEIVE_VIA) p.receiveTransport = row;
        if (id == IDC_PREF_BAUD_RATE) p.baudRateIndex = row;
        if (id == IDC_PREF_PORT) {
          char text[80] = {};
          if (SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) <
              static_cast<LRESULT>(sizeof text)) {
            SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
            p.portIndex = portIndexOfRowText(data.ports, text);
          }
        }
        return TRUE;
      }
      if (code != BN_CLICKED) return FALSE;
      switch (id) {
        case IDC_PREF_AUTO_PRELOAD: p.autoPreload = IsDlgButtonChecked(dialog, id) == BST_CHECKED; return TRUE;
        case IDC_PREF_ALWAYS_ON_TOP: p.alwaysOnTop = IsDlgButtonChecked(dialog, id) == BST_CHECKED; return TRUE;
        case IDC_PREF_DETECT_CRADLE: detectCradleButton(dialog, data); return TRUE;
        case IDOK: storeAndClose(dialog, data); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: return FALSE;
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace

void runPreferencesDialog(HWND owner) {
  static PreferencesData data;  // 17 KB of port list: kept off the stack
  data = PreferencesData{};
  runModalDialog<PreferencesData, preferencesHandler>(app().instance, owner, "PreferencesDlg", data);
}

}  // namespace torvik
