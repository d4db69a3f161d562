#include "core/SingleInstance.h"

#include "data/SafeFile.h"

namespace brevanto::core {

std::string AlreadyRunningText(const std::filesystem::path& dataFile) {
    std::error_code ignored;  // without the full path the name as given still says where
    std::filesystem::path folder = std::filesystem::absolute(dataFile, ignored).parent_path();
    if (folder.empty()) {
        folder = dataFile.parent_path();
    }
    return "Brevanto is already running in this folder.\n" + data::DisplayPath(folder);
}

}  // namespace brevanto::core
