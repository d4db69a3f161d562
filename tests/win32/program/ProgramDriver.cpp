// The whole program under Wine: the real brevanto.exe in a fresh folder beside the fake
// AIM client, used through window messages only, as a person would use it. Each stage
// needs the one before it, so the run stops at the first stage that leaves the program in
// a state it did not expect. programdriver.exe ends with "N passed, M failed"; the exit
// code is 1 on any failure.
#include "suite/Checks.h"
#include "suite/FakeAimProcess.h"
#include "ui/win32/ControlIds.h"

// <windows.h> after the harness: its macros would rename the window-system interface.
#include "program/RemoteWindows.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

using namespace brevanto::win32ui;
using brevanto::wine::Checks;
using brevanto::wine::ScenarioText;
namespace wine = brevanto::wine;

constexpr DWORD kStartMs = 30'000;
constexpr DWORD kWaitMs = 10'000;
// The tray timer runs every 500 ms; three of its ticks show whether a minimised window
// would be hidden.
constexpr DWORD kTrayWatchMs = 1'500;
constexpr int kMessageText = 0xFFFF;  // the static holding a message box's text

constexpr const char* kNotice =
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and "
    "you can view them on the box on the right side. Do you want to continue?";
constexpr const char* kInputPrompt =
    "Enter new value for the row \r\nClick OK to save. Click CANCEL to clear.";

// brevanto.exe running in a folder of its own, where it keeps its data.dat.
struct Brevanto {
    ~Brevanto() {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 1);
                WaitForSingleObject(process.hProcess, kWaitMs);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    HWND Control(int id) const { return GetDlgItem(main, id); }
    // Returns once the program is back in its message loop: a sent message waits for the
    // handler that is running to finish, so whatever it does after an effect we saw is done.
    bool Settle() const { return wine::SendBounded(main, WM_NULL, 0, 0).has_value(); }
    std::string DataFile() const {
        std::ifstream file(folder / "data.dat", std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return file ? bytes.str() : "(no data.dat)";
    }

    std::filesystem::path folder;
    PROCESS_INFORMATION process{};
    HWND main = nullptr;
    std::unique_ptr<wine::RemoteListView> grid;
};

HWND MainWindowOf(DWORD processId) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kMainWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && wine::CaptionOf(window) == "Brevanto") {
            return window;
        }
    }
    return nullptr;
}

std::unique_ptr<Brevanto> Start(Checks& checks) {
    auto program = std::make_unique<Brevanto>();
    program->folder = std::filesystem::temp_directory_path() /
                      ("brevanto-program-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(program->folder);
    std::filesystem::create_directories(program->folder);
    const std::string exe = wine::ThisProgramsFolder() + BREVANTO_EXE;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!checks.That(
            CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           program->folder.string().c_str(), &startup, &program->process),
            "brevanto.exe starts from " + exe)) {
        return nullptr;
    }
    const DWORD id = program->process.dwProcessId;
    if (!checks.That(wine::WaitUntil([&] { return (program->main = MainWindowOf(id)) != nullptr; },
                                     kStartMs),
                     "the main window appears with the caption \"Brevanto\"") ||
        !checks.That(program->Settle(), "the program answers once started")) {
        return nullptr;
    }
    program->grid = std::make_unique<wine::RemoteListView>(program->Control(IDC_flexGrid),
                                                           program->process.hProcess);
    return program;
}

// The box the last action opened; null after a failed check when none comes in time.
HWND WaitForBox(Checks& checks, const Brevanto& program, const std::string& what) {
    HWND box = nullptr;
    wine::WaitUntil([&] { return (box = wine::OwnedBox(program.main)) != nullptr; }, kWaitMs);
    checks.That(box != nullptr, what + " opens");
    return box;
}

// Presses the box's button and waits until the program has done what follows; false when
// the box stays, which leaves the program in a state the next stage cannot use.
bool Close(Checks& checks, const Brevanto& program, HWND box, int button, const std::string& what) {
    return checks.That(wine::Press(GetDlgItem(box, button)) &&
                           wine::WaitUntil([&] { return !IsWindow(box); }, kWaitMs) &&
                           program.Settle(),
                       what + " closes when its button is pressed");
}

// A message box the last action opens, and the button that answers it.
struct BoxAnswer {
    const char* title;
    const char* text;
    int button;
};

bool Answer(Checks& checks, const Brevanto& program, const BoxAnswer& answer) {
    const std::string what = std::string("the box \"") + answer.title + "\"";
    HWND box = WaitForBox(checks, program, what);
    if (box == nullptr) {
        return false;
    }
    checks.Equal(wine::CaptionOf(box), answer.title, what + ": title");
    checks.Equal(wine::CaptionOf(GetDlgItem(box, kMessageText)), answer.text, what + ": text");
    return Close(checks, program, box, answer.button, what);
}

