#include "connection/prixel_web_dlg.h"

#include <climits>

#include "connection/prixel_answer.h"
#include "connection/prixel_settings.h"
#include "host/paths.h"
#include "platform/system.h"
#include "resources/prixel_resources.h"

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
    const std::string hostVersion = HostVersionText(sys::GetHostVersion());
    StartTimeout();
    m_browser->Navigate(
        BuildRequestAddress({m_strServer, KindInfo(m_nKind), hostVersion, m_strParam, m_strStamp,
                             m_strIdentity, CParPath::sFirmDefaut}));
    return true;
}

void CPrixelWebDlg::OnDocumentComplete(const std::string&) {
    m_browser->PutSilent(true);
    if (m_nTimer != 0) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    if (m_bAnswerPending) SaveAnswerAndEnd();
}

void CPrixelWebDlg::OnValider() {
    if (m_nKind != PrixelArticleCatalogue && m_nKind != PrixelMakerCatalogue) {
        EndDialog(0);
        return;
    }
    m_bAnswerPending = true;
    StartTimeout();
    m_browser->Navigate(
        BuildRecuperationAddress(m_strServer, m_strStamp, m_strIdentity, CParPath::sFirmDefaut));
}

void CPrixelWebDlg::OnQuitter() {
    EndDialog(0);
}

void CPrixelWebDlg::OnTimer(unsigned id) {
    CDialog::OnTimer(id);
    if (id != m_nTimer) return;
    m_nTimer = 0;
    EndDialog(PRIXEL_NO_CONNECTION);
}

// A negative time-out is taken as the longest period a window timer has, as the system's timers do.
void CPrixelWebDlg::StartTimeout() {
    const unsigned period = m_nNavigateTimeout < 0 ? INT_MAX : m_nNavigateTimeout;
    m_nTimer = SetTimer(PRIXEL_TIMER_ID, period);
}

void CPrixelWebDlg::SaveAnswerAndEnd() {
    int result = IDOK;
    if (std::optional<std::string> document = m_browser->SaveDocument()) {
        if (document->size() < PRIXEL_MAX_DOCUMENT) {
            m_pAnswerText = std::make_unique<std::string>(std::move(*document));
        } else {
            result = PRIXEL_TOO_LARGE;
        }
    }
    EndDialog(result);
}
