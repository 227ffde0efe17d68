#include "html_pages.h"

#include <cstdio>

#include "answer_format.h"
#include "platform/text.h"

namespace {

// A sober look that reads well in the small window of the estimating program.
constexpr const char* kStyle =
    "<STYLE>body{font-family:sans-serif;font-size:13px;margin:8px 12px;color:#222}"
    "h1{font-size:18px;color:#1d4f91;margin:0 0 8px}h2{font-size:15px;margin:12px 0 4px}"
    "table{border-collapse:collapse}td,th{padding:2px 8px;text-align:left}th{color:#1d4f91}"
    "tr:nth-child(even){background:#eef2f8}#selection td{background:#e4f4e4}"
    ".summary{background:#1d4f91;color:#fff;padding:4px 8px}.summary a{color:#fff}"
    "</STYLE>";

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\r\n<HTML><HEAD><META charset=\"windows-1252\"><TITLE>Vako Prixel - " +
           EscapeHtml(title) + "</TITLE>" + kStyle + "</HEAD>\r\n<BODY>\r\n<H1>" +
           EscapeHtml(title) + "</H1>\r\n" + body + "</BODY></HTML>\r\n";
}

// What the person has picked so far, at the head of the page, with a way down to the list.
std::string SelectionSummary(const std::vector<Article>& picked) {
    std::string codes;
    for (const Article& article : picked) codes += (codes.empty() ? "" : ", ") + article.Code();
    return "<P class=\"summary\">Votre sélection : " + std::to_string(picked.size()) +
           " article(s) " + EscapeHtml(codes) + " &mdash; <A href=\"#selection\">voir</A></P>\r\n";
}

std::string Link(const std::string& href, const std::string& text) {
    return "<A href=\"" + EscapeHtml(href) + "\">" + EscapeHtml(text) + "</A>";
}

std::string Cell(const std::string& text) {
    return "<TD>" + EscapeHtml(text) + "</TD>";
}

std::string PickAddress(const std::string& action, const std::string& stamp,
                        const std::string& code, const std::string& query) {
    return "/catalogue/" + action + "?stamp=" + QueryValue(stamp) + "&code=" + QueryValue(code) +
           "&q=" + QueryValue(query);
}

// The head of a table of articles.
constexpr const char* kArticleHeadings =
    "<TR><TH>Code</TH><TH>Libellé</TH><TH>Unité</TH><TH>Prix tarif</TH><TH></TH></TR>\r\n";

std::string ArticleRow(const Article& article, const std::string& action) {
    return "<TR>" + Cell(article.Code()) + Cell(article.label) + Cell(article.unit) +
           Cell(Money(article.listPrice)) + "<TD>" + action + "</TD></TR>\r\n";
}

std::string SelectionTable(const std::string& stamp, const std::string& query,
                           const std::vector<Article>& picked) {
    std::string rows;
    for (const Article& article : picked)
        rows += ArticleRow(article,
                           Link(PickAddress("unpick", stamp, article.Code(), query), "Retirer"));
    return "<H2>Votre sélection (" + std::to_string(picked.size()) +
           ")</H2>\r\n<TABLE id=\"selection\">\r\n" + kArticleHeadings + rows +
           "</TABLE>\r\n<P>Appuyez sur Valider pour récupérer la sélection.</P>\r\n";
}

std::string ArticleDetails(const Article& a) {
    std::string rows;
    auto row = [&](const std::string& name, const std::string& value) {
        rows += "<TR><TH>" + EscapeHtml(name) + "</TH>" + Cell(value) + "</TR>\r\n";
    };
    row("Code", a.Code());
    row("Libellé", a.withdrawn ? std::string(kWithdrawnLabel) : a.label);
    row("Unité", a.unit);
    row("Prix public", Money(a.listPrice));
    row("Conditionnement", a.packaging);
    row("Code EAN", a.ean);
    row("Disponibilité", a.availability);
    std::string suppliers;
    for (const SupplierOffer& offer : a.suppliers)
        suppliers += (suppliers.empty() ? "" : ", ") + offer.code;
    row("Fournisseurs", suppliers);
    return "<TABLE>\r\n" + rows + "</TABLE>\r\n";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string QueryValue(const std::string& utf8) {
    std::string encoded;
    for (unsigned char c : text::FromUtf8(utf8)) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            encoded += hex;
        }
    }
    return encoded;
}

