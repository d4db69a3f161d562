// The table commands of the whole program under Wine: brevanto.exe started on a data.dat
// of three rows, then Delete (key and menu), Save, Import and Export through the common
// file dialogs, checked in the grid and in the files. Used through window messages only;
// stops at the first step that leaves the program in an unexpected state.
#include <fstream>

#include "program/RemoteWindows.h"
#include "ui/win32/ControlIds.h"

namespace {

using namespace brevanto::win32ui;
using brevanto::wine::Checks;
namespace wine = brevanto::wine;

// The file name field of the dialog: cmb13 in an Explorer-style dialog, edt1 in the old one.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// Types a name of the program's folder into the file dialog the last command opened and
// presses its OK button.
bool ChooseFile(Checks& checks, const wine::Program& program, const char* name) {
    HWND dialog = nullptr;
    wine::WaitUntil([&] { return (dialog = program.OwnedBox()) != nullptr; }, wine::kWaitMs);
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    field = field != nullptr ? field : GetDlgItem(dialog, kFileNameEdit);
    return checks.That(dialog != nullptr && field != nullptr &&
                           wine::SetTextOf(field, (program.folder / name).string()) &&
                           wine::Press(GetDlgItem(dialog, IDOK)) &&
                           wine::WaitUntil([&] { return !IsWindow(dialog); }, wine::kWaitMs),
                       std::string("the file dialog opens and takes the name ") + name);
}

bool Run(Checks& checks, wine::Program& program) {
    checks.Equal(program.Rows(), 3, "the grid shows data.dat");
    // Loading leaves the last row current; the Delete key removes it without asking.
    PostMessageA(program.Control(IDC_flexGrid), WM_KEYDOWN, VK_DELETE, 0);
    if (!checks.That(wine::WaitUntil([&] { return program.Rows() == 2; }, wine::kWaitMs),
                     "the Delete key removes the current row")) {
        return false;
    }
    program.Command(IDM_mnuDelete);
    if (!checks.That(wine::WaitUntil([&] { return program.Rows() == 1; }, wine::kWaitMs),
                     "Delete Message removes the current row")) {
        return false;
    }
    checks.Equal(program.CellText(0, 0), "a", "the first row stays");
    program.Command(IDM_mnuSave);
    if (!program.Answer(checks, {"Done", "The message was saved!", IDOK})) {
        return false;
    }
    checks.Equal(program.File("data.dat"), "a=1\r\n", "the save stores the rest");

    std::ofstream(program.folder / "in.csv", std::ios::binary)
        << "Message,Response\r\nA,x\r\n\"b, c\",\"2\r\nlines\"\r\n";
    program.Command(IDM_mnuImport);
    if (!ChooseFile(checks, program, "in.csv")) {
        return false;
    }
    const auto report = program.Answer(checks, {"Import", nullptr, IDOK});
    if (!report) {
        return false;
    }
    checks.That(report->find("1 pairs added") != std::string::npos &&
                    report->find("1 pairs kept") != std::string::npos,
                "the import reports one pair added and one kept: " + *report);
    checks.Equal(program.Rows(), 2, "the grid shows the imported row");
    checks.Equal(program.CellText(1, 1), "2 lines", "a line break in a field becomes a space");

    program.Command(IDM_mnuExport);
    return ChooseFile(checks, program, "out.csv") &&
           program.Answer(checks, {"Export", nullptr, IDOK}) &&
           checks.Equal(program.File("out.csv"),
                        "\xEF\xBB\xBFMessage,Response\r\na,1\r\n\"b, c\",2 lines\r\n",
                        "the export is CSV with a byte order mark");
}

}  // namespace

int main() {
    Checks checks;
    checks.Section("TableCommands");
    auto program = wine::Program::Start(checks, "a=1\r\nb=2\r\nc=3\r\n");
    if (program && !Run(checks, *program)) {
        program->Stopped(checks);
    }
    return checks.Finish();
}
