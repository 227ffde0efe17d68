// Speed of the article import into the service library: ImportAnswer on answers of 1,000 and
// 10,000 articles (three-level family paths, two or three suppliers each, fifty makers), and the
// same rows written by plain SQLite inserts in one transaction, as the bound to compare with.

#include "bench_support.h"

#include <list>
#include <memory>
#include <string>

#include "connection/prixel_answer.h"
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

std::string AnswerPage(int count) {
    std::string page = "<HTML><BODY><PRE>C1:PC:localhost:R\r\n";
    for (int i = 0; i < count; ++i) page += RecordOf(MakeArticle(i));
    return page + "</PRE></BODY></HTML>";
}

void ImportIntoLibrary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string page = text::FromUtf8(AnswerPage(count));
    for (auto _ : state) {
        state.PauseTiming();
        auto company = std::make_unique<BenchCompany>();
        std::list<std::string> codes;
        CPrixelAnswer answer(page);
        state.ResumeTiming();
        const int written = answer.ImportAnswer(codes, true);
        state.PauseTiming();
        if (written != count) state.SkipWithError("not every article was written");
        company.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The bound: the same materials and supplier rows by prepared inserts in one transaction.
void PlainInserts(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BenchCompany company;
        sqlite3* db = nullptr;
        sqlite3_open(company.Library().c_str(), &db);
        state.ResumeTiming();
        ExecuteSql(db, "BEGIN");
        sqlite3_stmt* material = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO BXMX (Type, Code, Libelle, Unite, PrixTarif, PrixelCheck, "
                           "PrixelDate, PrixelFabricantID) VALUES (10001, ?, ?, 'U', ?, 1, "
                           "'2026-01-15', ?)",
                           -1, &material, nullptr);
        sqlite3_stmt* supplier = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Catalogue (Type, Code, Ordre, Fournisseur, PrixTarif) "
                           "VALUES (10001, ?, ?, ?, ?)",
                           -1, &supplier, nullptr);
        for (int i = 0; i < count; ++i) {
            const Article a = MakeArticle(i);
            const std::string code = a.prefix + a.reference;
            sqlite3_bind_text(material, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(material, 2, a.label.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(material, 3, a.listPrice);
            sqlite3_bind_text(material, 4, a.makerId.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(material);
            sqlite3_reset(material);
            int order = 1;
            for (const std::string& s : text::Split(a.suppliers, '|')) {
                sqlite3_bind_text(supplier, 1, code.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(supplier, 2, order++);
                sqlite3_bind_text(supplier, 3, s.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_double(supplier, 4, a.listPrice);
                sqlite3_step(supplier);
                sqlite3_reset(supplier);
            }
        }
        sqlite3_finalize(material);
        sqlite3_finalize(supplier);
        ExecuteSql(db, "COMMIT");
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(ImportIntoLibrary)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PlainInserts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
