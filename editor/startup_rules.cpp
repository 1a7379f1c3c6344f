#include "editor/startup_rules.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "base/control_table.h"
#include "definition/new_defaults.h"
#include "definition/project_file.h"

namespace torvik {

namespace {

constexpr int kSettingsGroup = 6;       // "Settings ": its line 7 is settings text slot 2
constexpr int kContinuousGroup = 25;    // "Misc - continuous ": lines 4 to 7 are slots 1, 3, 4, 5
constexpr int kContinuousSlots[] = {0, 2, 3, 4};
constexpr std::size_t kTagBytes = sizeof(ApplicationDefinition::versionTag);
constexpr std::size_t kTagCompared = 9;
constexpr std::size_t kSettingsOffset = offsetof(ApplicationDefinition, systemSettings);
constexpr std::size_t kSettingsEnd = kSettingsOffset + sizeof(SystemSettings);
constexpr std::size_t kWeightCodeEnd = kSettingsEnd + sizeof(WeightCode);
constexpr std::uint8_t kFirstRevisionWithTexts = 2;
constexpr std::uint8_t kFirstRevisionWithWeightCode = 3;

// The groups' shapes; only read.
ApplicationDefinition& shape() {
  static ApplicationDefinition* s = new ApplicationDefinition();
  return *s;
}

int blockOf(int group) { return group + 1; }

// Bytes of the slot of a line (16 or 21), 0 for none.
int slotWidth(const LineSlot& slot) {
  if (slot.kind == LineSlot::SettingsText) return kStartupRowSize;
  if (slot.kind == LineSlot::Entry) return messageGroup(shape(), slot.block).width;
  return 0;
}

// A text of at most `width` - 1 characters of `from` (which need not end in a NUL within
// `width` bytes) into a zeroed row.
void takeText(char (&row)[kStartupRowSize], const char* from, int width) {
  std::memset(row, 0, sizeof row);
  for (int i = 0; i + 1 < width && i + 1 < kStartupRowSize && from[i] != '\0'; ++i) row[i] = from[i];
}

void storeText(char (&row)[kStartupRowSize], const char* text) { takeText(row, text, kStartupRowSize); }

// The default texts of the stored lines of a group, in the given font.
void loadGroupDefaults(StartupState& state, const DefaultMessages& defaults, int group, bool large) {
  for (int line = 0; line < kStartupLines; ++line) storeText(state.text[group][line], defaultLineText(defaults, group, line, large));
}

// Where a slot lies in the design (and in a project or template file).
std::size_t slotOffset(const LineSlot& slot) {
  ApplicationDefinition& s = shape();
  const char* at = slot.kind == LineSlot::SettingsText ? s.systemSettings.settingsText[slot.index]
                                                       : messageGroup(s, slot.block).entry(slot.index);
  return static_cast<std::size_t>(at - reinterpret_cast<const char*>(&s));
}

}  // namespace

LineSlot lineSlot(int group, int line) {
  LineSlot slot;
  if (group < 0 || group >= kStartupGroups || line < 0 || line >= kStartupLines) return slot;
  const int block = blockOf(group);
  if (group == kSettingsGroup) {
    // The menu's title (entry 1) is not the user's to change here.
    if (line == 6) return LineSlot{LineSlot::SettingsText, 0, 1};
    return LineSlot{LineSlot::Entry, block, line < 6 ? line + 1 : 7};
  }
  if (group == kContinuousGroup) {
    if (line < 3) return LineSlot{LineSlot::Entry, block, line};
    if (line < 7) return LineSlot{LineSlot::SettingsText, 0, kContinuousSlots[line - 3]};
    return slot;
  }
  if (line < messageGroup(shape(), block).entries) return LineSlot{LineSlot::Entry, block, line};
  return slot;
}

bool groupIsWide(int group) {
  return group >= 0 && group < kStartupGroups && messageGroup(shape(), blockOf(group)).width == kStartupRowSize;
}

int groupLineCount(int group, bool large) {
  if (group < 0 || group >= kStartupGroups) return 0;
  if (group == kSettingsGroup) return 8;
  if (group == kContinuousGroup) return 7;
  const int block = blockOf(group);
  return (groupIsWide(group) && large ? largeFontSet(block) : smallFontSet(block)).count;
}

int groupWidthLimit(int group, bool large) { return groupIsWide(group) && !large ? kWideLimit : kNarrowLimit; }

void groupSizeLabel(int group, bool large, char* out, std::size_t size) {
  std::snprintf(out, size, "(%dx%d)", groupLineCount(group, large), groupWidthLimit(group, large));
}

const char* defaultLineText(const DefaultMessages& defaults, int group, int line, bool large) {
  const LineSlot slot = lineSlot(group, line);
  const bool largeSet = large && groupIsWide(group);
  if (slot.kind == LineSlot::SettingsText)
    return largeSet ? defaults.settingsLarge[slot.index] : defaults.settingsSmall[slot.index];
  if (slot.kind == LineSlot::Entry)
    return largeSet ? defaults.large[slot.block][slot.index] : defaults.small[slot.block][slot.index];
  return "";
}

void literalStaticText(const char* text, char* out, std::size_t size) {
  if (size == 0) return;
  std::size_t n = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    const std::size_t need = *c == '&' ? 2 : 1;
    if (n + need + 1 > size) break;  // never half an ampersand pair
    out[n++] = *c;
    if (*c == '&') out[n++] = '&';
  }
  out[n] = '\0';
}

