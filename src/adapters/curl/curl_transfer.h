#pragma once
// One navigation: a libcurl easy handle in the shared multi handle, with the body it receives.
// Destroying a transfer that is still running takes it out of the multi handle.

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <string>

#include "adapters/curl/curl_multi.h"

class CurlTransfer {
  public:
    // Starts fetching address, which must already be encoded as it goes on the wire.
    CurlTransfer(std::shared_ptr<CurlMulti> multi, const std::string& address);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Called by the multi handle when the transfer has ended, whatever the outcome.
    void Finish(CURLcode result);
    bool IsFinished() const { return m_result.has_value(); }
    // Once finished: the body the server sent, whatever its status, or the error page when no
    // answer could be had. A body that reaches PRIXEL_MAX_DOCUMENT bytes once decompressed ends
    // the transfer there, and its first PRIXEL_MAX_DOCUMENT bytes are the document.
    std::string Document() const;
    // Once finished: why the document is not the server's page (an error page, an error status,
    // a page cut at the limit), with libcurl's code and text; empty when it is.
    std::string FailureCause() const;

  private:
    static std::size_t Receive(char* data, std::size_t size, std::size_t count, void* self);
    void SetOptions(const std::string& address);
    void RouteHosts();
    void TrustCertificates();
    std::string TransferError() const;

    std::shared_ptr<CurlMulti> m_multi;
    CURL* m_easy;
    std::string m_body;
    char m_error[CURL_ERROR_SIZE] = {};
    std::optional<CURLcode> m_result;
    bool m_bTooLarge = false;
    curl_slist* m_connectTo = nullptr;
};
