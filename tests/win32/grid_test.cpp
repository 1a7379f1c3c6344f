// The Grid control inside the test process: a window owning a Code edit opens it, and a helper
// thread works the dialog as a user would while the main thread runs the modal loop.
#include "editor/grid_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/code_string.h"
#include "resources/resource_ids.h"
#include "tests/support/win32_screenshot.h"

namespace torvik {
namespace {

constexpr char kOwnerClass[] = "GridTestOwner";
constexpr char kGridTitle[] = "The Grid Control";
constexpr char kRefusal[] = "Error: Too many characters !!!";
constexpr std::uint8_t kGuard = 0xEE;

template <class F>
bool waitUntil(F done, int ms = 5000) {
  for (int waited = 0; !done(); waited += 10) {
    if (waited >= ms) return false;
    Sleep(10);
  }
  return true;
}

std::string textOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM out) {
  char cls[16] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && !textOf(child).empty()) *reinterpret_cast<std::string*>(out) += textOf(child);
  return TRUE;
}

COLORREF pixelOf(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return c;
}

// Works an open grid from the helper thread. Clicks that cannot warn are sent, so that each has
// been handled when the call returns; the others are posted, since the warning's own modal loop
// would hold a sent message until someone closes the warning.
class GridDriver {
 public:
  explicit GridDriver(HWND dialog) : dialog_(dialog), table_(GetDlgItem(dialog, IDC_GRID_TABLE)) {}
  HWND dialog() const { return dialog_; }
  HWND table() const { return table_; }

