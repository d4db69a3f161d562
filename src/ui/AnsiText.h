#pragma once

#include <QString>
#include <string>

#include "data/codepage/CodePage.h"

// Text is ANSI bytes everywhere in Brevanto; it turns into Unicode only where Qt shows it
// and back where Qt reads it.
namespace brevanto::ui {

inline QString FromAnsi(const std::string& text) {
    return QString::fromStdString(codepage::AnsiToUtf8(text));
}

inline std::string ToAnsi(const QString& text) {
    return codepage::Utf8ToAnsi(text.toStdString());
}

}  // namespace brevanto::ui
