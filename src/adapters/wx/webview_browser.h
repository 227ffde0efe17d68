#pragma once
// The desktop browser: a WebKitGTK view (through wxWebView) inside the browser control of the web
// exchange dialog. The document of a completed page is the main resource's bytes as the server
// sent them (the page's own code page), not the view's re-serialised markup; a page that could not
// be loaded completes with an error page. The page's own dialogs are not shown while silent. The
// certificate authority named by PRIXEL_CA_FILE is trusted for the service's host only.

#include <memory>
#include <optional>
#include <string>

#include "connection/web_browser.h"
#include "platform/ui/backend.h"
#include "platform/ui/browser_view.h"

class wxWebView;
class wxWebViewEvent;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _GTlsCertificate GTlsCertificate;
typedef struct _GObject GObject;
typedef struct _GAsyncResult GAsyncResult;

namespace adapters {

class WebViewBrowser : public CWebBrowser2, public ui::BrowserView {
  public:
    WebViewBrowser();
    ~WebViewBrowser() override;
    WebViewBrowser(const WebViewBrowser&) = delete;
    WebViewBrowser& operator=(const WebViewBrowser&) = delete;

    void Create(CWnd* parent, int controlId, DocumentComplete onComplete) override;
    void PutSilent(bool silent) override { m_silent = silent; }
    void Navigate(const std::string& url) override;
    std::optional<std::string> SaveDocument() override { return m_document; }
    std::string FailureCause() const override;

    std::string ShownDocument() const override { return m_document.value_or(""); }
    // Clicks the page's own link to href.
    void FollowLink(const std::string& href) override;
    // Still loading until the page that came has been drawn, when the view is on show.
    bool IsLoading() const override { return m_loading || m_drawing; }

    // WebKit's signals.
    bool OnScriptDialog() const { return m_silent; }
    void OnPageDrawn();
    bool OnTlsErrors(const std::string& uri, GTlsCertificate* certificate, unsigned flags);
    void OnLoadFailed(const std::string& why) { m_loadError = why; }

  private:
    // Lets late callbacks find out whether the browser is still there.
    struct Alive {
        WebViewBrowser* browser;
    };

    static void MainResourceRead(GObject* resource, GAsyncResult* result, void* alive);

    void OnLoaded(wxWebViewEvent& event);
    void OnError(wxWebViewEvent& event);
    void Complete(std::string document);
    void RunScript(const std::string& utf8);
    WebKitWebView* View() const;

    std::shared_ptr<Alive> m_alive;
    wxWebView* m_view = nullptr;
    ui::Hwnd m_parent = 0;
    ui::Hwnd m_control = 0;
    std::shared_ptr<DocumentComplete> m_onComplete;
    bool m_silent = false;
    bool m_loading = false;
    bool m_drawing = false;  // the page has come and is not yet drawn
    bool m_retryPending = false;
    std::string m_serviceHost;
    std::optional<std::string> m_document;
    // What WebKit said of the last load: its HTTP status, its certificate's faults, its error.
    int m_status = 0;
    std::string m_certificateFault;
    std::string m_loadError;
    bool m_failed = false;
};

std::unique_ptr<CWebBrowser2> MakeWebViewBrowser();

}  // namespace adapters
