#include "shell/history_win32.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "base/text.h"
#include "definition/recovery_file.h"
#include "editor/lookup_rules.h"
#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "shell/open_requests_win32.h"
#include "shell/project_files_win32.h"
#include "shell/session.h"
#include "simulator/face_win32.h"
#include "simulator/keypad.h"
#include "win/file_read_win32.h"

namespace torvik {

namespace {

constexpr char kRecoveryFileName[] = "\\Torvik.recovery";

// Beside the INI file; "" when there is no such folder.
std::string recoveryPath() {
  std::string folder;
  return iniFolder(folder) ? folder + kRecoveryFileName : std::string();
}

// The design that a step or a restore put in place reaches the rest of the program.
void showRestoredDesign() {
  App& a = app();
  // The Startup page's defaults number the Calculator entry by the lookups now defined.
  renumberCalculatorDefaults(a.definition, defaultMessagesForEditor());
  simulatorKey(kKeyDesignApplied);
}

void putState(const ApplicationDefinition* state) {
  App& a = app();
  a.definition = *state;
  a.session.modified = !a.history.atSavedPoint();
  showRestoredDesign();
  writeRecoveryFile();
}

std::string localTimeText() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[kRecoveryTimeSize];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
  return text;
}

// "&Undo: form 3 line 2 prompt\tCtrl+Z", greyed when there is no step to take.
void historyItem(HMENU popup, UINT command, int textId, bool possible, const std::string& label, const char* keys) {
  std::string text = app().strings.text(textId).c_str();
  if (possible && !label.empty()) text += ": " + label;
  text += keys;
  ModifyMenuA(popup, command, MF_BYCOMMAND | MF_STRING | (possible ? MF_ENABLED : MF_GRAYED), command, text.c_str());
}

}  // namespace

void startFreshHistory() {
  app().history.clear();
  writeRecoveryFile();
}

void recordDesignStep(const ApplicationDefinition& before) {
  App& a = app();
  UiStrings& s = a.strings;
  const UiText several = s.text(kStrSeveralSettings);
  const UiText andWord = s.text(kStrAndWord);
  const UiText many = s.text(kStrManyPlaces);
  const ChangeWords words{several.c_str(), andWord.c_str(), many.c_str()};
  if (!a.history.record(before, a.definition, changeLabel(before, a.definition, words))) return;
  a.session.modified = true;
  writeRecoveryFile();
}

bool undoDesignStep() {
  const ApplicationDefinition* state = app().history.undo();
  if (state == nullptr) return false;
  putState(state);
  return true;
}

bool redoDesignStep() {
  const ApplicationDefinition* state = app().history.redo();
  if (state == nullptr) return false;
  putState(state);
  return true;
}

void designSaved() {
  App& a = app();
  a.history.markSaved();
  a.session.modified = false;
  removeRecoveryFile();
}

void refreshHistoryItems(HMENU popup) {
  const DesignHistory& h = app().history;
  historyItem(popup, IDM_UNDO, kStrUndoItem, h.canUndo(), h.undoLabel(), "\tCtrl+Z");
  historyItem(popup, IDM_REDO, kStrRedoItem, h.canRedo(), h.redoLabel(), "\tCtrl+Y");
}

void offerRecovery(HWND owner) {
  App& a = app();
  // Only the first program keeps the recovery file; one started beside it leaves it alone.
  if (!firstRunningProgram()) return;
  const std::string path = recoveryPath();
  if (path.empty()) return;
  a.recoveryActive = true;
  std::vector<std::uint8_t> bytes;
  if (!readFileBytes(path.c_str(), static_cast<DWORD>(recoveryFileSize() + 1), bytes)) return;  // a clean last exit
  auto state = std::make_unique<RecoveryState>();
  UiStrings& s = a.strings;
  if (decodeRecovery(bytes.data(), bytes.size(), *state) != RecoveryRead::Read) {
    // Never loaded; the next change writes a good file over it.
    const std::string text = fillTemplate(s.text(kStrRecoveryRefused).c_str(), {path.c_str()}) + " " +
                             s.text(kStrRecoveryDamaged).c_str();
    MessageBoxA(owner, text.c_str(), s.text(kStrWarning).c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  if (!state->modified) {
    removeRecoveryFile();  // nothing was unsaved
    return;
  }
  const UiText unnamed = s.text(kStrUnnamedDesign);
  const std::string question =
      std::string(s.text(kStrNotClosedProperly).c_str()) + " " +
      fillTemplate(s.text(kStrRestoreQuestion).c_str(), {state->path[0] != '\0' ? state->path : unnamed.c_str(), state->written});
  if (MessageBoxA(owner, question.c_str(), savePromptCaption(s), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    removeRecoveryFile();
    return;
  }
  a.definition = state->design;
  copyText(a.session.currentFile, state->path);
  a.session.modified = true;
  // Nothing the history holds leads back to the file: the design stays modified until saved.
  a.history.clear(false);
  showRestoredDesign();
  writeRecoveryFile();
}

void writeRecoveryFile() {
  App& a = app();
  if (!a.recoveryActive) return;
  const std::string path = recoveryPath();
  if (path.empty()) return;
  auto state = std::make_unique<RecoveryState>();
  state->modified = a.session.modified;
  copyText(state->path, a.session.currentFile);
  copyText(state->written, localTimeText().c_str());
  state->design = a.definition;
  const std::vector<std::uint8_t> bytes = encodeRecovery(*state);
  // A failed write keeps the previous file whole; the next change tries again. A message after
  // every change would stop the designer's work for what is only a safety net.
  replaceFileContents(path.c_str(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

void removeRecoveryFile() {
  if (!app().recoveryActive) return;
  const std::string path = recoveryPath();
  if (!path.empty()) DeleteFileA(path.c_str());
}

}  // namespace torvik
