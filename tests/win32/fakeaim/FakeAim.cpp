// The fake AIM client: a stand-in for AIM with the windows, captions, texts and effects
// Brevanto relies on (docs/aim-client.md), as a real Win32 program, so the Win32 layer is
// exercised across a process boundary. fakeaim.exe <report file> [<command> <argument>]...
// where each argument is escaped (common/FakeAimProtocol.h) and the commands are
//   signon <me>      the user is signed on: the buddy list window exists
//   im <buddy>       a new IM window "<buddy> - Instant Message", in front of the others
// and for the IM window opened last
//   buddy <text>     a line of the buddy's in its transcript
//   me <text>        a line of the user's in its transcript
//   stall ""         its thread stops answering messages
//   shortcopy <n>    its transcript pane copies at most n characters, while it still
//                    announces its whole length
// Once every window exists it creates the report file, to which it then appends its events:
// "settext" (the input pane was set) and "sent" (a line went out). It runs until it is ended,
// or for two minutes at most, so that a runner that dies cannot leave it behind. Exit code 0,
// 2 for a bad command line, 3 when a window or the report file cannot be made.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "aim/simulated/TranscriptHtml.h"
#include "common/FakeAimProtocol.h"

namespace {

using namespace brevanto::wine;
namespace html = brevanto::aim::simulated;

constexpr long long kClock = 21 * 3600 + 14 * 60 + 2;  // the time stamps' time of day
constexpr unsigned kLifetimeMs = 120'000;

struct ImWindow;

// A rich-text pane: the transcript or the input pane. It keeps its text itself, byte for
// byte, and answers the text messages from it.
struct Pane {
    ImWindow* owner;
    bool isInput;
    std::string text;
    std::optional<std::size_t> copyLimit;  // copies fewer than it announces
};

struct ImWindow {
    int index = 0;
    std::string buddy;
    Pane transcript{this, false, {}, {}};
    Pane input{this, true, {}, {}};
    bool stalled = false;
    bool armed = false;  // the Send button is held down
    HWND frame = nullptr;
};

// The client's whole state; a process holds one.
std::string me;  // empty: signed off
std::vector<std::unique_ptr<ImWindow>> ims;
std::string reportPath;

void AppendLine(ImWindow& im, bool fromUser, const std::string& text) {
    im.transcript.text = html::AppendLine(
        im.transcript.text,
        html::TranscriptLine(fromUser ? me : im.buddy,
                             fromUser ? html::UserColour : html::BuddyColour,
                             html::FormatTimestamp(kClock), html::TypedTextToHtml(text)));
}

// Only the main thread's windows answer, so no lock.
void Report(const char* kind, const ImWindow& im, const std::string& text) {
    std::ofstream(reportPath, std::ios::binary | std::ios::app)
        << kind << ' ' << im.index << ' ' << Escape(text) << '\n';
}

void BringToFront(HWND window) {
    // Under Wine SetForegroundWindow does not reorder windows; SetWindowPos does everywhere.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Every window keeps a pointer to its state, handed over at creation.
template <typename T>
T* StateOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::wstring ToWide(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string FromWide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 1 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminator
    return text;
}

// The panes are Unicode windows, as a rich-text control is: their answers to the length
// request are taken as given, while the text itself is kept in the ANSI code page and
// converted on the way in and out. A window proc of the ANSI kind would have its length
// measured by the system from a copy of its text, and could not announce more than it
// copies.
LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Pane* pane = StateOf<Pane>(window, message, lParam);
    if (pane == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(ToWide(pane->text).size());
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            if (wParam == 0 || buffer == nullptr) {
                return 0;
            }
            const std::wstring wide = ToWide(pane->text);
            std::size_t count = std::min<std::size_t>(wide.size(), wParam - 1);
            count = std::min(count, pane->copyLimit.value_or(count));
            wide.copy(buffer, count);
            buffer[count] = L'\0';
            return static_cast<LRESULT>(count);
        }
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            pane->text = text == nullptr ? "" : FromWide(text);
            if (pane->isInput) {
                Report("settext", *pane->owner, pane->text);
            }
            return TRUE;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The Send button: a release after a press sends the input pane's text, though nothing
// empty and nothing at all while signed off, as AIM does.
LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ImWindow* im = StateOf<ImWindow>(window, message, lParam);
    if (im == nullptr || (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP)) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_LBUTTONUP && im->armed && !im->input.text.empty() && !me.empty()) {
        AppendLine(*im, true, im->input.text);
        Report("sent", *im, im->input.text);
        im->input.text.clear();
    }
    im->armed = message == WM_LBUTTONDOWN;
    return 0;
}

