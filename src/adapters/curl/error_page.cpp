#include "adapters/curl/error_page.h"

#include "platform/text.h"

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
    return text::FromUtf8(
               "<HTML><BODY><H1>Impossible d'afficher la page</H1>"
               "<P>La connexion au serveur a échoué.</P><P>") +
           EscapeMarkup(reason) + "</P></BODY></HTML>";
}
