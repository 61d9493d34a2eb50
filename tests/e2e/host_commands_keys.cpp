// keys, press, setkeys, waitkeys, switch, steady. A state is written as
// three characters, Caps Lock, Num Lock, Scroll Lock, each '1' (on) or '0'
// (off); a wanted pattern may hold 'x' for "either".
#include "tests/e2e/host_commands.h"

namespace e2e {
namespace {

struct LockKey {
  const char* name;
  BYTE vk;
  DWORD flags;
};
constexpr LockKey kLockKeys[] = {
    {"caps", VK_CAPITAL, 0}, {"num", VK_NUMLOCK, KEYEVENTF_EXTENDEDKEY /* as a keyboard sends it */}, {"scroll", VK_SCROLL, 0}};

// Under Wine the calling thread's key state follows the desktop's as long as
// the thread is not in the middle of handling input, so this reflects changes
// made by any process, whichever window is in front.
std::string ReadLockKeys() {
  Pump();
  std::string state;
  for (const LockKey& key : kLockKeys) state += (::GetKeyState(key.vk) & 1) ? '1' : '0';
  return state;
}

bool KeysMatch(const std::string& state, const std::string& pattern) {
  if (state.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < state.size(); ++i)
    if (pattern[i] != 'x' && pattern[i] != state[i]) return false;
  return true;
}

// A user's press and release of the key named "caps", "num" or "scroll".
bool Press(const std::string& name) {
  for (const LockKey& key : kLockKeys) {
    if (name != key.name) continue;
    const BYTE scan = static_cast<BYTE>(::MapVirtualKeyA(key.vk, MAPVK_VK_TO_VSC));
    ::keybd_event(key.vk, scan, key.flags, 0);
    ::keybd_event(key.vk, scan, key.flags | KEYEVENTF_KEYUP, 0);
    return true;
  }
  return false;
}

// Until the keys match the pattern, timed from `clock`'s start: "ok CNS ms".
std::string WaitForKeys(const std::string& pattern, int timeoutMs, const Stopwatch& clock) {
  const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), pattern); }, timeoutMs);
  const std::string state = ReadLockKeys();
  return matched ? Ok(state + " " + Ms(clock.Ms())) : Fail(state + " after " + Ms(clock.Ms()) + " ms");
}

}  // namespace

void AddKeyCommands(CommandTable& table) {
  table["keys"] = [](HostState&, const Args&) { return Ok(ReadLockKeys()); };
  table["press"] = [](HostState&, const Args& a) {
    return Press(a[1]) ? Ok(ReadLockKeys()) : Fail("unknown key " + a[1]);
  };
  // setkeys PATTERN: as a user would, pressing the keys that differ.
  table["setkeys"] = [](HostState&, const Args& a) {
    if (a[1].size() != 3 || a[1].find_first_not_of("01x") != std::string::npos) return Fail("bad pattern " + a[1]);
    const std::string state = ReadLockKeys();
    for (std::size_t i = 0; i < 3 && i < a[1].size(); ++i)
      if (a[1][i] != 'x' && a[1][i] != state[i]) Press(kLockKeys[i].name);
    const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), a[1]); }, 2000);
    return matched ? Ok(ReadLockKeys()) : Fail(ReadLockKeys());
  };
  table["waitkeys"] = [](HostState&, const Args& a) { return WaitForKeys(a[1], a.Int(2), Stopwatch()); };
  // switch NAME PATTERN MS: the time from activating a window to its keys
  // being right.
  table["switch"] = [](HostState& host, const Args& a) {
    const Stopwatch clock;
    if (!Activate(host.Window(a[1]), kActivateTimeoutMs)) return Fail("could not activate " + a[1]);
    return WaitForKeys(a[2], a.Int(3), clock);
  };
  table["steady"] = [](HostState&, const Args& a) {
    std::string seen;
    const bool left = WaitUntil([&] { return !KeysMatch(seen = ReadLockKeys(), a[1]); }, a.Int(2), 5);
    return left ? Fail(seen) : Ok(seen);
  };
}

}  // namespace e2e