bool StartsWithEmptyTable(Checks& checks, Brevanto& program) {
    checks.Equal(program.DataFile(), "", "a missing data.dat is created empty");
    checks.Equal(program.grid->Rows(), 0, "the grid starts with no rows");
    // A click with no rows opens nothing. The Add press is posted after it, so once the row
    // is there the click has been handled: any box it opened would be open now.
    program.grid->Click({20, 10});
    wine::Press(program.Control(IDC_cmdAdd));
    return checks.That(wine::WaitUntil([&] { return program.grid->Rows() == 1; }, kWaitMs),
                       "Add Messages adds a row") &&
           checks.That(wine::OwnedBox(program.main) == nullptr,
                       "a click on the grid with no rows opens no box");
}

struct CellEdit {
    int column;
    const char* shown;  // the box starts from the cell's text
    const char* typed;
    int button;
    const char* result;  // the cell's text afterwards
};

constexpr CellEdit kEdits[] = {
    {0, "", "Are you there?", IDOK, "Are you there?"},
    {1, "", "yes here", IDOK, "yes here"},
    {1, "yes here", "gone", IDCANCEL, ""},  // Cancel clears the cell, as the prompt says
    {1, "", "yes, here", IDOK, "yes, here"},
};

bool EditsAndSaves(Checks& checks, Brevanto& program) {
    for (const CellEdit& edit : kEdits) {
        const std::string cell = "cell (0, " + std::to_string(edit.column) + ")";
        if (!checks.That(program.grid->ClickCell(0, edit.column), "a click on " + cell)) {
            return false;
        }
        HWND box = WaitForBox(checks, program, "the input box for " + cell);
        if (box == nullptr) {
            return false;
        }
        checks.Equal(wine::CaptionOf(box), "Brevanto", "the input box title");
        checks.Equal(wine::CaptionOf(GetDlgItem(box, IDC_InputPrompt)), kInputPrompt,
                     "the input box prompt");
        HWND text = GetDlgItem(box, IDC_InputText);
        checks.Equal(wine::TextOf(text), edit.shown, "the input box shows the text of " + cell);
        wine::SetTextOf(text, edit.typed);
        if (!Close(checks, program, box, edit.button, "the input box")) {
            return false;
        }
        checks.Equal(program.grid->CellText(0, edit.column).value_or("(unreadable)"), edit.result,
                     "the grid shows the new text of " + cell);
    }
    wine::Press(program.Control(IDC_cmdSave));
    if (!Answer(checks, program, {"Done", "The message was saved!", IDOK})) {
        return false;
    }
    checks.Equal(program.DataFile(), "are you there=yes, here\r\n",
                 "data.dat holds the row, its message lower-cased and without ignored marks");
    checks.Equal(program.grid->CellText(0, 0).value_or("(unreadable)"), "are you there",
                 "the grid shows the table as saved");
    return true;
}

std::vector<std::string> SentTo(const wine::Report& report, int index) {
    std::vector<std::string> sent;
    for (const auto& event : report.EventsOf(index)) {
        if (event.kind == "sent") {
            sent.push_back(event.text);
        }
    }
    return sent;
}

// The buddy list's entries, one a line. Asked in the Unicode form: Wine hands the ANSI form
// of CB_GETLBTEXT from another process the Unicode text.
std::string BuddyListEntries(HWND combo) {
    std::string entries;
    const LRESULT count = wine::SendBounded(combo, CB_GETCOUNT, 0, 0).value_or(0);
    for (WPARAM index = 0; static_cast<LRESULT>(index) < count; ++index) {
        wchar_t text[256] = {};
        char ansi[512] = {};
        DWORD_PTR length = 0;
        if (SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kWaitMs,
                                &length) &&
            length < std::size(text)) {
            SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text),
                                SMTO_ABORTIFHUNG, kWaitMs, &length);
        }
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        entries.append(ansi).append("\n");
    }
    return entries;
}

