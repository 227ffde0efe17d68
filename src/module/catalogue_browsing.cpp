// The main operation: the user browses the service's catalogue, picks articles
// and brings them into the library or the open study.

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/prixel_web_dlg.h"
#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "module/service_exchange.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

namespace {

constexpr int kSearchTextLength = 1000;

}  // namespace

int CPrixelCtrl::OpenVarnelo(std::list<std::string>& codes, std::string text, int toLibrary,
                             int notify) {
    if (!MayModify()) return 0;
    DeleteToaster();
    const std::string param = "|||||" + ClearSymbol(text::Left(text, kSearchTextLength));
    const ServiceExchange exchange = RunServiceExchange(PrixelArticleCatalogue, m_pSettings, param);
    if (exchange.result == PRIXEL_TOO_LARGE) {
        AfxMessageBox(Fr(TXT_TOO_MANY_ARTICLES), MB_OK);
        return 0;
    }
    if (exchange.result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
        return 0;
    }
    if (exchange.result != IDOK) return 0;

    CPrixelAnswer answer(exchange.page);
    if (answer.IsEmpty()) return 0;
    m_pSettings->SetFromHeader(answer.GetHeaderLine());
    const int count = answer.ImportAnswer(codes, toLibrary != 0);
    if (count != 0) {
        IsUpToDate();
        if (notify != 0) DisplayToaster(Fr(TXT_TOASTER_ELEMENTS_DONE));
    }
    return count;
}
