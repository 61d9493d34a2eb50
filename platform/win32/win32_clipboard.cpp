#include "platform/win32/win32_clipboard.h"

#include "platform/win32/win32_api.h"

#include <algorithm>
#include <cstring>
#include <string>

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

void Key(BYTE vk, bool up) { ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyA(vk, 0)), up ? KEYEVENTF_KEYUP : 0, 0); }

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

  // The command now runs as soon as the hot-key arrives, often before the
  // user has let go of its keys; a Ctrl let go in the middle of our
  // keystroke would make it a plain letter. So wait, briefly, for the hands
  // to leave the modifiers; whatever is still held is dealt with below.
  for (const DWORD waitStart = ::GetTickCount();
       (Down(VK_CONTROL) || Down(VK_MENU) || Down(VK_SHIFT) || Down(VK_LWIN) || Down(VK_RWIN)) &&
       ::GetTickCount() - waitStart < kReleaseWaitMs;)
    ::Sleep(10);

  // Ctrl goes down before the user's Alt or Windows key is let go, so that
  // letting go opens neither the menu bar nor the Start menu. It is pressed
  // and let go by us even when the user still holds it: the user may let go
  // at any moment, which would turn the keystroke into a plain letter.
  Key(VK_CONTROL, false);
  for (BYTE held : {VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN})
    if (Down(held)) Key(held, true);
  Key(vk, false);
  Key(vk, true);
  Key(VK_CONTROL, true);

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
