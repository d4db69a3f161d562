// Measures brevanto.exe from outside, through its windows only:
//   winfigures <brevanto.exe> <scratch folder> <starts> <idle seconds> [wineserver pid]
// - start to shown window: each start in a fresh working folder, timed until the main
//   window (its class, caption "Brevanto") is visible; every start and the median;
// - start with a data file of 100,000 rows and of one 10 MB line: until the main window is
//   visible with the rows in its grid, painted, and answering a sent message;
// - a tick on a hostile 1 MB buddy message in the fake AIM client: the tick's WM_TIMER sent
//   to the main window, until the log box is set and everything is painted;
// - idle CPU in auto-respond mode: Start Auto Respond chosen, the Notice box answered Yes,
//   then the process's CPU time over the idle seconds, and, under Wine, the wineserver's.
// The fake AIM client's harness and the hostile message come first: <windows.h> would rename
// names they use.
#include "hardening/HostileTranscript.h"
#include "suite/Harness.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
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
    double begin = 0;
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

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// Starts brevanto.exe in a fresh folder, with dataFile as its data.dat when one is given.
bool Start(const std::string& exe, const std::string& folder, Brevanto& brevanto,
           const std::string& dataFile = {}) {
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::printf("cannot make the fresh folder %s\n", folder.c_str());
        return false;
    }
    if (!dataFile.empty() && !WriteFile(folder + "\\data.dat", dataFile)) {
        std::printf("cannot write data.dat in %s\n", folder.c_str());
        return false;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    const double begin = Now();
    brevanto.begin = begin;
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

// Whether a window and all its children have nothing left to paint.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool painted = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM all) -> BOOL {
            if (GetUpdateRect(child, nullptr, FALSE)) {
                *reinterpret_cast<bool*>(all) = false;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&painted));
    return painted;
}

// Asks the program to paint what it has to, waits until it has and until it answers a sent
// message: its queue is empty then.
bool Settled(HWND main) {
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return WaitFor([main] { return Painted(main) ? main : nullptr; }, 60) != nullptr &&
           SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, nullptr) != 0;
}

struct Figure {
    double wallMs = 0;
    double cpuMs = 0;  // the program's own, at the 10 ms ticks of /proc under Wine
};

void PrintMedians(const char* what, std::vector<Figure> figures) {
    auto median = [&figures](double Figure::*field) {
        std::vector<double> values;
        for (const Figure& figure : figures) {
            values.push_back(figure.*field);
        }
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("%s: median of %zu: %.0f ms wall, %.0f ms CPU\n", what, figures.size(),
                median(&Figure::wallMs), median(&Figure::cpuMs));
}

std::string Rows(int count) {
    std::string rows;
    for (int i = 0; i < count; ++i) {
        rows += "message number " + std::to_string(i) + "=the response to message " +
                std::to_string(i) + "\r\n";
    }
    return rows;
}

long SentTo(HWND window, UINT message) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 60000, &result)) {
        return -1;
    }
    return static_cast<long>(result);
}

// From CreateProcess until the main window shows the table's rows, painted and answering.
bool MeasureStart(const std::string& exe, const std::string& folder, const std::string& dataFile,
                  long rows, Figure& figure) {
    Brevanto brevanto;
    if (!Start(exe, folder, brevanto, dataFile) || !Settled(brevanto.window)) {
        return false;
    }
    figure.wallMs = (Now() - brevanto.begin) * 1000;
    const long shown = SentTo(GetDlgItem(brevanto.window, IDC_flexGrid), LVM_GETITEMCOUNT);
    if (shown != rows) {
        std::printf("the grid shows %ld rows, not %ld\n", shown, rows);
        return false;
    }
    const std::string pid = LinuxPid(folder);
    figure.cpuMs = CpuSeconds(brevanto.process.hProcess, pid) * 1000;
    return true;
}

