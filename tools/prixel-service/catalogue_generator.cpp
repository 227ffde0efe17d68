#include "catalogue_generator.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <set>

#include "catalogue_vocabulary.h"

namespace {

constexpr int kMakerCount = 80;

// Draws from the seeded engine without the library's distributions, whose results differ
// between standard libraries.
class Draw {
  public:
    explicit Draw(unsigned seed) : m_engine(seed) {}
    int Below(int bound) { return static_cast<int>(m_engine() % static_cast<unsigned>(bound)); }
    double Between(double low, double high) {
        return low + (high - low) * (static_cast<double>(m_engine()) / 4294967296.0);
    }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    const T& Pick(std::span<const T> items) {
        return items[Below(static_cast<int>(items.size()))];
    }
    std::string Digits(int count) {
        std::string digits;
        for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
        return digits;
    }

  private:
    std::mt19937 m_engine;
};

double Cents(double value) {
    return std::round(value * 100.0) / 100.0;
}

std::string TwoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::vector<std::string> SplitVariants(const char* variants) {
    std::vector<std::string> parts(1);
    for (const char* c = variants; *c != '\0'; ++c) {
        if (*c == ';')
            parts.emplace_back();
        else
            parts.back() += *c;
    }
    return parts;
}

std::string Fill(const char* pattern, const std::string& variant) {
    std::string label = pattern;
    const size_t hole = label.find("{}");
    return hole == std::string::npos ? label : label.replace(hole, 2, variant);
}

// The first three ASCII letters of a surname, in capitals.
std::string Initials(const std::string& surname) {
    std::string initials;
    for (char c : surname) {
        if (initials.size() == 3) break;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            initials += static_cast<char>(c & ~0x20);
    }
    return initials;
}

struct MakerPlan {
    Maker maker;
    std::vector<int> trades;
    int referenceStyle = 0;
};

class Generator {
  public:
    explicit Generator(unsigned seed) : m_draw(seed) {}

    Catalogue Run() {
        Catalogue catalogue;
        for (int i = 0; i < kMakerCount; ++i) {
            MakerPlan plan = PlanMaker(i);
            for (int trade : plan.trades) AddTradeArticles(plan, trade, catalogue.articles);
            catalogue.makers.push_back(plan.maker);
        }
        return catalogue;
    }

  private:
    MakerPlan PlanMaker(int index) {
        const auto trades = Trades();
        MakerPlan plan;
        const int trade = index % static_cast<int>(trades.size());
        plan.trades.push_back(trade);
        if (m_draw.Chance(50)) {
            const int second = m_draw.Below(static_cast<int>(trades.size()));
            if (second != trade) plan.trades.push_back(second);
        }
        plan.referenceStyle = m_draw.Below(3);
        Maker& maker = plan.maker;
        maker.id = std::to_string(1000 + index * 37 + m_draw.Below(30));
        std::string surname = m_draw.Pick(MakerSurnames());
        maker.name = std::string(trades[trade].makerWord) + " " + surname;
        while (!m_names.insert(maker.name).second) maker.name += " Frères";
        maker.prefix = UniquePrefix(Initials(surname) + static_cast<char>('A' + trade));
        maker.tariffDate = std::to_string(2023 + m_draw.Below(2)) +
                           TwoDigits(1 + m_draw.Below(12)) + TwoDigits(1 + m_draw.Below(28));
        maker.version = maker.tariffDate.substr(0, 4) + "." + std::to_string(1 + m_draw.Below(4));
        return plan;
    }

    std::string UniquePrefix(const std::string& wanted) {
        std::string prefix = wanted;
        for (int n = 2; !m_prefixes.insert(prefix).second; ++n) prefix = wanted + std::to_string(n);
        return prefix;
    }

    void AddTradeArticles(MakerPlan& plan, int tradeIndex, std::vector<Article>& articles) {
        const Trade& trade = Trades()[tradeIndex];
        for (size_t line = 0; line < trade.lines.size(); ++line) {
            for (const std::string& variant : SplitVariants(trade.lines[line].variants)) {
                for (size_t range = 0; range < Ranges().size(); ++range) {
                    if (range > 0 && m_draw.Chance(50)) continue;
                    articles.push_back(MakeArticle(plan, tradeIndex, static_cast<int>(line),
                                                   variant, static_cast<int>(range)));
                }
            }
        }
    }

