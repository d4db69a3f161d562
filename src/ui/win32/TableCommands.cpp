// The main window's table commands beyond the basic ones (delete, import and export with
// their progress, keyboard editing) and the tray icon's mode and right-click menu.
#include "core/TrayMode.h"
#include "ui/win32/frmBrevanto.h"

#include "ui/win32/ControlIds.h"
#include "ui/win32/TrayMenu.h"

namespace brevanto::win32ui {

bool frmBrevanto::OnTableCommand(int id) {
    switch (id) {
        case IDM_mnuDelete:
            core_.DeleteRows(grid_->SelectedRows());
            return true;
        case IDM_mnuImport:
            core_.ImportTable();
            return true;
        case IDM_mnuExport:
            core_.ExportTable();
            return true;
        case IDOK:
            // The dialog manager turns Enter into IDOK: in the grid it edits the cell.
            if (::GetFocus() == Control(IDC_flexGrid)) {
                EditCurrentCell();
            }
            return true;
        case IDM_trayShow:
            ShowFromTray();
            return true;
        case IDM_trayToggle:
            core_.ToggleAutoRespond();
            return true;
        case IDM_trayExit:
            if (core_.QueryUnload()) {
                EndProgram();
            }
            return true;
        default:
            return false;
    }
}

std::optional<LRESULT> frmBrevanto::OnGridKey(const NMHDR& header) {
    if (header.code == NM_RETURN) {
        EditCurrentCell();
        return 0;
    }
    if (header.code != LVN_KEYDOWN) {
        return std::nullopt;
    }
    switch (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey) {
        case VK_DELETE:
            core_.DeleteRows(grid_->SelectedRows());
            return 0;
        case VK_F2:
            EditCurrentCell();
            return 0;
        case VK_LEFT:
            grid_->MoveColumn(-1);
            return 0;
        case VK_RIGHT:
            grid_->MoveColumn(1);
            return 0;
        default:
            return std::nullopt;
    }
}

bool frmBrevanto::ShowProgress(const std::string& text, double share) {
    return progress_.Show(window_, text, share);
}

void frmBrevanto::EndProgress() {
    progress_.End();
}

void frmBrevanto::EditCurrentCell() {
    if (core_.Table().Rows() > 0) {
        core_.flexGrid_Click();
    }
}

void frmBrevanto::ShowTrayMode(const core::ModeControls& mode) {
    mySysTray_.PopUpMessage = core::TrayTip(mode);
    mySysTray_.TipText(mySysTray_.PopUpMessage);
    if (core::TrayMarked(mode) && !markedIcon_) {
        markedIcon_ = MarkedIcon(smallIcon_);
    }
    const HICON image = core::TrayMarked(mode) && markedIcon_ ? markedIcon_ : smallIcon_;
    mySysTray_.SetImage(reinterpret_cast<std::intptr_t>(image));
}

void frmBrevanto::ShowFromTray() {
    ::ShowWindow(window_, ::IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window_);
    StartMinTimer();
}

}  // namespace brevanto::win32ui
