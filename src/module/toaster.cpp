#include "module/prixel_ctrl.h"
#include "module/prixel_toaster_dlg.h"
#include "resources/prixel_resources.h"

void CPrixelCtrl::DisplayToaster(std::string text) {
    DeleteToaster();
    m_pToaster = new CPrixelToasterDlg(std::move(text), nullptr);
    m_pToaster->Create(IDD_PRIXEL_TOASTER, nullptr);
}

// Deleting the toaster destroys its window when it is still on show.
void CPrixelCtrl::DeleteToaster() {
    delete m_pToaster;
    m_pToaster = nullptr;
}
