// The active window probe against real windows of another process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "engine/winfo.h"
#include "platform/unique_handle.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"

namespace {

using platform::win32::FromHwnd;
using wintest::EqualsIgnoringCase;
using wintest::OwnedHandle;

constexpr const char* kTargetExe = "tool_probe_target.exe";
constexpr const char* kTargetClass = "TarvoloProbeTarget";

// tool_probe_target.exe, running with a main window and an owned one, asked to
// close (and ended if it will not) when the object goes.
class ProbeTarget {
 public:
  explicit ProbeTarget(std::string title) : title_(std::move(title)) {
    std::string command = "\"" + wintest::ExeDirectory() + kTargetExe + "\" \"" + title_ + "\" owned";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    process_ = OwnedHandle(pi.hProcess);
    thread_ = OwnedHandle(pi.hThread);
    processId_ = pi.dwProcessId;
    const std::string ownedTitle = title_ + " (owned)";
    wintest::WaitUntil([&] {
      main_ = ::FindWindowA(kTargetClass, title_.c_str());
      owned_ = ::FindWindowA(kTargetClass, ownedTitle.c_str());
      return main_ != nullptr && owned_ != nullptr;
    });
  }
  ProbeTarget(const ProbeTarget&) = delete;
  ProbeTarget& operator=(const ProbeTarget&) = delete;
  ~ProbeTarget() {
    if (process_.get() == nullptr) return;
    if (main_ != nullptr) ::PostMessageA(main_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) ::TerminateProcess(process_.get(), 1);
  }

  bool running() const { return process_.get() != nullptr; }
  const std::string& title() const { return title_; }
  HWND main() const { return main_; }
  HWND owned() const { return owned_; }
  DWORD processId() const { return processId_; }

 private:
  std::string title_;
  OwnedHandle process_;
  OwnedHandle thread_;
  DWORD processId_ = 0;
  HWND main_ = nullptr;
  HWND owned_ = nullptr;
};

class ProbeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    target_ = std::make_unique<ProbeTarget>("Tarvolo probe target " + std::to_string(::GetCurrentProcessId()));
  }
  static void TearDownTestSuite() { target_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(target_->running()) << "could not start " << kTargetExe;
    ASSERT_NE(target_->main(), nullptr) << "the target's window did not appear";
    ASSERT_NE(target_->owned(), nullptr) << "the target's owned window did not appear";
  }

  // Brings a window to the front and waits until Windows reports it there.
  static bool BringToFront(HWND hwnd) {
    ::SetForegroundWindow(hwnd);
    return wintest::WaitUntil([hwnd] { return ::GetForegroundWindow() == hwnd; }, std::chrono::seconds(5));
  }

  static std::unique_ptr<ProbeTarget> target_;
  Win32Os os;
};

std::unique_ptr<ProbeTarget> ProbeTest::target_;

TEST_F(ProbeTest, NamesTheExecutableOfAnotherProcessWindow) {
  clsWinfo probe(os, os, os);
  EXPECT_TRUE(EqualsIgnoringCase(probe.OwnerEXE(FromHwnd(target_->main())), kTargetExe))
      << "got \"" << probe.OwnerEXE(FromHwnd(target_->main())) << "\"";
  EXPECT_TRUE(EqualsIgnoringCase(probe.OwnerEXE(FromHwnd(target_->owned())), kTargetExe));
  probe.set_hWndDefault(FromHwnd(target_->main()));
  EXPECT_TRUE(EqualsIgnoringCase(probe.OwnerEXE(), kTargetExe));
}

TEST_F(ProbeTest, NamesThisProgramForItsOwnWindow) {
  wintest::TestWindow own("Tarvolo probe test window", wintest::TestWindow::Show::No);
  ASSERT_NE(own.get(), nullptr);
  clsWinfo probe(os, os, os);
  EXPECT_TRUE(EqualsIgnoringCase(probe.OwnerEXE(FromHwnd(own.get())), "win_tests.exe"))
      << "got \"" << probe.OwnerEXE(FromHwnd(own.get())) << "\"";
}

TEST_F(ProbeTest, GivesNoExecutableForAWindowThatIsGone) {
  clsWinfo probe(os, os, os);
  HWND gone = nullptr;
  {
    wintest::TestWindow shortLived("Tarvolo short-lived window", wintest::TestWindow::Show::No);
    gone = shortLived.get();
  }
  ASSERT_FALSE(::IsWindow(gone));
  EXPECT_EQ(probe.OwnerEXE(FromHwnd(gone)), "");
  EXPECT_EQ(probe.WndTitle(FromHwnd(gone)), "");
}

