#include "adapters/wx/webview_browser.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <cstdlib>
#include <vector>

#include "adapters/curl/error_page.h"
#include "adapters/wx/wx_backend.h"
#include "platform/text.h"
#include "platform/ui/wnd.h"

namespace adapters {
namespace {

std::string HostOf(const std::string& url) {
    const std::size_t start = url.find("://");
    if (start == std::string::npos) return {};
    const std::size_t from = start + 3;
    const std::size_t end = url.find_first_of(":/?#", from);
    return url.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

// PRIXEL_CONNECT_TO ("HOST:PORT:ADDRESS:PORT", as for the HTTPS browser) sends the service's
// host and port elsewhere; the view cannot be given another route, so the address is rewritten.
std::string Routed(const std::string& url) {
    const char* route = std::getenv("PRIXEL_CONNECT_TO");
    if (route == nullptr) return url;
    const std::vector<std::string> parts = text::Split(route, ':');
    if (parts.size() != 4) return url;
    const std::string to = "https://" + parts[2] + ":" + parts[3];
    for (const std::string& from : {"https://" + parts[0] + ":" + parts[1],
                                    parts[1] == "443" ? "https://" + parts[0] : std::string()}) {
        if (from.empty() || url.compare(0, from.size(), from) != 0) continue;
        const std::string rest = url.substr(from.size());
        if (rest.empty() || rest[0] == '/' || rest[0] == '?') return to + rest;
    }
    return url;
}

// The text of a JavaScript string literal.
std::string ScriptString(const std::string& utf8) {
    std::string quoted = "'";
    for (char c : utf8) {
        if (c == '\\' || c == '\'') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

// Whether certificate is issued for host by the authority in caFile.
bool IssuedByAuthority(GTlsCertificate* certificate, const std::string& host, const char* caFile) {
    GError* error = nullptr;
    GTlsCertificate* authority = g_tls_certificate_new_from_file(caFile, &error);
    if (authority == nullptr) {
        g_clear_error(&error);
        return false;
    }
    GSocketConnectable* identity = g_network_address_new(host.c_str(), 443);
    const GTlsCertificateFlags flags = g_tls_certificate_verify(certificate, identity, authority);
    g_object_unref(identity);
    g_object_unref(authority);
    return flags == 0;
}

gboolean ScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer self) {
    return static_cast<WebViewBrowser*>(self)->OnScriptDialog() ? TRUE : FALSE;
}

void PageDrawn(WebKitUserContentManager*, WebKitJavascriptResult*, gpointer self) {
    static_cast<WebViewBrowser*>(self)->OnPageDrawn();
}

// The page's own script tells once the page has begun its second frame since it was asked: the
// frame before, drawn with the loaded document, has then gone to the view.
constexpr const char* kDrawnChannel = "prixelDrawn";
constexpr const char* kTellWhenDrawn =
    "requestAnimationFrame(() => requestAnimationFrame(() => "
    "window.webkit.messageHandlers.prixelDrawn.postMessage('')))";

gboolean TlsErrors(WebKitWebView*, gchar* uri, GTlsCertificate* certificate,
                   GTlsCertificateFlags flags, gpointer self) {
    return static_cast<WebViewBrowser*>(self)->OnTlsErrors(uri, certificate, flags) ? TRUE : FALSE;
}

// Tells the error and lets the view go on to its own handling (the error event).
gboolean LoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer self) {
    static_cast<WebViewBrowser*>(self)->OnLoadFailed(std::string(g_quark_to_string(error->domain)) +
                                                     " " + std::to_string(error->code) + " : " +
                                                     error->message);
    return FALSE;
}

// The faults of a certificate as GLib names them ("G_TLS_CERTIFICATE_UNKNOWN_CA | ...").
std::string CertificateFaults(GTlsCertificateFlags flags) {
    gchar* names = g_flags_to_string(G_TYPE_TLS_CERTIFICATE_FLAGS, flags);
    std::string faults = names;
    g_free(names);
    return faults;
}

// The catalogue's pages are plain documents: drawn without GPU compositing, they show on every
// display, a virtual one included. A choice made in the environment is kept.
void DrawWithoutCompositing() {
    setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", 0);
}

}  // namespace

std::unique_ptr<CWebBrowser2> MakeWebViewBrowser() {
    return std::make_unique<WebViewBrowser>();
}

WebViewBrowser::WebViewBrowser() : m_alive(std::make_shared<Alive>(Alive{this})) {}

WebViewBrowser::~WebViewBrowser() {
    WxBackend* backend = WxBackend::Running();
    if (backend && m_control != 0) backend->AttachBrowser(m_control, nullptr);
    if (m_view != nullptr) {
        g_signal_handlers_disconnect_by_data(View(), this);
        WebKitUserContentManager* scripts = webkit_web_view_get_user_content_manager(View());
        g_signal_handlers_disconnect_by_data(scripts, this);
        webkit_user_content_manager_unregister_script_message_handler(scripts, kDrawnChannel);
        m_view->Destroy();
    }
}

void WebViewBrowser::Create(CWnd* parent, int controlId, DocumentComplete onComplete) {
    WxBackend* backend = WxBackend::Running();
    m_parent = parent != nullptr ? parent->GetSafeHwnd() : 0;
    m_control = backend->GetControl(m_parent, controlId);
    m_onComplete = std::make_shared<DocumentComplete>(std::move(onComplete));
    wxWindow* place = backend->WindowOf(m_control);
    DrawWithoutCompositing();
    m_view = wxWebView::New(place, wxID_ANY, wxWebViewDefaultURLStr, wxPoint(0, 0),
                            place->GetClientSize());
    m_view->Bind(wxEVT_WEBVIEW_LOADED, &WebViewBrowser::OnLoaded, this);
    m_view->Bind(wxEVT_WEBVIEW_ERROR, &WebViewBrowser::OnError, this);
    g_signal_connect(View(), "script-dialog", G_CALLBACK(ScriptDialog), this);
    g_signal_connect(View(), "load-failed-with-tls-errors", G_CALLBACK(TlsErrors), this);
    g_signal_connect(View(), "load-failed", G_CALLBACK(LoadFailed), this);
    WebKitUserContentManager* scripts = webkit_web_view_get_user_content_manager(View());
    g_signal_connect(scripts, "script-message-received::prixelDrawn", G_CALLBACK(PageDrawn), this);
    webkit_user_content_manager_register_script_message_handler(scripts, kDrawnChannel);
    backend->AttachBrowser(m_control, this);
}

void WebViewBrowser::Navigate(const std::string& url) {
    const std::string routed = Routed(url);
    if (m_serviceHost.empty()) m_serviceHost = HostOf(routed);
    m_loading = true;
    m_drawing = false;
    m_retryPending = false;
    m_status = 0;
    m_certificateFault.clear();
    m_loadError.clear();
    m_failed = false;
    m_view->LoadURL(wxString::FromUTF8(text::ToUtf8(routed)));
}

void WebViewBrowser::FollowLink(const std::string& href) {
    m_loading = true;
    RunScript("for (const link of document.links) { if (link.getAttribute('href') === " +
              ScriptString(text::ToUtf8(href)) + ") { link.click(); break; } }");
}

// The script runs in the page without a result to wait for: the view may be gone by the time
// the script has run.
void WebViewBrowser::RunScript(const std::string& utf8) {
    webkit_web_view_evaluate_javascript(View(), utf8.c_str(), -1, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
}

// A certificate that the service's authority issued for the service's host is let through once,
// and the page is asked for again.
bool WebViewBrowser::OnTlsErrors(const std::string& uri, GTlsCertificate* certificate,
                                 unsigned flags) {
    const char* caFile = std::getenv("PRIXEL_CA_FILE");
    const std::string host = HostOf(uri);
    if (caFile == nullptr || *caFile == '\0' || host != m_serviceHost ||
        !IssuedByAuthority(certificate, host, caFile)) {
        m_certificateFault = CertificateFaults(static_cast<GTlsCertificateFlags>(flags));
        return false;
    }
    webkit_web_context_allow_tls_certificate_for_host(webkit_web_view_get_context(View()),
                                                      certificate, host.c_str());
    m_retryPending = true;
    std::weak_ptr<Alive> alive = m_alive;
    m_view->CallAfter([alive, uri] {
        if (auto self = alive.lock()) self->browser->Navigate(text::FromUtf8(uri));
    });
    return true;
}

// The view also tells of its first empty page and of the end of a load that failed; neither is a
// document the dialog waits for.
void WebViewBrowser::OnLoaded(wxWebViewEvent& event) {
    if (!m_loading || m_retryPending || event.GetURL() == wxWebViewDefaultURLStr) return;
    WebKitWebResource* resource = webkit_web_view_get_main_resource(View());
    if (resource == nullptr) {
        Complete(ErrorPage("no main resource"));
        return;
    }
    if (WebKitURIResponse* response = webkit_web_resource_get_response(resource)) {
        m_status = static_cast<int>(webkit_uri_response_get_status_code(response));
    }
    webkit_web_resource_get_data(resource, nullptr, MainResourceRead,
                                 new std::weak_ptr<Alive>(m_alive));
}

void WebViewBrowser::MainResourceRead(GObject* resource, GAsyncResult* result, void* alive) {
    std::unique_ptr<std::weak_ptr<Alive>> owner(static_cast<std::weak_ptr<Alive>*>(alive));
    gsize length = 0;
    GError* error = nullptr;
    guchar* bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(resource), result, &length, &error);
    std::string document = bytes != nullptr
                               ? std::string(reinterpret_cast<const char*>(bytes), length)
                               : ErrorPage("unreadable page");
    g_free(bytes);
    g_clear_error(&error);
    std::shared_ptr<Alive> self = owner->lock();
    if (self && self->browser->m_loading) self->browser->Complete(std::move(document));
}

void WebViewBrowser::OnError(wxWebViewEvent& event) {
    if (!m_loading || m_retryPending) return;
    m_failed = true;
    if (m_loadError.empty()) m_loadError = std::string(event.GetString().ToUTF8());
    Complete(ErrorPage(std::string(event.GetString().ToUTF8())));
}

std::string WebViewBrowser::FailureCause() const {
    if (!m_failed) return m_status >= 400 ? "statut HTTP " + std::to_string(m_status) : "";
    if (!m_certificateFault.empty()) {
        return text::FromUtf8("certificat non vérifié (" + m_certificateFault + ")");
    }
    return text::FromUtf8("échec du chargement (" + m_loadError + ")");
}

void WebViewBrowser::Complete(std::string document) {
    m_document = std::move(document);
    m_loading = false;
    std::weak_ptr<DocumentComplete> onComplete = m_onComplete;
    WxBackend* backend = WxBackend::Running();
    backend->Post(m_parent, [onComplete,
                             url = text::FromUtf8(std::string(m_view->GetCurrentURL().ToUTF8()))] {
        if (std::shared_ptr<DocumentComplete> tell = onComplete.lock(); tell && *tell) (*tell)(url);
    });
    if (!backend->IsVisible(m_parent)) return;
    m_drawing = true;
    RunScript(kTellWhenDrawn);
}

// The page shown is pictured once drawn.
void WebViewBrowser::OnPageDrawn() {
    if (!m_drawing) return;
    m_drawing = false;
    WxBackend::Running()->SavePicture(m_parent);
}

WebKitWebView* WebViewBrowser::View() const {
    return static_cast<WebKitWebView*>(m_view->GetNativeBackend());
}

}  // namespace adapters
