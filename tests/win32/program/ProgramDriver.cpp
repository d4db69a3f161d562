// The whole program under Wine: the real brevanto.exe in a fresh folder beside the fake
// AIM client, used through window messages only, as a person would use it. Each stage
// needs the one before it, so the run stops at the first stage that leaves the program in
// a state it did not expect. programdriver.exe ends with "N passed, M failed"; the exit
// code is 1 on any failure.
#include <vector>

#include "program/RemoteWindows.h"
#include "ui/win32/ControlIds.h"

namespace {

using namespace brevanto::win32ui;
using brevanto::wine::Checks;
using brevanto::wine::Scenario;
namespace wine = brevanto::wine;
using Program = wine::Program;

constexpr wine::BoxAnswer kNoticeYes = {
    "Notice",
    "This will close all current IM windows, and you will also not be able to view any IM "
    "windows when the program is running. But don't worry, the messages will be saved and "
    "you can view them on the box on the right side. Do you want to continue?",
    IDYES};
constexpr const char* kInputPrompt =
    "Enter new value for the row \r\nClick OK to save. Click CANCEL to clear.";

bool Answered(Checks& checks, const Program& program, const wine::BoxAnswer& answer) {
    return program.Answer(checks, answer).has_value();
}

// Starts auto respond against a client holding `scenario`, waits until every IM window is
// answered and closed, and returns the client's report; none after a failed check.
std::optional<wine::Report> AutoRespond(Checks& checks, Program& program,
                                        const Scenario& scenario) {
    auto client = wine::StartClient(checks, scenario);
    if (!client) {
        return std::nullopt;
    }
    wine::Press(program.Control(IDC_cmdStart));
    if (!Answered(checks, program, kNoticeYes) ||
        !checks.That(
            wine::WaitUntil([] { return !FindWindowA("AIM_IMessage", nullptr); }, wine::kWaitMs) &&
                program.Settle(),
            "every IM window is answered and closed")) {
        return std::nullopt;
    }
    auto report = client->Quit();
    checks.That(report.has_value(), "the fake client reports at the end");
    return report;
}

bool Sent(const wine::Report& report, int index, const char* text) {
    const auto sent = report.All("sent", index);
    return text == nullptr ? sent.empty() : sent == std::vector<std::string>{text};
}

bool StartsWithEmptyTable(Checks& checks, Program& program) {
    checks.Equal(program.File("data.dat"), "", "a missing data.dat is created empty");
    checks.Equal(program.Rows(), 0, "the grid starts with no rows");
    // A click with no rows opens nothing. The Add press is posted after it, so once the row
    // is there the click has been handled: any box it opened would be open now.
    program.Click({20, 10});
    wine::Press(program.Control(IDC_cmdAdd));
    return checks.That(wine::WaitUntil([&] { return program.Rows() == 1; }, wine::kWaitMs),
                       "Add Messages adds a row") &&
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
    if (!Answered(checks, program, {"Done", "The message was saved!", IDOK})) {
        return false;
    }
    checks.Equal(program.File("data.dat"), "are you there=yes, here\r\n",
                 "data.dat holds the row, its message lower-cased and without ignored marks");
    checks.Equal(program.CellText(0, 0), "are you there", "the grid shows the table as saved");
    return true;
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
        if (SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, wine::kWaitMs,
                                &length) &&
            length < std::size(text)) {
            SendMessageTimeoutW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text),
                                SMTO_ABORTIFHUNG, wine::kWaitMs, &length);
        }
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        entries.append(ansi).append("\n");
    }
    return entries;
}

