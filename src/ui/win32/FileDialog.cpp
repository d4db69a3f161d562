#include "ui/win32/FileDialog.h"

#include <commdlg.h>

#include <array>

namespace brevanto::win32ui {

std::filesystem::path ChooseFileName(HWND owner, bool forSaving) {
    std::array<char, MAX_PATH * 4> name{};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter =
        "CSV files (*.csv)\0*.csv\0Data files (*.dat;*.txt)\0*.dat;*.txt\0"
        "All files (*.*)\0*.*\0";
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = "csv";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (forSaving) {
        dialog.lpstrTitle = "Export Messages";
        dialog.Flags |= OFN_OVERWRITEPROMPT;
        if (!::GetSaveFileNameA(&dialog)) {
            return {};
        }
    } else {
        dialog.lpstrTitle = "Import Messages";
        dialog.Flags |= OFN_FILEMUSTEXIST;
        if (!::GetOpenFileNameA(&dialog)) {
            return {};
        }
    }
    return std::filesystem::path(name.data());
}

}  // namespace brevanto::win32ui
