// The Grid control: the table area (a window class of its own), the dialog around it, and the
// Code edits that open it. The code string itself and the table's geometry are the model's
// (code_string.h); this file paints them and forwards clicks and keys.
#include "editor/grid_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/string_ids.h"
#include "editor/code_string.h"
#include "resources/resource_ids.h"
#include "win/control_binding_win32.h"
#include "win/dialog_win32.h"
#include "win/resource_strings_win32.h"

namespace torvik {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kSeparator = RGB(196, 196, 196);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kResultGrey = RGB(128, 128, 128);

constexpr int kResultTextLeft = 5;

void displayTextOf(const CodeString& code, UiStrings& strings, char (&out)[kCodeTextBytes]) {
  const UiText v1 = strings.text(kStrVariable1), v2 = strings.text(kStrVariable1 + 1),
               v3 = strings.text(kStrVariable1 + 2);
  VariableNames names = {v1.c_str(), v2.c_str(), v3.c_str()};
  code.displayText(out, names);
}

bool validField(const std::uint8_t* buffer, int capacity) {
  return buffer != nullptr && capacity >= 1 && capacity <= kCodeCapacityAffix;
}

// ---- Drawing helpers -------------------------------------------------------------------

void fill(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}
void horizontalLine(HDC dc, int left, int right, int y, COLORREF colour) { fill(dc, RECT{left, y, right, y + 1}, colour); }
void verticalLine(HDC dc, int x, int top, int bottom, COLORREF colour) { fill(dc, RECT{x, top, x + 1, bottom}, colour); }

void drawCentred(HDC dc, RECT r, const char* text, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---- The table area --------------------------------------------------------------------

constexpr int kExtraSelection = 0;
constexpr int kExtraFont = sizeof(LONG_PTR);

// The inside of a cell: each cell owns the line along its right and bottom edges, and the cells
// of the first row and column leave the outer frame's line to it.
RECT cellInterior(int column, int row, int width, int height) {
  const GridRect r = gridCellRect(column, row, width, height);
  return RECT{r.left + (column == 0 ? 1 : 0), r.top + (row == 0 ? 1 : 0), r.right - 1, r.bottom - 1};
}

RECT valueCellRect(HWND table, int value) {
  RECT client;
  GetClientRect(table, &client);
  const GridRect r = gridCellRect((value >> 4) + 1, (value & 0x0F) + 1, client.right, client.bottom);
  return RECT{r.left, r.top, r.right, r.bottom};
}

int tableSelection(HWND table) { return static_cast<int>(GetWindowLongPtrA(table, kExtraSelection)); }

void selectCell(HWND table, int value) {
  const int old = tableSelection(table);
  if (value < 0 || value > 0xFF || value == old) return;
  SetWindowLongPtrA(table, kExtraSelection, value);
  RECT r = valueCellRect(table, old);
  InvalidateRect(table, &r, FALSE);
  r = valueCellRect(table, value);
  InvalidateRect(table, &r, FALSE);
}

void notifyPicked(HWND table) {
  SendMessageA(GetParent(table), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(table), kGridTablePicked),
               reinterpret_cast<LPARAM>(table));
}

void paintHeaderCell(HDC dc, int column, int row, int width, int height, const char* text) {
  const RECT in = cellInterior(column, row, width, height);
  // Raised: a white line on the top and left inside, black along the right and bottom.
  horizontalLine(dc, in.left, in.right, in.top, kWhite);
  verticalLine(dc, in.left, in.top, in.bottom, kWhite);
  verticalLine(dc, in.right, in.top, in.bottom + 1, kBlack);
  horizontalLine(dc, in.left, in.right + 1, in.bottom, kBlack);
  drawCentred(dc, in, text, kBlack);
}

void paintValueCell(HDC dc, int value, int width, int height, bool selected, bool focused) {
  RECT in = cellInterior((value >> 4) + 1, (value & 0x0F) + 1, width, height);
  fill(dc, in, selected ? kBlue : kWhite);
  COLORREF ink = kBlack;
  if (isVariableCode(value))
    ink = kRed;
  else if (!isSelectableCode(value))
    ink = selected ? kWhite : kLightGrey;
  else if (selected)
    ink = kWhite;
  drawCentred(dc, in, keyCodeLabel(value), ink);
  if (selected && focused) {
    InflateRect(&in, -2, -2);
    SetTextColor(dc, kBlack);
    SetBkColor(dc, kWhite);
    DrawFocusRect(dc, &in);
  }
}

void paintTable(HDC dc, int width, int height, int selected, bool focused) {
  fill(dc, RECT{0, 0, width, height}, kLightGrey);
  const GridRect first = gridCellRect(1, 1, width, height);
  // The lines between value cells are what is left of this between their white insides.
  fill(dc, RECT{first.left, first.top, width, height}, kSeparator);
  SetBkMode(dc, TRANSPARENT);
  paintHeaderCell(dc, 0, 0, width, height, "");
  for (int i = 0; i < 16; ++i) {
    paintHeaderCell(dc, i + 1, 0, width, height, gridColumnHeader(i));
    paintHeaderCell(dc, 0, i + 1, width, height, gridRowHeader(i));
  }
  for (int v = 0; v <= 0xFF; ++v) paintValueCell(dc, v, width, height, v == selected, focused);
  // The border between the headers and the values, and the outer frame.
  verticalLine(dc, first.left - 1, 0, height, kBlack);
  horizontalLine(dc, 0, width, first.top - 1, kBlack);
  horizontalLine(dc, 0, width, 0, kBlack);
  horizontalLine(dc, 0, width, height - 1, kBlack);
  verticalLine(dc, 0, 0, height, kBlack);
  verticalLine(dc, width - 1, 0, height, kBlack);
}

void paintTableWindow(HWND table) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(table, &ps);
  RECT client;
  GetClientRect(table, &client);
  if (client.right > 0 && client.bottom > 0) {
    // Drawn off screen and copied, so that a changed selection does not flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(table, kExtraFont));
    HGDIOBJ oldFont = SelectObject(memory, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    paintTable(memory, client.right, client.bottom, tableSelection(table), GetFocus() == table);
    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
           memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }
  EndPaint(table, &ps);
}

bool keyMove(WPARAM key, GridMove& move) {
  switch (key) {
    case VK_LEFT: move = GridMove::Left; return true;
    case VK_RIGHT: move = GridMove::Right; return true;
    case VK_UP: move = GridMove::Up; return true;
    case VK_DOWN: move = GridMove::Down; return true;
    case VK_HOME: move = GridMove::Home; return true;
    case VK_END: move = GridMove::End; return true;
    default: return false;
  }
}

LRESULT CALLBACK gridTableProc(HWND table, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrA(table, kExtraSelection, kGridStartSelection);
      return 0;
    case WM_PAINT:
      paintTableWindow(table);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      SetWindowLongPtrA(table, kExtraFont, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam) != 0) InvalidateRect(table, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(table, kExtraFont);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      RECT r = valueCellRect(table, tableSelection(table));
      InvalidateRect(table, &r, FALSE);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: {
      SetFocus(table);
      RECT client;
      GetClientRect(table, &client);
      const GridHit hit = gridHitAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), client.right, client.bottom);
      if (!isSelectableCode(hit.value)) return 0;  // headers, outside, NUL, LF, Enter
      selectCell(table, hit.value);
      notifyPicked(table);
      return 0;
    }
    case WM_KEYDOWN: {
      GridMove move;
      if (keyMove(wParam, move)) {
        selectCell(table, moveGridSelection(tableSelection(table), move));
        return 0;
      }
      // A held Space would repeat the warning of a full string without end.
      const bool repeat = (lParam & (1L << 30)) != 0;
      if (wParam == VK_SPACE && !repeat && isSelectableCode(tableSelection(table))) notifyPicked(table);
      if (wParam == VK_SPACE) return 0;
      break;
    }
    case kGridTableGetSelection:
      return tableSelection(table);
    case kGridTableSetSelection:
      selectCell(table, static_cast<int>(wParam));
      return 0;
    default:
      break;
  }
  return DefWindowProcA(table, message, wParam, lParam);
}

