#include "check/design_check.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "base/string_ids.h"
#include "base/text.h"
#include "base/ui_strings.h"
#include "definition/design_rules.h"
#include "definition/design_text.h"
#include "definition/form_rules.h"
#include "editor/field_properties.h"
#include "editor/lookup_rules.h"
#include "editor/menu_rules.h"
#include "editor/startup_rules.h"
#include "link/program_image.h"

namespace torvik {

namespace {

std::string num(long value) { return std::to_string(value); }

constexpr int kMaxDecimals = kDecimalsItems - 1;  // decimal places of a real; 0 is "variable"

// Characters up to the last one that shows: trailing blanks lose nothing when the display
// cuts them.
int shownLength(const char* text, std::size_t size) {
  std::size_t n = boundedLength(text, size);
  while (n > 0 && text[n - 1] == ' ') --n;
  return static_cast<int>(n);
}

bool holdsVisibleCharacter(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size && text[i] != '\0'; ++i)
    if (static_cast<unsigned char>(text[i]) > ' ') return true;
  return false;
}

// The table compiled in, for callers without a language: torvik-cli prints the English texts.
class BuiltinTexts : public TextSource {
 public:
  void copyText(int id, char* out, std::size_t size) override {
    if (size == 0) return;
    if (builtinResourceString(id, out, static_cast<int>(size)) == 0) out[0] = '\0';
  }
};

class Checker {
 public:
  Checker(const ApplicationDefinition& def, ApplicationDefinition& seen, TextSource& texts)
      : def_(def), seen_(seen), texts_(texts) {}

  std::vector<CheckFinding> run() {
    checkBarcodeLengths();
    for (int m = 0; m < kMenuCount; ++m) checkMenu(m);
    for (int f = 0; f < kFormCount; ++f) checkForm(f);
    for (int n = 0; n < kLookupCount; ++n) checkLookup(n);
    checkMessages();
    return std::move(findings_);
  }

 private:
  const ApplicationDefinition& def_;  // as designed
  ApplicationDefinition& seen_;       // as the download leaves it
  TextSource& texts_;
  std::vector<CheckFinding> findings_;

  // A finding's text: the string table's format, which a language file may give, filled by
  // fillTemplate (never printf).
  std::string say(int id, std::vector<std::string> arguments) {
    char format[UiStrings::kEntrySize + 1];
    texts_.copyText(id, format, sizeof format);
    return fillTemplate(format, arguments);
  }
  std::string tooWide(const char* what, int length, int width) {
    return say(kStrFindTooWide, {what, num(length), num(width)});
  }

  void add(std::string where, std::string text) {
    findings_.push_back({Severity::Error, std::move(where), std::move(text)});
  }
  void warn(std::string where, std::string text) {
    findings_.push_back({Severity::Warning, std::move(where), std::move(text)});
  }

  bool formRuns(int f) const { return seen_.form[f].lastInputLine != 0; }
  bool menuRuns(int m) const { return seen_.menu[m].itemCount != 0; }

  // What is said of a valid target that opens a screen where the terminal finds nothing, in
  // the words of `formText` or `menuText`; "" when the screen runs.
  std::string emptyScreen(int target, int formText, int menuText) {
    if (isFormTarget(target) && !formRuns(targetForm(target) - 1)) return say(formText, {num(targetForm(target))});
    if (isMenuTarget(target) && !menuRuns(targetMenu(target) - 1)) return say(menuText, {num(targetMenu(target))});
    return std::string();
  }

  void checkTarget(const std::string& where, int target) {
    if (target >= kTargetCount) {
      add(where, say(kStrFindNoScreen, {num(target)}));
      return;
    }
    const std::string empty = emptyScreen(target, kStrFindLeadsToForm, kStrFindLeadsToMenu);
    if (!empty.empty()) add(where, empty);
  }

