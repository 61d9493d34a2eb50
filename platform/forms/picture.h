#pragma once
#include <cstdint>

namespace forms {

// A picture as the form layer hands it around: an icon handle that the
// backend owns (0: no picture).
struct Picture {
  std::uintptr_t Handle = 0;
  bool operator==(const Picture&) const = default;
};

}  // namespace forms
