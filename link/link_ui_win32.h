#pragma once
#include <windows.h>

#include "link/link_ui.h"

namespace torvik {

constexpr char kCounterClassName[] = "TorvikReceiveCounter";

// The transfers' windows: message boxes over the active window, ProgressDlg and the
// receive counter.
class WindowLinkUi : public LinkUi {
 public:
  explicit WindowLinkUi(HWND owner) : owner_(owner) {}
  ~WindowLinkUi() override;

  void show(int captionId, int textId, BoxIcon icon) override;
  void showNumber(int captionId, int textId, BoxIcon icon, long number) override;
  bool ask(int captionId, int textId, BoxIcon icon) override;
  bool askViewReceived(int count) override;

  void progressOpen() override;
  void progressSet(int percent) override;
  void progressClose() override;

  void counterBegin() override;
  void counterUpdate(int count) override;
  void counterEnd() override;

 private:
  HWND boxOwner() const;

  HWND owner_;
  HWND progress_ = nullptr;
  HWND counter_ = nullptr;
  DWORD counterPaintedAt_ = 0;
};

bool registerCounterClass(HINSTANCE instance);

}  // namespace torvik
