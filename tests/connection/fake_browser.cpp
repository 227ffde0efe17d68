#include "connection/fake_browser.h"

#include "platform/ui/backend.h"
#include "platform/ui/wnd.h"

class FakeBrowser : public CWebBrowser2 {
  public:
    explicit FakeBrowser(FakeWeb& web) : m_web(web) {}

    void Create(CWnd* parent, int, DocumentComplete onComplete) override {
        m_window = parent->GetSafeHwnd();
        m_onComplete = std::move(onComplete);
    }
    void PutSilent(bool) override { ++m_web.silentCalls; }
    void Navigate(const std::string& url) override {
        m_web.navigations.push_back(url);
        const FakeWeb::Page* page = m_web.Match(url);
        if (page == nullptr || !page->answers) return;
        ui::CurrentBackend().Post(m_window, [this, url, page = *page] {
            m_page = page;
            m_onComplete(url);
        });
    }
    std::optional<std::string> SaveDocument() override { return m_page.document; }
    std::string FailureCause() const override { return m_page.failure; }

  private:
    FakeWeb& m_web;
    ui::Hwnd m_window = 0;
    DocumentComplete m_onComplete;
    FakeWeb::Page m_page;
};

void FakeWeb::Serve(std::string prefix, std::optional<std::string> document) {
    m_pages.push_back({std::move(prefix), true, std::move(document), ""});
}

void FakeWeb::ServeFailure(std::string prefix, std::string failure) {
    m_pages.push_back({std::move(prefix), true, "<HTML>erreur</HTML>", std::move(failure)});
}

void FakeWeb::NeverAnswer(std::string prefix) {
    m_pages.push_back({std::move(prefix), false, std::nullopt, ""});
}

const FakeWeb::Page* FakeWeb::Match(const std::string& url) const {
    for (auto it = m_pages.rbegin(); it != m_pages.rend(); ++it) {
        if (url.starts_with(it->prefix)) return &*it;
    }
    return nullptr;
}

FakeWeb::Installed::Installed(FakeWeb& web)
    : m_previous(ReplaceBrowserFactory([&web]() -> std::unique_ptr<CWebBrowser2> {
          return std::make_unique<FakeBrowser>(web);
      })) {}

FakeWeb::Installed::~Installed() {
    ReplaceBrowserFactory(m_previous);
}
