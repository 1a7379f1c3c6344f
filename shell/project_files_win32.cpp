#include "shell/project_files_win32.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "definition/new_defaults.h"
#include "definition/project_file.h"
#include "editor/lookup_rules.h"
#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "shell/history_win32.h"
#include "win/file_dialog_win32.h"
#include "win/file_read_win32.h"
#include "shell/ini_file.h"
#include "shell/recent_files.h"

namespace torvik {

namespace {

// Our own messages (ids no other text uses).

// The converted file's warning is one fixed text in Russian, whatever the language: shown
// through the wide API so that it reads right under any ANSI code page.
constexpr wchar_t kUpgradeWarning[] =
    L"\u0417\u0430\u0434\u0430\u0447\u0430 \u043F\u0440\u0435\u043E\u0431\u0440\u0430\u0437\u043E\u0432\u0430"
    L"\u043D\u0430 \u0432 \u043D\u043E\u0432\u044B\u0439 \u0444\u043E\u0440\u043C\u0430\u0442.\r\n"
    L"\u041F\u043E\u0436\u0430\u043B\u0443\u0439\u0441\u0442\u0430, \u0441\u043E\u0445\u0440\u0430\u043D"
    L"\u0438\u0442\u0435 \u043D\u043E\u0432\u0443\u044E \u0432\u0435\u0440\u0441\u0438\u044E!";

constexpr char kIniFolderName[] = "\\Fernwick";
constexpr char kIniFileName[] = "\\Torvik.ini";
constexpr DWORD kIniReadLimit = 64 * 1024;  // far more than any real INI file holds

DefaultMessages& messageTable() {
  static DefaultMessages* table = new DefaultMessages();
  return *table;
}

// Where the recent files sit on the popup menu, so an update can take them out again.
struct RecentMenu {
  HMENU popup = nullptr;
  int position = 0;
  int inserted = 0;  // items, separator included
};

RecentMenu& recentMenu() {
  static RecentMenu menu;
  return menu;
}

HWND activeOwner() {
  HWND active = GetActiveWindow();
  return active != nullptr ? active : app().mainWindow;
}

// The folder part of `path`, with its backslash; "" for a bare name (the current folder).
std::string folderOf(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  const char* colon = std::strrchr(path, ':');
  const char* end = slash != nullptr ? slash : colon;
  return end == nullptr ? std::string() : std::string(path, static_cast<std::size_t>(end - path + 1));
}


void removeRecentItems() {
  RecentMenu& m = recentMenu();
  if (m.popup != nullptr && IsMenu(m.popup)) {
    for (int i = 0; i < m.inserted; ++i) DeleteMenu(m.popup, static_cast<UINT>(m.position), MF_BYPOSITION);
  }
  m.inserted = 0;
}

void insertRecentItems() {
  RecentMenu& m = recentMenu();
  if (m.popup == nullptr || !IsMenu(m.popup)) return;
  const Preferences& p = app().preferences;
  const int count = recentFileCount(p.recentFiles);
  for (int n = 0; n < count; ++n) {
    char text[kRecentMenuTextSize];
    recentMenuText(n, p.recentFiles[n], text);
    InsertMenuA(m.popup, static_cast<UINT>(m.position + n), MF_BYPOSITION | MF_STRING,
                static_cast<UINT_PTR>(IDM_RECENT_FIRST + n), text);
  }
  if (count > 0) InsertMenuA(m.popup, static_cast<UINT>(m.position + count), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  m.inserted = count > 0 ? count + 1 : 0;
}

// Last file, recent list, popup menu and INI file after a save or a load of `path`.
void updateRecentFilesWith(const char* path) {
  Preferences& p = app().preferences;
  copyText(p.lastProject, path);
  removeRecentItems();
  updateRecentFiles(p.recentFiles, path);
  insertRecentItems();
  writePreferences(p);
}

bool writeProjectTo(HWND owner, const char* path) {
  auto image = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(app().definition, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(image.get()));
  if (!replaceFileContents(path, image.get(), static_cast<DWORD>(kProjectFileSize))) {
    messageBoxById(owner, kStrError, kStrSaveFailed, MB_OK | MB_ICONERROR);
    return false;
  }
  updateRecentFilesWith(path);
  designSaved();
  return true;
}

void showUpgradeWarning() {
  // The caption is a UI string in the ANSI code page; the text is the fixed wide one.
  wchar_t caption[128] = {};
  MultiByteToWideChar(CP_ACP, 0, app().strings.lookup(kStrWarning, TextKind::Caption), -1, caption, 127);
  MessageBoxW(activeOwner(), kUpgradeWarning, caption, MB_OK | MB_ICONWARNING);
}

}  // namespace

bool iniFolder(std::string& folder) {
  char appData[256];
  const DWORD n = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
  if (n == 0 || n >= sizeof appData) return false;
  folder = std::string(appData) + kIniFolderName;
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  return GetLastError() == ERROR_ALREADY_EXISTS;
}

bool replaceFileContents(const char* path, const void* data, DWORD size) {
  std::string folder = folderOf(path);
  char temporary[MAX_PATH + 16];
  // The system's temporary names need a folder of at most 246 characters; a deeper one (a
  // project path may have 255) takes the file's own name with a "~" after it.
  if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tvx", 0, temporary) == 0) {
    const int n = std::snprintf(temporary, sizeof temporary, "%s~", path);
    if (n < 0 || n >= static_cast<int>(sizeof temporary)) return false;
  }
  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(temporary);
    return false;
  }
  DWORD written = 0;
  bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temporary);
  return ok;
}