// ---- The dialog ------------------------------------------------------------------------

constexpr ControlBinding kGridControls[] = {bindLabel(IDC_GRID_RESULT_LABEL, 132), bindLabel(IDC_GRID_CLEAR, 133)};
constexpr ControlTable kGridTable = controlTable(kGridControls, 131);

struct GridData {
  HWND edit;
  std::uint8_t* buffer;
  int capacity;
  UiStrings* strings;
  CodeString code;
  char text[kCodeTextBytes];
};

void showResult(HWND dialog, GridData& data) {
  displayTextOf(data.code, *data.strings, data.text);
  // The static keeps the text as well, so that it can be read back like any control's.
  SetDlgItemTextA(dialog, IDC_GRID_RESULT, data.text);
  InvalidateRect(GetDlgItem(dialog, IDC_GRID_RESULT), nullptr, FALSE);
}

void drawResult(const DRAWITEMSTRUCT& item, const GridData& data) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  fill(dc, r, kWhite);
  horizontalLine(dc, r.left, r.right, r.top, kResultGrey);
  verticalLine(dc, r.left, r.top, r.bottom, kResultGrey);
  horizontalLine(dc, r.left + 1, r.right, r.bottom - 1, kWhite);
  verticalLine(dc, r.right - 1, r.top + 1, r.bottom, kWhite);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kResultGrey);
  RECT text{r.left + kResultTextLeft, r.top + 1, r.right - 1, r.bottom - 1};
  DrawTextA(dc, data.text, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
}

