#include "connection/web_browser.h"

#include <stdexcept>

namespace {

BrowserFactory& CurrentFactory() {
    static BrowserFactory factory;
    return factory;
}

}  // namespace

std::unique_ptr<CWebBrowser2> MakeBrowser() {
    if (!CurrentFactory()) throw std::logic_error("no browser was composed");
    return CurrentFactory()();
}

BrowserFactory ReplaceBrowserFactory(BrowserFactory factory) {
    BrowserFactory previous = std::move(CurrentFactory());
    CurrentFactory() = std::move(factory);
    return previous;
}
