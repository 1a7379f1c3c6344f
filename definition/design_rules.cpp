#include "definition/design_rules.h"

#include <cstring>

namespace torvik {

void prepareDesign(ApplicationDefinition& def) {
  for (MenuRecord& m : def.menu) {
    const int limit = m.font != 0 ? kPromptCharsLargeFont : kPromptChars;
    int count = 0;
    for (int k = 0; k < kMenuItems; ++k) {
      const unsigned char* name = reinterpret_cast<const unsigned char*>(m.itemName[k]);
      for (int i = 0; i < limit && name[i] != 0; ++i)
        if (name[i] > ' ') {
          ++count;
          break;
        }
    }
    m.itemCount = static_cast<std::uint8_t>(count);
  }
  for (FormRecord& f : def.form) {
    int last = 0;
    for (int j = 0; j < kFormLines; ++j) {
      const int type = f.dataType[j];
      if (type == kDataNil || type == kDataExtension) {
        std::memset(f.prompt[j], 0, sizeof f.prompt[j]);
        f.lookupField[j] = kLookupFieldNil;
      } else if ((type >= kDataFixed && type <= kDataPassDown) || type == kDataPause) {
        // Only these types can never use a lookup column; alphameric, the variables and
        // compare keep the one the designer chose.
        f.lookupField[j] = kLookupFieldNil;
      }
      if (isRunInputType(type)) last = j + 1;
    }
    f.lastInputLine = static_cast<std::uint8_t>(last);
  }
}

}  // namespace torvik
