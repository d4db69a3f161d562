// Which calls reach the notification area, with what, and what a failure does.
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "ui/tray/classTrayIcon.h"

using namespace brevanto::ui;

namespace {

// Records each call as its operation and record; every call fails with `error` once it is
// not 0.
class RecordingBackend : public NotifyIconBackend {
  public:
    std::vector<std::pair<std::string, NotifyIconData>> calls;
    std::int32_t error = 0;

    bool Add(const NotifyIconData& data) override { return Record("add", data); }
    bool Modify(const NotifyIconData& data) override { return Record("modify", data); }
    bool Delete(const NotifyIconData& data) override { return Record("delete", data); }
    std::int32_t LastError() const override { return error; }

  private:
    bool Record(const char* operation, const NotifyIconData& data) {
        calls.emplace_back(operation, data);
        return error == 0;
    }
};

}  // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

  private slots:
    void showHideAndUpdateCallOnlyOnAChangeAndAFailureKeepsTheState() {
        RecordingBackend backend;
        classTrayIcon tray(backend);
        std::vector<std::int32_t> errors;
        tray.NIError = [&](std::int32_t number) { errors.push_back(number); };
        QVERIFY(!tray.IconReady());
        tray.Initialize(0x1234, 77, "Brevanto", 512);
        QVERIFY(tray.IconReady() && !tray.IconShown());
        // Window, id 1, message, icon and tip (flags 7), callback message, icon, tip.
        QVERIFY(tray.IconData() == (NotifyIconData{0x1234, 1, 7, 512, 77, "Brevanto"}));

        // Refused without reaching the backend: nothing is raised.
        QVERIFY(!tray.HideIcon() && !tray.Update() && backend.calls.empty());
        QVERIFY(tray.ShowIcon() && tray.IconShown());
        QVERIFY(!tray.ShowIcon());  // already shown: no second add
        QVERIFY(tray.Update());
        QVERIFY(tray.ShowAgain() && tray.IconShown());  // the shell forgot it: added once more
        QVERIFY(tray.HideIcon() && !tray.IconShown());
        QVERIFY(!tray.HideIcon());
        QVERIFY(!tray.ShowAgain());  // a hidden icon stays hidden
        std::vector<std::string> operations;
        for (const auto& [operation, data] : backend.calls) {
            operations.push_back(operation);
            QCOMPARE(data, tray.IconData());
        }
        QCOMPARE(operations, (std::vector<std::string>{"add", "modify", "add", "delete"}));
        QVERIFY(errors.empty());

        backend.error = 1008;
        QVERIFY(!tray.ShowIcon() && !tray.IconShown());
        backend.error = 0;
        QVERIFY(tray.ShowIcon());
        backend.error = 5;
        QVERIFY(!tray.Update() && !tray.HideIcon() && tray.IconShown());
        QCOMPARE(errors, (std::vector<std::int32_t>{1008, 5, 5}));
    }

    void tipIsCutTo63CharactersAndSentAlone() {
        RecordingBackend backend;
        classTrayIcon tray(backend);
        const std::string longTip(70, 'x');

        // Before Initialize the tip is only stored, and Initialize replaces it.
        tray.TipText(longTip);
        QVERIFY(backend.calls.empty());
        QCOMPARE(tray.IconData().tip.size(), std::size_t{63});
        tray.Initialize(1, 2, std::string(64, 'y'), 512);
        QCOMPARE(tray.IconData().tip, std::string(63, 'y'));

        // Initialised but not shown: the update is refused, nothing is sent.
        tray.TipText("Brevanto");
        QVERIFY(backend.calls.empty());

        QVERIFY(tray.ShowIcon());
        tray.TipText(longTip);
        QCOMPARE(backend.calls.size(), std::size_t{2});
        const auto& [operation, sent] = backend.calls.back();
        QVERIFY(operation == "modify" && sent.flags == NIF_TIP);
        QCOMPARE(sent.tip, std::string(63, 'x'));
        QCOMPARE(tray.IconData().flags, 7u);  // icon and callback travel again next time

        tray.TipText(std::string(63, 'z'));
        QCOMPARE(backend.calls.back().second.tip, std::string(63, 'z'));
    }
};

QTEST_APPLESS_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
