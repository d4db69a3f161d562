// The data file's protections on the Win32 file layer: the responder core with headless
// controls saves and loads through the real Windows calls. filesafety.exe ends with
// "N passed, M failed"; the exit code is 1 on any failure. "filesafety.exe hold <file>" is
// the instance that the lock test kills.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/FaultyFileOps.h"
#include "data/InstanceLock.h"
#include "suite/Harness.h"

// Last: its macros would rename the window system's own constants above.
#include <windows.h>

namespace {

using namespace brevanto;
namespace fs = std::filesystem;
using wine::Checks;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Mentions(const core::HeadlessControls& controls, const std::string& text) {
    return !controls.boxes.empty() && controls.boxes[0].prompt.find(text) != std::string::npos;
}

// A main window on a data file in a folder of its own, removed at the end.
struct Window {
    explicit Window(const std::string& name)
        : folder(fs::temp_directory_path() / ("brevanto-files-" + name)) {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~Window() {
        ::SetFileAttributesW((folder / "data.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void Start() {
        main = std::make_unique<core::MainWindow>(aim, controls, file, files);
        main->Form_Load(core::WindowGeometry{9000, 6000, 3000, 3500, 2000, 4000});
    }
    DWORD Attributes() const { return ::GetFileAttributesW(file.c_str()); }

    fs::path folder;
    fs::path file = folder / "data.dat";
    aim::simulated::SimulatedAim aim;
    core::HeadlessControls controls;
    testing::FaultyFileOps files;
    std::unique_ptr<core::MainWindow> main;
};

void ReadOnlyAndHiddenFiles(Checks& checks) {
    for (const DWORD attribute : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN}) {
        const bool readOnly = attribute == FILE_ATTRIBUTE_READONLY;
        Window window(readOnly ? "readonly" : "hidden");
        Write(window.file, "hi=hello\r\n");
        ::SetFileAttributesW(window.file.c_str(), attribute);
        window.Start();
        checks.Equal(window.main->Table().Cell(0, 1), "hello", "the file loads");
        window.main->Table().SetCell(0, 1, "changed");
        window.main->SaveData();
        checks.That(Mentions(window.controls, readOnly ? "data.dat: " : "The message was saved!"),
                    readOnly ? "a read-only file is not saved over" : "a hidden file is saved");
        checks.Equal(Read(window.file), readOnly ? "hi=hello\r\n" : "hi=changed\r\n", "content");
        checks.That((window.Attributes() & attribute) != 0, "the attribute stays");
    }
}

void Folders(Checks& checks) {
    Window folder("folder");
    fs::create_directory(folder.file);
    folder.Start();
    checks.That(Mentions(folder.controls, "could not be read"), "a folder is refused");
    folder.main->AddMessageRow();
    folder.main->SaveData();
    checks.That(fs::is_directory(folder.file) && folder.controls.boxes.size() == 2,
                "a folder is never saved over");
}

// A file changed on disk since it was loaded, as the Win32 file layer sees it, is not saved
// over without asking; Cancel keeps it. (The other questions are the core's, core_test's.)
void EditedOnDisk(Checks& checks) {
    Window window("edited");
    Write(window.file, "hand=written\r\n");
    window.Start();
    Write(window.file, "hand=edited\r\n");
    window.main->AddMessageRow();
    window.main->Table().SetCell(1, 0, "x");
    window.controls.boxes.clear();
    window.controls.msgBoxAnswers = {core::kCancel};
    window.main->SaveData();
    checks.That(
        window.controls.boxes.size() == 1 && window.controls.boxes[0].style == core::kOkCancel,
        "asked before saving over a file edited on disk");
    checks.Equal(Read(window.file), "hand=edited\r\n", "Cancel keeps the file");
}

// The lock test's second process holds the lock until it is killed.
int Hold(const fs::path& file) {
    data::InstanceLock lock(file);
    Write(fs::path(file) += ".held", "");
    ::Sleep(60000);
    return 0;
}

void OneInstancePerFolder(Checks& checks) {
    Window window("lock");
    {
        data::InstanceLock first(window.file);
        checks.That(first.state() == data::InstanceLock::State::Held, "the first holds it");
        checks.That(
            data::InstanceLock(window.file).state() == data::InstanceLock::State::HeldElsewhere,
            "a second is refused");
    }
    HANDLE process = wine::StartProcess(checks, wine::ThisProgramsFolder() + "filesafety.exe",
                                        "hold \"" + window.file.string() + "\"");
    if (process == nullptr) {
        return;
    }
    wine::WaitUntil([&] { return fs::exists(fs::path(window.file) += ".held"); }, 10000);
    checks.That(data::InstanceLock(window.file).state() == data::InstanceLock::State::HeldElsewhere,
                "another process holds it");
    ::TerminateProcess(process, 9);
    ::WaitForSingleObject(process, 10000);
    ::CloseHandle(process);
    checks.That(data::InstanceLock(window.file).state() == data::InstanceLock::State::Held,
                "a killed holder blocks nobody");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "hold") {
        return Hold(argv[2]);
    }
    return wine::RunTests(argc, argv,
                          {{"ReadOnlyAndHiddenFiles", ReadOnlyAndHiddenFiles},
                           {"Folders", Folders},
                           {"EditedOnDisk", EditedOnDisk},
                           {"OneInstancePerFolder", OneInstancePerFolder}});
}
