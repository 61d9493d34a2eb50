#include "tray/text_commands.h"

#include <algorithm>
#include <string>

#include "platform/clipboard_scope.h"
#include "tray/text_case.h"

void modFunctions::ReverseClipboardText() { Transform(Command::Reverse); }
void modFunctions::CapitalizeClipboardText() { Transform(Command::Capitalize); }
void modFunctions::LowerClipboardText() { Transform(Command::Lower); }

bool modFunctions::Transform(Command command) {
  const std::uint32_t richText = clipboard_.RegisterClipboardFormatA(platform::kRichTextFormatName);
  // The conversions take a 32-bit length; longer texts go in pieces.
  const auto convert = [this](bool upper) {
    return [this, upper](char* text, std::size_t length) {
      while (length > 0) {
        const auto piece = static_cast<std::uint32_t>(std::min<std::size_t>(length, 0x40000000));
        if (upper)
          clipboard_.CharUpperBuffA(text, piece);
        else
          clipboard_.CharLowerBuffA(text, piece);
        text += piece;
        length -= piece;
      }
    };
  };
  const CaseConverter upper = convert(true);
  const CaseConverter lower = convert(false);

  platform::ClipboardScope scope(clipboard_, system_);
  if (!scope.Opened()) return false;  // someone else holds it: leave everything as it was

  std::uint32_t format = 0;
  if (richText != 0 && clipboard_.IsClipboardFormatAvailable(richText))
    format = richText;
  else if (clipboard_.IsClipboardFormatAvailable(platform::kCfText))
    format = platform::kCfText;
  else
    return false;
  const std::optional<std::string> read = clipboard_.GetClipboardText(format);
  if (!read) return false;
  std::string text = *read;

  if (format == richText && command != Command::Lower) {
    std::string result = TransformRichText(text, command == Command::Capitalize, upper);
    // No font size, so no readable run: the user's rich text stays as it is
    // rather than being replaced by nothing.
    if (result.empty() && !text.empty()) return false;
    text = std::move(result);
  } else if (command == Command::Reverse) {
    text = ReverseCase(text);
  } else {
    (command == Command::Capitalize ? upper : lower)(text.data(), text.size());
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
  if (!clipboard_.SendCtrlKeyAndWait('C')) return;
  const std::optional<std::uint32_t> after = clipboard_.GetClipboardSequenceNumber();
  if (before && after && *before == *after) return;
  if (!Transform(command)) return;
  if (serviceBetween) system_.DoEvents();
  clipboard_.SendCtrlKeyAndWait('V');
}

void modFunctions::RunPendingHotkeys(AppOptionsRecord& options, bool& bShowTarvolo) {
  if (options.HotkeyShow.bHKTriggered) {
    bShowTarvolo = true;
    options.HotkeyShow.bHKTriggered = false;
  } else if (options.HotkeyReverse.bHKTriggered) {
    OnHighlightedText(Command::Reverse, true);
    options.HotkeyReverse.bHKTriggered = false;
  } else if (options.HotkeyCapitalize.bHKTriggered) {
    OnHighlightedText(Command::Capitalize, true);
    options.HotkeyCapitalize.bHKTriggered = false;
  } else if (options.HotkeyLower.bHKTriggered) {
    OnHighlightedText(Command::Lower, false);
    options.HotkeyLower.bHKTriggered = false;
  }
}
