#include "adapters/plugin_composition.h"

#include "adapters/composition.h"
#include "adapters/curl/curl_browser_factory.h"
#include "adapters/wx/webview_browser.h"
#include "connection/web_browser.h"

namespace adapters {

void ComposePlugin() {
    EnsureComposed();
    ReplaceBrowserFactory([] {
        return ComposedScreen() == Screen::Desktop ? MakeWebViewBrowser() : MakeCurlBrowser();
    });
}

}  // namespace adapters
