#include "module/prixel_ctrl.h"
#include "module/prixel_toaster_dlg.h"
#include "module/shared_holdings.h"
#include "resources/prixel_resources.h"

void CPrixelCtrl::DisplayToaster(std::string text) {
    DeleteToaster();
    m_pToaster = new CPrixelToasterDlg(std::move(text), nullptr);
    m_pToaster->Create(IDD_PRIXEL_TOASTER, nullptr);
}

// Deleting the toaster destroys its window when it is still on show; a toaster that a copy of
// the facade still holds is left to it.
void CPrixelCtrl::DeleteToaster() {
    holdings::LetGo(m_pToaster);
}
