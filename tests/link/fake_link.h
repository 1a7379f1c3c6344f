#pragma once
// A scripted serial port on a virtual clock, and a user interface that records what it
// was shown and answers from a script: every protocol runs in microseconds.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/link_ui.h"
#include "link/serial_port.h"
#include "base/clock.h"

namespace torvik::test {

struct Written {
  std::uint32_t at;
  std::vector<std::uint8_t> bytes;
  CommState state;  // the state in force when the bytes went out
  std::string text() const { return std::string(bytes.begin(), bytes.end()); }
};

class FakePort : public SerialPort {
 public:
  explicit FakePort(VirtualClock& clock) : clock_(clock) {}

  // The terminal: called with each write; it answers through `arrive`.
  std::function<void(FakePort&, const Written&)> terminal;

  // Queues bytes that arrive `delayMs` from now.
  void arrive(const std::string& bytes, std::uint32_t delayMs = 1) {
    for (char c : bytes) incoming_.push_back({clock_.now + delayMs, static_cast<std::uint8_t>(c)});
  }
  void arriveBytes(const std::vector<std::uint8_t>& bytes, std::uint32_t delayMs = 1) {
    for (std::uint8_t c : bytes) incoming_.push_back({clock_.now + delayMs, c});
  }
  std::size_t pending() const { return incoming_.size(); }

  bool failOpen = false;
  bool failSetState = false;
  int failingReads = 0;  // the next reads that fail at once
  bool stop = false;     // the user's stop: every read fails at once
  bool isOpen = false;
  std::string openedName;
  int opens = 0;
  int closes = 0;
  std::vector<CommState> applied;
  CommState current{};  // the state last applied: what the line runs at
  CommTimeouts timeouts{};
  std::vector<std::pair<bool, bool>> purges;
  std::uint32_t inputQueue = 0;
  std::uint32_t outputQueue = 0;
  std::vector<Written> writes;

  bool open(const char* name) override {
    openedName = name != nullptr ? name : "(null)";
    if (failOpen) return false;
    ++opens;
    isOpen = true;
    return true;
  }
  void close() override {
    ++closes;
    isOpen = false;
  }
  bool setupQueues(std::uint32_t in, std::uint32_t out) override {
    inputQueue = in;
    outputQueue = out;
    return true;
  }
  bool setState(const CommState& s) override {
    applied.push_back(s);
    if (failSetState) return false;
    current = s;
    return true;
  }
  bool getTimeouts(CommTimeouts& t) override {
    t = timeouts;
    return true;
  }
  bool setTimeouts(const CommTimeouts& t) override {
    timeouts = t;
    return true;
  }
  bool purge(bool tx, bool rx) override {
    purges.push_back({tx, rx});
    if (rx)
      while (!incoming_.empty() && incoming_.front().first <= clock_.now) incoming_.pop_front();
    return true;
  }
  bool write(const std::uint8_t* data, std::size_t count, std::uint32_t) override {
    writes.push_back({clock_.now, std::vector<std::uint8_t>(data, data + count), current});
    if (terminal) terminal(*this, writes.back());
    return true;
  }
  // Like the real port: waits for the first byte, then takes every byte that is there.
  long read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) override {
    ++reads;
    if (stop) return -1;
    if (failingReads > 0) {
      --failingReads;
      return -1;
    }
    if (incoming_.empty() || incoming_.front().first > clock_.now + waitMs) {
      clock_.now += waitMs;
      return 0;
    }
    if (incoming_.front().first > clock_.now) clock_.now = incoming_.front().first;
    std::size_t n = 0;
    while (n < capacity && !incoming_.empty() && incoming_.front().first <= clock_.now) {
      buffer[n++] = incoming_.front().second;
      incoming_.pop_front();
    }
    return static_cast<long>(n);
  }
  int reads = 0;
  bool stopped() override { return stop; }

  // The writes whose text equals `text`.
  int countWrites(const std::string& text) const {
    int n = 0;
    for (const Written& w : writes) n += w.text() == text;
    return n;
  }

 private:
  VirtualClock& clock_;
  std::deque<std::pair<std::uint32_t, std::uint8_t>> incoming_;
};

struct Shown {
  int caption;
  int text;
  BoxIcon icon;
  long number;  // -1 when the text takes none
  bool operator==(const Shown& o) const {
    return caption == o.caption && text == o.text && icon == o.icon && number == o.number;
  }
};

class RecordingUi : public LinkUi {
 public:
  std::vector<Shown> shown;
  std::deque<bool> answers;  // for ask(); No when the script has run out
  bool viewAnswer = false;
  int viewCount = -1;
  bool progressShowing = false;
  int progressOpens = 0;
  std::vector<int> progress;
  std::vector<int> counter;
  bool counterShowing = false;

  void show(int c, int t, BoxIcon i) override { shown.push_back({c, t, i, -1}); }
  void showNumber(int c, int t, BoxIcon i, long n) override { shown.push_back({c, t, i, n}); }
  bool ask(int c, int t, BoxIcon i) override {
    shown.push_back({c, t, i, -1});
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  bool askViewReceived(int count) override {
    viewCount = count;
    return viewAnswer;
  }
  void progressOpen() override {
    progressShowing = true;
    ++progressOpens;
  }
  void progressSet(int p) override { progress.push_back(p); }
  void progressClose() override { progressShowing = false; }
  void counterBegin() override { counterShowing = true; }
  void counterUpdate(int n) override { counter.push_back(n); }
  void counterEnd() override { counterShowing = false; }

  std::vector<int> texts() const {
    std::vector<int> t;
    for (const Shown& s : shown) t.push_back(s.text);
    return t;
  }
};

}  // namespace torvik::test
