// Supplier synchronisation: the host's contacts of the supplier family go to the service, a few
// suppliers per request; of the answers only the header line is kept.

#include "connection/prixel_answer.h"
#include "connection/prixel_request.h"
#include "connection/prixel_settings.h"
#include "connection/prixel_web_dlg.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "import/dao_message.h"
#include "module/prixel_ctrl.h"
#include "module/rights_check.h"
#include "module/service_exchange.h"
#include "platform/db/query.h"
#include "resources/prixel_texts.h"

namespace {

constexpr const char* SUPPLIER_FAMILY = "FOUR";
// A batch is sent once it holds this many characters or more.
constexpr std::size_t SUPPLIER_BATCH_LENGTH = 1000;
// The contact's leading texts a supplier line carries: name, address, postcode, town, telephone,
// fax, e-mail, SIRET, APE code and our customer number with the supplier.
constexpr int kSupplierTexts[] = {2, 4, 7, 8, 9, 10, 12, 14, 15, 17};

// The supplier's values, blanked of the request separators, joined by "|" and ended by "!".
std::string SupplierLine(const RContactSet& contact) {
    std::string line;
    for (const int number : kSupplierTexts)
        line += ClearSymbolText(contact.GetLeadingText(number)) + "|";
    line.back() = '!';
    return line;
}

}  // namespace

void CPrixelCtrl::SynchronizeProvider() {
    if (!MayModify()) return;
    // A batch goes without its final "!"; a batch that fails is not sent again.
    const auto send = [this](const std::string& batch) {
        DeleteToaster();
        const ServiceExchange exchange =
            RunServiceExchange(PrixelSupplierSync, m_pSettings, batch.substr(0, batch.size() - 1));
        if (exchange.result != IDOK) return;
        const CPrixelAnswer answer(exchange.page);
        if (!answer.IsEmpty()) m_pSettings->SetFromHeader(answer.GetHeaderLine());
    };
    RContactSet contacts(GetDBManager()->GetMDBDao(mdContacts));
    try {
        contacts.Open(
            db::FormatQuery("SELECT * FROM Contacts WHERE CFamille = '%s'", SUPPLIER_FAMILY));
        std::string batch;
        for (; !contacts.IsEOF(); contacts.MoveNext()) {
            batch += SupplierLine(contacts);
            if (batch.size() < SUPPLIER_BATCH_LENGTH) continue;
            send(batch);
            batch.clear();
        }
        if (!batch.empty()) send(batch);
        DisplayToaster(Fr(TXT_TOASTER_SUPPLIERS_DONE));
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}
