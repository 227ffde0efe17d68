#pragma once
// The HTTPS browser without windows: each navigation is a libcurl transfer in the process's
// shared multi handle, driven by the user-interface loop (no thread of its own). When a transfer
// ends, its body (or an error page when no answer could be had) becomes the current document and
// the completion is told from the loop. A server that never answers gives no completion at all.

#include <memory>
#include <optional>
#include <string>

#include "adapters/curl/curl_multi.h"
#include "adapters/curl/curl_transfer.h"
#include "connection/web_browser.h"
#include "platform/ui/backend.h"

class CurlBrowser : public CWebBrowser2, public ui::LoopSource, public ui::BrowserView {
  public:
    CurlBrowser();
    ~CurlBrowser() override;
    CurlBrowser(const CurlBrowser&) = delete;
    CurlBrowser& operator=(const CurlBrowser&) = delete;

    // Joins the current backend's loop; completions are posted to parent's window.
    void Create(CWnd* parent, int controlId, DocumentComplete onComplete) override;
    void PutSilent(bool silent) override { m_silent = silent; }
    bool IsSilent() const { return m_silent; }
    // Drops the transfer in progress, if any, and starts fetching url.
    void Navigate(const std::string& url) override;
    std::optional<std::string> SaveDocument() override { return m_document; }
    std::string FailureCause() const override { return m_failure; }

    int NextWakeMs() override;
    void Poll(int waitMs) override;

    std::string ShownDocument() const override;
    void FollowLink(const std::string& href) override;
    bool IsLoading() const override { return m_transfer != nullptr; }

  private:
    void CompleteDocument();

    std::shared_ptr<CurlMulti> m_multi;
    ui::Backend* m_backend = nullptr;
    ui::Hwnd m_parent = 0;
    ui::Hwnd m_control = 0;
    // Shared with the completions posted to the loop, which do nothing once the browser is gone.
    std::shared_ptr<DocumentComplete> m_onComplete;
    bool m_silent = false;
    std::unique_ptr<CurlTransfer> m_transfer;
    std::string m_url;
    std::optional<std::string> m_document;
    std::string m_failure;
};
