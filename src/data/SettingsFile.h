#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The options Brevanto remembers between runs, kept in "brevanto.ini" beside the data file:
// a [Brevanto] section of Key=Value lines in the ANSI code page. Values are taken as they
// stand after the first "=", spaces included.
namespace brevanto::data {

// The longest reply limit that can be set: about ten weeks.
inline constexpr int kMaxReplyLimitMinutes = 99999;

// Every value starts as the window loads it when nothing is remembered.
struct Settings {
    std::string leadingMessage;
    std::string defaultMessage = ":-)";
    std::array<bool, 3> ignoreChecked{true, true, true};  // "?", ".", "!"
    bool keepConversations = false;
    int replyLimitMinutes = 0;  // 0: no limit

    bool operator==(const Settings&) const = default;
};

std::filesystem::path SettingsFile(const std::filesystem::path& dataFile);

// The file's bytes. A line break in a text would end its line, so it is written as a space.
std::string FormatSettings(const Settings& settings);

// The settings the bytes hold; keys left out keep their start values and unknown keys are
// passed over, so older and newer files read. None when the file is damaged: a line that is
// neither empty, a comment (";"), a [section] nor Key=Value, or a value out of its range.
std::optional<Settings> ParseSettings(std::string_view bytes);

// A reply limit as typed: a whole number of minutes from 0 to kMaxReplyLimitMinutes,
// spaces around it allowed; none otherwise.
std::optional<int> ParseMinutes(std::string_view text);

}  // namespace brevanto::data
