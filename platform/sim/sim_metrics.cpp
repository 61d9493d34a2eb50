#include "platform/sim/sim_metrics.h"

#include "platform/os_types.h"

namespace sim {

SimMetrics::SimMetrics() { SetMetricsForDpi(96); }

void SimMetrics::SetMetricsForDpi(int dpi) {
  // Windows 10's values with its standard scheme; they do not scale in
  // proportion (the caption grows by whole pixels of its font).
  const bool large = dpi >= 144;
  metrics_[platform::kSmCxFrame] = large ? 6 : 4;
  metrics_[platform::kSmCyFrame] = large ? 6 : 4;
  metrics_[platform::kSmCyCaption] = large ? 34 : 23;
  metrics_[platform::kSmCyMenu] = large ? 30 : 20;
}

int SimMetrics::GetSystemMetrics(int index) {
  const auto it = metrics_.find(index);
  return it == metrics_.end() ? 0 : it->second;
}

bool SimMetrics::MessageBeep(std::uint32_t type) {
  beeps_.push_back(type);
  return true;
}

}  // namespace sim
