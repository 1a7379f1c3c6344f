#pragma once
// What one opening of the definition editor works on: the design, the texts, and the working
// copies that its pages edit and write back only when the editor is closed with OK.
#include <cstddef>

#include "base/ui_strings.h"
#include "definition/application_definition.h"
#include "definition/default_messages.h"
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

  // The Startup page: the Default message table of the current language (built by the
  // program, which owns it; nullptr lets the page build its own) and the page's working copy
  // of the startup choices and of every group of prompts and messages.
  const DefaultMessages* defaults = nullptr;
  StartupState startup;
};

// Fills the number labels "1" to "10".
void buildNumberLabels(EditorSession& session);

// The editor's caption: "<program> - [ <file> ]", where an unnamed design ("" or "Unknow")
// shows `newFileText` instead of its name.
void composeEditorCaption(const char* programText, const char* newFileText, const char* file, char* out,
                          std::size_t size);

}  // namespace torvik
