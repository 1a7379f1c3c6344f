// download, lookup and receive: the desktop program's transfers over a port named on the
// command line, with its protocol code and its messages on the error stream.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/string_ids.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_link_ui.h"
#include "cli/design_files.h"
#include "cli/received_file.h"
#include "cli/system_port.h"
#include "link/download.h"
#include "link/program_image.h"
#include "link/receive.h"

namespace torvik {

namespace {

struct LinkOptions {
  std::string port;
  int baudRateIndex = 0;
  bool cradle = false;
  int retries = -1;  // -1: ask on a terminal, No without one
};

constexpr int kMaxRetries = 1000;

bool parseLinkOptions(const char* command, const ParsedArgs& args, LinkOptions& options, CliIo& io) {
  options.port = args.value("--port");
  if (options.port.empty()) {
    usageError(io, command, "--port NAME is required (a serial device such as /dev/ttyUSB0, or COM3)");
    return false;
  }
  // IrDA is a plain line like the cable; only the cradle is negotiated with first.
  const std::string transport = args.value("--transport", "cable");
  if (transport != "cable" && transport != "cradle" && transport != "irda") {
    usageError(io, command, "unknown transport '" + transport + "' (cable, cradle or irda)");
    return false;
  }
  options.cradle = transport == "cradle";
  const std::string rate = args.value("--rate", "115200");
  options.baudRateIndex = -1;
  for (int i = 0; i < kBaudRateIndexCount; ++i)
    if (rate == std::to_string(baudRateOfIndex(i))) options.baudRateIndex = i;
  if (options.baudRateIndex < 0) {
    usageError(io, command, "unsupported rate '" + rate + "' (115200, 57600, 38400, 19200 or 9600)");
    return false;
  }
  if (args.has("--retries")) {
    const std::string text = args.value("--retries");
    const bool digits = !text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos;
    options.retries = digits ? std::stoi(text) : -1;
    if (options.retries < 0 || options.retries > kMaxRetries) {
      usageError(io, command, "--retries takes a count from 0 to " + std::to_string(kMaxRetries) + ", not '" + text + "'");
      return false;
    }
  }
  return true;
}

// One transfer's surroundings: Ctrl+C, the port, the link over it and the console's ui.
struct Transfer {
  TransferStop stop;
  std::unique_ptr<SerialPort> port = stop.makePort();
  SerialLink link{*port, systemClock()};
  // Questions are asked only where someone can see them and answer.
  ConsoleLinkUi ui;

  explicit Transfer(CliIo& io)
      : ui(io.err, io.errIsTerminal, io.errIsTerminal && isTerminal(stdin) ? &std::cin : nullptr,
           [this] { return stop.requested(); }) {}

  // Adds the system's reason to the desktop's "Cannot open the COM port!" (nothing when the
  // last open went well).
  void explainOpenFailure(const char* command, const std::string& name, CliIo& io) {
    if (stop.requested()) return;
    const std::string why = portOpenFailure(*port);
    if (!why.empty()) io.err << "torvik-cli " << command << ": " << name << ": " << why << "\n";
  }

  // The line went away (an adapter pulled, the other side closed): said at once, where the
  // desktop would have retried into a time-out.
  bool reportHangUp(const char* command, const std::string& name, CliIo& io) {
    if (stop.requested() || !port->hungUp()) return false;
    io.err << "torvik-cli " << command << ": " << name << ": the port closed (the device is gone or the other side hung up)\n";
    return true;
  }

  int interrupted(const char* command, CliIo& io) {
    io.err << "torvik-cli " << command << ": interrupted\n";
    return kExitFailed;
  }
};

class CliDownloadHost : public DownloadHost {
 public:
  CliDownloadHost(const std::string& port, ApplicationDefinition* def, const std::vector<std::uint8_t>* lookup)
      : port_(port), def_(def), lookup_(lookup) {}
  const char* portName() override { return port_.c_str(); }
  bool loadLookupFile(const std::uint8_t** data, std::size_t* size) override {
    *data = lookup_->data();
    *size = lookup_->size();
    return true;
  }
  const std::uint8_t* buildImage() override {
    buildProgramImage(*def_, *image_);
    return image_->bytes;
  }

