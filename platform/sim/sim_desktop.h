#pragma once
// A simulated desktop for the native tests: a keyboard, windows, processes,
// the Windows family, a virtual clock, and faults to inject.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_desktop_calls.h"
#include "platform/sim/sim_hooks.h"
#include "platform/sim/sim_hotkeys.h"
#include "platform/sim/sim_metrics.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_win_events.h"

namespace sim {

enum class WindowsFamily { Win98, NT4, Win2000, Win10 };

struct SimWindow {
  std::string title;
  std::string className = "SimWindow";
  platform::WindowHandle owner = 0;
  std::uint32_t processId = 0;
  std::uint32_t threadId = 1;
};

struct SimProcess {
  // As the snapshot reports it on this family: a full path on 9x, the bare
  // file name later. The process-status interface always gives a full path.
  std::string exePath;
  bool canOpen = true;
  bool modulesListable = true;
};

struct KeyEventRecord {
  std::uint8_t vk;
  std::uint8_t scan;
  std::uint32_t flags;
};

// Files and window placement come from their own classes.
class SimDesktop : public platform::Os,
                   public SimFiles,
                   public SimDesktopCalls,
                   public SimHotkeys,
                   public SimClipboard,
                   public SimText,
                   public SimHooks,
                   public SimMetrics,
                   public SimWinEvents,
                   public SimRegistry {
 public:
  explicit SimDesktop(WindowsFamily family = WindowsFamily::Win10) : family_(family) {}

  // ---- set-up and faults ----
  void SetFamily(WindowsFamily family) { family_ = family; }
  // The shell's balloons come with shell 5: Windows 2000 on, and Windows Me
  // of the 9x family (the family's own shell otherwise decides).
  void SetShellHasBalloons(bool has) { shellBalloons_ = has ? 1 : 0; }
  void SetToggled(int vk, bool on) { keys_[vk].toggled = on; }
  bool Toggled(int vk) const;
  // The key shows a requested change only after this many GetKeyState reads.
  void DelayKey(int vk, int reads) { keys_[vk].delayReads = reads; }
  // The key never changes state when asked.
  void RefuseKey(int vk, bool refuse = true) { keys_[vk].refuses = refuse; }
  // The user holds the key down for this many GetAsyncKeyState polls; when
  // released, a held lock key toggles as it would under a real finger.
  void HoldKey(int vk, int polls, bool togglesOnRelease = true);
  // The user types or moves the mouse now, as the last input time tells it.
  void UserInput() { lastInputMs_ = nowMs_; }
  // The user holds (or lets go of) any other key, as GetKeyState reads it.
  void SetKeyHeld(int vk, bool held) {
    if (held)
      heldKeys_.insert(vk);
    else
      heldKeys_.erase(vk);
  }

  platform::WindowHandle AddWindow(SimWindow window);
  void SetWindowTitle(platform::WindowHandle h, std::string title) { windows_.at(h).title = std::move(title); }
  void SetWindowOwner(platform::WindowHandle h, platform::WindowHandle owner) { windows_.at(h).owner = owner; }
  void SetForeground(platform::WindowHandle h) { foreground_ = h; }
  // The window with the keyboard focus, as GetFocus reports it.
  void SetFocusWindow(platform::WindowHandle h) { focus_ = h; }
  // The window comes to the front and Windows says so to the accessibility
  // hooks, as when the user clicks it.
  void ActivateWindow(platform::WindowHandle h) {
    foreground_ = h;
    RaiseWinEvent(platform::kEventSystemForeground, h);
  }
  // The process the program under test runs in (the headless forms' own).
  void SetProgramProcess(std::uint32_t pid) { programProcess_ = pid; }
  std::uint32_t AddProcess(SimProcess process);
  void FailSnapshots(bool fail = true) { failSnapshot_ = fail; }
  void FailEnumProcesses(bool fail = true) { failEnumProcesses_ = fail; }
  SimProcess& Process(std::uint32_t pid) { return processes_.at(pid); }

  // Runs inside the next DoEvents, once.
  void PostEvent(std::function<void()> event) { events_.push_back(std::move(event)); }
  // Runs inside every DoEvents until cleared.
  void OnEveryDoEvents(std::function<void()> event) { everyDoEvents_ = std::move(event); }

  // ---- observation ----
  const std::vector<KeyEventRecord>& KeyEvents() const { return keyEvents_; }
  int SetKeyboardStateCalls() const { return setKeyboardStateCalls_; }
  const platform::KeyboardTable& LastTableWritten() const { return lastTableWritten_; }
  void ClearLog();
  std::uint64_t NowMs() const { return nowMs_; }
  int DoEventsCalls() const { return doEventsCalls_; }
  std::size_t OpenHandles() const { return openHandles_.size(); }
  int OpenProcessCalls() const { return openProcessCalls_; }
  int SnapshotCalls() const { return snapshotCalls_; }
  int ForegroundQueries() const { return foregroundQueries_; }

  // ---- platform::OsKeys ----
  std::int16_t GetAsyncKeyState(int vk) override;
  std::int16_t GetKeyState(int vk) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo) override;
  std::uint32_t MapVirtualKey(std::uint32_t code, std::uint32_t mapType) override;
  bool GetKeyboardState(platform::KeyboardTable& table) override;
  bool SetKeyboardState(const platform::KeyboardTable& table) override;
  // Windows 2000 and later; keystrokes sent count as input, as on Windows.
  bool GetLastInputInfo(std::uint32_t& dwTime) override;

