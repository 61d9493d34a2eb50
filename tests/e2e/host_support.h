#pragma once
// Small pieces every part of the end-to-end host uses: an owned kernel
// handle, a monotonic stopwatch, UTF-8 to and from the wide calls, servicing this thread's messages while
// waiting (so the host's own windows stay responsive and its view of the
// keyboard stays current), and the words of a command line.
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_handles.h"

namespace e2e {

using OwnedHandle = platform::win32::OwnedHandle;

// Elapsed time on a monotonic clock, in milliseconds.
class Stopwatch {
 public:
  double Ms() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Dispatches every message waiting for this thread.
void Pump();

// Services messages for the given time.
void PumpFor(int ms);

// The poll interval for costly conditions (a process snapshot, a walk of all
// windows), which would only take the machine from the program under test.
inline constexpr int kSlowPollMs = 20;

// Services messages until the condition holds (true) or the time is up
// (false). The condition is tested at least once, then every pollMs: 1 ms
// where a wait is measured, kSlowPollMs where the test itself is costly.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs, int pollMs = 1) {
  const Stopwatch clock;
  for (;;) {
    Pump();
    if (condition()) return true;
    if (clock.Ms() >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(pollMs), QS_ALLINPUT);
  }
}

// Commands and answers are UTF-8; windows are read and written through the
// wide calls, so that no character becomes a question mark on the way.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

std::string Hex(HWND hwnd);
HWND ParseHwnd(const std::string& text);
std::string Ms(double ms);

// Sent with a time limit, for windows of another process that may hang.
inline bool Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, result ? result : &ignored) != 0;
}

inline std::string Ok(const std::string& detail = {}) { return detail.empty() ? "ok" : "ok " + detail; }
inline std::string Fail(const std::string& detail) { return "fail " + detail; }

// The words of a command line. Rest(n) is the text from the (n+1)-th word on,
// spaces inside it kept, for titles; Raw(n) is everything after the one space
// that follows the n-th word, so an answer may begin with a space.
class Args {
 public:
  explicit Args(std::string line) : line_(std::move(line)) {
    for (std::size_t at = 0; (at = line_.find_first_not_of(' ', at)) != std::string::npos; at = line_.find(' ', at))
      starts_.push_back(at);
  }
  std::string operator[](std::size_t i) const {
    return i < starts_.size() ? line_.substr(starts_[i], line_.find(' ', starts_[i]) - starts_[i]) : std::string();
  }
  int Int(std::size_t i) const { return std::atoi((*this)[i].c_str()); }
  DWORD Pid(std::size_t i) const { return static_cast<DWORD>(std::strtoul((*this)[i].c_str(), nullptr, 10)); }
  std::string Rest(std::size_t n) const { return n < starts_.size() ? line_.substr(starts_[n]) : std::string(); }
  std::string Raw(std::size_t n) const {
    const std::size_t space = n == 0 || n > starts_.size() ? std::string::npos : line_.find(' ', starts_[n - 1]);
    return space == std::string::npos ? std::string() : line_.substr(space + 1);
  }

 private:
  std::string line_;
  std::vector<std::size_t> starts_;
};

}  // namespace e2e
