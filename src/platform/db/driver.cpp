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

CDaoException NoTransaction() {
    return CDaoException(dao::kGeneralFailure,
                         text::FromUtf8("Aucune transaction n'est en cours sur la base."));
}

CDaoException LostTransaction() {
    return CDaoException(dao::kTransactionLost,
                         text::FromUtf8("Une erreur a annulé la transaction en cours."));
}

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
