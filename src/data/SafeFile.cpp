#include "data/SafeFile.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "data/codepage/CodePage.h"

namespace brevanto::data {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kTempNameAttempts = 16;

FileError ErrorFor(const std::filesystem::path& path, const std::error_code& error) {
    return {DisplayPath(path), error.message()};
}

bool Interrupted(const SysResult& result) {
    return result.error == std::errc::interrupted;
}

// Retries a call that the system cut short by a signal before doing anything.
template <class Call>
SysResult Retrying(Call call) {
    SysResult result = call();
    while (Interrupted(result)) {
        result = call();
    }
    return result;
}

// Writes everything, going on after short writes.
SysResult WriteAll(FileOps& ops, int handle, std::string_view bytes) {
    while (!bytes.empty()) {
        SysResult written = Retrying([&] { return ops.Write(handle, bytes.data(), bytes.size()); });
        if (!written.ok()) {
            return written;
        }
        if (written.value <= 0) {
            // No progress and no error: give up instead of spinning for ever.
            return {-1, std::make_error_code(std::errc::io_error)};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written.value));
    }
    return {0, {}};
}

// A name nobody else picks in the same folder: the target's name, a number unique in this
// process mixed with the clock (other processes), and a suffix that marks it temporary.
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempNumberDigits = 16;

std::filesystem::path TempNameFor(const std::filesystem::path& target) {
    static std::atomic<std::uint64_t> counter{0};
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t mixed = (ticks * 0x9E3779B97F4A7C15ull) ^ (++counter << 1);
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx%s", static_cast<unsigned long long>(mixed),
                  kTempSuffix.data());
    std::filesystem::path temp = target;
    temp += suffix;
    return temp;
}

