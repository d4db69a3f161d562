#include <string>

#include "aim/modAIM.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"
#include "suite/Tests.h"

namespace brevanto::wine {
namespace {

namespace modAIM = brevanto::modAIM;

// A buddy writes a message with capitals the code page lower-cases in its own way.
struct Sample {
    std::string buddy;
    std::string message;
    std::string lowered;
    std::string utf8;  // the message in UTF-8
};

void CheckSample(Checks& checks, const Sample& sample) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7").Add("im", sample.buddy).Add("buddy", sample.message);
    auto client = StartClient(checks, scenario);
    if (!client) {
        return;
    }
    aim::Win32WindowSystem windows(kSuiteSendTimeoutMs);
    const aim::Hwnd pane = windows.FindWindowExA(client->Im(0), 0, "WndAte32Class", nullptr);
    const auto report = client->CurrentReport();
    if (checks.That(report.has_value(), "the fake client reports")) {
        checks.Equal(modAIM::GetText(windows, pane), report->Of("transcript", 0),
                     "GetText reads the pane whole, without padding");
    }
    checks.Equal(modAIM::GetIMBuddyName(windows, client->Im(0)), sample.buddy,
                 "the buddy name in the caption reads whole");
    checks.Equal(modAIM::GetIMText(windows, client->Im(0)),
                 sample.buddy + ": " + sample.message + "\n", "the message reads whole");
    checks.Equal(codepage::ToLower(sample.message), sample.lowered,
                 "the message lower-cases by the code page");
    checks.Equal(modFileIO::FindEntry(sample.lowered + "=found\r\n", sample.message), "found",
                 "the message finds its lower-cased entry");
    checks.Equal(codepage::AnsiToUtf8(sample.message), sample.utf8, "the message in UTF-8");
    checks.Equal(codepage::Utf8ToAnsi(sample.utf8), sample.message, "UTF-8 back to the message");
}

}  // namespace

void CodePage1252(Checks& checks) {
    // C cedilla and Y diaeresis.
    CheckSample(checks,
                {"Zo\xEB", "\xC7\x41 VA \x9F", "\xE7\x61 va \xFF", "\xC3\x87\x41 VA \xC5\xB8"});
}

void CodePage1251(Checks& checks) {
    // "Boris" writes "Yolka Chai Yabloko": Yo, Che and Ya are capitals in 1251 only.
    CheckSample(checks,
                {"\xC1\xEE\xF0\xE8\xF1", "\xA8\xEB\xEA\xE0 \xD7\xE0\xE9 \xDF\xE1\xEB\xEE\xEA\xEE",
                 "\xB8\xEB\xEA\xE0 \xF7\xE0\xE9 \xFF\xE1\xEB\xEE\xEA\xEE",
                 "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xD0\xA7\xD0\xB0\xD0\xB9 "
                 "\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"});
}

void CodePage932(Checks& checks) {
    // "Taro" writes katakana "a i su" (second bytes "A", "C", "X"), "OK" and a half-width "a".
    CheckSample(checks, {"\x91\xBE\x98\x59", "\x83\x41\x83\x43\x83\x58OK\xB1",
                         "\x83\x41\x83\x43\x83\x58ok\xB1",
                         "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xB9OK\xEF\xBD\xB1"});
}

}  // namespace brevanto::wine
