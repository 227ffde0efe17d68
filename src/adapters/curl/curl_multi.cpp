#include "adapters/curl/curl_multi.h"

#include <stdexcept>

#include "adapters/curl/curl_transfer.h"

CurlMulti::CurlMulti() {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        throw std::runtime_error("libcurl initialisation failed");
    m_multi = curl_multi_init();
    if (m_multi == nullptr) throw std::runtime_error("libcurl multi handle refused");
}

CurlMulti::~CurlMulti() {
    curl_multi_cleanup(m_multi);
    curl_global_cleanup();
}

std::shared_ptr<CurlMulti> CurlMulti::Shared() {
    static std::shared_ptr<CurlMulti> shared = std::make_shared<CurlMulti>();
    return shared;
}

void CurlMulti::Add(CURL* easy) {
    curl_multi_add_handle(m_multi, easy);
}

void CurlMulti::Remove(CURL* easy) {
    curl_multi_remove_handle(m_multi, easy);
}

int CurlMulti::TimeoutMs() {
    long timeout = -1;
    curl_multi_timeout(m_multi, &timeout);
    return static_cast<int>(timeout);
}

void CurlMulti::Work(int waitMs) {
    curl_multi_poll(m_multi, nullptr, 0, waitMs, nullptr);
    int running = 0;
    curl_multi_perform(m_multi, &running);
    TellFinished();
}

void CurlMulti::TellFinished() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg != CURLMSG_DONE) continue;
        CurlTransfer* transfer = nullptr;
        curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
        transfer->Finish(message->data.result);
    }
}
