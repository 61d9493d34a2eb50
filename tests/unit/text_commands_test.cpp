#include "tray/text_commands.h"

#include <gtest/gtest.h>

#include "platform/clipboard_scope.h"
#include "platform/sim/sim_desktop.h"

namespace {

constexpr std::uint32_t kRtf = sim::SimClipboard::kRichTextFormat;
using Clip = std::map<std::uint32_t, std::string>;

struct ClipboardFixture : ::testing::Test {
  sim::SimDesktop desktop;
  modFunctions functions{desktop};
};

TEST_F(ClipboardFixture, PlainTextIsUnicodeOnTheNtFamilyAndEveryCharacterIsKept) {
  // Cyrillic, Greek with its final sigma, CJK, an emoji (a surrogate pair),
  // a combining accent and a title-case letter.
  desktop.PutOnClipboard(platform::kCfUnicodeText, "привет Straße Σίσυφος ς 日本語 😀 e\u0301 Ab-5 ǅ");
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData(),
            (Clip{{platform::kCfUnicodeText, "привет sTRAßE Σίσυφος ς 日本語 😀 E\u0301 aB-5 ǅ"}}))
      << "only A-Z and a-z swap";
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(),
            (Clip{{platform::kCfUnicodeText, "ПРИВЕТ STRAßE ΣΊΣΥΦΟΣ Σ 日本語 😀 E\u0301 AB-5 Ǆ"}}));
  functions.LowerClipboardText();
  EXPECT_EQ(desktop.ClipboardData(),
            (Clip{{platform::kCfUnicodeText, "привет straße σίσυφοσ σ 日本語 😀 e\u0301 ab-5 ǆ"}}));
  EXPECT_FALSE(desktop.ClipboardOpen());

  desktop.PutOnClipboard(platform::kCfUnicodeText, std::string("ab\0cd", 5));
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "AB"}})) << "plain text ends at its NUL";

  // On 9x in the code page: the micro sign's capital is Greek, which
  // Windows-1252 lacks.
  sim::SimDesktop win98(sim::WindowsFamily::Win98);
  modFunctions on98{win98};
  win98.PutOnClipboard(platform::kCfText, "Café µ Ab-5");
  on98.CapitalizeClipboardText();
  EXPECT_EQ(win98.ClipboardData(), (Clip{{platform::kCfText, "CAFÉ µ AB-5"}}));
}

TEST_F(ClipboardFixture, RichTextWinsAndIsTheOnlyFormatLeftUnlessItHasNoFontSize) {
  // Only the runs after the first font size change, each run between the
  // control words.
  const std::string head = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
  desktop.PutOnClipboard(kRtf, head + "Hello \\b World\\b0\\par}");
  desktop.PutOnClipboard(platform::kCfUnicodeText, "Hello World");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{kRtf, head + "HELLO \\b WORLD\\b0\\par}"}}));
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{kRtf, head + "hello \\b world\\b0\\par}"}}));
  functions.LowerClipboardText();
  EXPECT_EQ(desktop.ClipboardData(),
            (Clip{{kRtf, "{\\rtf1{\\fonttbl{\\f0 arial;}}\\f0\\fs20 hello \\b world\\b0\\par}"}}))
      << "lower case takes the whole document, header included";

  const Clip noSize{{kRtf, "{\\rtf1 Hello}"}, {platform::kCfUnicodeText, "Hello"}};
  desktop.ClearClipboard();
  for (const auto& [format, text] : noSize) desktop.PutOnClipboard(format, text);
  functions.CapitalizeClipboardText();
  functions.ReverseClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), noSize) << "nothing of the user's data is lost";
}

TEST_F(ClipboardFixture, NothingToTransformOrABusyClipboardLeavesEverythingAlone) {
  desktop.PutOnClipboard(8, "picture");
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{8, "picture"}}));

  desktop.ClearClipboard();
  desktop.PutOnClipboard(platform::kCfUnicodeText, "abc");
  desktop.HoldClipboardOpen(1000);
  const auto before = desktop.NowMs();
  const int attempts = desktop.OpenAttempts();
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "abc"}}));
  EXPECT_EQ(desktop.OpenAttempts() - attempts, platform::ClipboardScope::kAttempts);
  EXPECT_LE(desktop.NowMs() - before, 1000u) << "a brief retry, not a hang";

  desktop.HoldClipboardOpen(3);  // let go after a moment
  functions.CapitalizeClipboardText();
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "ABC"}}));
  EXPECT_FALSE(desktop.ClipboardOpen());
}

struct HighlightFixture : ClipboardFixture {
  HighlightFixture() {
    editor = desktop.AddWindow({"Untitled - Notepad"});
    desktop.SetForeground(editor);
    desktop.SetEditor(editor, {"Hello World"});
  }
  platform::WindowHandle editor = 0;
  AppOptionsRecord options;
  bool bShowTarvolo = false;
};

