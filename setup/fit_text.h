#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Text widths in twips, as a window measures them in a font of its own.
using TextWidthOf = std::function<std::int32_t(const std::string&)>;

// Shortens text with "..." so that it fits width: the beginning is kept
// when keepStart is set, else the end; "..." alone when not even one
// character fits. A text that fits comes back unchanged.
std::string FitText(const std::string& text, std::int32_t width, bool keepStart, const TextWidthOf& widthOf);
