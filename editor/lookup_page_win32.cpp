// The Lookup page: the record layouts of the three lookup files, edited in a working copy.
#include "editor/page_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "base/string_ids.h"
#include "editor/lookup_rules.h"
#include "editor/record_clipboard_win32.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/resource_strings_win32.h"

namespace torvik {

namespace {

constexpr int kEntryFixedHeader = 263;
constexpr int kEntryDelimitedHeader = 264;
constexpr char kFixedHeader[] = "   Length";
constexpr char kDelimitedHeader[] = "Max Length";
constexpr int kLookupPageIndex = 2;
constexpr UINT_PTR kOkGuardId = 1;
constexpr COLORREF kNoteRed = RGB(200, 20, 30);


// Member length, the delimiter edit, the layout radios, the field count's enabling and the
// no-match list have rules of their own and are kept by hand.
const ControlBinding kLookupControls[] = {
    bindLabel(IDC_LOOKUP_NAME_LABEL, 252),
    bindLabel(IDC_LOOKUP_MEMBER_LABEL, 253),
    bindLabel(IDC_LOOKUP_COUNT_LABEL, 254),
    bindLabel(IDC_LOOKUP_ASCII_LABEL, 255),
    bindLabel(IDC_LOOKUP_FIXED, 256),
    bindLabel(IDC_LOOKUP_DELIMITED, 257),
    bindControl(IDC_LOOKUP_UPLOADABLE, ControlKind::Check, TORVIK_FIELD(LookupRecord, uploadable), 0, 258),
    bindLabel(IDC_LOOKUP_FIELD_LABEL, 259),
    bindLabel(IDC_LOOKUP_OFFSET_LABEL, 260),
    bindLabel(IDC_LOOKUP_KEY_LABEL, 261),
    bindLabel(IDC_LOOKUP_BAD_LABEL, 262),
    bindLabel(IDC_LOOKUP_NO_MATCH_LABEL, 265),
    bindLabel(IDC_LOOKUP_RESET, 266),
    bindLabel(IDC_RECORD_COPY, 1291),
    bindLabel(IDC_RECORD_PASTE, 1292),
    bindControl(IDC_LOOKUP_READ_ONCE, ControlKind::Check, TORVIK_FIELD(LookupRecord, readOnce), 0, 267),
    bindControl(IDC_LOOKUP_NEGATIVE, ControlKind::Check, TORVIK_FIELD(LookupRecord, negativeRemains), 0, 268),
    bindLabel(IDC_LOOKUP_NOTE, 269),
    bindControl(IDC_LOOKUP_DELETE_IF_NULL, ControlKind::Check, TORVIK_FIELD(LookupRecord, deleteIfNull), 0, 1795),
    bindControl(IDC_LOOKUP_FIELD_COUNT, ControlKind::Combo, TORVIK_FIELD(LookupRecord, fieldCount), kLookupFields + 1, 0),
    bindControl(IDC_LOOKUP_BAD_FORMAT, ControlKind::Combo, TORVIK_FIELD(LookupRecord, badFormatAction), 3, 0, 1,
            kStrBadFormatStop),
    bindControl(IDC_LOOKUP_OFFSET_BASE, ControlKind::Number, TORVIK_LINE_FIELD(LookupRecord, fieldOffset), 255, 0,
            kLookupFields),
    bindControl(IDC_LOOKUP_LENGTH_BASE, ControlKind::Number, TORVIK_LINE_FIELD(LookupRecord, fieldLength), 255, 0,
            kLookupFields),
    bindControl(IDC_LOOKUP_KEY_BASE, ControlKind::Radio, TORVIK_FIELD(LookupRecord, keyField), kLookupFields, 0),
};
const ControlTable kLookupTable = controlTable(kLookupControls);

struct LookupPage {
  EditorSession& session;
  BoundRecord bound{};
};
LookupRecord& current(LookupPage& p) { return p.session.lookups[p.session.currentLookup]; }

void setNumber(HWND page, int id, int value, BoundRecord& bound) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  putBackText(GetDlgItem(page, id), text, bound);
}

void addItem(HWND combo, const char* text) { SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

void fillLists(HWND page, LookupPage& p) {
  UiStrings& strings = p.session.strings;
  fillComboItems(page, kLookupTable, strings);
  for (int n = 0; n < kLookupCount; ++n)
    addItem(GetDlgItem(page, IDC_LOOKUP_SELECT), strings.text(kStrFirstLookupFile + n).c_str());
  for (int n = 0; n <= kLookupFields; ++n) {
    char text[4];
    std::snprintf(text, sizeof text, " %d", n);
    addItem(GetDlgItem(page, IDC_LOOKUP_FIELD_COUNT), text);
  }
}

// The no-match list offers what "Only read data once" allows; an action it lacks has been
// settled to the first item before the list shows it.
void fillNoMatch(HWND page, LookupPage& p) {
  const LookupRecord& l = current(p);
  HWND combo = GetDlgItem(page, IDC_LOOKUP_NO_MATCH);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  std::uint8_t codes[6];
  const int n = noMatchChoices(l.readOnce != 0, codes);
  for (int i = 0; i < n; ++i) addItem(combo, p.session.strings.text(kStrNoMatchContinue + codes[i]).c_str());
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(noMatchItem(l.readOnce != 0, l.noMatchAction)), 0);
}

void showHeader(HWND page, LookupPage& p, bool delimited) {
  const UiStrings& strings = p.session.strings;
  const int entry = delimited ? kEntryDelimitedHeader : kEntryFixedHeader;
  const char* text = delimited ? kDelimitedHeader : kFixedHeader;
  if (strings.languageActive() && strings.directEntry(entry)[0] != '\0') text = strings.directEntry(entry);
  SetDlgItemTextA(page, IDC_LOOKUP_LENGTH_HEADER, text);
}

// The layout's enabling: fields below the count are editable, offsets only for fixed lengths.
void enableFields(HWND page, LookupPage& p) {
  const LookupRecord& l = current(p);
  const bool delimited = l.delimiter != kFixedLengthRecords;
  enableControl(page, IDC_LOOKUP_MEMBER_LENGTH, !delimited);
  enableControl(page, IDC_LOOKUP_DELIMITER, delimited);
  for (int i = 0; i < kLookupFields; ++i) {
    const bool used = i < l.fieldCount;
    enableControl(page, IDC_LOOKUP_OFFSET_BASE + i, used && !delimited);
    enableControl(page, IDC_LOOKUP_LENGTH_BASE + i, used);
    enableControl(page, IDC_LOOKUP_KEY_BASE + i, used);
  }
  showHeader(page, p, delimited);
  // The note changes colour with the layout.
  InvalidateRect(GetDlgItem(page, IDC_LOOKUP_NOTE), nullptr, TRUE);
}

void showLookup(HWND page, LookupPage& p) {
  EditorSession& s = p.session;
  LookupRecord& l = current(p);
  // What the page shows is what OK stores: a read-once lookup's action is one the list offers
  // (and the key field one of the eight buttons, settled as the table fills them).
  settleReadOnce(l);
  p.bound.record = &l;
  p.bound.updating = true;
  SendDlgItemMessageA(page, IDC_LOOKUP_SELECT, CB_SETCURSEL, static_cast<WPARAM>(s.currentLookup), 0);
  const bool delimited = l.delimiter != kFixedLengthRecords;
  CheckRadioButton(page, IDC_LOOKUP_FIXED, IDC_LOOKUP_DELIMITED, delimited ? IDC_LOOKUP_DELIMITED : IDC_LOOKUP_FIXED);
  setNumber(page, IDC_LOOKUP_DELIMITER, l.delimiter, p.bound);
  setNumber(page, IDC_LOOKUP_MEMBER_LENGTH, l.memberLength, p.bound);
  fillControls(page, kLookupTable, p.bound);
  fillNoMatch(page, p);
  p.bound.updating = false;
  enableFields(page, p);
}

void refuseDelimiter(HWND page, LookupPage& p, const char* previousText) {
  putBackText(GetDlgItem(page, IDC_LOOKUP_DELIMITER), previousText, p.bound);
  messageBoxById(page, p.session.strings, kStrWarning, kStrInvalidValue, MB_OK | MB_ICONWARNING);
}

void onCommand(HWND page, LookupPage& p, WPARAM wParam) {
  EditorSession& s = p.session;
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (p.bound.updating) return;
  LookupRecord& l = current(p);
  switch (id) {
    case IDC_LOOKUP_SELECT: {
      if (code != CBN_SELCHANGE) return;
      const LRESULT item = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
      if (item == CB_ERR) return;
      s.currentLookup = static_cast<int>(item);
      showLookup(page, p);
      return;
    }
    case IDC_LOOKUP_MEMBER_LENGTH: {
      if (code != EN_CHANGE) return;
      char text[32] = {};
      GetDlgItemTextA(page, id, text, sizeof text);
      const NumberCorrection c = correctMemberLengthText(text, sizeof text);
      if (c.changed) putBackText(GetDlgItem(page, id), text, p.bound);
      l.memberLength = static_cast<std::uint8_t>(c.value);
      return;
    }
    case IDC_LOOKUP_DELIMITER: {
      // Left empty: the delimiter that stays stored shows again.
      if (code == EN_KILLFOCUS && GetWindowTextLengthA(GetDlgItem(page, id)) == 0 && l.delimiter != kFixedLengthRecords)
        setNumber(page, id, l.delimiter, p.bound);
      if (code != EN_CHANGE) return;
      char text[32] = {};
      GetDlgItemTextA(page, id, text, sizeof text);
      const DelimiterEdit e = editDelimiterText(text, sizeof text, l.delimiter);
      if (e.refused) {
        refuseDelimiter(page, p, text);
        return;
      }
      if (e.changed) putBackText(GetDlgItem(page, id), text, p.bound);
      l.delimiter = static_cast<std::uint8_t>(e.value);
      return;
    }
    case IDC_LOOKUP_FIXED:
    case IDC_LOOKUP_DELIMITED: {
      if (code != BN_CLICKED) return;
      if (id == IDC_LOOKUP_FIXED) {
        l.delimiter = kFixedLengthRecords;
      } else {
        l.delimiter = delimiterForLayout(static_cast<int>(GetDlgItemInt(page, IDC_LOOKUP_DELIMITER, nullptr, FALSE)));
        setNumber(page, IDC_LOOKUP_DELIMITER, l.delimiter, p.bound);
      }
      enableFields(page, p);
      return;
    }
    case IDC_LOOKUP_NO_MATCH: {
      if (code != CBN_SELCHANGE) return;
      const LRESULT item = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
      std::uint8_t codes[6];
      const int n = noMatchChoices(l.readOnce != 0, codes);
      if (item >= 0 && item < n) l.noMatchAction = codes[item];
      return;
    }
    case IDC_RECORD_COPY:
      if (code == BN_CLICKED) copyRecord(page, s, RecordKind::Lookup, s.currentLookup, &l);
      return;
    case IDC_RECORD_PASTE:
      if (code == BN_CLICKED && pasteRecord(page, s, RecordKind::Lookup, &l, s.strings.text(kStrFirstLookupFile + s.currentLookup).c_str()))
        showLookup(page, p);
      return;
    case IDC_LOOKUP_RESET:
      if (code != BN_CLICKED) return;
      resetLookups(s.lookups);
      s.currentLookup = 0;
      showLookup(page, p);
      return;
    default:
      break;
  }
  const ControlBinding* changed = storeControlChange(page, kLookupTable, wParam, p.bound);
  if (changed == nullptr) return;
  if (changed->id == IDC_LOOKUP_FIELD_COUNT) enableFields(page, p);
  if (changed->id == IDC_LOOKUP_READ_ONCE) {
    settleReadOnce(l);
    fillNoMatch(page, p);
  }
}

// The refusal of an OK whose delimited lookup outgrows a line: says which lookup file, and
// shows it on this page.
bool lookupsFit(HWND sheet, EditorSession& s) {
  const int n = firstOverlongLookup(s.lookups);
  if (n < 0) return true;
  const int total = delimitedLineLength(s.lookups[n]);
  const UiText name = s.strings.text(kStrFirstLookupFile + n);
  const UiText format = s.strings.text(kStrLookupFieldsTooLong);
  const UiText caption = s.strings.text(kStrError);
  char text[256];
  overlongLookupText(format.c_str(), name.c_str(), total, text, sizeof text);
  MessageBoxA(sheet, text, caption.c_str(), MB_OK | MB_ICONWARNING);
  s.currentLookup = n;
  s.lookupShowPending = true;
  SendMessageA(sheet, PSM_SETCURSEL, kLookupPageIndex, 0);
  return false;
}

// Checks OK before any page stores: a refusal after the first pages had stored would leave
// the design half-edited, and unmarked if the user then cancels.
LRESULT CALLBACK sheetOkGuard(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && !lookupsFit(sheet, *reinterpret_cast<EditorSession*>(data)))
    return 0;
  return DefSubclassProc(sheet, message, wParam, lParam);
}

