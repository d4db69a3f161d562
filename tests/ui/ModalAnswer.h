#pragma once

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

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

}  // namespace brevanto::ui::test
