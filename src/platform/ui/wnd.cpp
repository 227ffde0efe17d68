#include "platform/ui/wnd.h"

using ui::CurrentBackend;

namespace {

constexpr ui::Hwnd kPlaceTopMost = -1;

}  // namespace

const CWnd CWnd::wndTop{0};
const CWnd CWnd::wndTopMost{kPlaceTopMost};

CWnd* CWnd::GetDlgItem(int id) {
    ui::Hwnd control = CurrentBackend().GetControl(m_hWnd, id);
    if (control == 0) return nullptr;
    auto& wrapper = m_controls[id];
    if (!wrapper || wrapper->m_hWnd != control) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = control;
    }
    return wrapper.get();
}

void CWnd::SetWindowText(const std::string& text) {
    CurrentBackend().SetText(m_hWnd, text);
}

std::string CWnd::GetWindowText() const {
    return CurrentBackend().GetText(m_hWnd);
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
    if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(int id) {
    CWnd* control = GetDlgItem(id);
    return control ? control->GetWindowText() : std::string();
}

bool CWnd::EnableWindow(bool enable) {
    bool wasDisabled = !IsWindowEnabled();
    CurrentBackend().Enable(m_hWnd, enable);
    return wasDisabled;
}

bool CWnd::IsWindowEnabled() const {
    return CurrentBackend().IsEnabled(m_hWnd);
}

bool CWnd::ShowWindow(int command) {
    bool wasVisible = IsWindowVisible();
    CurrentBackend().Show(m_hWnd, command != SW_HIDE);
    return wasVisible;
}

bool CWnd::IsWindowVisible() const {
    return CurrentBackend().IsVisible(m_hWnd);
}

void CWnd::GetWindowRect(CRect* rect) const {
    *rect = CurrentBackend().GetRect(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
    CurrentBackend().SetRect(m_hWnd, {x, y, x + width, y + height});
    if (repaint) RedrawWindow();
}

bool CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height,
                        unsigned flags) {
    ui::Backend& backend = CurrentBackend();
    if (!backend.IsWindow(m_hWnd)) return false;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        CRect rect = backend.GetRect(m_hWnd);
        if (flags & SWP_NOMOVE) {
            x = rect.left;
            y = rect.top;
        }
        if (flags & SWP_NOSIZE) {
            width = rect.Width();
            height = rect.Height();
        }
        backend.SetRect(m_hWnd, {x, y, x + width, y + height});
    }
    if (!(flags & SWP_NOZORDER) && insertAfter)
        backend.BringToTop(m_hWnd, insertAfter->m_hWnd == kPlaceTopMost);
    if (flags & SWP_SHOWWINDOW) backend.Show(m_hWnd, true);
    return true;
}

void CWnd::SetFocus() {
    CurrentBackend().SetFocus(m_hWnd);
}

void CWnd::RedrawWindow() {
    CurrentBackend().Redraw(m_hWnd);
}

unsigned CWnd::SetTimer(unsigned id, unsigned elapseMs) {
    return CurrentBackend().StartTimer(m_hWnd, id, elapseMs) ? id : 0;
}

bool CWnd::KillTimer(unsigned id) {
    return CurrentBackend().StopTimer(m_hWnd, id);
}

bool CWnd::DestroyWindow() {
    ui::Backend& backend = CurrentBackend();
    if (!backend.IsWindow(m_hWnd)) return false;
    backend.DestroyWindow(m_hWnd);
    m_hWnd = 0;
    ForgetControls();
    PostNcDestroy();
    return true;
}

void CWnd::OnTimer(unsigned) {}

bool CWnd::OnNotify(int, ui::Notification, int*) {
    return false;
}
