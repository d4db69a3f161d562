#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the fake AIM client shows, read from a scenario file, one command a line:
//   signon <me>          the user is signed on: the buddy list window exists
//   clock <seconds>      the clock for the time stamps, seconds of the day
//   im <buddy>           a new IM window "<buddy> - Instant Message", in front of the others
//   responded            the current IM window's caption gets "Responded to " in front
//   caption <text>       the current IM window's caption is <text> exactly
//   buddy <text>         the buddy's line in the current IM window
//   me <text>            the user's line in the current IM window (needs signon first)
//   type <text>          text already typed into the current IM window's input pane
//   stall                the current IM window's thread stops answering messages
//   shortcopy <count>    the current transcript pane copies at most <count> characters,
//                        while it still announces its whole length
// Arguments may hold \xHH escapes; blank lines and lines starting with # are skipped.
namespace brevanto::wine {

struct ScenarioLine {
    bool fromUser = false;
    std::string text;
};

struct ImScenario {
    std::string buddy;
    std::string caption;
    std::vector<ScenarioLine> lines;
    std::string typed;
    bool stalled = false;
    std::optional<std::size_t> copyLimit;
};

struct Scenario {
    std::string me;  // empty: signed off
    long long clock = 21 * 3600 + 14 * 60 + 2;
    std::vector<ImScenario> ims;
};

struct ScenarioResult {
    std::optional<Scenario> scenario;
    std::string error;  // with the line number, when scenario is empty
};

ScenarioResult ParseScenario(std::string_view text);

}  // namespace brevanto::wine
