#pragma once
// What the library benchmarks share: a fresh company folder for each run, so that every row a run
// writes is new; plain SQLite statements for the bounds; the peak resident memory of a run; the
// rows of a library as text, to compare two runs; and the program's start, which puts the
// headless components in place before the benchmarks run.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "adapters/composition.h"
#include "host/company.h"
#include "support/temp_dir.h"

class BenchCompany {
  public:
    // library: the address of a library on a database server; empty: the folder's own file.
    explicit BenchCompany(const std::string& library = "") {
        std::string error;
        host::CreateCompany(m_dir.Folder(), {"DEMO", "", library}, error);
        host::OpenCompany(m_dir.Folder(), error);
    }
    ~BenchCompany() { host::CloseCompany(); }
    BenchCompany(const BenchCompany&) = delete;
    BenchCompany& operator=(const BenchCompany&) = delete;

    std::string Library() const { return File("prixel/Bib.mdb"); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

  private:
    TempDir m_dir;
};

inline void ExecuteSql(sqlite3* db, const char* sql) {
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The peak resident memory starts again from what the process holds now, the memory freed by
// earlier runs given back first.
inline void ResetPeakMemory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

inline double PeakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

// A digest of the rows of the tables an article import writes, in the library file at path: every
// row in the order it was stored, each value with its type (FNV-1a, 64 bits).
inline std::uint64_t ImportedRows(const std::string& path) {
    std::uint64_t digest = 14695981039346656037ull;
    const auto add = [&digest](const void* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            digest = (digest ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ull;
        }
    };
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (const std::string table : {"BXMX", "Famille", "Fabricant", "Catalogue"}) {
        sqlite3_stmt* rows = nullptr;
        sqlite3_prepare_v2(db, ("SELECT * FROM " + table + " ORDER BY rowid").c_str(), -1, &rows,
                           nullptr);
        while (sqlite3_step(rows) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(rows); ++i) {
                const int type = sqlite3_column_type(rows, i);
                add(&type, sizeof type);
                add(sqlite3_column_text(rows, i), sqlite3_column_bytes(rows, i));
            }
        }
        sqlite3_finalize(rows);
    }
    sqlite3_close(db);
    return digest;
}

inline int RunBenchmarks(int argc, char** argv) {
    adapters::Compose(adapters::Screen::Headless);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
