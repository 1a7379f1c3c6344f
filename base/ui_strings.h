#pragma once
// Every text the program shows comes through one lookup by numeric id: the resource string
// table, overridden text by text while a language file is active.
#include <cstddef>

namespace torvik {

// Which of the four result buffers a lookup fills, so that up to four texts can be in use
// at once (a message box's caption and text, say).
enum class TextKind { Caption = 1, Message = 2, Label = 3, Terminal = 4 };

// Loads resource string `id` into `buffer` (cut to size - 1, NUL-terminated); returns its
// length, 0 when the id has no string.
using ResourceStringLoader = int (*)(int id, char* buffer, int size);

// The table compiled into the program, the same source as the .rc STRINGTABLE.
int builtinResourceString(int id, char* buffer, int size);
// The compiled-in table itself, for tools and tests that walk every string.
struct ResourceString {
  int id;
  const char* text;
};
const ResourceString* resourceStrings(int* count);

// A UI text owned by its holder: as many as needed can be alive at once.
struct UiText {
  char text[128] = {};
  const char* c_str() const { return text; }
};

// The narrow view of the string table that code below the windows needs: one text by id,
// copied into the caller's buffer, as the program shows it (a language file applies).
class TextSource {
 public:
  virtual ~TextSource() = default;
  // Copies the text for `id` into `out` (cut to size - 1, NUL-terminated); "" when none.
  virtual void copyText(int id, char* out, std::size_t size) = 0;
};

struct LanguageEntry {
  char name[41];
  char path[260];
};

class UiStrings : public TextSource {
 public:
  static constexpr int kOverrideCount = 1800;
  static constexpr int kEntrySize = 81;  // 80 characters and a NUL
  static constexpr int kMaxLanguages = 20;
  static constexpr std::size_t kMaxLanguageFile = 18000;
  static constexpr std::size_t kLanguageHeadSize = 100;

  explicit UiStrings(ResourceStringLoader loader = builtinResourceString);

  // Fills the kind's result buffer with the text for `id` and returns it. The buffer stays
  // valid until the next lookup of the same kind.
  const char* lookup(int id, TextKind kind);
  // The same text in the caller's buffer or as an owned copy, for texts that must live
  // side by side (a dialog's labels): no shared buffer to overwrite.
  void copyText(int id, char* out, std::size_t size) override;
  UiText text(int id);

  // The override entry for `id` with no fallback: texts that only language files carry
  // (captions, control labels, popup-menu items). Empty outside 0..1799.
  const char* directEntry(int id) const;

  bool languageActive() const { return languageActive_; }
  void setLanguageActive(bool on) { languageActive_ = on; }

  // Language list, filled by a scan of the program folder.
  void clearLanguages() { languageCount_ = 0; }
  // Adds the file whose first bytes are `head`; returns false when the file has no name
  // line, which ends the scan. Also false once the list is full.
  bool addLanguage(const char* head, std::size_t size, const char* path);
  int languageCount() const { return languageCount_; }
  const LanguageEntry& language(int i) const { return languages_[i]; }
  // Index of the first language named exactly `name`, or -1.
  int findLanguage(const char* name) const;

  // Takes the override entries of a language file's text (only its first 18,000 bytes).
  // Entries the file does not name keep what they had. Returns false when there was no
  // text at all, in which case nothing is loaded.
  bool applyLanguageFile(const char* bytes, std::size_t size);

 private:
  char* buffer(TextKind kind, int* size);

  ResourceStringLoader loader_;
  bool languageActive_ = false;
  char overrides_[kOverrideCount][kEntrySize] = {};
  char captionBuffer_[128] = {};
  char messageBuffer_[128] = {};
  char labelBuffer_[128] = {};
  char terminalBuffer_[81] = {};
  LanguageEntry languages_[kMaxLanguages] = {};
  int languageCount_ = 0;
};

// The name line of a language file (up to its first carriage return, at most 40
// characters) from its first bytes; false when the file has no name.
bool languageNameOf(const char* head, std::size_t size, char (&name)[41]);

}  // namespace torvik
