#include "article_answer.h"

#include "platform/text.h"

namespace {

constexpr int kMakers = 50;

struct Article {
    std::string makerId, prefix, reference, label, families, familyLabels, suppliers, amounts,
        coefficients;
    double listPrice;
};

Article MakeArticle(int i) {
    const int maker = i % kMakers;
    const int a = i % 7, b = i % 5, c = i % 3;
    const int suppliers = 2 + i % 2;
    Article article;
    article.makerId = text::Format("M%03d", maker);
    article.prefix = text::Format("P%02d", maker);
    article.reference = text::Format("R%09d", i);
    article.label = text::Format("Plaque de plâtre BA13 modèle %d", i);
    article.families = text::Format("F%d|F%d%d|F%d%d%d", a, a, b, a, b, c);
    article.familyLabels =
        text::Format("Cloisons %d|Plaques %d%d|Standard %d%d%d", a, a, b, a, b, c);
    article.listPrice = 10.0 + i % 500;
    for (int s = 0; s < suppliers; ++s) {
        const std::string sep = s == 0 ? "" : "|";
        article.suppliers += sep + text::Format("FOUR%d", (i + s) % 20);
        article.amounts += sep + text::Format("%.2f", article.listPrice * (0.6 + 0.1 * s));
        article.coefficients += sep + text::Format("%.2f", 0.6 + 0.1 * s);
    }
    return article;
}

std::string RecordOf(const Article& a) {
    const std::string fields[30] = {a.makerId,
                                    a.prefix,
                                    a.reference,
                                    a.label,
                                    "",
                                    "20260115",
                                    text::Format("%.2f", a.listPrice),
                                    "U",
                                    "",
                                    "",
                                    "Carton de 10",
                                    "10",
                                    "RF1",
                                    "Remise plâtres",
                                    a.families,
                                    a.familyLabels,
                                    "3012345678901",
                                    "1.5",
                                    "En stock",
                                    "24",
                                    "12.5",
                                    "2.5",
                                    "1.2",
                                    "0.013",
                                    "",
                                    a.amounts,
                                    a.suppliers,
                                    "",
                                    a.coefficients,
                                    ""};
    std::string line = fields[0];
    for (int i = 1; i < 30; ++i) line += "\t" + fields[i];
    return line + "\r\n";
}

}  // namespace

std::string AnswerPage(int count) {
    std::string page = "<HTML><BODY><PRE>C1:PC:localhost:R\r\n";
    for (int i = 0; i < count; ++i) page += RecordOf(MakeArticle(i));
    return text::FromUtf8(page + "</PRE></BODY></HTML>");
}
