#include "definition/design_history.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace torvik {
namespace {

// Designs told apart by one byte of form 1's first prompt: design(n) has 'A' + n there.
struct Designs {
  std::vector<std::unique_ptr<ApplicationDefinition>> all;
  const ApplicationDefinition& operator()(int n) {
    while (static_cast<int>(all.size()) <= n) {
      auto d = std::make_unique<ApplicationDefinition>();
      std::memset(d.get(), 0, sizeof *d);
      d->form[0].prompt[0][0] = static_cast<char>('A' + all.size());
      all.push_back(std::move(d));
    }
    return *all[static_cast<std::size_t>(n)];
  }
};

char mark(const ApplicationDefinition* d) { return d == nullptr ? '-' : d->form[0].prompt[0][0]; }

// One script of operations over the model: r<n> records the step from the design before to
// design n, u undoes, d redoes, s saves. Each row checks what Undo and Redo would do next and
// whether the design counts as saved.
TEST(DesignHistory, StepsUndoRedoAndTheSavedPoint) {
  struct Row {
    const char* script;
    char lastRestored;  // what the last undo or redo put in place ('-' none)
    int undoable, redoable;
    bool saved;
  } rows[] = {
      {"", '-', 0, 0, true},
      {"r1", '-', 1, 0, false},
      {"r1u", 'A', 0, 1, true},              // back to what was opened
      {"r1ud", 'B', 1, 0, false},
      {"r1r2r3uuu", 'A', 0, 3, true},
      {"r1r2r3uuuu", '-', 0, 3, true},       // nothing left to undo
      {"r1r2uur3", 'A', 1, 0, false},        // a step after undo drops the undone ones
      {"r1sr2u", 'B', 1, 1, true},           // undo back to the save
      {"r1sr2uu", 'A', 0, 2, false},         // and past it
      {"r1r2usr3u", 'B', 1, 1, true},
      {"r1r2uusdd", 'C', 2, 0, false},
      {"r1r2uur3d", '-', 1, 0, false},       // redo steps are gone
      {"r1r1", '-', 1, 0, false},            // the same design again is no step
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.script);
    Designs design;
    DesignHistory history;
    history.clear();
    int now = 0;
    // Read when it is handed out: the history may free that design at its next record.
    char lastRestored = '-';
    for (const char* c = row.script; *c != '\0'; ++c) {
      const ApplicationDefinition* restored = nullptr;
      switch (*c) {
        case 'r': {
          const int next = *++c - '0';
          history.record(design(now), design(next), "step " + std::to_string(next));
          now = next;
          break;
        }
        case 'u':
          restored = history.undo();
          if (restored != nullptr) now = restored->form[0].prompt[0][0] - 'A';
          lastRestored = mark(restored);
          break;
        case 'd':
          restored = history.redo();
          if (restored != nullptr) now = restored->form[0].prompt[0][0] - 'A';
          lastRestored = mark(restored);
          break;
        default:
          history.markSaved();
      }
    }
    EXPECT_EQ(lastRestored, row.lastRestored);
    EXPECT_EQ(history.canUndo(), row.undoable > 0);
    EXPECT_EQ(history.canRedo(), row.redoable > 0);
    EXPECT_EQ(history.atSavedPoint(), row.saved);
  }
}

TEST(DesignHistory, ALimitDropsTheOldestStepsAndTheSavedPointWithThem) {
  Designs design;
  DesignHistory history(3);
  history.clear();
  EXPECT_FALSE(history.record(design(0), design(0), "nothing")) << "no byte changed: no step";
  for (int n = 1; n <= 5; ++n) ASSERT_TRUE(history.record(design(n - 1), design(n), "step " + std::to_string(n)));
  EXPECT_EQ(history.steps(), 3u);
  EXPECT_EQ(history.undoLabel(), "step 5");
  EXPECT_EQ(mark(history.undo()), 'E');
  EXPECT_EQ(mark(history.undo()), 'D');
  EXPECT_EQ(mark(history.undo()), 'C');
  EXPECT_EQ(history.undo(), nullptr) << "steps 1 and 2 fell off";
  EXPECT_FALSE(history.atSavedPoint()) << "the opened design is out of reach";
  EXPECT_EQ(history.redoLabel(), "step 3");

  DesignHistory kept;
  kept.clear(false);  // a design restored after a crash: nothing leads to its file
  EXPECT_FALSE(kept.atSavedPoint());
  EXPECT_EQ(DesignHistory().steps(), 0u);
  DesignHistory hundred;
  for (int n = 1; n <= 150; ++n) hundred.record(design(n % 2), design((n + 1) % 2), "");
  EXPECT_EQ(hundred.steps(), static_cast<std::size_t>(DesignHistory::kDefaultLimit));
}

TEST(DesignHistory, LabelsNameWhatChangedInTheDesignTextsNames) {
  auto before = std::make_unique<ApplicationDefinition>();
  std::memset(before.get(), 0, sizeof *before);
  struct Row {
    void (*change)(ApplicationDefinition&);
    const char* label;
  } rows[] = {
      {[](ApplicationDefinition&) {}, ""},
      {[](ApplicationDefinition& d) { std::strcpy(d.form[2].prompt[1], "Qty"); }, "form 3 line 2 prompt"},
      {[](ApplicationDefinition& d) { d.lookup[0].fieldLength[2] = 9; }, "lookup 1 fieldLength 3"},
      {[](ApplicationDefinition& d) {
         d.form[2].maxLength[0] = 5;
         d.form[2].maxLength[1] = 5;
         d.menu[0].font = 1;
       },
       "3 settings in menu 1 and form 3"},  // in file order
      {[](ApplicationDefinition& d) {
         d.form[0].font = d.form[1].font = d.form[2].font = 1;
       },
       "3 settings in form 1, form 2 and form 3"},
      {[](ApplicationDefinition& d) {
         for (FormRecord& f : d.form) f.font = 1;
       },
       "10 settings in 10 places"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto after = std::make_unique<ApplicationDefinition>(*before);
    row.change(*after);
    EXPECT_EQ(changeLabel(*before, *after), row.label);
  }
  auto after = std::make_unique<ApplicationDefinition>(*before);
  after->menu[0].font = after->menu[1].font = 1;
  const ChangeWords german{"%s Einstellungen in %s", " und ", "%s Stellen"};
  EXPECT_EQ(changeLabel(*before, *after, german), "2 Einstellungen in menu 1 und menu 2");
  EXPECT_EQ(readableName("messages.mainMenu.1"), "messages mainMenu 1");
  EXPECT_EQ(readableName("versionTag"), "versionTag");
}

}  // namespace
}  // namespace torvik
