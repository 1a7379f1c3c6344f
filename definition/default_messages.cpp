#include "definition/default_messages.h"

#include <cstring>

#include "base/string_ids.h"
#include "base/ui_strings.h"

namespace torvik {

namespace {

struct GroupSources {
  DefaultTextSet small;
  DefaultTextSet large;
};

// In file order, msgReserved first.
constexpr GroupSources kSources[kMessageGroupCount] = {
    {{0, 0}, {0, 0}},  // MsgReserved: always empty
    {{kStrMsgMainMenu, 3}, {0, 0}},  // then a blank fourth line
    {{kStrMsgUtilitiesMenu, 8}, {kStrMsgUtilitiesMenuLarge, 8}},
    {{kStrMsgDeleteData, 4}, {0, 0}},
    {{kStrMsgConfirm, 4}, {0, 0}},
    {{kStrMsgMemoryPower, 4}, {0, 0}},
    {{kStrMsgLoadLookup, 7}, {0, 0}},
    {{kStrMsgSettingsMenu, 8}, {kStrMsgSettingsMenuLarge, 8}},
    {{kStrMsgUploadPort, 6}, {kStrMsgUploadPortLarge, 6}},
    {{kStrMsgDownloadPort, 6}, {kStrMsgDownloadPortLarge, 5}},
    {{kStrMsgBaudRate, 5}, {kStrMsgBaudRateLarge, 5}},
    {{kStrMsgBacklight, 4}, {kStrMsgBacklightLarge, 4}},
    {{kStrMsgDataDeletion, 4}, {kStrMsgDataDeletionLarge, 4}},
    {{kStrMsgEntryOptions, 6}, {kStrMsgEntryOptionsLarge, 4}},
    {{kStrMsgViewSettings, 8}, {kStrMsgViewSettingsLarge, 6}},
    {{kStrMsgSystemFault, 3}, {0, 0}},
    {{kStrMsgUploadData, 5}, {0, 0}},
    {{kStrMsgPhoneNumber, 4}, {kStrMsgPhoneNumberLarge, 2}},
    {{kStrMsgSaveRecord, 5}, {0, 0}},
    {{kStrMsgDeleteRecord, 5}, {0, 0}},
    {{kStrMsgAutoDelete, 3}, {0, 0}},
    {{kStrMsgPassword, 2}, {0, 0}},
    {{kStrMsgConnecting, 4}, {0, 0}},
    {{kStrMsgModem, 3}, {0, 0}},
    {{kStrMsgErrors, 6}, {kStrMsgErrorsLarge, 6}},
    {{kStrMsgMiscellaneous, 8}, {0, 0}},
    {{kStrMsgMiscContinuous, 3}, {kStrMsgMiscContinuousLarge, 3}},
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