TEST_F(ProbeTest, ReadsTitleAndClass) {
  clsWinfo probe(os, os, os);
  const platform::WindowHandle main = FromHwnd(target_->main());
  EXPECT_EQ(probe.WndTitle(main), target_->title());
  EXPECT_EQ(probe.WndClass(main), kTargetClass);
  EXPECT_EQ(probe.WndTitle(FromHwnd(target_->owned())), target_->title() + " (owned)");

  // -1 stands for the default window; 0 is a handle like any other.
  probe.set_hWndDefault(main);
  EXPECT_EQ(probe.WndTitle(), target_->title());
  EXPECT_EQ(probe.WndClass(), kTargetClass);
  EXPECT_EQ(probe.WndTitle(0), "");
  EXPECT_EQ(probe.WndClass(0), "");
}

TEST_F(ProbeTest, FollowsTheForegroundWindowAndItsOwner) {
  clsWinfo probe(os, os, os);
  ASSERT_TRUE(BringToFront(target_->owned()));
  EXPECT_EQ(probe.ActWndHandle(), FromHwnd(target_->owned()));
  EXPECT_EQ(probe.ActWndOwnerHandle(), FromHwnd(target_->main()));

  ASSERT_TRUE(BringToFront(target_->main()));
  EXPECT_EQ(probe.ActWndHandle(), FromHwnd(target_->main()));
  EXPECT_EQ(probe.ActWndOwnerHandle(), 0);
}

TEST_F(ProbeTest, UsesTheProcessStatusInterfaceExactlyOnNT4) {
  clsWinfo probe(os, os, os);
  EXPECT_EQ(probe.UseProcessStatus(), wintest::ReportsNT4());
  const std::string expected = wintest::ExpectedVersion();
  if (!expected.empty()) {
    EXPECT_EQ(probe.UseProcessStatus(), expected == "nt40");
  }
}

// The snapshot's szExeFile is a full path on real Windows 9x and a bare name
// later; the probe must get the file name right from either.
TEST_F(ProbeTest, SnapshotCarriesTheTargetExecutable) {
  const platform::OsHandle raw = os.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  ASSERT_NE(raw, platform::kInvalidHandle);
  platform::UniqueHandle snapshot(os, raw);
  platform::ProcessEntry32 entry;
  entry.dwSize = 296;
  std::string exeFile;
  bool found = false;
  for (bool more = os.Process32First(snapshot.get(), entry); more && !found;
       more = os.Process32Next(snapshot.get(), entry)) {
    if (entry.th32ProcessID != target_->processId()) continue;
    found = true;
    exeFile.assign(entry.szExeFile.data(), ::strnlen(entry.szExeFile.data(), entry.szExeFile.size()));
  }
  ASSERT_TRUE(found) << "the target's process is not in the snapshot";
  std::cout << "[ INFO     ] snapshot szExeFile on this system: \"" << exeFile << "\" ("
            << (FileNamePart(exeFile) == exeFile ? "bare name" : "with a path") << ")\n";
  RecordProperty("szExeFile", exeFile);
  EXPECT_TRUE(EqualsIgnoringCase(FileNamePart(exeFile), kTargetExe));
}

// The process-status calls work on every NT system; the probe takes them only
// on NT 4, so they are checked here on their own.
TEST_F(ProbeTest, ProcessStatusGivesTheTargetExecutablePath) {
  if (wintest::Reports9x()) GTEST_SKIP() << "Windows 9x has no process-status interface";
  std::uint32_t ids[1024] = {};
  std::uint32_t returned = 0;
  ASSERT_TRUE(os.EnumProcesses(ids, sizeof ids, &returned));
  ASSERT_GT(returned, 0u);
  bool listed = false;
  for (std::uint32_t i = 0; i < returned / 4; ++i) listed = listed || ids[i] == target_->processId();
  EXPECT_TRUE(listed);

  platform::UniqueHandle process(
      os, os.OpenProcess(platform::kProcessQueryInformation | platform::kProcessVmRead, false, target_->processId()));
  ASSERT_TRUE(process.valid());
  platform::ModuleHandle first = 0;
  std::uint32_t needed = 0;
  ASSERT_TRUE(os.EnumProcessModules(process.get(), &first, sizeof first, &needed));
  EXPECT_GE(needed, sizeof first);
  char path[260] = {};
  const std::uint32_t n = os.GetModuleFileNameExA(process.get(), first, path, 260);
  ASSERT_GT(n, 0u);
  const std::string full(path, n);
  EXPECT_NE(FileNamePart(full), full) << "expected a full path, got \"" << full << "\"";
  EXPECT_TRUE(EqualsIgnoringCase(FileNamePart(full), kTargetExe)) << full;
}

}  // namespace
