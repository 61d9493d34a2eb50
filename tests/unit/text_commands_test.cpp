#include "tray/text_commands.h"

#include <gtest/gtest.h>

#include "platform/clipboard_scope.h"
#include "platform/sim/sim_desktop.h"

namespace {

constexpr std::uint32_t kRtf = sim::SimClipboard::kRichTextFormat;

struct ClipboardFixture : ::testing::Test {
  std::map<std::uint32_t, std::string> Only(std::uint32_t format, std::string text) { return {{format, text}}; }
  sim::SimDesktop desktop;
  modFunctions functions{desktop, desktop};
};

TEST_F(ClipboardFixture, PlainTextCommandsUseThePlatformsConversionForUpperAndLower) {
  desktop.PutOnClipboard(platform::kCfText, "Caf\xE9 Ab-5");
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "cAF\xE9 aB-5")) << "only A-Z and a-z swap";
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "CAF\xC9 AB-5"));
  functions.LowerClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "caf\xE9 ab-5"));
  EXPECT_FALSE(desktop.ClipboardOpen());
}

TEST_F(ClipboardFixture, RichTextWinsAndIsTheOnlyFormatLeft) {
  const std::string doc = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello World\\par}";
  desktop.PutOnClipboard(kRtf, doc);
  desktop.PutOnClipboard(platform::kCfText, "Hello World");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(kRtf, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 HELLO WORLD\\par}"));
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(kRtf, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 hello world\\par}"));
  functions.LowerClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(kRtf, "{\\rtf1{\\fonttbl{\\f0 arial;}}\\f0\\fs20 hello world\\par}"))
      << "lower case takes the whole document, header included";
}

TEST_F(ClipboardFixture, RichTextWithoutFontSizeIsLeftAsItWas) {
  desktop.PutOnClipboard(kRtf, "{\\rtf1 Hello}");
  desktop.PutOnClipboard(platform::kCfText, "Hello");
  functions.CapitalizeClipboardText();
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData().at(kRtf), "{\\rtf1 Hello}");
  EXPECT_EQ(desktop.ClipboardData().at(platform::kCfText), "Hello") << "nothing of the user's data is lost";
}

TEST_F(ClipboardFixture, NothingToTransformOrNoAccessLeavesEverythingAlone) {
  desktop.PutOnClipboard(8, "picture");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(8, "picture"));

  desktop.ClearClipboard();
  desktop.PutOnClipboard(platform::kCfText, "abc");
  desktop.HoldClipboardOpen(1000);
  const auto before = desktop.NowMs();
  const int attempts = desktop.OpenAttempts();
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "abc"));
  EXPECT_EQ(desktop.OpenAttempts() - attempts, platform::ClipboardScope::kAttempts);
  EXPECT_LE(desktop.NowMs() - before, 1000u) << "a brief retry, not a hang";

  desktop.HoldClipboardOpen(3);  // let go after a moment
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "ABC"));
  EXPECT_FALSE(desktop.ClipboardOpen());
}

TEST_F(ClipboardFixture, TextWithNulAndHostileRichTextKeepLengths) {
  desktop.PutOnClipboard(platform::kCfText, std::string("ab\0cd", 5));
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "AB")) << "plain text ends at its NUL";

  std::string big(300000, 'x');
  big.replace(0, 5, "\\fs20");
  for (std::size_t i = 10; i < big.size(); i += 7) big[i] = i % 3 ? ' ' : '\\';
  desktop.ClearClipboard();
  desktop.PutOnClipboard(kRtf, big);
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData().at(kRtf).size(), big.size());
}

struct HighlightFixture : ClipboardFixture {
  HighlightFixture() {
    editor = desktop.AddWindow({"Untitled - Notepad"});
    desktop.SetForeground(editor);
    desktop.SetEditor(editor, {"Hello World", "", false, {}});
    Set(options.HotkeyShow);
    Set(options.HotkeyReverse);
    Set(options.HotkeyCapitalize);
    Set(options.HotkeyLower);
  }
  static void Set(clsHotkey& hotkey) { hotkey.bHKTriggered = true; }
  platform::WindowHandle editor = 0;
  AppOptionsRecord options;
  bool bShowTarvolo = false;
};

TEST_F(HighlightFixture, OneRequestPerTickShowFirstThenReverseCapitalizeLower) {
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_TRUE(bShowTarvolo);
  EXPECT_FALSE(options.HotkeyShow.bHKTriggered);
  EXPECT_TRUE(options.HotkeyReverse.bHKTriggered);
  EXPECT_TRUE(desktop.SentKeys().empty());

  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.Editor(editor).selection, "hELLO wORLD");
  EXPECT_TRUE(options.HotkeyCapitalize.bHKTriggered);
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.Editor(editor).selection, "HELLO WORLD");
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.Editor(editor).selection, "hello world");
  EXPECT_FALSE(options.HotkeyLower.bHKTriggered);

  const int doEvents = desktop.DoEventsCalls();
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.SentKeys().size(), 6u) << "nothing pending, nothing sent";
  EXPECT_EQ(desktop.DoEventsCalls(), doEvents);
  EXPECT_EQ(desktop.SentKeys()[0].vk, 'C');
  EXPECT_EQ(desktop.SentKeys()[1].vk, 'V');
}

TEST_F(HighlightFixture, RichTextBoxKeepsItsFormatting) {
  desktop.SetEditor(editor, {"Bold", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b Bold\\b0 plain\\par}", false, {}});
  options = {};
  options.HotkeyCapitalize.bHKTriggered = true;
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.Editor(editor).richSelection,
            "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\b BOLD\\b0 PLAIN\\par}");
}

TEST_F(HighlightFixture, ProgramIgnoringTheKeysGetsTheOldClipboardTextAndNothingBreaks) {
  desktop.SetEditor(editor, {"Hello", "", true, {}});
  desktop.PutOnClipboard(platform::kCfText, "Earlier");
  options = {};
  options.HotkeyLower.bHKTriggered = true;
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.ClipboardData(), Only(platform::kCfText, "earlier"));
  EXPECT_EQ(desktop.Editor(editor).selection, "Hello");
  EXPECT_FALSE(options.HotkeyLower.bHKTriggered);
}

}  // namespace
