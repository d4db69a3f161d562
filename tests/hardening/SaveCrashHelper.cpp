// The process the crash test kills: saves through "Sa&ve Data", headless, into
// <folder>/data.dat.  Usage: hardening_save_helper <folder> <rows> <loop|once>
//   loop: writes one byte to stdout once set up, then saves table A, B, A, ... for ever.
//   once: starts like the program, saves table B and exits 0 when "The message was saved!"
//         was shown and the reloaded table is the saved one; 1 otherwise, boxes on stderr.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "TestTables.h"
#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"

namespace {

constexpr std::uint32_t kTableA = 1;
constexpr std::uint32_t kTableB = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace brevanto;
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <folder> <rows> <loop|once>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dataFile = std::filesystem::path(argv[1]) / "data.dat";
    const int rows = std::atoi(argv[2]);
    const std::string mode = argv[3];
    const hardening::Rows tableA = hardening::MakeTable(rows, kTableA);
    const hardening::Rows tableB = hardening::MakeTable(rows, kTableB);

    aim::simulated::SimulatedAim aim;
    core::HeadlessControls controls;
    core::MainWindow window(aim, controls, dataFile);

    if (mode == "once") {
        // Starts as the program does, which also clears what killed saves left behind.
        window.Form_Load(core::WindowGeometry{});
        hardening::FillTable(window.Table(), tableB);
        window.SaveData();
        data::MessageTable stored;
        modFileIO::FillTable(hardening::SortedFile(tableB), stored);
        const bool saved = controls.boxes.size() == 1 &&
                           controls.boxes[0].prompt == "The message was saved!" &&
                           hardening::CellsOf(window.Table()) == hardening::CellsOf(stored);
        for (const auto& box : controls.boxes) {
            std::fprintf(stderr, "%s\n", box.prompt.c_str());
        }
        return saved ? 0 : 1;
    }

    if (::write(STDOUT_FILENO, "R", 1) != 1) {
        return 1;
    }
    for (bool useB = false;; useB = !useB) {
        hardening::FillTable(window.Table(), useB ? tableB : tableA);
        window.SaveData();
        if (controls.boxes.size() != 1 || controls.boxes[0].prompt != "The message was saved!") {
            for (const auto& box : controls.boxes) {
                std::fprintf(stderr, "save failed: %s\n", box.prompt.c_str());
            }
            return 1;
        }
        controls.boxes.clear();
    }
}
