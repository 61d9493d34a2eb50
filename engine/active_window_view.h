#pragma once
#include <cstdint>
#include <string>

// The three facts the probe learns of the foreground window.
enum class WindowFact { Title, OwnerTitle, EXE };

// Where each evaluation of the foreground window is shown live while the
// setup window is open: each fact with the filter of the setting in force
// that it was matched against, then the setting's name.
class ActiveWindowView {
 public:
  virtual ~ActiveWindowView() = default;
  virtual void ShowMatchedText(const std::string& text, const std::string& filter, std::int32_t matchType,
                               WindowFact fact) = 0;
  virtual void UpdateMonitorButtons() = 0;
};
