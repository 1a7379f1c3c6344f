#pragma once
// The design check of both programs, free of files: what would go wrong on the terminal with
// a design, and with a lookup file meant for one of its lookup definitions. It sees the design
// as the download leaves it (menus and forms normalised), so an empty form is what the
// terminal finds empty. It has a layer of its own because it needs both the image builder and
// the editor's rules for the lookup layout and the message groups.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/ui_strings.h"
#include "definition/application_definition.h"

namespace torvik {

// An error is something the terminal cannot do or will do wrongly; a warning is something a
// person should look at (a text the display cuts, an item never listed, a repeated key).
enum class Severity { Error, Warning };

// One finding, printed as "severity: where: text". `where` is a setting's name as `show`
// prints it ("form3.line2.prompt") or a lookup file's line ("items.txt:12").
struct CheckFinding {
  Severity severity;
  std::string where;
  std::string text;
};

struct FindingCounts {
  int errors = 0;
  int warnings = 0;
};
FindingCounts countFindings(const std::vector<CheckFinding>& findings);

// Errors first, each severity in the order found.
void sortBySeverity(std::vector<CheckFinding>& findings);

// The design's findings in file order: targets that lead to a form without input lines or a
// menu without items, texts longer than their display, lengths that contradict each other.
// The texts come from `texts` (the desktop passes its strings, a language file applied); without
// it, from the table compiled in.
std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def, TextSource& texts);
std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def);

// The lines of a lookup file that lookup definition `lookup` (1 to 3) cannot hold, each line
// taken as the lookup download sends it: a CR ends it, line feeds are dropped, a last line
// without a CR still goes. Also keys that an earlier line has already (the terminal finds
// the first), NUL bytes and a UTF-8 byte-order mark. `fileName` names the file in each
// finding.
// The texts come from `texts` as for checkDesign (nullptr: the table compiled in).
std::vector<CheckFinding> checkLookupFile(const ApplicationDefinition& def, int lookup, const std::string& fileName,
                                          const std::uint8_t* data, std::size_t size, TextSource* texts = nullptr);

// The same check on a file handed over piece by piece, in memory that does not grow with a
// line's length: a file of any size is checked as it is read.
class LookupFileCheck {
 public:
  LookupFileCheck(const ApplicationDefinition& def, int lookup, std::string fileName, TextSource* texts = nullptr);
  ~LookupFileCheck();
  LookupFileCheck(const LookupFileCheck&) = delete;
  LookupFileCheck& operator=(const LookupFileCheck&) = delete;

  void take(const std::uint8_t* data, std::size_t size);
  // The findings, once the whole file has been taken.
  std::vector<CheckFinding> finish();

 private:
  struct State;
  std::unique_ptr<TextSource> builtin_;  // when the caller gives no texts
  std::unique_ptr<State> state_;
};

}  // namespace torvik
