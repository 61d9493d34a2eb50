// The end-to-end tests' hands and eyes on the Windows desktop. One host runs
// for a whole series of tests (Wine start-ups are slow); it reads commands on
// standard input, one per line, and answers each with one line beginning
// "ok" or "fail". While it waits for a command it keeps servicing its
// windows' messages. Text in commands and answers (titles, a text box's
// text) is UTF-8.
//
//   make NAME OWNER|- TITLE      a top-level window of ours (owned by OWNER)
//   activate NAME | activate-hwnd HEX
//   foreground                   handle, process and title of the foreground
//   keys                         lock keys as CNS digits, e.g. "100"
//   press caps|num|scroll        a user's press and release
//   setkeys PATTERN              press the keys that differ from PATTERN
//   waitkeys PATTERN MS          until the keys match ('x' = either): "ok CNS ms"
//   switch NAME PATTERN MS       activate NAME, then as waitkeys, timed from the
//                                activation request
//   steady PATTERN MS            the keys keep matching for the whole time
//   waitprocs EXE COUNT MS       until COUNT run: "ok COUNT PID..."
//   spawn COMMANDLINE | kill PID | waitexit PID MS
//   waitwin PID EDIT MS PREFIX   a visible window of PID whose title begins with
//                                PREFIX (EDIT 1: with a text field, 0: without,
//                                form: one of the program's forms, any)
//   waitgone PID EDIT MS PREFIX  until no such window is shown
//   childtext PID CLASS WHICH    client rectangle on screen and text of a
//                                shown control (#N: the Nth of the class)
//   waiticons COUNT MS           until the shell has that many tray icons
//   trayprune                    drop the icons of programs that are gone
//   trayclick ldbl|rup|...       a mouse message on the only tray icon
//   traydelete PID | taskbarcreated
//   menu PID MS DOWNS            choose in PID's pop-up menu (0: Escape)
//   inputbox PID MS              describe PID's input box once it is up
//   answer PID ok|cancel TEXT    TEXT: all after the space that follows "ok"
//   msgbox PID MS [OK|Cancel|-]  a message box's text; presses OK, the named
//                                button, or nothing
//   endsession PID logoff|shutdown   "ok AGREED of WINDOWS"
//   settext HWND TEXT            the window's text box holds TEXT, selected
//   text HWND                    what the text box holds
//   waittext HWND MS TEXT        until the text box holds TEXT
//   pasterich HWND RTF           RTF pasted into its rich-text box, selected
//   copyrich HWND                the rich text that box copies, on one line
//   holdhotkey MODS VK | freehotkeys ID...   a combination held by the host
//   holdfile PATH | freefiles    files held open, sharing nothing
//   waitatom MS NAME             until the global atom NAME exists
//   version                      the Windows version Wine reports
//   reset                        destroy our windows, end what we started,
//                                let go of held files
//   sleep MS | quit
//
// Started as "e2e_host --window TITLE" it only shows one window with that
// title; copied to a name ending in ".scr" it stands in for a screen saver.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "tests/e2e/host_commands.h"

int main() {
  const std::string commandLine = e2e::Narrow(::GetCommandLineW());
  if (const auto at = commandLine.find(" --window "); at != std::string::npos) {
    HWND hwnd = e2e::MakeWindow(commandLine.substr(at + 10), nullptr, 0);
    while (::IsWindow(hwnd) && ::WaitMessage()) e2e::Pump();
    return hwnd != nullptr ? 0 : 1;
  }

  // Lines are read on a thread of their own, one at a time, so that this
  // thread keeps servicing its windows' messages while no command waits.
  static std::string line;
  static std::atomic<bool> ended = false;
  static const e2e::OwnedHandle ready(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  static const e2e::OwnedHandle taken(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  std::thread([] {
    while (std::getline(std::cin, line)) {
      ::SetEvent(ready.get());
      ::WaitForSingleObject(taken.get(), INFINITE);
    }
    ended = true;
    ::SetEvent(ready.get());
  }).detach();

  e2e::CommandTable table;
  e2e::AddWindowCommands(table);
  e2e::AddKeyCommands(table);
  e2e::AddShellCommands(table);
  e2e::AddProgramCommands(table);
  e2e::AddEditCommands(table);
  e2e::HostState host;
  // Answers end in a bare line feed, whatever the C runtime would make of it.
  _setmode(_fileno(stdout), _O_BINARY);
  std::printf("ok ready\n");
  std::fflush(stdout);
  while (!host.quit) {
    HANDLE wait = ready.get();
    while (::MsgWaitForMultipleObjects(1, &wait, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) e2e::Pump();
    if (ended) break;
    const e2e::Args args(line.substr(0, line.find_last_not_of('\r') + 1));
    ::SetEvent(taken.get());
    if (args[0].empty()) continue;
    const auto command = table.find(args[0]);
    std::string answer = command == table.end() ? e2e::Fail("unknown command " + args[0]) : command->second(host, args);
    // One answer is one line, whatever text a command hands back.
    std::replace_if(answer.begin(), answer.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::printf("%s\n", answer.c_str());
    std::fflush(stdout);
  }
  return 0;
}
