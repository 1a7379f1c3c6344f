#pragma once
// Editor tests on designs crafted record by record: the program's own new design to start
// from, and a crafted one written as a file and opened as the user would.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "definition/application_definition.h"
#include "tests/gui/editor_helpers.h"
#include "tests/support/win32_files.h"

namespace gui {

class CraftedDesignTest : public EditorTest {
 protected:
  // The program's new design (saved as "new"), as a record to craft from.
  std::unique_ptr<torvik::ApplicationDefinition> newDesign() {
    const std::string bytes = saveAs("new");
    auto def = std::make_unique<torvik::ApplicationDefinition>();
    std::memcpy(def.get(), bytes.data(), sizeof *def);
    return def;
  }

  // Writes the design as `name`.TVX, opens it and waits for the editor that Open shows; the
  // file's bytes stay in written_.
  HWND open(const torvik::ApplicationDefinition& def, const std::string& name) {
    std::string bytes(reinterpret_cast<const char*>(&def), sizeof def);
    bytes.append(100, '\0');
    written_ = bytes;
    const std::string file = path(name + ".TVX");
    testfiles::writeAll(file, bytes);
    torvik_->command(IDM_OPEN);
    HWND dialog = torvik_->waitForWindow("#32770", nullptr);
    if (dialog == nullptr || !chooseFile(dialog, file)) return nullptr;
    sheet_ = torvik_->waitForWindow("#32770", kAnyDesignSheet);
    return sheet_;
  }

  std::string written_;
};

}  // namespace gui
