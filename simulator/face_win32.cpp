// The terminal face: paints the picture, the keys and the engine's LCD model, turns clicks
// into key codes, drags the window by any other point and opens the popup menu.
#include "simulator/face_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "base/string_ids.h"
#include "resources/resource_ids.h"
#include "base/clock.h"
#include "win/resource_strings_win32.h"
#include "simulator/engine.h"
#include "simulator/face_scale.h"
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
    {IDM_ZOOM_100, 1116},  {IDM_ZOOM_150, 1117},      {IDM_ZOOM_200, 1118},
};
constexpr int kZoomMenuEntry = 1115;
struct ZoomItem {
  UINT command;
  int percent;
  const char* text;
};
const ZoomItem kZoomItems[] = {{IDM_ZOOM_100, 100, "&100%"}, {IDM_ZOOM_150, 150, "1&50%"}, {IDM_ZOOM_200, 200, "&200%"}};

// The position of a command's item in the popup menu, or -1.
int itemPosition(HMENU menu, UINT command) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == command) return i;
  return -1;
}

// A bitmap of the face as pixels, 24 bits B, G, R, rows top first.
struct Pixels {
  std::vector<std::uint8_t> bits;
  int width = 0;
  int height = 0;
  int stride = 0;
  ConstPixelImage image() const { return {bits.data(), width, height, stride}; }
};

Pixels makePixels(int width, int height) {
  Pixels p;
  p.width = width;
  p.height = height;
  p.stride = (3 * width + 3) & ~3;
  p.bits.assign(static_cast<size_t>(p.stride) * static_cast<size_t>(height), 0);
  return p;
}

// The face's pieces at 100% (`factor` 1) or drawn at twice the size (2).
struct FaceSet {
  bool loaded = false;
  Pixels images[kBitmapCount];
};

// The face as painted at the current scale: the picture, and each key's pressed image
// cut from the picture with that key pressed, both scaled in one piece so that they agree
// where they meet.
struct ScaledFace {
  Pixels picture;
  Pixels pressed[kLastKey + 1];
};

ScaledRect toScreen(const LcdRect& r, int percent) {
  ScaledRect s = scaleRect(r.left, r.top, r.right, r.bottom, percent);
  if (percent != 100) {  // scaled glyphs may reach a pixel past their cell
    --s.left;
    --s.top;
    ++s.right;
    ++s.bottom;
  }
  return s;
}

class FaceUi : public SimulatorUi {
 public:
  void invalidate(const LcdRect& area) override {
    if (window == nullptr) return;
    const ScaledRect s = toScreen(area, *percent);
    RECT r{s.left, s.top, s.right, s.bottom};
    InvalidateRect(window, &r, FALSE);
  }
  void noExecutableProgram() override;
  const char* text(int id) override { return strings->lookup(id, TextKind::Terminal); }
  HWND window = nullptr;
  UiStrings* strings = nullptr;
  const int* percent = nullptr;
};

