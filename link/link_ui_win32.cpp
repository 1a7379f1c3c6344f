#include "link/link_ui_win32.h"

#include <commctrl.h>

#include "base/string_ids.h"
#include "link/link_texts.h"
#include "resources/resource_ids.h"
#include "win/resource_strings_win32.h"
#include "win/dialog_win32.h"

namespace torvik {

namespace {

UINT iconFlags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Exclamation: return MB_ICONEXCLAMATION;
    case BoxIcon::Information: return MB_ICONINFORMATION;
    case BoxIcon::Question: return MB_ICONQUESTION;
    case BoxIcon::Warning: return MB_ICONWARNING;
    case BoxIcon::None: break;
  }
  return 0;
}

// The counter is a small topmost window rather than paint on the screen's device context,
// which Wine does not show; it is painted at once, since no messages flow during a receive.
LRESULT CALLBACK counterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 100));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    char text[128];
    GetWindowTextA(window, text, sizeof text);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool registerCounterClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = counterProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
  wc.lpszClassName = kCounterClassName;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

WindowLinkUi::~WindowLinkUi() {
  progressClose();
  counterEnd();
}

HWND WindowLinkUi::boxOwner() const {
  HWND active = GetActiveWindow();
  return active != nullptr ? active : owner_;
}

void WindowLinkUi::show(int captionId, int textId, BoxIcon icon) {
  messageBoxById(boxOwner(), strings_, captionId, textId, MB_OK | iconFlags(icon));
}

void WindowLinkUi::showNumber(int captionId, int textId, BoxIcon icon, long number) {
  UiStrings& strings = strings_;
  char text[256];
  substituteNumber(strings.lookup(textId, TextKind::Message), number, text, sizeof text);
  MessageBoxA(boxOwner(), text, strings.lookup(captionId, TextKind::Caption), MB_OK | iconFlags(icon));
}

bool WindowLinkUi::ask(int captionId, int textId, BoxIcon icon) {
  return messageBoxById(boxOwner(), strings_, captionId, textId, MB_YESNO | iconFlags(icon)) == IDYES;
}

bool WindowLinkUi::askViewReceived(int count) {
  UiStrings& strings = strings_;
  char text[256];
  receivedQuestionText(strings, count, text, sizeof text);
  return MessageBoxA(boxOwner(), text, strings.lookup(kStrUploadData, TextKind::Caption), MB_YESNO) == IDYES;
}

void WindowLinkUi::progressOpen() {
  progressClose();
  progress_ = CreateDialogParamA(instance_, "ProgressDlg", boxOwner(), nullptr, 0);
  if (progress_ == nullptr) return;
  static const Relabel kLabels[] = {{0, kEntryProgressCaption}, {IDC_PROGRESS_TEXT, kEntryProgressText}};
  relabelDialog(progress_, strings_, kLabels, 2);
  SetWindowPos(progress_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  HWND bar = GetDlgItem(progress_, IDC_PROGRESS_BAR);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  // Painted now and not by the message loop, which does not run until the transfer ends.
  RedrawWindow(progress_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void WindowLinkUi::progressSet(int percent) {
  if (progress_ == nullptr) return;
  HWND bar = GetDlgItem(progress_, IDC_PROGRESS_BAR);
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  // No messages are dispatched while the transfer runs: paint now.
  UpdateWindow(bar);
}

void WindowLinkUi::progressClose() {
  if (progress_ != nullptr) DestroyWindow(progress_);
  progress_ = nullptr;
}

void WindowLinkUi::counterBegin() {
  counterEnd();
  char widest[128];
  counterText(strings_, 0, widest, sizeof widest);
  lstrcatA(widest, "   ");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32A(screen, widest, lstrlenA(widest), &size);
  SelectObject(screen, old);
  const int width = size.cx + 20;
  const int height = 40;
  const int x = GetDeviceCaps(screen, HORZRES) / 2 - width / 2;
  const int y = GetDeviceCaps(screen, VERTRES) / 2 - height / 2;
  ReleaseDC(nullptr, screen);
  registerCounterClass(instance_);
  // Hidden until the first record arrives.
  counter_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCounterClassName, "", WS_POPUP, x,
                             y, width, height, owner_, nullptr, instance_, nullptr);
}

void WindowLinkUi::counterUpdate(int count) {
  if (counter_ == nullptr) return;
  // Painting costs more processor time than receiving a record: at 115200 bit/s records
  // come faster than anyone can read the number, so it is drawn at most 20 times a second.
  const DWORD now = GetTickCount();
  if (IsWindowVisible(counter_) && now - counterPaintedAt_ < 50) return;
  counterPaintedAt_ = now;
  char text[128];
  counterText(strings_, count, text, sizeof text);
  SetWindowTextA(counter_, text);
  if (!IsWindowVisible(counter_)) ShowWindow(counter_, SW_SHOWNOACTIVATE);
  InvalidateRect(counter_, nullptr, FALSE);
  UpdateWindow(counter_);
}

void WindowLinkUi::counterEnd() {
  if (counter_ != nullptr) DestroyWindow(counter_);
  counter_ = nullptr;
}

}  // namespace torvik
