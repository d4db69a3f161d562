#include "suite/Harness.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

// Last: its macros would rename the window-system names the header declares.
#include <windows.h>

namespace brevanto::wine {
namespace {

constexpr DWORD kTimeoutMs = 10'000;

}  // namespace

void Checks::Section(std::string_view name) {
    std::printf("== %.*s\n", static_cast<int>(name.size()), name.data());
    std::fflush(stdout);
}

bool Checks::That(bool ok, std::string_view what) {
    std::printf("%s %.*s\n", ok ? "PASS" : "FAIL", static_cast<int>(what.size()), what.data());
    std::fflush(stdout);
    ++(ok ? passed_ : failed_);
    return ok;
}

bool Checks::Equal(std::string_view actual, std::string_view expected, std::string_view what) {
    const bool ok = actual == expected;
    That(ok, what);
    if (!ok) {
        std::printf("     expected \"%s\"\n     actual   \"%s\"\n", Escape(expected).c_str(),
                    Escape(actual).c_str());
        std::fflush(stdout);
    }
    return ok;
}

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int Checks::Finish() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
    return failed_ == 0 ? 0 : 1;
}

std::string ThisProgramsFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of("\\/") + 1);
}

void* StartProcess(Checks& checks, const std::string& exe, const std::string& arguments,
                   const std::string& folder) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        checks.Fail("cannot start " + exe);
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

unsigned ActiveCodePage() {
    return GetACP();
}

std::unique_ptr<FakeAimProcess> StartClient(Checks& checks, const Scenario& scenario) {
    // A report file per client, named after the process and a counter.
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::unique_ptr<FakeAimProcess> client(new FakeAimProcess);
    client->reportPath_ = std::string(temp) + "brevanto-fakeaim-" +
                          std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter) +
                          ".txt";
    std::string arguments = "\"" + client->reportPath_ + "\"";
    for (const auto& [command, argument] : scenario) {
        arguments += " " + command + " \"" + Escape(argument) + "\"";
    }
    client->process_ = StartProcess(checks, ThisProgramsFolder() + "fakeaim.exe", arguments);
    if (client->process_ == nullptr) {
        return nullptr;
    }
    WaitUntil(
        [&] {
            client->control_ = FindWindowA(kControlClass, client->reportPath_.c_str());
            return client->control_ != nullptr ||
                   WaitForSingleObject(client->process_, 0) == WAIT_OBJECT_0;
        },
        3 * kTimeoutMs);
    const std::optional<Report> report = client->CurrentReport();
    if (!report) {
        DWORD code = 0;
        GetExitCodeProcess(client->process_, &code);
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
