// The Settings page: the terminal's ports, backlight, prompts and sounds, edited in the
// session's working copy and written back, only the page's own bytes, on the sheet's OK.
#include <cstdio>
#include <initializer_list>
#include <cstring>
#include <map>

#include "base/string_ids.h"
#include "editor/page_win32.h"
#include "editor/settings_dialogs_win32.h"
#include "editor/settings_rules.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dpi_win32.h"

namespace torvik {

namespace {

const ControlBinding kSettingsControls[] = {
    {IDC_SET_UPLOAD_PORT, ControlKind::Combo, TORVIK_FIELD(SystemSettings, uploadPort), 5, kStrPortDirectRs232},
    {IDC_SET_UPLOAD_PHONE, ControlKind::Text, TORVIK_FIELD(SystemSettings, uploadPhone), 20},
    {IDC_SET_DOWNLOAD_PORT, ControlKind::Combo, TORVIK_FIELD(SystemSettings, downloadPort)},
    {IDC_SET_DOWNLOAD_PHONE, ControlKind::Text, TORVIK_FIELD(SystemSettings, downloadPhone), 20},
    {IDC_SET_MODEM_SPEED, ControlKind::Combo, TORVIK_FIELD(SystemSettings, modemSpeed), kBaudRateCount, kStrBaud115200},
    {IDC_SET_BAUD_RATE, ControlKind::Combo, TORVIK_FIELD(SystemSettings, baudRate), kBaudRateCount, kStrBaud115200},
    {IDC_SET_BACKLIGHT, ControlKind::Combo, TORVIK_FIELD(SystemSettings, backlight), 2, kStrBacklightOff},
    // The two edits are shown by the table; their corrections are the page's own (below).
    {IDC_SET_BACKLIGHT_IDLE, ControlKind::Number, TORVIK_FIELD(SystemSettings, backlightIdle), 9},
    {IDC_SET_DATA_DELETION, ControlKind::Combo, TORVIK_FIELD(SystemSettings, dataDeletion), 2, kStrDeletionManual},
    {IDC_SET_ENTRY_OPTION, ControlKind::Combo, TORVIK_FIELD(SystemSettings, entryOption), 3, kStrNoPrompt},
    {IDC_SET_STAY_TIME, ControlKind::Number, TORVIK_FIELD(SystemSettings, promptDuration), 99},
    {IDC_SET_KEY_CLICK, ControlKind::Combo, TORVIK_FIELD(SystemSettings, keyClick)},
    {IDC_SET_GOOD_READ, ControlKind::Combo, TORVIK_FIELD(SystemSettings, goodReadBeep)},
    {IDC_SET_WARNING_BEEP, ControlKind::Combo, TORVIK_FIELD(SystemSettings, warningBeep)},
    {IDC_SET_VIBRATOR, ControlKind::Combo, TORVIK_FIELD(SystemSettings, vibratorDuration)},
    {IDC_SET_LABEL_FIRST, ControlKind::Label, {}, 0, 0, {}, 602},
    {IDC_SET_LABEL_FIRST + 1, ControlKind::Label, {}, 0, 0, {}, 603},
    {IDC_SET_LABEL_FIRST + 3, ControlKind::Label, {}, 0, 0, {}, 605},
    {IDC_SET_LABEL_FIRST + 4, ControlKind::Label, {}, 0, 0, {}, 606},
    {IDC_SET_LABEL_FIRST + 5, ControlKind::Label, {}, 0, 0, {}, 607},
    {IDC_SET_LABEL_FIRST + 6, ControlKind::Label, {}, 0, 0, {}, 608},
    {IDC_SET_LABEL_FIRST + 10, ControlKind::Label, {}, 0, 0, {}, 612},
    {IDC_SET_IDLE_LABEL, ControlKind::Label, {}, 0, 0, {}, 614},
    {IDC_SET_IDLE_UNIT, ControlKind::Label, {}, 0, 0, {}, 615},
    {IDC_SET_STAY_UNIT, ControlKind::Label, {}, 0, 0, {}, 616},
    {IDC_SET_STAY_ON_LCD, ControlKind::Label, {}, 0, 0, {}, 617},
    {IDC_SET_PRESS_ANY_KEY, ControlKind::Label, {}, 0, 0, {}, 618},
    {IDC_SET_RESET, ControlKind::Label, {}, 0, 0, {}, 619},
    {IDC_SET_WEDGE, ControlKind::Label, {}, 0, 0, {}, 620},
    {IDC_SET_FUNCTION_KEYS, ControlKind::Label, {}, 0, 0, {}, 621},
};
const ControlTable kSettingsTable = controlTable(kSettingsControls);

// The labels the page takes from the string table: "3.  Modem Speed", the three sound
// labels and "Security ...".
const int kStringLabels[] = {IDC_SET_LABEL_FIRST + 2, IDC_SET_LABEL_FIRST + 7, IDC_SET_LABEL_FIRST + 8,
                             IDC_SET_LABEL_FIRST + 9, IDC_SET_SECURITY};

// What the page keeps between messages.
struct SettingsPageState {
  EditorSession& session;
  BoundRecord bound{};
};

void addItem(HWND page, int id, const char* text) {
  SendDlgItemMessageA(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// The lists whose items are not one run of strings.
void fillOwnItems(HWND page, UiStrings& strings) {
  for (int i = 0; i < 3; ++i) addItem(page, IDC_SET_DOWNLOAD_PORT, strings.text(kStrPortDirectRs232 + i).c_str());
  addItem(page, IDC_SET_DOWNLOAD_PORT, strings.text(kStrPortModem).c_str());
  const UiText mute = strings.text(kStrMute);
  const UiText tone = strings.text(kStrTone);
  addItem(page, IDC_SET_KEY_CLICK, mute.c_str());
  for (int n = 1; n <= kKeyClickTones; ++n) {
    char item[160];
    std::snprintf(item, sizeof item, "%s %d", tone.c_str(), n);
    addItem(page, IDC_SET_KEY_CLICK, item);
  }
  for (int id : {IDC_SET_GOOD_READ, IDC_SET_WARNING_BEEP}) {
    addItem(page, id, mute.c_str());
    for (int i = 0; i < 3; ++i) addItem(page, id, strings.text(kStrOneBeep + i).c_str());
  }
  addItem(page, IDC_SET_VIBRATOR, strings.text(kStrOff).c_str());
  const UiText seconds = strings.text(kStrSeconds);
  for (int n = 1; n <= kVibratorMaxSeconds; ++n) {
    char item[160];
    std::snprintf(item, sizeof item, "%d %s", n, seconds.c_str());
    addItem(page, IDC_SET_VIBRATOR, item);
  }
}

void applySettingsEnables(HWND page, const EditorSession& session) {
  const SettingsEnables e = settingsEnables(session.settings, session.settingsStayOnLcd);
  enableControl(page, IDC_SET_UPLOAD_PHONE, e.uploadPhone);
  enableControl(page, IDC_SET_UPLOAD_ICON, e.uploadPhone);
  enableControl(page, IDC_SET_DOWNLOAD_PHONE, e.downloadPhone);
  enableControl(page, IDC_SET_DOWNLOAD_ICON, e.downloadPhone);
  enableControl(page, IDC_SET_MODEM_SPEED, e.modemSpeed);
  enableControl(page, IDC_SET_BAUD_RATE, e.baudRate);
  enableControl(page, IDC_SET_STAY_ON_LCD, e.stayRadios);
  enableControl(page, IDC_SET_PRESS_ANY_KEY, e.stayRadios);
  enableControl(page, IDC_SET_STAY_TIME, e.stayTime);
}

void showSettings(HWND page, EditorSession& session, SettingsPageState& state) {
  fillControls(page, kSettingsTable, state.bound);
  CheckRadioButton(page, IDC_SET_STAY_ON_LCD, IDC_SET_PRESS_ANY_KEY,
                   session.settingsStayOnLcd ? IDC_SET_STAY_ON_LCD : IDC_SET_PRESS_ANY_KEY);
  applySettingsEnables(page, session);
}

// The telephone beside the phone numbers at the screen's scale (16 pixels at 100%, else
// from its 32-pixel image), so that it does not shrink beside scaled text. Loaded once per
// size and kept for the run, as a shared icon would be.
void showPhoneIcons(HWND page) {
  static std::map<int, HICON> icons;
  const int size = MulDiv(16, windowDpi(page), 96);
  HICON& icon = icons[size];
  if (icon == nullptr)
    icon = static_cast<HICON>(LoadImageA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE)), "PHONE",
                                         IMAGE_ICON, size, size, 0));
  if (icon == nullptr) return;
  for (int id : {IDC_SET_UPLOAD_ICON, IDC_SET_DOWNLOAD_ICON})
    SendDlgItemMessageA(page, id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void createPage(HWND page, SettingsPageState& state) {
  EditorSession& session = state.session;
  session.settings = session.definition.systemSettings;
  session.wedge = session.definition.wedgeSettings;
  session.settingsStayOnLcd = session.settings.promptDuration != kPromptWaitsForKey;
  state.bound.record = &session.settings;

  UiStrings& strings = session.strings;
  fillComboItems(page, kSettingsTable, strings);
  fillOwnItems(page, strings);
  for (int i = 0; i < 5; ++i) SetDlgItemTextA(page, kStringLabels[i], strings.text(kStrModemSpeedLabel + i).c_str());
  relabelControls(page, kSettingsTable, strings);
  SendDlgItemMessageA(page, IDC_SET_BACKLIGHT_IDLE, EM_LIMITTEXT, 2, 0);
  SendDlgItemMessageA(page, IDC_SET_STAY_TIME, EM_LIMITTEXT, 3, 0);
  showPhoneIcons(page);
  showSettings(page, session, state);
}

// The two edits with rules of their own; true when the message was theirs.
bool editOwnField(HWND page, int id, EditorSession& session, SettingsPageState& state) {
  if (id != IDC_SET_BACKLIGHT_IDLE && id != IDC_SET_STAY_TIME) return false;
  if (state.bound.updating) return true;
  char text[8] = {};
  GetDlgItemTextA(page, id, text, sizeof text);
  FieldCorrection c{};
  if (id == IDC_SET_BACKLIGHT_IDLE) {
    c = correctBacklightText(text, sizeof text, session.settings.backlightIdle);
    session.settings.backlightIdle = static_cast<std::uint8_t>(c.value);
  } else {
    c = correctStayText(text, sizeof text);
    session.settings.promptDuration = static_cast<std::uint8_t>(c.value);
  }
  if (c.changed) putBackText(GetDlgItem(page, id), text, state.bound);
  return true;
}

void command(HWND page, SettingsPageState& state, WPARAM wParam) {
  EditorSession& session = state.session;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE));
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_SET_STAY_ON_LCD:
      case IDC_SET_PRESS_ANY_KEY:
        if (state.bound.updating) return;
        session.settingsStayOnLcd = id == IDC_SET_STAY_ON_LCD;
        if (session.settingsStayOnLcd)
          chooseStayOnLcd(session.settings);
        else
          choosePressAnyKey(session.settings);
        fillControl(page, *kSettingsTable.find(IDC_SET_STAY_TIME, nullptr), state.bound);
        applySettingsEnables(page, session);
        return;
      case IDC_SET_RESET:
        resetSettingsPage(session.settings, session.wedge);
        session.settingsStayOnLcd = session.settings.promptDuration != kPromptWaitsForKey;
        showSettings(page, session, state);
        return;
      case IDC_SET_SECURITY:
        runSecurityDialog(page, instance, session);
        return;
      case IDC_SET_WEDGE:
        runWedgeDialog(page, instance, session);
        return;
      case IDC_SET_FUNCTION_KEYS:
        runFunctionKeyDialog(page, instance, session);
        return;
    }
  }
  if (code == EN_CHANGE && editOwnField(page, id, session, state)) return;
  const ControlBinding* stored = storeControlChange(page, kSettingsTable, wParam, state.bound);
  if (stored != nullptr && (id == IDC_SET_UPLOAD_PORT || id == IDC_SET_DOWNLOAD_PORT || id == IDC_SET_ENTRY_OPTION))
    applySettingsEnables(page, session);
}

INT_PTR apply(HWND, SettingsPageState& state) {
  EditorSession& session = state.session;
  applySettingsPage(session.applyTarget().systemSettings, session.settings);
  // A Reset reaches the wedge settings too: the copy equals the design unless Reset changed it,
  // since the wedge dialog's OK writes both.
  session.applyTarget().wedgeSettings = session.wedge;
  return PSNRET_NOERROR;
}

}  // namespace

const DLGPROC settingsPageProc = pageProc<SettingsPageState, createPage, command, apply>;

}  // namespace torvik
