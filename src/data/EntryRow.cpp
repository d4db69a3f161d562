#include "data/EntryRow.h"

#include <cstring>
#include <system_error>

#include "data/SafeFile.h"
#include "data/codepage/CodePage.h"
#include "data/modFileIO.h"

namespace brevanto::data {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

std::string LookupKey(std::string_view message) {
    return std::string(modFileIO::Trim(codepage::ToLower(message)));
}

// Keys in a large table often share their beginnings and differ at the end: the last byte
// rules most lines out at once. Lower-casing gives a byte either itself or its small letter.
bool EntryScanner::LastByteFits(char byte) const {
    const char last = key_.back();
    return byte == last ||
           static_cast<char>(codepage::Lower(static_cast<unsigned char>(byte))) == last;
}

void EntryScanner::Line(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    if (equals == key_.size() && (equals == 0 || LastByteFits(line[equals - 1])) &&
        codepage::StartsLowered(line, key_)) {
        match_ = EntryMatch{row_, std::string(line),
                            std::string(modFileIO::Trim(line.substr(equals + 1)))};
    }
    ++row_;
}

// memchr finds line ends many times faster than a byte loop; the line feed bounds the search
// for a lone carriage return, so each byte is looked at once.
bool EntryScanner::Feed(std::string_view bytes) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t start = 0;
    while (start < size && !match_) {
        const auto* feed = static_cast<const char*>(std::memchr(data + start, '\n', size - start));
        const std::size_t feedAt = feed ? static_cast<std::size_t>(feed - data) : size;
        const auto* ret = static_cast<const char*>(std::memchr(data + start, '\r', feedAt - start));
        if (!feed && !ret) {
            partial_.append(bytes.substr(start));  // the line goes on in the next piece
            break;
        }
        // A carriage return, a line feed, or the two together end a line.
        const std::size_t end = ret ? static_cast<std::size_t>(ret - data) : feedAt;
        if (partial_.empty()) {
            Line(bytes.substr(start, end - start));
        } else {
            partial_.append(bytes.substr(start, end - start));
            Line(partial_);
            partial_.clear();
        }
        start = end + 1;
        // A carriage return and the line feed after it end one line. When the line feed
        // opens the next piece it reads there as an empty line: no entry, no row.
        if (ret && start == feedAt) {
            ++start;
        }
    }
    return !match_;
}

void EntryScanner::Finish() {
    if (!match_ && !partial_.empty()) {
        Line(partial_);
    }
    partial_.clear();
}

std::optional<EntryMatch> FindEntryRow(std::string_view bytes, std::string_view key) {
    EntryScanner scanner(key);
    scanner.Feed(bytes);
    scanner.Finish();
    return scanner.Match();
}

FileResult<std::optional<EntryMatch>> FindEntryRowInFile(FileOps& ops,
                                                         const std::filesystem::path& path,
                                                         std::string_view key) {
    FileResult<std::optional<EntryMatch>> result;
    SysResult opened = ops.OpenForReading(path);
    while (opened.error == std::errc::interrupted) {
        opened = ops.OpenForReading(path);
    }
    if (!opened.ok()) {
        result.error = FileError{DisplayPath(path), opened.error.message()};
        return result;
    }
    const int handle = static_cast<int>(opened.value);
    EntryScanner scanner(key);
    std::string chunk(kReadChunk, '\0');
    for (;;) {
        const SysResult got = ops.Read(handle, chunk.data(), chunk.size());
        if (got.error == std::errc::interrupted) {
            continue;
        }
        if (!got.ok()) {
            ops.Close(handle);
            result.error = FileError{DisplayPath(path), got.error.message()};
            return result;
        }
        if (got.value == 0 ||
            !scanner.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(got.value)))) {
            break;
        }
    }
    // Only read: a failing close loses nothing.
    ops.Close(handle);
    scanner.Finish();
    result.value = scanner.Match();
    return result;
}

}  // namespace brevanto::data
