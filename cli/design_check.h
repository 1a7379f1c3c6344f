#pragma once
// The check of torvik-cli, free of files: what would go wrong on the terminal with a design,
// and with a lookup file meant for one of its lookup definitions. It sees the design as the
// download leaves it (menus and forms normalised), so an empty form is what the terminal
// finds empty. It lives here rather than lower because it needs both the image builder and
// the editor's rules for the lookup layout and the message groups.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/application_definition.h"

namespace torvik {

// One finding, printed as "where: text". `where` is a setting's name as `show` prints it
// ("form3.line2.prompt") or a lookup file's line ("items.txt:12").
struct CheckFinding {
  std::string where;
  std::string text;
};

// The design's findings in file order: targets that lead to a form without input lines or a
// menu without items, texts longer than their display, lengths that contradict each other.
std::vector<CheckFinding> checkDesign(const ApplicationDefinition& def);

// The lines of a lookup file that lookup definition `lookup` (1 to 3) cannot hold, each line
// taken as the lookup download sends it: a CR ends it, line feeds are dropped, a last line
// without a CR still goes. `fileName` names the file in each finding.
std::vector<CheckFinding> checkLookupFile(const ApplicationDefinition& def, int lookup, const std::string& fileName,
                                          const std::uint8_t* data, std::size_t size);

}  // namespace torvik
