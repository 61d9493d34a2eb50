#include "monitor/frm_icon_form.h"

forms::FormSpec frmIconForm() {
  using forms::ControlKind;
  forms::FormSpec form{.Name = "frmIcon",
                       .Caption = "Tarvolo",
                       .Rect = {0, 0, 1800, 1200},
                       .Border = forms::BorderStyle::FixedSingle,
                       .ShowInTaskbar = false};
  const auto item = [](int index, const char* caption) {
    return forms::ControlSpec{
        .Name = "mnuPopup", .Kind = ControlKind::MenuItem, .Index = index, .Caption = caption, .Container = "mPopup"};
  };
  form.Controls = {
      {.Name = "tmrFast", .Kind = ControlKind::Timer, .Interval = 167},
      {.Name = "tmrRefresh", .Kind = ControlKind::Timer, .Interval = 500},
      // The plain icon, then the lock keys by their bits (Caps 1, Num 2, Scroll 4).
      {.Name = "ilsIcons",
       .Kind = ControlKind::ImageList,
       .Items = {"TRAYICON", "TRAYKEYS0", "TRAYKEYS1", "TRAYKEYS2", "TRAYKEYS3", "TRAYKEYS4", "TRAYKEYS5",
                 "TRAYKEYS6", "TRAYKEYS7"}},
      {.Name = "mPopup", .Kind = ControlKind::Menu, .Caption = "Popup", .Visible = false},
      item(kMenuShow, "Show"),
      item(kMenuHide, "Hide"),
      item(kMenuSeparator, "-"),
      item(kMenuExit, "Exit"),
  };
  return form;
}
