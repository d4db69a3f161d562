#pragma once

#include <QString>

class QWidget;

// The platform's modal boxes as the program uses them: a message box with a prompt, a
// title and a numbered button set, and a one-line text prompt. An empty title stands for
// the application title.
namespace brevanto::ui {

inline const QString kApplicationTitle = QStringLiteral("Brevanto");

// Shows the buttons of style 0 (OK), 1 (OK, Cancel), 3 (Yes, No, Cancel) or 4 (Yes, No),
// the first one the default, with no icon, and returns the button's number: 1 OK,
// 2 Cancel, 6 Yes, 7 No. Closing the box counts as its Cancel or No, or as OK where OK is
// the only button.
int ShowMessageBox(QWidget* parent, const QString& prompt, int style, const QString& title);

// The typed text on OK; an empty text on Cancel or when the box is closed.
QString ShowInputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText);

}  // namespace brevanto::ui
