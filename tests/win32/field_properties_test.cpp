// The field properties dialogs inside the test process: runFieldProperties runs modally on the
// test's thread while a worker thread finds the dialog and works its controls the way a user
// would, through messages; the test then reads the session's working copy.
#include "editor/field_properties_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "tests/support/win32_files.h"
#include "tests/support/win32_screenshot.h"

namespace torvik {
namespace {

// The dialog as the worker sees it: every call is a message the dialog's thread answers.
struct Dialog {
  HWND window;

  HWND item(int id) const { return GetDlgItem(window, id); }
  void setText(int id, const char* text) const {
    SendMessageA(item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  std::string text(int id) const {
    char buffer[256] = {};
    SendMessageA(item(id), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  void click(int id) const { SendMessageA(item(id), BM_CLICK, 0, 0); }
  bool checked(int id) const { return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
  void select(int id, int row) const {
    SendMessageA(item(id), CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(id)));
  }
  int selected(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCURSEL, 0, 0)); }
  int items(int id) const { return static_cast<int>(SendMessageA(item(id), CB_GETCOUNT, 0, 0)); }
  std::string itemText(int id, int row) const {
    char buffer[128] = {};
    SendMessageA(item(id), CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  std::string title() const {
    char buffer[128] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
  }
};

struct Worker {
  DWORD dialogThread;
  std::function<void(const Dialog&)> drive;
  bool found = false;
};

// The visible dialog box of the test's thread (its title may be a language file's).
HWND findDialog(DWORD thread) {
  struct Search {
    DWORD thread;
    HWND found;
  } search{thread, nullptr};
  EnumThreadWindows(
      thread,
      [](HWND w, LPARAM p) -> BOOL {
        char cls[16] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
        reinterpret_cast<Search*>(p)->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DWORD WINAPI workDialog(LPVOID parameter) {
  auto& worker = *static_cast<Worker*>(parameter);
  HWND dialog = nullptr;
  for (int i = 0; i < 500 && (dialog = findDialog(worker.dialogThread)) == nullptr; ++i) Sleep(20);
  if (dialog == nullptr) return 0;
  worker.found = true;
  // Drive it only once it is active: an activation that lands between a button's press and
  // release takes the mouse capture away, and the click is lost.
  for (int i = 0; i < 250 && GetForegroundWindow() != dialog; ++i) Sleep(20);
  DWORD_PTR ignored;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
  worker.drive(Dialog{dialog});
  // A drive that stopped early (a failed assertion) must not leave the test waiting. An ended
  // dialog is hidden at once but lives on until its loop notices.
  if (IsWindowVisible(dialog)) SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

// Writes the dialog's picture on the screen to screenshots/<name>.bmp beside the test program.
void screenshot(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  testfiles::saveWindowShot(window, name);
}

class FieldProperties : public ::testing::Test {
 protected:
  void SetUp() override {
    buildNumberLabels(session_);
    session_.currentForm = 1;
    session_.currentLine = 3;
  }

  FormRecord& form() { return session_.forms[session_.currentForm]; }
  FormLine line() { return form().line(session_.currentLine); }
  bool& showMark() { return session_.showInputMark[session_.currentForm][session_.currentLine]; }
  // A line of `type` with every property set to something that is not a default.
  void setLine(int type) {
    FormLine l = line();
    l.dataType = static_cast<std::uint8_t>(type);
    l.fixedLengthOn = 1;
    l.fixedLength = 12;
    l.alignment = kAlignRightZero;
    l.initialOn = 1;
    copyCode(l.initialText, "7");
    l.prefixOn = 1;
    copyCode(l.prefix, "ABCDEFGHIJ");  // all ten bytes, no terminator
    l.suffixOn = 1;
    copyCode(l.suffix, "Z");
    l.inputMark = '*';
    l.decimals = 2;
    l.partialOn = 1;
    l.partialStart = 0x85;  // start 5, save the full barcode
    l.partialMax = 40;
    l.leadingOn = 1;
    copyCode(l.leadingCode, "ABCDEF");
    l.checkDigit = 3;
    l.autoEnter = kAutoEnterEnterScan;
  }

  // Runs the dialog while `drive` works it; returns runFieldProperties's result.
  bool run(std::function<void(const Dialog&)> drive) {
    Worker worker{GetCurrentThreadId(), std::move(drive)};
    HANDLE thread = CreateThread(nullptr, 0, workDialog, &worker, 0, nullptr);
    const bool ok = runFieldProperties(nullptr, GetModuleHandleA(nullptr), session_);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_TRUE(worker.found) << "the dialog did not open";
    return ok;
  }

  std::unique_ptr<ApplicationDefinition> definition_ = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<UiStrings> strings_ = std::make_unique<UiStrings>();
  std::unique_ptr<EditorSession> sessionStore_ = std::make_unique<EditorSession>(*definition_, *strings_);
  EditorSession& session_ = *sessionStore_;
};

TEST_F(FieldProperties, InitialValueIsFilteredByTheLineType) {
  const struct { int type; const char* typed; const char* left; } rows[] = {
      {kDataReal, "12a.5.6", "1256"},     {kDataReal, "12.5", "12.5"},   {kDataAutoSign, "1.2.", "12"},
      {kDataBoolean, "Yes", "Y"},         {kDataBoolean, "x", ""},       {kDataAlphameric, "AB-12", "AB"},
      {kDataInteger, "1-2a3", "123"},     {kDataText, "a-b.c d!?x", "a-b.c d!?"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.type) + " \"" + row.typed + "\"");
    setLine(row.type);
    std::string shown;
    EXPECT_TRUE(run([&](const Dialog& d) {
      d.setText(IDC_ADV_INITIAL_TEXT, row.typed);
      shown = d.text(IDC_ADV_INITIAL_TEXT);
      d.click(IDOK);
    }));
    EXPECT_EQ(shown, row.left);
    EXPECT_STREQ(line().initialText, row.left);
  }
}

TEST_F(FieldProperties, CheckDigitBoxStoresTheFirstMethodOrNone) {
  setLine(kDataText);
  line().checkDigit = 0;
  std::uint8_t afterTick = 99, afterMethod = 99, afterClear = 99;
  bool enabledOff = true, enabledOn = false;
  int itemAfterRetick = -1;
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_FALSE(d.checked(IDC_ADV_CHECK_DIGIT));
    EXPECT_EQ(d.items(IDC_ADV_CHECK_DIGIT_METHOD), 8);
    EXPECT_EQ(d.itemText(IDC_ADV_CHECK_DIGIT_METHOD, 7), "MOD 11  Repeat Arithmetic (next low)");
    d.click(IDC_ADV_CHECK_DIGIT);
    afterTick = line().checkDigit;
    enabledOn = d.enabled(IDC_ADV_CHECK_DIGIT_METHOD);
    d.select(IDC_ADV_CHECK_DIGIT_METHOD, 5);
    afterMethod = line().checkDigit;
    d.click(IDC_ADV_CHECK_DIGIT);
    afterClear = line().checkDigit;
    enabledOff = d.enabled(IDC_ADV_CHECK_DIGIT_METHOD);
    d.click(IDC_ADV_CHECK_DIGIT);
    itemAfterRetick = d.selected(IDC_ADV_CHECK_DIGIT_METHOD);
    d.click(IDOK);
  }));
  EXPECT_EQ(afterTick, 1);
  EXPECT_TRUE(enabledOn);
  EXPECT_EQ(afterMethod, 6);
  EXPECT_EQ(afterClear, 0);
  EXPECT_FALSE(enabledOff);
  EXPECT_EQ(itemAfterRetick, 0);
  EXPECT_EQ(line().checkDigit, 1);
}

TEST_F(FieldProperties, PartialReadIsSettledOnOpeningAndOk) {
  setLine(kDataText);
  line().partialMax = 0;
  line().partialStart = 0;
  std::string max, start, typedStart;
  EXPECT_TRUE(run([&](const Dialog& d) {
    max = d.text(IDC_ADV_PARTIAL_MAX);
    start = d.text(IDC_ADV_PARTIAL_START);
    EXPECT_FALSE(d.checked(IDC_ADV_SAVE_FULL_BARCODE));
    d.setText(IDC_ADV_PARTIAL_START, "x");
    typedStart = d.text(IDC_ADV_PARTIAL_START);
    d.setText(IDC_ADV_PARTIAL_MAX, "95");
    EXPECT_EQ(d.text(IDC_ADV_PARTIAL_MAX), "80");
    d.setText(IDC_ADV_PARTIAL_START, "");  // an empty start stores 0, which OK makes 1
    d.click(IDC_ADV_SAVE_FULL_BARCODE);
    d.click(IDOK);
  }));
  EXPECT_EQ(max, "80");
  EXPECT_EQ(start, "1");
  EXPECT_EQ(typedStart, "1");
  EXPECT_EQ(line().partialMax, 80);
  EXPECT_EQ(line().partialStart, 0x81);

  // A start beyond bits 0-6 stays out of the save-full-barcode bit.
  setLine(kDataText);
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_TRUE(d.checked(IDC_ADV_SAVE_FULL_BARCODE));
    d.setText(IDC_ADV_PARTIAL_START, "200");
    EXPECT_EQ(d.text(IDC_ADV_PARTIAL_START), "127");
    d.click(IDC_ADV_SAVE_FULL_BARCODE);
    d.click(IDOK);
  }));
  EXPECT_EQ(line().partialStart, 127);
}

TEST_F(FieldProperties, CancelRestoresTheWholeRecord) {
  setLine(kDataReal);
  form().line(0).dataType = kDataText;  // another line, untouched anyway
  showMark() = false;
  const FormRecord before = form();
  EXPECT_FALSE(run([&](const Dialog& d) {
    d.click(IDC_ADV_FIXED_LENGTH);
    d.setText(IDC_ADV_FIXED_LENGTH_VALUE, "300");
    d.select(IDC_ADV_ALIGNMENT, 0);
    d.setText(IDC_ADV_INITIAL_TEXT, "3.5");
    d.click(IDC_ADV_PREFIX);
    d.click(IDC_ADV_SUFFIX);
    d.click(IDC_ADV_INPUT_MARK);
    d.setText(IDC_ADV_INPUT_MARK_CHAR, "#");
    d.select(IDC_ADV_DECIMALS, 6);
    d.click(IDC_ADV_PARTIAL);
    d.setText(IDC_ADV_PARTIAL_MAX, "0");
    d.click(IDC_ADV_SAVE_FULL_BARCODE);
    d.setText(IDC_ADV_LEADING_CODE, "X");
    d.click(IDC_ADV_CHECK_DIGIT);
    d.select(IDC_ADV_AUTO_ENTER, 0);
    EXPECT_NE(std::memcmp(&form(), &before, sizeof before), 0);
    d.click(IDCANCEL);
  }));
  EXPECT_EQ(std::memcmp(&form(), &before, sizeof before), 0);
  EXPECT_EQ(std::memcmp(line().prefix, "ABCDEFGHIJ", 10), 0);
  EXPECT_FALSE(showMark());

  setLine(kDataLookup);
  const FormRecord lookupBefore = form();
  EXPECT_FALSE(run([&](const Dialog& d) {
    d.click(IDC_LADV_SAVE_FIELD);
    d.click(IDC_LADV_SAVE_FIELD);
    d.click(IDC_LADV_FIXED_LENGTH);
    d.setText(IDC_LADV_FIXED_LENGTH_VALUE, "9");
    d.select(IDC_LADV_ALIGNMENT, 1);
    d.click(IDC_LADV_PREFIX);
    d.click(IDCANCEL);
  }));
  EXPECT_EQ(std::memcmp(&form(), &lookupBefore, sizeof lookupBefore), 0);
}

TEST_F(FieldProperties, EditsStoreAsTheyAreMade) {
  setLine(kDataText);
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_EQ(d.text(IDC_ADV_FIXED_LENGTH_VALUE), "12");
    d.setText(IDC_ADV_FIXED_LENGTH_VALUE, "300");
    EXPECT_EQ(d.text(IDC_ADV_FIXED_LENGTH_VALUE), "255");
    d.setText(IDC_ADV_INPUT_MARK_CHAR, "#!");
    EXPECT_EQ(d.text(IDC_ADV_INPUT_MARK_CHAR), "#");
    d.setText(IDC_ADV_LEADING_CODE, "1234567");
    EXPECT_EQ(d.text(IDC_ADV_LEADING_CODE), "123456");
    d.select(IDC_ADV_AUTO_ENTER, 3);
    d.click(IDC_ADV_FIXED_LENGTH);
    EXPECT_FALSE(d.enabled(IDC_ADV_FIXED_LENGTH_VALUE));
    EXPECT_FALSE(d.enabled(IDC_ADV_ALIGNMENT));
    d.click(IDOK);
  }));
  EXPECT_EQ(line().fixedLength, 255);
  EXPECT_EQ(line().fixedLengthOn, 0);
  EXPECT_EQ(line().inputMark, '#');
  EXPECT_EQ(std::string(line().leadingCode, 6), "123456");
  EXPECT_EQ(line().autoEnter, kAutoEnterKeyboard);
}

