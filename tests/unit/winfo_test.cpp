#include "engine/winfo.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_desktop.h"

namespace {

using sim::WindowsFamily;

// Notepad's Save As dialog in front, among a few other processes.
struct ProbeDesk {
  explicit ProbeDesk(WindowsFamily family) : desk(family) {
    desk.AddProcess({"C:\\WINDOWS\\EXPLORER.EXE"});
    const auto notepad = desk.AddProcess({"C:\\WINDOWS\\NOTEPAD.EXE"});
    main = desk.AddWindow({"Untitled - Notepad", "Notepad", 0, notepad, 7});
    dialog = desk.AddWindow({"Save As", "#32770", main, notepad, 7});
    desk.SetForeground(dialog);
  }
  sim::SimDesktop desk;
  platform::WindowHandle main = 0, dialog = 0;
  clsWinfo probe{desk, desk, desk};
};

TEST(ProbeTest, EachFamilyFindsTheExecutableByItsOwnRouteAndClosesEveryHandle) {
  for (const auto& [family, processStatus] : {std::pair{WindowsFamily::Win98, false}, {WindowsFamily::NT4, true},
                                              {WindowsFamily::Win2000, false}, {WindowsFamily::Win10, false}}) {
    ProbeDesk d(family);
    EXPECT_EQ(d.probe.UseProcessStatus(), processStatus);
    EXPECT_EQ(d.probe.OwnerEXE(d.main), "NOTEPAD.EXE");
    EXPECT_EQ(d.desk.SnapshotCalls() > 0, !processStatus);
    EXPECT_EQ(d.desk.OpenProcessCalls() > 0, processStatus);
    EXPECT_EQ(d.desk.OpenHandles(), 0u);
  }
}

TEST(ProbeTest, ProcessStatusGrowsItsTableAndSkipsProcessesItCannotRead) {
  ProbeDesk d(WindowsFamily::NT4);
  // More processes than the first buffers hold, the wanted one last.
  for (int i = 0; i < 40; ++i) d.desk.AddProcess({"C:\\X\\P" + std::to_string(i) + ".EXE"});
  const auto locked = d.desk.AddWindow({"a", "c", 0, d.desk.AddProcess({"C:\\X\\LOCKED.EXE", false})});
  const auto noModules = d.desk.AddWindow({"b", "c", 0, d.desk.AddProcess({"C:\\X\\NOMOD.EXE", true, false})});
  const auto late = d.desk.AddWindow({"c", "c", 0, d.desk.AddProcess({"D:\\Apps\\Late.exe"})});
  EXPECT_EQ(d.probe.OwnerEXE(locked), "");
  EXPECT_EQ(d.probe.OwnerEXE(noModules), "");
  EXPECT_EQ(d.probe.OwnerEXE(late), "Late.exe");
  EXPECT_EQ(d.desk.OpenHandles(), 0u);
  d.desk.FailEnumProcesses();
  EXPECT_EQ(d.probe.OwnerEXE(d.main), "");
}

TEST(ProbeTest, TheSnapshotsNameIsCutToItsFieldAndFailuresGiveEmptyNames) {
  ProbeDesk d(WindowsFamily::Win98);
  // The snapshot's field holds 259 characters and its NUL.
  const auto w = d.desk.AddWindow({"t", "c", 0, d.desk.AddProcess({std::string(260, 'X')})});
  EXPECT_EQ(d.probe.OwnerEXE(w), std::string(259, 'X'));
  d.desk.FailSnapshots();
  EXPECT_EQ(d.probe.OwnerEXE(d.main), "");
  EXPECT_EQ(d.probe.OwnerEXE(0), "");
}

TEST(ProbeTest, TitlesOwnersAndTheDefaultWindow) {
  ProbeDesk d(WindowsFamily::Win2000);
  EXPECT_EQ(d.probe.ActWndHandle(), d.dialog);
  EXPECT_EQ(d.probe.ActWndOwnerHandle(), d.main);
  d.probe.set_hWndDefault(d.main);
  EXPECT_EQ(d.probe.WndClass(), "Notepad");
  d.desk.SetWindowTitle(d.main, std::string(300, 'T'));
  EXPECT_EQ(d.probe.WndTitle(), std::string(254, 'T')) << "cut by the call itself";
}

TEST(ProbeTest, FileNamePart) {
  for (const auto& [path, name] : {std::pair{"C:\\WINDOWS\\NOTEPAD.EXE", "NOTEPAD.EXE"}, {"C:NOTEPAD.EXE", "NOTEPAD.EXE"},
                                   {"notepad.exe", "notepad.exe"}, {"C:\\WINDOWS\\", ""}, {"", ""}})
    EXPECT_EQ(FileNamePart(path), name) << path;
}

}  // namespace
