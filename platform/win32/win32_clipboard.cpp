#include "platform/win32/win32_clipboard.h"

#include "platform/win32/win32_api.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ctrl_key_batch.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace {

// A global memory block locked for as long as this lives.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  ~GlobalLockScope() {
    if (data_ != nullptr) ::GlobalUnlock(block_);
  }
  char* data() const { return static_cast<char*>(data_); }

 private:
  HGLOBAL block_;
  void* data_;
};

// A global block owned until the clipboard takes it.
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T size) : block_(::GlobalAlloc(GMEM_MOVEABLE, size)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (block_ != nullptr) ::GlobalFree(block_);
  }
  HGLOBAL get() const { return block_; }
  void release() { block_ = nullptr; }

 private:
  HGLOBAL block_;
};

bool Down(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

using SendInputFn = UINT(WINAPI*)(UINT, LPINPUT, int);

// Windows 95 and NT 4 before its third service pack have no SendInput.
SendInputFn SendInputCall() {
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<SendInputFn>(reinterpret_cast<void*>(::GetProcAddress(user32, "SendInput")))
                : nullptr;
}

DWORD Flags(const platform::KeyStroke& key) {
  const bool extended = key.vk == VK_LWIN || key.vk == VK_RWIN;
  return (key.up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
}

// One SendInput call: the system lets no other input in between, so a key
// the user presses or lets go meanwhile lands before or after the whole
// keystroke, never inside it. Without SendInput, key by key.
void Send(const std::vector<platform::KeyStroke>& batch) {
  static const SendInputFn sendInput = SendInputCall();
  if (sendInput == nullptr) {
    for (const platform::KeyStroke& key : batch)
      ::keybd_event(key.vk, static_cast<BYTE>(::MapVirtualKeyA(key.vk, 0)), Flags(key), 0);
    return;
  }
  std::vector<INPUT> inputs(batch.size());
  for (std::size_t i = 0; i < batch.size(); ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = batch[i].vk;
    inputs[i].ki.wScan = static_cast<WORD>(::MapVirtualKeyA(batch[i].vk, 0));
    inputs[i].ki.dwFlags = Flags(batch[i]);
  }
  sendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

using SequenceNumber = DWORD(WINAPI*)();

// Not there before Windows 2000.
SequenceNumber ClipboardSequence() {
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<SequenceNumber>(
                      reinterpret_cast<void*>(::GetProcAddress(user32, "GetClipboardSequenceNumber")))
                : nullptr;
}

}  // namespace

bool Win32Clipboard::OpenClipboard(platform::WindowHandle owner) {
  return ::OpenClipboard(platform::win32::ToHwnd(owner)) != FALSE;
}

bool Win32Clipboard::CloseClipboard() { return ::CloseClipboard() != FALSE; }

bool Win32Clipboard::EmptyClipboard() { return ::EmptyClipboard() != FALSE; }

bool Win32Clipboard::IsClipboardFormatAvailable(std::uint32_t format) {
  return ::IsClipboardFormatAvailable(format) != FALSE;
}

std::optional<std::string> Win32Clipboard::GetClipboardText(std::uint32_t format) {
  HANDLE data = ::GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  const SIZE_T size = ::GlobalSize(data);
  GlobalLockScope lock(data);
  if (lock.data() == nullptr) return std::nullopt;
  // Another program wrote the block: it may lack its NUL.
  if (format == platform::kCfUnicodeText) {
    const auto* wide = reinterpret_cast<const wchar_t*>(lock.data());
    const std::size_t units = size / sizeof(wchar_t);
    return platform::win32::Narrow(std::wstring_view(wide, std::find(wide, wide + units, L'\0') - wide));
  }
  const void* nul = std::memchr(lock.data(), '\0', size);
  const SIZE_T length = nul != nullptr ? static_cast<SIZE_T>(static_cast<const char*>(nul) - lock.data()) : size;
  const std::string_view bytes(lock.data(), length);
  if (format == platform::kCfText) return platform::win32::FromAnsi(bytes);
  return std::string(bytes);
}

bool Win32Clipboard::SetClipboardText(std::uint32_t format, std::string_view text) {
  std::wstring wide;
  std::string bytes;
  std::string_view block;
  if (format == platform::kCfUnicodeText) {
    wide = platform::win32::Widen(text);
    block = std::string_view(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
  } else {
    bytes = format == platform::kCfText ? platform::win32::ToAnsi(text) : std::string(text);
    block = std::string_view(bytes.c_str(), bytes.size() + 1);
  }
  GlobalBlock memory(block.size());
  if (memory.get() == nullptr) return false;
  {
    GlobalLockScope lock(memory.get());
    if (lock.data() == nullptr) return false;
    std::memcpy(lock.data(), block.data(), block.size());
  }
  if (::SetClipboardData(format, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

std::uint32_t Win32Clipboard::RegisterClipboardFormat(const std::string& name) {
  if (platform::win32::IsNt()) return ::RegisterClipboardFormatW(platform::win32::Widen(name).c_str());
  return ::RegisterClipboardFormatA(platform::win32::ToAnsi(name).c_str());
}

std::optional<std::uint32_t> Win32Clipboard::GetClipboardSequenceNumber() {
  static const SequenceNumber sequence = ClipboardSequence();
  if (sequence == nullptr) return std::nullopt;
  return sequence();
}

bool Win32Clipboard::SendCtrlKeyAndWait(std::uint8_t vk) {
  const HWND target = ::GetForegroundWindow();
  if (target == nullptr) return false;
  const SequenceNumber sequence = ClipboardSequence();
  const DWORD before = sequence ? sequence() : 0;

  std::vector<std::uint8_t> held;
  for (const int key : platform::kBatchModifiers)
    if (Down(key)) held.push_back(static_cast<std::uint8_t>(key));
  Send(platform::CtrlKeyBatch(vk, held));

  // The target has taken the keystrokes off its queue once it answers a sent
  // message; a copy is done once the clipboard has changed.
  const DWORD start = ::GetTickCount();
  DWORD_PTR ignored = 0;
  bool answered = false;
  while (::GetTickCount() - start < kWaitMs) {
    answered = ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &ignored) != 0;
    if (!answered) break;
    if (vk != 'C' || sequence == nullptr || sequence() != before) break;
    ::Sleep(10);
  }
  return answered;
}