  void checkBarcodeLengths() {
    struct Symbology {
      const char* name;
      BarcodeBits enabled;
      BarcodeLength BarcodeSettings::*length;
    };
    static const Symbology kSymbologies[] = {
        {"industrial25", barcode::industrial25, &BarcodeSettings::industrial25Length},
        {"interleave25", barcode::interleave25, &BarcodeSettings::interleave25Length},
        {"matrix25", barcode::matrix25, &BarcodeSettings::matrix25Length},
        {"msi", barcode::msi, &BarcodeSettings::msiLength},
    };
    const BarcodeSettings& settings = def_.barcodeSettings;
    for (const Symbology& s : kSymbologies) {
      const BarcodeLength& length = settings.*s.length;
      if (settings.on(s.enabled) && length.rangeMode() && length.minLength > length.maxLength())
        add(std::string("barcode.") + s.name + ".minLength",
            say(kStrFindAbove, {"minLength", num(length.minLength), "maxLength", num(length.maxLength())}));
    }
  }

  void checkMenu(int m) {
    const MenuRecord& menu = def_.menu[m];
    const MenuRecord& shown = seen_.menu[m];
    const std::string name = "menu" + num(m + 1);
    const int width = menuTextLimit(menu);
    if (menu.captionOn != 0) {
      const int length = shownLength(menu.caption, sizeof menu.caption);
      if (length > width) warn(name + ".caption", tooWide("caption", length, width));
    }
    // The terminal lists the first itemCount items by position, so a blank item among them
    // pushes a later one off the list.
    int firstBlank = -1;
    for (int k = 0; k < kMenuItems; ++k) {
      const std::string item = name + ".item" + num(k + 1);
      const int length = shownLength(menu.itemName[k], sizeof menu.itemName[k]);
      if (length > width) warn(item + ".name", tooWide("name", length, width));
      const bool counts = holdsVisibleCharacter(shown.itemName[k], sizeof shown.itemName[k]);
      if (!counts && k < shown.itemCount && firstBlank < 0) firstBlank = k;
      if (counts && k >= shown.itemCount)
        warn(item + ".name", say(kStrFindNeverListed, {num(k + 1), num(shown.itemCount), num(firstBlank + 1)}));
    }
    if (!menuRuns(m)) return;
    checkTarget(name + ".escTarget", menu.escTarget);
    for (int k = 0; k < shown.itemCount; ++k) checkTarget(name + ".item" + num(k + 1) + ".next", menu.itemNext[k]);
  }

  void checkForm(int f) {
    const FormRecord& form = def_.form[f];
    const std::string name = "form" + num(f + 1);
    if (formRuns(f)) {
      checkTarget(name + ".escTarget", form.escTarget);
      // The one choice past the screens names no form or menu, so it cannot lead to an empty one.
      if (form.nextTarget != kNextTargetExtra) checkTarget(name + ".nextTarget", form.nextTarget);
    }
    const LookupRecord* lookup = nullptr;
    if (form.lookupIndex > kLookupCount) {
      add(name + ".lookupIndex", say(kStrFindNoLookup, {num(form.lookupIndex)}));
    } else if (form.lookupIndex != kNoLookup) {
      lookup = &def_.lookup[form.lookupIndex - 1];
      if (!lookup->isDefined())
        add(name + ".lookupIndex", say(kStrFindUndefinedLookup, {num(form.lookupIndex), num(lookup->memberLength),
                                                                   num(lookup->fieldCount)}));
    }
    for (int j = 0; j < kFormLines; ++j) checkFormLine(f, j, lookup);
    if (!formRuns(f)) return;
    for (int k = 0; k < kFnKeys; ++k) {
      const int branch = form.fnBranch[k];
      const std::string where = name + ".fnBranch." + num(k + 1);
      if (isFormTarget(branch)) checkTarget(where, branch);
      else if (branch > kBranchDeleteLast) add(where, say(kStrFindNoBranch, {num(branch)}));
      else if (branch == kBranchSummation) checkSummation(f, k);
    }
    if (form.errorAction > errorActionOf(kTargetLastMenu))
      add(name + ".errorAction", say(kStrFindNoErrorScreen, {num(form.errorAction)}));
    else if (form.errorAction != kErrorSkip)
      checkTarget(name + ".errorAction", targetOfErrorAction(form.errorAction));
  }

