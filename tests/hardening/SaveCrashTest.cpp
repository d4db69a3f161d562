// Kills a process that saves tables A and B in turn with SIGKILL at random moments and checks
// after every kill that "data.dat" is a file some save wrote whole, byte for byte, and that
// the temporary files of killed saves never disturb a later start, save and load.
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
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/TempDir.h"

namespace brevanto::hardening {
namespace {

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// One "Sa&ve Data" of rows; whether it said it saved.
bool Save(core::MainWindow& window, core::HeadlessControls& controls, const Rows& rows) {
    FillTable(window.Table(), rows);
    controls.boxes.clear();
    window.SaveData();
    return controls.boxes.size() == 1 && controls.boxes[0].prompt == "The message was saved!";
}

// A child process that writes one byte to the pipe once set up, then saves A, B, A, ...
// until it is killed; it exits 1 if a save fails.
pid_t StartSaving(const std::filesystem::path& file, const Rows& a, const Rows& b, int ready) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        aim::simulated::SimulatedAim aim;
        core::HeadlessControls controls;
        core::MainWindow window(aim, controls, file);
        if (::write(ready, "R", 1) == 1) {
            for (bool useB = false; Save(window, controls, useB ? b : a); useB = !useB) {
            }
        }
        ::_exit(1);
    }
    return pid;
}

TEST(SaveCrash, AKilledSaveLeavesAWholeFileAndLaterSavesWork) {
    const long kills = EnvNumber("BREVANTO_CRASH_KILLS", 120);
    std::mt19937 random(static_cast<std::uint32_t>(EnvNumber("BREVANTO_CRASH_SEED", 1)));
    const std::pair<int, long> sizes[] = {{5, 15000}, {300, 40000}, {3000, 250000}};  // µs

    std::map<std::string, long> seen;  // what data.dat held after the kills
    long leftTemporaries = 0;
    for (std::size_t s = 0; s < std::size(sizes); ++s) {
        const auto [rows, maxDelay] = sizes[s];
        SCOPED_TRACE(std::to_string(rows) + " rows");
        const Rows tableA = MakeTable(rows, 1);
        const Rows tableB = MakeTable(rows, 2);
        const std::map<std::string, std::string> whole = {{SortedFile(tableA), "table A sorted"},
                                                          {SortedFile(tableB), "table B sorted"}};
        testing::TempDir folder;
        testing::WriteBytes(folder / "data.dat", SortedFile(tableA));

        const long killsHere = kills / 3 + (static_cast<long>(s) < kills % 3 ? 1 : 0);
        for (long kill = 0; kill < killsHere; ++kill) {
            int pipeEnds[2];
            ASSERT_EQ(::pipe(pipeEnds), 0);
            const pid_t pid = StartSaving(folder / "data.dat", tableA, tableB, pipeEnds[1]);
            ::close(pipeEnds[1]);
            ASSERT_GT(pid, 0);
            char byte = 0;
            const bool started = ::read(pipeEnds[0], &byte, 1) == 1;
            ::close(pipeEnds[0]);
            if (started) {
                std::this_thread::sleep_for(std::chrono::microseconds(
                    std::uniform_int_distribution<long>(0, maxDelay)(random)));
            }
            ::kill(pid, SIGKILL);
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            ASSERT_TRUE(started && WIFSIGNALED(status))
                << "the saving process stopped by itself, status " << status;

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
        // A start after all those kills clears their temporary files instead of taking them
        // for data, and a save then works and reloads the saved table.
        aim::simulated::SimulatedAim aim;
        core::HeadlessControls controls;
        core::MainWindow window(aim, controls, folder / "data.dat");
        window.Form_Load(core::WindowGeometry{});
        EXPECT_TRUE(Save(window, controls, tableB));
        EXPECT_EQ(testing::ReadBytes(folder / "data.dat"), SortedFile(tableB));
        data::MessageTable stored;
        modFileIO::FillTable(SortedFile(tableB), stored);
        EXPECT_EQ(CellsOf(window.Table()), CellsOf(stored));
        EXPECT_EQ(folder.Entries(), std::vector<std::string>{"data.dat"});
    }

    for (const auto& [state, count] : seen) {
        std::printf("data.dat held %s after %ld kills\n", state.c_str(), count);
    }
    std::printf("temporary files left by killed saves: %ld\n", leftTemporaries);
}

}  // namespace
}  // namespace brevanto::hardening
