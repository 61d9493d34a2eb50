#include "platform/sim/sim_clipboard.h"

#include <cstring>

#include "platform/ctrl_key_batch.h"
#include "platform/sim/sim_text.h"
#include "platform/text/utf8.h"

namespace sim {

namespace {

bool IsText(std::uint32_t format) { return format == platform::kCfText || format == platform::kCfUnicodeText; }

// CF_TEXT made from Unicode text, as the system makes it: what Windows-1252
// lacks becomes a question mark.
std::string AsCodePage(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const text::Utf8Char c = text::DecodeUtf8(text, at);
    if (c.valid && ToCp1252(c.cp))
      text::AppendUtf8(out, c.cp);
    else
      out += '?';
    at += c.length;
  }
  return out;
}

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

bool SimClipboard::IsClipboardFormatAvailable(std::uint32_t format) { return Read(format).has_value(); }

std::optional<std::string> SimClipboard::Read(std::uint32_t format) const {
  // The system makes each plain-text format from the other.
  const auto it = data_.find(format);
  if (it != data_.end()) return it->second.substr(0, std::strlen(it->second.c_str()));
  if (!IsText(format)) return std::nullopt;
  const auto other = data_.find(format == platform::kCfText ? platform::kCfUnicodeText : platform::kCfText);
  if (other == data_.end()) return std::nullopt;
  const std::string text = other->second.substr(0, std::strlen(other->second.c_str()));
  return format == platform::kCfText ? AsCodePage(text) : text;
}

std::optional<std::string> SimClipboard::GetClipboardText(std::uint32_t format) {
  if (!open_) return std::nullopt;
  return Read(format);
}

bool SimClipboard::SetClipboardText(std::uint32_t format, std::string_view text) {
  if (!open_) return false;
  data_[format] = std::string(text);
  ++sequence_;
  return true;
}

std::uint32_t SimClipboard::RegisterClipboardFormat(const std::string& name) {
  return name == platform::kRichTextFormatName ? kRichTextFormat : 0;
}

std::optional<std::uint32_t> SimClipboard::GetClipboardSequenceNumber() {
  if (!counts_) return std::nullopt;
  return sequence_;
}

bool SimClipboard::SendCtrlKeyAndWait(std::uint8_t vk) {
  // The batch plays on the keyboard as the system would: what is down when
  // the key goes down is what the target sees with it.
  static constexpr std::pair<int, std::uint32_t> kModifiers[] = {{platform::kVkShift, platform::kModShift},
                                                                 {platform::kVkControl, platform::kModControl},
                                                                 {platform::kVkMenu, platform::kModAlt},
                                                                 {platform::kVkLWin, platform::kModWin}};
  std::vector<std::uint8_t> held;
  std::uint32_t down = 0;
  for (const auto& [key, flag] : kModifiers)
    if (UserHolds(key)) held.push_back(static_cast<std::uint8_t>(key)), down |= flag;
  for (const platform::KeyStroke& stroke : platform::CtrlKeyBatch(vk, held)) {
    for (const auto& [key, flag] : kModifiers)
      if (stroke.vk == key) down = stroke.up ? down & ~flag : down | flag;
    if (stroke.vk == vk && !stroke.up) sentKeys_.push_back({vk, down});
  }
  modifiersAfter_ = down;
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
    data_[platform::kCfUnicodeText] = editor.selection;
    if (!editor.richSelection.empty()) data_[kRichTextFormat] = editor.richSelection;
  } else if (vk == 'V') {
    const bool rich = !editor.richSelection.empty() && data_.count(kRichTextFormat);
    const std::optional<std::string> from = Read(rich ? kRichTextFormat : platform::kCfUnicodeText);
    if (from) {
      editor.pasted.push_back(*from);
      (rich ? editor.richSelection : editor.selection) = *from;
      if (!editor.keepsPasteSelected) editor.selection.clear(), editor.richSelection.clear();
    }
  }
  return true;
}

}  // namespace sim
