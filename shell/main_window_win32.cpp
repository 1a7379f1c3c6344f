#include "shell/main_window_win32.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "check/design_check.h"
#include "check/finding_place.h"
#include "editor/definition_editor_win32.h"
#include "link/download.h"
#include "link/link_commands_win32.h"
#include "resources/resource_ids.h"
#include "shell/about_dialog_win32.h"
#include "shell/app_win32.h"
#include "shell/check_dialog_win32.h"
#include "shell/commands.h"
#include "shell/face_zoom_win32.h"
#include "shell/history_win32.h"
#include "shell/open_requests_win32.h"
#include "win/language_files_win32.h"
#include "shell/preferences_dialog_win32.h"
#include "shell/project_files_win32.h"
#include "shell/recent_files.h"
#include "simulator/face_scale.h"
#include "simulator/face_win32.h"
#include "simulator/keypad.h"
#include "win/dpi_win32.h"

namespace torvik {

namespace {

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The face at `dpi` times the zoom: the face repaints at that scale and the window (at
// `left`, `top`) takes its size.
void scaleToFace(HWND window, int dpi, int left, int top) {
  App& a = app();
  const int percent = scalePercent(dpi, a.zoom);
  const int width = scaleCoordinate(kMainWidth, percent);
  const int height = scaleCoordinate(kMainHeight, percent);
  setFaceScale(a.client, percent, a.zoom);
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (a.client != nullptr) SetWindowPos(a.client, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

class WindowPrompt : public SavePromptUi {
 public:
  explicit WindowPrompt(HWND owner) : owner_(owner) {}
  Answer askSaveCurrent() override {
    App& a = app();
    const char* text = a.strings.lookup(kStrSaveCurrentProgram, TextKind::Message);
    const int answer = MessageBoxA(owner_, text, savePromptCaption(a.strings), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) return Answer::Yes;
    if (answer == IDNO) return Answer::No;
    return Answer::Cancel;
  }
  bool saveCurrent() override { return saveProject(owner_); }

 private:
  HWND owner_;
};

class RecentPrompt : public RecentFileUi {
 public:
  explicit RecentPrompt(HWND owner) : prompt_(owner), owner_(owner) {}
  Answer askSaveCurrent() override { return prompt_.askSaveCurrent(); }
  bool saveCurrent() override { return prompt_.saveCurrent(); }
  bool load(const char* path) override { return loadProject(owner_, path, false); }

 private:
  WindowPrompt prompt_;
  HWND owner_;
};

bool mayDiscardDesign(HWND window) {
  WindowPrompt prompt(window);
  return confirmDiscard(app().session, prompt);
}

void resetDesign() { resetToNewApplication(); }

// `place`, when given, is where the sheet opens: the check's "Go to".
void editThenRestartSimulator(HWND window, const FindingPlace* place = nullptr) {
  App& a = app();
  bool dialogsStored = false;
  EditorContext context{a.instance, window, a.definition, a.strings, a.session.currentFile};
  context.defaults = &defaultMessagesForEditor();
  context.dialogsStored = &dialogsStored;
  if (place != nullptr && place->page != EditorPage::None) {
    context.startPage = place->page;
    context.startRecord = place->record;
    context.focusControl = place->control;
  }
  const auto before = std::make_unique<ApplicationDefinition>(a.definition);
  const bool confirmed = runDefinitionEditor(context);
  // One step for the whole session of the editor, what its dialogs stored on their own OK
  // included (that stays even when the sheet was cancelled).
  if (confirmed || dialogsStored) {
    recordDesignStep(*before);
    a.session.modified = true;
  }
  if (confirmed) {
    // The simulator takes up the stored design from its main menu, the lookup entry included.
    simulatorKey(kKeyDesignApplied);
  } else {
    simulatorReturnToMainMenu(a.client);
  }
}

// The check's findings until the user is done with them: "Go to" edits the design where a
// finding is mended (one undo step, as every editor session) and the check runs again.
// Before a download, returns true when it may go on: no errors left, or "Download anyway".
bool reviewDesign(HWND window, CheckDialogMode mode) {
  App& a = app();
  int selected = 0;
  for (;;) {
    std::vector<CheckFinding> findings = checkDesign(a.definition, a.strings);
    sortBySeverity(findings);
    if (mode == CheckDialogMode::BeforeDownload && countFindings(findings).errors == 0) return true;
    CheckDialogData data{a.strings, findings, mode};
    data.selected = selected;
    const CheckChoice choice = runCheckDialog(a.instance, window, data);
    if (choice == CheckChoice::DownloadAnyway) return true;
    if (choice != CheckChoice::GoTo) return false;
    const FindingPlace place = placeOfFinding(findings[static_cast<std::size_t>(data.selected)].where);
    editThenRestartSimulator(window, &place);
    selected = data.selected;
  }
}

// A lookup file chosen for download, checked against the lookup definition it fits best (the
// download does not say which one it is for): its errors show before the port opens.
bool approveLookupFile(HWND owner, const char* path, const std::uint8_t* data, std::size_t size) {
  // Files the download refuses outright get its own message.
  if (findOverlongLookupLine(data, size) != 0 || findLineFeedEndedLine(data, size) != 0) return true;
  App& a = app();
  const char* slash = std::strrchr(path, '\\');
  const std::string name = slash != nullptr ? slash + 1 : path;
  std::vector<CheckFinding> best;
  int bestErrors = -1;
  for (int n = 1; n <= kLookupCount; ++n) {
    if (!a.definition.lookup[n - 1].isDefined()) continue;
    std::vector<CheckFinding> findings = checkLookupFile(a.definition, n, name, data, size, &a.strings);
    const int errors = countFindings(findings).errors;
    if (bestErrors < 0 || errors < bestErrors) {
      best = std::move(findings);
      bestErrors = errors;
    }
  }
  if (bestErrors <= 0) return true;
  sortBySeverity(best);
  CheckDialogData dialog{a.strings, best, CheckDialogMode::BeforeDownload};
  return runCheckDialog(a.instance, owner, dialog) == CheckChoice::DownloadAnyway;
}

// The main window's answers to the commands of the popup menu and the keyboard.
class MainCommands : public CommandTarget {
 public:
  explicit MainCommands(HWND window) : window_(window) {}

  LinkContext linkContext() {
    App& a = app();
    Preferences& p = a.preferences;
    return LinkContext{window_, a.instance, a.definition, a.strings, p.portIndex, p.comNumber, p.baudRateIndex,
                       approveLookupFile};
  }

  void newApplication() override {
    if (!mayDiscardDesign(window_)) return;
    App& a = app();
    resetRecordCounter();
    a.session.currentFile[0] = '\0';
    a.session.modified = false;
    resetDesign();
    editThenRestartSimulator(window_);
  }

  void open() override { openDesign(window_, nullptr); }

  // A good save clears the Modified flag and marks the saved point in the history.
  void save() override { saveProject(window_); }
  void saveAs() override { saveProjectAs(window_); }

  void edit() override { editThenRestartSimulator(window_); }
  void undo() override { undoDesignStep(); }
  void redo() override { redoDesignStep(); }

  void preferences() override {
    runPreferencesDialog(window_);
    placeMainWindow(window_, false);
  }

  void checkDesign() override { reviewDesign(window_, CheckDialogMode::Review); }

  // The check runs first: errors stop the download unless the user sends it anyway.
  void downloadApplication(bool cradle) override {
    if (!reviewDesign(window_, CheckDialogMode::BeforeDownload)) return;
    torvik::downloadApplication(linkContext(), cradle);
  }
  void downloadLookupFile(bool cradle) override { torvik::downloadLookupFile(linkContext(), cradle); }
  void receiveData(bool cradle) override { torvik::receiveData(linkContext(), cradle); }
  void about() override { runAboutBox(window_); }
  void exit() override { SendMessageA(window_, WM_CLOSE, 0, 0); }

  void zoom(int percent) override {
    App& a = app();
    a.zoom = validZoom(percent);
    writeFaceZoom(a.zoom);
    RECT r;
    GetWindowRect(window_, &r);
    scaleToFace(window_, windowDpi(window_), r.left, r.top);
  }

  void openRecent(int n) override {
    App& a = app();
    RecentPrompt ui(window_);
    openRecentFile(a.session, a.preferences.recentFiles, n, ui);
    simulatorReturnToMainMenu(a.client);
  }

 private:
  HWND window_;
};

// The program folder is where language files live: the program's path up to and
// including its last backslash.
void findProgramFolder(char (&folder)[257]) {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) {
    folder[0] = '\0';
    return;
  }
  char* slash = std::strrchr(path, '\\');
  if (slash != nullptr) slash[1] = '\0';
  copyText(folder, path);
}

void onCreate(HWND window) {
  App& a = app();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  findProgramFolder(a.programFolder);
  readPreferences(a.preferences);
  a.zoom = readFaceZoom();
  const int languages = findLanguages(a.strings, a.programFolder);
  a.strings.setLanguageActive(languages > 0 && loadLanguage(a.strings, a.preferences.languageName));
  // The new design's prompts come from the language just loaded.
  rebuildDefaultMessages();
  resetDesign();
  // A design named on the command line takes the place of the last one.
  if (!a.designNamedAtStart && a.preferences.autoPreload && std::strcmp(a.preferences.lastProject, kNoLastProject) != 0) {
    char path[sizeof a.preferences.lastProject];
    copyText(path, a.preferences.lastProject);
    loadProject(window, path, true);
  }
  placeMainWindow(window, true);
  FaceContext face;
  face.instance = a.instance;
  face.commandWindow = window;
  face.definition = &a.definition;
  face.strings = &a.strings;
  face.clock = &systemClock();
  face.insertRecentFiles = insertRecentFileItems;
  a.client = CreateWindowExA(WS_EX_ACCEPTFILES, kFaceClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, kMainWidth,
                             kMainHeight, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_CLIENT_WINDOW)),
                             a.instance, &face);
  DragAcceptFiles(window, TRUE);
  RECT r;
  GetWindowRect(window, &r);
  scaleToFace(window, windowDpi(window), r.left, r.top);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      app().mainWindow = window;
      onCreate(window);
      return 0;
    case WM_COMMAND: {
      MainCommands commands(window);
      const Preferences& p = app().preferences;
      dispatchCommand(LOWORD(wParam), p.downloadTransport, p.receiveTransport, commands);
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the face follows, where the system suggests.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      RECT now;
      GetWindowRect(window, &now);
      if (suggested == nullptr) suggested = &now;
      scaleToFace(window, HIWORD(wParam), suggested->left, suggested->top);
      return 0;
    }
    case WM_DROPFILES:
      onDropFiles(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_COPYDATA:
      return onOpenRequest(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case kMsgOpenQueued:
      openQueuedDesign(window);
      return 0;
    case WM_ENABLE:
      // A dialog has closed: a design queued while it was open can come in now.
      if (wParam != 0) PostMessageA(window, kMsgOpenQueued, 0, 0);
      return 0;
    case WM_CLOSE:
      if (mayDiscardDesign(window)) DestroyWindow(window);
      return 0;
    case WM_INITMENUPOPUP:
      refreshHistoryItems(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_DESTROY:
      // A clean exit: whatever was unsaved, the user chose to leave it.
      removeRecoveryFile();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

void openDesign(HWND window, const char* path) {
  if (!mayDiscardDesign(window)) return;
  App& a = app();
  resetRecordCounter();
  a.session.modified = false;
  resetDesign();
  readPreferences(a.preferences);
  placeMainWindow(window, true);
  bool loaded = false;
  if (path == nullptr) {
    loaded = openProject(window);
  } else {
    // The design was reset: it is no longer the file it was loaded from, whatever happens now.
    a.session.currentFile[0] = '\0';
    loaded = loadProject(window, path, false);
  }
  if (loaded) editThenRestartSimulator(window);
}

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "Torvik");
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kMainClassName;
  return RegisterClassA(&wc) != 0;
}

HWND createMainWindow(HINSTANCE instance) {
  return CreateWindowExA(0, kMainClassName, kMainWindowTitle, WS_POPUP, kMainLeft, kMainTop, kMainWidth,
                         kMainHeight, nullptr, nullptr, instance, nullptr);
}

void placeMainWindow(HWND window, bool home) {
  RECT r;
  GetWindowRect(window, &r);
  const int x = home ? kMainLeft : r.left;
  const int y = home ? kMainTop : r.top;
  HWND order = app().preferences.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST;
  const int percent = scalePercent(windowDpi(window), app().zoom);
  SetWindowPos(window, order, x, y, scaleCoordinate(kMainWidth, percent), scaleCoordinate(kMainHeight, percent),
               SWP_SHOWWINDOW);
}

}  // namespace torvik
