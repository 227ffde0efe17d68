// The up-to-date check: the service lists its makers with their current
// tariffs; the library's linked materials that carry another tariff are out of
// date.

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/prixel_web_dlg.h"
#include "import/prixel_maker.h"
#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "module/service_exchange.h"
#include "module/shared_holdings.h"
#include "platform/db/dao.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

CPrixelCtrl::PrixelUpdateState CPrixelCtrl::IsUpToDate() {
    m_nOutdatedMakers = 0;
    if (!MayModify()) return PrixelNotChecked;
    DeleteToaster();
    const ServiceExchange exchange = RunServiceExchange(PrixelUpdateCheck, m_pSettings, "");
    if (exchange.result == PRIXEL_TOO_LARGE) {
        AfxMessageBox(Fr(TXT_TOO_MANY_MAKERS), MB_OK);
        return PrixelNotChecked;
    }
    if (exchange.result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
        return PrixelNotChecked;
    }
    if (exchange.result != IDOK) return PrixelNotChecked;

    const CPrixelAnswer answer(exchange.page);
    if (!answer.IsEmpty()) {
        m_pSettings->SetFromHeader(answer.GetHeaderLine());
        m_nMakerCount = CPrixelMaker().CountMakers();
        holdings::LetGoArray(m_pMakers);
        if (m_nMakerCount != 0) {
            m_pMakers = new CPrixelMaker[m_nMakerCount];
            m_nOutdatedMakers = answer.ParseMakerLines(m_pMakers, m_nMakerCount);
        }
    }
    return m_nOutdatedMakers != 0 ? PrixelOutOfDate : PrixelUpToDate;
}