TEST_F(FieldProperties, HiddenInputMarkIsDroppedOnOk) {
  setLine(kDataText);
  bool markEditOff = false;
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_TRUE(d.checked(IDC_ADV_INPUT_MARK));
    EXPECT_EQ(d.text(IDC_ADV_INPUT_MARK_CHAR), "*");
    d.click(IDC_ADV_INPUT_MARK);
    markEditOff = !d.enabled(IDC_ADV_INPUT_MARK_CHAR);
    d.click(IDOK);
  }));
  EXPECT_TRUE(markEditOff);
  EXPECT_EQ(line().inputMark, 0);
  EXPECT_FALSE(showMark());

  // A line without a mark opens with the box clear; ticking it and typing one keeps it.
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_FALSE(d.checked(IDC_ADV_INPUT_MARK));
    EXPECT_FALSE(d.enabled(IDC_ADV_INPUT_MARK_CHAR));
    d.click(IDC_ADV_INPUT_MARK);
    EXPECT_TRUE(d.enabled(IDC_ADV_INPUT_MARK_CHAR));
    d.setText(IDC_ADV_INPUT_MARK_CHAR, "_");
    d.click(IDOK);
  }));
  EXPECT_EQ(line().inputMark, '_');
  EXPECT_TRUE(showMark());
}

