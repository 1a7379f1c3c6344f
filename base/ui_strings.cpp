#include "base/ui_strings.h"

#include <algorithm>
#include <cstring>

namespace torvik {

namespace {

const ResourceString kTable[] = {
#define UI_STRING(id, text) {id, text},
#define UI_STRING_NAMED(name, id, text) {id, text},
#include "resources/ui_strings.inc"
#undef UI_STRING_NAMED
#undef UI_STRING
};
constexpr int kTableSize = sizeof(kTable) / sizeof(kTable[0]);

// Copies at most size - 1 characters of text and always terminates the buffer.
int copyCut(char* buffer, int size, const char* text, std::size_t length) {
  if (size <= 0) return 0;
  const std::size_t n = std::min<std::size_t>(length, static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace

int builtinResourceString(int id, char* buffer, int size) {
  const ResourceString* end = kTable + kTableSize;
  const ResourceString* it =
      std::lower_bound(kTable, end, id, [](const ResourceString& s, int key) { return s.id < key; });
  if (it == end || it->id != id) return copyCut(buffer, size, "", 0);
  return copyCut(buffer, size, it->text, std::strlen(it->text));
}

const ResourceString* resourceStrings(int* count) {
  *count = kTableSize;
  return kTable;
}

UiStrings::UiStrings(ResourceStringLoader loader) : loader_(loader) {}

char* UiStrings::buffer(TextKind kind, int* size) {
  switch (kind) {
    case TextKind::Caption: *size = sizeof captionBuffer_; return captionBuffer_;
    case TextKind::Message: *size = sizeof messageBuffer_; return messageBuffer_;
    case TextKind::Label: *size = sizeof labelBuffer_; return labelBuffer_;
    case TextKind::Terminal: break;
  }
  *size = sizeof terminalBuffer_;
  return terminalBuffer_;
}

const char* UiStrings::lookup(int id, TextKind kind) {
  int size = 0;
  char* out = buffer(kind, &size);
  copyText(id, out, static_cast<std::size_t>(size));
  return out;
}

UiText UiStrings::text(int id) {
  UiText t;
  copyText(id, t.text, sizeof t.text);
  return t;
}

void UiStrings::copyText(int id, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const int size = outSize > 0x7fffffff ? 0x7fffffff : static_cast<int>(outSize);
  std::memset(out, 0, outSize);
  const bool inTable = id >= 0 && id < kOverrideCount;
  if (languageActive_ && inTable && overrides_[id][0] != '\0') {
    copyCut(out, size, overrides_[id], std::strlen(overrides_[id]));
    return;
  }
  // Loaded whole first: what is cached must not depend on the caller's buffer.
  char loaded[128] = {};
  loader_(id, loaded, sizeof loaded);
  // While a language is active the resource text is cached in the entry, so later lookups
  // (and direct entries) see it.
  if (languageActive_ && inTable) copyCut(overrides_[id], kEntrySize, loaded, std::strlen(loaded));
  copyCut(out, size, loaded, std::strlen(loaded));
}

const char* UiStrings::directEntry(int id) const {
  if (id < 0 || id >= kOverrideCount) return "";
  return overrides_[id];
}

bool languageNameOf(const char* head, std::size_t size, char (&name)[41]) {
  std::size_t n = 0;
  while (n < size && head[n] != '\r' && head[n] != '\n' && head[n] != '\0') ++n;
  copyCut(name, sizeof name, head, n);
  return n > 0;
}

bool UiStrings::addLanguage(const char* head, std::size_t size, const char* path) {
  if (languageCount_ >= kMaxLanguages) return false;
  LanguageEntry& entry = languages_[languageCount_];
  if (!languageNameOf(head, std::min(size, kLanguageHeadSize), entry.name)) return false;
  copyCut(entry.path, sizeof entry.path, path, std::strlen(path));
  ++languageCount_;
  return true;
}

int UiStrings::findLanguage(const char* name) const {
  for (int i = 0; i < languageCount_; ++i)
    if (std::strcmp(languages_[i].name, name) == 0) return i;
  return -1;
}

bool UiStrings::applyLanguageFile(const char* bytes, std::size_t size) {
  // The file is text: it ends at its first NUL, and only its first 18,000 bytes count.
  std::size_t end = std::min(size, kMaxLanguageFile);
  if (const void* nul = std::memchr(bytes, '\0', end)) end = static_cast<const char*>(nul) - bytes;
  if (end == 0) return false;

  const char* text = bytes;
  const char* const stop = bytes + end;
  const char* p = static_cast<const char*>(std::memchr(text, '\n', end));
  p = (p == nullptr) ? stop : p + 1;  // skip the name line

  while (p < stop) {
    // The id: leading decimal digits of the text up to the next '='; anything else is 0.
    const char* eq = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(stop - p)));
    const char* idEnd = (eq == nullptr) ? stop : eq;
    long id = 0;
    for (const char* d = p; d < idEnd && *d >= '0' && *d <= '9'; ++d) {
      id = id * 10 + (*d - '0');
      if (id >= kOverrideCount) id = kOverrideCount;  // out of range; no need to count further
    }
    const bool valid = id < kOverrideCount;
    if (eq == nullptr || eq + 1 == stop) {
      // The text ends right after the id: that entry is cleared.
      if (valid) overrides_[id][0] = '\0';
      break;
    }
    const char* value = eq + 1;
    const char* lf = static_cast<const char*>(std::memchr(value, '\n', static_cast<std::size_t>(stop - value)));
    const char* valueEnd = (lf == nullptr) ? stop : lf;
    if (valueEnd > value && valid) {
      // The last character is the carriage return of the CR LF line end; a longer text
      // than an entry holds is cut to 80 characters.
      copyCut(overrides_[id], kEntrySize, value, static_cast<std::size_t>(valueEnd - value - 1));
    }
    p = (lf == nullptr) ? stop : lf + 1;
  }
  return true;
}

}  // namespace torvik
