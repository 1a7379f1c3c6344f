#include "cli/design_check.h"

#include <algorithm>
#include <memory>

#include "base/text.h"
#include "definition/design_rules.h"
#include "definition/design_text.h"
#include "definition/form_rules.h"
#include "editor/lookup_rules.h"
#include "editor/menu_rules.h"
#include "editor/startup_rules.h"
#include "link/program_image.h"

namespace torvik {

namespace {

std::string num(long value) { return std::to_string(value); }

// "1 field", "3 fields".
std::string count(long value, const char* noun) { return num(value) + " " + noun + (value == 1 ? "" : "s"); }

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

std::string tooWide(const char* what, int length, int width) {
  return std::string(what) + " has " + count(length, "character") + ", the display shows " + num(width);
}

class Checker {
 public:
  Checker(const ApplicationDefinition& def, ApplicationDefinition& seen) : def_(def), seen_(seen) {}

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
  std::vector<CheckFinding> findings_;

  void add(std::string where, std::string text) { findings_.push_back({std::move(where), std::move(text)}); }

  bool formRuns(int f) const { return seen_.form[f].lastInputLine != 0; }
  bool menuRuns(int m) const { return seen_.menu[m].itemCount != 0; }

  // The screen a valid target opens, when the terminal finds nothing on it; "" otherwise.
  std::string emptyScreen(int target) const {
    if (isFormTarget(target) && !formRuns(targetForm(target) - 1))
      return "form " + num(targetForm(target)) + ", which has no input lines";
    if (isMenuTarget(target) && !menuRuns(targetMenu(target) - 1))
      return "menu " + num(targetMenu(target)) + ", which has no items";
    return std::string();
  }

  void checkTarget(const std::string& where, int target) {
    if (target >= kTargetCount) {
      add(where, "is " + num(target) + ", which names no screen (0 main menu, 1 to 10 forms, 11 to 20 menus)");
      return;
    }
    const std::string empty = emptyScreen(target);
    if (!empty.empty()) add(where, "leads to " + empty);
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
            "minLength is " + num(length.minLength) + ", above maxLength " + num(length.maxLength()));
    }
  }

  void checkMenu(int m) {
    const MenuRecord& menu = def_.menu[m];
    const MenuRecord& shown = seen_.menu[m];
    const std::string name = "menu" + num(m + 1);
    const int width = menuTextLimit(menu);
    if (menu.captionOn != 0) {
      const int length = shownLength(menu.caption, sizeof menu.caption);
      if (length > width) add(name + ".caption", tooWide("caption", length, width));
    }
    // The terminal lists the first itemCount items by position, so a blank item among them
    // pushes a later one off the list.
    int firstBlank = -1;
    for (int k = 0; k < kMenuItems; ++k) {
      const std::string item = name + ".item" + num(k + 1);
      const int length = shownLength(menu.itemName[k], sizeof menu.itemName[k]);
      if (length > width) add(item + ".name", tooWide("name", length, width));
      const bool counts = holdsVisibleCharacter(shown.itemName[k], sizeof shown.itemName[k]);
      if (!counts && k < shown.itemCount && firstBlank < 0) firstBlank = k;
      if (counts && k >= shown.itemCount)
        add(item + ".name", "item " + num(k + 1) + " is never listed: the terminal lists items 1 to " +
                                num(shown.itemCount) + " by position, and item " + num(firstBlank + 1) + " is blank");
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
      add(name + ".lookupIndex", "is " + num(form.lookupIndex) + ", which names no lookup file (1 to 3)");
    } else if (form.lookupIndex != kNoLookup) {
      lookup = &def_.lookup[form.lookupIndex - 1];
      if (!lookup->isDefined())
        add(name + ".lookupIndex", "uses lookup " + num(form.lookupIndex) + ", which is not defined (memberLength " +
                                       num(lookup->memberLength) + ", fieldCount " + num(lookup->fieldCount) + ")");
    }
    for (int j = 0; j < kFormLines; ++j) checkFormLine(f, j, lookup);
    if (!formRuns(f)) return;
    for (int k = 0; k < kFnKeys; ++k) {
      const int branch = form.fnBranch[k];
      const std::string where = name + ".fnBranch." + num(k + 1);
      if (isFormTarget(branch)) checkTarget(where, branch);
      else if (branch > kBranchDeleteLast) add(where, "is " + num(branch) + ", which names no branch (0 to 13)");
    }
    if (form.errorAction > errorActionOf(kTargetLastMenu))
      add(name + ".errorAction", "is " + num(form.errorAction) + ", which names no screen (0 skip, 1 main menu, 2 to 21 forms and menus)");
    else if (form.errorAction != kErrorSkip)
      checkTarget(name + ".errorAction", targetOfErrorAction(form.errorAction));
  }

