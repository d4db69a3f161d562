#include "data/SettingsFile.h"

#include <vector>

#include "data/modFileIO.h"

namespace brevanto::data {

namespace {

constexpr std::string_view kSection = "[Brevanto]";
constexpr std::array<std::string_view, 3> kIgnoreKeys = {"Ignore0", "Ignore1", "Ignore2"};

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::optional<bool> ParseFlag(std::string_view value) {
    if (value == "0" || value == "1") {
        return value == "1";
    }
    return std::nullopt;
}

}  // namespace

std::filesystem::path SettingsFile(const std::filesystem::path& dataFile) {
    return dataFile.parent_path() / "brevanto.ini";
}

std::string FormatSettings(const Settings& settings) {
    std::vector<std::string> lines{std::string(kSection),
                                   "LeadingMessage=" + OneLine(settings.leadingMessage),
                                   "DefaultMessage=" + OneLine(settings.defaultMessage)};
    for (std::size_t i = 0; i < kIgnoreKeys.size(); ++i) {
        lines.push_back(std::string(kIgnoreKeys[i]) + (settings.ignoreChecked[i] ? "=1" : "=0"));
    }
    lines.push_back(std::string("KeepConversations=") + (settings.keepConversations ? "1" : "0"));
    lines.push_back("ReplyLimitMinutes=" + std::to_string(settings.replyLimitMinutes));
    return modFileIO::JoinLines(lines);
}

std::optional<int> ParseMinutes(std::string_view text) {
    const std::string_view digits = modFileIO::Trim(text);
    if (digits.empty() || digits.size() > 5) {
        return std::nullopt;
    }
    int minutes = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        minutes = minutes * 10 + (c - '0');
    }
    return minutes;
}

std::optional<Settings> ParseSettings(std::string_view bytes) {
    Settings settings;
    for (const std::string& line : modFileIO::SplitLines(bytes)) {
        if (line.empty() || line.front() == ';' || (line.front() == '[' && line.back() == ']')) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return std::nullopt;
        }
        const std::string_view key = std::string_view(line).substr(0, equals);
        const std::string_view value = std::string_view(line).substr(equals + 1);
        std::optional<bool> flag = ParseFlag(value);
        if (key == "LeadingMessage") {
            settings.leadingMessage = value;
        } else if (key == "DefaultMessage") {
            settings.defaultMessage = value;
        } else if (key == "KeepConversations") {
            if (!flag) {
                return std::nullopt;
            }
            settings.keepConversations = *flag;
        } else if (key == "ReplyLimitMinutes") {
            const std::optional<int> minutes = ParseMinutes(value);
            if (!minutes) {
                return std::nullopt;
            }
            settings.replyLimitMinutes = *minutes;
        } else {
            for (std::size_t i = 0; i < kIgnoreKeys.size(); ++i) {
                if (key == kIgnoreKeys[i]) {
                    if (!flag) {
                        return std::nullopt;
                    }
                    settings.ignoreChecked[i] = *flag;
                }
            }
        }
    }
    return settings;
}

}  // namespace brevanto::data
