#include "shell/session.h"

#include "base/ui_strings.h"

namespace torvik {

bool confirmDiscard(const Session& session, SavePromptUi& ui) {
  if (!session.modified) return true;
  switch (ui.askSaveCurrent()) {
    case Answer::Cancel: return false;
    case Answer::No: return true;
    case Answer::Yes: return ui.saveCurrent();
  }
  return false;
}

const char* savePromptCaption(const UiStrings& strings) {
  if (strings.languageActive()) {
    const char* entry = strings.directEntry(kEntryProgramCaption);
    // A language file without entry 1 still gets a captioned box.
    if (entry[0] != '\0') return entry;
  }
  return kProgramTitle;
}

}  // namespace torvik
