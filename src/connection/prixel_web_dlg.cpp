#include "connection/prixel_web_dlg.h"

#include <climits>

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "host/paths.h"
#include "platform/diagnostic_log.h"
#include "platform/system.h"
#include "platform/text.h"
#include "resources/prixel_resources.h"
#include "resources/prixel_texts.h"

namespace {

// Stands in the diagnostic log for what tells who asks.
constexpr const char* kWithheld = "*";

}  // namespace

CPrixelWebDlg::CPrixelWebDlg(PrixelRequestKind kind, CPrixelSettings* settings, std::string param,
                             CWnd* parent)
    : CDialog(IDD_PRIXEL_WEB, parent),
      m_browser(MakeBrowser()),
      m_nKind(kind),
      m_strServer(settings->GetServerAddr()),
      m_strParam(std::move(param)),
      m_strIdentity(settings->GetIdentity()) {
    m_nNavigateTimeout = GetNavigateTimeout();
    const PrixelKindInfo info = KindInfo(kind);
    m_strPath = info.path;
    m_strPage = info.page;
    m_strPageKey = info.key;
    m_strPageCode = info.code;
    if (info.stamped) m_strStamp = MakeStamp();
    m_bAnswerPending = info.answerIsPage;
    OnClicked(IDC_PRIXEL_VALIDER, [this] { OnValider(); });
    OnClicked(IDC_PRIXEL_QUITTER, [this] { OnQuitter(); });
}

CPrixelWebDlg::~CPrixelWebDlg() = default;

std::string CPrixelWebDlg::GetPageText() const {
    return m_pAnswerText ? PageText(*m_pAnswerText) : std::string();
}

void CPrixelWebDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    if (m_bBrowserCreated) return;
    m_browser->Create(this, IDC_PRIXEL_BROWSER,
                      [this](const std::string& url) { OnDocumentComplete(url); });
    m_bBrowserCreated = true;
}

bool CPrixelWebDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_browser->PutSilent(true);
    if (m_bAnswerPending) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    m_strHostVersion = HostVersionText(sys::GetHostVersion());
    StartTimeout();
    NavigateTo(false);
    return true;
}

void CPrixelWebDlg::OnDocumentComplete(const std::string&) {
    m_browser->PutSilent(true);
    if (m_nTimer != 0) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    std::string cause = m_browser->FailureCause();
    if (m_bAnswerPending) {
        SaveAnswerAndEnd(std::move(cause));
    } else if (!cause.empty()) {
        LogFailure(cause);
    }
}

void CPrixelWebDlg::OnValider() {
    if (m_nKind != PrixelArticleCatalogue && m_nKind != PrixelMakerCatalogue) {
        EndDialog(0);
        return;
    }
    m_bAnswerPending = true;
    StartTimeout();
    NavigateTo(true);
}

void CPrixelWebDlg::OnQuitter() {
    EndDialog(0);
}

void CPrixelWebDlg::OnTimer(unsigned id) {
    CDialog::OnTimer(id);
    if (id != m_nTimer) return;
    m_nTimer = 0;
    LogFailure(text::Format(Fr(TXT_LOG_TIMEOUT).c_str(), m_nNavigateTimeout));
    EndDialog(PRIXEL_NO_CONNECTION);
}

// A negative time-out is taken as the longest period a window timer has, as the system's timers do.
void CPrixelWebDlg::StartTimeout() {
    const unsigned period = m_nNavigateTimeout < 0 ? INT_MAX : m_nNavigateTimeout;
    m_nTimer = SetTimer(PRIXEL_TIMER_ID, period);
}

// The log's copy of the address leaves out who asks: the identity, and the particulars of the
// company that a recording sends.
void CPrixelWebDlg::NavigateTo(bool recuperation) {
    m_strLoggedAddress = Address(recuperation, kWithheld,
                                 m_nKind == PrixelCustomerRecording ? kWithheld : m_strParam);
    m_browser->Navigate(Address(recuperation, m_strIdentity, m_strParam));
}

std::string CPrixelWebDlg::Address(bool recuperation, const std::string& identity,
                                   const std::string& param) const {
    if (recuperation) {
        return BuildRecuperationAddress(m_strServer, m_strStamp, identity, CParPath::sFirmDefaut);
    }
    return BuildRequestAddress({m_strServer, KindInfo(m_nKind), m_strHostVersion, param, m_strStamp,
                                identity, CParPath::sFirmDefaut});
}

void CPrixelWebDlg::SaveAnswerAndEnd(std::string cause) {
    int result = IDOK;
    if (std::optional<std::string> document = m_browser->SaveDocument()) {
        if (document->size() < PRIXEL_MAX_DOCUMENT) {
            LogCutAtZero(*document);
            m_pAnswerText = std::make_unique<std::string>(std::move(*document));
        } else {
            result = PRIXEL_TOO_LARGE;
            if (cause.empty())
                cause = text::Format(Fr(TXT_LOG_TOO_LARGE).c_str(), document->size());
        }
    } else if (cause.empty()) {
        cause = Fr(TXT_LOG_NO_DOCUMENT);
    }
    if (!cause.empty()) LogFailure(cause);
    EndDialog(result);
}

void CPrixelWebDlg::LogFailure(const std::string& cause) const {
    diag::Write(CParPath::sCurrentPath,
                text::Format(Fr(TXT_LOG_FAILED_EXCHANGE).c_str(), static_cast<int>(m_nKind),
                             cause.c_str(), m_strLoggedAddress.c_str()));
}

// The page's text ends at its first zero byte: what follows it is not read, and the log says so.
void CPrixelWebDlg::LogCutAtZero(const std::string& document) const {
    const std::size_t zero = document.find('\0');
    if (zero == std::string::npos) return;
    diag::Write(CParPath::sCurrentPath, text::Format(Fr(TXT_LOG_PAGE_CUT).c_str(), zero, zero,
                                                     document.size(), m_strLoggedAddress.c_str()));
}
