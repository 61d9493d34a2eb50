// Any bytes as clipboard text: ReverseCase and TransformRichText keep the
// length, change nothing before the first "\fs" nor any backslash, space or
// byte that is not a letter; the clipboard commands on the simulated desktop
// leave as many characters as they found (none lost, none split); and the
// comparisons that ignore case agree with upper-casing and find every start
// and end of a text in it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "platform/sim/sim_desktop.h"
#include "platform/text/utf8.h"
#include "store/text.h"
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

std::size_t Characters(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < s.size(); ++n) at += text::DecodeUtf8(s, at).length;
  return n;
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
  const std::string plain = std::string(text).c_str();
  desktop.PutOnClipboard(platform::kCfUnicodeText, plain);
  functions.ReverseClipboardText();
  functions.CapitalizeClipboardText();
  functions.LowerClipboardText();
  FUZZ_CHECK(Characters(desktop.ClipboardData().at(platform::kCfUnicodeText)) == Characters(plain));
  FUZZ_CHECK(!desktop.ClipboardOpen());

  const std::string upper = UpperCase(text);
  FUZZ_CHECK(EqualsIgnoringCase(text, upper) && EqualsIgnoringCase(upper, text));
  FUZZ_CHECK(Characters(upper) == Characters(text));
  for (std::size_t at = 0;;) {
    FUZZ_CHECK(StartsWithIgnoringCase(text, upper.substr(0, UpperCase(text.substr(0, at)).size())) == at);
    FUZZ_CHECK(EndsWithIgnoringCase(text, text.substr(at)) == at);
    if (at == text.size()) break;
    at += text::DecodeUtf8(text, at).length;
  }
  return 0;
}
