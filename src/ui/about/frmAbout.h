#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: the application's title, its version and an author credit. A fixed,
// modal box whose one button is both the default and the cancel button, so Enter and
// Escape close it.
namespace brevanto::ui {

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    static QString VersionLine();  // "Beta " and major.minor.revision

  private:
    QLabel* picIcon_;
    QPushButton* cmdOK_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblName_;
};

}  // namespace brevanto::ui
