#include "module/sheets.h"

#include "module/prixel_ctrl.h"
#include "module/service_exchange.h"
#include "platform/shell.h"

// The sheets are pages the user reads and closes: whatever the exchange ends with, nothing comes
// back, nothing is shown and the settings stay as they were. The texts go through as they are.

void CPrixelCtrl::OpenArticleSheet(std::string a, std::string b, std::string c, std::string d) {
    const std::string param = a + "|" + b + "|" + c + "|" + d;
    DeleteToaster();
    RunServiceExchange(PrixelArticleSheet, m_pSettings, param);
}

void CPrixelCtrl::OpenMakerSheet(std::string maker) {
    DeleteToaster();
    RunServiceExchange(PrixelMakerSheet, m_pSettings, maker);
}

void CPrixelCtrl::OpenProductSheet(std::string a, std::string b, std::string c) {
    const std::string param = a + "|" + b + "|" + c;
    DeleteToaster();
    RunServiceExchange(PrixelProductSheet, m_pSettings, param);
}

// A browser that cannot be started shows nothing.
void CPrixelCtrl::OpenVakoPrixelCom() {
    sys::OpenInBrowser(PRIXEL_PRODUCT_PAGE);
}