TEST_F(HighlightFixture, OneRequestPerTickShowFirstThenReverseCapitalizeLower) {
  for (clsHotkey* h : {&options.HotkeyShow, &options.HotkeyReverse, &options.HotkeyCapitalize, &options.HotkeyLower})
    h->bHKTriggered = true;
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_TRUE(bShowTarvolo);
  EXPECT_FALSE(options.HotkeyShow.bHKTriggered);
  EXPECT_TRUE(desktop.SentKeys().empty());
  for (const char* expected : {"hELLO wORLD", "HELLO WORLD", "hello world"}) {
    functions.RunPendingHotkeys(options, bShowTarvolo);
    EXPECT_EQ(desktop.Editor(editor).selection, expected);
  }
  EXPECT_FALSE(options.HotkeyLower.bHKTriggered);

  const int doEvents = desktop.DoEventsCalls();
  functions.RunPendingHotkeys(options, bShowTarvolo);
  EXPECT_EQ(desktop.SentKeys().size(), 6u) << "nothing pending, nothing sent";
  EXPECT_EQ(desktop.DoEventsCalls(), doEvents);
}

TEST_F(HighlightFixture, TheTargetSeesExactlyCtrlCAndCtrlVWhateverTheUserHolds) {
  const auto capitalize = [&] {
    desktop.SetEditor(editor, {"Hello"});
    options.HotkeyCapitalize.bHKTriggered = true;
    const auto start = desktop.NowMs();
    functions.RunPendingHotkeys(options, bShowTarvolo);
    EXPECT_EQ(desktop.Editor(editor).selection, "HELLO");
    return desktop.NowMs() - start;
  };
  // Still holding the hot-key's Alt and Shift, and then Ctrl too: after a
  // brief wait they are let go around each keystroke and pressed again.
  desktop.SetKeyHeld(platform::kVkMenu, true);
  desktop.SetKeyHeld(platform::kVkShift, true);
  EXPECT_EQ(capitalize(), 2 * modFunctions::kReleaseWaitMs) << "a bounded wait before each keystroke";
  desktop.SetKeyHeld(platform::kVkControl, true);
  capitalize();
  for (const auto& sent : desktop.SentKeys()) EXPECT_EQ(sent.modifiersDown, platform::kModControl) << sent.vk;
  EXPECT_EQ(desktop.ModifiersAfterKeys(), platform::kModAlt | platform::kModShift | platform::kModControl);
  for (const int vk : {platform::kVkMenu, platform::kVkShift, platform::kVkControl}) desktop.SetKeyHeld(vk, false);

  // A letter of the hot-key still down would repeat into the selection: the
  // copy waits until it is let go.
  desktop.HoldKey('U', 6, false);
  const auto waited = capitalize();
  EXPECT_GE(waited, 50u);
  EXPECT_LT(waited, modFunctions::kReleaseWaitMs);
  EXPECT_EQ(desktop.ModifiersAfterKeys(), 0u);
}

TEST_F(HighlightFixture, ACopyThatDidNotChangeTheClipboardPastesNothing) {
  const auto press = [&](clsHotkey& hotkey) {
    hotkey.bHKTriggered = true;
    functions.RunPendingHotkeys(options, bShowTarvolo);
    EXPECT_FALSE(hotkey.bHKTriggered) << "the request is served either way";
  };

  // Pressed twice: the first paste leaves nothing highlighted, so the second
  // copy finds nothing and the text must not be pasted once more.
  sim::SimEditor textBox{"Hello World"};
  textBox.keepsPasteSelected = false;
  desktop.SetEditor(editor, textBox);
  desktop.PutOnClipboard(platform::kCfUnicodeText, "Previous clip");
  press(options.HotkeyCapitalize);
  press(options.HotkeyCapitalize);
  EXPECT_EQ(desktop.Editor(editor).pasted, (std::vector<std::string>{"HELLO WORLD"}));
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "HELLO WORLD"}}));

  // Another program holds the clipboard while the editor tries to copy.
  desktop.SetEditor(editor, {"Hello World"});
  desktop.ClearClipboard();
  desktop.PutOnClipboard(platform::kCfUnicodeText, "Previous clip");
  desktop.HoldClipboardOpen(1);
  press(options.HotkeyReverse);
  EXPECT_EQ(desktop.Editor(editor).selection, "Hello World");
  EXPECT_TRUE(desktop.Editor(editor).pasted.empty());
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "Previous clip"}}));

  // A program that does nothing with Ctrl+C; where the clipboard has no
  // count (the 9x family and NT 4) such a copy cannot be told, and the old
  // text is transformed as before.
  desktop.SetEditor(editor, {"Hello", true});
  press(options.HotkeyLower);
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "Previous clip"}}));
  EXPECT_EQ(desktop.SentKeys().back().vk, 'C') << "no Ctrl+V after a copy that did not happen";
  desktop.SetClipboardCounts(false);
  press(options.HotkeyLower);
  EXPECT_EQ(desktop.ClipboardData(), (Clip{{platform::kCfUnicodeText, "previous clip"}}));
  EXPECT_EQ(desktop.Editor(editor).selection, "Hello");
}

}  // namespace
