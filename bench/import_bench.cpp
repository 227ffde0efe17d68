// Speed of the article import into the service library: ImportAnswer on answers of 1,000, 10,000
// and 100,000 articles (three-level family paths, two or three suppliers each, fifty makers),
// beside the fair bound (fair_import.h), which must write the same rows; with the peak resident
// memory of each run (peak_MB).

#include "bench_support.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "article_answer.h"
#include "connection/prixel_answer.h"
#include "fair_import.h"
#include "host/paths.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

// Family codes are drawn at random: every run starts from the same seed, so that the bound draws
// the codes the import drew.
constexpr unsigned kSeed = 1;

// The rows an import of count articles wrote, imported once when no run has kept them.
std::map<int, std::uint64_t>& KeptRows() {
    static std::map<int, std::uint64_t> rows;
    return rows;
}

std::uint64_t RowsOfImport(int count) {
    auto [found, added] = KeptRows().try_emplace(count);
    if (added) {
        BenchCompany company;
        std::list<std::string> codes;
        sys::SeedRand(kSeed);
        CPrixelAnswer(AnswerPage(count)).ImportAnswer(codes, true);
        found->second = ImportedRows(company.Library());
    }
    return found->second;
}

void ImportIntoLibrary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto company = std::make_unique<BenchCompany>();
        auto answer = std::make_unique<CPrixelAnswer>(AnswerPage(count));
        std::list<std::string> codes;
        sys::SeedRand(kSeed);
        ResetPeakMemory();
        state.ResumeTiming();
        const int written = answer->ImportAnswer(codes, true);
        state.PauseTiming();
        state.counters["peak_MB"] = PeakMegabytes();
        if (written != count) state.SkipWithError("not every article was written");
        answer.reset();
        KeptRows()[count] = ImportedRows(company->Library());
        company.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

// The company's profile of materials, which an ideal import reads once.
int MaterialsProfile(const BenchCompany& company) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(company.File("Compta.mdb").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT ProfilMateriaux FROM ParamCompta WHERE CodeSociete = ?", -1,
                       &query, nullptr);
    sqlite3_bind_text(query, 1, CParPath::sFirmDefaut.c_str(), -1, SQLITE_TRANSIENT);
    const int profile = sqlite3_step(query) == SQLITE_ROW ? sqlite3_column_int(query, 0) : 0;
    sqlite3_finalize(query);
    sqlite3_close(db);
    return profile;
}

// The bound, on the same answer; its rows are compared with those of the import.
void FairBound(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto company = std::make_unique<BenchCompany>();
        auto answer = std::make_unique<CPrixelAnswer>(AnswerPage(count));
        const std::string_view text = answer->m_strText;
        sys::SeedRand(kSeed);
        ResetPeakMemory();
        auto bound = std::make_unique<FairImport>(company->Library(), MaterialsProfile(*company));
        state.ResumeTiming();
        const int written = bound->Run(text.substr(text.find("\r\n") + 2));
        state.PauseTiming();
        state.counters["peak_MB"] = PeakMegabytes();
        bound.reset();
        answer.reset();
        if (written != count) state.SkipWithError("not every article was written");
        const bool same = ImportedRows(company->Library()) == RowsOfImport(count);
        state.counters["same_rows"] = same ? 1 : 0;
        if (!same) state.SkipWithError("the bound did not write the rows of the import");
        company.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(ImportIntoLibrary)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(FairBound)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
