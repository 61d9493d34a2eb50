// Hot-keys that the test host itself holds, as another program would:
// holdhotkey, freehotkeys; and waitatom, for the global atom a program
// names its hot-keys by.
#include <vector>

#include "tests/e2e/host_commands.h"
#include "tests/e2e/host_support.h"

namespace e2e {

void AddHotkeyCommands(CommandTable& table) {
  // holdhotkey MODIFIERS VK: registered for the host's thread until freed.
  table["holdhotkey"] = [](HostState&, const Args& a) {
    static int nextId = 1;
    const int id = nextId++;
    if (!::RegisterHotKey(nullptr, id, static_cast<UINT>(a.Int(1)), static_cast<UINT>(a.Int(2))))
      return Fail("taken");
    return Ok(std::to_string(id));
  };
  // freehotkeys ID...: gives back what holdhotkey took.
  table["freehotkeys"] = [](HostState&, const Args& a) {
    for (std::size_t i = 1; !a[i].empty(); ++i) ::UnregisterHotKey(nullptr, a.Int(i));
    return Ok();
  };
  // waitatom MS NAME: until the global atom table holds NAME.
  table["waitatom"] = [](HostState&, const Args& a) {
    const std::string name = a.Rest(2);
    const bool found = WaitUntil([&] { return ::GlobalFindAtomA(name.c_str()) != 0; }, a.Int(1), kSlowPollMs);
    return found ? Ok() : Fail("no atom " + name);
  };
}

}  // namespace e2e
