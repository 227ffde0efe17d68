#include "fuzz_company.h"

#include <stdlib.h>

#include <cstdio>
#include <memory>

#include "adapters/sqlite/sqlite_driver.h"
#include "host/company.h"
#include "host/databases.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/ui/backend.h"
#include "platform/ui/headless/headless_backend.h"

namespace fuzz {
namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

std::string LibraryFile() {
    return GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb";
}

}  // namespace

void OpenCompany() {
    if (!Folder().empty()) return;
    char folder[] = "/dev/shm/prixel-fuzz-XXXXXX";
    Folder() = std::string(mkdtemp(folder)) + "/";
    db::ReplaceDriver(adapters::SqliteDriver::Shared());
    std::string error;
    if (!host::CreateCompany(Folder(), {}, error) || !host::OpenCompany(Folder(), error)) {
        std::fprintf(stderr, "company not made: %s\n", error.c_str());
        std::abort();
    }
}

void StartInput(std::initializer_list<const char*> tables) {
    static ui::VirtualClock clock;
    ui::ReplaceBackend(std::make_shared<ui::HeadlessBackend>(clock));
    for (const char* table : tables) {
        CDaoDatabase database;
        database.Open(host::DatabaseFileOf(Folder(), table));
        database.Execute(std::string("DELETE FROM ") + table);
    }
}

void ExecuteOnLibrary(const std::string& sql) {
    CDaoDatabase library;
    library.Open(LibraryFile());
    library.Execute(sql);
}

long CountInLibrary(const std::string& sql) {
    CDaoDatabase library;
    library.Open(LibraryFile());
    CDaoRecordset count(&library);
    count.Open(sql);
    return static_cast<long>(std::get<std::int64_t>(count.GetFieldValue("n")));
}

}  // namespace fuzz