TEST_F(FieldProperties, TheLineTypeSwitchesOffWhatItCannotUse) {
  const struct { int type; bool initial, mark, decimals; } rows[] = {
      {kDataText, true, true, false}, {kDataReal, true, true, true}, {kDataFixed, false, false, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type);
    setLine(row.type);
    EXPECT_FALSE(run([&](const Dialog& d) {
      EXPECT_EQ(d.enabled(IDC_ADV_INITIAL), row.initial);
      EXPECT_EQ(d.enabled(IDC_ADV_INITIAL_TEXT), row.initial);
      EXPECT_EQ(d.text(IDC_ADV_INITIAL_TEXT), row.initial ? "7" : "");
      EXPECT_EQ(d.enabled(IDC_ADV_INPUT_MARK), row.mark);
      EXPECT_EQ(d.enabled(IDC_ADV_INPUT_MARK_CHAR), row.mark);
      EXPECT_EQ(d.enabled(IDC_ADV_DECIMALS), row.decimals);
      EXPECT_EQ(d.enabled(IDC_ADV_DECIMALS_LABEL), row.decimals);
      if (row.initial) {
        d.click(IDC_ADV_INITIAL);
        EXPECT_FALSE(d.enabled(IDC_ADV_INITIAL_TEXT));
        d.click(IDC_ADV_INITIAL);
      }
      // Ticking another box does not bring the switched-off ones back.
      d.click(IDC_ADV_FIXED_LENGTH);
      EXPECT_EQ(d.enabled(IDC_ADV_INITIAL_TEXT), row.initial);
      EXPECT_EQ(d.enabled(IDC_ADV_INPUT_MARK_CHAR), row.mark);
      EXPECT_TRUE(d.enabled(IDC_ADV_AUTO_ENTER));
      d.click(IDCANCEL);
    }));
  }
}