bool RespondsToBuddies(Checks& checks, Brevanto& program) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "pixelfox22")
        .Add("buddy", "Are you there?")
        .Add("im", "sunnyday")
        .Add("buddy", "what's new");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return false;
    }
    wine::SetTextOf(program.Control(IDC_txtLeadingMessage), "[away]");
    wine::Press(program.Control(IDC_cmdStart));
    if (!Answer(checks, program, {"Notice", kNotice, IDYES})) {
        return false;
    }
    HWND start = program.Control(IDC_cmdStart);
    checks.Equal(wine::CaptionOf(start), "Sto&p Auto Respond", "the start button now stops");
    checks.That(!IsWindowEnabled(program.Control(IDC_cmdLearn)),
                "learning is off while auto respond runs");
    // The window is gone once the client handled the posted close; the program shows the
    // conversation after posting it.
    if (!checks.That(
            wine::WaitUntil([] { return !FindWindowA("AIM_IMessage", nullptr); }, kWaitMs) &&
                program.Settle(),
            "every IM window is answered and closed")) {
        return false;
    }

    const std::string log = wine::TextOf(program.Control(IDC_rtbMessages));
    checks.Equal(log, "pixelfox22: Are you there?\r\nquietowl7: [away] yes, here\r\n",
                 "the log box shows the conversation handled last, with the reply");
    HWND buddies = program.Control(IDC_cboTextMessage);
    checks.Equal(BuddyListEntries(buddies), "sunnyday\npixelfox22\n",
                 "the buddy list holds the buddies in the order they were answered");
    checks.Equal(wine::TextOf(buddies), "pixelfox22", "the buddy list shows the last buddy");
    // Choosing the other buddy from the list shows that conversation.
    wine::SendBounded(buddies, CB_SETCURSEL, 0, 0);
    PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(IDC_cboTextMessage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(buddies));
    const std::string other = "sunnyday: what's new\r\nquietowl7: [away] :-)\r\n";
    checks.That(
        wine::WaitUntil([&] { return wine::TextOf(program.Control(IDC_rtbMessages)) == other; },
                        kWaitMs),
        "choosing a buddy in the list shows that conversation");

    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return false;
    }
    checks.That(SentTo(*report, 0) == std::vector<std::string>{"[away] yes, here"},
                "the message in the table gets its response");
    checks.That(SentTo(*report, 1) == std::vector<std::string>{"[away] :-)"},
                "a message without an entry gets the default message");
    checks.That(report->ims.size() == 2 && !report->ims[0].open && !report->ims[1].open,
                "the IM windows are closed");

    PostMessageA(program.main, WM_COMMAND, IDM_mnuStop, 0);
    return checks.That(
               wine::WaitUntil([&] { return wine::CaptionOf(start) == "&Start Auto Respond"; },
                               kWaitMs) &&
                   program.Settle(),
               "Stop Auto Respond in the menu stops it") &&
           checks.That(IsWindowEnabled(program.Control(IDC_cmdLearn)), "learning is on again");
}

bool LearnsConversation(Checks& checks, Brevanto& program) {
    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "mossyrock")
        .Add("buddy", "Anybody home?")
        .Add("me", "Yes, I am.");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return false;
    }
    wine::Press(program.Control(IDC_cmdLearn));
    const BoxAnswer learning[] = {
        {"Learning Conversations", "Click on the IM box then click OK to learn.", IDOK},
        {"Done", "The program has learn the conversations and the data was saved!", IDOK},
    };
    for (const BoxAnswer& answer : learning) {
        if (!Answer(checks, program, answer)) {
            return false;
        }
    }
    checks.Equal(program.DataFile(), "anybody home=Yes, I am.\r\nare you there=yes, here\r\n",
                 "data.dat holds the learned pair, sorted in");
    checks.Equal(program.grid->Rows(), 2, "the grid shows the learned row");
    return true;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The responder's options through the menu: Keep Conversations, a reply limit of 10 minutes
