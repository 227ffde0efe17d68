#include "platform/ui/controls.h"

using ui::CurrentBackend;

namespace {

ui::ColumnAlign AlignOf(int format) {
    switch (format & 3) {
        case LVCFMT_RIGHT:
            return ui::ColumnAlign::Right;
        case LVCFMT_CENTER:
            return ui::ColumnAlign::Centre;
        default:
            return ui::ColumnAlign::Left;
    }
}

}  // namespace

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width, int) {
    return CurrentBackend().InsertColumn(m_hWnd, column,
                                         {heading, AlignOf(format), width < 0 ? 0 : width});
}

int CListCtrl::GetColumnWidth(int column) const {
    return CurrentBackend().GetColumnWidth(m_hWnd, column);
}

int CListCtrl::InsertItem(int item, const std::string& text) {
    return CurrentBackend().InsertItem(m_hWnd, item, text);
}

bool CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
    return CurrentBackend().SetItemText(m_hWnd, item, subItem, text);
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
    return CurrentBackend().GetItemText(m_hWnd, item, subItem);
}

bool CListCtrl::SetItemData(int item, std::uintptr_t data) {
    return CurrentBackend().SetItemData(m_hWnd, item, data);
}

std::uintptr_t CListCtrl::GetItemData(int item) const {
    return CurrentBackend().GetItemData(m_hWnd, item);
}

int CListCtrl::GetItemCount() const {
    return CurrentBackend().GetItemCount(m_hWnd);
}

bool CListCtrl::DeleteAllItems() {
    return CurrentBackend().DeleteAllItems(m_hWnd);
}

int CListCtrl::GetSelectionMark() const {
    return CurrentBackend().GetSelectionMark(m_hWnd);
}

int CListCtrl::SetSelectionMark(int item) {
    return CurrentBackend().SetSelectionMark(m_hWnd, item);
}

void CProgressCtrl::SetRange(int lower, int upper) {
    CurrentBackend().SetRange(m_hWnd, lower, upper);
}

int CProgressCtrl::SetPos(int pos) {
    return CurrentBackend().SetPos(m_hWnd, pos);
}

int CProgressCtrl::GetPos() const {
    return CurrentBackend().GetPos(m_hWnd);
}
