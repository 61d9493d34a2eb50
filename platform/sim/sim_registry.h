#pragma once
// The user's part of the registry on the simulated desktop: text values by
// key and name (letter case ignored, as Windows does), a count of the
// changes made, and a registry that refuses them.
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/os_registry.h"
#include "platform/sim/sim_files.h"

namespace sim {

class SimRegistry : public virtual platform::OsRegistry {
 public:
  // ---- set-up and faults ----
  // As another program (or the user in regedit) would leave it; nothing
  // removes it.
  void SetRegistryText(const std::string& key, const std::string& name, std::optional<std::string> text);
  void RefuseRegistryChanges(bool refuse = true) { refuse_ = refuse; }

  // ---- observation ----
  std::optional<std::string> RegistryText(const std::string& key, const std::string& name) const;
  int RegistryChanges() const { return changes_; }

  // ---- platform::OsRegistry ----
  std::optional<std::string> RegQueryValueEx(const std::string& key, const std::string& name) override {
    return RegistryText(key, name);
  }
  bool RegSetValueEx(const std::string& key, const std::string& name, const std::string& text) override;
  bool RegDeleteValue(const std::string& key, const std::string& name) override;

 private:
  using Place = std::pair<std::string, std::string>;
  struct PlaceLess {
    bool operator()(const Place& a, const Place& b) const {
      if (PathLess()(a.first, b.first)) return true;
      if (PathLess()(b.first, a.first)) return false;
      return PathLess()(a.second, b.second);
    }
  };
  std::map<Place, std::string, PlaceLess> values_;
  bool refuse_ = false;
  int changes_ = 0;
};

}  // namespace sim
