#include "cli/console_link_ui.h"

#include <cctype>

#include "base/string_ids.h"
#include "link/link_texts.h"

namespace torvik {

namespace {

// A message box's text on one line.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

bool isYes(const std::string& answer) {
  std::string word;
  for (char c : answer)
    if (!std::isspace(static_cast<unsigned char>(c))) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word == "y" || word == "yes";
}

}  // namespace

ConsoleLinkUi::ConsoleLinkUi(std::ostream& err, bool errIsTerminal, std::istream* answers, std::function<bool()> stopped)
    : err_(err), terminal_(errIsTerminal), answers_(answers), stopped_(std::move(stopped)), strings_(std::make_unique<UiStrings>()) {}

ConsoleLinkUi::~ConsoleLinkUi() { endLine(); }

void ConsoleLinkUi::drawLine(const std::string& text) {
  if (!terminal_) return;
  // Blanks cover what a longer previous text left.
  const std::size_t pad = lineWidth_ > text.size() ? lineWidth_ - text.size() : 0;
  err_ << '\r' << text << std::string(pad, ' ') << std::flush;
  lineWidth_ = text.size();
  lineDrawn_ = true;
}

void ConsoleLinkUi::endLine() {
  if (!lineDrawn_) return;
  err_ << '\n' << std::flush;
  lineDrawn_ = false;
  lineWidth_ = 0;
}

void ConsoleLinkUi::message(int captionId, const std::string& text) {
  endLine();
  err_ << strings_->text(captionId).c_str() << ": " << oneLine(text) << std::endl;
}

void ConsoleLinkUi::show(int captionId, int textId, BoxIcon) { message(captionId, strings_->text(textId).c_str()); }

void ConsoleLinkUi::showNumber(int captionId, int textId, BoxIcon, long number) {
  char text[256];
  substituteNumber(strings_->text(textId).c_str(), number, text, sizeof text);
  message(captionId, text);
}

bool ConsoleLinkUi::ask(int captionId, int textId, BoxIcon) {
  endLine();
  err_ << strings_->text(captionId).c_str() << ": " << oneLine(strings_->text(textId).c_str());
  if (stopped_ && stopped_()) {
    err_ << " No (interrupted)" << std::endl;
    return false;
  }
  if (yesLeft_ >= 0) {
    if (yesLeft_ == 0) {
      err_ << " No (" << (yesGiven_ == 0 ? "--retries 0" : "no retries left") << ")" << std::endl;
      return false;
    }
    --yesLeft_;
    ++yesGiven_;
    err_ << " Yes (retry " << yesGiven_ << " of " << yesGiven_ + yesLeft_ << ")" << std::endl;
    return true;
  }
  if (answers_ == nullptr) {
    err_ << " No (no terminal to answer on)" << std::endl;
    return false;
  }
  err_ << " [y/N] " << std::flush;
  std::string answer;
  // Ctrl+C while waiting ends the read as well as the transfer.
  const bool read = static_cast<bool>(std::getline(*answers_, answer));
  if (!read || (stopped_ && stopped_())) {
    answers_->clear();
    err_ << "\n";
    return false;
  }
  return isYes(answer);
}

bool ConsoleLinkUi::askViewReceived(int count) {
  char text[256];
  receivedQuestionText(*strings_, count, text, sizeof text);
  // The question after the count offers a viewer that a console does not have.
  std::string done = text;
  done = done.substr(0, done.find('\n'));
  message(kStrUploadData, done);
  return false;
}

void ConsoleLinkUi::progressOpen() {
  progressClose();
  lastPercent_ = -1;
}

void ConsoleLinkUi::progressSet(int percent) {
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  drawLine("Downloading... " + std::to_string(percent) + "%");
}

void ConsoleLinkUi::progressClose() { endLine(); }

void ConsoleLinkUi::counterBegin() { endLine(); }

void ConsoleLinkUi::counterUpdate(int count) {
  char text[128];
  counterText(*strings_, count, text, sizeof text);
  drawLine(text);
}

void ConsoleLinkUi::counterEnd() { endLine(); }

}  // namespace torvik
