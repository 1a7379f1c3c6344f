#include "resources/resource_ids.h"
#include "tests/gui/driver.h"

#include "tests/support/design_files.h"
#include "tests/support/win32_files.h"

#include <shlobj.h>  // DROPFILES
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace gui {

namespace {

std::string driverFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash != nullptr) slash[1] = '\0';
  return path;
}

struct FindRequest {
  DWORD pid;
  const char* className;
  const char* title;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
  auto* request = reinterpret_cast<FindRequest*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != request->pid || !IsWindowVisible(window)) return TRUE;
  if (request->className != nullptr && className(window) != request->className) return TRUE;
  if (request->title != nullptr) {
    // A title ending in '*' matches every title that begins with what stands before it.
    const std::string wanted = request->title;
    const std::string text = storedText(window);
    const bool prefix = !wanted.empty() && wanted.back() == '*';
    if (prefix ? text.compare(0, wanted.size() - 1, wanted, 0, wanted.size() - 1) != 0 : text != wanted) return TRUE;
  }
  request->found = window;
  return FALSE;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

std::string recoveryFilePath() {
  char appData[MAX_PATH] = {};
  GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
  return std::string(appData) + "\\Fernwick\\Torvik.recovery";
}

TorvikProcess::~TorvikProcess() {
  if (info_.hProcess == nullptr) return;
  if (running()) {
    kill();
    // What the killed program kept is no later test's business.
    DeleteFileA(recoveryFilePath().c_str());
  }
  CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
}

void TorvikProcess::kill() {
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, 5000);
}

bool TorvikProcess::start(DWORD timeoutMs) { return launch("", true, timeoutMs); }

bool TorvikProcess::launch(const std::string& arguments, bool waitForMain, DWORD timeoutMs) {
  if (!keepRecovery_) DeleteFileA(recoveryFilePath().c_str());
  std::string exe = driverFolder() + "Torvik.exe";
  std::string text = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> commandLine(text.begin(), text.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info_))
    return false;
  if (!waitForMain) return true;
  WaitForInputIdle(info_.hProcess, timeoutMs);
  main_ = waitForWindow("Torvik", "Torvik", timeoutMs);
  return main_ != nullptr;
}

bool TorvikProcess::openWithShell(const std::string& document, DWORD timeoutMs) {
  if (!keepRecovery_) DeleteFileA(recoveryFilePath().c_str());
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = "open";
  execute.lpFile = document.c_str();
  execute.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&execute) || execute.hProcess == nullptr) return false;
  info_.hProcess = execute.hProcess;
  info_.dwProcessId = GetProcessId(execute.hProcess);
  main_ = waitForWindow("Torvik", "Torvik", timeoutMs);
  return main_ != nullptr;
}

