#include "shell/open_requests_win32.h"

#include <cstring>
#include <memory>
#include <string>

#include "base/string_ids.h"
#include "definition/project_file.h"
#include "shell/app_win32.h"
#include "shell/main_window_win32.h"
#include "shell/project_files_win32.h"
#include "simulator/face_win32.h"

namespace torvik {

namespace {

// One name for every session of the same user: a second start finds the first.
constexpr char kRunningMutexName[] = "Local\\Fernwick.Torvik.Running";
// How long a second start waits for the first one's window (it may still be starting).
constexpr DWORD kFindWindowMs = 10000;
// A first program inside a long transfer answers only when it is done.
constexpr UINT kHandOverMs = 120000;

// The queued file (empty: none) that the main window opens once it takes commands.
char queuedPath[kOpenPathSize] = {};

// A message whose text is a UI string and the file's path on a line of its own.
void pathMessage(HWND owner, int captionId, int textId, const char* path) {
  App& a = app();
  const UiText caption = a.strings.text(captionId);
  const std::string text = std::string(a.strings.text(textId).c_str()) + "\r\n\r\n" + path;
  MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

// The full path of `name`, which may be relative to this process's folder; false (with the
// program's message) when it does not fit a project file name.
bool fullPath(HWND owner, const char* name, char (&out)[kOpenPathSize]) {
  const DWORD n = GetFullPathNameA(name, kOpenPathSize, out, nullptr);
  if (n > 0 && n < kOpenPathSize) return true;
  messageBoxById(owner, kStrError, kStrNameTooLong, MB_OK | MB_ICONERROR);
  return false;
}

// True when `path` is a file that can be read; otherwise says why. With `checkFormat`, the
// file must also be a design the loader takes, so that a wrong file costs no Save prompt and
// no reset.
bool designFileReady(HWND owner, const char* path, bool checkFormat) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    pathMessage(owner, kStrError, kStrFolderNotDesign, path);
    return false;
  }
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    pathMessage(owner, kStrError, kStrCannotOpenNamed, path);
    return false;
  }
  std::uint8_t head[16] = {};
  DWORD got = 0;
  const bool read = ReadFile(file, head, sizeof head, &got, nullptr) != FALSE;
  CloseHandle(file);
  if (!read) {
    pathMessage(owner, kStrError, kStrCannotOpenNamed, path);
    return false;
  }
  if (checkFormat && projectFileKind(head, got, app().definition) == LoadStatus::Mismatch) {
    pathMessage(owner, kStrError, kStrNotADesign, path);
    return false;
  }
  return true;
}

void queueDesign(HWND window, const char* path) {
  copyText(queuedPath, path);
  PostMessageA(window, kMsgOpenQueued, 0, 0);
}

void bringToFront(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

HWND findRunningWindow() {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindWindowA(kMainClassName, kMainWindowTitle);
    if (window != nullptr || GetTickCount() - start >= kFindWindowMs) return window;
    Sleep(50);
  }
}

}  // namespace

bool readOpenRequest(const COPYDATASTRUCT* data, char (&path)[kOpenPathSize]) {
  if (data == nullptr || data->dwData != kOpenRequestTag || data->lpData == nullptr) return false;
  if (data->cbData < 2 || data->cbData > kOpenPathSize) return false;
  const char* bytes = static_cast<const char*>(data->lpData);
  if (std::memchr(bytes, '\0', data->cbData) != bytes + data->cbData - 1) return false;
  std::memcpy(path, bytes, data->cbData);
  return true;
}

namespace {
bool startedFirst = false;
}  // namespace

bool firstRunningProgram() { return startedFirst; }

bool handOverToRunningProgram(const StartArguments& start) {
  // Kept for the life of the process: while it exists, later starts hand over to this one.
  CreateMutexA(nullptr, FALSE, kRunningMutexName);
  startedFirst = GetLastError() != ERROR_ALREADY_EXISTS;
  if (startedFirst) return false;
  HWND running = findRunningWindow();
  if (running == nullptr) return false;  // the first one is gone or never came up
  DWORD pid = 0;
  GetWindowThreadProcessId(running, &pid);
  AllowSetForegroundWindow(pid);
  bringToFront(running);
  if (start.request == StartRequest::TooMany) {
    messageBoxById(nullptr, kStrWarning, kStrSeveralArguments, MB_OK | MB_ICONWARNING);
  } else if (start.request == StartRequest::OpenFile) {
    char path[kOpenPathSize];
    if (!fullPath(nullptr, start.path.c_str(), path)) return true;
    COPYDATASTRUCT data{kOpenRequestTag, static_cast<DWORD>(std::strlen(path) + 1), path};
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kHandOverMs, &answer);
  }
  return true;
}

void openStartupDesign(HWND window, const StartArguments& start) {
  if (start.request == StartRequest::TooMany) {
    messageBoxById(window, kStrWarning, kStrSeveralArguments, MB_OK | MB_ICONWARNING);
    return;
  }
  if (start.request != StartRequest::OpenFile) return;
  char path[kOpenPathSize];
  // A relative name would mean another file once a file dialog changes the current folder.
  if (!fullPath(window, start.path.c_str(), path) || !designFileReady(window, path, false)) return;
  // As a recent file opens: the loader gives its own messages for a bad, short, upgraded or
  // older file.
  if (loadProject(window, path, false)) app().session.modified = false;
  simulatorReturnToMainMenu(app().client);
}

void onDropFiles(HWND window, HDROP drop) {
  char path[kOpenPathSize] = {};
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  bool fits = false;
  if (count == 1) {
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    fits = length > 0 && length < sizeof path && DragQueryFileA(drop, 0, path, sizeof path) == length;
  }
  DragFinish(drop);
  if (count != 1) {
    messageBoxById(window, kStrWarning, kStrDropOneFile, MB_OK | MB_ICONWARNING);
  } else if (!fits) {
    messageBoxById(window, kStrError, kStrNameTooLong, MB_OK | MB_ICONERROR);
  } else {
    queueDesign(window, path);
  }
}

bool onOpenRequest(HWND window, const COPYDATASTRUCT* data) {
  char path[kOpenPathSize];
  if (!readOpenRequest(data, path)) return false;
  bringToFront(window);
  // The sender waits for this answer: the Save prompt and the load come later.
  queueDesign(window, path);
  return true;
}

void openQueuedDesign(HWND window) {
  // Inside a dialog the design is in use: the file waits until the window is enabled again.
  if (queuedPath[0] == '\0' || !IsWindowEnabled(window)) return;
  char path[kOpenPathSize];
  copyText(path, queuedPath);
  queuedPath[0] = '\0';
  if (designFileReady(window, path, true)) openDesign(window, path);
}

}  // namespace torvik
