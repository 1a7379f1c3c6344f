#pragma once
// What the transfers show, on a console: each message box as one line "Caption: text" on
// the error stream, the progress and the record counter as one line redrawn in place (only
// on a terminal: a pipe or a log file gets the messages alone), and the Yes/No questions
// answered from the keyboard when there is one.
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "base/ui_strings.h"
#include "link/link_ui.h"

namespace torvik {

class ConsoleLinkUi : public LinkUi {
 public:
  // `answers` is the keyboard, or nullptr when there is none (questions are then answered
  // No, and the line says so); `stopped` tells that Ctrl+C was pressed, which answers No too.
  ConsoleLinkUi(std::ostream& err, bool errIsTerminal, std::istream* answers, std::function<bool()> stopped);
  ~ConsoleLinkUi() override;

  void show(int captionId, int textId, BoxIcon icon) override;
  void showNumber(int captionId, int textId, BoxIcon icon, long number) override;
  bool ask(int captionId, int textId, BoxIcon icon) override;
  // Answers the questions (the retry question) without asking: Yes `count` times, then No.
  void answerYesTimes(int count) { yesLeft_ = count; yesGiven_ = 0; }
  // Says how many records arrived; there is no viewer to offer, so the answer is No.
  bool askViewReceived(int count) override;

  void progressOpen() override;
  void progressSet(int percent) override;
  void progressClose() override;
  void counterBegin() override;
  void counterUpdate(int count) override;
  void counterEnd() override;

 private:
  void message(int captionId, const std::string& text);
  // Draws `text` over the progress line (terminal only).
  void drawLine(const std::string& text);
  // Ends a drawn progress line, so that what follows starts on a line of its own.
  void endLine();

  std::ostream& err_;
  bool terminal_;
  std::istream* answers_;
  std::function<bool()> stopped_;
  std::unique_ptr<UiStrings> strings_;  // the built-in texts; large, so not on the stack
  bool lineDrawn_ = false;
  std::size_t lineWidth_ = 0;
  int lastPercent_ = -1;
  int yesLeft_ = -1;  // -1: ask
  int yesGiven_ = 0;
};

}  // namespace torvik
