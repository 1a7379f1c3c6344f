#include "editor/editor_session.h"

#include <cstdio>
#include <cstring>

#include "editor/lookup_rules.h"

namespace torvik {

void buildNumberLabels(EditorSession& session) {
  for (int n = 1; n <= kNumberLabels; ++n)
    std::snprintf(session.numberLabel[n - 1], sizeof session.numberLabel[n - 1], "%d", n);
}

void finishMenuAndLookup(EditorSession& session, DefaultMessages* defaults) {
  if (session.menusApplied) session.definition.systemSettings.separateDataFiles = session.separateDataFiles;
  if (session.lookupsApplied) renumberCalculatorEntry(session.definition, defaults);
}

void composeEditorCaption(const char* programText, const char* newFileText, const char* file, char* out,
                          std::size_t size) {
  if (size == 0) return;
  const bool unnamed = file == nullptr || file[0] == '\0' || std::strcmp(file, "Unknow") == 0;
  std::snprintf(out, size, "%s - [ %s ]", programText, unnamed ? newFileText : file);
}

}  // namespace torvik
