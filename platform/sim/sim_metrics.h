#pragma once
// The system's measures and its beep on the simulated desktop: the measures
// of the DPI a test asks for (96 until then), beeps recorded.
#include <cstdint>
#include <map>
#include <vector>

#include "platform/os_system.h"

namespace sim {

class SimMetrics : public virtual platform::OsSystem {
 public:
  SimMetrics();

  // ---- set-up ----
  // The frame, caption and menu measures Windows gives at 96 or 144 DPI.
  void SetMetricsForDpi(int dpi);

  // ---- observation ----
  const std::vector<std::uint32_t>& Beeps() const { return beeps_; }

  // ---- platform::OsSystem ----
  int GetSystemMetrics(int index) override;
  bool MessageBeep(std::uint32_t type) override;

 private:
  std::map<int, int> metrics_;
  std::vector<std::uint32_t> beeps_;
};

}  // namespace sim
