#include "tests/gui/editor_helpers.h"

#include <prsht.h>

#include <atomic>
#include <thread>

#include "tests/support/win32_files.h"

namespace gui {

namespace {
constexpr std::size_t kDesignFileSize = 18954;

struct ChildSearch {
  int id;
  HWND found;
};
}  // namespace

HWND pageWith(HWND sheet, int id) {
  ChildSearch search{id, nullptr};
  EnumChildWindows(
      sheet,
      [](HWND child, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<ChildSearch*>(p);
        if (GetDlgItem(child, s->id) != nullptr && className(child) == "#32770") {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string typeText(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  return dialogItemText(dialog, id);
}

bool checked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void closeDialog(HWND dialog, int button) {
  clickButton(dialog, button);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
}

void EditorTest::SetUp() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "torvik_gui_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  CreateDirectoryA(folder_.c_str(), nullptr);
  torvik_ = std::make_unique<TorvikProcess>();
  ASSERT_TRUE(torvik_->start());
}

void EditorTest::TearDown() {
  torvik_.reset();
  testfiles::removeTree(folder_);
}

HWND EditorTest::openEditor(const char* caption) {
  torvik_->command(IDM_EDIT);
  sheet_ = torvik_->waitForWindow("#32770", caption);
  return sheet_;
}

HWND EditorTest::showPage(int index, int controlId) const {
  SendMessageA(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  HWND page = nullptr;
  const bool shown = waitUntil([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && GetDlgItem(page, controlId) != nullptr;
  });
  return shown ? page : nullptr;
}

HWND EditorTest::openPage(int index, int controlId, const char* caption) {
  if (openEditor(caption) == nullptr) return nullptr;
  return showPage(index, controlId);
}

HWND EditorTest::openDialog(HWND dialog, int button, const char* title) const {
  clickButton(dialog, button);
  return torvik_->waitForWindow("#32770", title);
}

void EditorTest::typeTextOrWarning(HWND dialog, int id, const char* text) const {
  auto done = std::make_shared<std::atomic<bool>>(false);
  HWND edit = GetDlgItem(dialog, id);
  std::thread([edit, text, done] {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    *done = true;
  }).detach();
  EXPECT_TRUE(waitUntil([&] { return done->load() || torvik_->findWindow("#32770", "Warning") != nullptr; }));
}

std::string EditorTest::saveAs(const std::string& name) const {
  torvik_->command(IDM_SAVEAS);
  HWND dialog = torvik_->waitForWindow("#32770", nullptr);
  EXPECT_NE(dialog, nullptr);
  if (dialog == nullptr) return "<no dialog>";
  const std::string typed = path(name);
  EXPECT_TRUE(chooseFile(dialog, typed));
  const std::string saved = name.find('.') == std::string::npos ? typed + ".TVX" : typed;
  EXPECT_TRUE(waitUntil([&] { return testfiles::readAll(saved).size() == kDesignFileSize; }));
  return testfiles::readAll(saved);
}

}  // namespace gui
