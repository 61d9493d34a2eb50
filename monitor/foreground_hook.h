#pragma once
#include <cstdint>
#include <functional>

#include "platform/os_win_events.h"

// Tells the program as soon as another window comes to the front, where
// the system says so (not on Windows 95 or NT 4 without Active
// Accessibility, and Wine never does). It only asks for an evaluation: it
// runs inside whatever message retrieval handed out the event, so it must
// not wait on the lock keys itself; and activation is asynchronous, so the
// evaluation reads the foreground window afresh rather than trusting the
// event's. The fast tick stays, for the systems without the event and to
// confirm.
class clsForegroundHook {
 public:
  clsForegroundHook(platform::OsWinEvents& os, std::function<void()> evaluateSoon)
      : os_(os), evaluateSoon_(std::move(evaluateSoon)) {}
  clsForegroundHook(const clsForegroundHook&) = delete;
  clsForegroundHook& operator=(const clsForegroundHook&) = delete;

  // False when the system has no such hook or refuses it.
  bool Install();
  void Remove() { hook_.reset(); }
  bool Installed() const { return hook_.valid(); }

  void ForegroundProc(std::uint32_t event, platform::WindowHandle hwnd);

 private:
  platform::OsWinEvents& os_;
  std::function<void()> evaluateSoon_;
  platform::UniqueWinEventHook hook_;
};
