#pragma once
// What one opening of the definition editor works on: the design, the texts, and the working
// copies that its pages edit and write back only when the editor is closed with OK.
#include <cstddef>
#include <memory>

#include "base/ui_strings.h"
#include "definition/application_definition.h"
#include "definition/default_messages.h"
#include "editor/editor_pages.h"
#include "editor/startup_rules.h"

namespace torvik {

constexpr int kNumberLabels = 10;

struct EditorSession {
  EditorSession(ApplicationDefinition& def, UiStrings& texts) : definition(def), strings(texts) {}

  ApplicationDefinition& definition;
  UiStrings& strings;
  // "1" to "10": the text of number n is numberLabel[n - 1].
  char numberLabel[kNumberLabels][4] = {};

  // The Form page's working copy and its per-line state.
  FormRecord forms[kFormCount] = {};
  bool showInputMark[kFormCount][kFormLines] = {};
  int currentForm = 0;
  int currentLine = 0;
  // Set by the Form page's apply, which runs whenever the editor is closed with OK.
  bool formsApplied = false;

  // The Barcode page's working copy: the reader options and symbology switches it edits,
  // stored on OK. Its dialogs, and the Settings page's wedge dialog, store straight into the
  // design on their own OK and say so here, since the design has then changed even if the
  // sheet is cancelled.
  BarcodeSettings barcode = {};
  bool dialogsStored = false;

  // The Settings page's working copies, taken when the page is created and written back by
  // its apply; the wedge dialog's OK also writes its copy straight into the design. The stay
  // choice is the page's selected radio button ("Stay on the LCD" when true).
  SystemSettings settings = {};
  WedgeSettings wedge = {};
  bool settingsStayOnLcd = false;

  // The Startup page: the Default message table of the current language (built by the
  // program, which owns it; nullptr lets the page build its own) and the page's working copy
  // of the startup choices and of every group of prompts and messages.
  const DefaultMessages* defaults = nullptr;
  StartupState startup;

  // The Menu and Lookup pages' working copies, taken when each page is first shown. The
  // frame finishes their OK after every page has stored (see finishMenuAndLookup).
  MenuRecord menus[kMenuCount] = {};
  std::uint8_t separateDataFiles = 0;
  int currentMenu = 0;
  bool menusApplied = false;
  LookupRecord lookups[kLookupCount] = {};
  int currentLookup = 0;
  bool lookupPageCreated = false;
  bool lookupsApplied = false;
  bool lookupShowPending = false;  // the frame chose a lookup for the page to show
  bool startupTextsApplied = false;  // the Startup page's texts reached the design
  // Where the sheet opened (the check's "Go to"): the start page shows startRecord and
  // focuses focusControl when it is created, which the sheet does first.
  EditorPage startPage = EditorPage::Form;
  int startRecord = -1;
  int focusControl = 0;
  bool startFocused = false;

  // Where the pages' apply steps store: the first apply of an OK takes a copy of the design
  // (with what the sub-dialogs stored into it meanwhile), every page stores into that copy,
  // and the frame writes it into the design once the sheet has closed with OK. A page that
  // refuses its apply drops the copy, so that a Cancel after the refusal finds the design
  // untouched by the pages that had already stored.
  ApplicationDefinition& applyTarget();
  void refuseApply();
  std::unique_ptr<ApplicationDefinition> staged;
};

// The form, menu or lookup that `page` shows first: the start record when the sheet opened on
// that page with one in 0..count-1, else the first.
int firstRecordShown(const EditorSession& session, EditorPage page, int count);

// Fills the number labels "1" to "10".
void buildNumberLabels(EditorSession& session);

// After the sheet's OK, once every page has stored into the apply target: the Menu page's
// separate-data-files flag over whatever the Settings page wrote, then the Calculator entry's
// number wherever the Lookup or Startup page stored (only for the pages that were displayed).
// Then the target becomes the design. Returns false when no OK completed: no page stored, or
// one refused.
bool commitApplied(EditorSession& session, DefaultMessages* defaults);

// The editor's caption: "<program> - [ <file> ]", where an unnamed design ("" or "Unknow")
// shows `newFileText` instead of its name.
void composeEditorCaption(const char* programText, const char* newFileText, const char* file, char* out,
                          std::size_t size);

}  // namespace torvik
