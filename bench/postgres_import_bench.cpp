// Speed of the article import into a service library on PostgreSQL, the library several
// workstations share: the answers of the SQLite library's benchmark (import_bench.cpp), each run
// into a fresh database of a cluster on this machine, reached by its Unix socket, so that one run
// gives both figures. The cluster keeps what it writes as a real server does (every commit
// flushed to disk); its settings are printed with the figures.

#include <list>
#include <memory>
#include <string>

#include "article_answer.h"
#include "bench_support.h"
#include "connection/prixel_answer.h"
#include "support/postgres_cluster.h"

namespace {

constexpr const char* kServerSettings = "fsync=on synchronous_commit=on full_page_writes=on";

PostgresCluster& BenchCluster() {
    static PostgresCluster cluster(kServerSettings);
    return cluster;
}

std::string NewLibrary() {
    static int made = 0;
    return BenchCluster().CreateDatabase("bench_" + std::to_string(++made));
}

void ImportIntoPostgresLibrary(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto company = std::make_unique<BenchCompany>(NewLibrary());
        auto answer = std::make_unique<CPrixelAnswer>(AnswerPage(count));
        std::list<std::string> codes;
        state.ResumeTiming();
        const int written = answer->ImportAnswer(codes, true);
        state.PauseTiming();
        if (written != count) state.SkipWithError("not every article was written");
        answer.reset();
        company.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.SetLabel(BenchCluster().Settings());
}

}  // namespace

BENCHMARK(ImportIntoPostgresLibrary)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
