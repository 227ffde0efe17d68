#include "connection/web_browser.h"

#include "adapters/curl/curl_browser_factory.h"

namespace {

BrowserFactory& CurrentFactory() {
    static BrowserFactory factory = MakeCurlBrowser;
    return factory;
}

}  // namespace

std::unique_ptr<CWebBrowser2> MakeBrowser() {
    return CurrentFactory()();
}

BrowserFactory ReplaceBrowserFactory(BrowserFactory factory) {
    BrowserFactory previous = std::move(CurrentFactory());
    CurrentFactory() = factory ? std::move(factory) : BrowserFactory(MakeCurlBrowser);
    return previous;
}
