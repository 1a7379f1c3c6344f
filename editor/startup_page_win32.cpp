// The Startup page: where the terminal program starts, the data field delimiters, the large
// font, and the terminal's own prompts and messages, edited group by group beside their
// defaults. The rules are in startup_rules; this file moves their results into the controls.
#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "editor/page_win32.h"
#include "editor/startup_rules.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/file_dialog_win32.h"
#include "win/file_read_win32.h"
#include "win/resource_strings_win32.h"

namespace torvik {

namespace {

constexpr DWORD kTemplateReadLimit = static_cast<DWORD>(kDefinitionSize);

const ControlBinding kControls[] = {
    {IDC_STARTUP_START_FROM, ControlKind::Combo, TORVIK_FIELD(StartupState, startFrom), 2, kStrStartForm1},
    {IDC_STARTUP_DELIMITERS, ControlKind::Combo, TORVIK_FIELD(StartupState, delimiterCount), 3, 0},
    {IDC_STARTUP_LARGE_FONT, ControlKind::Check, TORVIK_FIELD(StartupState, largeFont), 0, 0, {}, 708},
    {IDC_STARTUP_START_LABEL, ControlKind::Label, {}, 0, 0, {}, 702},
    {IDC_STARTUP_DELIMITERS_LABEL, ControlKind::Label, {}, 0, 0, {}, 703},
    {IDC_STARTUP_CODE_LABEL, ControlKind::Label, {}, 0, 0, {}, 704},
    {IDC_STARTUP_CHAR_LABEL, ControlKind::Label, {}, 0, 0, {}, 705},
    {IDC_STARTUP_GROUP_LABEL, ControlKind::Label, {}, 0, 0, {}, 706},
    {IDC_STARTUP_DELIMITER_BOX, ControlKind::Label, {}, 0, 0, {}, 707},
    {IDC_STARTUP_IMPORT, ControlKind::Label, {}, 0, 0, {}, 709},
    {IDC_STARTUP_RESET, ControlKind::Label, {}, 0, 0, {}, 710},
};
const ControlTable kTable = controlTable(kControls);

// What the page keeps while it exists; the working copy itself is the session's.
struct StartupPage {
  explicit StartupPage(EditorSession& s) : session(&s) {}

