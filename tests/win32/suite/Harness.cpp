#include "suite/Harness.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

// Last: its macros would rename the window-system names the header declares.
#include <windows.h>

namespace brevanto::wine {
namespace {

constexpr DWORD kTimeoutMs = 10'000;

}  // namespace

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

int RunTests(int argc, char** argv, const std::vector<Test>& tests) {
    const std::string_view filter = argc > 1 ? argv[1] : "";
    Checks checks;
    int run = 0;
    for (const Test& test : tests) {
        if (test.name.find(filter) != std::string_view::npos &&
            (test.codePage == 0 || test.codePage == GetACP())) {
            std::printf("== %.*s\n", static_cast<int>(test.name.size()), test.name.data());
            std::fflush(stdout);
            test.run(checks);
            ++run;
        }
    }
    if (run == 0) {
        checks.Fail("no test matches the name part given under code page " +
                    std::to_string(GetACP()));
    }
    return checks.Finish();
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
    DeleteFileA(client->reportPath_.c_str());
    std::string arguments = "\"" + client->reportPath_ + "\"";
    for (const auto& [command, argument] : scenario) {
        arguments += " " + command + " \"" + Escape(argument) + "\"";
        if (command == "im") {
            client->buddies_.push_back(argument);
        }
    }
    client->process_ = StartProcess(checks, ThisProgramsFolder() + "fakeaim.exe", arguments);
    if (client->process_ == nullptr) {
        return nullptr;
    }
    // The client makes its report file once all its windows exist.
    const auto ready = [&] {
        return GetFileAttributesA(client->reportPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    WaitUntil([&] { return ready() || WaitForSingleObject(client->process_, 0) == WAIT_OBJECT_0; },
              3 * kTimeoutMs);
    if (!ready()) {
        DWORD code = 0;
        GetExitCodeProcess(client->process_, &code);
        checks.Fail("the fake AIM client gets ready (exit code " + std::to_string(code) + ")");
        return nullptr;
    }
    return client;
}

FakeAimProcess::~FakeAimProcess() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, kTimeoutMs);
        CloseHandle(process_);
    }
    DeleteFileA(reportPath_.c_str());
}

aim::Hwnd FakeAimProcess::Im(int index) const {
    const std::string caption = buddies_.at(static_cast<std::size_t>(index)) + " - Instant Message";
    return static_cast<aim::Hwnd>(
        reinterpret_cast<std::intptr_t>(FindWindowA("AIM_IMessage", caption.c_str())));
}

bool FakeAimProcess::Raise(int index) const {
    return SetWindowPos(reinterpret_cast<HWND>(static_cast<std::intptr_t>(Im(index))), HWND_TOP, 0,
                        0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0;
}

std::optional<std::vector<std::string>> FakeAimProcess::Events(std::string_view kind,
                                                               int index) const {
    std::ifstream file(reportPath_, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::string> texts;
    std::string lineKind, escaped;
    int lineIndex = 0;
    while (file >> lineKind >> lineIndex && file.get() == ' ' && std::getline(file, escaped)) {
        const std::optional<std::string> text = Unescape(escaped);
        if (!text) {
            return std::nullopt;
        }
        if (lineKind == kind && lineIndex == index) {
            texts.push_back(*text);
        }
    }
    // Only a whole report ends where the file does.
    return file.eof() ? std::optional(texts) : std::nullopt;
}

}  // namespace brevanto::wine
