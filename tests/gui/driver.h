#pragma once
// Drives the real Torvik.exe from another process, the way Windows test tools do: finds its
// windows, posts commands and clicks, reads and sets controls, answers message boxes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// Polls `condition` every 20 ms until it holds or `timeoutMs` passes.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

class TorvikProcess {
 public:
  TorvikProcess() = default;
  TorvikProcess(const TorvikProcess&) = delete;
  TorvikProcess& operator=(const TorvikProcess&) = delete;
  ~TorvikProcess();  // ends the program if a test left it running

  // Starts Torvik.exe from the driver's own folder and waits for its main window.
  bool start(DWORD timeoutMs = 30000);
  // The same with `arguments` after the program's name; without `waitForMain` it returns
  // once the process runs (a second start that hands over and ends shows no window).
  bool launch(const std::string& arguments, bool waitForMain = true, DWORD timeoutMs = 30000);
  // Opens `document` as Explorer's double click does (the shell's "open" verb through its
  // association) and waits for the main window of the program that this starts.
  bool openWithShell(const std::string& document, DWORD timeoutMs = 30000);
  // Drops `paths` on the terminal face as Explorer would: a WM_DROPFILES whose block of
  // names is written into the program's memory.
  bool dropFiles(const std::vector<std::string>& paths) const;
  bool waitForExit(DWORD timeoutMs = 10000);
  // Ends the program at once, as a crash would: nothing of it is cleaned up.
  void kill();
  // A start normally finds no recovery file (a killed program of an earlier test may have left
  // one); after this the next start finds what is there.
  void keepRecoveryFile() { keepRecovery_ = true; }
  bool running() const;
  DWORD exitCode() const;

  DWORD pid() const { return info_.dwProcessId; }
  HWND mainWindow() const { return main_; }
  HWND client() const;

  // Posts a command as the popup menu or an accelerator would send it.
  void command(int id) const;
  // Posts a key press (down and up) to the main window's queue.
  void key(UINT virtualKey) const;
  // Ctrl+key as real key events to the foreground main window: posted key messages carry
  // no Ctrl state, so accelerators need these.
  void pressCtrl(char key) const;

  // A visible top-level window of this process with the given class (nullptr: any) and
  // title (nullptr: any; ending in '*': any that begins so); waits for it. Titles are read without a message to the program,
  // so this works while the program is busy.
  HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs = 10000) const;
  HWND findWindow(const char* className, const char* title) const;
  // Waits for the definition editor (New, Open and Edit open it) and closes it with the
  // sheet's button `button` (IDOK or IDCANCEL).
  bool closeEditor(int button = IDCANCEL) const;
  // Runs Save As to `path` (with its extension) and returns the bytes written.
  std::string saveAs(const std::string& path) const;
  // Waits until every visible window of the program has painted, then writes a picture
  // of the whole screen (see saveScreenshot).
  void screenshot(const char* name) const;
  // The same, cut to `window`'s rectangle (for the user's guide).
  void screenshotOf(const char* name, HWND window) const;

  // The popup menu's window while a menu is open.
  HWND popupMenu() const { return findWindow("#32768", nullptr); }

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
  bool keepRecovery_ = false;
};

// Where the program keeps unsaved work through a crash (beside its INI file).
std::string recoveryFilePath();

// The program's INI file (%APPDATA%\\Fernwick\\Torvik.ini), deleted when this is made and
// when it is gone: a test's preferences are written there, and later tests expect a
// program that starts without one.
class NoIniFile {
 public:
  NoIniFile();
  ~NoIniFile();
  NoIniFile(const NoIniFile&) = delete;
  NoIniFile& operator=(const NoIniFile&) = delete;
  // Writes an INI file for the program to start with, e.g. to preload a project.
  bool write(const std::string& text) const;
  std::string text() const;  // "<missing>" when there is none
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string windowText(HWND window);
// The window manager's copy of a window's text (InternalGetWindowText): needs no answer
// from the program, so it works while a transfer keeps the program busy.
std::string storedText(HWND window);
// The colour on the screen at client coordinates of `window`.
COLORREF screenPixel(HWND window, int x, int y);
std::string className(HWND window);
std::string dialogItemText(HWND dialog, int id);
// The control id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

// Types `name` into a common file dialog's file-name box and presses OK; false when the
// dialog has no such box.
bool chooseFile(HWND dialog, const std::string& name);

// Presses a dialog button by id (as a click would).
void clickButton(HWND dialog, int id);
// Posts a left click at client coordinates of `window`.
void leftClick(HWND window, int x, int y);
void rightClick(HWND window, int x, int y);

// Writes a picture of the whole screen to screenshots/<name>.bmp beside the driver, for
// people to look at.
void saveScreenshot(const char* name);
// The part of the screen in `area` (screen coordinates, kept within the screen).
void saveScreenshot(const char* name, const RECT& area);

}  // namespace gui
