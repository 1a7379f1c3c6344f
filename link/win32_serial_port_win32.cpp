#include "link/win32_serial_port_win32.h"

#include <cstdio>

namespace torvik {

Win32SerialPort::Win32SerialPort() { event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr); }

Win32SerialPort::~Win32SerialPort() {
  close();
  if (event_ != nullptr) CloseHandle(event_);
}

bool Win32SerialPort::open(const char* name) {
  close();
  // "\\.\" reaches ports above COM9 too, whose plain names the system does not resolve.
  char path[32];
  std::snprintf(path, sizeof path, "\\\\.\\%s", name);
  if (event_ == nullptr) return false;  // overlapped I/O needs it
  handle_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  return handle_ != INVALID_HANDLE_VALUE;
}

void Win32SerialPort::close() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool Win32SerialPort::setupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) {
  return SetupComm(handle_, inputBytes, outputBytes) != 0;
}

bool Win32SerialPort::setState(const CommState& s) {
  // Built from zero every time: the link's record is the only state, never the port's.
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  dcb.fBinary = TRUE;  // Windows supports nothing else
  dcb.BaudRate = s.baudRate;
  dcb.ByteSize = s.byteSize;
  dcb.Parity = s.parity;
  dcb.StopBits = s.stopBits;
  dcb.fDtrControl = s.dtrEnable ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  dcb.fRtsControl = s.rtsEnable ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
  dcb.fOutxCtsFlow = s.outxCtsFlow;
  dcb.fOutX = s.outX;
  // Windows refuses a record whose XON and XOFF characters are equal, even with XON/XOFF
  // off; the usual pair changes nothing on the line.
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  return SetCommState(handle_, &dcb) != 0;
}

bool Win32SerialPort::getTimeouts(CommTimeouts& t) {
  COMMTIMEOUTS c{};
  if (!GetCommTimeouts(handle_, &c)) return false;
  t = {c.ReadIntervalTimeout, c.ReadTotalTimeoutMultiplier, c.ReadTotalTimeoutConstant,
       c.WriteTotalTimeoutMultiplier, c.WriteTotalTimeoutConstant};
  return true;
}

bool Win32SerialPort::setTimeouts(const CommTimeouts& t) {
  COMMTIMEOUTS c{t.readInterval, t.readMultiplier, t.readConstant, t.writeMultiplier, t.writeConstant};
  return SetCommTimeouts(handle_, &c) != 0;
}

bool Win32SerialPort::purge(bool transmit, bool receive) {
  const DWORD flags = (transmit ? PURGE_TXCLEAR : 0u) | (receive ? PURGE_RXCLEAR : 0u);
  return PurgeComm(handle_, flags) != 0;
}

bool Win32SerialPort::stopped() { return stop_ != nullptr && WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

bool Win32SerialPort::finish(OVERLAPPED& ov, DWORD waitMs, DWORD* moved, bool stoppable) {
  const HANDLE events[2] = {event_, stop_};
  const DWORD woke = WaitForMultipleObjects(stoppable && stop_ != nullptr ? 2 : 1, events, FALSE, waitMs);
  if (woke == WAIT_OBJECT_0) return GetOverlappedResult(handle_, &ov, moved, FALSE) != 0;
  // Left pending, the operation would take the next byte that arrives.
  CancelIo(handle_);
  *moved = 0;
  GetOverlappedResult(handle_, &ov, moved, TRUE);
  return woke != WAIT_OBJECT_0 + 1;  // a stop fails the operation
}

bool Win32SerialPort::write(const std::uint8_t* data, std::size_t count, std::uint32_t limitMs) {
  if (handle_ == INVALID_HANDLE_VALUE) return false;
  OVERLAPPED ov{};
  ov.hEvent = event_;
  ResetEvent(event_);
  DWORD written = 0;
  if (!WriteFile(handle_, data, static_cast<DWORD>(count), &written, &ov)) {
    if (GetLastError() != ERROR_IO_PENDING) return false;
    if (!finish(ov, limitMs, &written, false)) return false;
  }
  return written == count;
}

long Win32SerialPort::read(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) {
  if (handle_ == INVALID_HANDLE_VALUE || stopped()) return -1;
  const DWORD start = GetTickCount();
  for (;;) {
    OVERLAPPED ov{};
    ov.hEvent = event_;
    ResetEvent(event_);
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(capacity), &got, &ov)) {
      if (GetLastError() != ERROR_IO_PENDING) return -1;
      const DWORD spent = GetTickCount() - start;
      if (!finish(ov, spent < waitMs ? waitMs - spent : 0, &got, true)) return -1;
      return static_cast<long>(got);
    }
    if (got > 0) return static_cast<long>(got);
    // Windows completes "return at once" reads with nothing; wait a little and ask again
    // rather than spin.
    const DWORD spent = GetTickCount() - start;
    if (spent >= waitMs) return 0;
    if (stop_ == nullptr)
      Sleep(1);
    else if (WaitForSingleObject(stop_, 1) == WAIT_OBJECT_0)
      return -1;
  }
}

}  // namespace torvik
