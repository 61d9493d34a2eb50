#include "platform/sim/sim_registry.h"

namespace sim {

void SimRegistry::SetRegistryText(const std::string& key, const std::string& name, std::optional<std::string> text) {
  if (text)
    values_[{key, name}] = std::move(*text);
  else
    values_.erase({key, name});
}

std::optional<std::string> SimRegistry::RegistryText(const std::string& key, const std::string& name) const {
  const auto it = values_.find({key, name});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool SimRegistry::RegSetValueEx(const std::string& key, const std::string& name, const std::string& text) {
  if (refuse_) return false;
  ++changes_;
  values_[{key, name}] = text;
  return true;
}

bool SimRegistry::RegDeleteValue(const std::string& key, const std::string& name) {
  if (!values_.count({key, name})) return true;
  if (refuse_) return false;
  ++changes_;
  values_.erase({key, name});
  return true;
}

}  // namespace sim
