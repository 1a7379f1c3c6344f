// The definition editor's frame: the modal property sheet with its six pages.
#include "editor/definition_editor_win32.h"

#include <commctrl.h>

#include <memory>

#include "editor/editor_session.h"
#include "editor/page_win32.h"

namespace torvik {

namespace {

struct PageSpec {
  const char* templateName;
  const char* title;
  int languageEntry;  // the title while a language file is active
  DLGPROC proc;
};

// The pages in tab order.
const PageSpec kPages[] = {
    {"FORMDLG", "Form", 51, formPageProc},
    {"MENUDLG", "Menu", 201, menuPageProc},
    {"LOOKUPDLG", "Lookup", 251, lookupPageProc},
    {"BARCODESETTINGDLG", "Barcode", 301, barcodePageProc},
    {"SETTINGSDLG", "Settings", 601, settingsPageProc},
    {"STARTUPDLG", "Startup", 701, startupPageProc},
};
constexpr int kPageCount = static_cast<int>(sizeof kPages / sizeof kPages[0]);
static_assert(kPageCount == kEditorPageCount && static_cast<int>(EditorPage::Startup) == kPageCount - 1,
              "EditorPage names the pages in tab order");

constexpr char kProgramCaption[] = "Torvik";
constexpr char kNewFileCaption[] = "New file";
constexpr int kEntryProgramName = 2;
constexpr int kEntryNewFile = 3;

// The language file's text for an entry, or the built-in one.
const char* entryOr(const UiStrings& strings, int entry, const char* builtIn) {
  if (!strings.languageActive()) return builtIn;
  return strings.directEntry(entry);
}

}  // namespace

bool runDefinitionEditor(const EditorContext& context) {
  auto session = std::make_unique<EditorSession>(context.definition, context.strings);
  buildNumberLabels(*session);
  session->defaults = context.defaults;
  const int startPage = static_cast<int>(context.startPage);
  session->startPage = startPage >= 0 && startPage < kPageCount ? context.startPage : EditorPage::Form;
  session->startRecord = context.startRecord;
  session->focusControl = context.focusControl;
  const UiStrings& strings = context.strings;

  PROPSHEETPAGEA pages[kPageCount] = {};
  for (int i = 0; i < kPageCount; ++i) {
    PROPSHEETPAGEA& p = pages[i];
    p.dwSize = sizeof p;
    p.dwFlags = PSP_USETITLE;
    p.hInstance = context.instance;
    p.pszTemplate = kPages[i].templateName;
    p.pfnDlgProc = kPages[i].proc;
    p.pszTitle = entryOr(strings, kPages[i].languageEntry, kPages[i].title);
    p.lParam = reinterpret_cast<LPARAM>(session.get());
  }

  char caption[300];
  composeEditorCaption(entryOr(strings, kEntryProgramName, kProgramCaption),
                       entryOr(strings, kEntryNewFile, kNewFileCaption), context.currentFile, caption,
                       sizeof caption);

  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
  header.hwndParent = context.owner;
  header.hInstance = context.instance;
  header.pszCaption = caption;
  header.nPages = kPageCount;
  header.nStartPage = static_cast<UINT>(session->startPage);
  header.ppsp = pages;
  PropertySheetA(&header);
  if (session->dialogsStored && context.dialogsStored != nullptr) *context.dialogsStored = true;
  // Every displayed page has stored; the Menu and Lookup pages' last steps go over what later
  // pages wrote into the blocks they share.
  return commitApplied(*session, context.defaults);
}

}  // namespace torvik
