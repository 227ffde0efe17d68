#include "update/prixel_update_dlg.h"

#include "import/prixel_maker.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

constexpr int kNameColumnWidth = 213;
constexpr int kCountColumnWidth = 40;

}  // namespace

CPrixelUpdateDlg::CPrixelUpdateDlg(CPrixelMaker* makers, int count, CWnd* parent)
    : CDialog(IDD_PRIXEL_UPDATE, parent), m_nMakers(count), m_pMakerArray(makers) {
    OnClicked(IDC_PRIXEL_QUITTER, [this] { OnQuit(); });
    OnClicked(IDC_UPDATE_ONE, [this] { OnUpdateOne(); });
    OnClicked(IDC_UPDATE_ALL, [this] { OnUpdateAll(); });
    On(IDC_UPDATE_LIST, ui::Notification::ListClick, [this] { OnListClick(); });
}

void CPrixelUpdateDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UPDATE_LIST, m_list);
}

// The columns keep their widths: dragging or double-clicking a divider of the header is refused.
bool CPrixelUpdateDlg::OnNotify(int id, ui::Notification code, int* result) {
    if (code == ui::Notification::HeaderBeginTrack ||
        code == ui::Notification::HeaderDividerDblClick) {
        if (result) *result = 1;
        return true;
    }
    return CDialog::OnNotify(id, code, result);
}

bool CPrixelUpdateDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, "Fabricant", LVCFMT_LEFT, kNameColumnWidth, 0);
    m_list.InsertColumn(1, "", LVCFMT_RIGHT, kCountColumnWidth, 1);
    int row = 0;
    for (int i = 0; i < m_nMakers; ++i) {
        const CPrixelMaker& maker = m_pMakerArray[i];
        if (!maker.IsOutdated()) continue;
        const int item = m_list.InsertItem(row++, maker.GetName());
        m_list.SetItemText(item, 0, maker.GetName());
        m_list.SetItemText(item, 1, text::Format("%i", maker.GetOutdatedCount()));
        m_list.SetItemData(item, static_cast<std::uintptr_t>(i));
    }
    UpdateData(false);
    return true;
}

void CPrixelUpdateDlg::OnCancel() {
    EndDialog(UPDATE_QUIT);
}

void CPrixelUpdateDlg::OnQuit() {
    EndDialog(UPDATE_QUIT);
}

void CPrixelUpdateDlg::OnUpdateOne() {
    EndDialog(static_cast<int>(m_list.GetItemData(m_list.GetSelectionMark())));
}

void CPrixelUpdateDlg::OnUpdateAll() {
    EndDialog(UPDATE_ALL);
}

void CPrixelUpdateDlg::OnListClick() {
    GetDlgItem(IDC_UPDATE_ONE)->EnableWindow(m_list.GetSelectionMark() != -1);
}
