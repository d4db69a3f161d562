#include "ui/dialogs/ProgressBox.h"

#include "ui/AnsiText.h"

namespace brevanto::ui {

namespace {

constexpr int kSteps = 1000;
constexpr int kShowAfterMs = 500;

}  // namespace

bool ProgressBox::Show(const std::string& text, double share) {
    if (!dialog_) {
        dialog_ = new QProgressDialog(FromAnsi(text), QStringLiteral("Cancel"), 0, kSteps, owner_);
        dialog_->setWindowTitle(QStringLiteral("Brevanto"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(kShowAfterMs);
        // The command ends the box itself; reaching the end must not reset or hide it early.
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    dialog_->setLabelText(FromAnsi(text));
    // A modal progress dialog handles the pending events (repaint, Cancel) in setValue.
    dialog_->setValue(static_cast<int>(share * kSteps));
    return !dialog_->wasCanceled();
}

void ProgressBox::End() {
    delete dialog_;
}

}  // namespace brevanto::ui
