#pragma once
#include <optional>
#include <string>

namespace platform {

// Text values in the user's own part of the registry (HKEY_CURRENT_USER),
// one call each: what the program keeps there is the per-user Run entry.
// Key paths are relative to HKEY_CURRENT_USER ("Software\\...").
class OsRegistry {
 public:
  virtual ~OsRegistry() = default;
  // The value's text as stored (REG_SZ, or REG_EXPAND_SZ unexpanded); nothing
  // when the key or the value is missing, or the value holds no text.
  virtual std::optional<std::string> RegQueryValueEx(const std::string& key, const std::string& name) = 0;
  // Writes a REG_SZ value, making the key when it is missing. False when
  // Windows refused.
  virtual bool RegSetValueEx(const std::string& key, const std::string& name, const std::string& text) = 0;
  // Removes the value. True when it is gone, also when it never was there.
  virtual bool RegDeleteValue(const std::string& key, const std::string& name) = 0;
};

}  // namespace platform
