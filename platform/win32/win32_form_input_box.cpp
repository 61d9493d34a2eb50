#include "platform/win32/win32_api.h"

#include <cstring>
#include <vector>

#include "platform/win32/win32_form_ui.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {
namespace {

constexpr int kPromptId = 100;
constexpr int kEntryId = 101;

struct InputBoxData {
  const std::string* prompt;
  const std::string* title;
  const std::string* defaultText;
  std::string answer;
};

// A dialog template built in memory: DLGTEMPLATE and its items, each item
// DWORD-aligned, strings in UTF-16 as templates always are.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy) {
    Align(4);
    Put(DLGTEMPLATE{style, 0, 0, 0, 0, cx, cy});
    Put<WORD>(0);  // no menu
    Put<WORD>(0);  // the standard dialog class
    Put<WORD>(0);  // title: set later, through the family's text calls
    Put<WORD>(8);  // font size
    for (const char* c = "MS Shell Dlg"; *c; ++c) Put<WORD>(static_cast<WORD>(*c));
    Put<WORD>(0);
  }
  void AddItem(WORD atom, DWORD style, short x, short y, short cx, short cy, WORD id) {
    Align(4);
    Put(DLGITEMTEMPLATE{WS_CHILD | WS_VISIBLE | style, 0, x, y, cx, cy, id});
    Put<WORD>(0xFFFF);
    Put<WORD>(atom);
    Put<WORD>(0);  // text: set later
    Put<WORD>(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  template <typename T>
  void Put(const T& value) {
    const auto at = bytes_.size();
    bytes_.resize(at + sizeof value);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }
  void Align(std::size_t n) {
    while (bytes_.size() % n) bytes_.push_back(0);
  }
  // The vector's storage starts suitably aligned for the dialog manager.
  std::vector<unsigned char> bytes_;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto* data = reinterpret_cast<InputBoxData*>(lParam);
      ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      SetWindowTextUtf8(dialog, *data->title);
      SetWindowTextUtf8(::GetDlgItem(dialog, kPromptId), *data->prompt);
      SetWindowTextUtf8(::GetDlgItem(dialog, kEntryId), *data->defaultText);
      SetWindowTextUtf8(::GetDlgItem(dialog, IDOK), "OK");
      SetWindowTextUtf8(::GetDlgItem(dialog, IDCANCEL), "Cancel");
      HWND entry = ::GetDlgItem(dialog, kEntryId);
      ::SendMessageA(entry, EM_SETSEL, 0, -1);
      ::SetFocus(entry);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* data = reinterpret_cast<InputBoxData*>(::GetWindowLongPtrA(dialog, DWLP_USER));
        data->answer = WindowText(::GetDlgItem(dialog, kEntryId));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

std::string RunInputBox(HINSTANCE instance, const std::string& prompt, const std::string& title,
                        const std::string& defaultText) {
  constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_SETFOREGROUND,
                        240, 86);
  dialog.AddItem(kStatic, SS_LEFT | SS_NOPREFIX, 7, 7, 168, 50, kPromptId);
  dialog.AddItem(kButton, WS_TABSTOP | BS_DEFPUSHBUTTON, 182, 7, 50, 14, IDOK);
  dialog.AddItem(kButton, WS_TABSTOP | BS_PUSHBUTTON, 182, 25, 50, 14, IDCANCEL);
  dialog.AddItem(kEdit, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 64, 225, 13, kEntryId);
  InputBoxData data{&prompt, &title, &defaultText, {}};
  // On the NT family a Unicode dialog, whose text field takes any character.
  const auto param = reinterpret_cast<LPARAM>(&data);
  const INT_PTR result = IsNt() ? ::DialogBoxIndirectParamW(instance, dialog.Get(), nullptr, InputBoxProc, param)
                                : ::DialogBoxIndirectParamA(instance, dialog.Get(), nullptr, InputBoxProc, param);
  return result == IDOK ? data.answer : std::string();
}

}  // namespace platform::win32
