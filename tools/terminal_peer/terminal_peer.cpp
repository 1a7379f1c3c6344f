// The terminal peer: plays the handheld terminal and its infrared cradle on the master side
// of a pseudo-terminal, so the real program (under Wine) can download to it and receive from
// it. It checks every block and line, stores what it received, sends scripted records,
// answers the cradle only at its rate, paces its bytes at the line rate when asked and
// injects the faults that the tests need. At the end it writes a key=value result file.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "link/download.h"
#include "link/receive.h"

namespace {

volatile sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

double now() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void sleepUntil(double when) {
  const double wait = when - now();
  if (wait <= 0) return;
  timespec t{static_cast<time_t>(wait), static_cast<long>((wait - static_cast<double>(static_cast<time_t>(wait))) * 1e9)};
  nanosleep(&t, nullptr);
}

std::uint32_t rateOf(speed_t s) {
  switch (s) {
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
  }
}

std::uint32_t rateOfCode(std::uint8_t code) {
  static const std::uint32_t kRates[] = {9600, 19200, 38400, 57600, 115200};
  return code >= '2' && code <= '6' ? kRates[code - '2'] : 0;
}

struct Options {
  std::string ptyLink;
  std::string mode = "app";  // app, lookup, receive, cradle (answers only the cradle)
  std::string result;
  std::string image;
  std::string lookupOut;
  std::string recordsFile;
  int recordCount = 0;
  std::uint32_t cradleRate = 0;  // 0: a plain cable, no cradle
  bool pace = false;
  std::string hello = "T900RU004";
  bool silent = false;
  int fullAt = -1;
  int garbage = 0;
  int badCheck = -1;
  int repeat = -1;
  int lostAck = -1;
  int stopAfter = -1;
  bool hangUp = false;  // at --stop-after the line hangs up (the master closes) instead of falling silent
  double timeout = 120;
};

class Peer {
 public:
  explicit Peer(const Options& o) : opt_(o) {}

  bool openPty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return false;
    const char* name = ptsname(master_);
    if (name == nullptr) return false;
    // Held open so the line stays up between the program's opens and its rate can be read.
    // It is made the peer's own controlling terminal: otherwise the wineserver, a session
    // leader without one, takes it when it opens the port and gets a hangup when we exit.
    setsid();
    slave_ = open(name, O_RDWR);
    if (slave_ < 0) return false;
    ioctl(slave_, TIOCSCTTY, 0);
    termios t;
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    unlink(opt_.ptyLink.c_str());
    if (symlink(name, opt_.ptyLink.c_str()) != 0) return false;
    std::printf("%s\n", name);
    std::fflush(stdout);
    return true;
  }

  void loadRecords() {
    if (!opt_.recordsFile.empty()) {
      std::ifstream in(opt_.recordsFile);
      std::string line;
      while (std::getline(in, line)) records_.push_back(line);
    }
    for (int i = 0; i < opt_.recordCount; ++i) {
      char r[64];
      std::snprintf(r, sizeof r, "%06d,4006381333931,%d", i + 1, i % 97 + 1);
      records_.push_back(r);
    }
  }

