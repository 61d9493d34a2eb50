#pragma once
// One command line of the host, split into words, and the shape of answers.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {

// The words of a command line. Rest(n) is the text from the (n+1)-th word on,
// spaces inside it kept, for titles; Raw(n) is everything after the one space
// that follows the n-th word, so an answer may begin with a space.
class Args {
 public:
  explicit Args(const std::string& line) : line_(line) {
    std::size_t at = 0;
    for (;;) {
      at = line_.find_first_not_of(' ', at);
      if (at == std::string::npos) break;
      const std::size_t end = line_.find(' ', at);
      starts_.push_back(at);
      words_.push_back(line_.substr(at, end == std::string::npos ? std::string::npos : end - at));
      if (end == std::string::npos) break;
      at = end;
    }
  }
  const std::string& operator[](std::size_t i) const {
    static const std::string empty;
    return i < words_.size() ? words_[i] : empty;
  }
  int Int(std::size_t i) const { return std::atoi((*this)[i].c_str()); }
  DWORD Pid(std::size_t i) const { return static_cast<DWORD>(std::strtoul((*this)[i].c_str(), nullptr, 10)); }
  // EDIT argument of the window commands: 1 with a text field, 0 without, "any".
  int EditChoice(std::size_t i) const { return (*this)[i] == "any" ? -1 : Int(i); }
  std::string Rest(std::size_t n) const { return n < starts_.size() ? line_.substr(starts_[n]) : std::string(); }
  std::string Raw(std::size_t n) const {
    if (n == 0 || n > starts_.size()) return {};
    const std::size_t after = starts_[n - 1] + words_[n - 1].size() + 1;
    return after < line_.size() ? line_.substr(after) : std::string();
  }

 private:
  std::string line_;
  std::vector<std::string> words_;
  std::vector<std::size_t> starts_;
};

inline std::string Ok(const std::string& detail = {}) { return detail.empty() ? "ok" : "ok " + detail; }
inline std::string Fail(const std::string& detail) { return "fail " + detail; }

inline std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

}  // namespace e2e
