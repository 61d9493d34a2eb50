// The form layer on real windows: fonts, separators, shapes and their
// stacking, the events each kind raises for a change by code and for the
// user's own (a real message), the keyboard, and a modal dialog.
#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_os.h"
#include "tests/win32/win_test_support.h"

namespace {

using forms::ControlKind;
using platform::win32::ToHwnd;

// Two pages: key lamps in frames, a window field of three labels and a
// separator on the first; an underlined label, a text box, check box, option
// buttons and a list on the second. Buttons and a timer on the form.
forms::FormSpec LayoutForm() {
  forms::FormSpec spec{.Name = "frmLayout", .Caption = "Tarvolo form layer", .Rect = {0, 0, 6300, 5400},
                       .Border = forms::BorderStyle::FixedSingle};
  const auto page = [](forms::ControlSpec c, int tabPage) {
    c.Container = "mstPage";
    c.TabPage = tabPage;
    return c;
  };
  spec.Controls = {
      {.Name = "mstPage", .Kind = ControlKind::TabControl, .Rect = {60, 60, 6015, 4200}, .Items = {"One", "Two"}},
      page({.Name = "lblKeyState", .Kind = ControlKind::Label, .Caption = "Key State", .Rect = {120, 480, 1500, 255},
            .FontBold = true}, 0),
      page({.Name = "linTop", .Kind = ControlKind::Line, .Rect = {120, 840, 5700, 0}}, 0),
      page({.Name = "fraCapsLock", .Kind = ControlKind::Frame, .ToolTip = "Dbl-Click to toggle",
            .Rect = {120, 1000, 1695, 495}}, 0),
      {.Name = "shpCapsLockStat", .Kind = ControlKind::Shape, .Rect = {120, 150, 135, 135}, .Container = "fraCapsLock",
       .BackColor = forms::Rgb(0, 255, 0), .Shape = forms::ShapeKind::Square, .Fill = forms::FillStyle::Solid},
      {.Name = "lblCapsLockStat", .Kind = ControlKind::Label, .Caption = "Caps Lock ON", .Rect = {360, 120, 1095, 285},
       .Container = "fraCapsLock"},
      page({.Name = "fraNumLock", .Kind = ControlKind::Frame, .Rect = {2160, 1000, 1695, 495}}, 0),
      {.Name = "lblNumLockStat", .Kind = ControlKind::Label, .Caption = "Num Lock off", .Rect = {360, 120, 1095, 285},
       .Container = "fraNumLock"},
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 0, .Rect = {1305, 1905, 4485, 300},
            .BackColor = forms::kColorWindow, .Border = forms::BorderStyle::FixedSingle}, 0),
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 1, .Caption = "Untitled - Notepad",
            .Rect = {1320, 1920, 4455, 270}, .BackColor = forms::Rgb(255, 255, 255)}, 0),
      page({.Name = "lblAWTitle", .Kind = ControlKind::Label, .Index = 2, .Caption = "Untitled",
            .Rect = {1320, 1920, 600, 270}, .BackColor = forms::Rgb(192, 255, 192)}, 0),
      page({.Name = "lblFilterText", .Kind = ControlKind::Label, .Caption = "&Filter", .Rect = {120, 480, 1500, 255},
            .FontUnderline = true}, 1),
      page({.Name = "txtFilter", .Kind = ControlKind::TextBox, .Rect = {120, 780, 3000, 315}}, 1),
      page({.Name = "chkTitle", .Kind = ControlKind::CheckBox, .Caption = "&Title", .Rect = {120, 1200, 1500, 300}}, 1),
      page({.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 0, .Rect = {120, 1560, 1500, 300}}, 1),
      page({.Name = "optMode", .Kind = ControlKind::OptionButton, .Index = 1, .Rect = {1800, 1560, 1500, 300}}, 1),
      page({.Name = "cboAction", .Kind = ControlKind::ComboBox, .Rect = {120, 1980, 3000, 300},
            .Items = {"Ignore", "Toggle ON", "Toggle OFF"}}, 1),
      {.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Rect = {3600, 4440, 1200, 375}, .Default = true},
      {.Name = "cmdCancel", .Kind = ControlKind::CommandButton, .Caption = "Cancel", .Rect = {4920, 4440, 1200, 375},
       .Cancel = true},
      {.Name = "tmrTick", .Kind = ControlKind::Timer, .Interval = 20},
  };
  return spec;
}