  void run() {
    double lastByte = now();
    const double start = now();
    while (!stopRequested && !done_) {
      if (now() - start > opt_.timeout) break;
      pollfd p{master_, POLLIN, 0};
      const int r = poll(&p, 1, 50);
      if (r > 0 && (p.revents & POLLIN)) {
        std::uint8_t buffer[4096];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) {
          const double t = now();
          if (opt_.pace && lineRate() != 0)
            rxFreeAt_ = std::max(t, rxFreeAt_) + static_cast<double>(n) * 10.0 / lineRate();
          count("bytes_received", n);
          for (ssize_t i = 0; i < n; ++i) take(buffer[i], t - lastByte);
          lastByte = t;
        }
      }
    }
    // Let the last reply drain before the pty goes away.
    usleep(200000);
  }

  void writeResult() const {
    if (opt_.result.empty()) return;
    std::FILE* f = std::fopen(opt_.result.c_str(), "w");
    if (f == nullptr) return;
    for (const auto& [key, value] : counts_) std::fprintf(f, "%s=%ld\n", key.c_str(), value);
    std::fprintf(f, "final_rate=%u\n", lineRate());
    std::fprintf(f, "done=%d\n", done_ ? 1 : 0);
    std::fclose(f);
  }

 private:
  enum class State { Idle, CradleCode, CradleQuit, Blocks, Lines, Records, Silent };

  std::uint32_t lineRate() const {
    termios t;
    if (tcgetattr(slave_, &t) != 0) return 0;
    return rateOf(cfgetispeed(&t));
  }

  void count(const char* key, long by = 1) { counts_[key] += by; }

  void send(const std::string& bytes) {
    if (opt_.pace && lineRate() != 0) {
      // A reply cannot start before the request has crossed the line.
      sleepUntil(rxFreeAt_);
    }
    std::size_t at = 0;
    while (at < bytes.size()) {
      const ssize_t n = write(master_, bytes.data() + at, bytes.size() - at);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      at += static_cast<std::size_t>(n);
    }
    if (opt_.pace && lineRate() != 0) sleepUntil(now() + static_cast<double>(bytes.size()) * 10.0 / lineRate());
    count("bytes_sent", static_cast<long>(bytes.size()));
  }

  // The cradle passes bytes only at its own rate; at another one they arrive as garbage.
  bool atCradleRate() const { return opt_.cradleRate == 0 || lineRate() == cradleRate_; }

  void take(std::uint8_t b, double gap) {
    if (state_ == State::Blocks && gap > 2.0) resetToIdle();
    if (state_ == State::Lines && gap > 2.0) resetToIdle();
    if (state_ == State::Blocks && !packet_.empty() && gap > 0.5) packet_.clear();
    switch (state_) {
      case State::Idle: takeIdle(b); break;
      case State::CradleCode:
        pendingRate_ = rateOfCode(b);
        state_ = State::CradleQuit;
        break;
      case State::CradleQuit:
        if (b == 'Q' && pendingRate_ != 0) {
          cradleRate_ = pendingRate_;
          counts_["cradle_switched_to"] = cradleRate_;
        }
        state_ = State::Idle;
        break;
      case State::Blocks: takeBlockByte(b); break;
      case State::Lines: takeLineByte(b); break;
      case State::Records: takeRecordReply(b); break;
      case State::Silent: break;
    }
  }

  void resetToIdle() {
    state_ = State::Idle;
    packet_.clear();
    line_.clear();
  }

  void takeIdle(std::uint8_t b) {
    if (opt_.cradleRate != 0 && line_.empty() && (b == 0x0F || b == 0x07)) {
      if (b == 0x0F) {
        count("cradle_probes");
        if (lineRate() == cradleRate_) {
          count("cradle_answers");
          send(std::string(1, '\x0F'));
        }
      } else if (lineRate() == cradleRate_) {
        state_ = State::CradleCode;
      }
      return;
    }
    if (!atCradleRate()) {
      count("rate_mismatch_bytes");
      return;
    }
    if (b != '\r') {
      if (line_.size() < 300) line_.push_back(static_cast<char>(b));
      return;
    }
    const std::string line = line_;
    line_.clear();
    if (line == "QUELLO") {
      count("hello_count");
      if (opt_.silent) return;
      if (opt_.mode == "app") {
        send(opt_.hello + "\r");
        if (opt_.hello.find("T900RU004") != std::string::npos) startBlocks();
      } else if (opt_.mode == "lookup") {
        send("ACK\r");
        state_ = State::Lines;
        lookup_.clear();
      }
    } else if (line == "READ") {
      count("read_count");
      if (opt_.silent || opt_.mode != "receive") return;
      send("ACK\r");
      state_ = State::Records;
      current_ = 0;
      badDone_ = opt_.badCheck == 0;
      sendRecord(opt_.badCheck == 0);
    } else if (line == "NAK") {
      count("nak_received");
    } else {
      count("unknown_lines");
    }
  }

  void startBlocks() {
    state_ = State::Blocks;
    packet_.clear();
    image_.assign(torvik::kImageSize, 0);
    blocksSeen_.assign(torvik::kImageBlockCount, false);
    garbageLeft_ = opt_.garbage;
  }

  void takeBlockByte(std::uint8_t b) {
    if (!atCradleRate()) {
      count("rate_mismatch_bytes");
      return;
    }
    packet_.push_back(b);
    if (packet_.size() < torvik::kBlockPacketSize) return;
    unsigned sum = 0;
    for (std::size_t i = 0; i < 100; ++i) sum += packet_[i];
    const int n = packet_[102];
    const bool sound = packet_[100] == sum / 256 && packet_[101] == sum % 256 && n < torvik::kImageBlockCount;
    std::vector<std::uint8_t> packet;
    packet.swap(packet_);
    if (!sound) {
      count("block_errors");
      send("NAK\r");
      return;
    }
    if (opt_.stopAfter >= 0 && n > opt_.stopAfter) {
      stopLine();
      return;
    }
    if (n == opt_.fullAt) {
      count("full_sent");
      send("FULL\r");
      resetToIdle();
      return;
    }
    if (garbageLeft_ > 0) {
      --garbageLeft_;
      count("garbage_sent");
      send("?#!\r");
      return;
    }
    std::memcpy(image_.data() + static_cast<std::size_t>(n) * 100, packet.data(), 100);
    if (blocksSeen_[n]) count("blocks_repeated");
    blocksSeen_[n] = true;
    count("blocks_ok");
    send("ACK\r");
    if (n == torvik::kImageBlockCount - 1) {
      bool all = true;
      for (bool seen : blocksSeen_) all = all && seen;
      if (all && !opt_.image.empty()) {
        std::ofstream out(opt_.image, std::ios::binary);
        out.write(reinterpret_cast<const char*>(image_.data()), static_cast<std::streamsize>(image_.size()));
        count("image_written");
      }
      finish();
    }
  }

  void takeLineByte(std::uint8_t b) {
    if (!atCradleRate()) {
      count("rate_mismatch_bytes");
      return;
    }
    if (b != '\r') {
      packet_.push_back(b);
      return;
    }
    std::vector<std::uint8_t> packet;
    packet.swap(packet_);
    if (packet == std::vector<std::uint8_t>{'O', 'V', 'E', 'R'}) {
      count("over_received");
      send("ACK\r");
      if (!opt_.lookupOut.empty()) {
        std::ofstream out(opt_.lookupOut, std::ios::binary);
        out << lookup_;
      }
      finish();
      return;
    }
    if (packet.size() < 2) {
      count("line_errors");
      send("NAK\r");
      return;
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i + 2 < packet.size(); ++i) sum += packet[i];
    if (packet[packet.size() - 2] != torvik::lineCheckByte(sum >> 8) ||
        packet[packet.size() - 1] != torvik::lineCheckByte(sum)) {
      count("line_errors");
      send("NAK\r");
      return;
    }
    count("lookup_lines");
    if (opt_.fullAt >= 0 && counts_["lookup_lines"] > opt_.fullAt) {
      send("FULL\r");
      resetToIdle();
      return;
    }
    lookup_.append(packet.begin(), packet.end() - 2);
    lookup_ += "\r\n";
    send("ACK\r");
  }

  void sendRecord(bool corrupt) {
    if (current_ >= records_.size()) {
      send("OVER\r");
      count("over_sent");
      return;
    }
    const std::string& data = records_[current_];
    std::vector<std::uint8_t> line(data.size() + 4);
    torvik::makeRecordLine(static_cast<std::uint8_t>(current_ % 10), reinterpret_cast<const std::uint8_t*>(data.data()),
                           data.size(), line.data());
    if (corrupt) line[line.size() - 3] ^= 0x01;
    send(std::string(line.begin(), line.end()));
    count("record_sends");
  }

  void takeRecordReply(std::uint8_t b) {
    if (!atCradleRate()) {
      count("rate_mismatch_bytes");
      return;
    }
    if (b != '\r') {
      line_.push_back(static_cast<char>(b));
      return;
    }
    const std::string reply = line_;
    line_.clear();
    if (current_ >= records_.size()) {
      // The answer to OVER; the program sends none, but a stray one ends nothing.
      return;
    }
    if (reply == "ACK") {
      const int n = static_cast<int>(current_);
      count("records_acked");
      if (n == opt_.lostAck && !lostDone_) {
        // As if the acknowledgement had not arrived: the same record again.
        lostDone_ = true;
        sendRecord(false);
        return;
      }
      if (n == opt_.repeat && !repeatDone_) {
        repeatDone_ = true;
        sendRecord(false);
        return;
      }
      ++current_;
      if (opt_.stopAfter >= 0 && static_cast<int>(current_) >= opt_.stopAfter) {
        stopLine();
        return;
      }
      const bool corrupt = static_cast<int>(current_) == opt_.badCheck && !badDone_;
      if (corrupt) badDone_ = true;
      sendRecord(corrupt);
      if (current_ >= records_.size()) finish();
    } else if (reply == "NAK") {
      count("naks_received");
      sendRecord(false);
    } else {
      count("unknown_replies");
    }
  }

  void finish() { done_ = true; }

  // What --stop-after does: the terminal falls silent, or with --hang-up the line goes away
  // as when a USB adapter is pulled.
  void stopLine() {
    state_ = State::Silent;
    if (!opt_.hangUp) return;
    count("hung_up");
    close(master_);
    master_ = -1;
    finish();
  }

  Options opt_;
  int master_ = -1;
  int slave_ = -1;
  State state_ = State::Idle;
  std::string line_;
  std::vector<std::uint8_t> packet_;
  std::vector<std::uint8_t> image_;
  std::vector<bool> blocksSeen_;
  std::string lookup_;
  std::vector<std::string> records_;
  std::size_t current_ = 0;
  std::map<std::string, long> counts_;
  std::uint32_t cradleRate_ = 0;
  std::uint32_t pendingRate_ = 0;
  double rxFreeAt_ = 0;
  int garbageLeft_ = 0;
  bool lostDone_ = false;
  bool repeatDone_ = false;
  bool badDone_ = false;
  bool done_ = false;

 public:
  void setInitialCradleRate() { cradleRate_ = opt_.cradleRate; }
  Options& options() { return opt_; }
};

