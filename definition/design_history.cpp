#include "definition/design_history.h"

#include <cctype>
#include <cstring>
#include <utility>

#include "base/text.h"
#include "definition/design_text.h"

namespace torvik {

namespace {

const std::string kNoLabel;
constexpr std::size_t kListedPlaces = 3;

bool equal(const ApplicationDefinition& a, const ApplicationDefinition& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// "form3" is "form 3": a word followed by its number.
std::string readablePart(const std::string& part) {
  std::size_t letters = 0;
  while (letters < part.size() && std::isalpha(static_cast<unsigned char>(part[letters])) != 0) ++letters;
  bool digits = letters > 0 && letters < part.size();
  for (std::size_t i = letters; i < part.size(); ++i) digits = digits && std::isdigit(static_cast<unsigned char>(part[i])) != 0;
  return digits ? part.substr(0, letters) + " " + part.substr(letters) : part;
}

}  // namespace

DesignHistory::DesignHistory(int limit) : limit_(limit > 0 ? static_cast<std::size_t>(limit) : 1) {}

void DesignHistory::clear(bool saved) {
  steps_.clear();
  current_ = 0;
  saved_ = saved ? 0 : kNoSavedPoint;
}

bool DesignHistory::record(const ApplicationDefinition& before, const ApplicationDefinition& after, std::string label) {
  if (equal(before, after)) return false;
  // A new step after some were undone: the undone ones can no longer be redone.
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(current_), steps_.end());
  if (saved_ > static_cast<std::ptrdiff_t>(current_)) saved_ = kNoSavedPoint;
  steps_.push_back(Step{std::make_unique<ApplicationDefinition>(before), std::make_unique<ApplicationDefinition>(after),
                        std::move(label)});
  ++current_;
  if (steps_.size() > limit_) {
    steps_.erase(steps_.begin());
    --current_;
    // The saved point fell off with the oldest step: nothing leads back to it now.
    saved_ = saved_ > 0 ? saved_ - 1 : kNoSavedPoint;
  }
  return true;
}

const std::string& DesignHistory::undoLabel() const { return canUndo() ? steps_[current_ - 1].label : kNoLabel; }

const std::string& DesignHistory::redoLabel() const { return canRedo() ? steps_[current_].label : kNoLabel; }

const ApplicationDefinition* DesignHistory::undo() {
  if (!canUndo()) return nullptr;
  --current_;
  return steps_[current_].before.get();
}

const ApplicationDefinition* DesignHistory::redo() {
  if (!canRedo()) return nullptr;
  ++current_;
  return steps_[current_ - 1].after.get();
}

void DesignHistory::markSaved() { saved_ = static_cast<std::ptrdiff_t>(current_); }

bool DesignHistory::atSavedPoint() const { return saved_ == static_cast<std::ptrdiff_t>(current_); }

std::string readableName(const std::string& name) {
  std::string out;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t dot = name.find('.', start);
    const std::size_t end = dot == std::string::npos ? name.size() : dot;
    if (!out.empty()) out += ' ';
    out += readablePart(name.substr(start, end - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return out;
}

std::string changeLabel(const ApplicationDefinition& before, const ApplicationDefinition& after,
                        const ChangeWords& words) {
  const std::vector<SettingChange> changes = diffDesigns(before, after);
  if (changes.empty()) return "";
  if (changes.size() == 1) return readableName(changes.front().name);
  // The places are the settings' first names (form3, menu1, messages), in file order.
  std::vector<std::string> places;
  for (const SettingChange& c : changes) {
    const std::string place = readablePart(c.name.substr(0, c.name.find('.')));
    if (places.empty() || places.back() != place) places.push_back(place);
  }
  std::string where;
  if (places.size() > kListedPlaces) {
    where = fillTemplate(words.manyPlaces, {std::to_string(places.size()).c_str()});
  } else {
    for (std::size_t i = 0; i < places.size(); ++i) {
      if (i > 0) where += i + 1 == places.size() ? words.andWord : ", ";
      where += places[i];
    }
  }
  return fillTemplate(words.several, {std::to_string(changes.size()).c_str(), where.c_str()});
}

}  // namespace torvik
