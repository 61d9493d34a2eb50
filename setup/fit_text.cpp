#include "setup/fit_text.h"

#include <vector>

#include "platform/text/utf8.h"

std::string FitText(const std::string& text, std::int32_t width, bool keepStart, const TextWidthOf& widthOf) {
  if (widthOf(text) <= width) return text;
  // Cuts fall between characters only: half a character is not text.
  std::vector<std::size_t> cuts{0};
  for (std::size_t at = 0; at < text.size();) cuts.push_back(at += text::DecodeUtf8(text, at).length);
  const std::size_t count = cuts.size() - 1;
  // Widths grow with the number of characters kept, so the longest part
  // that fits is found by halving rather than by trying each length.
  std::size_t fits = 0;
  std::size_t tooLong = count + 1;
  const auto shown = [&](std::size_t n) {
    return keepStart ? text.substr(0, cuts[n]) + "..." : "..." + text.substr(cuts[count - n]);
  };
  while (tooLong - fits > 1) {
    const std::size_t n = fits + (tooLong - fits) / 2;
    if (widthOf(shown(n)) > width)
      tooLong = n;
    else
      fits = n;
  }
  return shown(fits);
}