  // FN+k sums a field of a lookup file (or of the data file, which has any field).
  void checkSummation(int f, int k) {
    const FormRecord& form = def_.form[f];
    const std::string key = "." + num(k + 1);
    const std::string name = "form" + num(f + 1);
    const int source = form.fnSumSource[k];
    if (source > kSumSourceDataFile) {
      add(name + ".fnSumSource" + key, say(kStrFindNoSource, {num(source)}));
      return;
    }
    if (source == kSumSourceDataFile) return;
    const LookupRecord& l = def_.lookup[source];
    if (!l.isDefined()) {
      add(name + ".fnSumSource" + key, say(kStrFindUndefinedLookup, {num(source + 1), num(l.memberLength), num(l.fieldCount)}));
      return;
    }
    const int fields = std::min<int>(l.fieldCount, kLookupFields);
    const struct {
      const char* setting;
      int field;
    } kUses[] = {{".fnSumField", form.sumField(k)}, {".fnSumMultiplier", form.sumMultiplier(k)}};
    for (const auto& use : kUses)
      if (use.field >= fields)
        add(name + use.setting + key, say(kStrFindNoField, {num(use.field + 1), num(source + 1), num(fields)}));
  }

  void checkFormLine(int f, int j, const LookupRecord* lookup) {
    const FormRecord& form = def_.form[f];
    const ConstFormLine line = form.line(j);
    const std::string name = "form" + num(f + 1) + ".line" + num(j + 1);
    if (line.dataType >= kDataTypeCount) {
      add(name + ".dataType", say(kStrFindNoDataType, {num(line.dataType), num(kDataTypeCount - 1)}));
      return;
    }
    if (j >= usableLines(form.font)) {
      if (line.dataType != kDataNil)
        warn(name + ".dataType", say(kStrFindDropped, {num(kFormLinesLargeFont), num(j + 1)}));
      return;
    }
    if (line.dataType == kDataNil || line.dataType == kDataExtension) return;

    const int width = promptLimit(form.font);
    const int promptLength = shownLength(line.prompt, sizeof line.prompt);
    const bool extended = j + 1 < kFormLines && form.dataType[j + 1] == kDataExtension;
    if (promptLength > width)
      warn(name + ".prompt", tooWide("prompt", promptLength, width));
    else if (isRunInputType(line.dataType) && static_cast<int>(boundedLength(line.prompt, sizeof line.prompt)) >= width && !extended)
      warn(name + ".prompt", say(kStrFindNoRoom, {num(width)}));

    checkLineLengths(line, name);
    if (line.dataType == kDataReal && line.decimals > kMaxDecimals)
      add(name + ".decimals", say(kStrFindAtMost, {"decimals", num(line.decimals), num(kMaxDecimals)}));

    const int ref = seen_.form[f].lookupField[j];
    if (ref == kLookupFieldNil) return;
    const int field = lookupFieldIndex(ref);
    if (form.lookupIndex == kNoLookup)
      add(name + ".lookupField", say(kStrFindNoLookupFile, {num(field + 1)}));
    else if (lookup != nullptr && lookup->isDefined() && field >= std::min<int>(lookup->fieldCount, kLookupFields))
      add(name + ".lookupField", say(kStrFindNoField, {num(field + 1), num(form.lookupIndex), num(lookup->fieldCount)}));
  }

  void checkLineLengths(const ConstFormLine& line, const std::string& name) {
    const LineControlsEnabled on = lineControlsFor(line.dataType);
    const int maxLength = std::min<int>(line.maxLength, kMaxInputLength);
    if (on.lengths) {
      if (line.maxLength > kMaxInputLength)
        add(name + ".maxLength", say(kStrFindAtMost, {"maxLength", num(line.maxLength), num(kMaxInputLength)}));
      if (line.minLength > maxLength)
        add(name + ".minLength", say(kStrFindAbove, {"minLength", num(line.minLength), "maxLength", num(maxLength)}));
      else if (maxLength == 0 && isRunInputType(line.dataType))
        add(name + ".maxLength", say(kStrFindHoldsNothing, {"maxLength"}));
    }
    if (!on.more) return;
    if (line.initialOn != 0 && line.dataType != kDataLookup && on.lengths) {
      const int length = static_cast<int>(boundedLength(line.initialText, sizeof line.initialText));
      if (length > maxLength)
        add(name + ".initialText", say(kStrFindInitialText, {num(length), num(maxLength)}));
    }
    if (line.fixedLengthOn != 0) {
      if (line.fixedLength == 0)
        add(name + ".fixedLength", say(kStrFindHoldsNothing, {"fixedLength"}));
      else if (on.lengths && line.fixedLength < line.minLength)
        add(name + ".fixedLength", say(kStrFindBelow, {"fixedLength", num(line.fixedLength), "minLength", num(line.minLength)}));
    }
    if (line.partialOn != 0 && on.lengths) {
      const int partial = line.partialMax;
      if (partial == 0 || partial > kMaxInputLength)
        add(name + ".partialMax", say(kStrFindPartialRange, {num(partial), num(kMaxInputLength)}));
      else if (partial > maxLength)
        add(name + ".partialMax", say(kStrFindAbove, {"partialMax", num(partial), "maxLength", num(maxLength)}));
      else if (partial < line.minLength)
        add(name + ".partialMax", say(kStrFindBelow, {"partialMax", num(partial), "minLength", num(line.minLength)}));
    }
  }