// asked in the input box, both remembered in brevanto.ini; a buddy's second window within
// the limit closed unanswered and both conversations kept in logs/; Test a Message.
bool LimitsAndKeepsConversations(Checks& checks, Brevanto& program) {
    PostMessageA(program.main, WM_COMMAND, IDM_mnuKeepConversations, 0);
    PostMessageA(program.main, WM_COMMAND, IDM_mnuReplyLimit, 0);
    HWND box = WaitForBox(checks, program, "the reply limit's input box");
    if (box == nullptr) {
        return false;
    }
    wine::SetTextOf(GetDlgItem(box, IDC_InputText), "10");
    if (!Close(checks, program, box, IDOK, "the reply limit's input box")) {
        return false;
    }
    const std::string ini = FileText(program.folder / "brevanto.ini");
    checks.That(ini.find("KeepConversations=1\r\n") != std::string::npos &&
                    ini.find("ReplyLimitMinutes=10\r\n") != std::string::npos,
                "brevanto.ini remembers both options");

    ScenarioText scenario;
    scenario.Add("signon", "quietowl7")
        .Add("im", "Con")
        .Add("buddy", "Are you there?")
        .Add("im", "Con")
        .Add("buddy", "Are you there?");
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return false;
    }
    wine::Press(program.Control(IDC_cmdStart));
    if (!Answer(checks, program, {"Notice", kNotice, IDYES}) ||
        !checks.That(
            wine::WaitUntil([] { return !FindWindowA("AIM_IMessage", nullptr); }, kWaitMs) &&
                program.Settle(),
            "both IM windows are closed")) {
        return false;
    }
    const auto report = client->Quit();
    if (!checks.That(report.has_value(), "the fake client reports at the end")) {
        return false;
    }
    checks.That(SentTo(*report, 1) == std::vector<std::string>{"[away] yes, here"} &&
                    SentTo(*report, 0).empty(),
                "the buddy's second window within the limit gets no reply");
    const std::string kept = FileText(program.folder / "logs" / "^con.txt");
    checks.That(kept.find("quietowl7: [away] yes, here\r\n\r\n") != std::string::npos &&
                    kept.find("(Brevanto did not answer: Con was answered less than 10 minutes "
                              "ago.)\r\n\r\n") != std::string::npos,
                "both conversations are kept in logs\\^con.txt");
    PostMessageA(program.main, WM_COMMAND, IDM_mnuStop, 0);

    PostMessageA(program.main, WM_COMMAND, IDM_mnuTestMessage, 0);
    box = WaitForBox(checks, program, "Test a Message's input box");
    if (box == nullptr) {
        return false;
    }
    wine::SetTextOf(GetDlgItem(box, IDC_InputText), "ARE YOU THERE?");
    if (!Close(checks, program, box, IDOK, "Test a Message's input box")) {
        return false;
    }
    box = WaitForBox(checks, program, "Test a Message's explanation");
    if (box == nullptr) {
        return false;
    }
    const std::string explanation = wine::CaptionOf(GetDlgItem(box, kMessageText));
    checks.That(
        explanation.find("Entry: row 2, \"are you there=yes, here\"") != std::string::npos &&
            explanation.find("Reply: \"[away] yes, here\"") != std::string::npos,
        "Test a Message names the row and the reply: " + explanation);
    return Close(checks, program, box, IDOK, "Test a Message's explanation");
}

// Without a tray (Wine's null driver) hiding would lose the window: it stays minimised on
// the taskbar and is restored from there. The tray itself is checked under Xvfb
// (x11/tray-under-xvfb.sh).
bool MinimisesAndComesBack(Checks& checks, Brevanto& program) {
    HWND main = program.main;
    RECT before{};
    GetWindowRect(main, &before);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!checks.That(wine::WaitUntil([&] { return IsIconic(main) != FALSE; }, kWaitMs),
                     "the window minimises")) {
        return false;
    }
    const bool hidden = wine::WaitUntil([&] { return !IsWindowVisible(main); }, kTrayWatchMs);
    checks.That(!hidden && WaitForSingleObject(program.process.hProcess, 0) == WAIT_TIMEOUT,
                "without a tray the program runs on, minimised on the taskbar");
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT after{};
    return checks.That(
        wine::WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }, kWaitMs) &&
            program.Settle() && GetWindowRect(main, &after) && EqualRect(&before, &after),
        "the window comes back where and as large as it was");
}

bool Exits(Checks& checks, Brevanto& program) {
    PostMessageA(program.main, WM_COMMAND, IDM_mnuExit, 0);
    DWORD code = 1;
    return checks.That(WaitForSingleObject(program.process.hProcess, kWaitMs) == WAIT_OBJECT_0,
                       "Exit ends the program") &&
           GetExitCodeProcess(program.process.hProcess, &code) &&
           checks.Equal(static_cast<std::int64_t>(code), 0, "the exit code is 0") &&
           // Typed into the box without leaving it: remembered on the way out.
           checks.That(FileText(program.folder / "brevanto.ini").find("LeadingMessage=[away]") !=
                           std::string::npos,
                       "the leading message is remembered at exit");
}

}  // namespace

int main() {
    using Stage = bool (*)(Checks&, Brevanto&);
    const std::vector<Stage> stages{StartsWithEmptyTable,
                                    EditsAndSaves,
                                    RespondsToBuddies,
                                    LearnsConversation,
                                    LimitsAndKeepsConversations,
                                    MinimisesAndComesBack,
                                    Exits};
    Checks checks;
    checks.Section("WholeProgram");
    if (auto program = Start(checks)) {
        for (Stage stage : stages) {
            if (!stage(checks, *program)) {
                DWORD code = STILL_ACTIVE;
                const bool ended =
                    WaitForSingleObject(program->process.hProcess, 0) == WAIT_OBJECT_0 &&
                    GetExitCodeProcess(program->process.hProcess, &code);
                checks.Fail(!ended
                                ? "stopped: the program is not in the state the next stage needs"
                                : "stopped: brevanto.exe ended with code " + std::to_string(code));
                break;
            }
        }
    }
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}
