#include "data/modFileIO.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "data/SafeFile.h"
#include "data/codepage/CodePage.h"

namespace brevanto::modFileIO {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Calls visit with every line of the file's bytes, as views into them, until visit returns
// false. A carriage return, a line feed, or the two together end a line: files written by
// hand on any system read line by line. Each of the two bytes is looked for with memchr and
// its next place kept until a line passes it, so a long line is read once at memchr's pace
// (find_first_of tests byte by byte against the set).
template <class Visit>
void ForEachLine(std::string_view bytes, Visit visit) {
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    if (size == 0) {
        return;
    }
    // The first place of byte at or after from, or size.
    auto next = [&](char byte, std::size_t from) {
        const void* hit = std::memchr(data + from, byte, size - from);
        return hit == nullptr ? size
                              : static_cast<std::size_t>(static_cast<const char*>(hit) - data);
    };
    std::size_t nextCr = next('\r', 0);
    std::size_t nextLf = next('\n', 0);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == size) {
            visit(bytes.substr(start));
            return;
        }
        if (!visit(bytes.substr(start, end - start))) {
            return;
        }
        start = end + 1;
        if (bytes[end] == '\r' && start < size && bytes[start] == '\n') {
            ++start;
        }
        if (start >= size) {
            return;
        }
        if (nextCr < start) {
            nextCr = next('\r', start);
        }
        if (nextLf < start) {
            nextLf = next('\n', start);
        }
    }
}

template <class Lines>
std::string Join(const Lines& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + kLineEnd.size();
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes.append(line);
        bytes.append(kLineEnd);
    }
    return bytes;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    return Join(lines);
}

std::string StoredMessage(std::string_view message) {
    std::string lowered = codepage::ToLower(message);
    std::string stored(Trim(lowered));
    // An empty message would make a line that begins with "=": stored as one space, so the
    // line stays an entry with a message.
    return stored.empty() ? std::string(" ") : stored;
}

std::string EntryLine(std::string_view message, std::string_view response) {
    std::string line = StoredMessage(message);
    line += '=';
    line.append(Trim(response));
    return line;
}

void StoreEntry(std::vector<std::string>& lines, std::string_view message,
                std::string_view response) {
    std::string line = StoredMessage(message);
    line += '=';
    const std::size_t key_size = line.size();
    line.append(Trim(response));
    const std::string_view key(line.data(), key_size);
    for (std::string& existing : lines) {
        if (codepage::StartsLowered(existing, key)) {
            existing = std::move(line);
            return;
        }
    }
    lines.push_back(std::move(line));
}

void SortLines(std::vector<std::string>& lines) {
    // std::string compares through char_traits<char>, which orders bytes as unsigned char.
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
}

std::string FindEntry(std::string_view bytes, std::string_view message) {
    const std::string lowered = codepage::ToLower(message);
    const std::string_view key = Trim(lowered);
    std::string found;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals != key.size() || !codepage::StartsLowered(line, key)) {
            return true;
        }
        found = Trim(line.substr(equals + 1));
        return false;
    });
    return found;
}

void FillTable(std::string_view bytes, MessageTable& grid) {
    std::vector<std::pair<std::string, std::string>> entries;
    ForEachLine(bytes, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            entries.emplace_back(codepage::ToLower(line.substr(0, equals)),
                                 Trim(line.substr(equals + 1)));
        }
        return true;
    });
    // The state the grid reaches when fed entry by entry through its current cell: the
    // entries in file order, the current cell on column 1 of the last row, and with no
    // entries no rows and the current column where it was.
    const int count = static_cast<int>(entries.size());
    grid.SetRows(0);
    grid.SetRows(count);
    for (int row = 0; row < count; ++row) {
        auto& [message, response] = entries[static_cast<std::size_t>(row)];
        grid.SetCell(row, 0, std::move(message));
        grid.SetCell(row, 1, std::move(response));
    }
    if (count > 0) {
        grid.SetRow(count - 1);
        grid.SetCol(1);
    }
}

std::string SortedContent(std::string_view bytes) {
    std::vector<std::string_view> lines;
    ForEachLine(bytes, [&](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    // string_view compares through char_traits<char> too: unsigned bytes.
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return Join(lines);
}

FileStatus CreateIfMissing(const std::filesystem::path& path) {
    return CreateIfMissing(path, data::SystemFileOps());
}

FileStatus CreateIfMissing(const std::filesystem::path& path, FileOps& ops) {
    return data::CreateIfMissing(ops, path);
}

FileResult<std::vector<std::string>> ReadLines(const std::filesystem::path& path) {
    return ReadLines(path, data::SystemFileOps());
}

FileResult<std::vector<std::string>> ReadLines(const std::filesystem::path& path, FileOps& ops) {
    FileResult<std::string> bytes = data::ReadWholeFile(ops, path);
    if (!bytes.ok()) {
        return {{}, bytes.error};
    }
    return {SplitLines(bytes.value), std::nullopt};
}

FileStatus SaveEntry(std::string_view message, std::string_view response,
                     const std::filesystem::path& path) {
    return SaveEntry(message, response, path, data::SystemFileOps());
}

FileStatus SaveEntry(std::string_view message, std::string_view response,
                     const std::filesystem::path& path, FileOps& ops) {
    FileResult<std::vector<std::string>> lines = ReadLines(path, ops);
    if (!lines.ok()) {
        // Writing without the old lines would lose them.
        return lines.error;
    }
    StoreEntry(lines.value, message, response);
    return WriteLines(path, lines.value, ops);
}

FileResult<std::string> GetEntry(std::string_view message, const std::filesystem::path& path) {
    return GetEntry(message, path, data::SystemFileOps());
}

FileResult<std::string> GetEntry(std::string_view message, const std::filesystem::path& path,
                                 FileOps& ops) {
    FileResult<std::string> bytes = data::ReadWholeFile(ops, path);
    if (!bytes.ok()) {
        return {{}, bytes.error};
    }
    return {FindEntry(bytes.value, message), std::nullopt};
}

FileStatus SortFile(const std::filesystem::path& path) {
    return SortFile(path, data::SystemFileOps());
}

FileStatus SortFile(const std::filesystem::path& path, FileOps& ops) {
    FileResult<std::string> bytes = data::ReadWholeFile(ops, path);
    if (!bytes.ok()) {
        return bytes.error;
    }
    return data::ReplaceFile(ops, path, SortedContent(bytes.value));
}

FileStatus LoadGrid(const std::filesystem::path& path, MessageTable& grid) {
    return LoadGrid(path, grid, data::SystemFileOps());
}

FileStatus LoadGrid(const std::filesystem::path& path, MessageTable& grid, FileOps& ops) {
    FileResult<std::string> bytes = data::ReadWholeFile(ops, path);
    if (!bytes.ok()) {
        return bytes.error;
    }
    FillTable(bytes.value, grid);
    return std::nullopt;
}

FileStatus WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return WriteLines(path, lines, data::SystemFileOps());
}

FileStatus WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                      FileOps& ops) {
    return data::ReplaceFile(ops, path, JoinLines(lines));
}

}  // namespace brevanto::modFileIO
