#pragma once
// The framework's common controls the dialogs bind by data exchange: the list view and the
// progress bar.

#include <cstdint>
#include <string>

#include "platform/ui/wnd.h"

// Column formats.
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;

class CListCtrl : public CWnd {
  public:
    // Answers the column's index, or -1. A column shows the sub-item of its index; subItem is
    // taken for the framework's signature.
    int InsertColumn(int column, const std::string& heading, int format = LVCFMT_LEFT,
                     int width = -1, int subItem = -1);
    int GetColumnWidth(int column) const;
    // Answers the new row's index, or -1.
    int InsertItem(int item, const std::string& text);
    bool SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    bool SetItemData(int item, std::uintptr_t data);
    std::uintptr_t GetItemData(int item) const;
    int GetItemCount() const;
    bool DeleteAllItems();
    // The row the last selection was made on, or -1.
    int GetSelectionMark() const;
    int SetSelectionMark(int item);
};

class CProgressCtrl : public CWnd {
  public:
    void SetRange(int lower, int upper);
    // Answers the previous position; positions outside the range are brought into it.
    int SetPos(int pos);
    int GetPos() const;
};
