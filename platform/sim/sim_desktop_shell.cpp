#include <algorithm>

#include "platform/sim/sim_desktop.h"

namespace sim {

void SimDesktop::SetWindowHandler(platform::WindowHandle h, MessageHandler handler) {
  handlers_[h] = std::move(handler);
}

void SimDesktop::SendMessage(platform::WindowHandle h, std::uint32_t msg, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  Dispatch(h, msg, wParam, lParam);  // through a subclass, if any
}

void SimDesktop::PostMessage(platform::WindowHandle h, std::uint32_t msg, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  posted_.push_back({h, msg, wParam, lParam});
}

void SimDesktop::DeliverPostedMessages() {
  // Messages posted while these are handled wait for the next round, as
  // they would behind the ones already in the queue.
  for (std::size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    const PostedMessage message = posted_.front();
    posted_.pop_front();
    if (HasWindow(message.hwnd)) Dispatch(message.hwnd, message.msg, message.wParam, message.lParam);
  }
}

std::uint32_t SimDesktop::ProcessOfWindow(platform::WindowHandle hwnd) const {
  const auto it = windows_.find(hwnd);
  return it == windows_.end() ? 0 : it->second.processId;
}

void SimDesktop::DeliverToWindow(platform::WindowHandle h, std::uint32_t msg, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
  const auto it = handlers_.find(h);
  if (it == handlers_.end()) return;
  auto handler = it->second;  // the handler may destroy its own window
  handler(msg, wParam, lParam);
}

void SimDesktop::RemoveWindow(platform::WindowHandle h) {
  windows_.erase(h);
  handlers_.erase(h);
  if (foreground_ == h) foreground_ = 0;
  if (focus_ == h) focus_ = 0;
}

int SimDesktop::StartTimer(std::uint32_t intervalMs, std::function<void()> tick) {
  const int id = nextTimer_++;
  timers_[id] = {intervalMs, nowMs_ + intervalMs, std::move(tick)};
  return id;
}

void SimDesktop::StopTimer(int id) { timers_.erase(id); }

void SimDesktop::RunDueTimers() {
  // Like WM_TIMER: each due timer ticks once however late it is, and its next
  // time counts from now.
  std::vector<int> due;
  for (const auto& [id, timer] : timers_)
    if (timer.due <= nowMs_) due.push_back(id);
  for (int id : due) {
    const auto it = timers_.find(id);
    if (it == timers_.end() || it->second.due > nowMs_) continue;
    it->second.due = nowMs_ + it->second.interval;
    auto tick = it->second.tick;
    tick();
  }
}

void SimDesktop::AdvanceClock(std::uint64_t ms) {
  const std::uint64_t target = nowMs_ + ms;
  for (;;) {
    // Bounded, so that a handler that always posts again fails its test
    // rather than hanging it.
    for (int round = 0; round < 1000 && !posted_.empty(); ++round) DeliverPostedMessages();
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
      if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due)) next = it;
    if (next == timers_.end()) break;
    nowMs_ = std::max(nowMs_, next->second.due);
    next->second.due = nowMs_ + next->second.interval;
    auto tick = next->second.tick;
    tick();
  }
  nowMs_ = std::max(nowMs_, target);
}

bool SimDesktop::Shell_NotifyIcon(std::uint32_t message, const platform::NotifyIconData& data) {
  notifyCalls_.push_back(message);
  // The second form of the record only from shell 5 on.
  const bool balloons =
      shellBalloons_ >= 0 ? shellBalloons_ == 1 : family_ != WindowsFamily::Win98 && family_ != WindowsFamily::NT4;
  const bool second = data.cbSize == platform::kNotifyIconDataV2Size && balloons;
  if ((data.cbSize != platform::kNotifyIconDataSize && !second) || !windows_.count(data.hWnd)) return false;
  const auto key = std::make_pair(data.hWnd, data.uID);
  const bool shown = trayIcons_.count(key) > 0;
  // A change takes the members its flags name; the shell keeps 63 characters
  // of the tip, as the first form's field holds.
  platform::NotifyIconData kept;
  if (shown) kept = trayIcons_[key];
  kept.cbSize = platform::kNotifyIconDataSize;
  kept.hWnd = data.hWnd;
  kept.uID = data.uID;
  if (data.uFlags & platform::kNifMessage) kept.uCallbackMessage = data.uCallbackMessage;
  if (data.uFlags & platform::kNifIcon) kept.hIcon = data.hIcon;
  if (data.uFlags & platform::kNifTip) kept.szTip = CutText(data.szTip, 63);
  kept.uFlags |= data.uFlags & ~platform::kNifInfo;
  switch (message) {
    case platform::kNimAdd:
      if (shown) return false;
      trayIcons_[key] = kept;
      return true;
    case platform::kNimModify:
      if (!shown) return false;
      trayIcons_[key] = kept;
      if (second && (data.uFlags & platform::kNifInfo) && !data.szInfo.empty())
        balloons_.push_back({CutText(data.szInfoTitle, 63), CutText(data.szInfo, 255), nowMs_});
      return true;
    case platform::kNimDelete:
      return trayIcons_.erase(key) > 0;
    default:
      return false;
  }
}

void SimDesktop::MouseOnTrayIcon(std::uint32_t mouseMessage) {
  if (trayIcons_.empty()) return;
  const platform::NotifyIconData icon = trayIcons_.begin()->second;
  if (icon.uFlags & platform::kNifMessage)
    SendMessage(icon.hWnd, icon.uCallbackMessage, icon.uID, static_cast<std::intptr_t>(mouseMessage));
}

void SimDesktop::RestartShell() {
  trayIcons_.clear();
  std::vector<platform::WindowHandle> all;
  for (const auto& [h, handler] : handlers_) all.push_back(h);
  for (auto h : all) SendMessage(h, kTaskbarCreatedMessage, 0, 0);
}

bool SimDesktop::SetForegroundWindow(platform::WindowHandle hwnd) {
  ++setForegroundCalls_;
  if (!windows_.count(hwnd)) return false;
  foreground_ = hwnd;
  return true;
}

}  // namespace sim
