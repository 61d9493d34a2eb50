#pragma once
// The host's command language: one command per line, one answer line each,
// beginning with "ok" or "fail". See e2e_host.cpp for the list.
#include <string>

#include "tests/e2e/host_processes.h"
#include "tests/e2e/host_windows.h"

namespace e2e {

class Host {
 public:
  Host();
  ~Host() { processes_.KillAll(); }
  // Runs one command line and returns its answer; sets quit on "quit".
  std::string Run(const std::string& line, bool& quit);

 private:
  TestWindows windows_;
  Processes processes_;
  // A window of the host's own that lives as long as it: "reset" brings it to
  // the front first, because Wine without a window manager takes about two
  // seconds over destroying the foreground window.
  TestWindows home_;
};

}  // namespace e2e
