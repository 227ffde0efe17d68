#pragma once
// An in-memory browser for tests. Each navigation is recorded; its document completes at once
// with the page scripted for the matching address prefix, or never (the server does not answer).
// Completions arrive as events of the UI loop, as a real browser's do.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connection/web_browser.h"

class FakeWeb {
  public:
    struct Page {
        std::string prefix;
        bool answers = true;
        std::optional<std::string> document;  // nothing: no document can be saved
        std::string failure;                  // the browser's cause, when document is its own
    };

    // Pages answer addresses that start with prefix; the last page added wins over earlier ones.
    // A page without a document is one of which no document can be saved.
    void Serve(std::string prefix, std::optional<std::string> document);
    // The browser's own error page, which it says is no page of the server, for failure.
    void ServeFailure(std::string prefix, std::string failure);
    void NeverAnswer(std::string prefix);

    std::vector<std::string> navigations;
    int silentCalls = 0;

    // Puts this fake in place of the real browser while it lives.
    class Installed {
      public:
        explicit Installed(FakeWeb& web);
        ~Installed();

      private:
        BrowserFactory m_previous;
    };

  private:
    friend class FakeBrowser;
    const Page* Match(const std::string& url) const;

    std::vector<Page> m_pages;
};
