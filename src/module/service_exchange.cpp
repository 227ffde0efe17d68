#include "module/service_exchange.h"

#include "connection/prixel_web_dlg.h"

ServiceExchange RunServiceExchange(PrixelRequestKind kind, CPrixelSettings* settings,
                                   const std::string& param) {
    CPrixelWebDlg dialog(kind, settings, param, nullptr);
    ServiceExchange exchange;
    exchange.result = dialog.DoModal();
    if (exchange.result == IDOK) exchange.page = dialog.GetPageText();
    return exchange;
}
