#pragma once
#include "platform/os.h"
#include "store/options.h"

// The three commands on the clipboard's text, rich text first, and the
// hot-key requests that run them on the highlighted text.
class modFunctions {
 public:
  // Plain text is Unicode text on the NT family, the code page's on 9x.
  explicit modFunctions(platform::Os& os);

  // How long a command waits for the user to let go of the hot-key.
  static constexpr std::uint32_t kReleaseWaitMs = 500;

  void ReverseClipboardText();
  void CapitalizeClipboardText();
  void LowerClipboardText();

  // Serves at most one request, in the hot-keys' precedence. The show
  // request only sets bShowTarvolo, for the guarded opening of the setup
  // window later in the same tick.
  void RunPendingHotkeys(AppOptionsRecord& options, bool& bShowTarvolo);

 private:
  enum class Command { Reverse, Capitalize, Lower };
  // True when the clipboard now holds the transformed text.
  bool Transform(Command command);
  void OnHighlightedText(Command command, bool serviceBetween);
  bool SendWhenKeysAreLetGo(std::uint8_t vk);

  platform::OsClipboard& clipboard_;
  platform::OsText& text_;
  platform::OsSystem& system_;
  platform::OsKeys& keys_;
  std::uint32_t plainText_;
};
