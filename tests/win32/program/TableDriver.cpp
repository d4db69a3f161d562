// The table commands of the whole program under Wine: brevanto.exe started on a data.dat
// of three rows, then Delete (key and menu), Save, Import and Export through the common
// file dialogs, checked in the grid and in the files. Used through window messages only;
// stops at the first step that leaves the program in an unexpected state.
#include "suite/Checks.h"
#include "ui/win32/ControlIds.h"

// <windows.h> after the harness: its macros would rename the window-system interface.
#include "program/RemoteWindows.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace brevanto::win32ui;
using brevanto::wine::Checks;
namespace wine = brevanto::wine;
namespace fs = std::filesystem;

constexpr DWORD kStartMs = 30'000;
constexpr DWORD kWaitMs = 10'000;
constexpr int kMessageText = 0xFFFF;   // the static holding a message box's text
constexpr int kFileNameCombo = 0x47C;  // cmb13: the file name in an Explorer-style dialog
constexpr int kFileNameEdit = 0x480;   // edt1: the same in the old-style dialog

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return file ? bytes.str() : "(missing)";
}

struct Program {
    ~Program() {
        if (process.hProcess != nullptr) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, kWaitMs);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    bool Settle() const { return wine::SendBounded(main, WM_NULL, 0, 0).has_value(); }
    void Command(int id) const { PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    HWND Box() const {
        HWND box = nullptr;
        wine::WaitUntil([&] { return (box = wine::OwnedBox(main)) != nullptr; }, kWaitMs);
        return box;
    }

    fs::path folder;
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    std::unique_ptr<wine::RemoteListView> grid;
};

bool Start(Checks& checks, Program& program) {
    program.folder =
        fs::temp_directory_path() / ("brevanto-table-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(program.folder);
    fs::create_directories(program.folder);
    std::ofstream(program.folder / "data.dat", std::ios::binary) << "a=1\r\nb=2\r\nc=3\r\n";
    const std::string exe = wine::ThisProgramsFolder() + BREVANTO_EXE;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!checks.That(
            CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           program.folder.string().c_str(), &startup, &program.process),
            "brevanto.exe starts")) {
        return false;
    }
    const bool shown = wine::WaitUntil(
        [&] {
            program.main = FindWindowA(kMainWindowClass, "Brevanto");
            return program.main != nullptr;
        },
        kStartMs);
    if (!checks.That(shown && program.Settle(), "the main window appears")) {
        return false;
    }
    program.grid = std::make_unique<wine::RemoteListView>(GetDlgItem(program.main, IDC_flexGrid),
                                                          program.process.hProcess);
    return checks.Equal(program.grid->Rows(), 3, "the grid shows data.dat");
}

// Answers the message box the last command opened with OK; its text, or "" without a box.
std::string AnswerBox(Checks& checks, const Program& program, const std::string& title) {
    HWND box = program.Box();
    if (!checks.That(box != nullptr, "the box \"" + title + "\" opens")) {
        return {};
    }
    checks.Equal(wine::CaptionOf(box), title, "the box's title");
    const std::string text = wine::CaptionOf(GetDlgItem(box, kMessageText));
    wine::Press(GetDlgItem(box, IDOK));
    wine::WaitUntil([&] { return !IsWindow(box); }, kWaitMs);
    program.Settle();
    return text;
}

// Types a path into the file dialog the last command opened and presses its OK button.
bool ChooseFile(Checks& checks, const Program& program, const fs::path& path) {
    HWND dialog = program.Box();
    if (!checks.That(dialog != nullptr, "the file dialog opens")) {
        return false;
    }
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (name == nullptr) {
        name = GetDlgItem(dialog, kFileNameEdit);
    }
    return checks.That(name != nullptr && wine::SetTextOf(name, path.string()) &&
                           wine::Press(GetDlgItem(dialog, IDOK)) &&
                           wine::WaitUntil([&] { return !IsWindow(dialog); }, kWaitMs),
                       "the file dialog takes the name " + path.string());
}

bool Run(Checks& checks, Program& program) {
    // Loading leaves the last row current; the Delete key removes it without asking.
    PostMessageA(GetDlgItem(program.main, IDC_flexGrid), WM_KEYDOWN, VK_DELETE, 0);
    if (!checks.That(wine::WaitUntil([&] { return program.grid->Rows() == 2; }, kWaitMs),
                     "the Delete key removes the current row")) {
        return false;
    }
    program.Command(IDM_mnuDelete);
    if (!checks.That(wine::WaitUntil([&] { return program.grid->Rows() == 1; }, kWaitMs),
                     "Delete Message removes the current row")) {
        return false;
    }
    checks.Equal(program.grid->CellText(0, 0).value_or("?"), "a", "the first row stays");
    program.Command(IDM_mnuSave);
    AnswerBox(checks, program, "Done");
    checks.Equal(ReadFile(program.folder / "data.dat"), "a=1\r\n", "the save stores the rest");

    const fs::path in = program.folder / "in.csv";
    std::ofstream(in, std::ios::binary) << "Message,Response\r\nA,x\r\n\"b, c\",\"2\r\nlines\"\r\n";
    program.Command(IDM_mnuImport);
    if (!ChooseFile(checks, program, in)) {
        return false;
    }
    const std::string report = AnswerBox(checks, program, "Import");
    checks.That(report.find("1 pairs added") != std::string::npos &&
                    report.find("1 pairs kept") != std::string::npos,
                "the import reports one pair added and one kept: " + report);
    checks.Equal(program.grid->Rows(), 2, "the grid shows the imported row");
    checks.Equal(program.grid->CellText(1, 1).value_or("?"), "2 lines",
                 "a line break in a field becomes a space");

    const fs::path out = program.folder / "out.csv";
    program.Command(IDM_mnuExport);
    if (!ChooseFile(checks, program, out)) {
        return false;
    }
    AnswerBox(checks, program, "Export");
    return checks.Equal(ReadFile(out),
                        "\xEF\xBB\xBFMessage,Response\r\na,1\r\n\"b, c\",2 lines\r\n",
                        "the export is CSV with a byte order mark");
}

}  // namespace

int main() {
    Checks checks;
    checks.Section("TableCommands");
    Program program;
    if (Start(checks, program) && !Run(checks, program)) {
        checks.Fail("stopped: the program is not in the state the next step needs");
    }
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}
