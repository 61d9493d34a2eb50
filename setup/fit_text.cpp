#include "setup/fit_text.h"

std::string FitText(const std::string& text, std::int32_t width, bool keepStart, const TextWidthOf& widthOf) {
  if (widthOf(text) <= width) return text;
  // Widths grow with the number of characters kept, so the longest part
  // that fits is found by halving rather than by trying each length.
  std::size_t fits = 0;
  std::size_t tooLong = text.size() + 1;
  const auto shown = [&](std::size_t n) {
    return keepStart ? text.substr(0, n) + "..." : "..." + text.substr(text.size() - n);
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
