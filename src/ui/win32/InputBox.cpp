#include "ui/win32/InputBox.h"

#include <utility>

#include "ui/win32/ControlIds.h"
#include "ui/win32/Win32Text.h"

namespace brevanto::win32ui {

namespace {

// The edit keeps Unicode text whatever the program's code page; reading it in Unicode and
// converting without best-fit substitutes tells whether a character had no code.
std::string TypedText(HWND edit, bool& lostCharacters) {
    lostCharacters = false;
    const int length = ::GetWindowTextLengthW(edit);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(edit, wide.data(), length + 1)));
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                          text.data(), bytes, nullptr, &usedDefault);
    lostCharacters = usedDefault != FALSE;
    return text;
}

}  // namespace

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
        text_ = TypedText(::GetDlgItem(Handle(), IDC_InputText), lostCharacters_);
        End(IDOK);
    } else if (id == IDCANCEL) {
        End(IDCANCEL);
    }
}

}  // namespace brevanto::win32ui
