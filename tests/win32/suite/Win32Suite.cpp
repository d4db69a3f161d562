// The Wine suite: win32suite.exe [name part]. Runs every test (or those whose name holds
// the given part) and ends with "N passed, M failed"; the exit code is 1 on any failure.
#include <cstdio>
#include <string_view>

#include "suite/Checks.h"
#include "suite/Tests.h"

namespace {

using brevanto::wine::Checks;

struct NamedTest {
    std::string_view name;
    void (*run)(Checks&);
};

constexpr NamedTest kTests[] = {
    {"CaptionsNamesAndZOrder", brevanto::wine::CaptionsNamesAndZOrder},
    {"TranscriptPane", brevanto::wine::TranscriptPane},
    {"AnsiBytes", brevanto::wine::AnsiBytes},
    {"ShortCopySignedOff", brevanto::wine::ShortCopySignedOff},
    {"SendReplies", brevanto::wine::SendReplies},
    {"CloseRequest", brevanto::wine::CloseRequest},
    {"StalledWindow", brevanto::wine::StalledWindow},
};

}  // namespace

int main(int argc, char** argv) {
    const std::string_view filter = argc > 1 ? argv[1] : "";
    Checks checks;
    int run = 0;
    for (const NamedTest& test : kTests) {
        if (test.name.find(filter) == std::string_view::npos) {
            continue;
        }
        checks.Section(test.name);
        test.run(checks);
        ++run;
    }
    if (run == 0) {
        checks.Fail("no test matches the name part given");
    }
    checks.PrintSummary();
    return checks.Failed() == 0 ? 0 : 1;
}
