#include "ui/fonts/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

// The font resources live in a static library: like the icon's, they are registered
// explicitly, outside any namespace.
static void RegisterFontResources() {
    Q_INIT_RESOURCE(fonts);
}

namespace brevanto::ui {

namespace {

struct Families {
    QString regular;
    QString bold;
};

QString AddFont(const QString& resource, const QString& fallback) {
    const QStringList families =
        QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(resource));
    return families.isEmpty() ? fallback : families.front();
}

const Families& LoadedFamilies() {
    static const Families families = [] {
        RegisterFontResources();
        return Families{
            AddFont(QStringLiteral(":/fonts/ms_sans_serif.ttf"), QStringLiteral("MS Sans Serif")),
            AddFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"), QStringLiteral("DejaVu Sans"))};
    }();
    return families;
}

}  // namespace

QFont SansFont(double pointSize, bool bold) {
    const Families& families = LoadedFamilies();
    QFont font(bold ? families.bold : families.regular);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace brevanto::ui
