#pragma once
// What the transfers show the user: message boxes by string id, the download's progress
// window and the receive counter. The program shows real windows; tests record and answer.

namespace torvik {

enum class BoxIcon { None, Exclamation, Information, Question, Warning };

class LinkUi {
 public:
  virtual ~LinkUi() = default;
  virtual void show(int captionId, int textId, BoxIcon icon) = 0;
  // A text with one "%d" that takes `number`.
  virtual void showNumber(int captionId, int textId, BoxIcon icon, long number) = 0;
  // Yes/No question; true for Yes.
  virtual bool ask(int captionId, int textId, BoxIcon icon) = 0;
  // "Done : N records received. View the received data?"; true for Yes.
  virtual bool askViewReceived(int count) = 0;

  virtual void progressOpen() = 0;
  virtual void progressSet(int percent) = 0;
  virtual void progressClose() = 0;  // harmless when none is open

  virtual void counterBegin() = 0;
  virtual void counterUpdate(int count) = 0;
  virtual void counterEnd() = 0;
};

}  // namespace torvik