std::string CataloguePage(const std::string& stamp, const std::string& query,
                          const std::vector<Article>& found, const std::vector<Article>& picked) {
    std::string body =
        "<FORM method=\"get\" action=\"/catalogue\">\r\n"
        "<INPUT type=\"hidden\" name=\"stamp\" value=\"" +
        EscapeHtml(stamp) + "\">\r\n<INPUT type=\"text\" name=\"q\" size=\"60\" value=\"" +
        EscapeHtml(query) + "\">\r\n<INPUT type=\"submit\" value=\"Rechercher\">\r\n</FORM>\r\n";
    body += SelectionSummary(picked);
    body += "<H2>Articles trouvés (" + std::to_string(found.size()) +
            ")</H2>\r\n<TABLE id=\"articles\">\r\n" + kArticleHeadings;
    for (const Article& article : found)
        body +=
            ArticleRow(article, Link(PickAddress("pick", stamp, article.Code(), query), "Choisir"));
    body += "</TABLE>\r\n" + SelectionTable(stamp, query, picked);
    return Page("Catalogue des articles", body);
}

std::string MakerCataloguePage(const std::string& stamp, const std::vector<Maker>& makers,
                               const std::vector<Article>& picked) {
    std::string body = "<TABLE id=\"makers\">\r\n";
    for (const Maker& maker : makers) {
        const std::string pick =
            "/catalogue/pick-maker?stamp=" + QueryValue(stamp) + "&maker=" + QueryValue(maker.id);
        body += "<TR>" + Cell(maker.prefix) + Cell(maker.name) +
                Cell(DayMonthYear(maker.tariffDate)) + "<TD>" +
                Link(pick, "Choisir tous ses articles") + "</TD></TR>\r\n";
    }
    body += "</TABLE>\r\n" + SelectionTable(stamp, "", picked);
    return Page("Catalogue des fabricants", body);
}

std::string ArticleSheetPage(const std::string& title, const std::optional<Article>& article,
                             const std::optional<Maker>& maker) {
    if (!article) return Page(title, "<P>Cet article est introuvable.</P>\r\n");
    std::string body = ArticleDetails(*article);
    if (maker) body += "<P>Fabricant : " + EscapeHtml(maker->name) + "</P>\r\n";
    return Page(title, body);
}

std::string MakerSheetPage(const std::optional<Maker>& maker, int articleCount) {
    if (!maker) return Page("Fiche fabricant", "<P>Ce fabricant est introuvable.</P>\r\n");
    return Page("Fiche fabricant",
                "<TABLE>\r\n<TR><TH>Fabricant</TH>" + Cell(maker->name) +
                    "</TR>\r\n<TR><TH>Préfixe</TH>" + Cell(maker->prefix) +
                    "</TR>\r\n<TR><TH>Tarif du</TH>" + Cell(DayMonthYear(maker->tariffDate)) +
                    "</TR>\r\n<TR><TH>Version</TH>" + Cell(maker->version) +
                    "</TR>\r\n<TR><TH>Articles</TH>" + Cell(std::to_string(articleCount)) +
                    "</TR>\r\n</TABLE>\r\n");
}

std::string AccountPage() {
    return Page("Création de compte",
                "<FORM method=\"post\" action=\"/compte\">\r\n"
                "<P>Raison sociale : <INPUT type=\"text\" name=\"societe\"></P>\r\n"
                "<P>Adresse e-mail : <INPUT type=\"text\" name=\"email\"></P>\r\n"
                "<P><INPUT type=\"submit\" value=\"Créer le compte\"></P>\r\n</FORM>\r\n");
}

std::string AccountOpenedPage(const Customer& customer) {
    return Page("Création de compte", "<P>Votre compte est créé. Numéro de client : " +
                                          EscapeHtml(customer.number) + "</P>\r\n");
}

std::string MessagePage(const std::string& title, const std::string& message) {
    return Page(title, "<P>" + EscapeHtml(message) + "</P>\r\n");
}