// Whether a folder entry's name is one TempNameFor gives for the target: the target's name,
// ".", sixteen hex digits, ".tmp".
bool IsTempNameFor(const std::string& name, const std::string& target) {
    const std::size_t numberAt = target.size() + 1;
    if (name.size() != numberAt + kTempNumberDigits + kTempSuffix.size() ||
        !name.starts_with(target) || name[target.size()] != '.' || !name.ends_with(kTempSuffix)) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(numberAt),
                       name.begin() + static_cast<std::ptrdiff_t>(numberAt + kTempNumberDigits),
                       [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Makes the rename durable: the folder's entry list is synced. File systems that cannot
// sync a folder say so with EINVAL; there is nothing more to do on them. Errors name the
// file as the user knows it.
FileStatus SyncFolder(FileOps& ops, const std::filesystem::path& target,
                      const std::filesystem::path& shown) {
    const std::filesystem::path folder = FolderOf(target);
    SysResult opened = Retrying([&] { return ops.OpenDirectory(folder); });
    if (!opened.ok()) {
        return ErrorFor(shown, opened.error);
    }
    const int handle = static_cast<int>(opened.value);
    SysResult synced = Retrying([&] { return ops.SyncDirectory(handle); });
    ops.CloseDirectory(handle);
    if (!synced.ok() && synced.error != std::errc::invalid_argument) {
        return ErrorFor(shown, synced.error);
    }
    return std::nullopt;
}

}  // namespace

std::string DisplayPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return codepage::Utf8ToAnsi(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

FileResult<FileInfo> InspectFile(FileOps& ops, const std::filesystem::path& path) {
    FileResult<FileInfo> result;
    const SysResult inspected = Retrying([&] { return ops.Inspect(path, result.value); });
    if (inspected.error == std::errc::no_such_file_or_directory) {
        result.value = FileInfo{};
    } else if (!inspected.ok()) {
        result.error = ErrorFor(path, inspected.error);
    } else if (result.value.kind == FileKind::Folder) {
        result.error = ErrorFor(path, std::make_error_code(std::errc::is_a_directory));
    } else if (result.value.kind != FileKind::Regular) {
        result.error = ErrorFor(path, NotRegularFile());
    }
    return result;
}

FileResult<std::string> ReadWholeFile(FileOps& ops, const std::filesystem::path& path) {
    FileResult<std::string> result;
    SysResult opened = Retrying([&] { return ops.OpenForReading(path); });
    if (!opened.ok()) {
        result.error = ErrorFor(path, opened.error);
        return result;
    }
    const int handle = static_cast<int>(opened.value);
    std::string& bytes = result.value;
    std::size_t used = 0;
    for (;;) {
        if (bytes.size() - used < kReadChunk) {
            bytes.resize(std::max(bytes.size() * 2, used + kReadChunk));
        }
        SysResult got =
            Retrying([&] { return ops.Read(handle, bytes.data() + used, bytes.size() - used); });
        if (!got.ok()) {
            ops.Close(handle);
            bytes.clear();
            result.error = ErrorFor(path, got.error);
            return result;
        }
        if (got.value == 0) {
            break;
        }
        used += static_cast<std::size_t>(got.value);
    }
    bytes.resize(used);
    // Everything has been read; a failing close of a reading handle loses nothing.
    ops.Close(handle);
    return result;
}

FileStatus CreateIfMissing(FileOps& ops, const std::filesystem::path& path) {
    SysResult opened = Retrying([&] { return ops.OpenOrCreate(path); });
    if (!opened.ok()) {
        return ErrorFor(path, opened.error);
    }
    SysResult closed = ops.Close(static_cast<int>(opened.value));
    if (!closed.ok() && !Interrupted(closed)) {
        return ErrorFor(path, closed.error);
    }
    return std::nullopt;
}

FileStatus ReplaceFile(FileOps& ops, const std::filesystem::path& path, std::string_view bytes) {
    const FileResult<FileInfo> old = InspectFile(ops, path);
    if (!old.ok()) {
        return old.error;
    }
    if (old.value.kind == FileKind::Regular && !old.value.writable) {
        return ErrorFor(path, std::make_error_code(std::errc::permission_denied));
    }
    const std::filesystem::path target = ops.ResolveLink(path);
    std::filesystem::path temp;
    SysResult created;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = TempNameFor(target);
        created = Retrying([&] { return ops.CreateNew(temp); });
        if (created.error != std::errc::file_exists) {
            break;
        }
    }
    if (!created.ok()) {
        return ErrorFor(path, created.error);
    }
    const int handle = static_cast<int>(created.value);

    // Until the rename, every failure removes the temporary file and keeps the old one.
    auto abandon = [&](const std::error_code& error, bool still_open) -> FileStatus {
        if (still_open) {
            ops.Close(handle);
        }
        ops.Remove(temp);
        return ErrorFor(path, error);
    };

    SysResult step = WriteAll(ops, handle, bytes);
    if (!step.ok()) {
        return abandon(step.error, true);
    }
    step = Retrying([&] { return ops.Sync(handle); });
    if (!step.ok()) {
        return abandon(step.error, true);
    }
    // The data is already synced, so a close cut short by a signal has lost nothing; the
    // descriptor is gone either way and must not be closed again.
    step = ops.Close(handle);
    if (!step.ok() && !Interrupted(step)) {
        return abandon(step.error, false);
    }
    if (old.value.kind == FileKind::Regular) {
        // Best effort: a file system without permissions (FAT) still takes the content.
        Retrying([&] { return ops.SetPermissions(temp, old.value.permissions); });
    }
    step = Retrying([&] { return ops.Rename(temp, target); });
    if (!step.ok()) {
        return abandon(step.error, false);
    }
    FileStatus synced = SyncFolder(ops, target, path);
    if (synced) {
        synced->replaced = true;
    }
    return synced;
}

void RemoveLeftoverTemporaries(FileOps& ops, const std::filesystem::path& file) {
    const std::filesystem::path path = ops.ResolveLink(file);
    const std::string target = path.filename().string();
    std::error_code error;
    std::vector<std::filesystem::path> leftovers;
    for (std::filesystem::directory_iterator entry(FolderOf(path), error), end;
         !error && entry != end; entry.increment(error)) {
        if (IsTempNameFor(entry->path().filename().string(), target)) {
            leftovers.push_back(entry->path());
        }
    }
    for (const auto& leftover : leftovers) {
        ops.Remove(leftover);
    }
}

}  // namespace brevanto::data
