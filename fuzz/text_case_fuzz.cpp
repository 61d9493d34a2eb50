// Any bytes as clipboard text: ReverseCase and TransformRichText keep the
// length, change nothing before the first "\fs" nor any backslash, space or
// byte that is not a letter, and the clipboard commands on the simulated
// desktop leave text of the same length behind.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/sim/sim_desktop.h"
#include "tray/text_case.h"
#include "tray/text_commands.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void Upper(char* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 32);
}

void CheckOnlyLettersChanged(std::string_view before, std::string_view after) {
  FUZZ_CHECK(before.size() == after.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    if (before[i] != after[i]) FUZZ_CHECK(IsAsciiLetter(before[i]) && IsAsciiLetter(after[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::string reversed = ReverseCase(text);
  CheckOnlyLettersChanged(text, reversed);
  FUZZ_CHECK(ReverseCase(reversed) == text);

  const std::size_t fontSize = text.find("\\fs");
  for (bool toUpper : {true, false}) {
    const std::string rich = TransformRichText(text, toUpper, Upper);
    if (fontSize == std::string_view::npos) {
      FUZZ_CHECK(rich.empty());
      continue;
    }
    CheckOnlyLettersChanged(text, rich);
    FUZZ_CHECK(std::memcmp(rich.data(), text.data(), fontSize) == 0);
  }

  // The commands read plain text up to its NUL; rich text is kept whole.
  sim::SimDesktop desktop;
  modFunctions functions(desktop);
  const std::size_t plainLength = std::strlen(std::string(text).c_str());
  desktop.PutOnClipboard(platform::kCfText, std::string(text));
  functions.ReverseClipboardText();
  functions.CapitalizeClipboardText();
  functions.LowerClipboardText();
  FUZZ_CHECK(desktop.ClipboardData().at(platform::kCfText).size() == plainLength);
  FUZZ_CHECK(!desktop.ClipboardOpen());
  return 0;
}