void usage() {
  std::fprintf(stderr,
               "usage: terminal_peer --pty-link PATH [--mode app|lookup|receive|cradle] [--result FILE]\n"
               "  [--image FILE] [--lookup-out FILE] [--records FILE] [--record-count N]\n"
               "  [--cradle-rate BPS] [--pace] [--hello TEXT] [--silent] [--full-at N] [--garbage N]\n"
               "  [--bad-check K] [--repeat K] [--lost-ack K] [--stop-after K [--hang-up]]\n"
               "  [--timeout SECONDS]\n");
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        usage();
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--pty-link") o.ptyLink = value();
    else if (a == "--mode") o.mode = value();
    else if (a == "--result") o.result = value();
    else if (a == "--image") o.image = value();
    else if (a == "--lookup-out") o.lookupOut = value();
    else if (a == "--records") o.recordsFile = value();
    else if (a == "--record-count") o.recordCount = std::atoi(value().c_str());
    else if (a == "--cradle-rate") o.cradleRate = static_cast<std::uint32_t>(std::atol(value().c_str()));
    else if (a == "--pace") o.pace = true;
    else if (a == "--hello") o.hello = value();
    else if (a == "--silent") o.silent = true;
    else if (a == "--full-at") o.fullAt = std::atoi(value().c_str());
    else if (a == "--garbage") o.garbage = std::atoi(value().c_str());
    else if (a == "--bad-check") o.badCheck = std::atoi(value().c_str());
    else if (a == "--repeat") o.repeat = std::atoi(value().c_str());
    else if (a == "--lost-ack") o.lostAck = std::atoi(value().c_str());
    else if (a == "--stop-after") o.stopAfter = std::atoi(value().c_str());
    else if (a == "--hang-up") o.hangUp = true;
    else if (a == "--timeout") o.timeout = std::atof(value().c_str());
    else {
      usage();
      return 2;
    }
  }
  if (o.ptyLink.empty()) {
    usage();
    return 2;
  }
  signal(SIGTERM, onSignal);
  signal(SIGINT, onSignal);
  signal(SIGHUP, SIG_IGN);
  // Pacing sleeps are a few hundred microseconds; the default 50 us of timer slack on each
  // would show up in the benchmark as the program's delay.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
  Peer peer(o);
  if (!peer.openPty()) {
    std::perror("terminal_peer: pty");
    return 1;
  }
  peer.setInitialCradleRate();
  peer.loadRecords();
  peer.run();
  peer.writeResult();
  return 0;
}
