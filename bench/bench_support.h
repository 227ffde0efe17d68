#pragma once
// What the library benchmarks share: a fresh company folder for each run, so that every row a run
// writes is new; plain SQLite statements for the bounds; and the program's start, which puts the
// headless components in place before the benchmarks run.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "adapters/composition.h"
#include "host/company.h"
#include "support/temp_dir.h"

class BenchCompany {
  public:
    BenchCompany() {
        std::string error;
        host::CreateCompany(m_dir.Folder(), {}, error);
        host::OpenCompany(m_dir.Folder(), error);
    }
    ~BenchCompany() { host::CloseCompany(); }
    BenchCompany(const BenchCompany&) = delete;
    BenchCompany& operator=(const BenchCompany&) = delete;

    std::string Library() const { return m_dir.File("prixel/Bib.mdb"); }

  private:
    TempDir m_dir;
};

inline void ExecuteSql(sqlite3* db, const char* sql) {
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

inline int RunBenchmarks(int argc, char** argv) {
    adapters::Compose(adapters::Screen::Headless);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
