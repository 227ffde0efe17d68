#include "host/session.h"

#include "host/company.h"
#include "platform/text.h"

namespace host {

namespace {
std::unique_ptr<Session>& Current() {
    static std::unique_ptr<Session> session;
    return session;
}
}  // namespace

Session* CurrentSession() {
    return Current().get();
}

void SetCurrentSession(std::unique_ptr<Session> session) {
    Current() = std::move(session);
}

void OpenCompanyDatabase(CDaoDatabase& database, const std::string& table) {
    if (database.IsOpen()) return;
    if (!CurrentSession()) {
        throw CDaoException(dao::kFileNotFound,
                            text::FromUtf8("Aucune société n'est ouverte : la base de la table ") +
                                table + text::FromUtf8(" est introuvable."));
    }
    database.Open(DatabaseFileOf(CurrentSession()->folder, table));
}

}  // namespace host
