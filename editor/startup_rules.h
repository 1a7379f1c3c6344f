#pragma once
// The Startup page without windows: where the terminal program starts, the data field
// delimiters, the large font for all prompts, and the 26 groups of the terminal's own prompts
// and messages, edited in a copy that reaches the design only on OK. Also the import of the
// group texts from a template file (*.ATX, laid out as a project file).
#include <cstddef>
#include <cstdint>

#include "definition/application_definition.h"
#include "definition/default_messages.h"

namespace torvik {

constexpr int kStartupGroups = 26;      // page group g (0..25) is message group g + 1 of the file
constexpr int kStartupLines = 8;
constexpr int kStartupRowSize = 21;     // every line of the copy has room for 20 characters
constexpr int kNarrowLimit = 15;
constexpr int kWideLimit = 20;
constexpr int kDelimiterRefused = 13;   // a carriage return would end the record
constexpr std::uint8_t kResetDelimiter = ',';

struct StartupState {
  std::uint8_t startFrom = 0;   // kept as the design holds it until the user picks another
  std::uint8_t delimiter[2] = {};
  std::uint8_t delimiterCount = 0;  // 0, 1 or 2
  std::uint8_t largeFont = 0;   // nonzero: the large font
  char text[kStartupGroups][kStartupLines][kStartupRowSize] = {};
  int group = 0;                // the group shown
  // The texts reach the design on OK once anything changed them: an edit, Reset, the large
  // font, an import. Merely showing the page changes nothing.
  bool textsChanged = false;
  // Set while one delimiter field is written from the other, so the echo is not mirrored back.
  bool mirroring = false;
  // An import of a template older than revision 3 resets the weight code on OK, unless the
  // Weight Code dialog stored another one meanwhile (then that later choice stays).
  bool resetWeightCode = false;
  WeightCode weightCodeAtImport{};
};

// Where line `line` of page group `group` lives in the design.
struct LineSlot {
  enum Kind : std::uint8_t { None, Entry, SettingsText } kind = None;
  int block = 0;  // message group in file order (Entry)
  int index = 0;  // entry of that block, or settings text slot 0..4
};
LineSlot lineSlot(int group, int line);

bool groupIsWide(int group);                // stored in 21-byte entries
int groupLineCount(int group, bool large);  // lines shown
int groupWidthLimit(int group, bool large); // 20 or 15
// "(3x15)": the size label of the group list.
void groupSizeLabel(int group, bool large, char* out, std::size_t size);
// The default text of a line in the current font ("" beyond the group's lines).
const char* defaultLineText(const DefaultMessages& defaults, int group, int line, bool large);
// A text as a static control must be given so that it shows every ampersand as itself.
void literalStaticText(const char* text, char* out, std::size_t size);

// Page opening: the startup values and every group's texts from the design.
void openStartup(StartupState& state, const ApplicationDefinition& def);
// Reset: start from form 1, one delimiter ',', every group from the defaults of the current
// font, group 1 shown. The large font stays.
void resetStartup(StartupState& state, const DefaultMessages& defaults);
// The large font box: the 20-wide groups (the settings texts with them) take the defaults of
// the new font; what was typed there is lost.
void setLargeFont(StartupState& state, const DefaultMessages& defaults, bool on);
// A line edit's text: cut to the group's width limit (true: it was cut, show it again) and
// kept in the copy.
bool editLine(StartupState& state, int line, char* text);
// The number of delimiters chosen.
void setDelimiterCount(StartupState& state, int count);

// The delimiter fields. `which` is 0 or 1. Each call answers what the page shows: the field's
// corrected text when it changed, the other field's new text, or the warning for a refused
// code (the field then gets the previous code back). While `state.mirroring` is set, a change
// is the echo of the other field and is ignored.
struct DelimiterUpdate {
  bool ignored = false;
  bool refused = false;        // code 13: "Invalid value!"
  bool rewriteField = false;   // fieldText replaces the field's text
  char fieldText[16] = {};
  char otherText[16] = {};     // the mirrored field's text
};
DelimiterUpdate delimiterCodeTyped(StartupState& state, int which, const char* text);
DelimiterUpdate delimiterCharTyped(StartupState& state, int which, const char* text);
// The texts of a code in the two fields: "44" and ",".
void delimiterCodeText(int code, char* out, std::size_t size);
void delimiterCharText(int code, char* out, std::size_t size);

// OK: the startup bytes always; when the texts changed, each entry whose text differs (an
// entry left as it was keeps its bytes, those after its NUL included); the weight code of an
// old template's import.
void applyStartup(const StartupState& state, ApplicationDefinition& def);

// Import of a template file's bytes.
enum class TemplateImport {
  Imported,    // every text of the file read
  Incomplete,  // the file ended early: what it held whole was taken, the rest kept its text
  Mismatch,    // not a template of this program: nothing changed
};
// `versionTag` is the design's own tag; `defaults` gives a revision-1 template's settings
// texts, which it lacks.
TemplateImport importTemplate(const std::uint8_t* bytes, std::size_t size, const char* versionTag,
                              const DefaultMessages& defaults, const ApplicationDefinition& def,
                              StartupState& state);

}  // namespace torvik
