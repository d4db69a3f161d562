#include "ui/win32/GridView.h"

#include <algorithm>
#include <cstring>

namespace brevanto::win32ui {

GridView::GridView(HWND listView, data::MessageTable& table) : list_(listView), table_(table) {
    ::SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNA columnInfo{};
        columnInfo.mask = LVCF_WIDTH | LVCF_SUBITEM;
        columnInfo.iSubItem = column;
        columnInfo.cx = 100;
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                       reinterpret_cast<LPARAM>(&columnInfo));
    }
}

void GridView::SetColumnWidths(int pixels) {
    for (int column = 0; column < 2; ++column) {
        ::SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), pixels);
    }
}

void GridView::Refresh() {
    refreshing_ = true;
    ::SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(table_.Rows()),
                   LVSICF_NOINVALIDATEALL);
    if (table_.Rows() > 0) {
        // Rows picked with Ctrl or Shift are let go: the current row alone is selected.
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(&none));
        LVITEMA state{};
        state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        state.state = LVIS_FOCUSED | LVIS_SELECTED;
        ::SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(table_.Row()),
                       reinterpret_cast<LPARAM>(&state));
        ::SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(table_.Row()), FALSE);
    }
    ::InvalidateRect(list_, nullptr, TRUE);
    refreshing_ = false;
}

std::optional<GridCell> GridView::CellAt(POINT screenPoint) const {
    LVHITTESTINFO hit{};
    hit.pt = screenPoint;
    ::ScreenToClient(list_, &hit.pt);
    ::SendMessageA(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem < 0 || hit.iItem >= table_.Rows() || hit.iSubItem < 0 || hit.iSubItem > 1 ||
        !(hit.flags & LVHT_ONITEM)) {
        return std::nullopt;
    }
    return GridCell{hit.iItem, hit.iSubItem};
}

std::vector<int> GridView::SelectedRows() const {
    std::vector<int> rows;
    int row = -1;
    while ((row = static_cast<int>(::SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                  LVNI_SELECTED))) >= 0) {
        if (row < table_.Rows()) {
            rows.push_back(row);
        }
    }
    if (rows.empty() && table_.Rows() > 0) {
        rows.push_back(table_.Row());
    }
    return rows;
}

void GridView::MoveColumn(int step) {
    table_.SetCol(table_.Col() + step);
    ::InvalidateRect(list_, nullptr, FALSE);
}

std::optional<LRESULT> GridView::Notify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOA: {
            auto& item =
                const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
            if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0 &&
                item.iItem < table_.Rows()) {
                // The view's buffer bounds what is shown; the table keeps the whole text.
                const std::string& text = table_.Cell(item.iItem, item.iSubItem == 1 ? 1 : 0);
                const std::size_t shown =
                    std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
                std::memcpy(item.pszText, text.data(), shown);
                item.pszText[shown] = '\0';
            }
            return 0;
        }
        case NM_CUSTOMDRAW:
            return CustomDraw(
                const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
        case LVN_ITEMCHANGED: {
            // The keyboard moved the focus: the current row follows, the column stays.
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!refreshing_ && change.iItem >= 0 && change.iItem < table_.Rows() &&
                (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED)) {
                table_.SetRow(change.iItem);
                ::InvalidateRect(list_, nullptr, FALSE);
            }
            return 0;
        }
        default:
            return std::nullopt;
    }
}

// The list view would highlight whole rows; the grid highlights the current cell instead.
LRESULT GridView::CustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const bool current = table_.Rows() > 0 &&
                                 static_cast<int>(draw.nmcd.dwItemSpec) == table_.Row() &&
                                 draw.iSubItem == table_.Col();
            draw.clrText = ::GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
            draw.clrTextBk = ::GetSysColor(current ? COLOR_HIGHLIGHT : COLOR_WINDOW);
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

}  // namespace brevanto::win32ui
