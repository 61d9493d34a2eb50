#include "engine/winfo.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace {

using sim::SimDesktop;
using sim::SimProcess;
using sim::SimWindow;
using sim::WindowsFamily;

struct ProbeDesk {
  SimDesktop desk;
  std::uint32_t notepad;
  platform::WindowHandle main;
  platform::WindowHandle dialog;

  explicit ProbeDesk(WindowsFamily family) : desk(family) {
    desk.AddProcess({"C:\\WINDOWS\\EXPLORER.EXE"});
    notepad = desk.AddProcess({"C:\\WINDOWS\\NOTEPAD.EXE"});
    desk.AddProcess({"C:\\WINDOWS\\SYSTEM\\SPOOL32.EXE"});
    main = desk.AddWindow({"Untitled - Notepad", "Notepad", 0, notepad, 7});
    dialog = desk.AddWindow({"Save As", "#32770", main, notepad, 7});
    desk.SetForeground(dialog);
  }
};

TEST(ProbeTest, EachFamilyFindsTheExecutableByItsOwnRoute) {
  struct Case {
    WindowsFamily family;
    bool processStatus;
  };
  for (const Case c : {Case{WindowsFamily::Win98, false}, Case{WindowsFamily::NT4, true},
                       Case{WindowsFamily::Win2000, false}, Case{WindowsFamily::Win10, false}}) {
    ProbeDesk d(c.family);
    clsWinfo probe(d.desk, d.desk, d.desk);
    EXPECT_EQ(probe.UseProcessStatus(), c.processStatus);
    EXPECT_EQ(probe.OwnerEXE(d.main), "NOTEPAD.EXE");
    EXPECT_EQ(d.desk.SnapshotCalls() > 0, !c.processStatus);
    EXPECT_EQ(d.desk.OpenProcessCalls() > 0, c.processStatus);
    EXPECT_EQ(d.desk.OpenHandles(), 0u) << "every process and snapshot handle is closed";
  }
}

TEST(ProbeTest, ProcessStatusGrowsItsTableAndSkipsProcessesItCannotRead) {
  ProbeDesk d(WindowsFamily::NT4);
  // More processes than the first buffers hold, the wanted one last.
  for (int i = 0; i < 40; ++i) d.desk.AddProcess({"C:\\X\\P" + std::to_string(i) + ".EXE"});
  const auto locked = d.desk.AddProcess({"C:\\X\\LOCKED.EXE", false});
  const auto noModules = d.desk.AddProcess({"C:\\X\\NOMOD.EXE", true, false});
  const auto last = d.desk.AddProcess({"D:\\Apps\\Late.exe"});
  const auto w1 = d.desk.AddWindow({"a", "c", 0, locked});
  const auto w2 = d.desk.AddWindow({"b", "c", 0, noModules});
  const auto w3 = d.desk.AddWindow({"c", "c", 0, last});
  clsWinfo probe(d.desk, d.desk, d.desk);
  EXPECT_EQ(probe.OwnerEXE(w1), "");
  EXPECT_EQ(probe.OwnerEXE(w2), "");
  EXPECT_EQ(probe.OwnerEXE(w3), "Late.exe");
  EXPECT_EQ(d.desk.OpenHandles(), 0u);
}

TEST(ProbeTest, FailuresGiveEmptyNames) {
  ProbeDesk nt4(WindowsFamily::NT4);
  nt4.desk.FailEnumProcesses();
  EXPECT_EQ(clsWinfo(nt4.desk, nt4.desk, nt4.desk).OwnerEXE(nt4.main), "");

  ProbeDesk win98(WindowsFamily::Win98);
  win98.desk.FailSnapshots();
  clsWinfo probe(win98.desk, win98.desk, win98.desk);
  EXPECT_EQ(probe.OwnerEXE(win98.main), "");
  EXPECT_EQ(probe.OwnerEXE(0), "") << "no window, no thread: no snapshot taken either";
}

TEST(ProbeTest, ExeNameFillingTheWholeSnapshotFieldGivesEmptyText) {
  ProbeDesk d(WindowsFamily::Win98);
  const auto pid = d.desk.AddProcess({std::string(260, 'X')});
  const auto w = d.desk.AddWindow({"t", "c", 0, pid});
  EXPECT_EQ(clsWinfo(d.desk, d.desk, d.desk).OwnerEXE(w), "");
}

TEST(ProbeTest, DefaultWindowAndExplicitHandles) {
  ProbeDesk d(WindowsFamily::Win2000);
  clsWinfo probe(d.desk, d.desk, d.desk);
  EXPECT_EQ(probe.WndTitle(), "") << "the default window starts as 0";
  probe.set_hWndDefault(d.main);
  EXPECT_EQ(probe.WndTitle(), "Untitled - Notepad");
  EXPECT_EQ(probe.WndTitle(-1), "Untitled - Notepad");
  EXPECT_EQ(probe.WndTitle(0), "") << "0 is a handle of its own, not the default";
  EXPECT_EQ(probe.WndClass(), "Notepad");
  EXPECT_EQ(probe.WndTitle(d.dialog), "Save As");
  probe.set_hWndDefault(-5);
  EXPECT_EQ(probe.WndTitle(), "") << "a negative default is stored as 0";

  EXPECT_EQ(probe.ActWndHandle(), d.dialog);
  EXPECT_EQ(probe.ActWndOwnerHandle(), d.main);
  d.desk.SetForeground(d.main);
  EXPECT_EQ(probe.ActWndOwnerHandle(), 0);
}

TEST(ProbeTest, LongTitlesAreCutByTheCallItself) {
  ProbeDesk d(WindowsFamily::Win10);
  d.desk.SetWindowTitle(d.main, std::string(300, 'T'));
  EXPECT_EQ(clsWinfo(d.desk, d.desk, d.desk).WndTitle(d.main), std::string(254, 'T'));
}

TEST(ProbeTest, FileNamePart) {
  EXPECT_EQ(FileNamePart("C:\\WINDOWS\\NOTEPAD.EXE"), "NOTEPAD.EXE");
  EXPECT_EQ(FileNamePart("C:NOTEPAD.EXE"), "NOTEPAD.EXE");
  EXPECT_EQ(FileNamePart("notepad.exe"), "notepad.exe");
  EXPECT_EQ(FileNamePart("C:\\WINDOWS\\"), "");
  EXPECT_EQ(FileNamePart(""), "");
}

}  // namespace
