#include "ui/dialogs/ModalBoxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <limits>

#include "core/Controls.h"
#include "ui/fonts/Fonts.h"

namespace brevanto::ui {

namespace {

QString TitleOrApplication(const QString& title) {
    return title.isEmpty() ? kApplicationTitle : title;
}

// A carriage return alone ends a line in the platform's boxes; Qt wants a line feed.
// Only the main window waits for the answer: the user may still work in other windows of
// the program, such as the practice window's IM windows while learning asks to pick one.
void ModalToParent(QDialog& box) {
    box.setWindowModality(box.parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
}

// A window manager cuts a title that does not fit its title bar beside the bar's icon and
// buttons: the box is made wide enough for its title in a bold system font, about what
// title bars use.
void RoomForTitle(QMessageBox& box) {
    constexpr int kTitleBarExtras = 120;  // pixels: icon, buttons and margins
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

QString LineBreaks(QString prompt) {
    prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    prompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return prompt;
}

}  // namespace

int ShowMessageBox(QWidget* parent, const QString& prompt, int style, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, TitleOrApplication(title), LineBreaks(prompt),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setFont(SansFont(8.25));
    RoomForTitle(box);
    ModalToParent(box);
    int escapeAnswer = core::kOk;
    switch (style) {
        case core::kYesNo:
            box.setDefaultButton(box.addButton(QMessageBox::Yes));
            box.setEscapeButton(box.addButton(QMessageBox::No));
            escapeAnswer = core::kNo;
            break;
        case core::kYesNoCancel:
            box.setDefaultButton(box.addButton(QMessageBox::Yes));
            box.addButton(QMessageBox::No);
            box.setEscapeButton(box.addButton(QMessageBox::Cancel));
            escapeAnswer = core::kCancel;
            break;
        case core::kOkCancel:
            box.setDefaultButton(box.addButton(QMessageBox::Ok));
            box.setEscapeButton(box.addButton(QMessageBox::Cancel));
            escapeAnswer = core::kCancel;
            break;
        default:
            box.setEscapeButton(box.addButton(QMessageBox::Ok));
            box.setDefaultButton(qobject_cast<QPushButton*>(box.escapeButton()));
            break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return core::kOk;
        case QMessageBox::Cancel:
            return core::kCancel;
        case QMessageBox::Yes:
            return core::kYes;
        case QMessageBox::No:
            return core::kNo;
        default:
            return escapeAnswer;
    }
}

QString ShowInputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText) {
    QInputDialog box(parent);
    box.setWindowTitle(TitleOrApplication(title));
    box.setLabelText(LineBreaks(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setFont(SansFont(8.25));
    ModalToParent(box);
    // A cell may hold any length; the field's default limit of 32,767 would cut it.
    if (auto* field = box.findChild<QLineEdit*>()) {
        field->setMaxLength(std::numeric_limits<int>::max());
    }
    box.setTextValue(defaultText);
    if (box.exec() != QDialog::Accepted) {
        return {};
    }
    return box.textValue();
}

}  // namespace brevanto::ui
