// Speed of the works import: the engine on generated folders of 10,000 and 100,000 works (30
// trades, 450 families of works), beside the same BOUV and BLOUV rows written by plain prepared
// SQLite inserts in one transaction, the bound to compare with. Each run also reports the peak of
// the process's resident memory during the run (peak_MB), which must not grow with the files.

#include "bench_support.h"

#include <map>
#include <memory>
#include <string>

#include "platform/text.h"
#include "platform/ui/resources.h"
#include "resources/prixel_resources.h"
#include "works/work_import.h"
#include "works_folder.h"

namespace {

// One generated folder per size, kept for the whole program.
const std::string& FolderOf(int works) {
    static TempDir dir;
    static std::map<int, std::string> folders;
    auto [found, added] = folders.try_emplace(works, dir.File(std::to_string(works)));
    if (added) WriteWorksFolder(found->second, {.trades = 30, .works = works});
    return found->second;
}

void ImportWorks(benchmark::State& state) {
    const int works = static_cast<int>(state.range(0));
    const std::string& folder = FolderOf(works);
    ui::RegisterResourceModule(&PrixelResources());
    for (auto _ : state) {
        state.PauseTiming();
        auto company = std::make_unique<BenchCompany>();
        ResetPeakMemory();
        state.ResumeTiming();
        if (!CWorkImport(folder, "PRIXEL").Run()) state.SkipWithError("the import failed");
        state.PauseTiming();
        state.counters["peak_MB"] = PeakMegabytes();
        company.reset();
        state.ResumeTiming();
    }
    ui::UnregisterResourceModule(&PrixelResources());
    state.SetItemsProcessed(state.iterations() * works);
}

void BindText(sqlite3_stmt* statement, int index, const std::string& value) {
    sqlite3_bind_text(statement, index, value.c_str(), -1, SQLITE_TRANSIENT);
}

// The bound: a BOUV row and its BLOUV line for each work, by prepared inserts in one transaction.
void PlainInserts(benchmark::State& state) {
    const int works = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BenchCompany company;
        sqlite3* db = nullptr;
        sqlite3_open(company.Library().c_str(), &db);
        ResetPeakMemory();
        state.ResumeTiming();
        ExecuteSql(db, "BEGIN");
        sqlite3_stmt* work = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO BOUV (Type, Code, Libelle, Unite, DateMaj, LibFamille, "
                           "CodeFamille, Profil) VALUES (501, ?, ?, 'm2', '2026-12-05', "
                           "'Gros œuvre - Ouvr', '@Ab', 1)",
                           -1, &work, nullptr);
        sqlite3_stmt* line = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO BLOUV ([Type tache], [Code tache], NumLigne, TypeElement, "
                           "CodeElement, Quantite) VALUES (501, ?, 0, 24001, 'PRIXEL_MO', ?)",
                           -1, &line, nullptr);
        for (int i = 0; i < works; ++i) {
            const std::string code = text::Format("PRIXELOUV%06d", i + 1);
            BindText(work, 1, code);
            BindText(work, 2, "Fourniture et pose de cloison en plaques de plâtre 72/48");
            sqlite3_step(work);
            sqlite3_reset(work);
            BindText(line, 1, code);
            sqlite3_bind_double(line, 2, 0.05 + i % 400 / 100.0);
            sqlite3_step(line);
            sqlite3_reset(line);
        }
        sqlite3_finalize(work);
        sqlite3_finalize(line);
        ExecuteSql(db, "COMMIT");
        state.PauseTiming();
        state.counters["peak_MB"] = PeakMegabytes();
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * works);
}

}  // namespace

BENCHMARK(ImportWorks)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(PlainInserts)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