bool saveProject(HWND owner) {
  Session& session = app().session;
  if (session.currentFile[0] == '\0') return saveProjectAs(owner);
  return writeProjectTo(owner, session.currentFile);
}

bool saveProjectAs(HWND owner) {
  const std::string filter = fileFilter(app().strings, {kStrSaveFilterName, kStrProjectPattern}, FilterTexts::Lookup);
  char chosen[MAX_PATH] = {};
  if (!chooseFileToSave(
          {owner, filter, chosen, sizeof chosen, "TVX", OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST}))
    return false;
  Session& session = app().session;
  if (!projectFileName(chosen, session.currentFile, sizeof session.currentFile)) {
    messageBoxById(owner, kStrError, kStrNameTooLong, MB_OK | MB_ICONERROR);
    return false;
  }
  return saveProject(owner);
}

bool openProject(HWND owner) {
  App& a = app();
  const std::string filter = fileFilter(app().strings, {kStrProjectFilterName, kStrProjectPattern, kStrTemplateFilterName,
                                         kStrTemplatePattern, kStrAllFilterName, kStrAllPattern},
                                        FilterTexts::Lookup);
  char chosen[256] = {};
  if (a.preferences.autoPreload && std::strcmp(a.preferences.lastProject, kNoLastProject) != 0)
    copyText(chosen, a.preferences.lastProject);
  // The design was reset before the dialog: whatever happens now, it is no longer the
  // file it was loaded from.
  a.session.currentFile[0] = '\0';
  if (!chooseFileToOpen({owner, filter, chosen, sizeof chosen, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY}))
    return false;
  return loadProject(owner, chosen, false);
}

bool loadProject(HWND, const char* path, bool quietIfMissing) {
  App& a = app();
  std::vector<std::uint8_t> bytes;
  if (!readFileBytes(path, static_cast<DWORD>(kProjectFileSize), bytes)) {
    (void)quietIfMissing;  // a file that cannot be opened is never reported
    return false;
  }
  const LoadResult result = loadProjectFile(bytes.data(), bytes.size(), a.definition, a.strings);
  if (!result.loaded()) {
    messageBoxById(activeOwner(), kStrError, kStrFormatMismatch, MB_OK | MB_ICONWARNING);
    return false;
  }
  if (result.updatesRecentFiles()) {
    copyText(a.session.currentFile, path);
    updateRecentFilesWith(path);
  } else {
    // A converted older file gets a name of its own at the next Save, so the original
    // stays readable by the program that wrote it.
    a.session.currentFile[0] = '\0';
  }
  // The loaded lookups decide the Calculator entry's number in the defaults the editor offers.
  renumberCalculatorDefaults(a.definition, messageTable());
  startFreshHistory();
  if (result.upgraded) showUpgradeWarning();
  if (result.incomplete) messageBoxById(activeOwner(), kStrWarning, kStrFileIncomplete, MB_OK | MB_ICONWARNING);
  return true;
}

void readPreferences(Preferences& preferences) {
  std::string folder;
  std::vector<std::uint8_t> bytes;
  if (!iniFolder(folder) || !readFileBytes((folder + kIniFileName).c_str(), kIniReadLimit, bytes)) {
    resetPreferences(preferences);
    return;
  }
  parseIni(reinterpret_cast<const char*>(bytes.data()), bytes.size(), preferences);
}

void writePreferences(const Preferences& preferences) {
  std::string folder;
  if (!iniFolder(folder)) return;
  const std::string text = formatIni(preferences);
  // A file that cannot be written is no error to report: the values stay for this run.
  replaceFileContents((folder + kIniFileName).c_str(), text.data(), static_cast<DWORD>(text.size()));
}

void rebuildDefaultMessages() {
  buildDefaultMessages(app().strings, messageTable());
  renumberCalculatorDefaults(app().definition, messageTable());
}

const DefaultMessages& defaultMessages() { return messageTable(); }

DefaultMessages& defaultMessagesForEditor() { return messageTable(); }

void resetToNewApplication() {
  applyNewApplicationDefaults(app().definition, messageTable());
  // A new design has no lookup file: its Calculator entry, and the defaults, read 8 again.
  renumberCalculatorEntry(app().definition, &messageTable());
  startFreshHistory();
}

void insertRecentFileItems(HMENU popup, int position) {
  // The face calls this with a freshly loaded menu, which holds none of our items.
  RecentMenu& m = recentMenu();
  m.popup = popup;
  m.position = position;
  m.inserted = 0;
  insertRecentItems();
}

}  // namespace torvik
