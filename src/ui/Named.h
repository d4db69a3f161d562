#pragma once

#include <QString>

namespace brevanto::ui {

// Gives a widget its control name, so tests and the reader find it as the window
// definition names it (cmdStart, flexGrid, ...).
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace brevanto::ui
