#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace brevanto::ui::test {

// What a picture of `window` would show cut at the fonts in use: the shown captions wider
// than their controls (a check box needs its indicator beside the caption, a push button
// its bevel), a buddy-list text wider than its field, and push buttons side by side that
// touch. Empty when everything shows whole.
inline QStringList CutCaptions(const QWidget* window) {
    QStringList cut;
    const auto wide = [](const QWidget* control, const QString& text) {
        return control->fontMetrics().size(Qt::TextShowMnemonic, text).width();
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        const QRect room = label->contentsRect();
        if (label->isVisible() && !label->text().isEmpty() &&
            (label->wordWrap() ? label->heightForWidth(room.width()) > room.height()
                               : wide(label, label->text()) > room.width())) {
            cut << label->text();
        }
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QStyle* style = button->style();
        const int beside = qobject_cast<const QCheckBox*>(button)
                               ? style->pixelMetric(QStyle::PM_IndicatorWidth) +
                                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
                               : 6;
        if (button->isVisible() && wide(button, button->text()) + beside > button->width()) {
            cut << button->text();
        }
    }
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (edit->isVisible() && qobject_cast<const QComboBox*>(edit->parentWidget()) &&
            edit->fontMetrics().horizontalAdvance(edit->text()) > edit->contentsRect().width()) {
            cut << edit->text();
        }
    }
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    for (const QPushButton* a : buttons) {
        for (const QPushButton* b : buttons) {
            if (a < b && a->isVisible() && b->isVisible() && a->parent() == b->parent() &&
                a->geometry().adjusted(-1, -1, 1, 1).intersects(b->geometry())) {
                cut << a->text() + QStringLiteral(" touches ") + b->text();
            }
        }
    }
    return cut;
}

// A title bar shows the box's title whole beside its icon and buttons, in a bold face.
inline bool TitleFits(const QWidget* box) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    return box->width() >= QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) + 100;
}

}  // namespace brevanto::ui::test
