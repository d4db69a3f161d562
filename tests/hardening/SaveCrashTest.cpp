// Kills a saving process with SIGKILL at random moments and checks after every kill that
// "data.dat" is a file some save wrote whole, byte for byte, and that the temporary files of
// killed saves never disturb a later save and load.
//   BREVANTO_CRASH_KILLS  number of kills over all table sizes (default 120)
//   BREVANTO_CRASH_SEED   seed of the kill delays (default 1)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "TestTables.h"
#include "data/TempDir.h"

#ifndef BREVANTO_SAVE_HELPER
#error "BREVANTO_SAVE_HELPER must name the helper executable"
#endif

namespace brevanto::hardening {
namespace {

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// Starts the helper with its stdout on a pipe; returns its pid and the pipe's read end.
std::pair<pid_t, int> StartHelper(const std::filesystem::path& folder, int rows, const char* mode) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return {-1, -1};
    }
    const std::string rowsText = std::to_string(rows);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        ::execl(BREVANTO_SAVE_HELPER, BREVANTO_SAVE_HELPER, folder.c_str(), rowsText.c_str(), mode,
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    return {pid, pipeEnds[0]};
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

struct SizeRun {
    int rows;
    std::chrono::microseconds maxDelay;
};

TEST(SaveCrash, AKilledSaveLeavesAWholeFileAndLaterSavesWork) {
    const long kills = EnvNumber("BREVANTO_CRASH_KILLS", 120);
    std::mt19937 random(static_cast<std::uint32_t>(EnvNumber("BREVANTO_CRASH_SEED", 1)));
    const SizeRun sizes[] = {{5, std::chrono::milliseconds(15)},
                             {300, std::chrono::milliseconds(40)},
                             {3000, std::chrono::milliseconds(250)}};

    std::map<std::string, long> seen;  // what data.dat held after the kills
    long leftTemporaries = 0;
    for (std::size_t s = 0; s < std::size(sizes); ++s) {
        const SizeRun& size = sizes[s];
        SCOPED_TRACE(std::to_string(size.rows) + " rows");
        const Rows tableA = MakeTable(size.rows, 1);
        const Rows tableB = MakeTable(size.rows, 2);
        const std::map<std::string, std::string> whole = {{SortedFile(tableA), "table A sorted"},
                                                          {SortedFile(tableB), "table B sorted"}};
        testing::TempDir folder;
        testing::WriteBytes(folder / "data.dat", SortedFile(tableA));

        const long killsHere = kills / 3 + (static_cast<long>(s) < kills % 3 ? 1 : 0);
        for (long kill = 0; kill < killsHere; ++kill) {
            const auto [pid, ready] = StartHelper(folder.path(), size.rows, "loop");
            ASSERT_GT(pid, 0);
            char byte = 0;
            const bool started = ::read(ready, &byte, 1) == 1;
            ::close(ready);
            std::uniform_int_distribution<long> delay(0, size.maxDelay.count());
            if (started) {
                std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            }
            ::kill(pid, SIGKILL);
            const int status = WaitFor(pid);
            ASSERT_TRUE(started && WIFSIGNALED(status))
                << "the helper stopped by itself, status " << status;

            const auto found = whole.find(testing::ReadBytes(folder / "data.dat"));
            ASSERT_NE(found, whole.end()) << "kill " << kill << ": data.dat is no whole file";
            ++seen[found->second];
            for (const std::string& name : folder.Entries()) {
                ASSERT_TRUE(name == "data.dat" ||
                            (name.starts_with("data.dat.") && name.ends_with(".tmp")))
                    << name;
            }
        }

        leftTemporaries += static_cast<long>(folder.Entries().size()) - 1;
        // A start and a save after all those kills work and the table reloaded is the saved
        // one; the temporary files of the killed saves are cleared, not mistaken for data.
        const auto [pid, output] = StartHelper(folder.path(), size.rows, "once");
        ASSERT_GT(pid, 0);
        ::close(output);
        const int status = WaitFor(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        EXPECT_EQ(testing::ReadBytes(folder / "data.dat"), SortedFile(tableB));
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"})
            << "the start-up before that save leaves no temporary file behind";
    }

    for (const auto& [state, count] : seen) {
        std::printf("data.dat held %s after %ld kills\n", state.c_str(), count);
    }
    std::printf("temporary files left by killed saves: %ld\n", leftTemporaries);
}

}  // namespace
}  // namespace brevanto::hardening
