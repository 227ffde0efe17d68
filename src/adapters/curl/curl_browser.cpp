#include "adapters/curl/curl_browser.h"

#include <algorithm>

#include "adapters/curl/curl_browser_factory.h"
#include "adapters/curl/url_encoding.h"
#include "platform/ui/wnd.h"

namespace {

// The longest the loop waits on the network at a time, so that it keeps looking at its own
// conditions while a server is silent.
constexpr int kMaxWaitMs = 100;

}  // namespace

std::unique_ptr<CWebBrowser2> MakeCurlBrowser() {
    return std::make_unique<CurlBrowser>();
}

CurlBrowser::CurlBrowser() : m_multi(CurlMulti::Shared()) {}

CurlBrowser::~CurlBrowser() {
    if (m_backend == nullptr) return;
    m_backend->AttachBrowser(m_control, nullptr);
    m_backend->RemoveLoopSource(this);
}

void CurlBrowser::Create(CWnd* parent, int controlId, DocumentComplete onComplete) {
    m_backend = &ui::CurrentBackend();
    m_parent = parent != nullptr ? parent->GetSafeHwnd() : 0;
    m_control = m_backend->GetControl(m_parent, controlId);
    m_onComplete = std::make_shared<DocumentComplete>(std::move(onComplete));
    m_backend->AddLoopSource(this);
    m_backend->AttachBrowser(m_control, this);
}

std::string CurlBrowser::ShownDocument() const {
    return m_document.value_or("");
}

void CurlBrowser::FollowLink(const std::string& href) {
    Navigate(ResolveLink(m_url, href));
}

void CurlBrowser::Navigate(const std::string& url) {
    m_transfer.reset();
    m_url = url;
    m_transfer = std::make_unique<CurlTransfer>(m_multi, EncodeAddress(url));
}

int CurlBrowser::NextWakeMs() {
    if (!m_transfer) return -1;
    if (m_transfer->IsFinished()) return 0;
    int timeout = m_multi->TimeoutMs();
    return timeout < 0 ? kMaxWaitMs : std::min(timeout, kMaxWaitMs);
}

void CurlBrowser::Poll(int waitMs) {
    if (!m_transfer) return;
    if (!m_transfer->IsFinished()) m_multi->Work(waitMs);
    if (m_transfer->IsFinished()) CompleteDocument();
}

void CurlBrowser::CompleteDocument() {
    m_document = m_transfer->Document();
    m_failure = m_transfer->FailureCause();
    m_transfer.reset();
    std::weak_ptr<DocumentComplete> onComplete = m_onComplete;
    m_backend->Post(m_parent, [onComplete, url = m_url] {
        if (std::shared_ptr<DocumentComplete> tell = onComplete.lock(); tell && *tell) (*tell)(url);
    });
}
