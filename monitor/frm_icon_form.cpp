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
      {.Name = "ilsIcons", .Kind = ControlKind::ImageList, .Items = {"TRAYICON"}},
      {.Name = "mPopup", .Kind = ControlKind::Menu, .Caption = "Popup", .Visible = false},
      item(kMenuShow, "Show"),
      item(kMenuHide, "Hide"),
      item(kMenuSeparator, "-"),
      item(kMenuExit, "Exit"),
  };
  return form;
}