bool TorvikProcess::dropFiles(const std::vector<std::string>& paths) const {
  // DROPFILES, then the names one after another, each with its NUL, and a NUL at the end.
  std::string block(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  std::memcpy(&block[0], &header, sizeof header);
  for (const std::string& path : paths) block += path + '\0';
  block += '\0';
  // Page-aligned memory of the program reads as a fixed global block to DragQueryFile. The
  // program's DragFinish cannot free it: a page per drop stays until the program ends.
  void* remote = VirtualAllocEx(info_.hProcess, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr) return false;
  SIZE_T written = 0;
  if (!WriteProcessMemory(info_.hProcess, remote, block.data(), block.size(), &written) || written != block.size())
    return false;
  return PostMessageA(client(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

bool TorvikProcess::waitForExit(DWORD timeoutMs) {
  return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool TorvikProcess::running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TorvikProcess::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

HWND TorvikProcess::client() const { return GetDlgItem(main_, IDC_CLIENT_WINDOW); }

void TorvikProcess::command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void TorvikProcess::key(UINT virtualKey) const {
  const UINT scan = MapVirtualKeyA(virtualKey, 0);
  PostMessageA(main_, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scan << 16)));
  PostMessageA(main_, WM_KEYUP, virtualKey, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

HWND TorvikProcess::findWindow(const char* cls, const char* title) const {
  FindRequest request{info_.dwProcessId, cls, title, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&request));
  return request.found;
}

bool TorvikProcess::closeEditor(int button) const {
  HWND sheet = waitForWindow("#32770", "Torvik - [*");
  if (sheet == nullptr) return false;
  clickButton(sheet, button);
  return waitUntil([&] { return !IsWindow(sheet); });
}

std::string TorvikProcess::saveAs(const std::string& path) const {
  command(IDM_SAVEAS);
  HWND dialog = waitForWindow("#32770", nullptr);
  if (dialog == nullptr || !chooseFile(dialog, path)) return "<no Save As dialog>";
  waitUntil([&] { return testfiles::readAll(path).size() == testfiles::kDesignSize; });
  return testfiles::readAll(path);
}

HWND TorvikProcess::waitForWindow(const char* cls, const char* title, DWORD timeoutMs) const {
  HWND found = nullptr;
  waitUntil([&] { return (found = findWindow(cls, title)) != nullptr; }, timeoutMs);
  return found;
}

namespace {
BOOL CALLBACK repaintWindow(HWND window, LPARAM pid) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(pid) && IsWindowVisible(window)) {
    DWORD_PTR ignored;
    // Let the program work off what is queued, then paint synchronously.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  }
  return TRUE;
}
}  // namespace

void TorvikProcess::screenshot(const char* name) const {
  EnumWindows(repaintWindow, static_cast<LPARAM>(info_.dwProcessId));
  saveScreenshot(name);
}

void TorvikProcess::screenshotOf(const char* name, HWND window) const {
  EnumWindows(repaintWindow, static_cast<LPARAM>(info_.dwProcessId));
  RECT r;
  GetWindowRect(window, &r);
  saveScreenshot(name, r);
}

NoIniFile::NoIniFile() {
  char appData[MAX_PATH] = {};
  GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
  path_ = std::string(appData) + "\\Fernwick\\Torvik.ini";
  DeleteFileA(path_.c_str());
}

NoIniFile::~NoIniFile() { DeleteFileA(path_.c_str()); }

bool NoIniFile::write(const std::string& text) const {
  CreateDirectoryA(path_.substr(0, path_.rfind('\\')).c_str(), nullptr);
  testfiles::writeAll(path_, text);
  return testfiles::readAll(path_) == text;
}

std::string NoIniFile::text() const { return testfiles::readAll(path_); }

std::string windowText(HWND window) {
  // Ask in UTF-16: cross-process ANSI text under Wine is not always converted back.
  wchar_t wide[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(wide));
  char narrow[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

std::string storedText(HWND window) {
  wchar_t wide[512] = {};
  InternalGetWindowText(window, wide, 512);
  char narrow[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

COLORREF screenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string dialogItemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

void TorvikProcess::pressCtrl(char key) const {
  SetForegroundWindow(main_);
  INPUT keys[4] = {};
  const WORD order[4] = {VK_CONTROL, static_cast<WORD>(key), static_cast<WORD>(key), VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = order[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, keys, sizeof(INPUT));
}

bool chooseFile(HWND dialog, const std::string& name) {
  // The file-name box is the edit inside combo 1148 (Wine's Explorer-style dialog) or the
  // plain edit 1152 of the older style.
  HWND edit = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND w, LPARAM found) -> BOOL {
        const int id = GetDlgCtrlID(w);
        if (className(w) != "Edit" || (id != 1148 && id != 1152)) return TRUE;
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&edit));
  if (edit == nullptr) return false;
  std::wstring wide(name.begin(), name.end());
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  clickButton(dialog, IDOK);
  return true;
}

void clickButton(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void leftClick(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void rightClick(HWND window, int x, int y) {
  PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
}

void saveScreenshot(const char* name) {
  saveScreenshot(name, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void saveScreenshot(const char* name, const RECT& wanted) {
  RECT area{};
  const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!IntersectRect(&area, &wanted, &screenRect)) return;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  GdiFlush();

  const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
  const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  std::string folder = driverFolder() + "screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string path = folder + "\\" + name + ".bmp";
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, 1, imageBytes, out);
    std::fclose(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace gui
