#pragma once
// What a browser shown in a dialog's browser control offers the person in front of it: the page
// it shows, and following a link of that page. A browser attaches itself to its control so that
// the backend (and whoever acts for the person) can reach it.

#include <string>

namespace ui {

class BrowserView {
  public:
    virtual ~BrowserView() = default;
    // The markup of the page shown (CP1252), empty before any page completed.
    virtual std::string ShownDocument() const = 0;
    // Goes where a link of the page leads; href may be relative to the page's address.
    virtual void FollowLink(const std::string& href) = 0;
    // A page is on its way: the person waits for it before he acts.
    virtual bool IsLoading() const = 0;
};

}  // namespace ui