TEST_F(FieldProperties, OpeningShowsTheLineAndItsNumbers) {
  setLine(kDataReal);
  session_.currentForm = 9;
  session_.currentLine = 7;
  setLine(kDataReal);
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_EQ(d.title(), "Properties");
    EXPECT_EQ(d.text(IDC_ADV_FORM_NUMBER), "10");
    EXPECT_EQ(d.text(IDC_ADV_LINE_NUMBER), "8");
    EXPECT_TRUE(d.checked(IDC_ADV_FIXED_LENGTH));
    EXPECT_EQ(d.selected(IDC_ADV_ALIGNMENT), kAlignRightZero);
    EXPECT_EQ(d.itemText(IDC_ADV_ALIGNMENT, 0), "Left aligned (padded with space)");
    EXPECT_EQ(d.items(IDC_ADV_DECIMALS), 7);
    EXPECT_EQ(d.itemText(IDC_ADV_DECIMALS, 0), "variable");
    EXPECT_EQ(d.itemText(IDC_ADV_DECIMALS, 6), "6");
    EXPECT_EQ(d.selected(IDC_ADV_DECIMALS), 2);
    EXPECT_EQ(d.text(IDC_ADV_PARTIAL_START), "5");
    EXPECT_EQ(d.text(IDC_ADV_PARTIAL_MAX), "40");
    EXPECT_EQ(d.text(IDC_ADV_LEADING_CODE), "ABCDEF");
    EXPECT_EQ(d.selected(IDC_ADV_CHECK_DIGIT_METHOD), 2);
    EXPECT_EQ(d.selected(IDC_ADV_AUTO_ENTER), kAutoEnterEnterScan);
    EXPECT_EQ(d.itemText(IDC_ADV_AUTO_ENTER, 1), "Scan+ENTER");
    EXPECT_EQ(d.text(IDC_ADV_SUFFIX_CODE), " Z");  // the code's display text
    d.click(IDOK);
  }));
}

