// Measures brevanto.exe from outside, through its windows only:
//   winfigures <brevanto.exe> <scratch folder> <starts> <idle seconds> [wineserver pid]
// - start to shown window: each start in a fresh working folder, timed until the main
//   window (its class, caption "Brevanto") is visible; every start and the median;
// - idle CPU in auto-respond mode: Start Auto Respond chosen, the Notice box answered Yes,
//   then the process's CPU time over the idle seconds, and, under Wine, the wineserver's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ui/win32/ControlIds.h"

namespace {

using namespace brevanto::win32ui;

double Now() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls every millisecond until find() gives a window or the seconds run out.
template <class Find>
HWND WaitFor(Find find, double seconds) {
    const double end = Now() + seconds;
    do {
        if (HWND window = find()) {
            return window;
        }
        Sleep(1);
    } while (Now() < end);
    return nullptr;
}

// A visible top-level window of the class and caption, owned by owner when one is given
// and else belonging to the process.
HWND Visible(const char* windowClass, const char* caption, DWORD process, HWND owner) {
    for (HWND window = nullptr;
         (window = FindWindowExA(nullptr, window, windowClass, caption)) != nullptr;) {
        DWORD windowProcess = 0;
        GetWindowThreadProcessId(window, &windowProcess);
        if (IsWindowVisible(window) && windowProcess == process &&
            (owner == nullptr || GetWindow(window, GW_OWNER) == owner)) {
            return window;
        }
    }
    return nullptr;
}

struct Brevanto {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startSeconds = 0;

    ~Brevanto() {
        if (process.hProcess != nullptr) {
            TerminateProcess(process.hProcess, 0);
            WaitForSingleObject(process.hProcess, 10000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }
};

bool Start(const std::string& exe, const std::string& folder, Brevanto& brevanto) {
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::printf("cannot make the fresh folder %s\n", folder.c_str());
        return false;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    const double begin = Now();
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &brevanto.process)) {
        std::printf("cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return false;
    }
    const DWORD id = brevanto.process.dwProcessId;
    brevanto.window =
        WaitFor([id] { return Visible(kMainWindowClass, "Brevanto", id, nullptr); }, 60);
    brevanto.startSeconds = Now() - begin;
    if (brevanto.window == nullptr) {
        std::printf("no visible main window within 60 s\n");
    }
    return brevanto.window != nullptr;
}

std::string ReadFile(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    return text;
}

// Under Wine, the Linux process working in the folder, found through the Z: drive by a
// file made there for the purpose; empty elsewhere.
std::string LinuxPid(const std::string& folder) {
    const std::string marker = "winfigures-" + std::to_string(GetCurrentProcessId());
    const HANDLE made = CreateFileA((folder + "\\" + marker).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE) {
        return {};
    }
    CloseHandle(made);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string pid;
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") == std::string::npos &&
            GetFileAttributesA(("Z:\\proc\\" + name + "\\cwd\\" + marker).c_str()) !=
                INVALID_FILE_ATTRIBUTES) {
            pid = name;
        }
    } while (pid.empty() && FindNextFileA(search, &found));
    FindClose(search);
    DeleteFileA((folder + "\\" + marker).c_str());
    return pid;
}

// A Linux process's CPU seconds, read through Wine's Z: drive; -1 when unreadable.
double LinuxCpuSeconds(const std::string& pid) {
    if (pid.empty()) {
        return -1;
    }
    const std::string stat = ReadFile("Z:\\proc\\" + pid + "\\stat");
    // After the command name, which ends with the last ')': utime is the 12th field and
    // stime the 13th, in clock ticks of 1/100 s.
    const std::size_t name = stat.rfind(')');
    unsigned long user = 0, system = 0;
    if (name == std::string::npos ||
        std::sscanf(stat.c_str() + name + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu",
                    &user, &system) != 2) {
        return -1;
    }
    return static_cast<double>(user + system) / 100.0;
}

// GetProcessTimes answers zero for other processes under Wine, so there the Linux
// process is read instead.
double CpuSeconds(HANDLE process, const std::string& linuxPid) {
    if (!linuxPid.empty()) {
        return LinuxCpuSeconds(linuxPid);
    }
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME time) {
        return static_cast<double>(
                   ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

bool MeasureIdle(const std::string& exe, const std::string& folder, double seconds,
                 const std::string& wineserverPid) {
    Brevanto brevanto;
    if (!Start(exe, folder, brevanto)) {
        return false;
    }
    const HWND main = brevanto.window;
    PostMessageA(main, WM_COMMAND, IDM_mnuStart, 0);
    const DWORD id = brevanto.process.dwProcessId;
    const HWND notice = WaitFor([&] { return Visible("#32770", "Notice", id, main); }, 30);
    if (notice == nullptr) {
        std::printf("no Notice box after Start Auto Respond\n");
        return false;
    }
    SendMessageTimeoutA(GetDlgItem(notice, IDYES), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000,
                        nullptr);
    // The mode is on once the start button offers to stop it.
    const HWND startButton = GetDlgItem(main, IDC_cmdStart);
    char caption[64] = {};
    const bool on = WaitFor(
        [&] {
            GetWindowTextA(startButton, caption, sizeof caption);
            return std::string(caption) == "Sto&p Auto Respond" ? main : nullptr;
        },
        30);
    if (!on) {
        std::printf("auto-respond mode did not start (start button says \"%s\")\n", caption);
        return false;
    }
    Sleep(1000);  // the first ticks, with their page faults, are not idle
    const std::string pid = LinuxPid(folder);
    if (pid.empty() && GetFileAttributesA("Z:\\proc\\self") != INVALID_FILE_ATTRIBUTES) {
        std::printf("under Wine, but no Linux process works in %s\n", folder.c_str());
        return false;
    }
    const double cpu = CpuSeconds(brevanto.process.hProcess, pid);
    const double server = LinuxCpuSeconds(wineserverPid);
    const double begin = Now();
    Sleep(static_cast<DWORD>(seconds * 1000));
    const double wall = Now() - begin;
    const double used = CpuSeconds(brevanto.process.hProcess, pid) - cpu;
    std::printf("idle CPU in auto-respond mode: %.0f ms over %.1f s = %.2f %% of one core (%s)\n",
                used * 1000, wall, 100 * used / wall,
                pid.empty() ? "GetProcessTimes" : ("Linux process " + pid).c_str());
    if (server >= 0) {
        const double serverUsed = LinuxCpuSeconds(wineserverPid) - server;
        std::printf("wineserver meanwhile: %.0f ms = %.2f %% of one core\n", serverUsed * 1000,
                    100 * serverUsed / wall);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::printf(
            "usage: winfigures <brevanto.exe> <scratch folder> <starts> <idle seconds> "
            "[wineserver pid]\n");
        return 2;
    }
    const std::string exe = argv[1];
    const std::string scratch = argv[2];
    const int starts = std::max(1, std::atoi(argv[3]));

    std::vector<double> times;
    for (int run = 0; run < starts; ++run) {
        Brevanto brevanto;
        if (!Start(exe, scratch + "\\start" + std::to_string(run), brevanto)) {
            return 1;
        }
        times.push_back(brevanto.startSeconds * 1000);
        std::printf("start %d: %.0f ms\n", run + 1, times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("start to shown window: median %.0f ms of %d (%.0f-%.0f ms)\n",
                times[times.size() / 2], starts, times.front(), times.back());

    return MeasureIdle(exe, scratch + "\\idle", std::atof(argv[4]), argc > 5 ? argv[5] : "") ? 0
                                                                                             : 1;
}