void pick(HWND dialog, GridData& data, int value) {
  if (data.code.append(value) == AppendResult::TooMany)
    messageBoxById(dialog, *data.strings, kStrError, kStrTooManyCharacters, MB_OK | MB_ICONEXCLAMATION);
  showResult(dialog, data);
}

INT_PTR gridHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, GridData& data) {
  switch (message) {
    case WM_INITDIALOG:
      relabelControls(dialog, kGridTable, *data.strings);
      showResult(dialog, data);
      return TRUE;  // the table, the first tab stop, takes the focus
    case WM_DRAWITEM:
      if (wParam != IDC_GRID_RESULT) return FALSE;
      drawResult(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), data);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_GRID_TABLE:
          if (HIWORD(wParam) == kGridTablePicked)
            pick(dialog, data, static_cast<int>(SendDlgItemMessageA(dialog, IDC_GRID_TABLE, kGridTableGetSelection, 0, 0)));
          return TRUE;
        case IDC_GRID_CLEAR:
          if (HIWORD(wParam) != BN_CLICKED) return FALSE;
          data.code.clear();
          showResult(dialog, data);
          return TRUE;
        case IDOK:
          data.code.storeTo(data.buffer, static_cast<std::size_t>(data.capacity));
          if (data.edit != nullptr) SetWindowTextA(data.edit, data.text);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          // The edit's text is written only on OK, so it is still what it was.
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

// ---- Code edits ------------------------------------------------------------------------

struct CodeEditState {
  std::uint8_t* buffer;
  int capacity;
  UiStrings* strings;
  bool gridOpen;
};

constexpr UINT_PTR kCodeEditSubclass = 1;

// The state is also a property of the edit, so that the grid can find it from the window alone
// (the import libraries lack GetWindowSubclass, which comctl32 exports by ordinal only).
constexpr char kCodeEditProperty[] = "TorvikCodeEdit";

CodeEditState* codeEditState(HWND edit) {
  return edit != nullptr ? static_cast<CodeEditState*>(GetPropA(edit, kCodeEditProperty)) : nullptr;
}

void paintOpenEdit(HWND edit) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(edit, &ps);
  RECT client;
  GetClientRect(edit, &client);
  fill(dc, client, kBlue);
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EndPaint(edit, &ps);
}

