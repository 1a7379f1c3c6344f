// What a page shows is what OK saves: designs crafted byte by byte so that each rule the
// editor applies on showing a record has something to settle, opened in the real program,
// shown, confirmed, saved and read back.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "definition/application_definition.h"
#include "tests/gui/crafted_designs.h"
#include "tests/support/win32_files.h"

namespace {

using gui::checked;
using torvik::ApplicationDefinition;

constexpr int kFormPage = 0, kMenuPage = 1, kLookupPage = 2, kBarcodePage = 3, kSettingsPage = 4, kStartupPage = 5;

void click(HWND dialog, int id) {
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

int selectedRow(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

// The checked button of a run of radio buttons, or -1.
int checkedRadio(HWND dialog, int first, int count) {
  for (int i = 0; i < count; ++i)
    if (checked(dialog, first + i)) return i;
  return -1;
}

class EditorTrust : public gui::CraftedDesignTest {
 protected:
  HWND page(int index) const {
    static const int kControl[] = {IDC_FORM_SELECT, IDC_MENU_SELECT, IDC_LOOKUP_SELECT,
                                   IDC_BARCODE_TIMEOUT, IDC_SET_UPLOAD_PORT, IDC_STARTUP_GROUP};
    return showPage(index, kControl[index]);
  }

  // Presses OK of a sub-dialog, or answers a message box.
  void confirm(HWND dialog) const { gui::closeDialog(dialog, IDOK); }
};

constexpr std::size_t at(std::size_t offset) { return offset; }
#define OFFSET(member) at(offsetof(ApplicationDefinition, member))

TEST_F(EditorTrust, RulesAppliedOnShowingAreWhatOkSaves) {
  auto def = newDesign();
  // Menu 1 saves its caption while every form has a file of its own: "Pass down" must be on.
  def->menu[0].saveCaption = 1;
  def->menu[0].passDown = 0;
  def->systemSettings.separateDataFiles = 1;
  // Form 1's text line refers to "-field 3", which a text line cannot offer.
  def->form[0].dataType[0] = 1;
  def->form[0].lookupField[0] = 11;
  // Lookup 1 is read once but would continue; its key field is no button. Lookup 2 is the same
  // but never shown: it keeps its bytes.
  for (int n : {0, 1}) {
    def->lookup[n].readOnce = 1;
    def->lookup[n].noMatchAction = 5;
    def->lookup[n].keyField = 9;
  }
  // Radio groups holding values no button stands for.
  def->wedgeSettings.options = 0x1E;  // lock type 3, digits layout 3
  def->barcodeSettings.options[6] = 0x03;  // Industrial 25 start/stop 3
  // Separators of two characters; the stamp dialog shows one.
  std::memcpy(def->form[0].stampDateSep, "/-", 2);
  std::memcpy(def->form[0].stampTimeSep, ":.", 2);
  ASSERT_NE(open(*def, "crafted"), nullptr);

  HWND form = page(kFormPage);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(selectedRow(form, IDC_FORM_COLUMN_BASE + 1), 3) << "field 3";
  HWND stamp = openDialog(form, IDC_FORM_TIME_STAMP, "Date & Time Stamp settings");
  ASSERT_NE(stamp, nullptr);
  EXPECT_EQ(gui::dialogItemText(stamp, IDC_STAMP_DATE_SEP), "/");
  EXPECT_EQ(gui::dialogItemText(stamp, IDC_STAMP_TIME_SEP), ":");
  confirm(stamp);

  HWND menu = page(kMenuPage);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(checked(menu, IDC_MENU_PASS_DOWN));
  EXPECT_FALSE(gui::enabled(menu, IDC_MENU_PASS_DOWN));

  HWND lookup = page(kLookupPage);
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(selectedRow(lookup, IDC_LOOKUP_NO_MATCH), 0) << "\"Insert to lookup file\"";
  EXPECT_EQ(checkedRadio(lookup, IDC_LOOKUP_KEY_BASE, 8), 0);

  HWND barcode = page(kBarcodePage);
  ASSERT_NE(barcode, nullptr);
  HWND industrial = openDialog(barcode, IDC_BARCODE_MORE_FIRST + 3, "Industrial 25 Parameters");
  ASSERT_NE(industrial, nullptr);
  EXPECT_EQ(checkedRadio(industrial, IDC_SYM_RADIO1, 3), 0);
  confirm(industrial);

  HWND settings = page(kSettingsPage);
  ASSERT_NE(settings, nullptr);
  HWND wedge = openDialog(settings, IDC_SET_WEDGE, "Keyboard Wedge Settings");
  ASSERT_NE(wedge, nullptr);
  EXPECT_EQ(checkedRadio(wedge, IDC_WEDGE_LOCK_FIRST, 3), 0);
  EXPECT_EQ(checkedRadio(wedge, IDC_WEDGE_DIGITS_FIRST, 3), 0);
  confirm(wedge);
  closeSheet(IDOK);

  const std::string saved = saveAs("confirmed");
  ASSERT_EQ(saved.size(), written_.size());
  auto byte = [&](std::size_t offset) { return static_cast<unsigned char>(saved[offset]); };
  const std::size_t menu1 = OFFSET(menu), form1 = OFFSET(form), lookup1 = OFFSET(lookup);
  EXPECT_EQ(byte(menu1 + offsetof(torvik::MenuRecord, passDown)), 1) << "pass down as shown";
  EXPECT_EQ(byte(form1 + offsetof(torvik::FormRecord, lookupField)), 3) << "field 3 as shown";
  EXPECT_EQ(saved.substr(form1 + offsetof(torvik::FormRecord, stampDateSep), 2), std::string("/\0", 2));
  EXPECT_EQ(saved.substr(form1 + offsetof(torvik::FormRecord, stampTimeSep), 2), std::string(":\0", 2));
  EXPECT_EQ(byte(lookup1 + offsetof(torvik::LookupRecord, noMatchAction)), 2);
  EXPECT_EQ(byte(lookup1 + offsetof(torvik::LookupRecord, keyField)), 0);
  const std::size_t lookup2 = lookup1 + sizeof(torvik::LookupRecord);
  EXPECT_EQ(saved.substr(lookup2, sizeof(torvik::LookupRecord)), written_.substr(lookup2, sizeof(torvik::LookupRecord)))
      << "a lookup never shown keeps every byte";
  EXPECT_EQ(byte(OFFSET(wedgeSettings) + 1), 0x80) << "both radio groups packed as shown, beside auto-detection";
  EXPECT_EQ(byte(OFFSET(barcodeSettings) + 6), 0x00);
}

// Typed numbers are corrected at once as their rules say, and the delimiter of a delimited
// lookup can never become 0 behind a page that says "Delimiter".
TEST_F(EditorTrust, NumberEditsAndTheDelimiterStoreWhatTheyShow) {
  auto def = newDesign();
  def->lookup[0].delimiter = ',';
  def->lookup[0].fieldCount = 2;
  def->lookup[0].fieldLength[0] = 5;
  def->lookup[0].fieldLength[1] = 5;
  ASSERT_NE(open(*def, "delimited"), nullptr);

  HWND barcode = page(kBarcodePage);
  ASSERT_NE(barcode, nullptr);
  EXPECT_EQ(gui::typeText(barcode, IDC_BARCODE_TIMEOUT, "12a"), "1");
  HWND form = page(kFormPage);
  gui::selectComboRow(form, IDC_FORM_TYPE_BASE + 1, 1);
  EXPECT_EQ(gui::typeText(form, IDC_FORM_MAX_BASE + 1, "07"), "7");
  EXPECT_EQ(gui::typeText(form, IDC_FORM_MIN_BASE + 1, "1.5"), "0");
  EXPECT_EQ(gui::typeText(form, IDC_FORM_MIN_BASE + 1, ""), "") << "an emptied length stays empty";

  HWND lookup = page(kLookupPage);
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(gui::typeText(lookup, IDC_LOOKUP_DELIMITER, ""), "") << "emptied on the way to another number";
  for (const char* refused : {"0", ","}) {
    SCOPED_TRACE(refused);
    typeTextOrWarning(lookup, IDC_LOOKUP_DELIMITER, refused);
    HWND warning = torvik_->waitForWindow("#32770", "Warning");
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(gui::dialogItemText(warning, gui::kMessageBoxTextId), "Invalid value!");
    confirm(warning);
    EXPECT_TRUE(gui::waitUntil([&] { return gui::dialogItemText(lookup, IDC_LOOKUP_DELIMITER) == "44"; }));
  }
  EXPECT_EQ(gui::typeText(lookup, IDC_LOOKUP_DELIMITER, "059"), "59");
  closeSheet(IDOK);

  const std::string saved = saveAs("numbers");
  const std::size_t form1 = OFFSET(form);
  EXPECT_EQ(static_cast<unsigned char>(saved[OFFSET(barcodeSettings) + 21]), 1) << "time-out";
  EXPECT_EQ(saved[form1 + offsetof(torvik::FormRecord, maxLength)], 7);
  EXPECT_EQ(saved[form1 + offsetof(torvik::FormRecord, minLength)], 0);
  EXPECT_EQ(saved[OFFSET(lookup) + offsetof(torvik::LookupRecord, delimiter)], 59);
}

// After Open of a design whose lookup is defined, the Calculator entry is the ninth, whatever
// reloads the Startup page's texts; and entries nobody touched keep their bytes.
TEST_F(EditorTrust, StartupTextsKeepTheCalculatorNumberAndUntouchedBytes) {
  auto def = newDesign();
  def->lookup[0].memberLength = 10;
  def->lookup[0].fieldCount = 1;
  def->systemSettings.settingsText[0][0] = '9';
  def->msgConfirm.entry[0][0] = 'Q';
  def->msgConfirm.entry[0][1] = 0;
  def->msgConfirm.entry[0][15] = 'T';  // behind the NUL: kept
  ASSERT_NE(open(*def, "with_lookup"), nullptr);

  HWND startup = page(kStartupPage);
  ASSERT_NE(startup, nullptr);
  gui::selectComboRow(startup, IDC_STARTUP_GROUP, 25);  // "Misc - continuous ", line 4 is the Calculator
  EXPECT_EQ(gui::dialogItemText(startup, IDC_STARTUP_DEFAULT_BASE + 4).substr(0, 2), "9.");
  gui::selectComboRow(startup, IDC_STARTUP_GROUP, 0);
  gui::typeText(startup, IDC_STARTUP_TEXT_BASE + 2, "2.Send data");
  closeSheet(IDOK);
  std::string saved = saveAs("edited");
  EXPECT_EQ(saved[OFFSET(systemSettings) + 150], '9');
  EXPECT_EQ(saved.substr(OFFSET(msgConfirm), 16), written_.substr(OFFSET(msgConfirm), 16));
  EXPECT_EQ(saved.substr(OFFSET(msgMainMenu) + 16, 12), std::string("2.Send data\0", 12));

  // Reset reloads every text from the defaults; the ninth entry stays the ninth.
  ASSERT_NE(openEditor(), nullptr);
  HWND again = page(kStartupPage);
  ASSERT_NE(again, nullptr);
  click(again, IDC_STARTUP_RESET);
  closeSheet(IDOK);
  saved = saveAs("reset");
  EXPECT_EQ(saved[OFFSET(systemSettings) + 150], '9');
}

// An OK that a page refuses after the pages before it had stored, then Cancel: the design is
// byte for byte what was opened.
TEST_F(EditorTrust, CancelAfterARefusedApplyChangesNothing) {
  auto def = newDesign();
  def->lookup[0].delimiter = ',';
  def->lookup[0].fieldCount = 3;
  for (int i = 0; i < 3; ++i) def->lookup[0].fieldLength[i] = 100;  // 302 characters: too long
  ASSERT_NE(open(*def, "overlong"), nullptr);
  closeSheet(IDCANCEL);
  const std::string opened = saveAs("opened");

  ASSERT_NE(openEditor(), nullptr);
  HWND form = page(kFormPage);
  ASSERT_NE(form, nullptr);
  gui::selectComboRow(form, IDC_FORM_TYPE_BASE + 1, 1);
  gui::typeText(form, IDC_FORM_PROMPT_BASE + 1, "Changed");
  HWND menu = page(kMenuPage);
  click(menu, IDC_MENU_RESET);
  ASSERT_NE(page(kLookupPage), nullptr);
  // An apply that does not come through the OK button, so that the pages get it one by one.
  HWND sheet = sheet_;
  std::thread([sheet] { SendMessageA(sheet, PSM_APPLY, 0, 0); }).detach();
  HWND refusal = torvik_->waitForWindow("#32770", "Error");
  ASSERT_NE(refusal, nullptr);
  confirm(refusal);
  closeSheet(IDCANCEL);
  EXPECT_EQ(saveAs("cancelled"), opened);
}

}  // namespace
