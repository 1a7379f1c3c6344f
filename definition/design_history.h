#pragma once
// The history of one design: every change that reached it as a step that can be undone and
// redone, byte for byte, and where the design stands against the file it was last saved to or
// opened from. New and Open start a fresh history.
//
// A step keeps the design before and after the change, so that what happened between two
// steps (the simulator keeps a few run-time bytes in the design) is neither undone nor redone
// by the steps around it.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "definition/application_definition.h"

namespace torvik {

class DesignHistory {
 public:
  static constexpr int kDefaultLimit = 100;
  explicit DesignHistory(int limit = kDefaultLimit);

  // No steps; the design as it stands is the saved one, or (saved false) one that no step
  // leads back to, such as a design restored from a crash.
  void clear(bool saved = true);
  // A change from `before` to `after`, named by `label`. No byte changed: no step, false. The
  // steps that were undone go, and the oldest when there are more than the limit.
  bool record(const ApplicationDefinition& before, const ApplicationDefinition& after, std::string label);

  bool canUndo() const { return current_ > 0; }
  bool canRedo() const { return current_ < steps_.size(); }
  // The label of the step that Undo or Redo would take ("" when there is none).
  const std::string& undoLabel() const;
  const std::string& redoLabel() const;
  // Takes one step back or forward; the design to put in place (valid until the next record or
  // clear), or nullptr when there is none.
  const ApplicationDefinition* undo();
  const ApplicationDefinition* redo();

  // The design was just saved: this is the point that no longer counts as modified.
  void markSaved();
  // Whether the steps taken lead back to the saved design (the Modified flag is the opposite).
  bool atSavedPoint() const;
  std::size_t steps() const { return steps_.size(); }

 private:
  struct Step {
    std::unique_ptr<ApplicationDefinition> before;
    std::unique_ptr<ApplicationDefinition> after;
    std::string label;
  };
  static constexpr std::ptrdiff_t kNoSavedPoint = -1;

  std::size_t limit_;
  std::vector<Step> steps_;
  std::size_t current_ = 0;                     // steps taken: steps_[0..current_) are done
  std::ptrdiff_t saved_ = 0;                    // the number of steps taken at the saved point
};

// The words a change's label is made of; a language file may give them (see fillTemplate).
struct ChangeWords {
  const char* several = "%s settings in %s";  // the count, then the places
  const char* andWord = " and ";
  const char* manyPlaces = "%s places";         // more places than a label lists
};
// What changed from `before` to `after`, in the names the design text uses, made readable:
// "form 3 line 2 prompt" for one setting, "5 settings in form 3 and menu 1" for several.
// "" when the designs are equal.
std::string changeLabel(const ApplicationDefinition& before, const ApplicationDefinition& after,
                        const ChangeWords& words = ChangeWords{});
// A setting's name as people read it: "form3.line2.prompt" is "form 3 line 2 prompt".
std::string readableName(const std::string& name);

}  // namespace torvik
