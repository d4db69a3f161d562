#pragma once

#include <string>

#include "ui/win32/ModalDialog.h"

// The one-line text prompt: the prompt with its line breaks, OK (the default) and Cancel,
// and an edit field holding the default text. The field takes text of any length.
namespace brevanto::win32ui {

class InputBox : public ModalDialog {
  public:
    InputBox(const TwipsScale& scale, const Fonts& fonts, std::string prompt, std::string title,
             std::string text);

    // The typed text on OK; "" on Cancel or when the box is closed.
    std::string Ask(HWND owner);
    // Whether the typed text held characters the ANSI code page has no code for, which
    // came back as "?".
    bool LostCharacters() const { return lostCharacters_; }

  private:
    HWND Build() override;
    void Command(int id) override;

    std::string prompt_;
    std::string title_;
    std::string text_;
    bool lostCharacters_ = false;
};

}  // namespace brevanto::win32ui