TEST_F(FieldProperties, OkWithoutEditsChangesOnlyWhatItSettles) {
  struct Row {
    int type;
    std::uint8_t start, max, mark;
    bool showMarkOnOpen;  // the flag before opening: opening takes it from the mark
    std::uint8_t startAfter, maxAfter, markAfter;
  };
  const Row rows[] = {
      {kDataText, 0x85, 40, '*', false, 0x85, 40, '*'}, {kDataText, 0, 0, 0, true, 1, 80, 0},
      {kDataText, 0x80, 90, 0, false, 0x81, 80, 0},     {kDataFixed, 0x05, 20, '*', false, 0x05, 20, '*'},
      {kDataReal, 0x05, 20, 0, false, 0x05, 20, 0},     {kDataLookup, 0x85, 40, '*', true, 0x85, 40, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.type) + "/" + std::to_string(row.start) + "/" + std::to_string(row.max));
    setLine(row.type);
    line().partialStart = row.start;
    line().partialMax = row.max;
    line().inputMark = row.mark;
    showMark() = row.showMarkOnOpen;
    FormRecord expected = form();
    expected.line(session_.currentLine).partialStart = row.startAfter;
    expected.line(session_.currentLine).partialMax = row.maxAfter;
    expected.line(session_.currentLine).inputMark = row.markAfter;
    EXPECT_TRUE(run([&](const Dialog& d) { d.click(IDOK); }));
    EXPECT_EQ(std::memcmp(&form(), &expected, sizeof expected), 0);
    EXPECT_EQ(showMark(), row.markAfter != 0);
  }
}

TEST_F(FieldProperties, ACommandAfterOkChangesNothing) {
  setLine(kDataText);
  line().partialMax = 0;
  EXPECT_TRUE(run([&](const Dialog& d) {
    d.click(IDOK);
    // The ended dialog may still be there for a moment; a late Cancel must not undo the OK.
    SendMessageA(d.window, WM_COMMAND, IDCANCEL, 0);
  }));
  EXPECT_EQ(line().partialMax, 80);
}