    Article MakeArticle(MakerPlan& plan, int tradeIndex, int lineIndex, const std::string& variant,
                        int range) {
        const Trade& trade = Trades()[tradeIndex];
        const ProductLine& line = trade.lines[lineIndex];
        Article article;
        article.makerId = plan.maker.id;
        article.prefix = plan.maker.prefix;
        article.reference = NextReference(plan);
        article.label = Fill(line.pattern, variant) + Ranges()[range];
        article.unit = line.unit;
        const double rangeFactor = range == 1 ? 1.25 : range == 2 ? 0.8 : 1.0;
        article.listPrice = Cents(m_draw.Between(line.minPrice, line.maxPrice) * rangeFactor);
        article.packaging = line.packaging;
        article.packQuantity = line.packQuantity;
        SetFamilies(article, tradeIndex, lineIndex);
        article.ean = "3" + m_draw.Digits(11);
        article.ean += EanCheckDigit(article.ean);
        if (std::string(trade.label) == "Électricité")
            article.ecoContribution = Cents(m_draw.Between(0.02, 0.5));
        article.availability = m_draw.Pick(Availabilities());
        article.warrantyMonths = m_draw.Chance(20) ? 120 : m_draw.Chance(50) ? 24 : 12;
        article.weight = std::round(line.weight * m_draw.Between(0.9, 1.1) * 1000.0) / 1000.0;
        article.length = std::round(m_draw.Between(0.05, 4.0) * 100.0) / 100.0;
        article.width = std::round(m_draw.Between(0.02, 1.2) * 100.0) / 100.0;
        article.height = std::round(m_draw.Between(0.01, 0.5) * 100.0) / 100.0;
        if (m_draw.Chance(15)) article.oldCode = "A" + m_draw.Digits(5);
        AddSuppliers(article);
        article.fixedPrice = m_draw.Chance(5);
        article.withdrawn = m_draw.Chance(1);
        return article;
    }

    std::string NextReference(MakerPlan& plan) {
        const int number = ++m_referenceCounter * 7 + m_draw.Below(7);
        char buffer[32];
        if (plan.referenceStyle == 0)
            std::snprintf(buffer, sizeof buffer, "%06d", number);
        else if (plan.referenceStyle == 1)
            std::snprintf(buffer, sizeof buffer, "R%05d", number % 100000);
        else
            std::snprintf(buffer, sizeof buffer, "%03d-%04d", number / 10000 % 1000,
                          number % 10000);
        return buffer;
    }

    static void SetFamilies(Article& article, int tradeIndex, int lineIndex) {
        const Trade& trade = Trades()[tradeIndex];
        const ProductLine& line = trade.lines[lineIndex];
        const std::string tradeCode = "F" + TwoDigits(tradeIndex + 1);
        const std::string familyCode =
            tradeCode + TwoDigits(FirstLineWith(trade, line.family, nullptr) + 1);
        article.familyCodes = {tradeCode, familyCode};
        article.familyLabels = {trade.label, line.family};
        if (*line.subFamily != '\0') {
            article.familyCodes.push_back(
                familyCode + TwoDigits(FirstLineWith(trade, line.family, line.subFamily) + 1));
            article.familyLabels.push_back(line.subFamily);
        }
        article.discountCode = "R" + familyCode.substr(1);
        article.discountLabel = std::string("Remise ") + line.family;
    }

    // Index of the trade's first line of a family (and sub-family when one is given).
    static int FirstLineWith(const Trade& trade, const std::string& family, const char* subFamily) {
        for (size_t i = 0; i < trade.lines.size(); ++i) {
            if (family != trade.lines[i].family) continue;
            if (subFamily == nullptr || std::string(subFamily) == trade.lines[i].subFamily)
                return static_cast<int>(i);
        }
        return 0;
    }

    void AddSuppliers(Article& article) {
        const auto distributors = Distributors();
        const int count = 1 + m_draw.Below(4);
        const int first = m_draw.Below(static_cast<int>(distributors.size()));
        for (int i = 0; i < count; ++i) {
            SupplierOffer offer;
            offer.code = distributors[(first + i) % distributors.size()];
            offer.coefficient = Cents(m_draw.Between(0.55, 0.85));
            offer.deliveryDays = 1 + m_draw.Below(10);
            article.suppliers.push_back(offer);
        }
    }

    Draw m_draw;
    std::set<std::string> m_names;
    std::set<std::string> m_prefixes;
    int m_referenceCounter = 0;
};

}  // namespace

Catalogue GenerateCatalogue(unsigned seed) {
    return Generator(seed).Run();
}

char EanCheckDigit(std::string_view twelveDigits) {
    int sum = 0;
    for (size_t i = 0; i < twelveDigits.size(); ++i)
        sum += (twelveDigits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}
