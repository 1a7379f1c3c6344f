// Copy and Paste of forms, menus and lookups on their pages: a record copied from one slot and
// pasted into another is saved with the same bytes, between slots and between designs; what
// the clipboard holds that is no record of the page's kind is refused with a message; and a
// paste is an edit like any other, gone with Cancel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "definition/application_definition.h"
#include "tests/gui/crafted_designs.h"
#include "tests/support/win32_files.h"

namespace {

using torvik::ApplicationDefinition;

constexpr int kFormPage = 0, kMenuPage = 1, kLookupPage = 2;
constexpr int kSelector[] = {IDC_FORM_SELECT, IDC_MENU_SELECT, IDC_LOOKUP_SELECT};

// The page kinds' records in the file: where the first is and how long one is.
struct Records {
  std::size_t offset;
  std::size_t size;
};
constexpr Records kRecords[] = {{offsetof(ApplicationDefinition, form), sizeof(torvik::FormRecord)},
                                {offsetof(ApplicationDefinition, menu), sizeof(torvik::MenuRecord)},
                                {offsetof(ApplicationDefinition, lookup), sizeof(torvik::LookupRecord)}};

std::string clipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Puts text alone on the clipboard, as another program would.
bool putClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return set;
}

class DesignClipboard : public gui::CraftedDesignTest {
 protected:
  // A form with input lines, a menu with items and a lookup with fields, in slot `n` of each.
  static void craft(ApplicationDefinition& def, int n, const char* word) {
    torvik::FormRecord& form = def.form[n];
    for (int j = 0; j < 3; ++j) {
      form.dataType[j] = static_cast<std::uint8_t>(1 + j);
      std::snprintf(form.prompt[j], sizeof form.prompt[j], "%s %d", word, j + 1);
      form.maxLength[j] = static_cast<std::uint8_t>(10 + j);
    }
    form.font = 1;
    torvik::MenuRecord& menu = def.menu[n];
    std::snprintf(menu.caption, sizeof menu.caption, "%s menu", word);
    menu.captionOn = 1;
    for (int k = 0; k < 3; ++k) {
      std::snprintf(menu.itemName[k], sizeof menu.itemName[k], "%s item %d", word, k + 1);
      menu.itemNext[k] = static_cast<std::uint8_t>(2 + k);
    }
    torvik::LookupRecord& lookup = def.lookup[n % torvik::kLookupCount];
    lookup.fieldCount = 3;
    lookup.memberLength = 30;
    for (int i = 0; i < 3; ++i) {
      lookup.fieldOffset[i] = static_cast<std::uint8_t>(1 + 10 * i);
      lookup.fieldLength[i] = 10;
    }
  }


  // Shows record `row` on the page of kind `kind`.
  HWND show(int kind, int row) {
    HWND page = showPage(kind, kSelector[kind]);
    if (page != nullptr) gui::selectComboRow(page, kSelector[kind], row);
    return page;
  }

  // Copy on the page; waits until the clipboard holds the record's text.
  bool copy(HWND page, const std::string& firstName) {
    putClipboardText("");
    gui::clickButton(page, IDC_RECORD_COPY);
    return gui::waitUntil([&] { return clipboardText().compare(0, firstName.size(), firstName) == 0; });
  }

  // Paste on the page, with the answer to a question or message if one comes; its text.
  std::string paste(HWND page, int answer, DWORD timeoutMs = 3000) {
    gui::clickButton(page, IDC_RECORD_PASTE);
    return gui::answerMessageBox(*torvik_, "Warning", answer, timeoutMs);
  }

  static std::string record(const std::string& file, int kind, int n) {
    return file.substr(kRecords[kind].offset + kRecords[kind].size * static_cast<std::size_t>(n), kRecords[kind].size);
  }

};

