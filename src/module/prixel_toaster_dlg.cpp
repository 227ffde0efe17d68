#include "module/prixel_toaster_dlg.h"

#include "connection/prixel_web_dlg.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"

CPrixelToasterDlg::CPrixelToasterDlg(std::string text, CWnd* parent)
    : CDialog(IDD_PRIXEL_TOASTER, parent), m_strText(std::move(text)) {}

void CPrixelToasterDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TOASTER_TEXT, m_strText);
}

// The framework's initialisation has already put the text into its control.
bool CPrixelToasterDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nTimer = SetTimer(PRIXEL_TIMER_ID, PRIXEL_TOASTER_MS);
    if (m_nTimer == 0) {
        DestroyWindow();
        return true;
    }
    PlaceAtWorkAreaCorner();
    return true;
}

void CPrixelToasterDlg::OnTimer(unsigned id) {
    CDialog::OnTimer(id);
    if (id == m_nTimer) DestroyWindow();
}

void CPrixelToasterDlg::PlaceAtWorkAreaCorner() {
    CRect window;
    GetWindowRect(&window);
    const CRect area = ui::GetWorkArea();
    SetWindowPos(&wndTop, area.right - window.Width(), area.bottom - window.Height(), 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
}