// The state may be gone when the grid returns (the edit destroyed meanwhile): not used after.
void openGrid(HWND edit, const CodeEditState& state) { runGrid(edit, state.buffer, state.capacity, *state.strings); }

LRESULT CALLBACK codeEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  auto* state = reinterpret_cast<CodeEditState*>(ref);
  switch (message) {
    case WM_LBUTTONDOWN:
      SetFocus(edit);
      openGrid(edit, *state);
      return 0;
    case WM_LBUTTONDBLCLK:
      return 0;  // would select a word of the text
    case WM_KEYDOWN:
      if (wParam == VK_SPACE || wParam == VK_RETURN) {
        if ((lParam & (1L << 30)) == 0) openGrid(edit, *state);
        return 0;
      }
      // Delete, Shift+Delete (cut) and Shift+Insert (paste) edit the text without a character.
      if (wParam == VK_DELETE || (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0)) return 0;
      break;
    case WM_CHAR:
      if (wParam == 0x03) break;  // Ctrl+C copies, which changes nothing
      return 0;
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
      return 0;
    case WM_GETDLGCODE: {
      // Enter opens the grid rather than pressing the owner's default button.
      LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_ERASEBKGND:
      if (state->gridOpen) return 1;
      break;
    case WM_PAINT:
      if (!state->gridOpen) break;
      paintOpenEdit(edit);
      return 0;
    case WM_NCDESTROY:
      RemovePropA(edit, kCodeEditProperty);
      RemoveWindowSubclass(edit, codeEditProc, kCodeEditSubclass);
      delete state;
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

void markGridOpen(HWND edit, bool open) {
  CodeEditState* state = codeEditState(edit);
  if (state == nullptr) return;
  state->gridOpen = open;
  InvalidateRect(edit, nullptr, TRUE);
  UpdateWindow(edit);
}

}  // namespace

bool registerGridTableClass(HINSTANCE instance) {
  WNDCLASSA existing;
  if (GetClassInfoA(instance, TORVIK_GRID_TABLE_CLASS, &existing)) return true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = gridTableProc;
  wc.cbWndExtra = 2 * sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = TORVIK_GRID_TABLE_CLASS;
  return RegisterClassA(&wc) != 0;
}

void showCodeText(HWND edit, const std::uint8_t* buffer, int capacity, UiStrings& strings) {
  if (!validField(buffer, capacity)) return;
  CodeString code(capacity);
  code.loadFrom(buffer, static_cast<std::size_t>(capacity));
  char text[kCodeTextBytes];
  displayTextOf(code, strings, text);
  SetWindowTextA(edit, text);
}

void makeCodeEdit(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings) {
  if (edit == nullptr) return;
  if (CodeEditState* state = codeEditState(edit)) {
    *state = CodeEditState{buffer, capacity, &strings, state->gridOpen};
    return;
  }
  auto* state = new CodeEditState{buffer, capacity, &strings, false};
  if (!SetPropA(edit, kCodeEditProperty, state)) {
    delete state;
    return;
  }
  if (!SetWindowSubclass(edit, codeEditProc, kCodeEditSubclass, reinterpret_cast<DWORD_PTR>(state))) {
    RemovePropA(edit, kCodeEditProperty);
    delete state;
  }
}

bool runGrid(HWND edit, std::uint8_t* buffer, int capacity, UiStrings& strings) {
  if (!validField(buffer, capacity)) return false;
  // The resources are the executable's own, whichever window asks.
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerGridTableClass(instance)) return false;
  GridData data{edit, buffer, capacity, &strings, CodeString(capacity), {}};
  data.code.loadFrom(buffer, static_cast<std::size_t>(capacity));
  markGridOpen(edit, true);
  const INT_PTR result =
      runModalDialog<GridData, gridHandler>(instance, edit != nullptr ? GetAncestor(edit, GA_ROOT) : nullptr, "GRIDDLG", data);
  markGridOpen(edit, false);
  return result == IDOK;
}

}  // namespace torvik
