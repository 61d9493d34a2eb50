#pragma once
#include <stdexcept>
#include <string>

namespace forms {

// An error of the form layer, with the number and text the user would see in
// a run-time error report.
class Error : public std::runtime_error {
 public:
  Error(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

inline constexpr int kErrControlExists = 727;  // a control of that name is already there
inline constexpr int kErrNoSuchControl = 730;  // no control of that name
inline constexpr int kErrCannotCreateWindow = 746;

// Raised by a backend's End() where the program cannot simply stop the
// process (the headless backend): everything after it is skipped.
class ProgramEnded : public std::exception {
 public:
  const char* what() const noexcept override { return "the program ended"; }
};

}  // namespace forms
