#include "editor/record_clipboard_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/string_ids.h"

namespace torvik {

namespace {

// Torvik's own clipboard format: a header, then the record's bytes as the file holds them.
constexpr char kFormatName[] = "Torvik design record";
constexpr char kMagic[8] = {'T', 'V', 'X', 'R', 'E', 'C', '1', '\0'};
struct PrivateHeader {
  char magic[8];
  std::uint8_t kind;
  std::uint8_t index;
  std::uint16_t size;
};

UINT privateFormat() {
  static const UINT kFormat = RegisterClipboardFormatA(kFormatName);
  return kFormat;
}

HGLOBAL globalCopy(const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return nullptr;
  void* p = GlobalLock(memory);
  if (p == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(p, data, size);
  GlobalUnlock(memory);
  return memory;
}

// Another program may hold the clipboard for a moment (a clipboard viewer, say).
bool openClipboard(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(20);
  }
  return false;
}

void warn(HWND page, EditorSession& s, const std::string& text) {
  const UiText caption = s.strings.text(kStrWarning);
  MessageBoxA(page, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

std::string textOf(EditorSession& s, int id) { return s.strings.text(id).c_str(); }

// What the clipboard holds for a paste: the record's bytes in our format, or its text.
struct Held {
  bool opened = false;
  bool exact = false;  // `bytes` is a record of the kind asked for
  std::vector<std::uint8_t> bytes;
  std::string text;
};

Held readClipboard(HWND page, RecordKind kind) {
  Held held;
  if (!openClipboard(page)) return held;
  held.opened = true;
  const std::size_t size = recordSpan(kind).size;
  if (HANDLE data = GetClipboardData(privateFormat())) {
    const auto* p = static_cast<const std::uint8_t*>(GlobalLock(data));
    if (p != nullptr) {
      PrivateHeader h;
      const std::size_t total = GlobalSize(data);
      if (total >= sizeof h) std::memcpy(&h, p, sizeof h);
      if (total >= sizeof h + size && std::memcmp(h.magic, kMagic, sizeof kMagic) == 0 &&
          h.kind == static_cast<std::uint8_t>(kind) && h.size == size) {
        held.bytes.assign(p + sizeof h, p + sizeof h + size);
        held.exact = true;
      }
      GlobalUnlock(data);
    }
  }
  if (!held.exact) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      const auto* p = static_cast<const char*>(GlobalLock(data));
      if (p != nullptr) {
        held.text.assign(p, strnlen(p, GlobalSize(data)));
        GlobalUnlock(data);
      }
    }
  }
  CloseClipboard();
  return held;
}

int noRecordText(RecordKind kind) {
  return kind == RecordKind::Menu ? kStrClipboardNoMenu : kind == RecordKind::Lookup ? kStrClipboardNoLookup
                                                                                    : kStrClipboardNoForm;
}

// The refusal message: its text, then the refused lines (the first few: a wrong clipboard can
// hold thousands).
std::string refusalText(EditorSession& s, const std::vector<TextRefusal>& refusals) {
  constexpr std::size_t kShown = 5;
  std::string text = textOf(s, kStrClipboardTextRefused) + "\n";
  for (std::size_t i = 0; i < refusals.size() && i < kShown; ++i)
    text += "\n" + std::to_string(refusals[i].line) + ": " + refusals[i].reason;
  if (refusals.size() > kShown) text += "\n...";
  return text;
}

}  // namespace

void copyRecord(HWND page, EditorSession& s, RecordKind kind, int index, const void* record) {
  const RecordSpan span = recordSpan(kind);
  std::string text;
  for (char c : recordText(kind, index, record)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::vector<std::uint8_t> own(sizeof(PrivateHeader) + span.size);
  PrivateHeader h;
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.kind = static_cast<std::uint8_t>(kind);
  h.index = static_cast<std::uint8_t>(index);
  h.size = static_cast<std::uint16_t>(span.size);
  std::memcpy(own.data(), &h, sizeof h);
  std::memcpy(own.data() + sizeof h, record, span.size);
  if (!openClipboard(page)) {
    warn(page, s, textOf(s, kStrClipboardBusy));
    return;
  }
  EmptyClipboard();
  HGLOBAL textMemory = globalCopy(text.c_str(), text.size() + 1);
  HGLOBAL ownMemory = globalCopy(own.data(), own.size());
  // The clipboard owns what it accepted; what it refused is ours to free.
  const bool textSet = textMemory != nullptr && SetClipboardData(CF_TEXT, textMemory) != nullptr;
  if (!textSet && textMemory != nullptr) GlobalFree(textMemory);
  const bool ownSet = ownMemory != nullptr && SetClipboardData(privateFormat(), ownMemory) != nullptr;
  if (!ownSet && ownMemory != nullptr) GlobalFree(ownMemory);
  CloseClipboard();
  if (!textSet || !ownSet) warn(page, s, textOf(s, kStrClipboardBusy));
}

bool pasteRecord(HWND page, EditorSession& s, RecordKind kind, void* record, const char* slotName) {
  const RecordSpan span = recordSpan(kind);
  Held held = readClipboard(page, kind);
  if (!held.opened) {
    warn(page, s, textOf(s, kStrClipboardBusy));
    return false;
  }
  std::vector<std::uint8_t> pasted(static_cast<const std::uint8_t*>(record),
                                   static_cast<const std::uint8_t*>(record) + span.size);
  if (held.exact) {
    pasted = held.bytes;
  } else {
    const RecordTextResult r = readRecordText(kind, held.text.data(), held.text.size(), pasted.data());
    if (r.status == RecordTextStatus::NoRecord) {
      warn(page, s, textOf(s, noRecordText(kind)));
      return false;
    }
    if (r.status == RecordTextStatus::Refused) {
      warn(page, s, refusalText(s, r.refusals));
      return false;
    }
  }
  if (recordInUse(kind, record)) {
    // Substituted by hand: a language file's text is no format to hand to printf.
    std::string question = textOf(s, kStrReplaceSlot);
    const std::size_t at = question.find("%s");
    if (at != std::string::npos) question.replace(at, 2, slotName);
    const UiText caption = s.strings.text(kStrWarning);
    if (MessageBoxA(page, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  std::memcpy(record, pasted.data(), span.size);
  return true;
}

}  // namespace torvik
