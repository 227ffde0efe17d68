#include "platform/ui/dialog.h"

using ui::CurrentBackend;
using ui::Notification;

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!control) return;
    if (pDX->m_bSaveAndValidate)
        value = control->GetWindowText();
    else
        control->SetWindowText(value);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    control.m_hWnd = CurrentBackend().GetControl(pDX->m_pDlgWnd->m_hWnd, id);
}

CDialog::CDialog(int templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    if (m_hWnd != 0) CurrentBackend().DestroyWindow(m_hWnd);
}

int CDialog::DoModal() {
    m_bModal = true;
    m_nModalResult = -1;
    const ui::DialogTemplate* dialog = ui::FindDialogTemplate(m_nIDTemplate);
    if (!dialog || !MakeWindow(*dialog)) return -1;
    CurrentBackend().RunModalLoop(m_hWnd);
    int result = m_nModalResult;
    DestroyWindow();
    return result;
}

bool CDialog::Create(int templateId, CWnd* parent) {
    m_bModal = false;
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    const ui::DialogTemplate* dialog = ui::FindDialogTemplate(templateId);
    if (!dialog || !MakeWindow(*dialog)) return false;
    if (dialog->style & ui::kStyleVisible) ShowWindow(SW_SHOW);
    return true;
}

bool CDialog::MakeWindow(const ui::DialogTemplate& dialog) {
    m_hWnd =
        CurrentBackend().CreateDialogWindow(dialog, this, m_pParentWnd ? m_pParentWnd->m_hWnd : 0);
    if (m_hWnd == 0) return false;
    OnInitDialog();
    return CurrentBackend().IsWindow(m_hWnd);
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_bModal)
        CurrentBackend().EndModalLoop(m_hWnd);
    else
        ShowWindow(SW_HIDE);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return true;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnNotify(int id, Notification code, int* result) {
    auto found = m_handlers.find({id, code});
    if (found != m_handlers.end()) {
        Handler handler = found->second;
        if (result) *result = 0;
        handler();
        return true;
    }
    if (code != Notification::Clicked) return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::OnClicked(int controlId, Handler handler) {
    On(controlId, Notification::Clicked, std::move(handler));
}

void CDialog::On(int controlId, Notification code, Handler handler) {
    m_handlers[{controlId, code}] = std::move(handler);
}
