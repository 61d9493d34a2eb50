#include "platform/sim/sim_clipboard.h"

#include <cstring>

namespace sim {

namespace {
// Windows-1252 letters: A-Z, and the accented range from 0xC0 (0xD7 and 0xF7
// are the multiplication and division signs).
bool IsUpperLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }
bool IsLowerLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7); }
}  // namespace

bool SimClipboard::OpenClipboard(platform::WindowHandle) {
  ++openAttempts_;
  if (busyAttempts_ > 0) {
    --busyAttempts_;
    return false;
  }
  if (open_) return false;
  open_ = true;
  return true;
}

bool SimClipboard::CloseClipboard() {
  const bool was = open_;
  open_ = false;
  return was;
}

bool SimClipboard::EmptyClipboard() {
  if (!open_) return false;
  data_.clear();
  ++sequence_;
  return true;
}

bool SimClipboard::IsClipboardFormatAvailable(std::uint32_t format) { return data_.count(format) > 0; }

std::optional<std::string> SimClipboard::GetClipboardText(std::uint32_t format) {
  if (!open_) return std::nullopt;
  const auto it = data_.find(format);
  if (it == data_.end()) return std::nullopt;
  return it->second.substr(0, std::strlen(it->second.c_str()));
}

bool SimClipboard::SetClipboardText(std::uint32_t format, std::string_view text) {
  if (!open_) return false;
  data_[format] = std::string(text);
  ++sequence_;
  return true;
}

std::uint32_t SimClipboard::RegisterClipboardFormatA(const char* name) {
  return name != nullptr && std::strcmp(name, platform::kRichTextFormatName) == 0 ? kRichTextFormat : 0;
}

std::optional<std::uint32_t> SimClipboard::GetClipboardSequenceNumber() {
  if (!counts_) return std::nullopt;
  return sequence_;
}

void SimClipboard::CharUpperBuffA(char* text, std::uint32_t length) {
  for (std::uint32_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLowerLetter(c)) text[i] = static_cast<char>(c - 0x20);
  }
}

void SimClipboard::CharLowerBuffA(char* text, std::uint32_t length) {
  for (std::uint32_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsUpperLetter(c)) text[i] = static_cast<char>(c + 0x20);
  }
}

bool SimClipboard::SendCtrlKeyAndWait(std::uint8_t vk) {
  // Held modifiers are released before the keystroke goes out; Ctrl stays.
  sentKeys_.push_back({vk, 0});
  heldModifiers_ &= platform::kModControl;
  const auto it = editors_.find(FocusWindow());
  if (it == editors_.end()) return FocusWindow() != 0;
  SimEditor& editor = it->second;
  if (editor.whileHandlingKeys) {
    // A copy: the handler may replace the editors (and this one) meanwhile.
    const auto handler = editor.whileHandlingKeys;
    handler(vk);
    if (editors_.find(FocusWindow()) != it) return true;
  }
  if (editor.ignoresKeys) return true;
  if (vk == 'C' && !editor.selection.empty()) {
    // The editor cannot copy while another program holds the clipboard.
    if (busyAttempts_ > 0) {
      --busyAttempts_;
      return true;
    }
    ++sequence_;
    data_.clear();
    data_[platform::kCfText] = editor.selection;
    if (!editor.richSelection.empty()) data_[kRichTextFormat] = editor.richSelection;
  } else if (vk == 'V') {
    const bool rich = !editor.richSelection.empty() && data_.count(kRichTextFormat);
    const auto from = data_.find(rich ? kRichTextFormat : platform::kCfText);
    if (from != data_.end()) {
      editor.pasted.push_back(from->second);
      (rich ? editor.richSelection : editor.selection) = from->second;
      if (!editor.keepsPasteSelected) editor.selection.clear(), editor.richSelection.clear();
    }
  }
  return true;
}

}  // namespace sim
