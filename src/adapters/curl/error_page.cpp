#include "adapters/curl/error_page.h"

namespace {

std::string EscapeMarkup(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string ErrorPage(const std::string& reason) {
    return "<HTML><BODY><H1>Impossible d'afficher la page</H1>"
           "<P>La connexion au serveur a \xE9"
           "chou\xE9.</P><P>" +
           EscapeMarkup(reason) + "</P></BODY></HTML>";
}
