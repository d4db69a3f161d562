#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

#include "ui/layout/LongLines.h"
#include "ui/log/LogBox.h"

using brevanto::ui::LogBox;

// The log box shows every log whole, however it grows, with no block longer than a piece.
class LogBoxTest : public QObject {
    Q_OBJECT

    static int LongestBlock(const LogBox& box) {
        int longest = 0;
        for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
            longest = std::max(longest, b.length() - 1);
        }
        return longest;
    }

  private slots:
    void showsEachLogWhole() {
        const std::string word = "abcdefghi ";
        std::string spaced;
        for (int i = 0; i < 300; ++i) {
            spaced += word;
        }
        const std::string unbroken(2500, 'z');
        // Each row sets the log after the one before it in the same box.
        const struct {
            std::string log;
            int blocks;  // -1: not checked
        } steps[] = {
            {"a: hi\r\nb: hello", 2},
            {"a: hi\r\nb: hello\r\na: bye\r\n", 4},             // appended
            {"a: hi\r\nb: hello\r\na: bye\r\n" + unbroken, 6},  // a long line in three pieces
            {"c: other buddy", 1},                              // replaced
            {"c: " + unbroken.substr(0, 900), 1},               // a line grown across sets
            {"c: " + unbroken, 3},
            {spaced, -1},
            {"\xe9" + std::string(3000, '\xe9'), 4},
        };
        LogBox box;
        for (const auto& step : steps) {
            box.SetLog(step.log);
            QString expected = QString::fromLatin1(step.log.data(), qsizetype(step.log.size()));
            expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QCOMPARE(box.Text(), expected);
            QVERIFY(LongestBlock(box) <= LogBox::kPiece);
            if (step.blocks >= 0) {
                QCOMPARE(box.document()->blockCount(), step.blocks);
            }
        }
        // The spaced line broke after spaces only: every piece but the last ends in one.
        box.SetLog(spaced + "!");
        for (QTextBlock b = box.document()->begin(); b.next().isValid(); b = b.next()) {
            QVERIFY(b.text().endsWith(QLatin1Char(' ')));
        }
    }

    void copiesTheLinesAsTheyWere() {
        LogBox box;
        const std::string log = "x: " + std::string(2500, 'q') + "\r\ny: after";
        box.SetLog(log);
        box.selectAll();
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString("x: " + std::string(2500, 'q') + "\ny: after"));
    }

    // The Windows log box's pieces: after a space where one is near, else at the piece's
    // length, never inside a double-byte character; copies leave the added breaks out.
    void windowsPiecesBreakAfterSpacesAndCopyWhole() {
        using brevanto::ui::BreakLongLines;
        const auto lead = [](unsigned char byte) { return byte == 0x81; };
        const std::string spaced = std::string(995, 'a') + " " + std::string(20, 'b');
        const std::string text = "x\r\n" + spaced + "\r\n" + std::string(999, 'c') +
                                 "\x81\x40"
                                 "d";
        const auto lines = BreakLongLines(text, 1000, 200, lead);
        QCOMPARE(lines.shown, "x\r\n" + std::string(995, 'a') + " \r\n" + std::string(20, 'b') +
                                  "\r\n" + std::string(999, 'c') + "\x81\x40\r\nd");
        QCOMPARE(lines.breaks.size(), std::size_t{2});
        QCOMPARE(brevanto::ui::WithoutBreaks(lines, 0, lines.shown.size()), text);
        // A selection that begins inside a break.
        QCOMPARE(brevanto::ui::WithoutBreaks(lines, lines.breaks[0] + 1, lines.breaks[0] + 4),
                 std::string("bb"));
    }
};

QTEST_MAIN(LogBoxTest)
#include "LogBoxTest.moc"