void openStartup(StartupState& state, const ApplicationDefinition& def) {
  const SystemSettings& s = def.systemSettings;
  state = StartupState{};
  state.startFrom = s.startFrom;
  state.delimiter[0] = s.dataDelimiter1;
  state.delimiter[1] = s.dataDelimiter2;
  state.delimiterCount = s.dataDelimiter1 == 0 ? 0 : (s.dataDelimiter2 == 0 ? 1 : 2);
  state.largeFont = s.largeFont;
  for (int g = 0; g < kStartupGroups; ++g) {
    for (int line = 0; line < kStartupLines; ++line) {
      const LineSlot slot = lineSlot(g, line);
      if (slot.kind == LineSlot::None) continue;
      takeText(state.text[g][line], reinterpret_cast<const char*>(bytesOf(def) + slotOffset(slot)), slotWidth(slot));
    }
  }
}

void resetStartup(StartupState& state, const DefaultMessages& defaults) {
  state.startFrom = kStartForm1;
  state.delimiterCount = 1;
  state.delimiter[0] = kResetDelimiter;
  state.delimiter[1] = 0;
  state.group = 0;
  for (int g = 0; g < kStartupGroups; ++g) loadGroupDefaults(state, defaults, g, state.largeFont != 0);
  state.textsChanged = true;
}

void setLargeFont(StartupState& state, const DefaultMessages& defaults, bool on) {
  state.largeFont = on ? 1 : 0;
  for (int g = 0; g < kStartupGroups; ++g)
    if (groupIsWide(g)) loadGroupDefaults(state, defaults, g, on);
  state.textsChanged = true;
}

bool editLine(StartupState& state, int line, char* text) {
  const bool large = state.largeFont != 0;
  if (line < 0 || line >= groupLineCount(state.group, large)) return false;
  const bool cut = cutText(text, groupWidthLimit(state.group, large));
  storeText(state.text[state.group][line], text);
  state.textsChanged = true;
  return cut;
}

void setDelimiterCount(StartupState& state, int count) {
  state.delimiterCount = static_cast<std::uint8_t>(count < 0 ? 0 : (count > 2 ? 2 : count));
}

void delimiterCodeText(int code, char* out, std::size_t size) { std::snprintf(out, size, "%d", code); }

void delimiterCharText(int code, char* out, std::size_t size) {
  if (size == 0) return;
  if (size > 1 && code != 0) {
    out[0] = static_cast<char>(code);
    out[1] = '\0';
  } else {
    out[0] = '\0';
  }
}

DelimiterUpdate delimiterCodeTyped(StartupState& state, int which, const char* text) {
  DelimiterUpdate u;
  if (state.mirroring || which < 0 || which > 1) {
    u.ignored = true;
    return u;
  }
  char corrected[16] = {};
  std::strncpy(corrected, text, sizeof corrected - 1);
  const NumberCorrection c = correctNumberText(corrected, sizeof corrected, NumberRule{255, 0, 0, true, 0});
  if (c.value == kDelimiterRefused) {
    u.refused = true;
    u.rewriteField = true;
    delimiterCodeText(state.delimiter[which], u.fieldText, sizeof u.fieldText);
    delimiterCharText(state.delimiter[which], u.otherText, sizeof u.otherText);
    return u;
  }
  state.delimiter[which] = static_cast<std::uint8_t>(c.value);
  if (c.changed) {
    u.rewriteField = true;
    std::snprintf(u.fieldText, sizeof u.fieldText, "%s", corrected);
  }
  delimiterCharText(c.value, u.otherText, sizeof u.otherText);
  return u;
}

DelimiterUpdate delimiterCharTyped(StartupState& state, int which, const char* text) {
  DelimiterUpdate u;
  if (state.mirroring || which < 0 || which > 1) {
    u.ignored = true;
    return u;
  }
  const int code = static_cast<unsigned char>(text[0]);
  if (code == kDelimiterRefused) {
    u.refused = true;
    u.rewriteField = true;
    delimiterCharText(state.delimiter[which], u.fieldText, sizeof u.fieldText);
    delimiterCodeText(state.delimiter[which], u.otherText, sizeof u.otherText);
    return u;
  }
  if (code != 0 && text[1] != '\0') {
    u.rewriteField = true;
    delimiterCharText(code, u.fieldText, sizeof u.fieldText);
  }
  state.delimiter[which] = static_cast<std::uint8_t>(code);
  delimiterCodeText(code, u.otherText, sizeof u.otherText);
  return u;
}

