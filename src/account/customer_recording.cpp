// Customer recording and account creation: the company's identity goes to the service, which
// answers the customer's identity at the service; the facade keeps the outcome.

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "connection/prixel_web_dlg.h"
#include "host/application.h"
#include "module/prixel_ctrl.h"
#include "module/service_exchange.h"
#include "platform/text.h"
#include "platform/ui/desktop.h"
#include "resources/prixel_texts.h"

namespace {

const CVakoProtection& HostIdentity() {
    static const CVakoProtection none;
    const CHostApp* app = GetHostApp();
    return app != nullptr ? app->m_Protection : none;
}

}  // namespace

void CPrixelCtrl::CustomerRecording() {
    const CVakoProtection& id = HostIdentity();
    const std::string values[] = {
        ClearSymbol(id.GetCustomerCode()),
        ClearSymbol(id.GetCompanyName()),
        ClearSymbol(id.GetAddress1()),
        ClearSymbol(id.GetAddress2()),
        ClearSymbol(id.GetPostcode()),
        ClearSymbol(id.GetTown()),
        ClearSymbol(id.GetPhone()),
        ClearSymbol(id.GetFax()),
        "",
        ClearSymbol(id.GetEmail()),
        ClearSymbol(id.GetSerialNumber()),
        id.GetMode() != 0 ? "-1" : "0",
        text::Format("%d", static_cast<short>(id.GetWorkstations())),
        ClearSymbol(id.GetSiret()),
        ClearSymbol(id.GetApe()),
        m_pSettings->m_strComputerName,
        id.GetOption() != 0 ? "-1" : "0",
    };
    std::string registration = values[0];
    for (std::size_t i = 1; i < std::size(values); ++i) registration += "|" + values[i];

    m_pSettings->ResetForRecording();
    DeleteToaster();
    const ServiceExchange exchange =
        RunServiceExchange(PrixelCustomerRecording, m_pSettings, registration);
    if (exchange.result == IDOK) {
        const CPrixelAnswer answer(exchange.page);
        if (answer.IsEmpty()) return;
        // The rights the state depends on are those the header line brings: the reset above
        // emptied the settings' rights, and the header line puts the service's in their place.
        const std::string header = answer.GetHeaderLine();
        m_pSettings->SetFromHeader(header);
        UpdateRecordingState(header);
    } else if (exchange.result == PRIXEL_TOO_LARGE) {
        AfxMessageBox(Fr(TXT_RECORDING_TOO_LARGE), MB_OK);
    } else if (exchange.result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
    }
}

void CPrixelCtrl::UpdateRecordingState(std::string header) {
    if (header.empty()) {
        m_eRecordingState = PrixelNoAnswer;
    } else if (header[0] != '!') {
        m_eRecordingState = PrixelNotRecorded;
    } else {
        m_eRecordingState =
            m_pSettings->GetRightsString().empty() ? PrixelRecordedWithoutRights : PrixelRecorded;
    }
}

void CPrixelCtrl::CreateAccount() {
    DeleteToaster();
    if (RunServiceExchange(PrixelAccountCreation, m_pSettings, "").result == PRIXEL_NO_CONNECTION) {
        AfxMessageBox(Fr(TXT_NO_CONNECTION), MB_OK);
        return;
    }
    m_eRecordingState = PrixelRecorded;
}
