// Any bytes as Tarvolo.INI: LoadSettings, SaveSettings and LoadSettings again
// must not crash, leak or hang; the second load must give the same settings
// and options as the first, and saving them again must not change the file.
// A file that could not be read must never be written; one that did not read
// exactly (broken UTF-16) is kept aside whole by the first save. Inputs ending
// with an odd byte are put behind long comment lines that bring the file close
// to the largest one a load accepts: a save that would grow past it must
// refuse and leave the file as it was, since it could not be read again. The
// limit is lowered for them, which keeps each run fast; the rules are the
// same. (The end, not the start, so that byte-order marks stay marks.)
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

#include "fuzz/fuzz_check.h"
#include "app/program_state.h"
#include "platform/sim/sim_desktop.h"
#include "store/file_encoding.h"
#include "store/settings_file.h"

namespace {

const std::string kPath = "C:\\Program Files\\Tarvolo\\Tarvolo.INI";

// Every field the file keeps.
auto Stored(const clsHotkey& h) { return std::tie(h.sDescription, h.sHotkey, h.lModifier, h.lVKey); }
auto Stored(const clsSetting& s) {
  return std::tie(s.Name, s.Filter_Title, s.Filter_Owner, s.Filter_EXE, s.Match_Title, s.Match_Owner, s.Match_EXE,
                  s.Action_CapsLock, s.Action_NumLock, s.Action_ScrollLock);
}
auto Stored(const AppOptionsRecord& o) {
  return std::tuple(o.AlwaysOnTop, o.KeystrokeSimulation, o.AdminPassword, o.ShowLockKeysInTray, o.TellLockKeyChanges,
                    Stored(o.HotkeyShow), Stored(o.HotkeyCapitalize), Stored(o.HotkeyReverse), Stored(o.HotkeyLower));
}

bool SameState(const ProgramState& a, const ProgramState& b) {
  if (Stored(a.AppOptions) != Stored(b.AppOptions) || a.Settings.Count() != b.Settings.Count()) return false;
  for (std::int32_t i = 1; i <= a.Settings.Count(); ++i)
    if (Stored(*a.Settings.Item(i)) != Stored(*b.Settings.Item(i))) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t limit = IniDocument::kMaxFileBytes;
  if (size >= 2 && (data[size - 1] & 1) != 0) {
    limit = 64 * 1024;
    const std::size_t room = limit - std::min<std::size_t>(size, 16 * 1024) - data[size - 2] * 16u;
    std::string padding;
    while (padding.size() < room) {
      const std::size_t line = std::min<std::size_t>(room - padding.size(), 4096);
      padding += line > 1 ? ";" + std::string(line - 2, 'x') + "\n" : std::string(line, '\n');
    }
    input = padding + input;
  }
  sim::SimDesktop desk;
  desk.SetFile(kPath, input);

  ProgramState first(desk);
  LoadSettings(first, limit);
  const IniSaveResult result = SaveSettings(first);
  if (result.status == IniSaveStatus::TooLarge) {
    FUZZ_CHECK(first.SettingsFileProblem.empty() && desk.File(kPath) == input);
    return 0;
  }
  if (!result) {
    FUZZ_CHECK(!first.SettingsFileProblem.empty());
    FUZZ_CHECK(desk.WriteAttempts() == 0 && desk.File(kPath) == input);
    return 0;
  }
  FUZZ_CHECK(first.SettingsFileProblem.empty());
  const std::string saved = desk.File(kPath).value();
  // Kept aside just when the file did not read exactly.
  FUZZ_CHECK(result.backupPath.empty() == DecodeFile(input, desk).exact);
  FUZZ_CHECK(result.backupPath.empty() || desk.File(result.backupPath) == input);

  ProgramState second(desk);
  LoadSettings(second, limit);
  FUZZ_CHECK(second.SettingsFileProblem.empty());
  FUZZ_CHECK(SameState(first, second));
  FUZZ_CHECK(SaveSettings(second));
  FUZZ_CHECK(desk.File(kPath) == saved);
  return 0;
}