  void checkFormLine(int f, int j, const LookupRecord* lookup) {
    const FormRecord& form = def_.form[f];
    const ConstFormLine line = form.line(j);
    const std::string name = "form" + num(f + 1) + ".line" + num(j + 1);
    if (j >= usableLines(form.font)) {
      if (line.dataType != kDataNil)
        add(name + ".dataType", "the large font shows lines 1 to " + num(kFormLinesLargeFont) + ", so line " +
                                    num(j + 1) + " is dropped at download");
      return;
    }
    if (line.dataType == kDataNil || line.dataType == kDataExtension) return;

    const int width = promptLimit(form.font);
    const int promptLength = shownLength(line.prompt, sizeof line.prompt);
    const bool extended = j + 1 < kFormLines && form.dataType[j + 1] == kDataExtension;
    if (promptLength > width)
      add(name + ".prompt", tooWide("prompt", promptLength, width));
    else if (isRunInputType(line.dataType) && static_cast<int>(boundedLength(line.prompt, sizeof line.prompt)) >= width && !extended)
      add(name + ".prompt", "prompt takes all " + num(width) + " columns of the display, leaving none for the input");

    checkLineLengths(line, name);

    const int ref = seen_.form[f].lookupField[j];
    if (ref == kLookupFieldNil) return;
    const int field = lookupFieldIndex(ref);
    if (form.lookupIndex == kNoLookup)
      add(name + ".lookupField", "refers to lookup field " + num(field + 1) + ", but the form uses no lookup file");
    else if (lookup != nullptr && lookup->isDefined() && field >= std::min<int>(lookup->fieldCount, kLookupFields))
      add(name + ".lookupField", "refers to field " + num(field + 1) + " of lookup " + num(form.lookupIndex) +
                                     ", which has " + count(lookup->fieldCount, "field"));
  }

  void checkLineLengths(const ConstFormLine& line, const std::string& name) {
    const LineControlsEnabled on = lineControlsFor(line.dataType);
    const int maxLength = std::min<int>(line.maxLength, kMaxInputLength);
    if (on.lengths) {
      if (line.maxLength > kMaxInputLength)
        add(name + ".maxLength", "maxLength is " + num(line.maxLength) + ", a field takes at most " + num(kMaxInputLength));
      if (line.minLength > maxLength)
        add(name + ".minLength", "minLength is " + num(line.minLength) + ", above maxLength " + num(maxLength));
      else if (maxLength == 0 && isRunInputType(line.dataType))
        add(name + ".maxLength", "maxLength is 0, so the field takes no input");
    }
    if (!on.more) return;
    if (line.initialOn != 0 && line.dataType != kDataLookup && on.lengths) {
      const int length = static_cast<int>(boundedLength(line.initialText, sizeof line.initialText));
      if (length > maxLength)
        add(name + ".initialText", "initialText has " + count(length, "character") + ", above maxLength " + num(maxLength));
    }
    if (line.fixedLengthOn != 0) {
      if (line.fixedLength == 0)
        add(name + ".fixedLength", "fixedLength is 0, so every value is saved empty");
      else if (on.lengths && line.fixedLength < line.minLength)
        add(name + ".fixedLength", "fixedLength is " + num(line.fixedLength) + ", below minLength " +
                                       num(line.minLength) + ", so every value is cut");
    }
    if (line.partialOn != 0 && on.lengths) {
      const int partial = line.partialMax;
      if (partial == 0 || partial > kMaxInputLength)
        add(name + ".partialMax", "partialMax is " + num(partial) + ", a partial read takes 1 to " + num(kMaxInputLength));
      else if (partial > maxLength)
        add(name + ".partialMax", "partialMax is " + num(partial) + ", above maxLength " + num(maxLength));
      else if (partial < line.minLength)
        add(name + ".partialMax", "partialMax is " + num(partial) + ", below minLength " + num(line.minLength) +
                                      ", so a partial read is always too short");
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
      add(name + ".memberLength", "memberLength is " + num(l.memberLength) + ", a lookup line carries at most " + num(kMaxLookupLine));
    if (!fixed && lineLength <= kMaxLookupLine && l.memberLength != lineLength)
      add(name + ".memberLength", "memberLength is " + num(l.memberLength) + ", the fields and their delimiters take " + num(lineLength));
    if (l.fieldCount > kLookupFields)
      add(name + ".fieldCount", "fieldCount is " + num(l.fieldCount) + ", a lookup has at most " + num(kLookupFields) + " fields");
    if (l.keyField >= fields)
      add(name + ".keyField", "the key is field " + num(l.keyField + 1) + ", the lookup has " + count(fields, "field"));
    for (int i = 0; i < fields; ++i) {
      const ConstLookupField field = l.field(i);
      const std::string index = "." + num(i + 1);
      if (field.length == 0) {
        add(name + ".fieldLength" + index, "field " + num(i + 1) + " has length 0, so it holds nothing");
      } else if (fixed && field.offset == 0) {
        add(name + ".fieldOffset" + index, "field " + num(i + 1) + " starts at position 0, the first is 1");
      } else if (fixed && field.offset + field.length - 1 > l.memberLength) {
        add(name + ".fieldLength" + index, "field " + num(i + 1) + " ends at position " +
                                               num(field.offset + field.length - 1) + ", memberLength is " + num(l.memberLength));
      }
    }
    if (!fixed && lineLength > kMaxLookupLine)
      add(name + ".fieldLength." + num(fields), "the fields and their delimiters take " + num(lineLength) +
                                     " characters, a lookup line carries at most " + num(kMaxLookupLine));
    if (l.delimiter == '\r') add(name + ".delimiter", "delimiter is 13 (carriage return), which ends the line instead");
    if (l.delimiter == '\n') add(name + ".delimiter", "delimiter is 10 (line feed), which the lookup download drops");
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
          add(messageSettingName(g, e), tooWide("text", length, entryWidth[g][e]));
      }
    }

