// keys, press, setkeys, waitkeys, switch, steady.
#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_keys.h"
#include "tests/e2e/host_support.h"

namespace e2e {
namespace {

// Until the keys match the pattern, timed from `clock`'s start.
std::string WaitForKeys(const std::string& pattern, int timeoutMs, const Stopwatch& clock) {
  const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), pattern); }, timeoutMs);
  const std::string state = ReadLockKeys();
  return matched ? Ok(state + " " + Ms(clock.Ms())) : Fail(state + " after " + Ms(clock.Ms()) + " ms");
}

}  // namespace

void AddKeyCommands(CommandTable& table) {
  table["keys"] = [](HostState&, const Args&) { return Ok(ReadLockKeys()); };
  table["press"] = [](HostState&, const Args& a) {
    return PressLockKey(a[1]) ? Ok(ReadLockKeys()) : Fail("unknown key " + a[1]);
  };
  // setkeys PATTERN: as a user would, pressing the keys that differ.
  table["setkeys"] = [](HostState&, const Args& a) {
    if (!IsKeyPattern(a[1])) return Fail("bad pattern " + a[1]);
    PressTowards(a[1]);
    const bool matched = WaitUntil([&] { return KeysMatch(ReadLockKeys(), a[1]); }, 2000);
    return matched ? Ok(ReadLockKeys()) : Fail(ReadLockKeys());
  };
  // waitkeys PATTERN MS: "ok CNS ms".
  table["waitkeys"] = [](HostState&, const Args& a) {
    if (!IsKeyPattern(a[1])) return Fail("bad pattern " + a[1]);
    return WaitForKeys(a[1], a.Int(2), Stopwatch());
  };
  // switch NAME PATTERN MS: the time from activating a window to its keys
  // being right.
  table["switch"] = [](HostState& host, const Args& a) {
    if (!IsKeyPattern(a[2])) return Fail("bad pattern " + a[2]);
    const Stopwatch clock;
    HWND hwnd = host.windows.Find(a[1]);
    if (hwnd == nullptr || !Activate(hwnd, kActivateTimeoutMs)) return Fail("could not activate " + a[1]);
    return WaitForKeys(a[2], a.Int(3), clock);
  };
  // steady PATTERN MS: the keys keep matching for the whole time.
  table["steady"] = [](HostState&, const Args& a) {
    if (!IsKeyPattern(a[1])) return Fail("bad pattern " + a[1]);
    std::string seen;
    const bool left = WaitUntil(
        [&] {
          seen = ReadLockKeys();
          return !KeysMatch(seen, a[1]);
        },
        a.Int(2), 5);
    return left ? Fail(seen) : Ok(seen);
  };
}

}  // namespace e2e
