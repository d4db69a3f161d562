// The Wine suite: win32suite.exe [name part]. Runs every test (or those whose name holds
// the given part) and ends with "N passed, M failed"; the exit code is 1 on any failure.
// A test bound to a code page runs only when it is the active one (scripts/test-wine picks
// it through LC_ALL); a name part that matches nothing under the active code page fails.
#include <cstdio>
#include <string>
#include <string_view>

#include "suite/Checks.h"
#include "suite/Tests.h"

// Last: its macros would shadow the window-system names that the headers above declare.
#include <windows.h>

namespace {

using brevanto::wine::Checks;

struct NamedTest {
    std::string_view name;
    void (*run)(Checks&);
    unsigned codePage = 0;  // 0: any
};

constexpr NamedTest kTests[] = {
    {"CaptionsPanesAndZOrder", brevanto::wine::CaptionsPanesAndZOrder},
    {"AnsiBytes", brevanto::wine::AnsiBytes},
    {"ShortCopySignedOff", brevanto::wine::ShortCopySignedOff},
    {"SendReplies", brevanto::wine::SendReplies},
    {"CloseRequest", brevanto::wine::CloseRequest},
    {"StalledWindow", brevanto::wine::StalledWindow},
    {"CodePage1252", brevanto::wine::CodePage1252, 1252},
    {"CodePage1251", brevanto::wine::CodePage1251, 1251},
    {"CodePage932", brevanto::wine::CodePage932, 932},
};

}  // namespace

int main(int argc, char** argv) {
    const std::string_view filter = argc > 1 ? argv[1] : "";
    Checks checks;
    int run = 0;
    for (const NamedTest& test : kTests) {
        if (test.name.find(filter) == std::string_view::npos ||
            (test.codePage != 0 && test.codePage != GetACP())) {
            continue;
        }
        checks.Section(test.name);
        test.run(checks);
        ++run;
    }
    if (run == 0) {
        checks.Fail("no test matches the name part given under code page " +
                    std::to_string(GetACP()));
    }
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}