 private:
  std::string port_;
  ApplicationDefinition* def_;  // the builder normalises it in place, as the desktop does
  const std::vector<std::uint8_t>* lookup_;
  std::unique_ptr<ProgramImage> image_ = std::make_unique<ProgramImage>();
};

int runTransferDownload(const char* command, const LinkOptions& options, DownloadHost& host,
                        DownloadSettings settings, CliIo& io) {
  Transfer transfer(io);
  if (options.retries >= 0) transfer.ui.answerYesTimes(options.retries);
  settings.baudRateIndex = options.baudRateIndex;
  settings.cradle = options.cradle;
  const bool done = runDownload(transfer.link, transfer.ui, host, settings);
  if (done) return kExitDone;
  if (transfer.stop.requested()) return transfer.interrupted(command, io);
  if (!transfer.reportHangUp(command, options.port, io)) transfer.explainOpenFailure(command, options.port, io);
  return kExitFailed;
}

}  // namespace

int runDownloadCommand(const ParsedArgs& args, CliIo& io) {
  LinkOptions options;
  if (!parseLinkOptions("download", args, options, io)) return kExitUsage;
  auto def = std::make_unique<ApplicationDefinition>();
  const IncompleteDesign incomplete = args.has("--allow-incomplete") ? IncompleteDesign::Warn : IncompleteDesign::Refuse;
  if (!loadDesign(args.positionals[0], *def, io, incomplete)) return kExitUsage;
  CliDownloadHost host(options.port, def.get(), nullptr);
  DownloadSettings settings;
  settings.mode = DownloadMode::Application;
  char tag[sizeof def->versionTag + 1] = {};
  std::memcpy(tag, def->versionTag, sizeof def->versionTag);
  settings.versionTag = tag;
  return runTransferDownload("download", options, host, settings, io);
}

int runLookupCommand(const ParsedArgs& args, CliIo& io) {
  LinkOptions options;
  if (!parseLinkOptions("lookup", args, options, io)) return kExitUsage;
  const std::string& path = args.positionals[0];
  std::vector<std::uint8_t> bytes;
  std::string error;
  ConsoleLinkUi ui(io.err, false, nullptr, nullptr);
  bool opened = false;
  if (!readWholeFile(path, bytes, kMaxLookupFileSize, error, &opened)) {
    // The reason first; the desktop's message only where it is true.
    io.err << "torvik-cli lookup: " << error << "\n";
    if (!opened) ui.show(kStrError, kStrCannotOpenFile, BoxIcon::Exclamation);
    return kExitUsage;
  }
  // Refused before the port opens, as the desktop program does: nothing goes out.
  if (const long tooLong = findOverlongLookupLine(bytes.data(), bytes.size())) {
    ui.showNumber(kStrError, kStrLookupLineTooLong, BoxIcon::Exclamation, tooLong);
    io.err << "torvik-cli lookup: " << inputName(path) << ":" << tooLong << ": longer than " << kMaxLookupLine << " characters\n";
    return kExitUsage;
  }
  // Sent as it is, a file of line-feed line ends would reach the terminal as one long record.
  if (const long joined = findLineFeedEndedLine(bytes.data(), bytes.size())) {
    ui.showNumber(kStrError, kStrLookupLineFeeds, BoxIcon::Exclamation, joined);
    io.err << "torvik-cli lookup: " << inputName(path) << ":" << joined
           << ": lines end in a line feed alone; the terminal needs CR LF (or CR) line ends\n";
    return kExitUsage;
  }
  CliDownloadHost host(options.port, nullptr, &bytes);
  DownloadSettings settings;
  settings.mode = DownloadMode::Lookup;
  return runTransferDownload("lookup", options, host, settings, io);
}

int runReceiveCommand(const ParsedArgs& args, CliIo& io) {
  LinkOptions options;
  if (!parseLinkOptions("receive", args, options, io)) return kExitUsage;
  const std::string& path = args.positionals[0];
  ReceivedFile file;
  std::string error;
  {
    ConsoleLinkUi ui(io.err, false, nullptr, nullptr);
    if (!file.open(path, args.has("--new") ? ReceivedFile::Mode::New : ReceivedFile::Mode::Append, error)) {
      ui.show(kStrError, kStrFileCreateFailed, BoxIcon::None);
      io.err << "torvik-cli receive: " << error << "\n";
      return kExitUsage;
    }
  }
  Transfer transfer(io);
  if (!transfer.link.open(SerialLink::OpenFor::Receive, options.port.c_str(), options.baudRateIndex, options.cradle, transfer.ui)) {
    if (!transfer.reportHangUp("receive", options.port, io)) transfer.explainOpenFailure("receive", options.port, io);
    file.finish(false, error);
    return transfer.stop.requested() ? transfer.interrupted("receive", io) : kExitFailed;
  }
  FileRecordSink sink(file, file.startSize());
  const ReceiveResult result = receiveRecords(transfer.link, transfer.ui, sink);
  transfer.reportHangUp("receive", options.port, io);
  transfer.link.close(SerialLink::OpenFor::Receive);
  // The desktop's "File open/create failed!" does not say why; a script's log should.
  if (result.end == ReceiveResult::End::WriteFailed)
    io.err << "torvik-cli receive: " << path << ": " << file.failure() << "\n";
  bool view = false;
  const bool keep = finishReceive(result, transfer.ui, &view);
  const bool placed = file.finish(keep, error);
  if (!placed) io.err << "torvik-cli receive: " << error << "\n";
  io.out << result.count << (result.count == 1 ? " record" : " records") << " received\n";
  if (result.end == ReceiveResult::End::WriteFailed || !placed) return kExitUsage;
  if (result.end == ReceiveResult::End::Over) return kExitDone;
  if (transfer.stop.requested()) return transfer.interrupted("receive", io);
  return kExitFailed;
}

}  // namespace torvik