class FormsOnWindows : public ::testing::Test {
 protected:
  HWND Window(const forms::Control& control) const { return ToHwnd(control.hWnd()); }
  HWND Window(const char* name, int index = -1) const { return ToHwnd(form.Item(name, index).hWnd()); }
  // Whether upper lies above lower among their siblings.
  static bool Above(HWND upper, HWND lower) {
    for (HWND below = ::GetWindow(upper, GW_HWNDNEXT); below; below = ::GetWindow(below, GW_HWNDNEXT))
      if (below == lower) return true;
    return false;
  }
  // Text of several scripts on the NT family; on the 9x family what the code
  // page holds: Latin-1 under Wine, else ASCII.
  static std::string Pick(const char* nt, const char* latin1, const char* ascii) {
    return platform::win32::IsNt() ? nt : ::GetACP() == 1252 ? latin1 : ascii;
  }
  static std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                               wide.data(), static_cast<int>(wide.size()))));
    return wide;
  }
  // The box this thread shows (a message box or input box), and its title
  // and controls' texts, each after a "|".
  static std::wstring ThreadBoxTexts(HWND& box) {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) CALLBACK -> BOOL {
          char name[16] = "";
          if (::GetClassNameA(hwnd, name, sizeof name) > 0 && std::string(name) == "#32770")
            *reinterpret_cast<HWND*>(found) = hwnd;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    std::wstring texts = TextOf(box);
    ::EnumChildWindows(
        box,
        [](HWND child, LPARAM out) CALLBACK -> BOOL {
          *reinterpret_cast<std::wstring*>(out) += L"|" + TextOf(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
  }
  // Text as Windows holds it, read wide; on the 9x family Wine converts an
  // ANSI window's text from the code page, as reading it as bytes would.
  static constexpr int kBuffer = 1024;
  template <typename Fill>
  static std::wstring Read(Fill fill) {
    std::wstring text(kBuffer, L'\0');
    fill(text.data());
    return text.substr(0, text.find(L'\0'));
  }
  static std::wstring TextOf(HWND hwnd) {
    return Read([&](wchar_t* b) { ::GetWindowTextW(hwnd, b, kBuffer); });
  }
  // The tool-tip of a control, from its form's tool-tip window.
  static std::wstring ToolTipText(HWND tool) {
    HWND form = ::GetParent(tool), tips = nullptr;
    while ((tips = ::FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr)) && ::GetWindow(tips, GW_OWNER) != form)
      continue;
    return Read([&](wchar_t* b) {
      TOOLINFOW info{};
      info.cbSize = sizeof info;
      info.hwnd = form;
      info.uId = reinterpret_cast<UINT_PTR>(tool);
      info.lpszText = b;
      ::SendMessageW(tips, TTM_GETTEXTW, kBuffer, reinterpret_cast<LPARAM>(&info));
    });
  }
  static LOGFONTA FontOf(HWND hwnd) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
  }
  void Count(forms::Event<>& event, const std::string& name) {
    event.Handle([this, name] { events.push_back(name); });
  }
  // Runs the program's own message loop (the one that handles the keyboard)
  // for a number of ticks of the form's timer.
  void RunTicks(int ticks) {
    int seen = 0;
    auto tick = form["tmrTick"].Timer.Connect([&seen] { ++seen; });
    ui.RunMessageLoop([&] { return seen < ticks; });
  }
  // Makes the form the active window, as the user's click would.
  bool Activate() {
    form.Show();
    ::SetForegroundWindow(ToHwnd(form.hWnd()));
    return wintest::WaitUntil([&] { return ::GetActiveWindow() == ToHwnd(form.hWnd()); }, std::chrono::seconds(5));
  }
  // A key press as the keyboard delivers it to the focused window, with the
  // Ctrl and Shift state the dialog manager reads.
  void PressKey(WPARAM key, bool ctrl = false, bool shift = false) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 1);
    RunTicks(2);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
  }

  platform::win32::Win32Ui ui{::GetModuleHandleA(nullptr), "Tarvolo tests"};
  forms::Form form{ui, LayoutForm()};
  Win32Os os;
  std::vector<std::string> events;
};

