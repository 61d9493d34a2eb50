#include "tray/text_commands.h"

#include <algorithm>
#include <string>

#include "platform/clipboard_scope.h"
#include "store/platform_check.h"
#include "tray/text_case.h"

modFunctions::modFunctions(platform::OsClipboard& clipboard, platform::OsText& text, platform::OsSystem& system)
    : clipboard_(clipboard),
      text_(text),
      system_(system),
      plainText_(IsNTPlatform(system) ? platform::kCfUnicodeText : platform::kCfText) {}

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
