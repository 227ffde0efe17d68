#include "service_answers.h"

#include <map>

#include "answer_format.h"
#include "html_pages.h"
#include "platform/text.h"

namespace {

constexpr int kRegistrationValues = 17;
constexpr int kComputerValue = 15;

ServicePage PageOf(std::string html) {
    return {std::move(html), false, ""};
}

ServicePage AnswerOf(std::string answer) {
    return {"", true, std::move(answer)};
}

std::string Trimmed(const std::string& text) {
    return text::Trim(text);
}

}  // namespace

std::vector<std::string> SplitText(const std::string& text, char separator) {
    return text::Split(text, separator);
}

std::string ServiceAnswers::SearchText(const std::string& param) {
    size_t start = 0;
    for (int bars = 0; bars < 5; ++bars) {
        const size_t bar = param.find('|', start);
        if (bar == std::string::npos) return param;
        start = bar + 1;
    }
    return param.substr(start);
}

RequestIdentity ServiceAnswers::AssignedIdentity(const RequestIdentity& asked,
                                                 const std::string& ownAddress) {
    const auto customer =
        asked.customer.empty() ? std::nullopt : m_store.FindCustomer(asked.customer);
    if (!customer) return {"", asked.computer, ownAddress, ""};
    return {customer->number, asked.computer, ownAddress, customer->rights};
}

ServicePage ServiceAnswers::Answer(const ServiceRequest& request, const std::string& ownAddress) {
    const std::string header = HeaderLine(AssignedIdentity(request.identity, ownAddress));
    if (request.recuperation)
        return AnswerOf(header + "\r\n" + RecordsOf(m_store.TakePicked(request.stamp)));
    switch (request.kind) {
        case 0: {
            const std::string query = Trimmed(SearchText(request.param));
            return PageOf(CataloguePage(request.stamp, query, m_store.Search(query, kSearchLimit),
                                        m_store.Picked(request.stamp)));
        }
        case 1:
            return PageOf(
                MakerCataloguePage(request.stamp, m_store.Makers(), m_store.Picked(request.stamp)));
        case 2:
        case 3:
        case 4:
            return Sheet(request);
        case 5:
            return AnswerOf(header + "\r\n" + MakerLines());
        case 6:
            return AnswerOf(header + "\r\n" + RecordsFor(SplitText(request.param, ',')));
        case 7:
            return SupplierBatch(request, ownAddress);
        case 8:
            return Recording(request, ownAddress);
        default:
            return PageOf(AccountPage());
    }
}

ServicePage ServiceAnswers::Sheet(const ServiceRequest& request) {
    const std::vector<std::string> parts = SplitText(request.param, '|');
    if (request.kind == 4) {
        const auto maker = m_store.FindMaker(Trimmed(parts.front()));
        return PageOf(MakerSheetPage(maker, maker ? m_store.CountArticles(maker->id) : 0));
    }
    const std::vector<Article> found = FindArticles(parts);
    const auto article = found.empty() ? std::nullopt : std::optional<Article>(found.front());
    const auto maker = article ? m_store.FindMaker(article->makerId) : std::nullopt;
    return PageOf(
        ArticleSheetPage(request.kind == 2 ? "Fiche article" : "Fiche produit", article, maker));
}

ServicePage ServiceAnswers::SupplierBatch(const ServiceRequest& request,
                                          const std::string& ownAddress) {
    const RequestIdentity identity = AssignedIdentity(request.identity, ownAddress);
    if (!request.param.empty()) m_store.AddSupplierBatch(identity.customer, request.param);
    return AnswerOf(HeaderLine(identity) + "\r\n");
}

ServicePage ServiceAnswers::Recording(const ServiceRequest& request,
                                      const std::string& ownAddress) {
    const std::vector<std::string> values = SplitText(request.param, '|');
    if (values.size() != kRegistrationValues)
        return AnswerOf(HeaderLine({"", request.identity.computer, ownAddress, ""}) + "\r\n");
    const Customer customer = m_store.RecordCustomer(values, values[kComputerValue]);
    const RequestIdentity identity{customer.number, values[kComputerValue], ownAddress,
                                   customer.rights};
    return AnswerOf(HeaderLine(identity, true) + "\r\n");
}

std::string ServiceAnswers::MakerLines() {
    const std::map<std::string, int> counts = m_store.ArticleCounts();
    std::string lines;
    for (const Maker& maker : m_store.Makers()) {
        const auto count = counts.find(maker.id);
        lines += MakerLine(maker, count == counts.end() ? 0 : count->second);
    }
    return lines;
}

std::string ServiceAnswers::RecordsOf(const std::vector<Article>& articles) {
    std::map<std::string, Maker> makers;
    std::string records;
    for (const Article& article : articles) {
        auto it = makers.find(article.makerId);
        if (it == makers.end()) {
            const auto maker = m_store.FindMaker(article.makerId);
            it = makers.emplace(article.makerId, maker.value_or(Maker{})).first;
        }
        records += ArticleRecord(article, it->second);
    }
    return records;
}

// A part may be a whole code, or a prefix followed by a reference in the next part.
std::vector<Article> ServiceAnswers::FindArticles(const std::vector<std::string>& parts) {
    std::vector<Article> found;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string part = Trimmed(parts[i]);
        if (part.empty()) continue;
        if (i + 1 < parts.size()) {
            if (auto article = m_store.FindArticle(part + Trimmed(parts[i + 1]))) {
                found.push_back(*article);
                ++i;
                continue;
            }
        }
        if (auto article = m_store.FindArticle(part)) found.push_back(*article);
    }
    return found;
}

std::string ServiceAnswers::RecordsFor(const std::vector<std::string>& parts) {
    const std::vector<Article> found = FindArticles(parts);
    if (!found.empty() || parts.size() < 3) return RecordsOf(found);
    // Maker identifier, prefix and reference of an article the catalogue no longer has.
    const auto maker = m_store.FindMaker(Trimmed(parts[0]));
    if (!maker || maker->id != Trimmed(parts[0]) || maker->prefix != Trimmed(parts[1])) return "";
    return WithdrawnRecord(maker->id, maker->prefix, Trimmed(parts[2]), maker->tariffDate);
}
