#include "suite/FakeAimProcess.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "common/FakeAimProtocol.h"

namespace brevanto::wine {
namespace {

constexpr DWORD kTimeoutMs = 10'000;

}  // namespace

std::string ThisProgramsFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of("\\/") + 1);
}

ScenarioText& ScenarioText::Add(std::string_view command, std::string_view argument) {
    text_.append(" ").append(command).append(" \"").append(Escape(argument)).append("\"");
    return *this;
}

std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const ScenarioText& scenario) {
    // A report file per client, named after the process and a counter.
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::unique_ptr<FakeAimProcess> client(new FakeAimProcess);
    client->reportPath_ = std::string(temp) + "brevanto-fakeaim-" +
                          std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter) +
                          ".txt";
    const std::string exe = ThisProgramsFolder() + "fakeaim.exe";
    std::string commandLine = "\"" + exe + "\" \"" + client->reportPath_ + "\"" + scenario.Text();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        checks.Fail("the fake AIM client starts from " + exe);
        return nullptr;
    }
    CloseHandle(process.hThread);
    client->process_ = process.hProcess;
    HWND control = nullptr;
    WaitUntil(
        [&] {
            control = FindWindowA(kControlClass, client->reportPath_.c_str());
            return control != nullptr || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        },
        3 * kTimeoutMs);
    client->control_ = control;
    const std::optional<Report> report = client->CurrentReport();
    if (!report) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        checks.Fail("the fake AIM client gets ready (exit code " + std::to_string(code) + ")");
        return nullptr;
    }
    for (const ReportLine& line : report->lines) {
        if (line.kind == "im") {
            client->ims_.push_back(static_cast<aim::Hwnd>(std::stoll(line.text)));
        }
    }
    return client;
}

FakeAimProcess::~FakeAimProcess() {
    Quit();
    CloseHandle(process_);
    DeleteFileA(reportPath_.c_str());
}

aim::Hwnd FakeAimProcess::Im(int index) const {
    return index >= 0 && index < static_cast<int>(ims_.size())
               ? ims_[static_cast<std::size_t>(index)]
               : 0;
}

bool FakeAimProcess::Raise(int index) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(static_cast<HWND>(control_), kRaiseMessage,
                               static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                               &result) != 0 &&
           result == 1;
}

std::optional<Report> FakeAimProcess::CurrentReport() const {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(static_cast<HWND>(control_), kReportMessage, 0, 0, SMTO_ABORTIFHUNG,
                            kTimeoutMs, &result) == 0 ||
        result != 1) {
        return std::nullopt;
    }
    return ReadReport();
}

std::optional<Report> FakeAimProcess::Quit() {
    if (process_ == nullptr) {
        return std::nullopt;
    }
    // A client that ended already (its lifetime ran out) has written its report.
    PostMessageA(static_cast<HWND>(control_), kQuitMessage, 0, 0);
    if (WaitForSingleObject(process_, kTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, kTimeoutMs);
        return std::nullopt;
    }
    return ReadReport();
}

std::optional<Report> FakeAimProcess::ReadReport() const {
    std::ifstream file(reportPath_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return file ? ParseReport(text.str()) : std::nullopt;
}

}  // namespace brevanto::wine
