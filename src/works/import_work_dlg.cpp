#include "works/import_work_dlg.h"

#include "host/paths.h"
#include "platform/system.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_resources.h"
#include "resources/prixel_texts.h"

CImportWorkDlg::CImportWorkDlg(CWnd* parent)
    : CDialog(IDD_IMPORT_WORK, parent),
      m_strFolder(CParPath::sServeurDataPath + "OuvragesPrixel"),
      m_strPrefix("PRIXEL") {
    OnClicked(IDC_IMPORT_BROWSE, [this] { OnBrowse(); });
    OnClicked(IDC_IMPORT_START, [this] { OnImport(); });
    On(IDC_IMPORT_FOLDER, ui::Notification::KillFocus, [this] { OnKillFocusFolder(); });
    On(IDC_IMPORT_PREFIX, ui::Notification::Changed, [this] { OnChangePrefix(); });
}

void CImportWorkDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_IMPORT_FOLDER, m_strFolder);
    DDX_Text(pDX, IDC_IMPORT_PREFIX, m_strPrefix);
}

void CImportWorkDlg::OnBrowse() {
    const std::optional<std::string> folder = ui::BrowseForFolder(this, Fr(TXT_CHOOSE_FOLDER));
    if (!folder) return;
    SetDlgItemText(IDC_IMPORT_FOLDER, *folder);
    UpdateData(true);
}

void CImportWorkDlg::OnImport() {
    UpdateData(true);
    if (m_strFolder.empty()) {
        AfxMessageBox(Fr(TXT_SPECIFY_FOLDER), MB_OK);
        return;
    }
    EndDialog(IDOK);
}

void CImportWorkDlg::OnKillFocusFolder() {
    const std::string previous = m_strFolder;
    UpdateData(true);
    if (m_strFolder.empty() || sys::Access(m_strFolder, 0) == 0) return;
    AfxMessageBox(Fr(TXT_NO_SUCH_FOLDER), MB_OK);
    m_strFolder = previous;
    SetDlgItemText(IDC_IMPORT_FOLDER, previous);
    GetDlgItem(IDC_IMPORT_FOLDER)->SetFocus();
}

void CImportWorkDlg::OnChangePrefix() {
    const std::string previous = m_strPrefix;
    UpdateData(true);
    if (m_strPrefix.size() <= MAX_PREFIX_LENGTH) return;
    m_strPrefix = previous;
    SetDlgItemText(IDC_IMPORT_PREFIX, previous);
}