  // ---- platform::OsWindows ----
  platform::WindowHandle GetForegroundWindow() override;
  platform::WindowHandle GetWindow(platform::WindowHandle hwnd, std::uint32_t cmd) override;
  std::string GetWindowText(platform::WindowHandle hwnd, int maxChars) override;
  std::string GetClassName(platform::WindowHandle hwnd, int maxChars) override;
  std::uint32_t GetWindowThreadProcessId(platform::WindowHandle hwnd, std::uint32_t* processId) override;
  platform::WindowHandle GetFocus() override { return focus_; }

  // ---- platform::OsProcesses ----
  platform::OsHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
  bool Process32First(platform::OsHandle snapshot, platform::ProcessEntry32& entry) override;
  bool Process32Next(platform::OsHandle snapshot, platform::ProcessEntry32& entry) override;
  bool EnumProcesses(std::uint32_t* ids, std::uint32_t bufferBytes, std::uint32_t* bytesReturned) override;
  platform::OsHandle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
  bool EnumProcessModules(platform::OsHandle process, platform::ModuleHandle* modules, std::uint32_t bufferBytes,
                          std::uint32_t* bytesNeeded) override;
  std::string GetModuleFileNameEx(platform::OsHandle process, platform::ModuleHandle module) override;
  bool CloseHandle(platform::OsHandle handle) override;

  // ---- platform::OsSystem ----
  bool GetVersionEx(platform::OsVersionInfo& info) override;
  void Sleep(std::uint32_t milliseconds) override { nowMs_ += milliseconds; }
  std::uint32_t GetTickCount() override { return static_cast<std::uint32_t>(nowMs_); }
  void DoEvents() override;