TEST_F(FormsOnWindows, LabelsTakeTheirFontSeparatorsAreEtchedAndShapesAreStackedAboveWhatHoldsThem) {
  form.Load();
  EXPECT_GE(FontOf(Window("lblKeyState")).lfWeight, FW_BOLD);
  EXPECT_FALSE(FontOf(Window("lblKeyState")).lfUnderline);
  EXPECT_TRUE(FontOf(Window("lblFilterText")).lfUnderline);
  EXPECT_LT(FontOf(Window("txtFilter")).lfWeight, FW_BOLD);
  // A style set by code reaches the window, from the same cache.
  form["lblCapsLockStat"].SetFontBold(true);
  EXPECT_EQ(::SendMessageA(Window("lblCapsLockStat"), WM_GETFONT, 0, 0),
            ::SendMessageA(Window("lblKeyState"), WM_GETFONT, 0, 0));
  EXPECT_GT(form["lblKeyState"].TextWidth("Caps Lock"), form["lblNumLockStat"].TextWidth("Caps Lock"));
  EXPECT_EQ(form["lblNumLockStat"].TextWidth("Caps Lock"), form.TextWidth("Caps Lock"));

  const LONG lineStyle = ::GetWindowLongA(Window("linTop"), GWL_STYLE);
  EXPECT_EQ(lineStyle & SS_TYPEMASK, SS_ETCHEDHORZ);
  RECT line{};
  ::GetClientRect(Window("linTop"), &line);
  EXPECT_EQ(line.right, 5700 / ui.TwipsPerPixelX());

  HWND lamp = Window("shpCapsLockStat");
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(::GetParent(lamp), ToHwnd(form.hWnd()));
  EXPECT_TRUE(Above(lamp, Window("fraCapsLock")));
  EXPECT_TRUE(Above(Window("fraCapsLock"), Window("mstPage")));
  EXPECT_TRUE(Above(Window("lblAWTitle", 2), Window("lblAWTitle", 1)));
  EXPECT_TRUE(Above(Window("lblAWTitle", 1), Window("lblAWTitle", 0)));
  // Tab stops keep the description's order.
  EXPECT_TRUE(Above(Window("txtFilter"), Window("chkTitle")));
  EXPECT_TRUE(Above(Window("cmdOK"), Window("cmdCancel")));
  // The lamp lets the mouse through to its frame, which takes it.
  EXPECT_EQ(::SendMessageA(lamp, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(::SendMessageA(Window("fraCapsLock"), WM_NCHITTEST, 0, 0), HTCLIENT);
  // Only the page shown shows.
  EXPECT_TRUE(::GetWindowLongA(lamp, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(::GetWindowLongA(Window("txtFilter"), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(FormsOnWindows, EachKindRaisesItsEventOnceForAChangeByCodeAndOnceForTheUsersOwn) {
  form.Load();
  Count(form.Item("optMode", 1).Click, "option");
  Count(form["txtFilter"].Change, "text");
  Count(form["lblCapsLockStat"].Click, "label");
  Count(form["lblCapsLockStat"].DblClick, "label double");
  Count(form["fraCapsLock"].DblClick, "frame double");
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("tab from " + std::to_string(previous)); });
  form.Item("lblAWTitle", 2).MouseUp.Handle([this](int button, int, double x, double) {
    events.push_back("up " + std::to_string(button) + " at " + std::to_string(static_cast<int>(x)));
  });
  const auto expect = [this](std::vector<std::string> expected) {
    EXPECT_EQ(events, expected);
    events.clear();
  };

  form.Item("optMode", 1).SetValue(1);
  form.Item("optMode", 0).SetValue(1);
  ::SendMessageA(Window("optMode", 1), BM_CLICK, 0, 0);
  expect({"option", "option"});

  std::vector<int> typed;
  form["txtFilter"].KeyPress.Handle([&typed](int& character) {
    typed.push_back(character);
    if (character == 0x1F60E || character == 0xE0) character = 0;
  });
  form["txtFilter"].SetText("Note");
  ::SendMessageA(Window("txtFilter"), WM_CHAR, 'x', 1);
  expect({"text", "text"});
  EXPECT_EQ(form["txtFilter"].Text(), "xNote");
  // A character typed is reported whole, one beyond the BMP too, which comes
  // as two surrogates; discarded, neither half reaches the box.
  if (platform::win32::IsNt()) {
    for (WPARAM unit : {0x436, 0xD83D, 0xDE00, 0xD83D, 0xDE0E}) ::SendMessageW(Window("txtFilter"), WM_CHAR, unit, 1);
    EXPECT_EQ(typed, (std::vector<int>{'x', 0x436, 0x1F600, 0x1F60E}));
    EXPECT_EQ(form["txtFilter"].Text(), "x\u0436\U0001F600Note");
  } else if (::GetACP() == 1252) {
    for (WPARAM byte : {0xE9, 0xE0}) ::SendMessageA(Window("txtFilter"), WM_CHAR, byte, 1);
    EXPECT_EQ(typed, (std::vector<int>{'x', 0xE9, 0xE0}));
    EXPECT_EQ(form["txtFilter"].Text(), "x\u00E9Note");
  }
  events.clear();

  form["mstPage"].SetTab(1);
  EXPECT_EQ(::SendMessageA(Window("mstPage"), TCM_GETCURSEL, 0, 0), 1);
  expect({"tab from 0"});

  form["mstPage"].SetTab(0);
  events.clear();
  HWND label = Window("lblCapsLockStat");
  ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ::SendMessageA(Window("fraCapsLock"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageA(Window("lblAWTitle", 2), WM_RBUTTONUP, 0, MAKELPARAM(4, 1));
  expect({"label", "label double", "label", "frame double", "up 2 at " + std::to_string(4 * ui.TwipsPerPixelX())});
}

TEST_F(FormsOnWindows, TabCtrlTabAccessKeysAndALongListKeepTheFocusWhereUsersExpectAndGetFocusTellsWhere) {
  ASSERT_TRUE(Activate());
  std::vector<std::string> focus;
  form["txtFilter"].GotFocus.Handle([&] { focus.push_back("text got"); });
  form["txtFilter"].LostFocus.Handle([&] { focus.push_back("text lost"); });
  form["chkTitle"].GotFocus.Handle([&] { focus.push_back("check got"); });
  form["mstPage"].TabClick.Handle([this](int previous) { events.push_back("tab from " + std::to_string(previous)); });

  // Shown, the form gives the focus to its first Tab stop: with nothing to
  // focus on the page, the tab strip, which comes after what its pages hold.
  EXPECT_EQ(os.GetFocus(), form["mstPage"].hWnd());
  PressKey(VK_TAB, true);
  EXPECT_EQ(form["mstPage"].Tab(), 1);
  EXPECT_EQ(events, std::vector<std::string>{"tab from 0"});
  EXPECT_TRUE(::IsWindowVisible(Window("txtFilter")));
  EXPECT_FALSE(::IsWindowVisible(Window("shpCapsLockStat")));

  // Alt+F, the label's access key, reaches the text box after it.
  ::PostMessageA(::GetFocus(), WM_SYSCHAR, 'f', 1 << 29);
  RunTicks(2);
  EXPECT_EQ(os.GetFocus(), form["txtFilter"].hWnd());
  EXPECT_EQ(form.ActiveControl(), &form["txtFilter"]);
  // Typed there, through the program's own loop and the dialog manager; on
  // the 9x family in the code page, whose Latin-1 letters are their numbers.
  const std::string typed = Pick("Φ😀", "é", "e");
  for (wchar_t unit : Wide(typed))
    platform::win32::IsNt() ? ::PostMessageW(::GetFocus(), WM_CHAR, unit, 1)
                            : ::PostMessageA(::GetFocus(), WM_CHAR, unit, 1);
  RunTicks(2);
  EXPECT_EQ(form["txtFilter"].Text(), typed);
  PressKey(VK_TAB);
  EXPECT_EQ(os.GetFocus(), form["chkTitle"].hWnd());
  EXPECT_EQ(focus, (std::vector<std::string>{"text got", "text lost", "check got"}));
  PressKey(VK_TAB, false, true);
  EXPECT_EQ(os.GetFocus(), form["txtFilter"].hWnd());
  // A long list is put in past the control's subclass; the control must come
  // out of it still reporting the user's focus, with the whole list.
  forms::Control& list = form["cboAction"];
  std::vector<std::string> names;
  for (int i = 0; i < 30000; ++i) names.push_back("Setting " + std::to_string(i));
  list.SetItems(names);
  list.SetListIndex(29999);
  EXPECT_EQ(::SendMessageA(Window(list), CB_GETCOUNT, 0, 0), 30000);
  EXPECT_EQ(::SendMessageA(Window(list), CB_GETCURSEL, 0, 0), 29999);
  int got = 0;
  list.GotFocus.Handle([&] { ++got; });
  ::SetFocus(Window(list));
  RunTicks(1);
  EXPECT_EQ(got, 1);

  // Back to the first page: the focus leaves the hidden page for a control
  // of the page shown.
  PressKey(VK_TAB, true, true);
  EXPECT_EQ(form["mstPage"].Tab(), 0);
  EXPECT_NE(os.GetFocus(), form["txtFilter"].hWnd());
  EXPECT_TRUE(::IsWindowVisible(ToHwnd(os.GetFocus())));

  // Escape presses the cancel button.
  Count(form["cmdCancel"].Click, "cancel");
  events.clear();
  PressKey(VK_ESCAPE);
  EXPECT_EQ(events, std::vector<std::string>{"cancel"});
}

// On the NT family text of any script reaches the windows and comes back
// whole; on the 9x family, what the code page holds (Latin-1 under Wine).
TEST_F(FormsOnWindows, TextOfAnyScriptReachesTheWindowsAndComesBackWhole) {
  const std::string report = Pick("Отчёт 2026", "Café 2026", "Cafe 2026");
  const std::string name = Pick("日本語メモ 😀", "Naïve", "Naive");
  const std::string filter = Pick("Φίλτρο", "déjà", "deja");
  form.Load();
  form.SetCaption(report);
  HWND label = Window("lblCapsLockStat"), text = Window("txtFilter"), list = Window("cboAction");
  form["lblCapsLockStat"].SetCaption(report);
  form["cboAction"].SetItems({"Ignore", name, filter});
  form["fraCapsLock"].SetToolTip(name);
  EXPECT_EQ(TextOf(ToHwnd(form.hWnd())), Wide(report));
  EXPECT_EQ(TextOf(label), Wide(report));
  for (int i : {1, 2})
    EXPECT_EQ(Read([&](wchar_t* b) { ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(b)); }),
              Wide(i == 1 ? name : filter));
  EXPECT_EQ(ToolTipText(Window("fraCapsLock")), Wide(name));
  // The user's text, and the program's, in a text box.
  Count(form["txtFilter"].Change, "text");
  ::SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(filter).c_str()));
  EXPECT_EQ(events, std::vector<std::string>{"text"});
  EXPECT_EQ(form["txtFilter"].Text(), filter);
  form["txtFilter"].SetText(name);
  EXPECT_EQ(TextOf(text), Wide(name));

  // Widths are those of the characters in the label's font, not of their bytes.
  HDC dc = ::GetDC(label);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(label, WM_GETFONT, 0, 0)));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, Wide(report).c_str(), static_cast<int>(Wide(report).size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(label, dc);
  EXPECT_EQ(form["lblCapsLockStat"].TextWidth(report), size.cx * ui.TwipsPerPixelX());
  EXPECT_GT(form["lblCapsLockStat"].TextWidth(name), form["lblCapsLockStat"].TextWidth("ab"));

  // Tab pages and menus.
  forms::FormSpec spec{.Name = "frmMenus", .Caption = "Menus", .Rect = {0, 0, 3600, 2400}};
  spec.Controls = {
      {.Name = "mstPages", .Kind = ControlKind::TabControl, .Rect = {60, 60, 3000, 1500}, .Items = {report, filter}},
      {.Name = "mnuFile", .Kind = ControlKind::Menu, .Caption = filter},
      {.Name = "mnuReport", .Kind = ControlKind::MenuItem, .Caption = report, .Container = "mnuFile"},
  };
  forms::Form menus{ui, spec};
  menus.Load();
  EXPECT_EQ(Read([&](wchar_t* b) {
              TCITEMW item{};
              item.mask = TCIF_TEXT;
              item.pszText = b;
              item.cchTextMax = kBuffer;
              ::SendMessageW(Window(menus["mstPages"]), TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
            }),
            Wide(filter));
  HMENU bar = ::GetMenu(ToHwnd(menus.hWnd()));
  for (auto [menu, caption] : {std::pair{bar, filter}, {::GetSubMenu(bar, 0), report}})
    EXPECT_EQ(Read([&](wchar_t* b) { ::GetMenuStringW(menu, 0, b, kBuffer, MF_BYPOSITION); }), Wide(caption));
}

TEST_F(FormsOnWindows, AModalDialogDisablesItsOwnerWhileTheOwnersTimerKeepsTicking) {
  forms::FormSpec dialogSpec{.Name = "frmDialog", .Caption = "Tarvolo dialog", .Rect = {0, 0, 3600, 1800},
                             .Border = forms::BorderStyle::FixedDialog, .ShowInTaskbar = false};
  dialogSpec.Controls = {
      {.Name = "txtName", .Kind = ControlKind::TextBox, .Rect = {120, 120, 3000, 315}},
      {.Name = "cmdOK", .Kind = ControlKind::CommandButton, .Caption = "OK", .Rect = {1200, 600, 1200, 375},
       .Default = true},
  };
  forms::Form dialog{ui, dialogSpec};
  dialog.Load();
  dialog["cmdOK"].Click.Handle([&] { dialog.Hide(); });
  form.Show();
  HWND owner = ToHwnd(form.hWnd());

  int ticks = 0;
  bool ownerUsable = true;
  HWND ownerOfDialog = nullptr;
  platform::WindowHandle focusInDialog = 0;
  form["tmrTick"].Timer.Handle([&] {
    if (!dialog.Visible()) return;
    ++ticks;
    if (ticks == 3) {
      ownerUsable = ::IsWindowEnabled(owner);
      ownerOfDialog = ::GetWindow(ToHwnd(dialog.hWnd()), GW_OWNER);
      focusInDialog = os.GetFocus();
      // Enter in the dialog presses its default button, which hides it.
      ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    }
    if (ticks == 200) dialog.Hide();  // the test has failed; end it
  });
  dialog.ShowModal(form);

  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(ownerUsable);
  EXPECT_EQ(ownerOfDialog, owner);
  EXPECT_EQ(focusInDialog, dialog["txtName"].hWnd());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(::GetWindow(ToHwnd(dialog.hWnd()), GW_OWNER), nullptr);
  // The owner can be unloaded now without taking the dialog's window along.
  form.Unload();
  EXPECT_TRUE(::IsWindow(ToHwnd(dialog.hWnd())));
}

// Message boxes and input boxes show text of any script and give back
// what the user typed. The program ends when its last form goes; a box that
// is up then (the user chose "Exit" from the tray meanwhile) must close with
// it rather than keep the ended program alive.
TEST_F(FormsOnWindows, BoxesCarryTextOfAnyScriptAndCloseWithTheLastForm) {
  static bool gaveUp;
  // Runs a box; should it stay, a timer ends the test instead of hanging it.
  const auto guarded = [](auto box) {
    gaveUp = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
      gaveUp = true;
      ::EnumThreadWindows(
          ::GetCurrentThreadId(),
          [](HWND hwnd, LPARAM) CALLBACK -> BOOL {
            ::EndDialog(hwnd, IDABORT);
            return TRUE;
          },
          0);
    });
    box();
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(gaveUp);
  };
  const std::string title = Pick("Tarvolo — Отчёт", "Tarvolo né", "Tarvolo");
  const std::string prompt = Pick("Имя «日本語メモ» занято 😀", "Déjà pris", "Taken");
  const std::string name = Pick("日本語メモ", "Naïve", "Naive");
  const std::string typed = Pick("Φίλτρο 😀", "Façade", "Facade");
  enum { kMessage, kInput, kInputAnswered };
  for (int box : {kMessage, kInput, kInputAnswered}) {
    SCOPED_TRACE(box);
    form.Load();
    int ticks = 0;
    std::wstring shown;
    auto tick = form["tmrTick"].Timer.Connect([&] {
      if (++ticks == 1) {
        HWND dialog = nullptr;
        shown = ThreadBoxTexts(dialog);
        if (box == kInputAnswered) {
          ::SendMessageW(::FindWindowExA(dialog, nullptr, "Edit", nullptr), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(Wide(typed).c_str()));
          ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
      }
      if (ticks == 2) form.Unload();
    });
    guarded([&] {
      if (box == kMessage) ui.MsgBox(prompt, forms::kMbExclamation, title);
      else EXPECT_EQ(ui.InputBox(prompt, title, name), box == kInput ? "" : typed);
    });
    EXPECT_EQ(shown.find(Wide(title) + L"|"), 0u);
    EXPECT_NE(shown.find(L"|" + Wide(prompt)), std::wstring::npos);
    EXPECT_EQ(shown.find(L"|" + Wide(name)) != std::wstring::npos, box != kMessage);
    EXPECT_EQ(form.Loaded(), box == kInputAnswered);
    form.Unload();
  }
  // Windows ends the session while a box is up and the form stays: the box
  // closes all the same, and no box opens after.
  for (const bool inputBox : {false, true}) {
    SCOPED_TRACE(inputBox);
    if (!form.Loaded()) form.Load();
    int ticks = 0;
    auto tick = form["tmrTick"].Timer.Connect([&] {
      if (++ticks == 2) ui.SessionEnding();
    });
    guarded([&] {
      if (inputBox) EXPECT_EQ(ui.InputBox("Enter Name for New Setting", "Tarvolo tests", "typed"), "");
      else ui.MsgBox("That name is already being used.", forms::kMbExclamation, "Tarvolo tests");
    });
    EXPECT_TRUE(form.Loaded());
  }
  // No box opens once the session ends.
  guarded([&] { EXPECT_EQ(ui.MsgBox("Save?", forms::kMbOkCancel, "Tarvolo tests"), forms::kMbAnswerCancel); });
  form.Unload();
}

TEST_F(FormsOnWindows, SystemMetricsAndTheBeepComeFromWindows) {
  EXPECT_EQ(os.GetSystemMetrics(platform::kSmCyCaption), ::GetSystemMetrics(SM_CYCAPTION));
  EXPECT_GT(os.GetSystemMetrics(platform::kSmCxFrame), 0);
  EXPECT_GT(os.GetSystemMetrics(platform::kSmCyMenu), 0);
  EXPECT_TRUE(os.MessageBeep(0));
}

}  // namespace
