#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// What a user does to a Qt window's modal boxes, and what a picture of it would show.
namespace brevanto::ui::test {

// Runs act() while answer() handles the next `boxes` modal boxes from inside their event
// loop, as a user would; returns how many came (a box that never appears is not counted).
inline int WithBox(const std::function<void()>& act, std::function<void(QWidget*)> answer,
                   int boxes = 1) {
    struct State {
        std::function<void(QWidget*)> answer;
        int remaining;
        int answered = 0;
        QPointer<QWidget> last;  // null again once the answered box is gone
    };
    const auto state = std::make_shared<State>(State{std::move(answer), boxes, 0, {}});
    const auto poll = std::make_shared<std::function<void()>>();
    *poll = [state, weak = std::weak_ptr(poll)] {
        QWidget* box = QApplication::activeModalWidget();
        if (state->remaining > 0 && box != nullptr && box != state->last.data()) {
            state->last = box;
            ++state->answered;
            --state->remaining;
            state->answer(box);
            // A failed check leaves the box open: close it rather than hang the test.
            QTimer::singleShot(2000, box, [box] {
                if (auto* dialog = qobject_cast<QDialog*>(box)) {
                    dialog->reject();
                }
            });
        }
        if (const auto next = weak.lock(); next && state->remaining > 0) {
            QTimer::singleShot(10, qApp, *next);
        }
    };
    QTimer::singleShot(10, qApp, *poll);
    act();
    QTest::qWait(50);
    state->remaining = 0;
    return state->answered;
}

// Presses one of a message box's buttons; fails loudly when it has no such button.
inline void Press(QWidget* box, QMessageBox::StandardButton which) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    QAbstractButton* button = messageBox ? messageBox->button(which) : nullptr;
    if (button == nullptr) {
        qFatal("expected a message box with the requested button");
    }
    button->click();
}

// Replaces an input box's text and presses OK, or Cancel when accept is false.
inline void AnswerInput(QWidget* box, const QString& text, bool accept) {
    auto* input = qobject_cast<QInputDialog*>(box);
    if (input == nullptr) {
        qFatal("expected an input box");
    }
    input->findChild<QLineEdit*>()->setText(text);
    auto* buttons = input->findChild<QDialogButtonBox*>();
    buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
}

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
