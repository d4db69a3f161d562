#include "fakeaim/FakeAim.h"

#include <algorithm>
#include <fstream>
#include <future>
#include <utility>

#include "aim/simulated/TranscriptHtml.h"
#include "common/FakeAimProtocol.h"

namespace brevanto::wine {
namespace {

namespace html = aim::simulated;

constexpr char kImClass[] = "AIM_IMessage";
constexpr char kPaneClass[] = "WndAte32Class";
constexpr char kButtonClass[] = "_Oscar_IconBtn";
constexpr char kBuddyListClass[] = "_Oscar_BuddyListWin";

template <typename T>
T* StateOf(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Every window keeps a pointer to its state, handed over at creation.
void KeepState(HWND window, LPARAM createLParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createLParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

LRESULT CALLBACK ImProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        KeepState(window, lParam);
    }
    ImWindow* im = StateOf<ImWindow>(window);
    if (im != nullptr && message == WM_CLOSE) {
        // Recorded before the default handling destroys the window.
        im->client->Record("close", im->index, "");
    }
    if (im != nullptr && message == WM_DESTROY) {
        im->open = false;
    }
    return DefWindowProcA(window, message, wParam, lParam);
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
    if (size <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
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
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* pane = reinterpret_cast<Pane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
            if (pane->copyLimit) {
                count = std::min(count, *pane->copyLimit);
            }
            wide.copy(buffer, count);
            buffer[count] = L'\0';
            return static_cast<LRESULT>(count);
        }
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            pane->text = text == nullptr ? "" : FromWide(text);
            if (pane->isInput) {
                pane->owner->client->Record("settext", pane->owner->index, pane->text);
            }
            return TRUE;
        }
        case WM_CLOSE:
            return 0;  // only the IM window closes
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        KeepState(window, lParam);
    }
    ImWindow* im = StateOf<ImWindow>(window);
    if (im == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            im->armed = true;
            return 0;
        case WM_LBUTTONUP:
            if (im->armed) {
                im->armed = false;
                im->client->Send(*im);
            }
            return 0;
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterUnicodeClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

bool RegisterWindowClass(const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

void BringToFront(HWND window) {
    // Under Wine SetForegroundWindow does not reorder windows; SetWindowPos does everywhere.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

FakeAim::FakeAim(Scenario scenario, std::string reportPath)
    : scenario_(std::move(scenario)), reportPath_(std::move(reportPath)) {}

FakeAim::~FakeAim() {
    CloseAll();
}

bool FakeAim::Open(const std::string& tag, std::string& error) {
    if (!RegisterWindowClass(kImClass, ImProc) ||
        !RegisterUnicodeClass(L"WndAte32Class", PaneProc) ||
        !RegisterWindowClass(kButtonClass, ButtonProc) ||
        !RegisterWindowClass(kBuddyListClass, DefWindowProcA) ||
        !RegisterWindowClass(kControlClass, ControlProc)) {
        error = "cannot register the window classes (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    syncEvent_ = CreateEventA(nullptr, FALSE, FALSE, SyncEventName(tag).c_str());
    control_ = CreateWindowExA(0, kControlClass, tag.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, GetModuleHandleA(nullptr), this);
    if (syncEvent_ == nullptr || release_ == nullptr || control_ == nullptr) {
        error = "cannot create the control window and its events";
        return false;
    }
    if (!scenario_.me.empty()) {
        const std::string caption = scenario_.me + "'s Buddy List Window";
        buddyList_ =
            CreateWindowExA(0, kBuddyListClass, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200,
                            400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (buddyList_ == nullptr) {
            error = "cannot create the buddy list window";
            return false;
        }
        ShowWindow(buddyList_, SW_SHOWNOACTIVATE);
        BringToFront(buddyList_);
    }
    for (std::size_t i = 0; i < scenario_.ims.size(); ++i) {
        const ImScenario& source = scenario_.ims[i];
        auto im = std::make_unique<ImWindow>();
        im->client = this;
        im->index = static_cast<int>(i);
        im->caption = source.caption;
        im->stalled = source.stalled;
        im->transcript = {im.get(), false, "", source.copyLimit};
        im->input = {im.get(), true, source.typed, std::nullopt};
        for (const ScenarioLine& line : source.lines) {
            const std::string& name = line.fromUser ? scenario_.me : source.buddy;
            const auto colour = line.fromUser ? html::UserColour : html::BuddyColour;
            im->transcript.text = html::AppendLine(
                im->transcript.text,
                html::TranscriptLine(name, colour, html::FormatTimestamp(scenario_.clock),
                                     html::TypedTextToHtml(line.text)));
        }
        ImWindow& opened = *im;
        ims_.push_back(std::move(im));
        bool created = false;
        if (opened.stalled) {
            std::promise<bool> done;
            std::future<bool> result = done.get_future();
            stalledThreads_.emplace_back([this, &opened, done = std::move(done)]() mutable {
                done.set_value(OpenIm(opened));
                WaitForSingleObject(release_, INFINITE);
                DestroyWindow(opened.frame);
            });
            created = result.get();
        } else {
            created = OpenIm(opened);
        }
        if (!created) {
            error = "cannot create IM window " + std::to_string(i);
            return false;
        }
    }
    return true;
}

// Opens the IM window on the calling thread, in front of the others.
bool FakeAim::OpenIm(ImWindow& im) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    im.frame = CreateWindowExA(0, kImClass, im.caption.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 400,
                               300, nullptr, nullptr, instance, &im);
    if (im.frame == nullptr) {
        return false;
    }
    // Children in creation order: transcript, input pane (its next sibling), Send button.
    const bool children =
        CreateWindowExA(0, kPaneClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 200, im.frame,
                        nullptr, instance, &im.transcript) != nullptr &&
        CreateWindowExA(0, kPaneClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 200, 340, 60, im.frame,
                        nullptr, instance, &im.input) != nullptr &&
        CreateWindowExA(0, kButtonClass, nullptr, WS_CHILD | WS_VISIBLE, 340, 200, 60, 60, im.frame,
                        nullptr, instance, &im) != nullptr;
    if (!children) {
        DestroyWindow(im.frame);
        return false;
    }
    im.open = true;
    ShowWindow(im.frame, SW_SHOWNOACTIVATE);
    BringToFront(im.frame);
    return true;
}

void FakeAim::Run(HANDLE quit, DWORD lifetimeMs) {
    const ULONGLONG deadline = GetTickCount64() + lifetimeMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return;
        }
        const DWORD woken = MsgWaitForMultipleObjects(
            1, &quit, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) {
            return;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void FakeAim::Record(const char* kind, int index, const std::string& text) {
    std::lock_guard lock(eventsMutex_);
    events_.push_back({kind, index, text});
}

void FakeAim::Send(ImWindow& im) {
    Record("press", im.index, im.input.text);
    // AIM sends nothing empty, and nothing at all while signed off.
    if (im.input.text.empty() || scenario_.me.empty()) {
        return;
    }
    im.transcript.text = html::AppendLine(
        im.transcript.text,
        html::TranscriptLine(scenario_.me, html::UserColour, html::FormatTimestamp(scenario_.clock),
                             html::TypedTextToHtml(im.input.text)));
    Record("sent", im.index, im.input.text);
    im.input.text.clear();
}

bool FakeAim::Raise(int index) {
    if (index < 0 || index >= static_cast<int>(ims_.size())) {
        return false;
    }
    ImWindow& im = *ims_[static_cast<std::size_t>(index)];
    // A stalled window's thread would never answer the reordering.
    if (!im.open || im.stalled) {
        return false;
    }
    BringToFront(im.frame);
    return true;
}

bool FakeAim::WriteReport() const {
    Report report;
    report.buddyList = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(buddyList_));
    for (const auto& im : ims_) {
        report.ims.push_back({im->index,
                              static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(im->frame)),
                              im->open, im->caption, im->transcript.text, im->input.text});
    }
    {
        std::lock_guard lock(eventsMutex_);
        report.events = events_;
    }
    std::ofstream file(reportPath_, std::ios::binary | std::ios::trunc);
    file << FormatReport(report);
    file.close();
    return static_cast<bool>(file);
}

void FakeAim::CloseAll() {
    // Each thread destroys its own windows.
    SetEvent(release_);
    for (std::thread& thread : stalledThreads_) {
        thread.join();
    }
    for (const auto& im : ims_) {
        if (im->open) {
            DestroyWindow(im->frame);
        }
    }
    ims_.clear();
    // Null handles fail harmlessly: a client that did not open fully ends the same way.
    DestroyWindow(buddyList_);
    DestroyWindow(control_);
    CloseHandle(syncEvent_);
    CloseHandle(release_);
}

LRESULT CALLBACK FakeAim::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        KeepState(window, lParam);
    }
    FakeAim* client = StateOf<FakeAim>(window);
    if (client == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case kRaiseMessage:
            return client->Raise(static_cast<int>(wParam)) ? 1 : 0;
        case kReportMessage:
            return client->WriteReport() ? 1 : 0;
        case kSyncMessage:
            SetEvent(client->syncEvent_);
            return 0;
        case WM_CLOSE:
            return 0;  // ended only through the quit event
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace brevanto::wine
