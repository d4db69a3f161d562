// Which calls reach the notification area, with what, and what a failure does.
#include <QTest>
#include <string>
#include <vector>

#include "ui/tray/classTrayIcon.h"

using namespace brevanto::ui;

namespace {

class RecordingBackend : public NotifyIconBackend {
  public:
    struct Call {
        std::string operation;
        NotifyIconData data;
    };
    std::vector<Call> calls;
    bool succeed = true;
    std::int32_t error = 0;

    bool Add(const NotifyIconData& data) override { return Record("add", data); }
    bool Modify(const NotifyIconData& data) override { return Record("modify", data); }
    bool Delete(const NotifyIconData& data) override { return Record("delete", data); }
    std::int32_t LastError() const override { return error; }

  private:
    bool Record(std::string operation, const NotifyIconData& data) {
        calls.push_back({std::move(operation), data});
        return succeed;
    }
};

}  // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

  private slots:
    void initializeFillsTheRecordAndShowHideCallOnlyOnAChange() {
        RecordingBackend backend;
        classTrayIcon tray(backend);
        QVERIFY(!tray.IconReady());
        tray.Initialize(0x1234, 77, "Brevanto", 512);
        QVERIFY(tray.IconReady());
        QVERIFY(!tray.IconShown());
        // Window, id 1, message, icon and tip (flags 7), callback message, icon, tip.
        QVERIFY(tray.IconData() == (NotifyIconData{0x1234, 1, 7, 512, 77, "Brevanto"}));

        QVERIFY(!tray.HideIcon());
        QVERIFY(!tray.Update());
        QVERIFY(backend.calls.empty());
        QVERIFY(tray.ShowIcon() && tray.IconShown());
        QVERIFY(!tray.ShowIcon());  // already shown: no second add
        QVERIFY(tray.Update());
        QVERIFY(tray.ShowAgain() && tray.IconShown());  // the shell forgot it: added once more
        QVERIFY(tray.HideIcon() && !tray.IconShown());
        QVERIFY(!tray.HideIcon());
        QVERIFY(!tray.ShowAgain());  // a hidden icon stays hidden
        std::vector<std::string> operations;
        for (const auto& call : backend.calls) {
            operations.push_back(call.operation);
            QCOMPARE(call.data, tray.IconData());
        }
        QCOMPARE(operations, (std::vector<std::string>{"add", "modify", "add", "delete"}));
    }

    void failuresRaiseTheErrorAndKeepTheShownState() {
        RecordingBackend backend;
        classTrayIcon tray(backend);
        std::vector<std::int32_t> errors;
        tray.NIError = [&](std::int32_t number) { errors.push_back(number); };
        tray.Initialize(1, 2, "Brevanto", 512);

        backend.succeed = false;
        backend.error = 1008;
        QVERIFY(!tray.ShowIcon() && !tray.IconShown());
        QCOMPARE(errors, std::vector<std::int32_t>{1008});

        backend.succeed = true;
        QVERIFY(tray.ShowIcon());
        backend.succeed = false;
        backend.error = 5;
        QVERIFY(!tray.Update() && !tray.HideIcon() && tray.IconShown());
        QCOMPARE(errors, (std::vector<std::int32_t>{1008, 5, 5}));

        // A call refused without reaching the backend raises nothing.
        classTrayIcon idle(backend);
        idle.NIError = tray.NIError;
        idle.Initialize(1, 2, "x", 512);
        QVERIFY(!idle.HideIcon());
        QCOMPARE(errors.size(), std::size_t{3});
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
        const NotifyIconData& sent = backend.calls.back().data;
        QVERIFY(backend.calls.back().operation == "modify" && sent.flags == NIF_TIP);
        QCOMPARE(sent.tip, std::string(63, 'x'));
        QCOMPARE(tray.IconData().flags, 7u);  // icon and callback travel again next time

        tray.TipText(std::string(63, 'z'));
        QCOMPARE(backend.calls.back().data.tip, std::string(63, 'z'));
    }
};

QTEST_APPLESS_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
