#pragma once
// The one libcurl multi handle of the process. Its connection cache outlives every browser, so
// that successive exchanges with the service go over the same TLS connection. It has no thread:
// whoever drives it calls Work from the user-interface loop.

#include <curl/curl.h>

#include <memory>

class CurlMulti {
  public:
    CurlMulti();
    ~CurlMulti();
    CurlMulti(const CurlMulti&) = delete;
    CurlMulti& operator=(const CurlMulti&) = delete;

    // The process's multi handle, made at the first call.
    static std::shared_ptr<CurlMulti> Shared();

    void Add(CURL* easy);
    void Remove(CURL* easy);
    // Milliseconds until libcurl needs to work again; -1 when only the network can wake it.
    int TimeoutMs();
    // Waits at most waitMs for network activity, does the work that is ready and tells each
    // finished transfer (the CurlTransfer in the easy handle's private pointer) of its result.
    void Work(int waitMs);

  private:
    void TellFinished();

    CURLM* m_multi;
};