bool RegisterClasses() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::pair<const char*, WNDPROC> classes[] = {{"AIM_IMessage", DefWindowProcA},
                                                       {"_Oscar_IconBtn", ButtonProc},
                                                       {"_Oscar_BuddyListWin", DefWindowProcA}};
    for (const auto& [name, procedure] : classes) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = name;
        if (RegisterClassA(&windowClass) == 0) {
            return false;
        }
    }
    WNDCLASSW pane{};
    pane.lpfnWndProc = PaneProc;
    pane.hInstance = instance;
    pane.lpszClassName = L"WndAte32Class";
    return RegisterClassW(&pane) != 0;
}

// Opens the IM window on the calling thread, in front of the others. Its children in
// creation order: transcript, input pane (its next sibling), Send button.
bool OpenIm(ImWindow& im) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::string caption = im.buddy + " - Instant Message";
    im.frame = CreateWindowExA(0, "AIM_IMessage", caption.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 400,
                               300, nullptr, nullptr, instance, &im);
    const auto child = [&](const char* windowClass, int x, int y, int width, void* state) {
        return CreateWindowExA(0, windowClass, nullptr, WS_CHILD | WS_VISIBLE, x, y, width, 60,
                               im.frame, nullptr, instance, state) != nullptr;
    };
    if (im.frame == nullptr || !child("WndAte32Class", 0, 0, 400, &im.transcript) ||
        !child("WndAte32Class", 0, 200, 340, &im.input) ||
        !child("_Oscar_IconBtn", 340, 200, 60, &im)) {
        return false;
    }
    ShowWindow(im.frame, SW_SHOWNOACTIVATE);
    BringToFront(im.frame);
    return true;
}

// Reads the scenario from the command line; false for an unknown command or a bad argument.
bool ReadScenario(int argc, char** argv) {
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string command = argv[i];
        const std::optional<std::string> argument = Unescape(argv[i + 1]);
        if (!argument) {
            return false;
        }
        if (command == "signon") {
            me = *argument;
        } else if (command == "im") {
            auto im = std::make_unique<ImWindow>();
            im->index = static_cast<int>(ims.size());
            im->buddy = *argument;
            ims.push_back(std::move(im));
        } else if (ims.empty()) {
            return false;
        } else if (ImWindow& im = *ims.back(); command == "buddy" || command == "me") {
            AppendLine(im, command == "me", *argument);
        } else if (command == "stall") {
            im.stalled = true;
        } else if (command == "shortcopy") {
            im.transcript.copyLimit = std::stoul(*argument);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0 || !ReadScenario(argc, argv)) {
        std::fprintf(stderr, "usage: fakeaim <report file> [<command> <argument>]...\n");
        return 2;
    }
    reportPath = argv[1];
    if (!RegisterClasses()) {
        return 3;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!me.empty()) {
        const std::string caption = me + "'s Buddy List Window";
        HWND buddyList =
            CreateWindowExA(0, "_Oscar_BuddyListWin", caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                            200, 400, nullptr, nullptr, instance, nullptr);
        ShowWindow(buddyList, SW_SHOWNOACTIVATE);
        BringToFront(buddyList);
    }
    // A stalled window is made by a thread of its own that then sleeps, never reading its
    // message queue: the window exists but never answers.
    bool opened = true;
    for (const auto& im : ims) {
        if (im->stalled) {
            std::promise<bool> done;
            std::future<bool> result = done.get_future();
            std::thread([&window = *im, done = std::move(done)]() mutable {
                done.set_value(OpenIm(window));
                Sleep(INFINITE);
            }).detach();
            opened = opened && result.get();
        } else {
            opened = opened && OpenIm(*im);
        }
    }
    // The report file comes last: once the runner finds it, everything is there.
    if (!opened || !std::ofstream(reportPath, std::ios::binary | std::ios::trunc)) {
        return 3;
    }
    SetTimer(nullptr, 0, kLifetimeMs, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
