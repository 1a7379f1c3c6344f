// The page recipe on a bare page: who owns the state, when handlers may run, and where the
// answer to PSN_APPLY goes.
#include "editor/page_win32.h"

#include <gtest/gtest.h>

#include <memory>

namespace torvik {
namespace {

// What the probe's handlers saw, and what its apply answers.
struct Log {
  EditorSession* session = nullptr;
  int created = 0, destroyed = 0, commands = 0, applies = 0, others = 0, othersBeforeInit = 0;
  WPARAM lastCommand = 0;
  INT_PTR applyAnswer = PSNRET_NOERROR;
};
Log probeLog;

struct Probe {
  EditorSession& session;
  bool initialised = false;
  ~Probe() { ++probeLog.destroyed; }
};

void probeInit(HWND, Probe& p) {
  ++probeLog.created;
  probeLog.session = &p.session;
  p.initialised = true;
}
void probeCommand(HWND, Probe&, WPARAM wParam) {
  ++probeLog.commands;
  probeLog.lastCommand = wParam;
}
INT_PTR probeApply(HWND, Probe&) {
  ++probeLog.applies;
  return probeLog.applyAnswer;
}
INT_PTR probeOther(HWND, UINT, WPARAM, LPARAM, Probe& p) {
  ++probeLog.others;
  if (!p.initialised) ++probeLog.othersBeforeInit;
  return FALSE;
}

// A page without controls; DS_SETFONT makes the dialog manager send WM_SETFONT before
// WM_INITDIALOG. Templates must start on a DWORD.
struct alignas(4) BareTemplate {
  DLGTEMPLATE head{DS_SETFONT | WS_POPUP, 0, 0, 0, 0, 100, 50};
  WORD menu = 0, windowClass = 0, title = 0, pointSize = 8;
  WCHAR face[13] = L"MS Shell Dlg";
};

class PageRecipe : public testing::Test {
 protected:
  HWND open() {
    PROPSHEETPAGEA sheetPage{};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.lParam = reinterpret_cast<LPARAM>(&session_);
    static const BareTemplate bare;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &bare.head, nullptr,
                                      pageProc<Probe, probeInit, probeCommand, probeApply, probeOther>,
                                      reinterpret_cast<LPARAM>(&sheetPage));
  }

  std::unique_ptr<ApplicationDefinition> definition_ = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<UiStrings> strings_ = std::make_unique<UiStrings>();
  EditorSession session_{*definition_, *strings_};
  Log& log_ = probeLog;

  void SetUp() override { log_ = Log{}; }
};

TEST_F(PageRecipe, TheStateLivesFromInitToDestructionAndSeesNothingBefore) {
  HWND page = open();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(log_.created, 1);
  EXPECT_EQ(log_.session, &session_);
  EXPECT_EQ(log_.othersBeforeInit, 0) << "WM_SETFONT reached a handler before WM_INITDIALOG";
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(1234, EN_CHANGE), 0);
  EXPECT_EQ(log_.commands, 1);
  EXPECT_EQ(log_.lastCommand, MAKEWPARAM(1234, EN_CHANGE));
  EXPECT_EQ(log_.destroyed, 0);
  DestroyWindow(page);
  EXPECT_EQ(log_.destroyed, 1);
  EXPECT_GT(log_.others, 0) << "WM_DESTROY is the page's to see";
}

TEST_F(PageRecipe, ApplyAnswersThroughTheMessageResultAndOtherNotificationsPassOn) {
  for (INT_PTR answer : {static_cast<INT_PTR>(PSNRET_NOERROR), static_cast<INT_PTR>(PSNRET_INVALID_NOCHANGEPAGE)}) {
    SCOPED_TRACE(answer);
    log_ = Log{};
    log_.applyAnswer = answer;
    HWND page = open();
    ASSERT_NE(page, nullptr);
    NMHDR header{page, 0, static_cast<UINT>(PSN_SETACTIVE)};
    const int othersBefore = log_.others;
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(log_.applies, 0);
    EXPECT_EQ(log_.others, othersBefore + 1);
    // The sheet reads the answer as SendMessage's result, which the dialog manager takes from
    // DWLP_MSGRESULT.
    header.code = static_cast<UINT>(PSN_APPLY);
    EXPECT_EQ(SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), answer);
    EXPECT_EQ(log_.applies, 1);
    DestroyWindow(page);
    EXPECT_EQ(log_.destroyed, 1);
  }
}

}  // namespace
}  // namespace torvik
