#include "simulator/face_win32.h"

#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "shell/project_files_win32.h"

namespace torvik {

namespace {

constexpr int kPowerKeyImageX = 79;
constexpr int kPowerKeyImageY = 403;
constexpr int kAboutItemPosition = 12;  // where the recent files go, before About

struct FaceState {
  HBITMAP picture = nullptr;
  HMENU menuResource = nullptr;
  HMENU popup = nullptr;
};

FaceState& face() {
  static FaceState state;
  return state;
}

// Language files relabel the eleven command items, by position, with entries 1101..1111.
const int kCommandItemPositions[11] = {0, 1, 2, 3, 5, 6, 8, 9, 10, 12, 13};
constexpr int kFirstPopupEntry = 1101;

void loadPopupMenu() {
  FaceState& f = face();
  if (f.menuResource != nullptr) DestroyMenu(f.menuResource);
  f.menuResource = LoadMenuA(app().instance, "PopMenuT900");
  f.popup = f.menuResource ? GetSubMenu(f.menuResource, 0) : nullptr;
  if (f.popup == nullptr) return;
  const UiStrings& strings = app().strings;
  if (strings.languageActive()) {
    for (int i = 0; i < 11; ++i) {
      const char* text = strings.directEntry(kFirstPopupEntry + i);
      if (text[0] == '\0') continue;
      const int position = kCommandItemPositions[i];
      const UINT id = GetMenuItemID(f.popup, position);
      ModifyMenuA(f.popup, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, id, text);
    }
  }
  insertRecentFileItems(f.popup, kAboutItemPosition);
}

void showPopupMenu(POINT screen) {
  if (face().popup == nullptr) return;
  TrackPopupMenu(face().popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, app().mainWindow, nullptr);
}

void paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT all;
  GetClientRect(window, &all);
  if (face().picture != nullptr) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, face().picture);
    BitBlt(dc, 0, 0, all.right, all.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  } else {
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  }
  EndPaint(window, &ps);
}

bool onPowerKey(POINT p) {
  return p.x >= 89 && p.x <= 110 && p.y >= 404 && p.y <= 425;
}

LRESULT CALLBACK faceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      face().picture = LoadBitmapA(app().instance, MAKEINTRESOURCEA(IDB_FACE_FIRST));
      reloadPopupMenu(window);
      return 0;
    case WM_PAINT:
      paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers everything; erasing first only flickers
    case WM_LBUTTONUP: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (onPowerKey(p)) {
        POINT at{kPowerKeyImageX, kPowerKeyImageY};
        ClientToScreen(window, &at);
        showPopupMenu(at);
      }
      return 0;
    }
    case WM_RBUTTONDOWN: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(window, &p);
      showPopupMenu(p);
      return 0;
    }
    case WM_DESTROY:
      if (face().picture) DeleteObject(face().picture);
      if (face().menuResource) DestroyMenu(face().menuResource);
      face() = FaceState{};
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

void simulatorReturnToMainMenu(HWND face) {
  if (face != nullptr) InvalidateRect(face, nullptr, FALSE);
}

void resetRecordCounter() {}

}  // namespace torvik
