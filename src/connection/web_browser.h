#pragma once
// The embedded browser of the web exchange dialog, behind the operations the dialog needs: made in
// place of the dialog's browser control, silent, navigate, a notification for every completed
// document, and the current document's markup as bytes. Adapters: the HTTPS browser (libcurl), the
// desktop browser, and an in-memory fake for tests.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CWnd;

// The web exchange dialog refuses a saved document of this size or more. A browser need not hold
// more of a document: once it has this many bytes of it (decompressed) it may stop loading it and
// keep those, which the dialog refuses all the same.
inline constexpr std::size_t PRIXEL_MAX_DOCUMENT = 10000000;

class CWebBrowser2 {
  public:
    using DocumentComplete = std::function<void(const std::string& url)>;

    virtual ~CWebBrowser2() = default;
    // Makes the browser inside window parent, at the place of its control controlId; every
    // completed document or frame is then told to onComplete, from the user-interface thread's
    // loop.
    virtual void Create(CWnd* parent, int controlId, DocumentComplete onComplete) = 0;
    // A silent browser shows no dialog boxes of its own.
    virtual void PutSilent(bool silent) = 0;
    virtual void Navigate(const std::string& url) = 0;
    // The current document's whole markup, or nothing when there is no document to save.
    virtual std::optional<std::string> SaveDocument() = 0;
    // Why the current document is not the page the server meant to send (the browser's error
    // page, an error status, a page cut at the size limit), in words for the diagnostic log;
    // empty when it is, or when there is no document.
    virtual std::string FailureCause() const = 0;
};

using BrowserFactory = std::function<std::unique_ptr<CWebBrowser2>()>;

// A browser of the kind the composition (or a test) put in place.
std::unique_ptr<CWebBrowser2> MakeBrowser();
// Puts factory in place of the current one (empty: none). Answers the previous one.
BrowserFactory ReplaceBrowserFactory(BrowserFactory factory);
