#include "link/link_commands_win32.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "base/string_ids.h"
#include "link/download.h"
#include "link/link_ui_win32.h"
#include "link/program_image.h"
#include "link/receive.h"
#include "link/win32_serial_port_win32.h"
#include "win/file_dialog_win32.h"
#include "win/resource_strings_win32.h"
#include "win/serial_ports_win32.h"

namespace torvik {

namespace {

// What a closed file dialog uncovered is painted before the transfer takes the thread.
void repaintBeforeTransfer(HWND owner) {
  RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The port, its state record and the settle delay live for the whole run: what a cradle
// transfer leaves in the record holds for the next transfer.
SerialLink& theLink() {
  static Win32SerialPort port;
  static SerialLink link(port, systemClock());
  return link;
}

ProgramImage& theImage() {
  static ProgramImage image;
  return image;
}

class ProgramDownloadHost : public DownloadHost {
 public:
  explicit ProgramDownloadHost(const LinkContext& context) : context_(context) {}

  const char* portName() override {
    chosenPortName(context_.portIndex, context_.comNumber, name_);
    return name_;
  }

  bool loadLookupFile(const std::uint8_t** data, std::size_t* size) override {
    static char path[256];  // offered again at the next choice
    const std::string filter = fileFilter(context_.strings, {kStrLookupFilterName, kStrTextPattern, kStrAllFilterName, kStrAllPattern}, FilterTexts::Resources);
    HWND owner = GetActiveWindow();
    if (!chooseFileToOpen({owner, filter, path, sizeof path, "TXT", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY}))
      return false;
    repaintBeforeTransfer(owner);
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    if (ok) {
      LARGE_INTEGER fileSize{};
      ok = GetFileSizeEx(file, &fileSize) != 0 && fileSize.QuadPart <= static_cast<LONGLONG>(kMaxLookupFileSize);
      if (ok) {
        bytes_.resize(static_cast<std::size_t>(fileSize.QuadPart));
        std::size_t got = 0;
        while (ok && got < bytes_.size()) {
          DWORD n = 0;
          const DWORD want = static_cast<DWORD>(bytes_.size() - got < (1u << 20) ? bytes_.size() - got : (1u << 20));
          ok = ReadFile(file, bytes_.data() + got, want, &n, nullptr) != 0 && n > 0;
          got += n;
        }
      }
      CloseHandle(file);
    }
    if (!ok) {
      messageBoxById(GetActiveWindow(), context_.strings, kStrError, kStrCannotOpenFile, MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    if (context_.approveLookupFile != nullptr && !context_.approveLookupFile(owner, path, bytes_.data(), bytes_.size()))
      return false;
    *data = bytes_.data();
    *size = bytes_.size();
    return true;
  }

  const std::uint8_t* buildImage() override {
    buildProgramImage(context_.definition, theImage());
    return theImage().bytes;
  }

 private:
  const LinkContext& context_;
  char name_[11] = {};
  std::vector<std::uint8_t> bytes_;
};

void runDownloadCommand(const LinkContext& context, bool cradle, DownloadMode mode) {
  WindowLinkUi ui(context.owner, context.instance, context.strings);
  ProgramDownloadHost host(context);
  DownloadSettings settings;
  settings.mode = mode;
  settings.cradle = cradle;
  settings.baudRateIndex = context.baudRateIndex;
  char tag[sizeof context.definition.versionTag + 1] = {};
  std::memcpy(tag, context.definition.versionTag, sizeof context.definition.versionTag);
  settings.versionTag = tag;
  runDownload(theLink(), ui, host, settings);
}

class Win32OutputFile : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE file) : file_(file) {}
  bool write(const std::uint8_t* data, std::size_t size) override {
    DWORD written = 0;
    return WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) != 0 && written == size;
  }
  bool truncate(std::uint64_t size) override {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) != 0 && SetEndOfFile(file_) != 0;
  }

 private:
  HANDLE file_;
};

}  // namespace

void downloadApplication(const LinkContext& context, bool cradle) {
  runDownloadCommand(context, cradle, DownloadMode::Application);
}

void downloadLookupFile(const LinkContext& context, bool cradle) {
  runDownloadCommand(context, cradle, DownloadMode::Lookup);
}

void receiveData(const LinkContext& context, bool cradle) {
  HWND owner = context.owner;
  char path[261] = {};
  const std::string filter = fileFilter(context.strings, {kStrDataFilterName, kStrTextPattern, kStrAllFilterName, kStrAllPattern}, FilterTexts::Resources);
  if (!chooseFileToSave({GetActiveWindow(), filter, path, sizeof path, "TXT",
                         OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST}))
    return;
  repaintBeforeTransfer(owner);

  WindowLinkUi ui(owner, context.instance, context.strings);
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ui.show(kStrError, kStrFileCreateFailed, BoxIcon::None);
    return;
  }
  SerialLink& link = theLink();
  char name[11];
  chosenPortName(context.portIndex, context.comNumber, name);
  if (!link.open(SerialLink::OpenFor::Receive, name, context.baudRateIndex, cradle, ui)) {
    CloseHandle(file);
    return;
  }
  Win32OutputFile output(file);
  FileRecordSink sink(output);
  const ReceiveResult result = receiveRecords(link, ui, sink);
  link.close(SerialLink::OpenFor::Receive);
  CloseHandle(file);
  bool view = false;
  if (!finishReceive(result, ui, &view)) {
    DeleteFileA(path);
    return;
  }
  if (view) {
    char command[300];
    std::snprintf(command, sizeof command, "notepad.exe %s", path);
    WinExec(command, SW_SHOWNORMAL);
  }
}

}  // namespace torvik
