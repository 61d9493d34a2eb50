#pragma once
// The clipboard of the simulated desktop, with formats (plain text in both
// forms, each made from the other as the system does) and a busy fault, and
// editors that answer Ctrl+C
// and Ctrl+V as a text box or a rich-text box would.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/os_clipboard.h"
#include "platform/os_hotkeys.h"

namespace sim {

struct SimEditor {
  std::string selection;      // the highlighted text (plain)
  std::string richSelection;  // and as rich text, for a rich-text box
  bool ignoresKeys = false;   // a program that does nothing with Ctrl+C / Ctrl+V
  std::vector<std::string> pasted;
  // A text box (false) leaves nothing highlighted after a paste; the text
  // the user sees is then `text`, the pasted parts in order.
  bool keepsPasteSelected = true;
  // Runs while the editor handles each Ctrl+C and Ctrl+V: a slow program,
  // during which other events of the caller may be serviced.
  std::function<void(std::uint8_t vk)> whileHandlingKeys;
};

class SimClipboard : public virtual platform::OsClipboard {
 public:
  static constexpr std::uint32_t kRichTextFormat = 0xC0F0;

  // ---- set-up and faults ----
  // Another program has the clipboard open for the next `attempts` tries.
  void HoldClipboardOpen(int attempts) { busyAttempts_ = attempts; }
  void PutOnClipboard(std::uint32_t format, std::string data) {
    data_[format] = std::move(data);
    ++sequence_;
  }
  void ClearClipboard() {
    data_.clear();
    ++sequence_;
  }
  void SetEditor(platform::WindowHandle hwnd, SimEditor editor) { editors_[hwnd] = std::move(editor); }
  // A system without the clipboard's sequence number (9x, NT 4).
  void SetClipboardCounts(bool counts) { counts_ = counts; }

  // ---- observation ----
  const std::map<std::uint32_t, std::string>& ClipboardData() const { return data_; }
  bool ClipboardOpen() const { return open_; }
  int OpenAttempts() const { return openAttempts_; }
  SimEditor& Editor(platform::WindowHandle hwnd) { return editors_.at(hwnd); }
  // The modifiers down once the last keystroke was sent: the user's again.
  std::uint32_t ModifiersAfterKeys() const { return modifiersAfter_; }
  // Each key sent with Ctrl, in order, and the modifiers down with it.
  struct SentKey {
    std::uint8_t vk;
    std::uint32_t modifiersDown;
  };
  const std::vector<SentKey>& SentKeys() const { return sentKeys_; }

  // ---- platform::OsClipboard ----
  bool OpenClipboard(platform::WindowHandle owner) override;
  bool CloseClipboard() override;
  bool EmptyClipboard() override;
  bool IsClipboardFormatAvailable(std::uint32_t format) override;
  std::optional<std::string> GetClipboardText(std::uint32_t format) override;
  bool SetClipboardText(std::uint32_t format, std::string_view text) override;
  std::uint32_t RegisterClipboardFormat(const std::string& name) override;
  std::optional<std::uint32_t> GetClipboardSequenceNumber() override;
  bool SendCtrlKeyAndWait(std::uint8_t vk) override;

 protected:
  virtual platform::WindowHandle FocusWindow() const = 0;
  // Whether the user's finger is on the key now (without taking a poll).
  virtual bool UserHolds(int vk) const = 0;

 private:
  std::optional<std::string> Read(std::uint32_t format) const;
  std::map<std::uint32_t, std::string> data_;
  bool open_ = false;
  bool counts_ = true;
  std::uint32_t sequence_ = 1;
  int busyAttempts_ = 0;
  int openAttempts_ = 0;
  std::map<platform::WindowHandle, SimEditor> editors_;
  std::uint32_t modifiersAfter_ = 0;
  std::vector<SentKey> sentKeys_;
};

}  // namespace sim
