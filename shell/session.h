#pragma once
// The shell's process-wide editing state and the "save first?" question that guards New,
// Open and closing.

namespace torvik {

class UiStrings;

enum class Answer { Yes, No, Cancel };

struct Session {
  bool modified = false;
  char currentFile[256] = {};  // empty: the design has no name yet
};

// What the save prompt needs from the user interface.
class SavePromptUi {
 public:
  virtual ~SavePromptUi() = default;
  virtual Answer askSaveCurrent() = 0;
  // Runs Save (Save As for an unnamed design); true when the design was written.
  virtual bool saveCurrent() = 0;
};

// Asks whether to save a modified design. Returns true when the caller may go on and
// replace or drop the design. On Yes the save runs first, and a save that did not happen
// (the Save As dialog cancelled, a failed write) stops the caller as Cancel would: the
// design is never thrown away unsaved after the user asked to keep it.
bool confirmDiscard(const Session& session, SavePromptUi& ui);

// The caption of the save prompt: the program's name, or the language file's entry 1
// while a language is active.
const char* savePromptCaption(const UiStrings& strings);

constexpr char kProgramTitle[] = "Quellon's T900 Torvik";
constexpr int kEntryProgramCaption = 1;

}  // namespace torvik
