#pragma once
#include "platform/os_registry.h"

// Text values under HKEY_CURRENT_USER through advapi32: the wide calls on the
// NT family, the ANSI calls with the code page on the 9x family.
class Win32Registry : public virtual platform::OsRegistry {
 public:
  std::optional<std::string> RegQueryValueEx(const std::string& key, const std::string& name) override;
  bool RegSetValueEx(const std::string& key, const std::string& name, const std::string& text) override;
  bool RegDeleteValue(const std::string& key, const std::string& name) override;
};