// One tick on the hostile megabyte: the fake client's IM window gets it as its transcript,
// then the tick's timer message is sent and the time taken until the log box is set and the
// windows are painted. A window text ends at its first NUL, so the message's block of NUL
// bytes is left out; the rest (nested and unclosed tags, 30,000 copies of the name) stays.
bool MeasureTick(const std::string& exe, const std::string& folder, Figure& figure) {
    using brevanto::hardening::kHostileBuddy;
    Brevanto brevanto;
    if (!Start(exe, folder, brevanto, "hi=hello\r\n") || !Settled(brevanto.window)) {
        return false;
    }
    brevanto::wine::Checks checks;
    auto client = brevanto::wine::StartClient(
        checks, {{"signon", "quietowl7"}, {"im", std::string(kHostileBuddy)}, {"buddy", "hello"}});
    if (!client) {
        std::printf("the fake AIM client did not start\n");
        return false;
    }
    const HWND im = reinterpret_cast<HWND>(static_cast<std::intptr_t>(client->Im(0)));
    const HWND pane = FindWindowExA(im, nullptr, "WndAte32Class", nullptr);
    std::string html = brevanto::hardening::HostileTranscriptHtml();
    std::erase(html, '\0');
    std::wstring wide(html.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, html.data(), static_cast<int>(html.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    if (pane == nullptr ||
        !SendMessageTimeoutW(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                             SMTO_NORMAL, 60000, nullptr)) {
        std::printf("cannot set the IM window's transcript\n");
        return false;
    }
    const std::string pid = LinuxPid(folder);
    const double cpu = CpuSeconds(brevanto.process.hProcess, pid);
    const double begin = Now();
    if (!SendMessageTimeoutA(brevanto.window, WM_TIMER, kTimerCheckMessage, 0, SMTO_NORMAL, 120000,
                             nullptr)) {
        std::printf("the tick's timer message was not answered (error %lu after %.0f ms)\n",
                    GetLastError(), (Now() - begin) * 1000);
        return false;
    }
    if (!Settled(brevanto.window)) {
        std::printf("the windows were not painted within a minute after the tick (%.0f ms)\n",
                    (Now() - begin) * 1000);
        return false;
    }
    figure.wallMs = (Now() - begin) * 1000;
    figure.cpuMs = (CpuSeconds(brevanto.process.hProcess, pid) - cpu) * 1000;
    const long logged = SentTo(GetDlgItem(brevanto.window, IDC_rtbMessages), WM_GETTEXTLENGTH);
    // The converted message holds at least the 30,000 copies of the name.
    if (logged < static_cast<long>(30000 * kHostileBuddy.size())) {
        std::printf("the log box holds %ld characters only\n", logged);
        return false;
    }
    return true;
}

// Runs measure runs times in fresh folders named after what, and prints the medians.
template <class Measure>
bool Repeat(const std::string& scratch, const char* what, const char* name, int runs,
            Measure measure) {
    std::vector<Figure> figures;
    for (int run = 0; run < runs; ++run) {
        Figure figure;
        if (!measure(scratch + "\\" + name + std::to_string(run), figure)) {
            std::printf("%s: run %d failed\n", what, run + 1);
            return false;
        }
        std::printf("%s %d: %.0f ms wall, %.0f ms CPU\n", what, run + 1, figure.wallMs,
                    figure.cpuMs);
        figures.push_back(figure);
    }
    PrintMedians(what, figures);
    return true;
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

    const std::string rows = Rows(100000);
    const std::string longLine = "hi=" + std::string(10 << 20, 'x') + "\r\n";
    const bool measured = Repeat(scratch, "start with 100,000 rows", "rows", starts,
                                 [&](const std::string& folder, Figure& figure) {
                                     return MeasureStart(exe, folder, rows, 100000, figure);
                                 }) &&
                          Repeat(scratch, "start with a 10 MB line", "line", starts,
                                 [&](const std::string& folder, Figure& figure) {
                                     return MeasureStart(exe, folder, longLine, 1, figure);
                                 }) &&
                          Repeat(scratch, "tick on the hostile 1 MB message", "tick", starts,
                                 [&](const std::string& folder, Figure& figure) {
                                     return MeasureTick(exe, folder, figure);
                                 });
    if (!measured) {
        return 1;
    }

    return MeasureIdle(exe, scratch + "\\idle", std::atof(argv[4]), argc > 5 ? argv[5] : "") ? 0
                                                                                             : 1;
}
