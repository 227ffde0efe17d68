#include "platform/db/driver.h"

#include "adapters/sqlite/sqlite_driver.h"

namespace db {

namespace {

std::shared_ptr<Driver>& Current() {
    static std::shared_ptr<Driver> driver = adapters::SqliteDriver::Shared();
    return driver;
}

}  // namespace

Driver& CurrentDriver() {
    return *Current();
}

std::shared_ptr<Driver> ReplaceDriver(std::shared_ptr<Driver> driver) {
    std::shared_ptr<Driver> previous = std::move(Current());
    Current() = driver ? std::move(driver) : adapters::SqliteDriver::Shared();
    return previous;
}

}  // namespace db