  void checkLookup(int n) {
    const LookupRecord& l = def_.lookup[n];
    if (!l.isDefined()) return;
    const std::string name = "lookup" + num(n + 1);
    const int fields = std::min<int>(l.fieldCount, kLookupFields);
    const bool fixed = l.delimiter == kFixedLengthRecords;
    const int lineLength = delimitedLineLength(l);
    if (fixed && l.memberLength > kMaxLookupLine)
      add(name + ".memberLength", say(kStrFindAtMost, {"memberLength", num(l.memberLength), num(kMaxLookupLine)}));
    if (!fixed && lineLength <= kMaxLookupLine && l.memberLength != lineLength)
      add(name + ".memberLength", say(kStrFindDelimitersTake, {"memberLength", num(l.memberLength), num(lineLength)}));
    if (l.fieldCount > kLookupFields)
      add(name + ".fieldCount", say(kStrFindAtMost, {"fieldCount", num(l.fieldCount), num(kLookupFields)}));
    if (l.keyField >= fields)
      add(name + ".keyField", say(kStrFindNoField, {num(l.keyField + 1), num(n + 1), num(fields)}));
    for (int i = 0; i < fields; ++i) {
      const ConstLookupField field = l.field(i);
      const std::string index = "." + num(i + 1);
      if (field.length == 0) {
        add(name + ".fieldLength" + index, say(kStrFindHoldsNothing, {"fieldLength"}));
      } else if (fixed && field.offset == 0) {
        add(name + ".fieldOffset" + index,
            say(kStrFindPositions, {num(i + 1), "0", num(field.length - 1), num(l.memberLength)}));
      } else if (fixed && field.offset + field.length - 1 > l.memberLength) {
        add(name + ".fieldLength" + index, say(kStrFindPositions, {num(i + 1), num(field.offset), num(field.offset + field.length - 1),
                                                                   num(l.memberLength)}));
      }
    }
    if (!fixed && lineLength > kMaxLookupLine)
      add(name + ".fieldLength." + num(fields), say(kStrFindAtMost, {"line length", num(lineLength), num(kMaxLookupLine)}));
    if (l.delimiter == '\r' || l.delimiter == '\n') add(name + ".delimiter", say(kStrFindLineEndDelimiter, {num(l.delimiter)}));
  }

  void checkMessages() {
    const bool large = def_.systemSettings.largeFont != 0;
    // The width each entry shows in, 0 for the lines the large font does not show.
    int entryWidth[kMessageGroupCount][kMaxGroupEntries];
    int settingsWidth[kSettingsTexts];
    for (int g = 0; g < kMessageGroupCount; ++g)
      for (int e = 0; e < kMaxGroupEntries; ++e)
        entryWidth[g][e] = messageGroup(seen_, g).width == kSmallTextChars + 1 && !large ? kSmallTextChars : kLargeTextChars;
    for (int& w : settingsWidth) w = large ? kLargeTextChars : kSmallTextChars;
    for (int group = 0; group < kStartupGroups && large; ++group) {
      if (!groupIsWide(group)) continue;
      for (int line = groupLineCount(group, true); line < kStartupLines; ++line) {
        const LineSlot slot = lineSlot(group, line);
        if (slot.kind == LineSlot::Entry) entryWidth[slot.block][slot.index] = 0;
        if (slot.kind == LineSlot::SettingsText) settingsWidth[slot.index] = 0;
      }
    }

    for (int g = 0; g < kMessageGroupCount; ++g) {
      const MessageGroupView group = messageGroup(seen_, g);
      for (int e = 0; e < group.entries; ++e) {
        const int length = shownLength(group.entry(e), static_cast<std::size_t>(group.width));
        if (entryWidth[g][e] != 0 && length > entryWidth[g][e])
          warn(messageSettingName(g, e), tooWide("text", length, entryWidth[g][e]));
      }
    }

    checkStart();
    const SystemSettings& system = def_.systemSettings;
    for (int s = 0; s < kSettingsTexts; ++s) {
      const int length = shownLength(system.settingsText[s], sizeof system.settingsText[s]);
      if (settingsWidth[s] != 0 && length > settingsWidth[s])
        warn("system.settingsText." + num(s + 1), tooWide("text", length, settingsWidth[s]));
    }
  }

