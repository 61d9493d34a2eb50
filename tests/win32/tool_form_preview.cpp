// Shows the Windows tests' form for a look (a screenshot under Wine): the
// first page, or the second with the argument "2"; it closes after the
// number of seconds given second (10 if none). A third argument "u" puts
// text of other scripts in the title, a label, the text box and the list.
#include "platform/win32/win32_api.h"

#include <cstdlib>
#include <string>

#include "platform/forms/form.h"
#include "platform/win32/win32_form_ui.h"
#include "tests/win32/layout_form.h"

int main(int argc, char** argv) {
  platform::win32::Win32Ui ui(::GetModuleHandleA(nullptr), "Tarvolo preview");
  forms::Form form(ui, wintest::LayoutForm());
  form.Load();
  form["cboAction"].SetListIndex(1);
  form["txtFilter"].SetText("Notepad");
  form["chkTitle"].SetValue(1);
  if (argc > 3 && std::string(argv[3]) == "u") {
    form.SetCaption("Tarvolo — Отчёт 2026");
    form.Item("lblAWTitle", 1).SetCaption("Отчёт 2026 — Φίλτρο");
    form.Item("lblAWTitle", 2).SetCaption("Отчёт");
    form["txtFilter"].SetText("Φίλτρο");
    form["cboAction"].SetItems({"Ignore", "日本語メモ", "Отчёт 2026"});
    form["cboAction"].SetListIndex(1);
  }
  if (argc > 1 && std::string(argv[1]) == "2") form["mstPage"].SetTab(1);
  const int ticks = (argc > 2 ? std::atoi(argv[2]) : 10) * 50;
  int seen = 0;
  form["tmrTick"].Timer.Handle([&seen] { ++seen; });
  form.Show();
  ui.RunMessageLoop([&] { return seen < ticks && form.Loaded(); });
  return 0;
}