struct FaceState {
  FaceContext context;
  HWND window = nullptr;
  FaceSet sets[2];  // drawn at 100% and at 200%
  ScaledFace scaled;
  int percent = 100;  // the system's scale times the zoom
  int zoom = kDefaultZoom;
  HFONT font = nullptr;
  HMENU menuResource = nullptr;
  HMENU popup = nullptr;
  HMENU zoomMenu = nullptr;
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

const Pixels& basePiece(int id) { return face().sets[0].images[id - IDB_FACE_FIRST]; }

// The key's image rectangle on the screen.
RECT keyRect(int code) {
  const KeyPlace p = keyImagePlace(code);
  const Pixels& b = basePiece(releasedBitmap(code));
  const ScaledRect s = scaleRect(p.x, p.y, p.x + b.width, p.y + b.height, face().percent);
  return RECT{s.left, s.top, s.right, s.bottom};
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

bool loadSet(int factor, HINSTANCE instance) {
  FaceSet& set = face().sets[factor - 1];
  if (set.loaded) return true;
  HDC screen = GetDC(nullptr);
  bool ok = true;
  const int first = factor == 1 ? IDB_FACE_FIRST : IDB_FACE_2X_FIRST;
  for (int i = 0; i < kBitmapCount; ++i) {
    HBITMAP b = LoadBitmapA(instance, MAKEINTRESOURCEA(first + i));
    BITMAP info{};
    if (b == nullptr || GetObjectA(b, sizeof info, &info) == 0) {
      ok = false;
    } else {
      Pixels& p = set.images[i];
      p = makePixels(info.bmWidth, info.bmHeight);
      BITMAPINFO bi{};
      bi.bmiHeader.biSize = sizeof bi.bmiHeader;
      bi.bmiHeader.biWidth = p.width;
      bi.bmiHeader.biHeight = -p.height;  // rows top first
      bi.bmiHeader.biPlanes = 1;
      bi.bmiHeader.biBitCount = 24;
      bi.bmiHeader.biCompression = BI_RGB;
      if (GetDIBits(screen, b, 0, static_cast<UINT>(p.height), p.bits.data(), &bi, DIB_RGB_COLORS) != p.height)
        ok = false;
    }
    if (b != nullptr) DeleteObject(b);
  }
  ReleaseDC(nullptr, screen);
  set.loaded = ok;
  return ok;
}

// The set to scale from: the 100% one at 100% or less, else the one drawn at 200%, so that
// the face shrinks to the screen rather than being enlarged (or the 100% one when the
// larger cannot be loaded).
const FaceSet& sourceSet() {
  FaceState& f = face();
  const int factor = sourceSetFactor(f.percent);
  if (factor == 2 && loadSet(2, f.context.instance)) return f.sets[1];
  return f.sets[0];
}

void putPixels(HDC target, const Pixels& p, int x, int y) {
  if (p.width <= 0 || p.height <= 0) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(target, x, y, p.width, p.height, 0, 0, p.width, p.height, p.bits.data(), &bi, DIB_RGB_COLORS,
                SRCCOPY);
}

// `source` (an image of the whole face) at the current scale, the part in `area` only.
Pixels scaledPart(const Pixels& source, const ScaledRect& area) {
  const int percent = face().percent;
  Pixels out = makePixels(area.width(), area.height());
  if (!resampleArea(source.image(), scaleCoordinate(kFaceWidth, percent), scaleCoordinate(kFaceHeight, percent),
                    area, PixelImage{out.bits.data(), out.width, out.height, out.stride}))
    return Pixels{};
  return out;
}

const Pixels& scaledPicture() {
  FaceState& f = face();
  if (f.scaled.picture.bits.empty()) {
    const int w = scaleCoordinate(kFaceWidth, f.percent);
    const int h = scaleCoordinate(kFaceHeight, f.percent);
    f.scaled.picture = scaledPart(sourceSet().images[0], ScaledRect{0, 0, w, h});
  }
  return f.scaled.picture;
}

const Pixels& scaledPressedKey(int code) {
  FaceState& f = face();
  Pixels& cached = f.scaled.pressed[code];
  if (cached.bits.empty()) {
    const FaceSet& set = sourceSet();
    const int factor = set.images[0].width / kFaceWidth;
    Pixels whole = set.images[0];
    const Pixels& key = set.images[pressedBitmap(code) - IDB_FACE_FIRST];
    const KeyPlace p = keyImagePlace(code);
    for (int y = 0; y < key.height && factor * p.y + y < whole.height; ++y) {
      const int width = std::min(key.width, whole.width - factor * p.x);
      if (width > 0)
        std::memcpy(&whole.bits[static_cast<size_t>((factor * p.y + y) * whole.stride + 3 * factor * p.x)],
                    &key.bits[static_cast<size_t>(y * key.stride)], static_cast<size_t>(3 * width));
    }
    const RECT r = keyRect(code);
    cached = scaledPart(whole, ScaledRect{r.left, r.top, r.right, r.bottom});
  }
  return cached;
}

// One of the LCD's pieces with its top left at (x, y) of the 100% face.
void drawPiece(HDC target, int id, int x, int y) {
  const Pixels& base = basePiece(id);
  const Pixels& source = sourceSet().images[id - IDB_FACE_FIRST];
  const ScaledRect r = scaleRect(x, y, x + base.width, y + base.height, face().percent);
  if (r.width() <= 0 || r.height() <= 0) return;
  Pixels out = makePixels(r.width(), r.height());
  if (resampleArea(source.image(), r.width(), r.height(), ScaledRect{0, 0, r.width(), r.height()},
                   PixelImage{out.bits.data(), out.width, out.height, out.stride}))
    putPixels(target, out, r.left, r.top);
}

// LCD text sits on the cell grid the cursor uses, so that the cursor and a pending
// letter land on the character they belong to.
// (x, y) are 100% coordinates; the text is drawn with the font of the scaled height.
void drawLcdText(HDC dc, int x, int y, const char* text, int length) {
  if (length <= 0) return;
  if (length > kLcdLineBytes) length = kLcdLineBytes;
  const int percent = face().percent;
  int advance[kLcdLineBytes];
  lcdAdvances(x, length, percent, advance);
  ExtTextOutA(dc, scaleCoordinate(x, percent), scaleCoordinate(y, percent), 0, nullptr, text,
              static_cast<UINT>(length), advance);
}

void paintLcd(HDC dc, Simulator& sim) {
  HGDIOBJ oldFont = SelectObject(dc, face().font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const int saved = SaveDC(dc);
  const ScaledRect lcd = scaleRect(kWholeLcd.left, kWholeLcd.top, kWholeLcd.right, kWholeLcd.bottom, face().percent);
  IntersectClipRect(dc, lcd.left, lcd.top, lcd.right, lcd.bottom);

  int cursorX = 0;
  int cursorY = 0;
  if (sim.cursorShown()) {
    int column = sim.cursorColumn();
    if (column >= kVisibleColumns) column = kVisibleColumns - 1;  // a scrolled field's cursor stays in view
    if (column < 0) column = 0;
    cursorX = kLcdTextX + kCellWidth * column;
    cursorY = kLcdTextY + 1 + kCellHeight * sim.cursorRow();
    drawPiece(dc, kBitmapCursor, cursorX, cursorY);
  }
  if (sim.alpha()) drawPiece(dc, kBitmapAlphaOn, kAlphaX, kAlphaY);
  const int pitch = sim.linePitch();
  for (int i = 0; i < kLcdLines; ++i) {
    const int top = kLcdTextY + i * pitch;
    const bool highlighted = sim.highlight() == i + 1;
    if (highlighted) drawPiece(dc, kBitmapHighlight, kLcdTextX, top + 2);
    SetTextColor(dc, highlighted ? kHighlightInk : kLcdInk);
    const char* text = sim.line(i);
    int length = 0;
    while (length < kVisibleColumns + 1 && text[length] != '\0') ++length;
    drawLcdText(dc, kLcdTextX, top, text, length);
  }
  if (sim.cursorShown() && sim.pending()) {
    // The letter replaces whatever the cell showed (an input mark) until it is committed.
    drawPiece(dc, kBitmapCursor, cursorX, cursorY);
    const char letter = sim.pendingChar();
    SetTextColor(dc, kLcdInk);
    drawLcdText(dc, cursorX, cursorY - 1, &letter, 1);
  }
  if (sim.clockLineShown()) {
    char clock[kClockLineBytes];
    sim.clockLine(clock);
    drawPiece(dc, kBitmapClockPatch, kClockLineX, kClockLineY);
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

  // The picture shows every key released.
  putPixels(buffer, scaledPicture(), 0, 0);
  if (f.keyHeld && f.heldKey >= kFirstKey && f.heldKey <= kLastKey) {
    const RECT r = keyRect(f.heldKey);
    putPixels(buffer, scaledPressedKey(f.heldKey), r.left, r.top);
  }
  if (f.engine) paintLcd(buffer, *f.engine);

  const RECT& u = ps.rcPaint;
  BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, buffer, u.left, u.top, SRCCOPY);
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

void checkZoomItem() {
  FaceState& f = face();
  if (f.zoomMenu == nullptr) return;
  for (const ZoomItem& z : kZoomItems)
    if (z.percent == f.zoom) CheckMenuRadioItem(f.zoomMenu, IDM_ZOOM_100, IDM_ZOOM_200, z.command, MF_BYCOMMAND);
}

void loadPopupMenu() {
  FaceState& f = face();
  if (f.menuResource != nullptr) DestroyMenu(f.menuResource);
  f.menuResource = LoadMenuA(f.context.instance, "PopMenuT900");
  f.popup = f.menuResource ? GetSubMenu(f.menuResource, 0) : nullptr;
  if (f.popup == nullptr) return;
  // The zoom is the face's own: its submenu goes after Preferences, wherever that stands.
  f.zoomMenu = CreatePopupMenu();
  for (const ZoomItem& z : kZoomItems) AppendMenuA(f.zoomMenu, MF_STRING, z.command, z.text);
  const int preferences = itemPosition(f.popup, IDM_PREFERENCES);
  InsertMenuA(f.popup, preferences >= 0 ? static_cast<UINT>(preferences + 1) : 0u, MF_BYPOSITION | MF_POPUP | MF_STRING,
              reinterpret_cast<UINT_PTR>(f.zoomMenu), "&Zoom");
  const UiStrings& strings = *f.context.strings;
  if (strings.languageActive()) {
    const char* title = strings.directEntry(kZoomMenuEntry);
    const int zoomAt = itemPosition(f.popup, static_cast<UINT>(-1));  // a submenu's item has no command
    if (title[0] != '\0' && zoomAt >= 0)
      ModifyMenuA(f.popup, static_cast<UINT>(zoomAt), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(f.zoomMenu), title);
    for (const PopupEntry& item : kPopupEntries) {
      const char* text = strings.directEntry(item.entry);
      if (text[0] != '\0') ModifyMenuA(f.popup, item.command, MF_BYCOMMAND | MF_STRING, item.command, text);
    }
  }
  // The recent files go before About.
  const int about = itemPosition(f.popup, IDM_ABOUT);
  if (f.context.insertRecentFiles != nullptr && about >= 0) f.context.insertRecentFiles(f.popup, about);
  checkZoomItem();
}

void showPopupMenu(HWND window, POINT client) {
  if (face().popup == nullptr) return;
  checkZoomItem();
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
  f.heldKey = hitTestKey(unscaleCoordinate(p.x, f.percent), unscaleCoordinate(p.y, f.percent));
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
    showPopupMenu(window, POINT{scaleCoordinate(at.x, f.percent), scaleCoordinate(at.y, f.percent)});
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

void createLcdFont() {
  FaceState& f = face();
  if (f.font != nullptr) DeleteObject(f.font);
  // A 12-pixel cell keeps each glyph inside the 10-pixel line pitch of a form: "Elite" is
  // rarely installed, and the 15-pixel fixed fonts that stand in for it overlap the next line.
  // Scaled, the font is made at the scaled height rather than its glyphs stretched.
  const int width = scaleCoordinate(kCellWidth, f.percent);
  f.font = CreateFontA(lcdFontHeight(f.percent), width < 1 ? 1 : width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, "Elite");
}

void onCreate(HWND window, const FaceContext& context) {
  FaceState& f = face();
  f.context = context;
  f.window = window;
  loadSet(1, context.instance);
  SetTimer(window, kTimerId, kTimerPeriodMs, nullptr);
  createLcdFont();
  f.ui.window = window;
  f.ui.percent = &f.percent;
  f.ui.strings = context.strings;
  f.engine = std::make_unique<Simulator>(*context.definition, *context.clock, f.ui);
  reloadPopupMenu(window);
}

void onDestroy(HWND window) {
  FaceState& f = face();
  KillTimer(window, kTimerId);
  f.scaled = ScaledFace{};
  if (f.font != nullptr) DeleteObject(f.font);
  if (f.menuResource != nullptr) DestroyMenu(f.menuResource);
  destroyBand();
  f.engine.reset();
  f.ui.window = nullptr;
  f.font = nullptr;
  f.menuResource = nullptr;
  f.popup = nullptr;
  f.zoomMenu = nullptr;
  f.window = nullptr;
  f.percent = 100;  // the next face starts at 100% until it is told otherwise
  f.zoom = kDefaultZoom;
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
        const ScaledRect s =
            toScreen(LcdRect{kClockLineX, kClockLineY, kClockLineX + 116, kClockLineY + 12}, face().percent);
        RECT clock{s.left, s.top, s.right, s.bottom};
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

void setFaceScale(HWND window, int percent, int zoom) {
  FaceState& f = face();
  if (percent < kMinScalePercent) percent = kMinScalePercent;
  if (percent > kMaxScalePercent) percent = kMaxScalePercent;
  f.zoom = validZoom(zoom);
  checkZoomItem();
  if (percent == f.percent) return;
  f.percent = percent;
  f.scaled = ScaledFace{};
  createLcdFont();
  if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
}

int faceScale() { return face().percent; }

HMENU facePopupMenu() { return face().popup; }

void resetRecordCounter() {
  if (face().engine) face().engine->setRecordCounter(0);
}

}  // namespace torvik