  // Where the program starts matters only once the design has a screen to run; a new design
  // has none and its start is the simulator's "Please define your program!".
  void checkStart() {
    bool anyRuns = false;
    for (int i = 0; i < kFormCount; ++i) anyRuns = anyRuns || formRuns(i);
    for (int i = 0; i < kMenuCount; ++i) anyRuns = anyRuns || menuRuns(i);
    if (!anyRuns) return;
    const int start = def_.systemSettings.startFrom == kStartForm1 ? formTarget(1) : menuTarget(1);
    const std::string empty = emptyScreen(start, kStrFindStartsAtForm, kStrFindStartsAtMenu);
    if (!empty.empty()) add("system.startFrom", empty);
  }
};

std::string delimiterName(int code) {
  if (code == '\t') return "tab";
  if (code == ' ') return "blank";
  if (code > ' ' && code < 127) return std::string("'") + static_cast<char>(code) + "'";
  return "character " + num(code);
}

}  // namespace

FindingCounts countFindings(const std::vector<CheckFinding>& findings) {
  FindingCounts counts;
  for (const CheckFinding& f : findings) ++(f.severity == Severity::Error ? counts.errors : counts.warnings);
  return counts;
}

void sortBySeverity(std::vector<CheckFinding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const CheckFinding& a, const CheckFinding& b) { return a.severity < b.severity; });
}

std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def, TextSource& texts) {
  auto seen = std::make_unique<ApplicationDefinition>(def);
  auto image = std::make_unique<ProgramImage>();
  buildProgramImage(*seen, *image);
  return Checker(def, *seen, texts).run();
}

std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def) {
  BuiltinTexts texts;
  return checkDesign(def, texts);
}

namespace {

constexpr std::size_t kLineRoom = kMaxLookupLine;

// The keys of a lookup file and the line each came first on: their characters in one block
// and an open-addressed table of indices, where a node and a string per key took most of
// the time of a check of a large file.
class KeyIndex {
 public:
  // The line `key` came first on; 0 when it is new, and it is then noted as first on `line`.
  long firstLine(const std::uint8_t* key, std::size_t size, long line) {
    if ((entries_.size() + 1) * 2 > slots_.size()) grow();
    const std::uint64_t hash = std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(key), size));
    const std::uint64_t tag = hash >> 32;
    const std::size_t mask = slots_.size() - 1;
    std::uint64_t* slots = slots_.data();
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      if (slots[i] == 0) {
        entries_.push_back({hash, text_.size(), static_cast<std::uint32_t>(size), line});
        text_.resize(text_.size() + size);
        std::memcpy(text_.data() + text_.size() - size, key, size);
        slots[i] = tag << 32 | entries_.size();
        return 0;
      }
      // The tag in the slot spares a look at the entry (a cache miss) for almost every other key.
      if (slots[i] >> 32 != tag) continue;
      const Entry& e = entries_[(slots[i] & 0xFFFFFFFFu) - 1];
      if (e.size == size && std::memcmp(text_.data() + e.at, key, size) == 0) return e.line;
    }
  }

 private:
  struct Entry {
    std::uint64_t hash;
    std::size_t at;
    std::uint32_t size;
    long line;
  };

  void grow() {
    slots_.assign(std::max<std::size_t>(1024, slots_.size() * 2), 0);
    const std::size_t mask = slots_.size() - 1;
    std::uint64_t* slots = slots_.data();
    const Entry* entries = entries_.data();
    for (std::size_t n = 0; n < entries_.size(); ++n) {
      std::size_t i = entries[n].hash & mask;
      while (slots[i] != 0) i = (i + 1) & mask;
      slots[i] = (entries[n].hash >> 32) << 32 | (n + 1);
    }
  }

  std::vector<char> text_;
  std::vector<Entry> entries_;
  std::vector<std::uint64_t> slots_;  // 0 free, else the hash's high half and 1 + an entry's index
};

}  // namespace

