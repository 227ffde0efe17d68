#include "adapters/curl/curl_transfer.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "adapters/curl/ca_bundle.h"
#include "adapters/curl/error_page.h"
#include "connection/web_browser.h"
#include "platform/text.h"

namespace {

// Long enough for any server that is slow to accept; the dialog's own time-out comes first.
constexpr long kConnectTimeoutSeconds = 120;

}  // namespace

CurlTransfer::CurlTransfer(std::shared_ptr<CurlMulti> multi, const std::string& address)
    : m_multi(std::move(multi)), m_easy(curl_easy_init()) {
    if (m_easy == nullptr) throw std::runtime_error("libcurl easy handle refused");
    SetOptions(address);
    m_multi->Add(m_easy);
}

CurlTransfer::~CurlTransfer() {
    if (!IsFinished()) m_multi->Remove(m_easy);
    curl_easy_cleanup(m_easy);
    curl_slist_free_all(m_connectTo);
}

void CurlTransfer::Finish(CURLcode result) {
    m_result = result;
    m_multi->Remove(m_easy);
}

std::string CurlTransfer::Document() const {
    if (m_result == CURLE_OK || m_bTooLarge) return m_body;
    return ErrorPage(m_error[0] != '\0' ? m_error : curl_easy_strerror(m_result.value()));
}

std::string CurlTransfer::FailureCause() const {
    if (m_bTooLarge) {
        return text::FromUtf8("page trop grande : " + std::to_string(PRIXEL_MAX_DOCUMENT) +
                              " octets ou plus une fois décompressée");
    }
    if (m_result == CURLE_OK) {
        long status = 0;
        curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
        return status >= 400 ? "statut HTTP " + std::to_string(status) : std::string();
    }
    return TransferError();
}

// What kind of failure, then libcurl's own words, and for a certificate the verification's result
// (OpenSSL's code; 0 when the certificate chain was sound but named another host).
std::string CurlTransfer::TransferError() const {
    const CURLcode code = m_result.value();
    const std::string detail = " (curl " + std::to_string(code) + " : " +
                               (m_error[0] != '\0' ? m_error : curl_easy_strerror(code)) + ")";
    switch (code) {
        case CURLE_PEER_FAILED_VERIFICATION: {
            long verify = 0;
            curl_easy_getinfo(m_easy, CURLINFO_SSL_VERIFYRESULT, &verify);
            return text::FromUtf8("certificat non vérifié") + detail +
                   text::FromUtf8(", résultat de la vérification ") + std::to_string(verify);
        }
        case CURLE_COULDNT_CONNECT:
            return text::FromUtf8("connexion refusée") + detail;
        case CURLE_COULDNT_RESOLVE_HOST:
            return "serveur introuvable" + detail;
        case CURLE_OPERATION_TIMEDOUT:
            return text::FromUtf8("délai de connexion dépassé") + detail;
        default:
            return text::FromUtf8("échec du transfert") + detail;
    }
}

// libcurl hands the body over decompressed: the limit applies to what the page will hold, and a
// small compressed answer cannot make the browser take more memory than the dialog accepts.
std::size_t CurlTransfer::Receive(char* data, std::size_t size, std::size_t count, void* self) {
    auto* transfer = static_cast<CurlTransfer*>(self);
    const std::size_t received = size * count;
    const std::size_t room = PRIXEL_MAX_DOCUMENT - transfer->m_body.size();
    transfer->m_body.append(data, std::min(received, room));
    if (received < room) return received;
    transfer->m_bTooLarge = true;
    return 0;  // stops the transfer
}

void CurlTransfer::SetOptions(const std::string& address) {
    curl_easy_setopt(m_easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(m_easy, CURLOPT_PRIVATE, this);
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_error);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::Receive);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(m_easy, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(m_easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(m_easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(m_easy, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    RouteHosts();
    TrustCertificates();
}

// PRIXEL_CONNECT_TO sends a host and port elsewhere, as a name server and a port forward would:
// comma-separated "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" entries. It lets the service's
// host name lead to a stand-in listening on another port; certificates are still checked
// against the host name of the address.
void CurlTransfer::RouteHosts() {
    const char* routes = std::getenv("PRIXEL_CONNECT_TO");
    if (routes == nullptr) return;
    for (const std::string& route : text::Split(routes, ',')) {
        if (!route.empty()) m_connectTo = curl_slist_append(m_connectTo, route.c_str());
    }
    curl_easy_setopt(m_easy, CURLOPT_CONNECT_TO, m_connectTo);
}

void CurlTransfer::TrustCertificates() {
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(m_easy, CURLOPT_SSL_VERIFYHOST, 2L);
    char* systemCaFile = nullptr;
    curl_easy_getinfo(m_easy, CURLINFO_CAINFO, &systemCaFile);
    std::optional<std::string> bundle = CombinedCaBundle(systemCaFile ? systemCaFile : "");
    if (!bundle) return;
    curl_blob blob{bundle->data(), bundle->size(), CURL_BLOB_COPY};
    curl_easy_setopt(m_easy, CURLOPT_CAINFO_BLOB, &blob);
}
