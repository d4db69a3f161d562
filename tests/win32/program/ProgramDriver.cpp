// The whole program under Wine: the real brevanto.exe in a fresh folder, used through window
// messages only, as a person would use it. Two runs: one from no data.dat beside the fake
// AIM client, one on a data.dat of three rows for the table's commands (Delete, Save,
// Import and Export through the common file dialogs). Each stage needs the one before it,
// so a run stops at the first stage that leaves the program in a state it did not expect.
// programdriver.exe ends with "N passed, M failed"; the exit code is 1 on any failure.
#include <algorithm>
#include <fstream>
#include <vector>

#include "program/RemoteWindows.h"
#include "ui/win32/ControlIds.h"

namespace {

using namespace brevanto::win32ui;
using brevanto::wine::Checks;
using brevanto::wine::Scenario;
namespace wine = brevanto::wine;
using wine::Soon;
using Program = wine::Program;

constexpr wine::BoxAnswer kNoticeYes = {
    "Notice",
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and "
    "you can view them on the box on the right side. Do you want to continue?",
    IDYES};
constexpr wine::BoxAnswer kSaved = {"Done", "The message was saved!", IDOK};
constexpr const char* kInputPrompt =
    "Enter new value for the row \r\nClick OK to save. Click CANCEL to clear.";

bool Answered(Checks& checks, const Program& program, const wine::BoxAnswer& answer) {
    return program.Answer(checks, answer).has_value();
}

// Starts auto respond against a client holding `scenario` and waits until every IM window
// is answered and closed; the client, or null after a failed check.
std::unique_ptr<wine::FakeAimProcess> AutoRespond(Checks& checks, Program& program,
                                                  const Scenario& scenario) {
    auto client = wine::StartClient(checks, scenario);
    if (!client || !wine::Press(program.Control(IDC_cmdStart)) ||
        !Answered(checks, program, kNoticeYes) ||
        !checks.That(Soon([] { return !FindWindowA("AIM_IMessage", nullptr); }) && program.Settle(),
                     "every IM window is answered and closed")) {
        return nullptr;
    }
    return client;
}

// The lines the client's IM window sent: none, or the one given.
bool Sent(const wine::FakeAimProcess& client, int index, const char* text) {
    using Texts = std::vector<std::string>;
    return client.Events("sent", index) == (text == nullptr ? Texts{} : Texts{text});
}

bool StartsWithEmptyTable(Checks& checks, Program& program) {
    checks.Equal(program.File("data.dat"), "", "a missing data.dat is created empty");
    checks.Equal(program.Rows(), 0, "the grid starts with no rows");
    // A click with no rows opens nothing. The Add press is posted after it, so once the row
    // is there the click has been handled: any box it opened would be open now.
    program.Click({20, 10});
    wine::Press(program.Control(IDC_cmdAdd));
    return checks.That(Soon([&] { return program.Rows() == 1; }), "Add Messages adds a row") &&
           checks.That(program.OwnedBox() == nullptr,
                       "a click on the grid with no rows opens no box");
}

bool EditsAndSaves(Checks& checks, Program& program) {
    const struct {
        int column;
        const char* shown;  // the box starts from the cell's text
        const char* typed;
        int button;
        const char* result;  // the cell's text afterwards
    } edits[] = {
        {0, "", "Are you there?", IDOK, "Are you there?"},
        {1, "", "yes here", IDOK, "yes here"},
        {1, "yes here", "gone", IDCANCEL, ""},  // Cancel clears the cell, as the prompt says
        {1, "", "yes, here", IDOK, "yes, here"},
    };
    for (const auto& edit : edits) {
        const std::string cell = "cell (0, " + std::to_string(edit.column) + ")";
        if (!checks.That(program.ClickCell(0, edit.column), "a click on " + cell) ||
            !Answered(checks, program,
                      {"Brevanto", kInputPrompt, edit.button, edit.typed, edit.shown})) {
            return false;
        }
        checks.Equal(program.CellText(0, edit.column), edit.result,
                     "the grid shows the new text of " + cell);
    }
    wine::Press(program.Control(IDC_cmdSave));
    if (!Answered(checks, program, kSaved)) {
        return false;
    }
    checks.Equal(program.File("data.dat"), "are you there=yes, here\r\n",
                 "data.dat holds the row, its message lower-cased and without ignored marks");
    checks.Equal(program.CellText(0, 0), "are you there", "the grid shows the table as saved");
    return true;
}

bool RespondsToBuddies(Checks& checks, Program& program) {
    wine::SetTextOf(program.Control(IDC_txtLeadingMessage), "[away]");
    const auto client = AutoRespond(checks, program,
                                    {{"signon", "quietowl7"},
                                     {"im", "pixelfox22"},
                                     {"buddy", "Are you there?"},
                                     {"im", "sunnyday"},
                                     {"buddy", "what's new"}});
    if (!client) {
        return false;
    }
    checks.That(Sent(*client, 0, "[away] yes, here"), "the message in the table gets its response");
    checks.That(Sent(*client, 1, "[away] :-)"),
                "a message without an entry gets the default message");
    checks.Equal(wine::CaptionOf(program.Control(IDC_cmdStart)), "Sto&p Auto Respond",
                 "the start button now stops");
    checks.That(!IsWindowEnabled(program.Control(IDC_cmdLearn)),
                "learning is off while auto respond runs");
    const HWND log = program.Control(IDC_rtbMessages);
    checks.Equal(wine::TextOf(log), "pixelfox22: Are you there?\r\nquietowl7: [away] yes, here\r\n",
                 "the log box shows the conversation handled last, with the reply");
    // The buddies in the order they were answered: the one shown is the second entry, and
    // choosing the first shows the other conversation.
    HWND buddies = program.Control(IDC_cboTextMessage);
    checks.Equal(wine::SendBounded(buddies, CB_GETCOUNT, 0, 0).value_or(-1), 2,
                 "the buddy list holds both buddies");
    checks.Equal(wine::TextOf(buddies), "pixelfox22", "the buddy list shows the last buddy");
    wine::SendBounded(buddies, CB_SETCURSEL, 0, 0);
    PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(IDC_cboTextMessage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(buddies));
    checks.That(Soon([&] {
                    return wine::TextOf(log) == "sunnyday: what's new\r\nquietowl7: [away] :-)\r\n";
                }),
                "choosing a buddy in the list shows that conversation");

    program.Command(IDM_mnuStop);
    return checks.That(Soon([&] {
                           return wine::CaptionOf(program.Control(IDC_cmdStart)) ==
                                  "&Start Auto Respond";
                       }) &&
                           program.Settle(),
                       "Stop Auto Respond in the menu stops it");
}

bool LearnsConversation(Checks& checks, Program& program) {
    auto client = wine::StartClient(checks, {{"signon", "quietowl7"},
                                             {"im", "mossyrock"},
                                             {"buddy", "Anybody home?"},
                                             {"me", "Yes, I am."}});
    if (!client) {
        return false;
    }
    wine::Press(program.Control(IDC_cmdLearn));
    if (!Answered(
            checks, program,
            {"Learning Conversations", "Click on the IM box then click OK to learn.", IDOK}) ||
        !Answered(
            checks, program,
            {"Done", "The program has learn the conversations and the data was saved!", IDOK})) {
        return false;
    }
    checks.Equal(program.File("data.dat"), "anybody home=Yes, I am.\r\nare you there=yes, here\r\n",
                 "data.dat holds the learned pair, sorted in");
    checks.Equal(program.Rows(), 2, "the grid shows the learned row");
    return true;
}

// The responder's options through the menu: Keep Conversations, a reply limit of 10 minutes
// asked in the input box, both remembered in brevanto.ini; a buddy's second window within
// the limit closed unanswered and both conversations kept in logs/; Test a Message.
bool LimitsAndKeepsConversations(Checks& checks, Program& program) {
    program.Command(IDM_mnuKeepConversations);
    program.Command(IDM_mnuReplyLimit);
    if (!Answered(checks, program, {"Reply Limit", nullptr, IDOK, "10", "0"})) {
        return false;
    }
    const std::string ini = program.File("brevanto.ini");
    checks.That(ini.find("KeepConversations=1\r\n") != std::string::npos &&
                    ini.find("ReplyLimitMinutes=10\r\n") != std::string::npos,
                "brevanto.ini remembers both options");

    const auto client = AutoRespond(checks, program,
                                    {{"signon", "quietowl7"},
                                     {"im", "Con"},
                                     {"buddy", "Are you there?"},
                                     {"im", "Con"},
                                     {"buddy", "Are you there?"}});
    if (!client) {
        return false;
    }
    checks.That(Sent(*client, 1, "[away] yes, here") && Sent(*client, 0, nullptr),
                "the buddy's second window within the limit gets no reply");
    const std::string kept = program.File("logs/^con.txt");
    checks.That(kept.find("quietowl7: [away] yes, here\r\n\r\n") != std::string::npos &&
                    kept.find("(Brevanto did not answer: Con was answered less than 10 minutes "
                              "ago.)\r\n\r\n") != std::string::npos,
                "both conversations are kept in logs\\^con.txt");
    program.Command(IDM_mnuStop);

    program.Command(IDM_mnuTestMessage);
    if (!Answered(checks, program, {"Test a Message", nullptr, IDOK, "ARE YOU THERE?"})) {
        return false;
    }
    const auto explanation = program.Answer(checks, {"Test a Message", nullptr, IDOK});
    return explanation &&
           checks.That(explanation->find("Entry: row 2, \"are you there=yes, here\"") !=
                               std::string::npos &&
                           explanation->find("Reply: \"[away] yes, here\"") != std::string::npos,
                       "Test a Message names the row and the reply: " + *explanation);
}

// Without a tray (Wine's null driver) hiding would lose the window: it stays minimised on
// the taskbar and is restored from there. The tray itself is checked under Xvfb
// (x11/tray-under-xvfb.sh).
bool MinimisesAndComesBack(Checks& checks, Program& program) {
    HWND main = program.main;
    RECT before{};
    GetWindowRect(main, &before);
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!checks.That(Soon([&] { return IsIconic(main) != FALSE; }), "the window minimises")) {
        return false;
    }
    // The tray timer runs every 500 ms; three of its ticks show whether it would hide.
    const bool hidden = wine::WaitUntil([&] { return !IsWindowVisible(main); }, 1'500);
    checks.That(!hidden && WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT,
                "without a tray the program runs on, minimised on the taskbar");
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT after{};
    return checks.That(Soon([&] { return !IsIconic(main) && IsWindowVisible(main); }) &&
                           program.Settle() && GetWindowRect(main, &after) &&
                           EqualRect(&before, &after),
                       "the window comes back where and as large as it was");
}

bool Exits(Checks& checks, Program& program) {
    program.Command(IDM_mnuExit);
    DWORD code = 1;
    return checks.That(WaitForSingleObject(program.process, wine::kWaitMs) == WAIT_OBJECT_0,
                       "Exit ends the program") &&
           GetExitCodeProcess(program.process, &code) &&
           checks.Equal(static_cast<std::int64_t>(code), 0, "the exit code is 0") &&
           // Typed into the box without leaving it: remembered on the way out.
           checks.That(
               program.File("brevanto.ini").find("LeadingMessage=[away]") != std::string::npos,
               "the leading message is remembered at exit");
}

// On the three rows: loading leaves the last row current, which the Delete key removes
// without asking; Delete Message in the menu the next; Save keeps the rest.
bool DeletesAndSaves(Checks& checks, Program& program) {
    checks.Equal(program.Rows(), 3, "the grid shows data.dat");
    PostMessageA(program.Control(IDC_flexGrid), WM_KEYDOWN, VK_DELETE, 0);
    if (!checks.That(Soon([&] { return program.Rows() == 2; }),
                     "the Delete key removes the current row")) {
        return false;
    }
    program.Command(IDM_mnuDelete);
    if (!checks.That(Soon([&] { return program.Rows() == 1; }),
                     "Delete Message removes the current row")) {
        return false;
    }
    program.Command(IDM_mnuSave);
    return Answered(checks, program, kSaved) &&
           checks.Equal(program.File("data.dat"), "a=1\r\n", "the save stores the rest");
}

// Types a name of the program's folder into the file dialog the last command opened and
// presses its OK button.
bool ChooseFile(Checks& checks, const Program& program, const char* name) {
    // The file name field: cmb13 in an Explorer-style dialog, edt1 in the old one.
    HWND dialog = nullptr;
    Soon([&] { return (dialog = program.OwnedBox()) != nullptr; });
    HWND field = GetDlgItem(dialog, 0x47C);
    field = field != nullptr ? field : GetDlgItem(dialog, 0x480);
    return checks.That(dialog != nullptr && field != nullptr &&
                           wine::SetTextOf(field, (program.folder / name).string()) &&
                           wine::Press(GetDlgItem(dialog, IDOK)) &&
                           Soon([&] { return !IsWindow(dialog); }),
                       std::string("the file dialog opens and takes the name ") + name);
}

bool ImportsAndExports(Checks& checks, Program& program) {
    std::ofstream(program.folder / "in.csv", std::ios::binary)
        << "Message,Response\r\nA,x\r\n\"b, c\",\"2\r\nlines\"\r\n";
    program.Command(IDM_mnuImport);
    if (!ChooseFile(checks, program, "in.csv")) {
        return false;
    }
    if (!Answered(checks, program, {"Import", nullptr, IDOK})) {
        return false;
    }
    checks.Equal(program.Rows(), 2, "the grid shows the imported row");

    program.Command(IDM_mnuExport);
    return ChooseFile(checks, program, "out.csv") &&
           Answered(checks, program, {"Export", nullptr, IDOK}) &&
           checks.Equal(program.File("out.csv"),
                        "\xEF\xBB\xBFMessage,Response\r\na,1\r\n\"b, c\",2 lines\r\n",
                        "the export is CSV with a byte order mark");
}

using Stage = bool (*)(Checks&, Program&);

// A run of the program started beside `data` as data.dat (none when null): its stages in
// order, up to the first that fails.
wine::Test Run(std::string_view name, const char* data, std::vector<Stage> stages) {
    const auto run = [data, stages](Checks& checks) {
        if (auto program = Program::Start(checks, data);
            program &&
            !std::ranges::all_of(stages, [&](Stage stage) { return stage(checks, *program); })) {
            program->Stopped(checks);
        }
    };
    return {name, run};
}

}  // namespace

int main(int argc, char** argv) {
    return wine::RunTests(
        argc, argv,
        {Run("WholeProgram", nullptr,
             {StartsWithEmptyTable, EditsAndSaves, RespondsToBuddies, LearnsConversation,
              LimitsAndKeepsConversations, MinimisesAndComesBack, Exits}),
         Run("TableCommands", "a=1\r\nb=2\r\nc=3\r\n", {DeletesAndSaves, ImportsAndExports})});
}
