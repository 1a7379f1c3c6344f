#include "editor/editor_session.h"

#include <cstdio>
#include <cstring>

#include "editor/lookup_rules.h"

namespace torvik {

int firstRecordShown(const EditorSession& session, EditorPage page, int count) {
  if (session.startPage != page || session.startRecord < 0 || session.startRecord >= count) return 0;
  return session.startRecord;
}

void buildNumberLabels(EditorSession& session) {
  for (int n = 1; n <= kNumberLabels; ++n)
    std::snprintf(session.numberLabel[n - 1], sizeof session.numberLabel[n - 1], "%d", n);
}

ApplicationDefinition& EditorSession::applyTarget() {
  if (!staged) staged = std::make_unique<ApplicationDefinition>(definition);
  return *staged;
}

void EditorSession::refuseApply() {
  staged.reset();
  formsApplied = menusApplied = lookupsApplied = startupTextsApplied = false;
}

bool commitApplied(EditorSession& session, DefaultMessages* defaults) {
  // Whichever pages were created stored into the copy; a sheet opened on another page (the
  // check's "Go to") may never have created the Form page.
  if (!session.staged) return false;
  ApplicationDefinition& target = *session.staged;
  if (session.menusApplied) target.systemSettings.separateDataFiles = session.separateDataFiles;
  if (session.lookupsApplied || session.startupTextsApplied) renumberCalculatorEntry(target, defaults);
  session.definition = target;
  session.staged.reset();
  return true;
}

void composeEditorCaption(const char* programText, const char* newFileText, const char* file, char* out,
                          std::size_t size) {
  if (size == 0) return;
  const bool unnamed = file == nullptr || file[0] == '\0' || std::strcmp(file, "Unknow") == 0;
  std::snprintf(out, size, "%s - [ %s ]", programText, unnamed ? newFileText : file);
}

}  // namespace torvik
