#include "platform/win32/win32_registry.h"

#include "platform/win32/win32_api.h"

#include <utility>
#include <vector>

#include "platform/win32/win32_text.h"

namespace {

using platform::win32::IsNt;
using platform::win32::ToAnsi;
using platform::win32::Widen;

// An open registry key, closed when it goes out of scope.
class KeyHandle {
 public:
  KeyHandle() = default;
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (key_) ::RegCloseKey(key_);
  }
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool Open(const std::string& key, REGSAM access, KeyHandle& handle) {
  const LONG result = IsNt() ? ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, access, handle.out())
                             : ::RegOpenKeyExA(HKEY_CURRENT_USER, ToAnsi(key).c_str(), 0, access, handle.out());
  return result == ERROR_SUCCESS;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// A value read in full, asked again when it grew between the size and the read.
template <typename Char, typename Query>
std::optional<std::basic_string<Char>> ReadText(Query query) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD type = 0, bytes = 0;
    if (query(&type, nullptr, &bytes) != ERROR_SUCCESS || !IsText(type)) return std::nullopt;
    std::vector<Char> buffer(bytes / sizeof(Char) + 1, Char{});
    bytes = static_cast<DWORD>(buffer.size() * sizeof(Char));
    const LONG result = query(&type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS || !IsText(type)) return std::nullopt;
    // Stored with or without its terminating NUL.
    std::basic_string<Char> text(buffer.data(), bytes / sizeof(Char));
    while (!text.empty() && text.back() == Char{}) text.pop_back();
    return text;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Win32Registry::RegQueryValueEx(const std::string& key, const std::string& name) {
  KeyHandle handle;
  if (!Open(key, KEY_QUERY_VALUE, handle)) return std::nullopt;
  if (IsNt()) {
    const std::wstring wide = Widen(name);
    const auto text = ReadText<wchar_t>([&](DWORD* type, BYTE* data, DWORD* bytes) {
      return ::RegQueryValueExW(handle.get(), wide.c_str(), nullptr, type, data, bytes);
    });
    if (!text) return std::nullopt;
    return platform::win32::Narrow(*text);
  }
  const std::string ansi = ToAnsi(name);
  const auto text = ReadText<char>([&](DWORD* type, BYTE* data, DWORD* bytes) {
    return ::RegQueryValueExA(handle.get(), ansi.c_str(), nullptr, type, data, bytes);
  });
  if (!text) return std::nullopt;
  return platform::win32::FromAnsi(*text);
}

bool Win32Registry::RegSetValueEx(const std::string& key, const std::string& name, const std::string& text) {
  KeyHandle handle;
  if (IsNt()) {
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.out(),
                          nullptr) != ERROR_SUCCESS)
      return false;
    const std::wstring data = Widen(text);
    return ::RegSetValueExW(handle.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, ToAnsi(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.out(),
                        nullptr) != ERROR_SUCCESS)
    return false;
  const std::string data = ToAnsi(text);
  return ::RegSetValueExA(handle.get(), ToAnsi(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool Win32Registry::RegDeleteValue(const std::string& key, const std::string& name) {
  KeyHandle handle;
  if (!Open(key, KEY_SET_VALUE, handle)) {
    // No key, no value; a key there that may not be changed keeps it.
    KeyHandle reading;
    return !Open(key, KEY_QUERY_VALUE, reading);
  }
  const LONG result = IsNt() ? ::RegDeleteValueW(handle.get(), Widen(name).c_str())
                             : ::RegDeleteValueA(handle.get(), ToAnsi(name).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