TEST_F(FieldProperties, LookupLineSavesOnlyWhenAsked) {
  setLine(kDataLookup);
  line().initialOn = 0;
  line().prefixOn = 0;
  const struct { int id; bool off, on; } controls[] = {
      {IDC_LADV_FIXED_LENGTH, false, true},        {IDC_LADV_PREFIX, false, true},
      {IDC_LADV_SUFFIX, false, true},              {IDC_LADV_FIXED_LENGTH_VALUE, false, true},
      {IDC_LADV_ALIGNMENT, false, true},           {IDC_LADV_PREFIX_CODE, false, false},
      {IDC_LADV_SUFFIX_CODE, false, true},
  };
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_FALSE(d.checked(IDC_LADV_SAVE_FIELD));
    for (const auto& c : controls) EXPECT_EQ(d.enabled(c.id), c.off) << c.id;
    d.click(IDC_LADV_SAVE_FIELD);
    for (const auto& c : controls) EXPECT_EQ(d.enabled(c.id), c.on) << c.id;
    EXPECT_EQ(line().initialOn, 1);
    d.click(IDC_LADV_PREFIX);
    EXPECT_TRUE(d.enabled(IDC_LADV_PREFIX_CODE));
    d.setText(IDC_LADV_FIXED_LENGTH_VALUE, "x");
    EXPECT_EQ(d.text(IDC_LADV_FIXED_LENGTH_VALUE), "0");
    d.click(IDOK);
  }));
  EXPECT_EQ(line().initialOn, 1);
  EXPECT_EQ(line().prefixOn, 1);
  EXPECT_EQ(line().fixedLength, 0);
  EXPECT_EQ(line().inputMark, 0);
  EXPECT_EQ(std::memcmp(line().prefix, "ABCDEFGHIJ", 10), 0);
}

TEST_F(FieldProperties, LanguageFileRelabelsTheDialogs) {
  const char language[] = "Test\r\n81=Eigenschaften\r\n85=Feste L\xE4nge\r\n98=Ganzen Code speichern\r\n"
                          "111=Suchfeld\r\n115=Feld speichern\r\n1218=Gut\r\n1219=Abbruch\r\n";
  ASSERT_TRUE(strings_->applyLanguageFile(language, sizeof language - 1));
  strings_->setLanguageActive(true);
  setLine(kDataText);
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_EQ(d.title(), "Eigenschaften");
    EXPECT_EQ(d.text(IDC_ADV_FIXED_LENGTH), "Feste L\xE4nge");
    EXPECT_EQ(d.text(IDC_ADV_SAVE_FULL_BARCODE), "Ganzen Code speichern");
    EXPECT_EQ(d.text(IDC_ADV_INITIAL), "&Initial value or text");  // no entry: the template's
    EXPECT_EQ(d.text(IDOK), "Gut");
    EXPECT_EQ(d.text(IDCANCEL), "Abbruch");
    d.click(IDOK);
  }));
  setLine(kDataLookup);
  EXPECT_TRUE(run([&](const Dialog& d) {
    EXPECT_EQ(d.title(), "Suchfeld");
    EXPECT_EQ(d.text(IDC_LADV_SAVE_FIELD), "Feld speichern");
    d.click(IDOK);
  }));
}

TEST_F(FieldProperties, ALineOutsideTheFormOpensNothing) {
  const FormRecord before = form();
  session_.currentLine = kFormLines;
  EXPECT_FALSE(runFieldProperties(nullptr, GetModuleHandleA(nullptr), session_));
  session_.currentLine = 0;
  session_.currentForm = -1;
  EXPECT_FALSE(runFieldProperties(nullptr, GetModuleHandleA(nullptr), session_));
  session_.currentForm = 1;
  EXPECT_EQ(std::memcmp(&form(), &before, sizeof before), 0);
}

TEST_F(FieldProperties, Screenshots) {
  session_.currentForm = 0;
  session_.currentLine = 0;
  form().line(0).dataType = kDataText;
  form().line(0).partialMax = 20;
  form().line(0).autoEnter = kAutoEnterScan;
  EXPECT_TRUE(run([&](const Dialog& d) {
    screenshot(d.window, "field_properties");
    d.click(IDOK);
  }));
  form().line(0).dataType = kDataLookup;
  EXPECT_TRUE(run([&](const Dialog& d) {
    screenshot(d.window, "lookup_field_properties");
    d.click(IDOK);
  }));
}

}  // namespace
}  // namespace torvik
