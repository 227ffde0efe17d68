#include "platform/ui/desktop.h"

int AfxMessageBox(const std::string& text, unsigned type) {
    return ui::CurrentBackend().MessageBox(text, type);
}

namespace ui {

std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title) {
    return CurrentBackend().BrowseForFolder(owner ? owner->m_hWnd : 0, title);
}

CRect GetWorkArea() {
    return CurrentBackend().WorkArea();
}

CPoint GetCursorPos() {
    return CurrentBackend().CursorPos();
}

void PumpPendingMessages() {
    CurrentBackend().PumpPending();
}

}  // namespace ui
