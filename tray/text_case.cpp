#include "tray/text_case.h"

namespace {
char SwapCase(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  return c;
}
}  // namespace

std::string ReverseCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = SwapCase(c);
  return out;
}

std::string TransformRichText(std::string_view text, bool toUpper, const CaseConverter& upper) {
  std::string out(text);
  std::size_t pos = out.find("\\fs");
  if (pos == std::string::npos) return {};
  const std::size_t length = out.size();
  // Positions here count from 0; the loop ends where a 1-based position would
  // reach the length, i.e. at the last character.
  do {
    pos = out.find(' ', pos);
    if (pos == std::string::npos) break;
    std::size_t end = out.find('\\', pos);
    if (end == std::string::npos) {
      end = length - 1;
    } else {
      while (end + 1 < length && out[end + 1] == '\\') ++end;
    }
    char* run = out.data() + pos;
    const std::size_t runLength = end - pos + 1;
    if (toUpper) {
      upper(run, runLength);
    } else {
      for (std::size_t i = 0; i < runLength; ++i) run[i] = SwapCase(run[i]);
    }
    pos = end + 1;
  } while (pos + 1 < length);
  return out;
}
