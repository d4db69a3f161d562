#include "ui/about/frmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "ui/AppIcon.h"
#include "ui/dialogs/ModalBoxes.h"
#include "ui/fonts/Fonts.h"
#include "ui/layout/Twips.h"

namespace brevanto::ui {

QString frmAbout::VersionLine() {
    return QStringLiteral("Beta %1.%2.%3")
        .arg(BREVANTO_VERSION_MAJOR)
        .arg(BREVANTO_VERSION_MINOR)
        .arg(BREVANTO_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      picIcon_(new QLabel(this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      lblTitle_(new QLabel(this)),
      lblVersion_(new QLabel(this)),
      lblName_(new QLabel(QStringLiteral("Written by the Brevanto developers"), this)) {
    setObjectName(QStringLiteral("frmAbout"));
    setFont(SansFont(8.25));
    setFixedSize(Pixels(4125), Pixels(1080));
    setWindowIcon(AppIcon());

    picIcon_->setObjectName(QStringLiteral("picIcon"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblName_->setObjectName(QStringLiteral("lblName"));

    Place(picIcon_, 120, 120, 780, 780);
    Place(cmdOK_, 3360, 120, 660, 825);
    Place(lblTitle_, 1050, 120, 1965, 240);
    Place(lblVersion_, 1050, 360, 1965, 225);
    // The credit is wider than its place: it wraps onto a second line below it.
    Place(lblName_, 1050, 600, 1965, 420);
    lblName_->setWordWrap(true);
    lblName_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    picIcon_->setPixmap(AppIcon().pixmap(48, 48));
    picIcon_->setAlignment(Qt::AlignCenter);
    QPalette black = lblTitle_->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblTitle_->setPalette(black);

    // Enter presses the default button; Escape rejects the dialog. Both close it.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
    lblVersion_->setText(VersionLine());
    lblTitle_->setText(kApplicationTitle);
}

}  // namespace brevanto::ui
