// The maker update: the update dialog lists the out-of-date makers; the user refreshes one of
// them, and sees the list again, or all of them at once.

#include "import/prixel_maker.h"
#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"
#include "update/prixel_update_dlg.h"

int CPrixelCtrl::OpenUpdate() {
    if (!MayModify()) return m_nOutdatedMakers == 0;
    CPrixelUpdateDlg dialog(m_pMakers, m_nMakerCount, nullptr);
    for (;;) {
        const int result = dialog.DoModal();
        if (result == CPrixelUpdateDlg::UPDATE_ALL) {
            for (int i = 0; i < m_nMakerCount; ++i) UpdatePrixelMaker(i);
            AfxMessageBox(Fr(TXT_ALL_TARIFFS_UPDATED), MB_OK);
            DisplayToaster(Fr(TXT_TOASTER_UPDATE_DONE));
            break;
        }
        if (result < 0) break;
        UpdatePrixelMaker(result);
        AfxMessageBox(text::Format(Fr(TXT_MAKER_TARIFFS_UPDATED).c_str(),
                                   m_pMakers[result].GetName().c_str()),
                      MB_OK);
    }
    return m_nOutdatedMakers == 0;
}

// One request per out-of-date material, each written into the library; then the maker's row
// takes the tariff of the up-to-date answer.
void CPrixelCtrl::UpdatePrixelMaker(int index) {
    CPrixelMaker& maker = m_pMakers[index];
    const int count = maker.GetOutdatedCount();
    const std::string* references = maker.GetOutdatedRefs();
    if (count == 0 || references == nullptr) return;
    for (int j = 0; j < count; ++j) {
        UpdatePrixelArticle(maker.GetId(), maker.GetPrefix(), references[j], maker.GetTariffDate(),
                            1);
    }
    maker.MarkUpdated();
    --m_nOutdatedMakers;
}
