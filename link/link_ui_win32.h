#pragma once
#include <windows.h>

#include "base/ui_strings.h"
#include "link/link_ui.h"

namespace torvik {

constexpr char kCounterClassName[] = "TorvikReceiveCounter";

// The transfers' windows: message boxes over the active window, ProgressDlg and the
// receive counter.
class WindowLinkUi : public LinkUi {
 public:
  WindowLinkUi(HWND owner, HINSTANCE instance, UiStrings& strings)
      : owner_(owner), instance_(instance), strings_(strings) {}
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
  HINSTANCE instance_;
  UiStrings& strings_;
  HWND progress_ = nullptr;
  HWND counter_ = nullptr;
  DWORD counterPaintedAt_ = 0;
};

bool registerCounterClass(HINSTANCE instance);

}  // namespace torvik
