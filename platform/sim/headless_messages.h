#pragma once
#include <cstdint>

namespace sim {

// The window messages the headless forms answer, with their Windows values.
inline constexpr std::uint32_t kWmClose = 0x0010;
inline constexpr std::uint32_t kWmQueryEndSession = 0x0011;
inline constexpr std::uint32_t kWmEndSession = 0x0016;
// The form layer's own message behind Form::Post.
inline constexpr std::uint32_t kWmFormPosted = 0x8000 + 0x10;

}  // namespace sim