bool RespondsToBuddies(Checks& checks, Program& program) {
    wine::SetTextOf(program.Control(IDC_txtLeadingMessage), "[away]");
    const Scenario scenario = {{"signon", "quietowl7"},
                               {"im", "pixelfox22"},
                               {"buddy", "Are you there?"},
                               {"im", "sunnyday"},
                               {"buddy", "what's new"}};
    const auto report = AutoRespond(checks, program, scenario);
    if (!report) {
        return false;
    }
    checks.That(Sent(*report, 0, "[away] yes, here"), "the message in the table gets its response");
    checks.That(Sent(*report, 1, "[away] :-)"),
                "a message without an entry gets the default message");
    checks.Equal(wine::CaptionOf(program.Control(IDC_cmdStart)), "Sto&p Auto Respond",
                 "the start button now stops");
    checks.That(!IsWindowEnabled(program.Control(IDC_cmdLearn)),
                "learning is off while auto respond runs");
    checks.Equal(wine::TextOf(program.Control(IDC_rtbMessages)),
                 "pixelfox22: Are you there?\r\nquietowl7: [away] yes, here\r\n",
                 "the log box shows the conversation handled last, with the reply");
    HWND buddies = program.Control(IDC_cboTextMessage);
    checks.Equal(BuddyListEntries(buddies), "sunnyday\npixelfox22\n",
                 "the buddy list holds the buddies in the order they were answered");
    checks.Equal(wine::TextOf(buddies), "pixelfox22", "the buddy list shows the last buddy");
    // Choosing the other buddy from the list shows that conversation.
    wine::SendBounded(buddies, CB_SETCURSEL, 0, 0);
    PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(IDC_cboTextMessage, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(buddies));
    checks.That(wine::WaitUntil(
                    [&] {
                        return wine::TextOf(program.Control(IDC_rtbMessages)) ==
                               "sunnyday: what's new\r\nquietowl7: [away] :-)\r\n";
                    },
                    wine::kWaitMs),
                "choosing a buddy in the list shows that conversation");

    program.Command(IDM_mnuStop);
    return checks.That(wine::WaitUntil(
                           [&] {
                               return wine::CaptionOf(program.Control(IDC_cmdStart)) ==
                                      "&Start Auto Respond";
                           },
                           wine::kWaitMs) &&
                           program.Settle(),
                       "Stop Auto Respond in the menu stops it") &&
           checks.That(IsWindowEnabled(program.Control(IDC_cmdLearn)), "learning is on again");
}

bool LearnsConversation(Checks& checks, Program& program) {
    const Scenario scenario = {{"signon", "quietowl7"},
                               {"im", "mossyrock"},
                               {"buddy", "Anybody home?"},
                               {"me", "Yes, I am."}};
    auto client = wine::StartClient(checks, scenario);
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

    const Scenario scenario = {{"signon", "quietowl7"},
                               {"im", "Con"},
                               {"buddy", "Are you there?"},
                               {"im", "Con"},
                               {"buddy", "Are you there?"}};
    const auto report = AutoRespond(checks, program, scenario);
    if (!report) {
        return false;
    }
    checks.That(Sent(*report, 1, "[away] yes, here") && Sent(*report, 0, nullptr),
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
    if (!checks.That(wine::WaitUntil([&] { return IsIconic(main) != FALSE; }, wine::kWaitMs),
                     "the window minimises")) {
        return false;
    }
    // The tray timer runs every 500 ms; three of its ticks show whether it would hide.
    const bool hidden = wine::WaitUntil([&] { return !IsWindowVisible(main); }, 1'500);
    checks.That(!hidden && WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT,
                "without a tray the program runs on, minimised on the taskbar");
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    RECT after{};
    return checks.That(
        wine::WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }, wine::kWaitMs) &&
            program.Settle() && GetWindowRect(main, &after) && EqualRect(&before, &after),
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

}  // namespace

int main() {
    using Stage = bool (*)(Checks&, Program&);
    const Stage stages[] = {StartsWithEmptyTable,
                            EditsAndSaves,
                            RespondsToBuddies,
                            LearnsConversation,
                            LimitsAndKeepsConversations,
                            MinimisesAndComesBack,
                            Exits};
    Checks checks;
    checks.Section("WholeProgram");
    if (auto program = Program::Start(checks, nullptr)) {
        for (Stage stage : stages) {
            if (!stage(checks, *program)) {
                program->Stopped(checks);
                break;
            }
        }
    }
    return checks.Finish();
}
