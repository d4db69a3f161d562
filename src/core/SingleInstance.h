#pragma once

#include <filesystem>
#include <string>

// One Brevanto per folder: the entry point takes the data file's instance lock
// (data::InstanceLock) before it builds the window, and a second instance shows this text
// and ends.
namespace brevanto::core {

// "Brevanto is already running in this folder." and the folder of dataFile, in full.
std::string AlreadyRunningText(const std::filesystem::path& dataFile);

}  // namespace brevanto::core