struct LookupFileCheck::State {
  explicit State(TextSource& source) : texts(source) {}

  TextSource& texts;
  LookupRecord l;
  std::string fileName;
  std::string tag;
  bool defined;
  int usedFields;
  std::vector<CheckFinding> findings;
  // The line being read: its first bytes (enough for any line that fits) and its length.
  std::uint8_t head[kLineRoom];
  std::size_t length = 0;
  long number = 1;
  int joined = 0;  // lines of the file's own that only a line feed separated
  bool afterLineFeed = false;
  KeyIndex keys;

  // A text of the string table (a language file may give it), filled by fillTemplate.
  std::string say(int id, std::vector<std::string> arguments) const {
    char format[UiStrings::kEntrySize + 1];
    texts.copyText(id, format, sizeof format);
    return fillTemplate(format, arguments);
  }
  // "1 character", "3 characters".
  std::string counted(long value, int one, int many) const { return say(value == 1 ? one : many, {num(value)}); }
  std::string characters(long value) const { return counted(value, kStrOneCharacter, kStrCharacters); }

  void add(long line, const std::string& text) {
    findings.push_back({Severity::Error, fileName + ":" + num(line), text + tag});
  }
  void warn(long line, const std::string& text) {
    findings.push_back({Severity::Warning, fileName + ":" + num(line), text + tag});
  }

  // Where the key of a record the layout holds stands in it; false when the layout names none.
  bool keyOf(const std::uint8_t* line, std::size_t size, const std::uint8_t*& key, std::size_t& keySize) const {
    if (l.keyField >= usedFields) return false;
    if (l.delimiter == kFixedLengthRecords) {
      const ConstLookupField field = l.field(l.keyField);
      if (field.offset == 0 || field.offset - 1u + field.length > size) return false;
      key = line + field.offset - 1;
      keySize = field.length;
      return true;
    }
    const std::uint8_t* start = line;
    const std::uint8_t* end = line + size;
    for (int i = 0; i < l.keyField; ++i) {
      start = static_cast<const std::uint8_t*>(std::memchr(start, l.delimiter, static_cast<std::size_t>(end - start)));
      if (start == nullptr) return false;
      ++start;
    }
    const void* stop = std::memchr(start, l.delimiter, static_cast<std::size_t>(end - start));
    key = start;
    keySize = static_cast<std::size_t>((stop == nullptr ? end : static_cast<const std::uint8_t*>(stop)) - start);
    return true;
  }