void onInit(HWND page, LookupPage& p) {
  EditorSession& s = p.session;
  std::memcpy(s.lookups, s.definition.lookup, sizeof s.lookups);
  s.currentLookup = firstRecordShown(s, EditorPage::Lookup, kLookupCount);
  s.lookupPageCreated = true;
  SetWindowSubclass(GetParent(page), sheetOkGuard, kOkGuardId, reinterpret_cast<DWORD_PTR>(&s));
  p.bound.updating = true;
  fillLists(page, p);
  relabelControls(page, kLookupTable, s.strings);
  p.bound.updating = false;
  showLookup(page, p);
}

INT_PTR applyLookups(HWND page, LookupPage& p) {
  EditorSession& s = p.session;
  // The guard has already said no to an overlong lookup; this is the backstop for an OK that
  // came some other way.
  if (!lookupsFit(GetParent(page), s)) {
    // The pages before this one have stored into the apply target: it goes, and the design
    // stays as it was whether the user fixes the lookup or cancels.
    s.refuseApply();
    return PSNRET_INVALID_NOCHANGEPAGE;
  }
  ApplicationDefinition& target = s.applyTarget();
  for (int n = 0; n < kLookupCount; ++n) {
    applyLookupLayout(s.lookups[n]);
    target.lookup[n] = s.lookups[n];
  }
  s.lookupsApplied = true;
  return PSNRET_NOERROR;
}

// The note is red while the records have fixed lengths.
INT_PTR noteColour(HWND page, LookupPage& p, HDC dc, HWND control) {
  if (control != GetDlgItem(page, IDC_LOOKUP_NOTE)) return FALSE;
  const bool delimited = current(p).delimiter != kFixedLengthRecords;
  SetTextColor(dc, delimited ? GetSysColor(COLOR_GRAYTEXT) : kNoteRed);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR onOther(HWND page, UINT message, WPARAM wParam, LPARAM lParam, LookupPage& p) {
  switch (message) {
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE && p.session.lookupShowPending) {
        p.session.lookupShowPending = false;
        showLookup(page, p);
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
      return noteColour(page, p, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      RemoveWindowSubclass(GetParent(page), sheetOkGuard, kOkGuardId);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

const DLGPROC lookupPageProc = pageProc<LookupPage, onInit, onCommand, applyLookups, onOther>;

}  // namespace torvik
