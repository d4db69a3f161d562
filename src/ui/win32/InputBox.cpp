#include "ui/win32/InputBox.h"

#include <utility>

#include "ui/win32/ControlIds.h"
#include "ui/win32/Win32Text.h"

namespace brevanto::win32ui {

InputBox::InputBox(const TwipsScale& scale, const Fonts& fonts, std::string prompt,
                   std::string title, std::string text)
    : ModalDialog(scale, fonts),
      prompt_(WithCrLf(prompt)),
      title_(std::move(title)),
      text_(std::move(text)) {}

std::string InputBox::Ask(HWND owner) {
    return Run(owner) == IDOK ? text_ : std::string();
}

HWND InputBox::Build() {
    Frame(title_.c_str(), 6015, 1815);
    Add("STATIC", prompt_.c_str(), SS_LEFT | SS_NOPREFIX, IDC_InputPrompt, 120, 120, 4560, 1080);
    Add("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 4800, 120, 1095, 375);
    Add("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 4800, 540, 1095, 375);
    HWND edit = Add("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, IDC_InputText, 120, 1320, 5775, 315);
    // No length cap: a cell of any length comes back as it went in.
    ::SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    ::SetWindowTextA(edit, text_.c_str());
    // All selected, with the caret and the view at the start of the text.
    ::SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(text_.size()), 0);
    return edit;
}

void InputBox::Command(int id) {
    if (id == IDOK) {
        text_ = WindowText(::GetDlgItem(Handle(), IDC_InputText));
        End(IDOK);
    } else if (id == IDCANCEL) {
        End(IDCANCEL);
    }
}

}  // namespace brevanto::win32ui
