#pragma once
// Forms as data: every control with its name, kind, caption, tool-tip, help
// topic and rectangle in twips. A form's behaviour is code that works on the
// control objects made from this description (platform/forms/control.h).
#include <cstdint>
#include <string>
#include <vector>

namespace forms {

enum class ControlKind {
  Label,
  TextBox,
  CommandButton,
  CheckBox,
  OptionButton,
  Frame,
  ComboBox,
  Shape,
  Line,  // a thin separator; its rectangle's height (or width) is 0
  PictureBox,
  TabControl,
  Timer,
  ImageList,
  Menu,      // a menu title (in the menu bar, or a hidden one used as a pop-up)
  MenuItem,  // an item of the menu named by its container; caption "-" is a separator
};

struct TwipsRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Colours are 0x00BBGGRR; kDefaultColor lets the backend use the system's.
// A colour with the high bit set names a system colour by its GetSysColor
// index, so that it follows the user's colour scheme.
inline constexpr std::int32_t kDefaultColor = -1;
inline constexpr std::int32_t SystemColor(int index) {
  return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(index));
}
inline constexpr bool IsSystemColor(std::int32_t color) {
  return color != kDefaultColor && (static_cast<std::uint32_t>(color) & 0x80000000u) != 0;
}
inline constexpr int SystemColorIndex(std::int32_t color) {
  return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}
inline constexpr std::int32_t kColorWindow = SystemColor(5);
inline constexpr std::int32_t kColorWindowText = SystemColor(8);
inline constexpr std::int32_t kColorButtonFace = SystemColor(15);
inline constexpr std::int32_t Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };
enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };
enum class FillStyle { Solid, Transparent };
enum class Alignment { Left, Right, Center };

struct ControlSpec {
  std::string Name{};
  ControlKind Kind = ControlKind::Label;
  int Index = -1;  // place in a control array; -1 when the control stands alone
  std::string Caption{};  // the text of text boxes and combo boxes
  std::string ToolTip{};
  std::int32_t HelpTopic = 0;
  TwipsRect Rect{};
  // The frame, tab control or menu the control sits in; empty: the form.
  std::string Container{};
  int TabPage = -1;  // the page of a tab control the control is on
  bool Enabled = true;
  bool Visible = true;
  std::uint32_t Interval = 0;  // timers, in milliseconds
  // Combo-box entries, tab captions, or the icon resources of an image list.
  std::vector<std::string> Items{};
  std::int32_t ForeColor = kDefaultColor;
  std::int32_t BackColor = kDefaultColor;
  std::int32_t FillColor = kDefaultColor;
  BorderStyle Border = BorderStyle::None;
  Alignment Align = Alignment::Left;
  ShapeKind Shape = ShapeKind::Rectangle;
  FillStyle Fill = FillStyle::Transparent;
  bool FontBold = false;
  bool FontUnderline = false;
  // Command buttons: Enter presses the default one, Escape the cancel one.
  bool Default = false;
  bool Cancel = false;
  // Text boxes where key combinations are held (the hot-key boxes): Alt with
  // a key stays in the box instead of reaching another control's access key.
  bool CapturesKeys = false;
};

struct FormSpec {
  std::string Name{};
  std::string Caption{};
  TwipsRect Rect{};
  BorderStyle Border = BorderStyle::Sizable;
  bool ShowInTaskbar = true;
  bool ControlBox = true;
  std::string Icon{};  // icon resource; empty: the application's
  std::int32_t HelpTopic = 0;
  std::vector<ControlSpec> Controls{};
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Why a form is being unloaded, as its query-unload handler is told.
enum class UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, AppTaskManager = 3 };

// Message box buttons, icons and answers (the values MessageBoxA uses).
inline constexpr int kMbOkOnly = 0;
inline constexpr int kMbOkCancel = 1;
inline constexpr int kMbCritical = 16;
inline constexpr int kMbExclamation = 48;
inline constexpr int kMbInformation = 64;
inline constexpr int kMbAnswerOk = 1;
inline constexpr int kMbAnswerCancel = 2;

// Pop-up menu flags (TrackPopupMenu's).
inline constexpr unsigned kPopupRightButton = 2;

}  // namespace forms
