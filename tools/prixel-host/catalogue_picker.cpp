#include "catalogue_picker.h"

#include <iostream>

#include "platform/text.h"
#include "resources/prixel_resources.h"

namespace {

// Clicks the pick link of code in the page the browser shows.
void ClickPick(ui::BrowserView* browser, const std::string& code) {
    const std::string link = browser ? PickLinkOf(browser->ShownDocument(), code) : "";
    if (link.empty()) {
        std::cerr << "prixel-host: l'article " << text::ToUtf8(code)
                  << " n'est pas affiché sur la page du catalogue" << std::endl;
        return;
    }
    browser->FollowLink(link);
}

}  // namespace

std::string PickLinkOf(const std::string& page, const std::string& code) {
    const int row = text::Find(page, "<TR><TD>" + code + "</TD>");
    if (row < 0) return {};
    const int rowEnd = text::Find(page, "</TR>", row);
    const int href = text::Find(page, "href=\"", row);
    if (href < 0 || (rowEnd >= 0 && href > rowEnd)) return {};
    const int start = href + 6;
    const int end = text::Find(page, '"', start);
    if (end < 0) return {};
    return text::Replace(text::Mid(page, start, end - start), "&amp;", "&");
}

void PickOnCataloguePage(HostScreen& host, const std::vector<std::string>& codes) {
    if (codes.empty()) {
        host.User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_QUITTER);
        return;
    }
    for (const std::string& code : codes) {
        host.User().Do(IDD_PRIXEL_WEB, [&host, code] { ClickPick(host.ShownBrowser(), code); });
    }
    host.User().Press(IDD_PRIXEL_WEB, IDC_PRIXEL_VALIDER);
}
