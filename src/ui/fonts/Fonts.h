#pragma once

#include <QFont>

// The windows' font. The window layouts ask for "MS Sans Serif", which few machines
// have, and the stand-ins a system picks are wider, so captions laid out for it lose their
// ends. The program therefore brings its own faces as resources: Wine's free MS Sans Serif
// (a bitmap face with Windows' metrics, drawn at its 13-pixel size) for ordinary text, and
// DejaVu Sans Bold for bold captions, which the bitmap face has no strike for.
namespace brevanto::ui {

QFont SansFont(double pointSize, bool bold = false);

}  // namespace brevanto::ui
