#include "ui/log/LogBox.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "ui/AnsiText.h"

namespace brevanto::ui {

namespace {

// The user state of a block that continues the line of the block before it.
constexpr int kContinuesLine = 1;
// How far back from a piece's end a space is looked for to break after.
constexpr int kSpaceSearch = 200;

bool EndsLine(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Where the piece that reached kPiece characters at `end` should stop.
qsizetype PieceEnd(const QString& text, qsizetype pieceStart, qsizetype end) {
    for (qsizetype i = end; i > end - kSpaceSearch && i > pieceStart; --i) {
        if (text[i - 1] == QLatin1Char(' ')) {
            return i;
        }
    }
    // A surrogate pair stays whole.
    return text[end].isLowSurrogate() ? end - 1 : end;
}

}  // namespace

void LogBox::SetLog(const std::string& ansi) {
    if (ansi == shown_) {
        return;
    }
    // Only a log that grew past a complete line ending is appended to: a "\r" split from its
    // "\n" would show as two line breaks.
    const bool grows = !shown_.empty() && ansi.size() > shown_.size() && shown_.back() != '\r' &&
                       ansi.compare(0, shown_.size(), shown_) == 0;
    if (grows) {
        Append(FromAnsi(ansi.substr(shown_.size())));
    } else {
        clear();
        Append(FromAnsi(ansi));
        moveCursor(QTextCursor::Start);
    }
    shown_ = ansi;
}

void LogBox::Append(const QString& text) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    qsizetype inserted = 0;
    qsizetype lineStart = -cursor.positionInBlock();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (EndsLine(text[i])) {
            lineStart = i + 1;
        } else if (i - lineStart >= kPiece) {
            const qsizetype end = PieceEnd(text, std::max(lineStart, inserted), i);
            cursor.insertText(text.mid(inserted, end - inserted));
            cursor.insertBlock();
            cursor.block().setUserState(kContinuesLine);
            inserted = end;
            lineStart = end;
        }
    }
    cursor.insertText(text.mid(inserted));
    cursor.endEditBlock();
}

QString LogBox::Joined(int from, int to) const {
    QString text;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from && block.userState() != kContinuesLine) {
            text += QLatin1Char('\n');
        }
        const int start = std::max(from - block.position(), 0);
        const int end = std::min(to - block.position(), block.length() - 1);
        if (end > start) {
            text += block.text().mid(start, end - start);
        }
    }
    return text;
}

QString LogBox::Text() const {
    return Joined(0, document()->characterCount());
}

QMimeData* LogBox::createMimeDataFromSelection() const {
    const QTextCursor selection = textCursor();
    auto* mime = new QMimeData;
    mime->setText(Joined(selection.selectionStart(), selection.selectionEnd()));
    return mime;
}

}  // namespace brevanto::ui
