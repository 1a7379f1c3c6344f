#include "shell/about_dialog_win32.h"

#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_win32.h"
#include "simulator/face_scale.h"
#include "win/dialog_win32.h"
#include "win/dpi_win32.h"

namespace torvik {

namespace {

struct AboutData {
  HFONT plainFont = nullptr;
  HFONT underlinedFont = nullptr;
  HFONT titleFont = nullptr;
  HBITMAP picture = nullptr;  // the picture at the screen's scale, when that is not 100%
  HICON icon = nullptr;       // the program's icon likewise (the icon has a 64-pixel image)
  bool underlined[2] = {true, true};  // web link, mail link
};

BITMAPINFO rowsTopFirst(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// The picture is drawn at 96 x 96 for 100%; on a scaled screen the dialog around it grows, so
// the picture is scaled with it (by the area filter the face uses) rather than left small.
HBITMAP pictureAtScale(HWND dialog) {
  const int percent = scalePercent(windowDpi(dialog), 100);
  if (percent == 100) return nullptr;
  HBITMAP original = LoadBitmapA(app().instance, MAKEINTRESOURCEA(IDB_ABOUT));
  BITMAP info{};
  if (original == nullptr || GetObjectA(original, sizeof info, &info) == 0) {
    if (original != nullptr) DeleteObject(original);
    return nullptr;
  }
  const int stride = (3 * info.bmWidth + 3) & ~3;
  std::vector<std::uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(info.bmHeight));
  BITMAPINFO in = rowsTopFirst(info.bmWidth, info.bmHeight);
  HDC screen = GetDC(nullptr);
  const bool read =
      GetDIBits(screen, original, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &in, DIB_RGB_COLORS) == info.bmHeight;
  DeleteObject(original);
  const int width = scaleCoordinate(info.bmWidth, percent);
  const int height = scaleCoordinate(info.bmHeight, percent);
  BITMAPINFO out = rowsTopFirst(width, height);
  void* bits = nullptr;
  HBITMAP scaled = read ? CreateDIBSection(screen, &out, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  ReleaseDC(nullptr, screen);
  if (scaled == nullptr) return nullptr;
  const int outStride = (3 * width + 3) & ~3;
  if (!resampleArea(ConstPixelImage{pixels.data(), info.bmWidth, info.bmHeight, stride}, width, height,
                    ScaledRect{0, 0, width, height}, PixelImage{static_cast<std::uint8_t*>(bits), width, height, outStride})) {
    DeleteObject(scaled);
    return nullptr;
  }
  return scaled;
}

int linkIndex(int controlId) {
  if (controlId == IDC_ABOUT_WEB_LINK) return 0;
  if (controlId == IDC_ABOUT_MAIL_LINK) return 1;
  return -1;
}

HFONT fontVariant(HFONT base, bool underline, int weight, int heightScalePercent) {
  LOGFONTA lf{};
  GetObjectA(base, sizeof lf, &lf);
  lf.lfUnderline = underline ? TRUE : FALSE;
  if (weight != 0) lf.lfWeight = weight;
  lf.lfHeight = lf.lfHeight * heightScalePercent / 100;
  return CreateFontIndirectA(&lf);
}

// Links read as plain text under the pointer and underlined elsewhere.
void setHover(HWND dialog, AboutData& data, HWND under) {
  for (int i = 0; i < 2; ++i) {
    HWND link = GetDlgItem(dialog, i == 0 ? IDC_ABOUT_WEB_LINK : IDC_ABOUT_MAIL_LINK);
    const bool wantUnderlined = (under != link);
    if (data.underlined[i] == wantUnderlined) continue;
    data.underlined[i] = wantUnderlined;
    SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(wantUnderlined ? data.underlinedFont : data.plainFont),
                 TRUE);
  }
}

int luminance(COLORREF c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

COLORREF linkColour() {
  // Systems without a hot-light colour get pure blue, and so do colour schemes whose
  // hot-light colour would be unreadable on the dialog face (some Wine themes).
  const COLORREF blue = RGB(0, 0, 255);
  if (GetSysColorBrush(COLOR_HOTLIGHT) == nullptr) return blue;
  const COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
  const int contrast = luminance(GetSysColor(COLOR_BTNFACE)) - luminance(hot);
  return (contrast < 90 && contrast > -90) ? blue : hot;
}

void openLink(HWND dialog, int controlId) {
  const char* target = controlId == IDC_ABOUT_WEB_LINK ? TORVIK_WEB_ADDRESS : "mailto:" TORVIK_SUPPORT_ADDRESS;
  ShellExecuteA(dialog, "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

INT_PTR aboutHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, AboutData& data) {
  switch (message) {
    case WM_INITDIALOG: {
      HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      data.plainFont = fontVariant(gui, false, 0, 100);
      data.underlinedFont = fontVariant(gui, true, 0, 100);
      data.titleFont = fontVariant(gui, false, FW_BOLD, 200);
      SendDlgItemMessageA(dialog, IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(data.titleFont), FALSE);
      SendDlgItemMessageA(dialog, IDC_ABOUT_WEB_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(data.underlinedFont), FALSE);
      SendDlgItemMessageA(dialog, IDC_ABOUT_MAIL_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(data.underlinedFont),
                          FALSE);
      data.picture = pictureAtScale(dialog);
      if (data.picture != nullptr) {
        HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageA(dialog, IDC_ABOUT_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                                                                    reinterpret_cast<LPARAM>(data.picture)));
        if (old != nullptr && old != data.picture) DeleteObject(old);
      }
      if (const int dpi = windowDpi(dialog); dpi != 96) {
        const int size = MulDiv(32, dpi, 96);
        data.icon = static_cast<HICON>(LoadImageA(app().instance, "Torvik", IMAGE_ICON, size, size, 0));
        if (data.icon != nullptr)
          SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(data.icon), 0);
      }
      SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, "Version " TORVIK_VERSION_TEXT);
      SetDlgItemTextA(dialog, IDC_ABOUT_WEB_LINK, TORVIK_WEB_ADDRESS);
      SetDlgItemTextA(dialog, IDC_ABOUT_MAIL_LINK, TORVIK_SUPPORT_ADDRESS);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      if (linkIndex(GetDlgCtrlID(control)) < 0) return FALSE;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, linkColour());
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR: {
      // Sent for whichever child is under the pointer, links included.
      HWND under = reinterpret_cast<HWND>(wParam);
      setHover(dialog, data, under);
      if (linkIndex(GetDlgCtrlID(under)) >= 0) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    }
    case WM_MOUSEMOVE: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      setHover(dialog, data, ChildWindowFromPoint(dialog, p));
      return FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (linkIndex(id) >= 0 && HIWORD(wParam) == STN_CLICKED) {
        openLink(dialog, id);
        return TRUE;
      }
      if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      DeleteObject(data.plainFont);
      DeleteObject(data.underlinedFont);
      DeleteObject(data.titleFont);
      if (data.picture != nullptr) DeleteObject(data.picture);
      if (data.icon != nullptr) DestroyIcon(data.icon);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void runAboutBox(HWND owner) {
  AboutData data;
  runModalDialog<AboutData, aboutHandler>(app().instance, owner, "AboutBox", data);
}

}  // namespace torvik
