#include "works/import_progress_dlg.h"

#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"
#include "resources/prixel_texts.h"

CImportProgressDlg::CImportProgressDlg() : CDialog(IDD_IMPORT_PROGRESS) {}

void CImportProgressDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
    DDX_Text(pDX, IDC_PROGRESS_CAPTION, m_strCaption);
}

void CImportProgressDlg::OnCancel() {
    if (AfxMessageBox(Fr(TXT_CONFIRM_INTERRUPTION), MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_bCancel = true;
}

void CImportProgressDlg::SetCaption(std::string caption) {
    m_strCaption = std::move(caption);
    UpdateData(false);
}

// The window was made at the screen's origin: half its right and bottom coordinates are half its
// size.
void CImportProgressDlg::ShowAtPointer() {
    CRect window;
    GetWindowRect(&window);
    const CPoint pointer = ui::GetCursorPos();
    SetWindowPos(&wndTop, pointer.x - window.right / 2, pointer.y - window.bottom / 2, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow();
}

void CImportProgressDlg::PostNcDestroy() {
    delete this;
}