  EditorSession* session;
  StartupState* state = nullptr;
  const DefaultMessages* defaults = nullptr;
  std::unique_ptr<DefaultMessages> ownDefaults;  // only when the program gave none
  BoundRecord bound;
};

bool large(const StartupPage& p) { return p.state->largeFont != 0; }

HWND sheetOf(HWND page) {
  HWND parent = GetParent(page);
  return parent != nullptr ? parent : page;
}

// Writes a control's text without taking it as the user's edit.
void showText(HWND page, int id, const char* text, StartupPage& p) {
  const bool wasUpdating = p.bound.updating;
  p.bound.updating = true;
  SetDlgItemTextA(page, id, text);
  p.bound.updating = wasUpdating;
}

void fillDelimiterItems(HWND page, UiStrings& strings) {
  HWND combo = GetDlgItem(page, IDC_STARTUP_DELIMITERS);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int id : {kStrNil, kStrOneDelimiter, kStrTwoDelimiters}) {
    const UiText item = strings.text(id);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

// The group list: each group's name and its size in the current font.
void fillGroupList(HWND page, StartupPage& p) {
  HWND combo = GetDlgItem(page, IDC_STARTUP_GROUP);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (int g = 0; g < kStartupGroups; ++g) {
    const UiText name = p.session->strings.text(kStrMainMenuGroup + g);
    char size[16];
    groupSizeLabel(g, large(p), size, sizeof size);
    const std::string item = std::string(name.c_str()) + size;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(p.state->group), 0);
}

void showGroup(HWND page, StartupPage& p) {
  const StartupState& s = *p.state;
  const int lines = groupLineCount(s.group, large(p));
  const std::string blanks(static_cast<std::size_t>(groupWidthLimit(s.group, large(p))), ' ');
  for (int line = 0; line < kStartupLines; ++line) {
    const bool used = line < lines;
    char shown[2 * kStartupRowSize + 1];
    literalStaticText(defaultLineText(*p.defaults, s.group, line, large(p)), shown, sizeof shown);
    showText(page, IDC_STARTUP_DEFAULT_BASE + 1 + line, used ? shown : blanks.c_str(), p);
    showText(page, IDC_STARTUP_TEXT_BASE + 1 + line, used ? s.text[s.group][line] : blanks.c_str(), p);
    enableControl(page, IDC_STARTUP_DEFAULT_BASE + 1 + line, used);
    enableControl(page, IDC_STARTUP_TEXT_BASE + 1 + line, used);
  }
  SendDlgItemMessageA(page, IDC_STARTUP_GROUP, CB_SETCURSEL, static_cast<WPARAM>(s.group), 0);
}

void enableDelimiterFields(HWND page, const StartupState& s) {
  for (int which = 0; which < 2; ++which) {
    const bool on = s.delimiterCount > which;
    enableControl(page, IDC_STARTUP_CODE_FIRST + which, on);
    enableControl(page, IDC_STARTUP_CHAR_FIRST + which, on);
  }
}

// Writes delimiter fields under the mirror guard, so that their echo is not taken as typing.
void showDelimiterField(HWND page, int id, const char* text, StartupState& s) {
  s.mirroring = true;
  HWND edit = GetDlgItem(page, id);
  SetWindowTextA(edit, text);
  const int end = GetWindowTextLengthA(edit);
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  s.mirroring = false;
}

void showDelimiters(HWND page, StartupState& s) {
  for (int which = 0; which < 2; ++which) {
    char text[8];
    delimiterCodeText(s.delimiter[which], text, sizeof text);
    showDelimiterField(page, IDC_STARTUP_CODE_FIRST + which, text, s);
    delimiterCharText(s.delimiter[which], text, sizeof text);
    showDelimiterField(page, IDC_STARTUP_CHAR_FIRST + which, text, s);
  }
  enableDelimiterFields(page, s);
}

// Everything from the working copy: on opening, after Reset and after an import.
void showAll(HWND page, StartupPage& p) {
  fillControls(page, kTable, p.bound);
  showDelimiters(page, *p.state);
  fillGroupList(page, p);
  showGroup(page, p);
}

void delimiterTyped(HWND page, StartupPage& p, int id) {
  StartupState& s = *p.state;
  if (s.mirroring) return;
  char text[64] = {};
  GetDlgItemTextA(page, id, text, sizeof text);
  const bool codeField = id < IDC_STARTUP_CHAR_FIRST;
  const int which = id - (codeField ? IDC_STARTUP_CODE_FIRST : IDC_STARTUP_CHAR_FIRST);
  const DelimiterUpdate u = codeField ? delimiterCodeTyped(s, which, text) : delimiterCharTyped(s, which, text);
  if (u.ignored) return;
  if (u.refused) messageBoxById(sheetOf(page), p.session->strings, kStrWarning, kStrInvalidValue, MB_OK | MB_ICONWARNING);
  if (u.rewriteField) showDelimiterField(page, id, u.fieldText, s);
  const int other = codeField ? IDC_STARTUP_CHAR_FIRST + which : IDC_STARTUP_CODE_FIRST + which;
  showDelimiterField(page, other, u.otherText, s);
}

void lineTyped(HWND page, StartupPage& p, int id) {
  if (p.bound.updating) return;
  char text[256] = {};
  HWND edit = GetDlgItem(page, id);
  GetWindowTextA(edit, text, sizeof text);
  if (editLine(*p.state, id - IDC_STARTUP_TEXT_BASE - 1, text)) putBackText(edit, text, p.bound);
}

void importPrompts(HWND page, StartupPage& p) {
  UiStrings& strings = p.session->strings;
  const std::string filter = fileFilter(strings, {kStrTemplateFilterName, kStrTemplatePattern}, FilterTexts::Lookup);
  char path[MAX_PATH] = {};
  const FileChoice choice{sheetOf(page), filter, path, sizeof path, nullptr,
                          OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY};
  if (!chooseFileToOpen(choice)) return;
  std::vector<std::uint8_t> bytes;
  if (!readFileBytes(path, kTemplateReadLimit, bytes)) return;  // a file that cannot be opened: nothing happens
  const TemplateImport result = importTemplate(bytes.data(), bytes.size(), p.session->definition.versionTag,
                                               *p.defaults, p.session->definition, *p.state);
  if (result == TemplateImport::Mismatch) {
    messageBoxById(sheetOf(page), strings, kStrError, kStrFormatMismatch, MB_OK | MB_ICONWARNING);
    return;
  }
  showAll(page, p);
  if (result == TemplateImport::Incomplete)
    messageBoxById(sheetOf(page), strings, kStrWarning, kStrFileIncomplete, MB_OK | MB_ICONWARNING);
}

void onCommand(HWND page, StartupPage& p, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code == EN_CHANGE && id >= IDC_STARTUP_CODE_FIRST && id < IDC_STARTUP_CHAR_FIRST + 2) {
    delimiterTyped(page, p, id);
    return;
  }
  if (code == EN_CHANGE && id > IDC_STARTUP_TEXT_BASE && id <= IDC_STARTUP_TEXT_BASE + kStartupLines) {
    lineTyped(page, p, id);
    return;
  }
  if (id == IDC_STARTUP_GROUP && code == CBN_SELCHANGE) {
    const LRESULT item = SendDlgItemMessageA(page, IDC_STARTUP_GROUP, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR) return;
    p.state->group = static_cast<int>(item);
    showGroup(page, p);
    return;
  }
  if (id == IDC_STARTUP_RESET && code == BN_CLICKED) {
    resetStartup(*p.state, *p.defaults);
    showAll(page, p);
    return;
  }
  if (id == IDC_STARTUP_IMPORT && code == BN_CLICKED) {
    importPrompts(page, p);
    return;
  }
  const ControlBinding* stored = storeControlChange(page, kTable, wParam, p.bound);
  if (stored == nullptr) return;
  if (stored->id == IDC_STARTUP_DELIMITERS) {
    setDelimiterCount(*p.state, p.state->delimiterCount);
    enableDelimiterFields(page, *p.state);
  } else if (stored->id == IDC_STARTUP_LARGE_FONT) {
    setLargeFont(*p.state, *p.defaults, large(p));
    fillGroupList(page, p);
    showGroup(page, p);
  }
}

void openPage(HWND page, StartupPage& p) {
  EditorSession& session = *p.session;
  p.state = &session.startup;
  p.defaults = session.defaults;
  if (p.defaults == nullptr) {
    p.ownDefaults = std::make_unique<DefaultMessages>();
    buildDefaultMessages(session.strings, *p.ownDefaults);
    p.defaults = p.ownDefaults.get();
  }
  p.bound.record = p.state;
  openStartup(*p.state, session.definition);
  fillComboItems(page, kTable, session.strings);
  fillDelimiterItems(page, session.strings);
  relabelControls(page, kTable, session.strings);
  showAll(page, p);
}

INT_PTR applyPage(HWND, StartupPage& p) {
  applyStartup(*p.state, p.session->applyTarget());
  if (p.state->textsChanged) p.session->startupTextsApplied = true;
  return PSNRET_NOERROR;
}

}  // namespace

const DLGPROC startupPageProc = pageProc<StartupPage, openPage, onCommand, applyPage>;

}  // namespace torvik