  void endLine() {
    const long line = number++;
    const std::size_t size = length;
    const int joinedLines = joined;
    length = 0;
    joined = 0;
    afterLineFeed = false;
    const int chars = static_cast<int>(std::min<std::size_t>(size, 0x7FFFFFFF));
    if (joinedLines > 0) {
      add(line, say(kStrFindJoinedLines, {num(joinedLines + 1), characters(chars)}));
      return;
    }
    if (size > kLineRoom) {
      add(line, say(kStrFindLineTooLong, {characters(chars), num(kMaxLookupLine)}));
      return;
    }
    if (!defined) return;
    if (size == 0) {
      warn(line, say(kStrFindEmptyLine, {}));
      return;
    }
    if (line == 1 && size >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
      add(line, say(kStrFindByteOrderMark, {}));
    if (const void* nul = std::memchr(head, 0, size))
      add(line, say(kStrFindNulByte, {num(static_cast<const std::uint8_t*>(nul) - head + 1)}));
    if (l.delimiter == kFixedLengthRecords) {
      if (chars != l.memberLength) {
        add(line, say(kStrFindRecordLength, {characters(chars), num(l.memberLength)}));
        return;
      }
    } else {
      int fields = 1;
      int fieldLength[kLookupFields] = {};
      const std::uint8_t* at = head;
      const std::uint8_t* end = head + size;
      for (;;) {
        const void* next = std::memchr(at, l.delimiter, static_cast<std::size_t>(end - at));
        const std::uint8_t* stop = next == nullptr ? end : static_cast<const std::uint8_t*>(next);
        if (fields <= kLookupFields) fieldLength[fields - 1] = static_cast<int>(stop - at);
        if (next == nullptr) break;
        ++fields;
        at = stop + 1;
      }
      if (fields != l.fieldCount)
        add(line, say(kStrFindFieldCount, {counted(fields, kStrOneField, kStrFields), num(l.fieldCount),
                                           delimiterName(l.delimiter)}));
      for (int i = 0; i < usedFields && i < fields; ++i)
        if (fieldLength[i] > l.fieldLength[i])
          add(line, say(kStrFindFieldTooLong, {num(i + 1), characters(fieldLength[i]), num(l.fieldLength[i])}));
      if (fields != l.fieldCount) return;
    }
    const std::uint8_t* key = nullptr;
    std::size_t keySize = 0;
    if (!keyOf(head, size, key, keySize)) return;
    if (const long first = keys.firstLine(key, keySize, line))
      warn(line, say(kStrFindRepeatedKey, {printable(std::string(reinterpret_cast<const char*>(key), keySize)),
                                           num(l.keyField + 1), num(first)}));
  }

  static std::string printable(const std::string& text) {
    std::string shown;
    for (const char c : text) shown += static_cast<unsigned char>(c) < ' ' || c == 127 ? '?' : c;
    return shown;
  }
};

LookupFileCheck::LookupFileCheck(const ApplicationDefinition& def, int lookup, std::string fileName, TextSource* texts)
    : builtin_(texts == nullptr ? std::make_unique<BuiltinTexts>() : nullptr),
      state_(std::make_unique<State>(texts != nullptr ? *texts : *builtin_)) {
  State& s = *state_;
  const bool known = lookup >= 1 && lookup <= kLookupCount;
  s.l = known ? def.lookup[lookup - 1] : LookupRecord{};
  s.fileName = std::move(fileName);
  s.tag = " " + s.say(kStrFindLookupTag, {num(lookup)});
  s.defined = known && s.l.isDefined();
  s.usedFields = std::min<int>(s.l.fieldCount, kLookupFields);
  if (known && !s.defined)
    s.findings.push_back({Severity::Error, s.fileName,
                          s.say(kStrFindNoLayout, {num(s.l.memberLength), num(s.l.fieldCount)}) + s.tag});
  if (!known) s.fileName.clear();
}

LookupFileCheck::~LookupFileCheck() = default;

void LookupFileCheck::take(const std::uint8_t* data, std::size_t size) {
  State& s = *state_;
  if (s.fileName.empty()) return;
  const std::uint8_t* at = data;
  const std::uint8_t* end = data + size;
  // The download's framing: a CR ends a line, line feeds are dropped wherever they stand.
  while (at < end) {
    if (*at == '\r') {
      s.endLine();
      ++at;
      continue;
    }
    if (*at == '\n') {
      s.afterLineFeed = s.length != 0;
      ++at;
      continue;
    }
    if (s.afterLineFeed) ++s.joined;
    s.afterLineFeed = false;
    // The run up to the next CR or LF; past the longest line only its length is kept.
    const void* cr = std::memchr(at, '\r', static_cast<std::size_t>(end - at));
    const std::uint8_t* stop = cr == nullptr ? end : static_cast<const std::uint8_t*>(cr);
    if (const void* lf = std::memchr(at, '\n', static_cast<std::size_t>(stop - at))) stop = static_cast<const std::uint8_t*>(lf);
    const std::size_t run = static_cast<std::size_t>(stop - at);
    if (s.length < kLineRoom) std::memcpy(s.head + s.length, at, std::min(run, kLineRoom - s.length));
    s.length += run;
    at = stop;
  }
}

std::vector<CheckFinding> LookupFileCheck::finish() {
  State& s = *state_;
  if (!s.fileName.empty() && s.length > 0) s.endLine();
  return std::move(s.findings);
}

std::vector<CheckFinding> checkLookupFile(const ApplicationDefinition& def, int lookup, const std::string& fileName,
                                          const std::uint8_t* data, std::size_t size, TextSource* texts) {
  LookupFileCheck check(def, lookup, fileName, texts);
  check.take(data, size);
  return check.finish();
}

}  // namespace torvik
