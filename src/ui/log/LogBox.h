#pragma once

#include <QPlainTextEdit>
#include <string>

// The conversation log box. The window sets a buddy's whole log on every reply, and a log
// only grows while it is shown, so the box appends what is new and leaves itself alone when
// nothing changed. A text widget lays out a long unbroken line in quadratic time and a block
// at a time, so a line longer than kPiece characters is shown as several blocks, broken
// after a space where one is near; copying and Text() join them again as they were.
namespace brevanto::ui {

class LogBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kPiece = 1000;

    explicit LogBox(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

    // Shows `ansi`, the whole log as the core keeps it.
    void SetLog(const std::string& ansi);
    // The text shown, with the pieces of a long line joined.
    QString Text() const;

  protected:
    QMimeData* createMimeDataFromSelection() const override;

  private:
    void Append(const QString& text);
    QString Joined(int from, int to) const;

    std::string shown_;
};

}  // namespace brevanto::ui
