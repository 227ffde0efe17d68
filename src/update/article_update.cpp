// Questions about named articles, without browsing the catalogue: the update of articles into the
// library or the study, and one article's list price.

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/prixel_web_dlg.h"
#include "import/bib_mx_element.h"
#include "import/dao_message.h"
#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "module/service_exchange.h"
#include "platform/db/dao.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

void CPrixelCtrl::UpdatePrixelArticle(std::string a, std::string b, std::string c, std::string d,
                                      int toLibrary) {
    UpdatePrixelArticle(a + "," + b + "," + c + "," + d, toLibrary);
}

void CPrixelCtrl::UpdatePrixelArticle(std::string param, int toLibrary) {
    if (!MayModify()) return;
    DeleteToaster();
    const ServiceExchange exchange = RunServiceExchange(PrixelTariffQuery, m_pSettings, param);
    if (exchange.result == PRIXEL_TOO_LARGE) {
        AfxMessageBox(Fr(TXT_TOO_MANY_ARTICLES_ASKED), MB_OK);
        return;
    }
    if (exchange.result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
        return;
    }
    if (exchange.result != IDOK) return;

    CPrixelAnswer answer(exchange.page);
    if (answer.IsEmpty()) return;
    m_pSettings->SetFromHeader(answer.GetHeaderLine());
    std::list<std::string> codes;
    answer.ImportAnswer(codes, toLibrary != 0);
}

std::string CPrixelCtrl::GetArticleTarif(std::string a, std::string b, std::string c) {
    DeleteToaster();
    const ServiceExchange exchange =
        RunServiceExchange(PrixelTariffQuery, m_pSettings, a + "," + b + "," + c);
    if (exchange.result == PRIXEL_TOO_LARGE) {
        AfxMessageBox(Fr(TXT_RECORDING_TOO_LARGE), MB_OK);
        return {};
    }
    if (exchange.result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
        return {};
    }
    if (exchange.result != IDOK) return {};

    const CPrixelAnswer answer(exchange.page);
    if (answer.IsEmpty()) return {};
    m_pSettings->SetFromHeader(answer.GetHeaderLine());
    return answer.GetTariffFromAnswer();
}

// Each line is read as a library material, which is built and never written. A library that
// cannot be opened leaves no material to read.
std::string CPrixelAnswer::GetTariffFromAnswer() const {
    const std::string body = GetAnswerBody();
    std::size_t start = 0;
    try {
        for (std::size_t end = body.find("\r\n"); end != std::string::npos;
             start = end + 2, end = body.find("\r\n", start)) {
            const CPrixelBibMxElement element(body.substr(start, end - start));
            std::string price = element.GetListPrice();
            if (!price.empty()) return price;
        }
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
    return {};
}
