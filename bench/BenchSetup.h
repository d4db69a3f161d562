#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/Layout.h"

// What the benchmarks of the main window start from: a fresh folder under the system's
// temporary folder, removed again with the object, a data file of numbered pairs, and the
// window's design sizes for Form_Load.
namespace brevanto::bench {

class BenchFolder {
  public:
    explicit BenchFolder(const std::string& prefix) {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::filesystem::path operator/(const char* name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline void WriteTable(const std::filesystem::path& path, int entries) {
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < entries; ++i) {
        out << "message number " << i << "=the response to message " << i << "\r\n";
    }
}

inline core::WindowGeometry DesignGeometry() {
    core::WindowGeometry geometry;
    geometry.windowWidth = 10065;
    geometry.windowHeight = 6645;
    geometry.gridWidth = 4935;
    return geometry;
}

}  // namespace brevanto::bench