  RECT cell(int column, int row) const {
    RECT client;
    GetClientRect(table_, &client);
    const GridRect r = gridCellRect(column, row, client.right, client.bottom);
    return RECT{r.left, r.top, r.right, r.bottom};
  }
  RECT valueCell(int value) const { return cell((value >> 4) + 1, (value & 0x0F) + 1); }
  static LPARAM centre(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

  void clickCell(int column, int row) {
    const LPARAM at = centre(cell(column, row));
    SendMessageA(table_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(table_, WM_LBUTTONUP, 0, at);
  }
  void click(int value) { clickCell((value >> 4) + 1, (value & 0x0F) + 1); }
  // Clicks a value that must be refused; the warning's "caption: text", "" when none came.
  std::string clickRefused(int value) {
    const LPARAM at = centre(valueCell(value));
    PostMessageA(table_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(table_, WM_LBUTTONUP, 0, at);
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = FindWindowA("#32770", "Error")) != nullptr && IsWindowVisible(box); }, 3000))
      return "";
    std::string text = textOf(box) + ": ";
    EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&text));
    SendMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box) && IsWindowEnabled(dialog_); });
    return text;
  }
  // Keys go through the dialog's own message loop, as typed keys do.
  void key(WPARAM vk) {
    PostMessageA(table_, WM_KEYDOWN, vk, 1);
    PostMessageA(table_, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
  }
  bool resultBecomes(const std::string& text) { return waitUntil([&] { return result() == text; }, 3000); }
  std::string result() const { return textOf(GetDlgItem(dialog_, IDC_GRID_RESULT)); }
  int selection() const { return static_cast<int>(SendMessageA(table_, kGridTableGetSelection, 0, 0)); }
  void press(int id) {
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
  }
  void repaint() { RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

 private:
  HWND dialog_;
  HWND table_;
};

struct Session {
  const char* title;
  std::function<void(GridDriver&)> steps;
  std::atomic<bool> opened{false};
  std::atomic<bool> mainDone{false};
};

DWORD WINAPI workGrid(void* p) {
  Session& s = *static_cast<Session*>(p);
  HWND dialog = nullptr;
  waitUntil([&] {
    dialog = FindWindowA("#32770", s.title);
    return s.mainDone || (dialog != nullptr && IsWindowVisible(dialog));
  }, 10000);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return 0;
  s.opened = true;
  GridDriver driver(dialog);
  s.steps(driver);
  // Whatever the steps left open is cancelled, so that the modal loop always ends.
  if (IsWindowVisible(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

class GridControl : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
      wc.lpszClassName = kOwnerClass;
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    strings_ = std::make_unique<UiStrings>();
    owner_ = CreateWindowExA(0, kOwnerClass, "Grid owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 20, 20, 320, 90,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 280, 24, owner_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // The edit edits the field's first `capacity` bytes, which start as `bytes`; the rest of the
  // field is a guard that nothing may write.
  void bind(int capacity, const std::vector<std::uint8_t>& bytes = {}) {
    std::fill(std::begin(field_), std::end(field_), kGuard);
    std::fill(field_, field_ + capacity, 0);
    std::copy(bytes.begin(), bytes.end(), field_);
    makeCodeEdit(edit_, field_, capacity, *strings_);
    showCodeText(edit_, field_, capacity, *strings_);
  }
  std::vector<std::uint8_t> expectedField(int capacity, const std::vector<std::uint8_t>& bytes) const {
    std::vector<std::uint8_t> v(sizeof field_, kGuard);
    std::fill(v.begin(), v.begin() + capacity, 0);
    std::copy(bytes.begin(), bytes.end(), v.begin());
    return v;
  }
  std::vector<std::uint8_t> field() const { return std::vector<std::uint8_t>(std::begin(field_), std::end(field_)); }

  // Runs `open` on this thread while `steps` work the grid it opens; true when a grid came up.
  bool withGrid(const std::function<void()>& open, std::function<void(GridDriver&)> steps,
                const char* title = kGridTitle) {
    Session session;
    session.title = title;
    session.steps = std::move(steps);
    HANDLE worker = CreateThread(nullptr, 0, workGrid, &session, 0, nullptr);
    open();
    session.mainDone = true;
    EXPECT_EQ(WaitForSingleObject(worker, 60000), WAIT_OBJECT_0);
    CloseHandle(worker);
    return session.opened;
  }
  void clickEdit() {
    SendMessageA(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(edit_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }

  std::unique_ptr<UiStrings> strings_;
  HWND owner_ = nullptr;
  HWND edit_ = nullptr;
  std::uint8_t field_[kCodeCapacityAffix + 2] = {};
  const DWORD mainThread_ = GetCurrentThreadId();
};

TEST_F(GridControl, ClicksOnF1AAndEnterGiveTwoCodesAndTheirText) {
  bind(kCodeCapacityAffix);
  bool tableFocused = false, tableTabStop = false, shot = false;
  COLORREF editInside = 0, editFrame = 0, picked = 0, plain = 0, separator = 0, frame = 0, border = 0, corner = 0;
  std::vector<std::string> texts;
  int selection = -1;
  ASSERT_TRUE(withGrid([&] { clickEdit(); }, [&](GridDriver& g) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    tableFocused = GetGUIThreadInfo(mainThread_, &gui) && gui.hwndFocus == g.table();
    tableTabStop = (GetWindowLongA(g.table(), GWL_STYLE) & WS_TABSTOP) != 0;
    RECT e;
    GetClientRect(edit_, &e);
    editInside = pixelOf(edit_, e.right / 2, e.bottom / 2);
    editFrame = pixelOf(edit_, 0, 0);
    for (int v : {0x0F, 0x41, 0x0D}) {
      g.click(v);
      texts.push_back(g.result());
    }
    g.clickCell(3, 0);  // headers and the three values that cannot be picked do nothing
    g.clickCell(0, 5);
    g.clickCell(0, 0);
    g.click(0x00);
    g.click(0x0A);
    texts.push_back(g.result());
    selection = g.selection();
    g.repaint();
    const RECT a = g.valueCell(0x41), f1 = g.valueCell(0x0F), first = g.cell(1, 1);
    picked = pixelOf(g.table(), a.left + 1, a.top + 1);
    plain = pixelOf(g.table(), f1.left + 1, f1.top + 1);
    separator = pixelOf(g.table(), a.right - 1, (a.top + a.bottom) / 2);
    border = pixelOf(g.table(), first.left - 1, (a.top + a.bottom) / 2);
    frame = pixelOf(g.table(), 0, 0);
    corner = pixelOf(g.table(), first.left / 2, first.top / 2);
    shot = testfiles::saveWindowShot(g.dialog(), "grid_dialog") &&
           testfiles::saveWindowShot(owner_, "grid_code_edit_while_open");
    g.press(IDOK);
  }));
  EXPECT_TRUE(tableFocused);
  EXPECT_TRUE(tableTabStop);
  EXPECT_EQ(editInside, RGB(0, 0, 255));  // the Code edit is a blue box while its grid is open
  EXPECT_EQ(editFrame, RGB(0, 0, 0));
  EXPECT_EQ(texts, (std::vector<std::string>{" F1", " F1 A", " F1 A", " F1 A"}));
  EXPECT_EQ(selection, 0x41);
  EXPECT_EQ(picked, RGB(0, 0, 255));
  EXPECT_EQ(plain, RGB(255, 255, 255));
  EXPECT_EQ(separator, RGB(196, 196, 196));
  EXPECT_EQ(border, RGB(0, 0, 0));
  EXPECT_EQ(frame, RGB(0, 0, 0));
  EXPECT_EQ(corner, RGB(192, 192, 192));
  EXPECT_TRUE(shot);
  EXPECT_EQ(field(), expectedField(kCodeCapacityAffix, {0x0F, 0x41}));
  EXPECT_EQ(textOf(edit_), " F1 A");
  UpdateWindow(edit_);
  RECT e;
  GetClientRect(edit_, &e);
  EXPECT_NE(pixelOf(edit_, e.right / 2, e.bottom / 2), RGB(0, 0, 255));
}

TEST_F(GridControl, FullStringsAndLateVariablesAreRefused) {
  struct Click {
    int value;
    bool refused;
  };
  const struct {
    int capacity;
    std::vector<Click> clicks;
    std::vector<std::uint8_t> stored;
    const char* text;
  } rows[] = {
      {10, {{'A', false}, {'B', false}, {'C', false}, {'D', false}, {'E', false}, {'F', false}, {'G', false},
            {'H', false}, {'I', false}, {'J', false}, {'K', true}},
       {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'}, " A B C D E F G H I J"},
      {2, {{'A', false}, {0x80, false}, {'C', true}}, {'A', 0x80}, " A 128"},
      {10, {{0x1E, false}, {'A', true}, {0x1D, true}}, {0x1E}, " variable2"},
      {10, {{'A', false}, {0x1F, true}}, {'A'}, " A"},
      {2, {{0x1D, false}, {'A', true}}, {0x1D}, " variable1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    bind(row.capacity);
    std::vector<std::string> warnings, texts;
    ASSERT_TRUE(withGrid([&] { clickEdit(); }, [&](GridDriver& g) {
      for (const Click& c : row.clicks) {
        const std::string before = g.result();
        if (c.refused) {
          warnings.push_back(g.clickRefused(c.value));
          texts.push_back(g.result() == before ? "unchanged" : g.result());
        } else {
          g.click(c.value);
        }
      }
      g.press(IDOK);
    }));
    for (const std::string& w : warnings) EXPECT_EQ(w, kRefusal);
    for (const std::string& t : texts) EXPECT_EQ(t, "unchanged");
    EXPECT_EQ(field(), expectedField(row.capacity, row.stored));
    EXPECT_EQ(textOf(edit_), row.text);
  }
}

TEST_F(GridControl, CancelLeavesTheFieldAndTheEditAsTheyWere) {
  const struct {
    const char* how;
    std::function<void(GridDriver&)> cancel;
  } rows[] = {
      {"Cancel", [](GridDriver& g) { g.press(IDCANCEL); }},
      {"Esc", [](GridDriver& g) { g.key(VK_ESCAPE); }},
      {"close box", [](GridDriver& g) { PostMessageA(g.dialog(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    bind(kCodeCapacityAffix, {0x1B, 0x20});
    ASSERT_EQ(textOf(edit_), " ESC SP");
    std::string during;
    ASSERT_TRUE(withGrid([&] { clickEdit(); }, [&](GridDriver& g) {
      for (int v : {0x41, 0x42, 0x1A}) g.click(v);
      during = g.result();
      row.cancel(g);
      waitUntil([&] { return !IsWindowVisible(g.dialog()); });
    }));
    EXPECT_EQ(during, " ESC SP A B F12");
    EXPECT_EQ(field(), expectedField(kCodeCapacityAffix, {0x1B, 0x20}));
    EXPECT_EQ(textOf(edit_), " ESC SP");
  }
}

TEST_F(GridControl, ClearThenOkStoresAnEmptyString) {
  for (int capacity : {kCodeCapacityAffix, kCodeCapacityCodeId}) {
    SCOPED_TRACE(capacity);
    bind(capacity, std::vector<std::uint8_t>(static_cast<std::size_t>(capacity), 0x7F));
    std::string before, after;
    ASSERT_TRUE(withGrid([&] { clickEdit(); }, [&](GridDriver& g) {
      before = g.result();
      g.press(IDC_GRID_CLEAR);
      after = g.result();
      g.press(IDOK);
    }));
    EXPECT_EQ(before, capacity == 2 ? " DEL DEL" : " DEL DEL DEL DEL DEL DEL DEL DEL DEL DEL");
    EXPECT_EQ(after, "");
    EXPECT_EQ(field(), expectedField(capacity, {}));
    EXPECT_EQ(textOf(edit_), "");
  }
}

TEST_F(GridControl, ArrowsMoveTheSelectionAndSpacePicksFromTheKeyboard) {
  bind(kCodeCapacityAffix);
  SetFocus(edit_);
  int start = -1;
  std::vector<bool> reached;
  ASSERT_TRUE(withGrid([&] { SendMessageA(edit_, WM_KEYDOWN, VK_SPACE, 1); }, [&](GridDriver& g) {
    start = g.selection();
    const struct { std::vector<WPARAM> keys; const char* text; } steps[] = {
        {{VK_DOWN, VK_SPACE}, " !"},
        {{VK_RIGHT, VK_RIGHT, VK_SPACE}, " ! A"},
        {{VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_SPACE}, " ! A Ins"},
        // Up rests on NUL, where Space adds nothing; Left at the first column stays.
        {{VK_UP, VK_SPACE, VK_LEFT, VK_DOWN, VK_SPACE}, " ! A Ins Ins"},
        {{VK_END, VK_SPACE}, " ! A Ins Ins F1"},
    };
    for (const auto& s : steps) {
      for (WPARAM k : s.keys) g.key(k);
      reached.push_back(g.resultBecomes(s.text));
    }
    g.key(VK_RETURN);  // the default button, OK
    waitUntil([&] { return !IsWindowVisible(g.dialog()); });
  }));
  EXPECT_EQ(start, kGridStartSelection);
  EXPECT_EQ(reached, std::vector<bool>(5, true));
  EXPECT_EQ(field(), expectedField(kCodeCapacityAffix, {0x21, 0x41, 0x01, 0x01, 0x0F}));
  EXPECT_EQ(textOf(edit_), " ! A Ins Ins F1");
}

TEST_F(GridControl, TheCodeEditOpensOnSpaceEnterAndClicksAndIgnoresTyping) {
  if (OpenClipboard(owner_)) {  // something a paste would put in
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 5);
    lstrcpyA(static_cast<char*>(GlobalLock(text)), "junk");
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
  }
  const struct {
    const char* what;
    UINT message;
    WPARAM wParam;
    bool opens;
  } rows[] = {
      {"click", WM_LBUTTONDOWN, MK_LBUTTON, true}, {"Space", WM_KEYDOWN, VK_SPACE, true},
      {"Enter", WM_KEYDOWN, VK_RETURN, true},      {"a letter", WM_CHAR, 'x', false},
      {"Backspace", WM_CHAR, VK_BACK, false},      {"Delete", WM_KEYDOWN, VK_DELETE, false},
      {"paste", WM_PASTE, 0, false},               {"cut", WM_CUT, 0, false},
      {"clear", WM_CLEAR, 0, false},               {"Ctrl+V", WM_CHAR, 0x16, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    bind(kCodeCapacityAffix, {'A'});
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    const bool opened = withGrid([&] { SendMessageA(edit_, row.message, row.wParam, 1); },
                                 [](GridDriver& g) { g.press(IDCANCEL); });
    EXPECT_EQ(opened, row.opens);
    EXPECT_EQ(textOf(edit_), " A");
    EXPECT_EQ(field(), expectedField(kCodeCapacityAffix, {'A'}));
  }
  // In a dialog, Enter reaches the edit instead of the owner's default button.
  MSG enter{edit_, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_NE(SendMessageA(edit_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE, 0);
}

TEST_F(GridControl, ALanguageFileRelabelsTheDialogAndNamesTheVariables) {
  const std::string file = "Test\r\n131=Gitter\r\n132=Ergebnis :\r\n133=Leeren\r\n1218=Gut\r\n1219=Nein\r\n"
                           "1346=Var-Zwei\r\n";
  ASSERT_TRUE(strings_->applyLanguageFile(file.data(), file.size()));
  strings_->setLanguageActive(true);
  bind(kCodeCapacityAffix);
  std::vector<std::string> labels;
  ASSERT_TRUE(withGrid([&] { clickEdit(); }, [&](GridDriver& g) {
    for (int id : {IDC_GRID_RESULT_LABEL, IDC_GRID_CLEAR, IDOK, IDCANCEL}) labels.push_back(textOf(GetDlgItem(g.dialog(), id)));
    g.click(0x1E);
    g.press(IDOK);
  }, "Gitter"));
  EXPECT_EQ(labels, (std::vector<std::string>{"Ergebnis :", "Leeren", "Gut", "Nein"}));
  EXPECT_EQ(textOf(edit_), " Var-Zwei");
}

TEST_F(GridControl, BadFieldsOpenNothing) {
  bind(kCodeCapacityAffix, {'A'});
  const struct {
    std::uint8_t* buffer;
    int capacity;
  } rows[] = {{nullptr, 10}, {field_, 0}, {field_, -1}, {field_, kCodeCapacityAffix + 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.capacity);
    bool result = true;
    EXPECT_FALSE(withGrid([&] { result = runGrid(edit_, row.buffer, row.capacity, *strings_); },
                          [](GridDriver& g) { g.press(IDCANCEL); }));
    EXPECT_FALSE(result);
    EXPECT_EQ(field(), expectedField(kCodeCapacityAffix, {'A'}));
  }
}

}  // namespace
}  // namespace torvik