TEST_F(DesignClipboard, ARecordCopiedFromOneSlotAndPastedIntoAnotherSavesTheSameBytes) {
  auto def = newDesign();
  craft(*def, 2, "Three");
  craft(*def, 6, "Seven");
  ASSERT_NE(open(*def, "slots"), nullptr);
  const struct {
    int kind;
    int from, to;
    const char* text;
  } kCases[] = {{kFormPage, 2, 6, "form3.font = large\r\n"},
                {kMenuPage, 2, 6, "menu3.font = small\r\n"},
                {kLookupPage, 2, 0, "lookup3.memberLength = 30\r\n"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    HWND page = show(c.kind, c.from);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(copy(page, c.text)) << clipboardText().substr(0, 80);
    gui::selectComboRow(page, kSelector[c.kind], c.to);
    // Each slot pasted into holds something, so the page asks first.
    EXPECT_NE(paste(page, IDYES).find("is not empty. Replace it"), std::string::npos);
  }
  HWND form = show(kFormPage, 6);
  EXPECT_EQ(gui::dialogItemText(form, IDC_FORM_PROMPT_BASE + 1), "Three 1") << "the page shows what it pasted";
  torvik_->screenshot("design_clipboard_form_page");
  show(kMenuPage, 6);
  torvik_->screenshot("design_clipboard_menu_page");
  show(kLookupPage, 0);
  torvik_->screenshot("design_clipboard_lookup_page");
  closeSheet(IDOK);

  const std::string saved = saveAs("pasted");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(record(saved, c.kind, c.to), record(saved, c.kind, c.from));
  }
}

TEST_F(DesignClipboard, WhatIsNoRecordOfThePagesKindIsRefusedWithAMessageAndCancelKeepsTheFile) {
  auto def = newDesign();
  craft(*def, 0, "One");
  ASSERT_NE(open(*def, "refusals"), nullptr);
  HWND page = show(kFormPage, 0);
  ASSERT_NE(page, nullptr);
  const struct {
    const char* clipboard;
    const char* message;
  } kCases[] = {
      {"menu2.caption = \"Stock\"\r\n", "The clipboard holds no form."},
      {"Dear customer,\r\nthank you.\r\n", "The clipboard holds no form."},
      {"form4.font = large\r\nform4.font = huge\r\n", "2: form4.font: given twice (first on line 1)"},
      {"form4.font = large\r\nform4.line1.prompt = \"far too long for a prompt line\"\r\n",
       "The text on the clipboard cannot be pasted:\n\n2: form4.line1.prompt: the text has 30 characters, the field holds 21"},
      {"form4.font = large\r\nmenu1.font = large\r\n", "2: menu1.font: not a setting of form4"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.clipboard);
    ASSERT_TRUE(putClipboardText(c.clipboard));
    EXPECT_NE(paste(page, IDOK).find(c.message), std::string::npos);
    EXPECT_EQ(gui::dialogItemText(page, IDC_FORM_PROMPT_BASE + 1), "One 1") << "nothing changed";
  }
  // A good text into the slot in use, then Cancel: the design is as it was opened.
  ASSERT_TRUE(putClipboardText("form9.line1.prompt = \"Pasted\"\r\n"));
  paste(page, IDYES);
  EXPECT_EQ(gui::dialogItemText(page, IDC_FORM_PROMPT_BASE + 1), "Pasted");
  closeSheet(IDCANCEL);
  EXPECT_EQ(saveAs("cancelled"), written_);
}

TEST_F(DesignClipboard, ARecordCopiedInOneDesignPastesIntoAnotherOpenedAfterIt) {
  auto first = newDesign();
  auto second = std::make_unique<ApplicationDefinition>(*first);
  craft(*first, 1, "First");
  // Saved once through the editor, so that the form copied is one the editor's OK keeps as it is.
  ASSERT_NE(open(*first, "first"), nullptr);
  closeSheet(IDOK);
  const std::string firstSaved = saveAs("first-saved");
  ASSERT_NE(openEditor(), nullptr);
  HWND page = show(kFormPage, 1);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(copy(page, "form2.font = large\r\n"));
  // A form in our own format is no menu either.
  EXPECT_EQ(paste(show(kMenuPage, 0), IDOK), "The clipboard holds no menu.");
  closeSheet(IDCANCEL);

  ASSERT_NE(open(*second, "second"), nullptr);
  page = show(kFormPage, 4);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(paste(page, IDOK, 1500), "") << "an empty slot is replaced without a question";
  EXPECT_EQ(gui::dialogItemText(page, IDC_FORM_PROMPT_BASE + 2), "First 2");
  closeSheet(IDOK);
  EXPECT_EQ(record(saveAs("second-pasted"), kFormPage, 4), record(firstSaved, kFormPage, 1));
}

}  // namespace