void applyStartup(const StartupState& state, ApplicationDefinition& def) {
  SystemSettings& s = def.systemSettings;
  s.startFrom = state.startFrom;
  s.dataDelimiter1 = state.delimiterCount >= 1 ? state.delimiter[0] : 0;
  s.dataDelimiter2 = state.delimiterCount >= 2 ? state.delimiter[1] : 0;
  s.largeFont = state.largeFont;
  if (state.textsChanged) {
    for (int g = 0; g < kStartupGroups; ++g) {
      for (int line = 0; line < kStartupLines; ++line) {
        const LineSlot slot = lineSlot(g, line);
        if (slot.kind == LineSlot::None) continue;
        char* to = reinterpret_cast<char*>(bytesOf(def) + slotOffset(slot));
        const int width = slotWidth(slot);
        // An entry whose text did not change keeps every byte, those after its NUL included.
        char stored[kStartupRowSize];
        takeText(stored, to, width);
        if (std::strcmp(stored, state.text[g][line]) == 0) continue;
        std::memset(to, 0, static_cast<std::size_t>(width));
        copyText(to, static_cast<std::size_t>(width), state.text[g][line]);
      }
    }
  }
  if (state.resetWeightCode && std::memcmp(&def.weightCode, &state.weightCodeAtImport, sizeof(WeightCode)) == 0)
    applyWeightCodeDefaults(def.weightCode);
}

TemplateImport importTemplate(const std::uint8_t* bytes, std::size_t size, const char* versionTag,
                              const DefaultMessages& defaults, const ApplicationDefinition& def,
                              StartupState& state) {
  if (bytes == nullptr || size < kTagCompared || bytes[0] != 'T') return TemplateImport::Mismatch;
  if (std::memcmp(bytes, versionTag, kTagCompared) != 0 && std::memcmp(bytes, kOlderVersionTag, kTagCompared) != 0)
    return TemplateImport::Mismatch;

  // Only whole texts are taken: a text the file cuts short keeps the page's text.
  auto whole = [&](std::size_t offset, std::size_t length) { return size >= kTagBytes && offset + length <= size; };
  bool taken = false;
  for (int g = 0; g < kStartupGroups; ++g) {
    for (int line = 0; line < kStartupLines; ++line) {
      const LineSlot slot = lineSlot(g, line);
      if (slot.kind != LineSlot::Entry) continue;
      const std::size_t offset = slotOffset(slot);
      const int width = slotWidth(slot);
      if (!whole(offset, static_cast<std::size_t>(width))) continue;
      takeText(state.text[g][line], reinterpret_cast<const char*>(bytes + offset), width);
      taken = true;
    }
  }

  // The system settings only as far as the file holds them.
  const bool revisionRead = whole(kSettingsOffset, 1);
  const std::uint8_t revision = revisionRead ? bytes[kSettingsOffset] : 0;
  const bool fontRead = whole(kSettingsOffset + offsetof(SystemSettings, largeFont), 1);
  const std::uint8_t templateFont = fontRead ? bytes[kSettingsOffset + offsetof(SystemSettings, largeFont)] : 0;
  auto settingsSlotLine = [](int slotIndex, int* group, int* line) {
    if (slotIndex == 1) {
      *group = kSettingsGroup;
      *line = 6;
      return;
    }
    *group = kContinuousGroup;
    *line = 3 + (slotIndex == 0 ? 0 : slotIndex - 1);
  };
  if (revisionRead && revision >= kFirstRevisionWithTexts) {
    for (int i = 0; i < kSettingsTexts; ++i) {
      const std::size_t offset = kSettingsOffset + offsetof(SystemSettings, settingsText) + 21u * static_cast<std::size_t>(i);
      if (!whole(offset, 21)) continue;
      int g = 0, line = 0;
      settingsSlotLine(i, &g, &line);
      takeText(state.text[g][line], reinterpret_cast<const char*>(bytes + offset), 21);
      taken = true;
    }
  } else if (revisionRead && fontRead) {
    // A first-revision template has no such texts: the defaults of its font stand in, and
    // the continuous group keeps what it has.
    for (int i = 0; i < kSettingsTexts; ++i) {
      int g = 0, line = 0;
      settingsSlotLine(i, &g, &line);
      if (g == kContinuousGroup && state.text[g][line][0] != '\0') continue;
      storeText(state.text[g][line], templateFont != 0 ? defaults.settingsLarge[i] : defaults.settingsSmall[i]);
      taken = true;
    }
  }
  if (fontRead) state.largeFont = templateFont != 0 ? 1 : 0;
  if (revisionRead) {
    state.resetWeightCode = revision < kFirstRevisionWithWeightCode;
    state.weightCodeAtImport = def.weightCode;
  }
  if (taken) state.textsChanged = true;
  state.group = 0;

  const bool wantsWeightCode = !revisionRead || revision >= kFirstRevisionWithWeightCode;
  const std::size_t needed = wantsWeightCode ? kWeightCodeEnd : kSettingsEnd;
  return size >= needed ? TemplateImport::Imported : TemplateImport::Incomplete;
}

}  // namespace torvik
