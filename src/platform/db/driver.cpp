#include "platform/db/driver.h"

#include "platform/db/dao.h"
#include "platform/text.h"

namespace db {

namespace {

std::shared_ptr<Driver>& Current() {
    static std::shared_ptr<Driver> driver;
    return driver;
}

}  // namespace

Driver& CurrentDriver() {
    if (!Current())
        throw CDaoException(dao::kFileNotFound,
                            text::FromUtf8("Aucun moteur de base de données n'est en place."));
    return *Current();
}

std::shared_ptr<Driver> ReplaceDriver(std::shared_ptr<Driver> driver) {
    std::shared_ptr<Driver> previous = std::move(Current());
    Current() = std::move(driver);
    return previous;
}

}  // namespace db
