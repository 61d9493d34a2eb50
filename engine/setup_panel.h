#pragma once
#include <cstdint>
#include <string>

// Where the setup window joins the evaluation of the active window. The
// setup window implements it; until it is open the engine holds none.
enum class ActiveWindowLabel { lblAWTitle, lblAWOwnerTitle, lblAWOwnerEXE };

class SetupWindowPanel {
 public:
  virtual ~SetupWindowPanel() = default;
  virtual void ShowMatchedText(const std::string& text, const std::string& filter, std::int32_t matchType,
                               ActiveWindowLabel label) = 0;
  virtual void UpdateMonitorButtons() = 0;
};
