#include "definition/default_messages.h"

#include <cstring>

#include "base/ui_strings.h"

namespace torvik {

namespace {

struct GroupSources {
  DefaultTextSet small;
  DefaultTextSet large;
};

// In file order, msgReserved first.
constexpr GroupSources kSources[kMessageGroupCount] = {
    {{0, 0}, {0, 0}},          // MsgReserved: always empty
    {{721, 3}, {0, 0}},        // MsgMainMenu, and a blank fourth line
    {{761, 8}, {771, 8}},      // MsgUtilitiesMenu
    {{981, 4}, {0, 0}},        // MsgDeleteData
    {{991, 4}, {0, 0}},        // MsgConfirm
    {{1021, 4}, {0, 0}},       // MsgMemoryPower
    {{1031, 7}, {0, 0}},       // MsgLoadLookup
    {{781, 8}, {791, 8}},      // MsgSettingsMenu
    {{801, 6}, {811, 6}},      // MsgUploadPort
    {{841, 6}, {851, 5}},      // MsgDownloadPort
    {{861, 5}, {871, 5}},      // MsgBaudRate
    {{881, 4}, {891, 4}},      // MsgBacklight
    {{901, 4}, {911, 4}},      // MsgDataDeletion
    {{921, 6}, {931, 4}},      // MsgEntryOptions
    {{941, 8}, {951, 6}},      // MsgViewSettings
    {{1091, 3}, {0, 0}},       // MsgSystemFault
    {{741, 5}, {0, 0}},        // MsgUploadData
    {{821, 4}, {831, 2}},      // MsgPhoneNumber
    {{731, 5}, {0, 0}},        // MsgSaveRecord
    {{971, 5}, {0, 0}},        // MsgDeleteRecord
    {{751, 3}, {0, 0}},        // MsgAutoDelete
    {{961, 2}, {0, 0}},        // MsgPassword
    {{1001, 4}, {0, 0}},       // MsgConnecting
    {{1011, 3}, {0, 0}},       // MsgModem
    {{1071, 6}, {1081, 6}},    // MsgErrors
    {{1041, 8}, {0, 0}},       // MsgMiscellaneous
    {{1051, 3}, {1061, 3}},    // MsgMiscContinuous
};

// Fetches one text, cut to `chars`, into an entry whose unused bytes are all zero.
void fetch(TextSource& strings, int id, char* entry, int chars) {
  strings.copyText(id, entry, static_cast<std::size_t>(chars) + 1);
}

}  // namespace

DefaultTextSet smallFontSet(int group) {
  return group >= 0 && group < kMessageGroupCount ? kSources[group].small : DefaultTextSet{0, 0};
}

DefaultTextSet largeFontSet(int group) {
  return group >= 0 && group < kMessageGroupCount ? kSources[group].large : DefaultTextSet{0, 0};
}

void buildDefaultMessages(TextSource& strings, DefaultMessages& table) {
  std::memset(&table, 0, sizeof table);
  static ApplicationDefinition shape;  // only for the groups' entry widths
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const int smallChars = messageGroup(shape, g).width - 1;
    const DefaultTextSet small = kSources[g].small;
    for (int i = 0; i < small.count; ++i) fetch(strings, small.firstId + i, table.small[g][i], smallChars);
    const DefaultTextSet large = kSources[g].large;
    for (int i = 0; i < large.count; ++i) fetch(strings, large.firstId + i, table.large[g][i], kLargeTextChars);
  }
  copyText(table.small[1][3], kMainMenuBlankLine);
  for (int i = 0; i < kSettingsTexts; ++i) {
    fetch(strings, kSettingsTextsSmall.firstId + i, table.settingsSmall[i], kSmallTextChars);
    fetch(strings, kSettingsTextsLarge.firstId + i, table.settingsLarge[i], kLargeTextChars);
  }
}

}  // namespace torvik
