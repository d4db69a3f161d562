#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "aim/simulated/SimulatedAim.h"
#include "core/HeadlessControls.h"
#include "core/MainWindow.h"
#include "data/FileOps.h"

namespace brevanto::core::testing {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder of its own for every test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::random_device seed;
        path_ = fs::temp_directory_path() / ("brevanto-core-" + std::to_string(seed()));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

// The system's file calls, except those a test makes fail: as root, permissions cannot
// be relied on to refuse anything.
class FailingFiles : public data::FileOps {
  public:
    bool failReading = false;   // opening for reading
    bool failCreating = false;  // creating a missing file
    bool failWriting = false;   // writing data into any file

    static std::error_code Reason() { return std::make_error_code(std::errc::no_space_on_device); }

    data::SysResult OpenForReading(const fs::path& path) override {
        return failReading ? Failed() : real_.OpenForReading(path);
    }
    data::SysResult OpenOrCreate(const fs::path& path) override {
        return failCreating ? Failed() : real_.OpenOrCreate(path);
    }
    data::SysResult CreateNew(const fs::path& path) override {
        return failCreating ? Failed() : real_.CreateNew(path);
    }
    data::SysResult Read(int handle, char* buffer, std::size_t size) override {
        return real_.Read(handle, buffer, size);
    }
    data::SysResult Write(int handle, const char* data, std::size_t size) override {
        return failWriting ? Failed() : real_.Write(handle, data, size);
    }
    data::SysResult Sync(int handle) override { return real_.Sync(handle); }
    data::SysResult Close(int handle) override { return real_.Close(handle); }
    data::SysResult Rename(const fs::path& from, const fs::path& to) override {
        return real_.Rename(from, to);
    }
    data::SysResult Remove(const fs::path& path) override { return real_.Remove(path); }
    data::SysResult OpenDirectory(const fs::path& path) override {
        return real_.OpenDirectory(path);
    }
    data::SysResult SyncDirectory(int handle) override { return real_.SyncDirectory(handle); }
    data::SysResult CloseDirectory(int handle) override { return real_.CloseDirectory(handle); }

  private:
    static data::SysResult Failed() { return {-1, Reason()}; }

    data::FileOps& real_ = data::SystemFileOps();
};

// The main window's design-time sizes in twips.
inline WindowGeometry DesignGeometry() {
    WindowGeometry geometry;
    geometry.windowWidth = 10065;
    geometry.windowHeight = 6645;
    geometry.gridHeight = 3375;
    geometry.frameTop = 4080;
    geometry.logHeight = 5055;
    geometry.gridWidth = 4935;
    return geometry;
}

// A main window over the simulated client and headless controls, with its data file in a
// temporary folder.
class CoreTest : public ::testing::Test {
  protected:
    // Writes the data file (unless nullptr) and loads the window.
    void Start(const char* fileBytes) {
        if (fileBytes != nullptr) {
            WriteBytes(dataFile, fileBytes);
        }
        window = std::make_unique<MainWindow>(aim, controls, dataFile, files);
        window->Form_Load(DesignGeometry());
    }

    // The table as "message=response" strings, in row order.
    std::vector<std::string> TableRows() const {
        std::vector<std::string> rows;
        const auto& table = window->Table();
        for (int row = 0; row < table.Rows(); ++row) {
            rows.push_back(table.Cell(row, 0) + "=" + table.Cell(row, 1));
        }
        return rows;
    }

    ShownBox Box(std::string prompt, int style, std::string title) const {
        return {ShownBox::Kind::Message, std::move(prompt), style, std::move(title), {}};
    }

    TempFolder folder;
    fs::path dataFile = folder.Path() / "data.dat";
    aim::simulated::SimulatedAim aim;
    HeadlessControls controls;
    FailingFiles files;
    std::unique_ptr<MainWindow> window;
};

}  // namespace brevanto::core::testing
