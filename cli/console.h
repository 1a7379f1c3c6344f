#pragma once
// The console the program runs in.
#include <cstdio>
#include <streambuf>

namespace torvik {

// Whether `stream` is a terminal: progress is drawn there and left out of pipes and files.
bool isTerminal(std::FILE* stream);

// Makes standard output take bytes as they are (Windows would turn each LF into CR LF);
// for a binary written to "-".
void makeStandardOutputBinary();

// Standard output as a stream buffer that keeps the system's reason when a write fails (a
// full disk, a closed pipe), for the message that says so.
class StandardOutput : public std::streambuf {
 public:
  StandardOutput();
  ~StandardOutput() override;
  StandardOutput(const StandardOutput&) = delete;
  StandardOutput& operator=(const StandardOutput&) = delete;

  // The errno of the write that failed; 0 while all went out.
  const int* error() const { return &error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool drain();

  int error_ = 0;
  char buffer_[65536];
};

}  // namespace torvik
