// The end-to-end tests' hands and eyes on the Windows desktop. One host runs
// for a whole series of tests (Wine start-ups are slow); it reads commands on
// standard input, one per line, and answers each with one line beginning
// "ok" or "fail". While it waits for a command it keeps servicing its
// windows' messages.
//
//   make NAME OWNER|- TITLE      a top-level window of ours (owned by OWNER)
//   destroy NAME
//   activate NAME | activate-hwnd HEX | activate-pid PID
//   foreground                   handle, process and title of the foreground
//   keys                         lock keys as CNS digits, e.g. "100"
//   press caps|num|scroll        a user's press and release
//   setkeys PATTERN              press the keys that differ from PATTERN
//   waitkeys PATTERN MS          until the keys match ('x' = either): "ok CNS ms"
//   switch NAME PATTERN MS       activate NAME, then as waitkeys, timed from the
//                                activation request
//   steady PATTERN MS            the keys keep matching for the whole time
//   procs EXE | waitprocs EXE COUNT MS
//   spawn COMMANDLINE | kill PID | waitexit PID MS
//   waitwin PID EDIT MS PREFIX   a visible window of PID whose title begins with
//   nowin PID EDIT MS PREFIX       PREFIX (EDIT 1: with a text field, 0: without,
//                                  any); nowin fails if one shows up in time
//   waitgone PID EDIT MS PREFIX  until no such window is shown
//   close-hwnd HEX
//   icons | waiticons COUNT MS   tray icons in the shell
//   trayprune                    drop the icons of programs that are gone
//   trayclick ldbl|rup|...       a mouse message on the only tray icon
//   trayowner PID | traydelete PID | taskbarcreated
//   menu PID MS DOWNS            choose in PID's pop-up menu (0: Escape)
//   inputbox PID MS              describe PID's input box once it is up
//   answer PID ok|cancel TEXT    TEXT: all after the space that follows "ok"
//   endsession PID logoff|shutdown   "ok AGREED of WINDOWS"
//   settext HWND TEXT            the window's text box holds TEXT, selected
//   waittext HWND MS TEXT        until the text box holds TEXT
//   pasterich HWND RTF           RTF pasted into its rich-text box, selected
//   copyrich HWND                the rich text that box copies, on one line
//   holdhotkey MODS VK | freehotkeys ID...   a combination held by the host
//   waitatom MS NAME             until the global atom NAME exists
//   version                      the Windows version Wine reports
//   reset                        destroy our windows, end what we started
//   sleep MS | quit
//
// Started as "e2e_host --window TITLE" it only shows one window with that
// title; copied to a name ending in ".scr" it stands in for a screen saver.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <deque>
#include <mutex>
#include <string>

#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_support.h"
#include "tests/e2e/host_windows.h"

namespace {

// Lines from standard input, read on a thread of their own so that the main
// thread can keep servicing messages while no command is waiting.
class CommandReader {
 public:
  CommandReader() : ready_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
  CommandReader(const CommandReader&) = delete;
  CommandReader& operator=(const CommandReader&) = delete;

  bool Start() {
    HANDLE thread = ::CreateThread(nullptr, 0, &CommandReader::ThreadMain, this, 0, nullptr);
    if (thread == nullptr) return false;
    ::CloseHandle(thread);  // it ends with the process
    return true;
  }

  // The next line; false once input has ended and every line was taken.
  bool Next(std::string& line) {
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!lines_.empty()) {
          line = std::move(lines_.front());
          lines_.pop_front();
          return true;
        }
        if (ended_) return false;
      }
      HANDLE ready = ready_.get();
      ::MsgWaitForMultipleObjects(1, &ready, FALSE, INFINITE, QS_ALLINPUT);
      e2e::Pump();
    }
  }

 private:
  static DWORD WINAPI ThreadMain(void* self) {
    static_cast<CommandReader*>(self)->Read();
    return 0;
  }

  void Read() {
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[512];
    DWORD count = 0;
    while (::ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      pending.append(buffer, count);
      for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        std::string line = pending.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        pending.erase(0, end + 1);
        Push(std::move(line));
      }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    ::SetEvent(ready_.get());
  }

  void Push(std::string line) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back(std::move(line));
    ::SetEvent(ready_.get());
  }

  e2e::OwnedHandle ready_;
  std::mutex mutex_;
  std::deque<std::string> lines_;
  bool ended_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--window") {
    std::string title;
    for (int i = 2; i < argc; ++i) {
      if (i > 2) title += ' ';
      title += argv[i];
    }
    return e2e::RunSingleWindow(title);
  }

  // Answers end in a bare line feed, whatever the C runtime would make of it.
  _setmode(_fileno(stdout), _O_BINARY);
  CommandReader reader;
  if (!reader.Start()) return 1;
  e2e::Host host;
  std::printf("ok ready\n");
  std::fflush(stdout);
  std::string line;
  bool quit = false;
  while (!quit && reader.Next(line)) {
    if (line.empty()) continue;
    const std::string answer = host.Run(line, quit);
    std::printf("%s\n", answer.c_str());
    std::fflush(stdout);
  }
  return 0;
}
