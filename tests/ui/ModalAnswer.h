#pragma once

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace brevanto::ui::test {

// Answers the next modal boxes from inside their event loop, as a user would, and counts
// them; a box that never appears leaves the count at 0.
class ModalAnswer {
  public:
    using Action = std::function<void(QWidget* box)>;

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
                // A failed check leaves the box open: close it rather than hang the test.
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
