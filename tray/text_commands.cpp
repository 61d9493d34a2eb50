#include "tray/text_commands.h"

#include <algorithm>
#include <string>

#include "platform/clipboard_scope.h"
#include "platform/ctrl_key_batch.h"
#include "store/hotkey_table.h"
#include "store/platform_check.h"
#include "tray/text_case.h"

namespace {

// Keys whose repeat would type into the selection: space, digits, letters,
// the number pad and the punctuation keys.
bool TypesText(int vk) {
  using namespace platform;
  return vk == kVkSpace || (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') ||
         (vk >= kVkNumpad0 && vk <= kVkDivide) || (vk >= kVkOem1 && vk <= kVkOem3) || (vk >= kVkOem4 && vk <= kVkOem8);
}

}  // namespace

modFunctions::modFunctions(platform::Os& os)
    : clipboard_(os),
      text_(os),
      system_(os),
      keys_(os),
      plainText_(IsNTPlatform(os) ? platform::kCfUnicodeText : platform::kCfText) {}

void modFunctions::ReverseClipboardText() { Transform(Command::Reverse); }
void modFunctions::CapitalizeClipboardText() { Transform(Command::Capitalize); }
void modFunctions::LowerClipboardText() { Transform(Command::Lower); }

bool modFunctions::Transform(Command command) {
  const std::uint32_t richText = clipboard_.RegisterClipboardFormat(platform::kRichTextFormatName);
  platform::ClipboardScope scope(clipboard_, system_);
  if (!scope.Opened()) return false;  // someone else holds it: leave everything as it was

  std::uint32_t format = 0;
  if (richText != 0 && clipboard_.IsClipboardFormatAvailable(richText))
    format = richText;
  else if (clipboard_.IsClipboardFormatAvailable(plainText_))
    format = plainText_;
  else
    return false;
  const std::optional<std::string> read = clipboard_.GetClipboardText(format);
  if (!read) return false;
  std::string text = *read;

  if (format == richText) {
    // Rich text is 7-bit: the conversion keeps its length and so its markup.
    const auto convert = [this](bool upper) {
      return [this, upper](char* run, std::size_t length) {
        const std::string_view in(run, length);
        const std::string out = upper ? text_.CharUpper(in) : text_.CharLower(in);
        if (out.size() == length) std::copy(out.begin(), out.end(), run);
      };
    };
    if (command == Command::Lower) {
      convert(false)(text.data(), text.size());
    } else {
      std::string result = TransformRichText(text, command == Command::Capitalize, convert(true));
      // No font size, so no readable run: the user's rich text stays as it
      // is rather than being replaced by nothing.
      if (result.empty() && !text.empty()) return false;
      text = std::move(result);
    }
  } else if (command == Command::Reverse) {
    text = ReverseCase(text);
  } else {
    text = command == Command::Capitalize ? text_.CharUpper(text) : text_.CharLower(text);
  }
  clipboard_.EmptyClipboard();
  return clipboard_.SetClipboardText(format, text);
}

void modFunctions::OnHighlightedText(Command command, bool serviceBetween) {
  // Only what the copy put on the clipboard is pasted back. Without a
  // selection, with the clipboard held elsewhere or a program that ignores
  // Ctrl+C, the clipboard still holds older text, and pasting that over the
  // user's selection or at the caret would destroy their text.
  const std::optional<std::uint32_t> before = clipboard_.GetClipboardSequenceNumber();
  if (!SendWhenKeysAreLetGo('C')) return;
  const std::optional<std::uint32_t> after = clipboard_.GetClipboardSequenceNumber();
  if (before && after && *before == *after) return;
  if (!Transform(command)) return;
  if (serviceBetween) system_.DoEvents();
  SendWhenKeysAreLetGo('V');
}

bool modFunctions::SendWhenKeysAreLetGo(std::uint8_t vk) {
  // The command runs as soon as the hot-key arrives, often before the user
  // has let go of its keys: wait, briefly, for the hands to leave the
  // modifiers, and any key that would repeat into the text. Modifiers still
  // held after that are let go and pressed again around the keystroke.
  const auto held = [this] {
    for (const int vk : platform::kBatchModifiers)
      if (keys_.GetAsyncKeyState(vk) & platform::kKeyDown) return true;
    for (int vk = platform::kVkSpace; vk <= platform::kVkOem8; ++vk)
      if (TypesText(vk) && (keys_.GetAsyncKeyState(vk) & platform::kKeyDown)) return true;
    return false;
  };
  for (std::uint32_t waited = 0; waited < kReleaseWaitMs && held(); waited += 10) system_.Sleep(10);
  return clipboard_.SendCtrlKeyAndWait(vk);
}

void modFunctions::RunPendingHotkeys(AppOptionsRecord& options, bool& bShowTarvolo) {
  for (const HotkeyId id : kHotkeyPrecedence) {
    clsHotkey& hotkey = options.*HotkeyOf(id).record;
    if (!hotkey.bHKTriggered) continue;
    switch (id) {
      case HotkeyId::Show:
        bShowTarvolo = true;
        break;
      case HotkeyId::Reverse:
        OnHighlightedText(Command::Reverse, true);
        break;
      case HotkeyId::Capitalize:
        OnHighlightedText(Command::Capitalize, true);
        break;
      case HotkeyId::Lower:
        OnHighlightedText(Command::Lower, false);
        break;
    }
    // Cleared after the command: a press while it ran is the same request.
    hotkey.bHKTriggered = false;
    return;
  }
}