  // ---- window messages, timers and the notification area (sim_desktop_shell.cpp) ----
  using MessageHandler = std::function<void(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)>;
  // What a window does with a message sent to it (its window procedure).
  void SetWindowHandler(platform::WindowHandle h, MessageHandler handler);
  void SendMessage(platform::WindowHandle h, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
  // Queued for the thread's message loop: delivered inside DoEvents, and by
  // AdvanceClock before any timer, as Windows hands out posted messages
  // before WM_TIMER. A message to a window gone by then is dropped.
  void PostMessage(platform::WindowHandle h, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
  std::size_t PostedMessages() const { return posted_.size(); }
  void RemoveWindow(platform::WindowHandle h);
  bool HasWindow(platform::WindowHandle h) const { return windows_.count(h) > 0; }
  platform::WindowHandle Foreground() const { return foreground_; }
  // Timers of the user-interface thread: a due timer ticks when the clock is
  // advanced past its time or inside DoEvents, never inside Sleep.
  int StartTimer(std::uint32_t intervalMs, std::function<void()> tick);
  void StopTimer(int id);
  bool TimerRunning(int id) const { return timers_.count(id) > 0; }
  // Moves the clock on by ms, ticking due timers in time order.
  void AdvanceClock(std::uint64_t ms);
  // The shell: icons shown, and the mouse on one of them.
  const std::map<std::pair<platform::WindowHandle, std::uint32_t>, platform::NotifyIconData>& TrayIcons() const {
    return trayIcons_;
  }
  const std::vector<std::uint32_t>& NotifyCalls() const { return notifyCalls_; }
  // Balloons the shell showed (shell 5 and later: Windows 2000 on).
  struct Balloon {
    std::string title;
    std::string text;
    std::uint64_t atMs;
  };
  const std::vector<Balloon>& Balloons() const { return balloons_; }
  // Sends the icon's callback message with the mouse message, as the shell does.
  void MouseOnTrayIcon(std::uint32_t mouseMessage);
  // The task bar starts again: every icon is forgotten and the windows get
  // the "TaskbarCreated" message (child windows' handlers ignore it).
  void RestartShell();
  static constexpr std::uint32_t kTaskbarCreatedMessage = 0xC1A0;
  int SetForegroundCalls() const { return setForegroundCalls_; }

  // ---- platform::OsTray ----
  bool Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) override;
  bool SetForegroundWindow(platform::WindowHandle hwnd) override;

 protected:
  void DeliverToWindow(platform::WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wParam,
                       std::intptr_t lParam) override;
  bool WindowExists(platform::WindowHandle hwnd) const override { return HasWindow(hwnd); }
  platform::WindowHandle FocusWindow() const override { return foreground_; }
  bool AnsiOnly() const override { return family_ == WindowsFamily::Win98; }
  bool UserHolds(int vk) const override;
  std::uint32_t ProcessOfWindow(platform::WindowHandle hwnd) const override;
  std::uint32_t OwnProcess() const override { return programProcess_; }

 private:
  void RunDueTimers();
  void DeliverPostedMessages();
  struct PostedMessage {
    platform::WindowHandle hwnd;
    std::uint32_t msg;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  std::deque<PostedMessage> posted_;
  std::uint32_t programProcess_ = 0;
  struct SimTimer {
    std::uint32_t interval;
    std::uint64_t due;
    std::function<void()> tick;
  };
  std::map<int, SimTimer> timers_;
  int nextTimer_ = 1;
  std::map<platform::WindowHandle, MessageHandler> handlers_;
  std::map<std::pair<platform::WindowHandle, std::uint32_t>, platform::NotifyIconData> trayIcons_;
  std::vector<std::uint32_t> notifyCalls_;
  std::vector<Balloon> balloons_;
  int setForegroundCalls_ = 0;

 private:
  struct Key {
    bool toggled = false;
    bool down = false;      // pressed through keybd_event and not yet released
    bool tableDown = false; // key-down bit written into the thread's table
    int heldPolls = 0;      // the user's finger: async polls until release
    bool toggleOnRelease = false;
    int delayReads = 0;     // reads before a requested change shows
    bool refuses = false;
    bool pending = false;   // a change waiting for its delay
    bool pendingState = false;
    int pendingReads = 0;
  };
  void RequestToggle(int vk, bool on);
  std::string CutText(const std::string& text, int maxChars) const;
  platform::OsHandle NewHandle(std::uint32_t processId);

  WindowsFamily family_;
  int shellBalloons_ = -1;
  std::map<int, Key> keys_;
  std::set<int> heldKeys_;
  platform::KeyboardTable otherKeys_{};
  std::vector<KeyEventRecord> keyEvents_;
  int setKeyboardStateCalls_ = 0;
  platform::KeyboardTable lastTableWritten_{};

  std::map<platform::WindowHandle, SimWindow> windows_;
  platform::WindowHandle nextWindow_ = 0x10010;
  platform::WindowHandle foreground_ = 0;
  platform::WindowHandle focus_ = 0;
  int foregroundQueries_ = 0;

  std::map<std::uint32_t, SimProcess> processes_;
  std::uint32_t nextProcessId_ = 100;
  bool failSnapshot_ = false;
  bool failEnumProcesses_ = false;
  // Open handles: to the process they stand for (snapshots: their cursor).
  std::map<platform::OsHandle, std::uint32_t> openHandles_;
  std::map<platform::OsHandle, std::vector<std::uint32_t>> snapshots_;
  std::map<platform::OsHandle, std::size_t> snapshotCursor_;
  platform::OsHandle nextHandle_ = 0x40;
  int openProcessCalls_ = 0;
  int snapshotCalls_ = 0;

  std::deque<std::function<void()>> events_;
  std::function<void()> everyDoEvents_;
  int doEventsCalls_ = 0;
  std::uint64_t nowMs_ = 0;
  std::uint64_t lastInputMs_ = 0;
};

}  // namespace sim
