#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Answers the next modal box from the event loop it runs in, as a user would: waits for
// it to appear, hands it to the given action (which inspects it and presses a button),
// and counts how many boxes it answered. A box that never appears leaves the count at 0.
namespace brevanto::ui::test {

class ModalAnswer {
  public:
    using Action = std::function<void(QWidget* box)>;

    // Answers up to `times` boxes in a row with the same action.
    explicit ModalAnswer(Action action, int times = 1)
        : state_(std::make_shared<State>(std::move(action), times)) {
        Poll(state_);
    }

    ~ModalAnswer() { state_->remaining = 0; }

    int Answered() const { return state_->answered; }

  private:
    struct State {
        State(Action a, int t) : action(std::move(a)), remaining(t) {}
        Action action;
        int remaining;
        int answered = 0;
        QPointer<QWidget> last;  // null again once the answered box is gone
    };

    static void Poll(std::shared_ptr<State> state) {
        QTimer::singleShot(10, qApp, [state] {
            if (state->remaining <= 0) {
                return;
            }
            QWidget* box = QApplication::activeModalWidget();
            if (box != nullptr && box != state->last.data()) {
                state->last = box;
                ++state->answered;
                state->action(box);
                // A check that failed inside the action leaves the box open; close it, so
                // the test reports the failure instead of waiting for ever.
                QTimer::singleShot(2000, box, [box] {
                    if (auto* dialog = qobject_cast<QDialog*>(box)) {
                        dialog->reject();
                    }
                });
                if (--state->remaining == 0) {
                    return;
                }
            }
            Poll(state);
        });
    }

    std::shared_ptr<State> state_;
};

}  // namespace brevanto::ui::test

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace brevanto::ui::test {

// Presses one of a message box's buttons; fails loudly when the box has no such button.
inline void Press(QWidget* box, QMessageBox::StandardButton which) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    QAbstractButton* button = messageBox ? messageBox->button(which) : nullptr;
    if (button == nullptr) {
        qFatal("expected a message box with the requested button");
    }
    button->click();
}

// Types text into an input box (replacing its contents) and presses OK, or presses Cancel
// when accept is false.
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