    checkStart();
    const SystemSettings& system = def_.systemSettings;
    for (int s = 0; s < kSettingsTexts; ++s) {
      const int length = shownLength(system.settingsText[s], sizeof system.settingsText[s]);
      if (settingsWidth[s] != 0 && length > settingsWidth[s])
        add("system.settingsText." + num(s + 1), tooWide("text", length, settingsWidth[s]));
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
    const std::string empty = emptyScreen(start);
    if (!empty.empty()) add("system.startFrom", "the program starts at " + empty);
  }
};

std::string delimiterName(int code) {
  if (code == '\t') return "tab";
  if (code == ' ') return "blank";
  if (code > ' ' && code < 127) return std::string("'") + static_cast<char>(code) + "'";
  return "character " + num(code);
}

}  // namespace

std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def) {
  auto seen = std::make_unique<ApplicationDefinition>(def);
  auto image = std::make_unique<ProgramImage>();
  buildProgramImage(*seen, *image);
  return Checker(def, *seen).run();
}

std::vector<CheckFinding> checkLookupFile(const ApplicationDefinition& def, int lookup, const std::string& fileName,
                                          const std::uint8_t* data, std::size_t size) {
  std::vector<CheckFinding> findings;
  if (lookup < 1 || lookup > kLookupCount) return findings;
  const LookupRecord& l = def.lookup[lookup - 1];
  const std::string tag = " (lookup" + num(lookup) + ")";
  const int usedFields = std::min<int>(l.fieldCount, kLookupFields);
  if (!l.isDefined())
    findings.push_back({fileName, "the design does not define this lookup (memberLength " + num(l.memberLength) +
                                      ", fieldCount " + num(l.fieldCount) + "), so the terminal has no layout for the file" + tag});

  auto checkLine = [&](const std::string& line, long number, int joined) {
    const std::string where = fileName + ":" + num(number);
    const int length = static_cast<int>(line.size());
    auto add = [&](const std::string& text) { findings.push_back({where, text + tag}); };
    if (joined > 0) {
      add(num(joined + 1) + " lines end in a line feed alone, which ends no line: the terminal receives them as one line of " +
          count(length, "character") + (length > kMaxLookupLine ? ", more than the " + num(kMaxLookupLine) + " a line carries" : ""));
      return;
    }
    if (length > kMaxLookupLine) {
      add("line has " + count(length, "character") + ", a line carries at most " + num(kMaxLookupLine));
      return;
    }
    if (!l.isDefined()) return;
    if (length == 0) {
      add("line is empty, but the download sends it as a record");
      return;
    }
    if (l.delimiter == kFixedLengthRecords) {
      if (length != l.memberLength) add("line has " + count(length, "character") + ", records have " + num(l.memberLength));
      return;
    }
    std::vector<int> fields(1, 0);
    for (char c : line) {
      if (static_cast<unsigned char>(c) == l.delimiter) fields.push_back(0);
      else ++fields.back();
    }
    if (static_cast<int>(fields.size()) != l.fieldCount)
      add("line has " + count(static_cast<long>(fields.size()), "field") + ", records have " + num(l.fieldCount) +
          " separated by " + delimiterName(l.delimiter));
    for (int i = 0; i < usedFields && i < static_cast<int>(fields.size()); ++i)
      if (fields[static_cast<std::size_t>(i)] > l.fieldLength[i])
        add("field " + num(i + 1) + " has " + count(fields[static_cast<std::size_t>(i)], "character") + ", its length is " +
            num(l.fieldLength[i]));
  };

  // The download's framing: a CR ends a line, line feeds are dropped wherever they stand.
  std::string line;
  long number = 1;
  int joined = 0;  // lines of the file's own that only a line feed separated
  bool afterLineFeed = false;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t b = data[i];
    if (b == '\r') {
      checkLine(line, number++, joined);
      line.clear();
      joined = 0;
      afterLineFeed = false;
    } else if (b == '\n') {
      afterLineFeed = !line.empty();
    } else {
      if (afterLineFeed) ++joined;
      afterLineFeed = false;
      line.push_back(static_cast<char>(b));
    }
  }
  if (!line.empty()) checkLine(line, number, joined);
  return findings;
}

}  // namespace torvik
