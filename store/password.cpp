#include "store/password.h"

namespace {
constexpr unsigned char kSpace = 32;
constexpr unsigned char kTilde = 126;
}  // namespace

std::string EncodePassword(std::string_view password) {
  std::string out(password);
  for (char& c : out) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= kSpace && code < kTilde) c = static_cast<char>(code + 1);
    else if (code == kTilde) c = static_cast<char>(kSpace);
  }
  return out;
}

std::string DecodePassword(std::string_view stored) {
  std::string out(stored);
  for (char& c : out) {
    const auto code = static_cast<unsigned char>(c);
    if (code > kSpace && code <= kTilde) c = static_cast<char>(code - 1);
    else if (code == kSpace) c = static_cast<char>(kTilde);
  }
  return out;
}
