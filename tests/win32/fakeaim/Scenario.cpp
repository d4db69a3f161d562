#include "fakeaim/Scenario.h"

#include <charconv>

#include "common/Escape.h"

namespace brevanto::wine {
namespace {

ScenarioResult Fail(int lineNumber, std::string_view why) {
    std::string error = "line " + std::to_string(lineNumber);
    error.append(": ").append(why);
    return {std::nullopt, error};
}

template <typename Int>
bool ToInt(std::string_view text, Int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

ScenarioResult ParseScenario(std::string_view text) {
    Scenario scenario;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string_view command = line.substr(0, space);
        const auto argument =
            Unescape(space == std::string_view::npos ? std::string_view{} : line.substr(space + 1));
        if (!argument) {
            return Fail(lineNumber, "malformed escape");
        }
        if (command == "signon") {
            scenario.me = *argument;
            continue;
        }
        if (command == "clock") {
            if (!ToInt(*argument, scenario.clock)) {
                return Fail(lineNumber, "clock needs a number of seconds");
            }
            continue;
        }
        if (command == "im") {
            ImScenario im;
            im.buddy = *argument;
            im.caption = *argument + " - Instant Message";
            scenario.ims.push_back(im);
            continue;
        }
        if (scenario.ims.empty()) {
            return Fail(lineNumber, std::string(command).append(" before any im"));
        }
        ImScenario& im = scenario.ims.back();
        if (command == "responded") {
            im.caption = "Responded to " + im.caption;
        } else if (command == "caption") {
            im.caption = *argument;
        } else if (command == "buddy") {
            im.lines.push_back({false, *argument});
        } else if (command == "me") {
            if (scenario.me.empty()) {
                return Fail(lineNumber, "'me' while signed off");
            }
            im.lines.push_back({true, *argument});
        } else if (command == "type") {
            im.typed = *argument;
        } else if (command == "stall") {
            im.stalled = true;
        } else if (command == "shortcopy") {
            std::size_t limit = 0;
            if (!ToInt(*argument, limit)) {
                return Fail(lineNumber, "shortcopy needs a count");
            }
            im.copyLimit = limit;
        } else {
            return Fail(lineNumber, std::string("unknown command ").append(command));
        }
    }
    return {scenario, {}};
}

}  // namespace brevanto::wine
