// The Wine suite: win32suite.exe [name part]. modAIM's routines through the real Win32 layer
// against the fake AIM client in another process, for what the whole program's run
// (programdriver.exe) cannot see: z-order, a short copy, a hung client and the code pages
// 1252, 1251 and 932 in captions, panes and replies. Runs every test (or those whose name holds the
// part) and ends with "N passed, M failed"; the exit code is 1 on any failure. A test bound to a
// code page runs only when it is the active one (scripts/test-wine picks it through
// LC_ALL); a name part that matches nothing under the active code page fails.
#include <chrono>
#include <string>
#include <string_view>

#include "aim/modAIM.h"
#include "aim/win32/Win32WindowSystem.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"
#include "suite/Harness.h"

namespace {

using namespace brevanto::wine;
using brevanto::aim::Win32WindowSystem;
namespace aim = brevanto::aim;
namespace modAIM = brevanto::modAIM;
namespace codepage = brevanto::codepage;

// Short, so the hung client's test stays quick.
constexpr unsigned kTimeoutMs = 500;
// Room for a slow machine on top of the time-out; a hang would take far longer.
constexpr long long kMarginMs = 2000;

long long MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

aim::Hwnd TranscriptPane(Win32WindowSystem& windows, aim::Hwnd im) {
    return windows.FindWindowExA(im, 0, "WndAte32Class", nullptr);
}

void ZOrder(Checks& checks, FakeAimProcess& client, Win32WindowSystem& windows) {
    checks.Equal(windows.FindWindowA("AIM_IMessage", nullptr), client.Im(1),
                 "FindWindowA gives the IM window opened last, in front");
    checks.That(client.Raise(0), "the other window is raised");
    checks.Equal(windows.FindWindowA("AIM_IMessage", nullptr), client.Im(0),
                 "FindWindowA follows the raised window");
}

void ShortCopy(Checks& checks, FakeAimProcess& client, Win32WindowSystem& windows) {
    const aim::Hwnd pane = TranscriptPane(windows, client.Im(0));
    const auto announced = windows.SendMessageA(pane, aim::WM_GETTEXTLENGTH, 0, 0);
    checks.That(announced > 7, "the pane announces its whole text");
    const std::string text = modAIM::GetText(windows, pane);
    checks.Equal(static_cast<std::int64_t>(text.size()), announced,
                 "GetText keeps the announced length");
    if (text.size() >= 7) {
        checks.Equal(text.substr(0, 7), std::string("<HTML>") + '\0',
                     "GetText holds the copied characters and the window's terminator");
        checks.Equal(text.substr(7), std::string(text.size() - 7, ' '),
                     "the rest of GetText's result is spaces");
    }
}

void StalledWindow(Checks& checks, FakeAimProcess& client, Win32WindowSystem& windows) {
    const aim::Hwnd slow = client.Im(1);
    auto start = std::chrono::steady_clock::now();
    checks.Equal(modAIM::GetIMBuddyName(windows, slow), "slowbuddy",
                 "its caption is read without a message to the hung thread");
    checks.That(MsSince(start) < kTimeoutMs, "the caption read does not wait");
    const aim::Hwnd pane = TranscriptPane(windows, slow);
    start = std::chrono::steady_clock::now();
    checks.Equal(windows.SendMessageA(pane, aim::WM_GETTEXTLENGTH, 0, 0), 0,
                 "a message the window does not answer gives 0");
    checks.That(MsSince(start) < kTimeoutMs + kMarginMs, "the message returns within the time-out");
    start = std::chrono::steady_clock::now();
    checks.Equal(windows.SendMessageA(pane, aim::WM_GETTEXT, 1, 0), 0,
                 "a message right after a time-out gives 0 too");
    checks.That(MsSince(start) < kTimeoutMs / 2,
                "a window that just timed out is not waited for a second time");
    start = std::chrono::steady_clock::now();
    checks.Equal(modAIM::GetIMText(windows, slow), "", "the stalled transcript reads as empty");
    modAIM::SendIM(windows, slow, "hello?");
    // Four sent messages at most, each bounded by the time-out.
    checks.That(MsSince(start) < 6 * kTimeoutMs + kMarginMs,
                "reading and replying return within their time-outs");
    checks.Equal(modAIM::GetIMText(windows, client.Im(0)), "quickbuddy: hi\n",
                 "the client's other windows keep answering");
}

// A buddy writes a message with capitals the active code page lower-cases in its own way.
struct Sample {
    std::string buddy;
    std::string message;
    std::string lowered;
    std::string utf8;  // the message in UTF-8
};

template <const Sample& sample>
void CheckSample(Checks& checks, FakeAimProcess& client, Win32WindowSystem& windows) {
    checks.Equal(modAIM::GetIMBuddyName(windows, client.Im(0)), sample.buddy,
                 "the buddy name in the caption reads whole");
    checks.Equal(modAIM::GetIMText(windows, client.Im(0)),
                 sample.buddy + ": " + sample.message + "\n", "the message reads whole");
    checks.Equal(codepage::ToLower(sample.message), sample.lowered,
                 "the message lower-cases by the code page");
    checks.Equal(brevanto::modFileIO::FindEntry(sample.lowered + "=found\r\n", sample.message),
                 "found", "the message finds its lower-cased entry");
    checks.Equal(codepage::AnsiToUtf8(sample.message), sample.utf8, "the message in UTF-8");
    checks.Equal(codepage::Utf8ToAnsi(sample.utf8), sample.message, "UTF-8 back to the message");
    const std::string reply = "two\nlines " + sample.message;
    modAIM::SendIM(windows, client.Im(0), reply);
    checks.That(client.Events("settext", 0) == std::vector{reply},
                "a reply with a line feed and the code page's bytes reaches the input pane");
}

// C cedilla and Y diaeresis.
const Sample k1252 = {"Zo\xEB", "\xC7\x41 VA \x9F", "\xE7\x61 va \xFF", "\xC3\x87\x41 VA \xC5\xB8"};
// "Boris" writes "Yolka Chai Yabloko": Yo, Che and Ya are capitals in 1251 only.
const Sample k1251 = {"\xC1\xEE\xF0\xE8\xF1",
                      "\xA8\xEB\xEA\xE0 \xD7\xE0\xE9 \xDF\xE1\xEB\xEE\xEA\xEE",
                      "\xB8\xEB\xEA\xE0 \xF7\xE0\xE9 \xFF\xE1\xEB\xEE\xEA\xEE",
                      "\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0 \xD0\xA7\xD0\xB0\xD0\xB9 "
                      "\xD0\xAF\xD0\xB1\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"};
// "Taro" writes katakana "a i su" (second bytes "A", "C", "X"), "OK" and a half-width "a".
const Sample k932 = {"\x91\xBE\x98\x59", "\x83\x41\x83\x43\x83\x58OK\xB1",
                     "\x83\x41\x83\x43\x83\x58ok\xB1",
                     "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xB9OK\xEF\xBD\xB1"};

Scenario Says(const Sample& sample) {
    return {{"signon", "quietowl7"}, {"im", sample.buddy}, {"buddy", sample.message}};
}

// Each test runs against a client of its own holding its scenario.
Test WithClient(std::string_view name, const Scenario& scenario,
                void (*run)(Checks&, FakeAimProcess&, Win32WindowSystem&), unsigned codePage = 0) {
    const auto withClient = [scenario, run](Checks& checks) {
        if (auto client = StartClient(checks, scenario)) {
            Win32WindowSystem windows(kTimeoutMs);
            run(checks, *client, windows);
        }
    };
    return {name, withClient, codePage};
}

}  // namespace

int main(int argc, char** argv) {
    return RunTests(
        argc, argv,
        {WithClient("ZOrder", {{"im", "first"}, {"im", "second"}}, ZOrder),
         WithClient("ShortCopy",
                    {{"im", "pixelfox22"}, {"buddy", "are you there?"}, {"shortcopy", "6"}},
                    ShortCopy),
         WithClient("StalledWindow",
                    {{"signon", "quietowl7"},
                     {"im", "quickbuddy"},
                     {"buddy", "hi"},
                     {"im", "slowbuddy"},
                     {"buddy", "anyone?"},
                     {"stall", ""}},
                    StalledWindow),
         WithClient("CodePage1252", Says(k1252), CheckSample<k1252>, 1252),
         WithClient("CodePage1251", Says(k1251), CheckSample<k1251>, 1251),
         WithClient("CodePage932", Says(k932), CheckSample<k932>, 932)});
}
