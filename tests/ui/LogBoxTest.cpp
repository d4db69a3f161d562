#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

#include "ui/layout/FollowHeight.h"
#include "ui/layout/LogLayout.h"
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
        // A copy gives the lines as they were, not as pieces.
        box.SetLog("x: " + unbroken + "\r\ny: after");
        box.selectAll();
        box.copy();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString("x: " + unbroken + "\ny: after"));
    }

    // The Windows log box's layout, with every byte one pixel wide: pieces break after a
    // space where one is near, rows wrap after a space or at the width, and neither splits
    // a double-byte character; only the pieces in view are measured.
    void windowsLayoutWrapsOnlyWhatIsInView() {
        using brevanto::ui::LogLayout;
        using brevanto::ui::LogPlace;
        std::size_t measured = 0;
        LogLayout layout(
            [&](std::string_view text, int width) {
                measured += text.size();
                return std::min<std::size_t>(text.size(), std::size_t(width));
            },
            [](unsigned char byte) { return byte == 0x81; });
        const auto pieces = [&] {
            std::vector<std::string> out;
            for (std::size_t i = 0; i < layout.Pieces(); ++i) {
                const auto piece = layout.Piece(i);
                out.emplace_back(layout.Text().begin() + piece.begin,
                                 layout.Text().begin() + piece.end);
            }
            return out;
        };
        const std::string spaced = std::string(995, 'a') + " " + std::string(20, 'b');
        const std::string dbcs = std::string(999, 'c') + "\x81\x40";
        layout.SetText("x\r\n" + spaced + "\r\n" + dbcs + "d\ry\x81\n\r");
        QCOMPARE(pieces(),
                 (std::vector<std::string>{"x", std::string(995, 'a') + " ", std::string(20, 'b'),
                                           dbcs, "d", "y\x81", "", ""}));

        layout.SetText("ab cd efghijklm\x81\x40\x81\x40o\r\np\r\nq\x81");
        layout.SetWidth(6);
        std::vector<std::string> rows;
        for (const auto& row : layout.View({0, 1}, 9)) {  // more than there are
            rows.push_back(layout.Text().substr(row.begin, row.end - row.begin));
        }
        QCOMPARE(rows,
                 (std::vector<std::string>{"efghij", "klm\x81\x40", "\x81\x40o", "p", "q\x81"}));
        QCOMPARE(layout.Moved({0, 1}, 3), (LogPlace{1, 0}));
        QCOMPARE(layout.Moved({1, 0}, -2), (LogPlace{0, 2}));
        QCOMPARE(layout.Moved({1, 0}, 9), (LogPlace{2, 0}));
        QCOMPARE(layout.Moved({1, 0}, -9), (LogPlace{0, 0}));
        QCOMPARE(layout.LastPage(3), (LogPlace{0, 3}));
        // x within a double-byte character gives the offset before it.
        const auto row = layout.View({0, 2}, 1).front();
        QCOMPARE(layout.OffsetAt(row, 0), row.begin);
        QCOMPARE(layout.OffsetAt(row, 4) - row.begin, std::size_t{3});
        QCOMPARE(layout.OffsetAt(row, 5) - row.begin, std::size_t{5});
        QCOMPARE(layout.Between(17, 3), std::string_view("cd efghijklm\x81\x40"));
        QCOMPARE(layout.Between(40, 19), std::string_view("o\r\np\r\nq\x81"));
        // A lead byte with no trail is a character of its own.
        QCOMPARE(layout.OffsetAt(layout.View({2, 0}, 1).front(), 9), std::size_t{27});

        std::string log;
        for (int line = 0; line < 1000; ++line) {
            log += std::string(3000, 'z') + "\r\n";
        }
        layout.SetText(log);
        layout.SetWidth(100);
        measured = 0;
        QCOMPARE(layout.View({1500, 2}, 20).size(), std::size_t{20});
        QVERIFY(measured < 20000);  // the three pieces in view, not all 3,000
    }

    // A height that would leave the grid nothing moves no part; the Windows window can be
    // dragged that small.
    void heightsThatLeaveTheGridNothingChangeNothing() {
        const brevanto::core::LayoutOffsets offsets{3000, 2500, 1500, 9000, 2000};
        QVERIFY(!brevanto::ui::FollowHeight(offsets, 3000));
        const auto parts = brevanto::ui::FollowHeight(offsets, 3001);
        QVERIFY(parts && parts->gridHeight == 1 && parts->frameTop == 501 &&
                parts->logHeight == 1501);
    }
};

QTEST_MAIN(LogBoxTest)
#include "LogBoxTest.moc"
