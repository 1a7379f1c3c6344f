#pragma once
// The default texts of the terminal's own prompts and messages in the current language: what
// New copies into a design and what the Startup page offers beside the design's texts.
#include "base/string_ids.h"
#include "definition/application_definition.h"

namespace torvik {

class TextSource;

constexpr int kMaxGroupEntries = 8;
constexpr int kSmallTextChars = 20;  // a 21-byte entry
constexpr int kLargeTextChars = 15;  // a 16-byte entry, and every large-font text

// Where one set of a group's defaults comes from: `count` UI strings from `firstId`.
struct DefaultTextSet {
  int firstId;  // 0: the set does not exist
  int count;
};

// The sources of the defaults of message group `group` (0..26, file order) and of the
// settings text slots. The small-font set has the block's own width; the large-font set
// exists only for groups of 21-byte entries.
DefaultTextSet smallFontSet(int group);
DefaultTextSet largeFontSet(int group);
constexpr DefaultTextSet kSettingsTextsSmall{kStrSettingsSlotsSmall, kSettingsTexts};
constexpr DefaultTextSet kSettingsTextsLarge{kStrSettingsSlotsLarge, kSettingsTexts};

struct DefaultMessages {
  // small[g][i]: cut to 15 characters for groups of 16-byte entries, to 20 for 21-byte ones.
  char small[kMessageGroupCount][kMaxGroupEntries][kSmallTextChars + 1];
  char large[kMessageGroupCount][kMaxGroupEntries][kLargeTextChars + 1];
  char settingsSmall[kSettingsTexts][kSmallTextChars + 1];
  char settingsLarge[kSettingsTexts][kLargeTextChars + 1];
};

// Fills every set from the UI string table (the language file's texts while one is active),
// each text cut to its set's width.
void buildDefaultMessages(TextSource& strings, DefaultMessages& table);

// The main menu's fourth line is always blank.
constexpr char kMainMenuBlankLine[] = "            ";

}  // namespace torvik
