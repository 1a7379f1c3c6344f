// The terminal face: paints the picture, the keys and the engine's LCD model, turns clicks
// into key codes, drags the window by any other point and opens the popup menu.
#include "simulator/face_win32.h"

#include <windowsx.h>

#include <cstring>
#include <memory>

#include "base/string_ids.h"
#include "resources/resource_ids.h"
#include "base/clock.h"
#include "win/resource_strings_win32.h"
#include "simulator/engine.h"
#include "simulator/keypad.h"

namespace torvik {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 100;
constexpr int kBitmapCount = IDB_FACE_LAST - IDB_FACE_FIRST + 1;
constexpr int kVisibleColumns = 20;
constexpr int kBandWidth = 2;
constexpr char kBandClassName[] = "TorvikDragBand";
constexpr COLORREF kLcdInk = RGB(0, 0, 0);
constexpr COLORREF kHighlightInk = RGB(255, 255, 255);

// The language-file entries that relabel the popup menu's command items, found by their
// command, so that items can be added anywhere.
struct PopupEntry {
  UINT command;
  int entry;
};
const PopupEntry kPopupEntries[] = {
    {IDM_NEW, 1101},       {IDM_OPEN, 1102},          {IDM_SAVE, 1103},
    {IDM_SAVEAS, 1104},    {IDM_EDIT, 1105},          {IDM_PREFERENCES, 1106},
    {IDM_DOWNLOAD_APPLICATION, 1107}, {IDM_DOWNLOAD_LOOKUP, 1108}, {IDM_RECEIVE_DATA, 1109},
    {IDM_ABOUT, 1110},     {IDM_EXIT, 1111},          {IDM_CHECK_DESIGN, 1114},
};

// The position of a command's item in the popup menu, or -1.
int itemPosition(HMENU menu, UINT command) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == command) return i;
  return -1;
}

class FaceUi : public SimulatorUi {
 public:
  void invalidate(const LcdRect& area) override {
    if (window == nullptr) return;
    RECT r{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window, &r, FALSE);
  }
  void noExecutableProgram() override;
  const char* text(int id) override { return strings->lookup(id, TextKind::Terminal); }
  HWND window = nullptr;
  UiStrings* strings = nullptr;
};

struct FaceState {
  FaceContext context;
  HWND window = nullptr;
  HBITMAP bitmaps[kBitmapCount] = {};
  HFONT font = nullptr;
  HMENU menuResource = nullptr;
  HMENU popup = nullptr;
  FaceUi ui;
  std::unique_ptr<Simulator> engine;
  int heldKey = 0;  // set by every button-down, 0 when the click was no key
  bool keyHeld = false;
  bool dragging = false;
  RECT dragFrom{};  // the main window's rectangle when the drag began
  RECT dragTo{};
  POINT dragStart{};
  HWND band[4] = {};
  HBRUSH bandBrush = nullptr;
};

FaceState& face() {
  static FaceState state;
  return state;
}

RECT keyRect(int code) {
  const KeyPlace p = keyImagePlace(code);
  BITMAP info{};
  HBITMAP b = face().bitmaps[releasedBitmap(code) - IDB_FACE_FIRST];
  if (b != nullptr) GetObjectA(b, sizeof info, &info);
  return RECT{p.x, p.y, p.x + info.bmWidth, p.y + info.bmHeight};
}

void invalidateKey(int code) {
  if (code < kFirstKey || code > kLastKey) return;
  RECT r = keyRect(code);
  InvalidateRect(face().window, &r, FALSE);
}

void FaceUi::noExecutableProgram() {
  FaceState& f = face();
  messageBoxById(window, *f.context.strings, kStrNoExecutableProgram, kStrPleaseDefineProgram, MB_OK | MB_ICONWARNING);
  PostMessageA(f.context.commandWindow, WM_COMMAND, IDM_NEW, 0);
  // The box swallowed the button-up: show the key released and let the mouse go.
  invalidateKey(f.heldKey);
  f.keyHeld = false;
  ReleaseCapture();
}

// ---------------------------------------------------------------- painting

void drawBitmap(HDC target, HDC scratch, int id, int x, int y) {
  HBITMAP b = face().bitmaps[id - IDB_FACE_FIRST];
  if (b == nullptr) return;
  BITMAP info{};
  GetObjectA(b, sizeof info, &info);
  HGDIOBJ old = SelectObject(scratch, b);
  BitBlt(target, x, y, info.bmWidth, info.bmHeight, scratch, 0, 0, SRCCOPY);
  SelectObject(scratch, old);
}

