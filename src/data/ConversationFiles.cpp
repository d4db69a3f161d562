#include "data/ConversationFiles.h"

#include <array>
#include <ctime>
#include <system_error>

#include "data/SafeFile.h"

namespace brevanto::data {

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

// Windows refuses these as file names, whatever follows the first dot.
constexpr std::array<std::string_view, 24> kReservedNames = {
    "con",  "prn",  "aux",  "nul",  "com0", "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt0", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};

void Escape(std::string& out, unsigned char byte) {
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

}  // namespace

std::string SafeFileName(std::string_view screenName) {
    if (screenName.empty()) {
        return "_.txt";
    }
    std::string name;
    for (std::size_t i = 0; i < screenName.size(); ++i) {
        const auto byte = static_cast<unsigned char>(screenName[i]);
        const bool inner = i > 0 && i + 1 < screenName.size();
        if ((byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '-' ||
            (byte == ' ' && inner)) {
            name += static_cast<char>(byte);
        } else if (byte >= 'A' && byte <= 'Z') {
            name += '^';
            name += static_cast<char>(byte - 'A' + 'a');
        } else {
            Escape(name, byte);
        }
    }
    for (std::string_view reserved : kReservedNames) {
        if (name == reserved) {
            std::string escaped;
            Escape(escaped, static_cast<unsigned char>(name[0]));
            name = escaped + name.substr(1);
            break;
        }
    }
    return name + ".txt";
}

std::filesystem::path ConversationFile(const std::filesystem::path& dataFile,
                                       std::string_view screenName) {
    return dataFile.parent_path() / "logs" / SafeFileName(screenName);
}

std::string Timestamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    char text[32] = "";
    // The one thread of the program is the only user of localtime's buffer.
    if (const std::tm* local = std::localtime(&seconds)) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    }
    return text;
}

std::string ConversationEntry(std::string_view timestamp, std::string_view transcript) {
    std::string entry(timestamp);
    entry += "\r\n";
    // The transcript's own last line break would leave two empty lines between entries.
    while (!transcript.empty() && transcript.back() == '\n') {
        transcript.remove_suffix(1);
    }
    for (const char c : transcript) {
        if (c == '\n') {
            entry += '\r';
        }
        entry += c;
    }
    entry += "\r\n\r\n";
    return entry;
}

FileStatus AppendToFile(FileOps& ops, const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        return FileError{DisplayPath(path.parent_path()), error.message()};
    }
    const SysResult opened = ops.OpenOrCreate(path);
    if (!opened.ok()) {
        return FileError{DisplayPath(path), opened.error.message()};
    }
    const int handle = static_cast<int>(opened.value);
    std::error_code failure;
    while (!bytes.empty() && !failure) {
        const SysResult written = ops.Write(handle, bytes.data(), bytes.size());
        if (written.error == std::errc::interrupted) {
            continue;
        }
        if (!written.ok()) {
            failure = written.error;
        } else if (written.value <= 0) {
            // No progress and no error: give up instead of spinning for ever.
            failure = std::make_error_code(std::errc::io_error);
        } else {
            bytes.remove_prefix(static_cast<std::size_t>(written.value));
        }
    }
    const SysResult closed = ops.Close(handle);
    if (!failure && !closed.ok()) {
        failure = closed.error;
    }
    if (failure) {
        return FileError{DisplayPath(path), failure.message()};
    }
    return std::nullopt;
}

}  // namespace brevanto::data
