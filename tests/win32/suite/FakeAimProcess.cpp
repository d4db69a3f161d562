#include "suite/FakeAimProcess.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/Escape.h"
#include "common/FakeAimProtocol.h"

namespace brevanto::wine {
namespace {

constexpr DWORD kStartTimeoutMs = 30'000;
constexpr DWORD kCommandTimeoutMs = 10'000;
constexpr DWORD kExitTimeoutMs = 10'000;

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// A fresh folder per client under the temp folder, named after the process and a counter.
std::string NewTag() {
    static int counter = 0;
    return std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter);
}

}  // namespace

struct FakeAimProcess::Handles {
    HANDLE ready = nullptr;
    HANDLE quit = nullptr;
    HANDLE sync = nullptr;
    PROCESS_INFORMATION process{};
    HWND control = nullptr;
};

FakeAimProcess::FakeAimProcess() : handles_(std::make_unique<Handles>()) {}

ScenarioText& ScenarioText::Add(std::string_view command, std::string_view argument) {
    text_.append(command);
    if (!argument.empty()) {
        text_.append(" ").append(Escape(argument));
    }
    text_.append("\n");
    return *this;
}

std::unique_ptr<FakeAimProcess> FakeAimProcess::Start(const ScenarioText& scenario,
                                                      std::string& error) {
    std::unique_ptr<FakeAimProcess> client(new FakeAimProcess);
    Handles& h = *client->handles_;
    client->tag_ = NewTag();
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    client->folder_ = std::string(temp) + "brevanto-wine-" + client->tag_;
    CreateDirectoryA(client->folder_.c_str(), nullptr);
    client->scenarioPath_ = client->folder_ + "\\scenario.txt";
    client->reportPath_ = client->folder_ + "\\report.txt";
    {
        std::ofstream file(client->scenarioPath_, std::ios::binary | std::ios::trunc);
        file << scenario.Text();
        if (!file.flush()) {
            error = "cannot write " + client->scenarioPath_;
            return nullptr;
        }
    }
    // The events exist before the client does, so none of its signals can be missed.
    h.ready = CreateEventA(nullptr, TRUE, FALSE, ReadyEventName(client->tag_).c_str());
    h.quit = CreateEventA(nullptr, TRUE, FALSE, QuitEventName(client->tag_).c_str());
    h.sync = CreateEventA(nullptr, FALSE, FALSE, SyncEventName(client->tag_).c_str());
    if (h.ready == nullptr || h.quit == nullptr || h.sync == nullptr) {
        error = "cannot create the events";
        return nullptr;
    }
    const std::string exe = ProgramFolder() + "fakeaim.exe";
    std::string commandLine = "\"" + exe + "\" \"" + client->scenarioPath_ + "\" \"" +
                              client->reportPath_ + "\" " + client->tag_;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &h.process)) {
        error = "cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    const HANDLE waitFor[] = {h.ready, h.process.hProcess};
    const DWORD woken = WaitForMultipleObjects(2, waitFor, FALSE, kStartTimeoutMs);
    if (woken != WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(h.process.hProcess, &code);
        error = woken == WAIT_OBJECT_0 + 1
                    ? "the fake client ended at start with code " + std::to_string(code)
                    : "the fake client did not get ready in time";
        return nullptr;
    }
    h.control = FindWindowA(kControlClass, client->tag_.c_str());
    std::optional<Report> report = client->CurrentReport();
    if (h.control == nullptr || !report) {
        error = "the fake client does not answer";
        return nullptr;
    }
    for (const ImReport& im : report->ims) {
        client->ims_.push_back(im.hwnd);
    }
    return client;
}

FakeAimProcess::~FakeAimProcess() {
    Quit();
    const Handles& h = *handles_;
    for (HANDLE handle : {h.ready, h.quit, h.sync, h.process.hProcess, h.process.hThread}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    DeleteFileA(scenarioPath_.c_str());
    DeleteFileA(reportPath_.c_str());
    RemoveDirectoryA(folder_.c_str());
}

std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const ScenarioText& scenario) {
    std::string error;
    auto client = FakeAimProcess::Start(scenario, error);
    if (!client) {
        checks.Fail("fake AIM client starts: " + error);
    }
    return client;
}

aim::Hwnd FakeAimProcess::Im(int index) const {
    return index >= 0 && index < static_cast<int>(ims_.size())
               ? ims_[static_cast<std::size_t>(index)]
               : 0;
}

bool FakeAimProcess::SendCommand(unsigned message, std::uintptr_t wParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(handles_->control, message, wParam, 0, SMTO_ABORTIFHUNG,
                               kCommandTimeoutMs, &result) != 0 &&
           result != 0;
}

bool FakeAimProcess::Raise(int index) {
    return SendCommand(kRaiseMessage, static_cast<std::uintptr_t>(index));
}

bool FakeAimProcess::Sync() {
    return PostMessageA(handles_->control, kSyncMessage, 0, 0) &&
           WaitForSingleObject(handles_->sync, kCommandTimeoutMs) == WAIT_OBJECT_0;
}

std::optional<Report> FakeAimProcess::CurrentReport() {
    if (!SendCommand(kReportMessage, 0)) {
        return std::nullopt;
    }
    return ReadReportFile();
}

std::optional<Report> FakeAimProcess::Quit() {
    const Handles& h = *handles_;
    if (h.process.hProcess == nullptr) {
        return std::nullopt;
    }
    SetEvent(h.quit);
    if (WaitForSingleObject(h.process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(h.process.hProcess, 1);
        WaitForSingleObject(h.process.hProcess, kExitTimeoutMs);
        return std::nullopt;
    }
    return ReadReportFile();
}

std::optional<Report> FakeAimProcess::ReadReportFile() const {
    std::ifstream file(reportPath_, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseReport(text.str());
}

}  // namespace brevanto::wine
