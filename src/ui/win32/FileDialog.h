#pragma once

#include <windows.h>

#include <filesystem>

// The common file dialog for importing and exporting the message table.
namespace brevanto::win32ui {

// The file the user chose to read (or, with forSaving, to write, after agreeing to replace
// an existing one); an empty path on Cancel.
std::filesystem::path ChooseFileName(HWND owner, bool forSaving);

}  // namespace brevanto::win32ui