// LCD text sits on the cell grid the cursor uses, so that the cursor and a pending
// letter land on the character they belong to.
void drawLcdText(HDC dc, int x, int y, const char* text, int length) {
  if (length <= 0) return;
  if (length > kLcdLineBytes) length = kLcdLineBytes;
  int advance[kLcdLineBytes];
  for (int i = 0; i < length; ++i) advance[i] = kCellWidth;
  ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(length), advance);
}

void paintLcd(HDC dc, HDC scratch, Simulator& sim) {
  HGDIOBJ oldFont = SelectObject(dc, face().font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, kWholeLcd.left, kWholeLcd.top, kWholeLcd.right, kWholeLcd.bottom);

  int cursorX = 0;
  int cursorY = 0;
  if (sim.cursorShown()) {
    int column = sim.cursorColumn();
    if (column >= kVisibleColumns) column = kVisibleColumns - 1;  // a scrolled field's cursor stays in view
    if (column < 0) column = 0;
    cursorX = kLcdTextX + kCellWidth * column;
    cursorY = kLcdTextY + 1 + kCellHeight * sim.cursorRow();
    drawBitmap(dc, scratch, kBitmapCursor, cursorX, cursorY);
  }
  if (sim.alpha()) drawBitmap(dc, scratch, kBitmapAlphaOn, kAlphaX, kAlphaY);
  const int pitch = sim.linePitch();
  for (int i = 0; i < kLcdLines; ++i) {
    const int top = kLcdTextY + i * pitch;
    const bool highlighted = sim.highlight() == i + 1;
    if (highlighted) drawBitmap(dc, scratch, kBitmapHighlight, kLcdTextX, top + 2);
    SetTextColor(dc, highlighted ? kHighlightInk : kLcdInk);
    const char* text = sim.line(i);
    int length = 0;
    while (length < kVisibleColumns + 1 && text[length] != '\0') ++length;
    drawLcdText(dc, kLcdTextX, top, text, length);
  }
  if (sim.cursorShown() && sim.pending()) {
    // The letter replaces whatever the cell showed (an input mark) until it is committed.
    drawBitmap(dc, scratch, kBitmapCursor, cursorX, cursorY);
    const char letter = sim.pendingChar();
    SetTextColor(dc, kLcdInk);
    drawLcdText(dc, cursorX, cursorY - 1, &letter, 1);
  }
  if (sim.clockLineShown()) {
    char clock[kClockLineBytes];
    sim.clockLine(clock);
    drawBitmap(dc, scratch, kBitmapClockPatch, kClockLineX, kClockLineY);
    SetTextColor(dc, kLcdInk);
    drawLcdText(dc, kClockLineX, kClockLineY, clock, static_cast<int>(std::strlen(clock)));
  }
  RestoreDC(dc, saved);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

void paint(HWND window) {
  FaceState& f = face();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT all;
  GetClientRect(window, &all);
  // Composed off screen and copied in one go: keys and text never flicker over the LCD.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP canvas = CreateCompatibleBitmap(dc, all.right, all.bottom);
  HGDIOBJ oldCanvas = SelectObject(buffer, canvas);
  HDC scratch = CreateCompatibleDC(dc);

  drawBitmap(buffer, scratch, kBitmapPicture, 0, 0);
  for (int code = kFirstKey; code <= kLastKey; ++code) {
    const bool down = f.keyHeld && f.heldKey == code;
    const KeyPlace p = keyImagePlace(code);
    drawBitmap(buffer, scratch, down ? pressedBitmap(code) : releasedBitmap(code), p.x, p.y);
  }
  if (f.engine) paintLcd(buffer, scratch, *f.engine);

  const RECT& u = ps.rcPaint;
  BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, buffer, u.left, u.top, SRCCOPY);
  DeleteDC(scratch);
  SelectObject(buffer, oldCanvas);
  DeleteObject(canvas);
  DeleteDC(buffer);
  EndPaint(window, &ps);
}

// ---------------------------------------------------------------- the drag outline

// The outline is four thin topmost windows: drawing on the screen DC is not seen under
// Wine, where each window is its own X window above the root.
LRESULT CALLBACK bandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcA(window, message, wParam, lParam);
}

void createBand() {
  FaceState& f = face();
  if (f.band[0] != nullptr) return;
  // A black and white checker shows on any background, as an inverted line would.
  const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, checker);
  f.bandBrush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  WNDCLASSA wc{};
  wc.lpfnWndProc = bandProc;
  wc.hInstance = f.context.instance;
  wc.hbrBackground = f.bandBrush;
  wc.lpszClassName = kBandClassName;
  RegisterClassA(&wc);
  for (HWND& b : f.band)
    b = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBandClassName, "", WS_POPUP, 0, 0, 1,
                        1, nullptr, nullptr, f.context.instance, nullptr);
}

void showBand(const RECT& r) {
  FaceState& f = face();
  createBand();
  const int w = kBandWidth;
  const RECT sides[4] = {{r.left - w, r.top - w, r.right + w, r.top},
                         {r.left - w, r.bottom, r.right + w, r.bottom + w},
                         {r.left - w, r.top, r.left, r.bottom},
                         {r.right, r.top, r.right + w, r.bottom}};
  for (int i = 0; i < 4; ++i) {
    if (f.band[i] == nullptr) continue;
    const RECT& s = sides[i];
    SetWindowPos(f.band[i], HWND_TOPMOST, s.left, s.top, s.right - s.left, s.bottom - s.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void hideBand() {
  for (HWND b : face().band)
    if (b != nullptr) ShowWindow(b, SW_HIDE);
}

void destroyBand() {
  FaceState& f = face();
  for (HWND& b : f.band) {
    if (b != nullptr) DestroyWindow(b);
    b = nullptr;
  }
  if (f.bandBrush != nullptr) {
    UnregisterClassA(kBandClassName, f.context.instance);
    DeleteObject(f.bandBrush);
    f.bandBrush = nullptr;
  }
}

// ---------------------------------------------------------------- popup menu

void loadPopupMenu() {
  FaceState& f = face();
  if (f.menuResource != nullptr) DestroyMenu(f.menuResource);
  f.menuResource = LoadMenuA(f.context.instance, "PopMenuT900");
  f.popup = f.menuResource ? GetSubMenu(f.menuResource, 0) : nullptr;
  if (f.popup == nullptr) return;
  const UiStrings& strings = *f.context.strings;
  if (strings.languageActive()) {
    for (const PopupEntry& item : kPopupEntries) {
      const char* text = strings.directEntry(item.entry);
      if (text[0] != '\0') ModifyMenuA(f.popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, text);
    }
  }
  // The recent files go before About.
  const int about = itemPosition(f.popup, IDM_ABOUT);
  if (f.context.insertRecentFiles != nullptr && about >= 0) f.context.insertRecentFiles(f.popup, about);
}

void showPopupMenu(HWND window, POINT client) {
  if (face().popup == nullptr) return;
  ClientToScreen(window, &client);
  TrackPopupMenu(face().popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, client.x, client.y, 0, face().context.commandWindow, nullptr);
}

// ---------------------------------------------------------------- mouse

POINT clientPoint(LPARAM lParam) {
  // Signed: a pointer left of or above the window while dragging has negative coordinates.
  return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

void onButtonDown(HWND window, POINT p) {
  FaceState& f = face();
  SetCapture(window);
  f.heldKey = hitTestKey(p.x, p.y);
  if (f.heldKey != 0) {
    f.keyHeld = true;
    if (f.heldKey == kKeyAlpha && f.engine) f.engine->toggleAlpha();
    invalidateKey(f.heldKey);
    UpdateWindow(window);  // the pressed key shows before the engine works
    if (f.engine) f.engine->key(f.heldKey);
    return;
  }
  f.dragging = true;
  GetWindowRect(f.context.commandWindow, &f.dragFrom);
  f.dragTo = f.dragFrom;
  f.dragStart = p;
  showBand(f.dragTo);
}

void onMouseMove(POINT p) {
  FaceState& f = face();
  if (!f.dragging || f.keyHeld) return;
  const int dx = p.x - f.dragStart.x;
  const int dy = p.y - f.dragStart.y;
  f.dragTo = RECT{f.dragFrom.left + dx, f.dragFrom.top + dy, f.dragFrom.right + dx, f.dragFrom.bottom + dy};
  showBand(f.dragTo);
}

void onButtonUp(HWND window) {
  FaceState& f = face();
  const bool wasKey = f.keyHeld;
  const bool wasDrag = f.dragging;
  const int code = f.heldKey;
  f.keyHeld = false;
  f.dragging = false;
  if (wasKey) {
    invalidateKey(code);
  } else if (wasDrag) {
    hideBand();
    const RECT& r = f.dragTo;
    MoveWindow(f.context.commandWindow, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(f.context.commandWindow, SW_SHOW);
  }
  if (GetCapture() == window) ReleaseCapture();
  if (wasKey && code == kKeyPower) {
    const KeyPlace at = keyImagePlace(kKeyPower);
    showPopupMenu(window, POINT{at.x, at.y});
  }
}

void onCaptureLost() {
  FaceState& f = face();
  if (f.dragging) {
    f.dragging = false;
    hideBand();
  }
  if (f.keyHeld) {
    f.keyHeld = false;
    invalidateKey(f.heldKey);
  }
}

// ---------------------------------------------------------------- window

void onCreate(HWND window, const FaceContext& context) {
  FaceState& f = face();
  f.context = context;
  f.window = window;
  for (int i = 0; i < kBitmapCount; ++i)
    f.bitmaps[i] = LoadBitmapA(context.instance, MAKEINTRESOURCEA(IDB_FACE_FIRST + i));
  SetTimer(window, kTimerId, kTimerPeriodMs, nullptr);
  // A 12-pixel cell keeps each glyph inside the 10-pixel line pitch of a form: "Elite" is
  // rarely installed, and the 15-pixel fixed fonts that stand in for it overlap the next line.
  f.font = CreateFontA(12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "Elite");
  f.ui.window = window;
  f.ui.strings = context.strings;
  f.engine = std::make_unique<Simulator>(*context.definition, *context.clock, f.ui);
  reloadPopupMenu(window);
}

void onDestroy(HWND window) {
  FaceState& f = face();
  KillTimer(window, kTimerId);
  for (HBITMAP& b : f.bitmaps) {
    if (b != nullptr) DeleteObject(b);
    b = nullptr;
  }
  if (f.font != nullptr) DeleteObject(f.font);
  if (f.menuResource != nullptr) DestroyMenu(f.menuResource);
  destroyBand();
  f.engine.reset();
  f.ui.window = nullptr;
  f.font = nullptr;
  f.menuResource = nullptr;
  f.popup = nullptr;
  f.window = nullptr;
}

LRESULT CALLBACK faceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      const auto* context = static_cast<const FaceContext*>(create->lpCreateParams);
      if (context == nullptr || context->definition == nullptr || context->strings == nullptr ||
          context->clock == nullptr)
        return -1;  // a face without its design cannot run
      onCreate(window, *context);
      return 0;
    }
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers everything; erasing first only flickers
    case WM_TIMER:
      if (wParam == kTimerId && face().engine && face().engine->timerTick()) {
        RECT clock{kClockLineX, kClockLineY, kClockLineX + 116, kClockLineY + 12};
        InvalidateRect(window, &clock, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
      onButtonDown(window, clientPoint(lParam));
      return 0;
    case WM_MOUSEMOVE:
      onMouseMove(clientPoint(lParam));
      return 0;
    case WM_LBUTTONUP:
      onButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:
      onCaptureLost();
      return 0;
    case WM_RBUTTONDOWN:
      showPopupMenu(window, clientPoint(lParam));
      return 0;
    case WM_DROPFILES:
      // The design belongs to the window that opens designs: a file dropped here goes there.
      return SendMessageA(face().context.commandWindow, message, wParam, lParam);
    case WM_DESTROY:
      onDestroy(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool registerFaceClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = faceProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kFaceClassName;
  return RegisterClassA(&wc) != 0;
}

void reloadPopupMenu(HWND face) {
  loadPopupMenu();
  simulatorReturnToMainMenu(face);
}

void simulatorReturnToMainMenu(HWND) {
  if (face().engine) face().engine->returnToMainMenu();
}

void simulatorKey(int code) {
  if (face().engine) face().engine->key(code);
}

const Simulator* faceSimulator() { return face().engine.get(); }

HMENU facePopupMenu() { return face().popup; }

void resetRecordCounter() {
  if (face().engine) face().engine->setRecordCounter(0);
}

}  // namespace torvik
