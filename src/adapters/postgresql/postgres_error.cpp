#include "adapters/postgresql/postgres_error.h"

#include "platform/text.h"

namespace adapters {

namespace {

// The first name the message quotes ("relation \"bxmx\" does not exist" gives "bxmx").
std::string QuotedName(const std::string& message) {
    const std::size_t open = message.find('"');
    const std::size_t close = open == std::string::npos ? open : message.find('"', open + 1);
    return close == std::string::npos ? std::string() : message.substr(open + 1, close - open - 1);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

CDaoException Error(long code, const std::string& french, const std::string& engineMessage) {
    return CDaoException(code, text::FromUtf8(french + " (" + engineMessage + ")."));
}

}  // namespace

CDaoException PostgresError(const PostgresFailure& failure, const std::string& database) {
    const std::string name = text::ToUtf8(database);
    const std::string& state = failure.sqlState;
    const std::string& m = failure.message;
    if (state == "23505")
        return Error(dao::kDuplicateKey,
                     "Doublon dans un index unique de la table " + failure.table, m);
    if (state == "55P03" || state == "40P01")
        return Error(dao::kLocked,
                     "La base de données " + name + " est verrouillée par un autre utilisateur", m);
    if (state == "25006" || state == "42501")
        return Error(dao::kReadOnly,
                     "Impossible de mettre à jour la base de données " + name +
                         " : elle est en lecture seule",
                     m);
    if (state == "42P01")
        return Error(dao::kUnknownName,
                     "La base de données ne contient pas la table " + QuotedName(m), m);
    if (state == "42703")
        return Error(dao::kUnknownName,
                     "La base de données ne contient pas la colonne " + QuotedName(m), m);
    if (state == "42601") return Error(dao::kSyntaxError, "Erreur de syntaxe dans la requête", m);
    if (state == "3D000")
        return Error(dao::kFileNotFound, "La base de données " + name + " est introuvable", m);
    if (state == "53100")
        return Error(dao::kDiskFull,
                     "Plus de place pour écrire dans la base de données " + name +
                         " : le disque du serveur est plein",
                     m);
    if (state.empty() || StartsWith(state, "08") || StartsWith(state, "57P"))
        return Error(dao::kConnectionFailed,
                     "La connexion au serveur de la base de données " + name + " est perdue", m);
    return Error(dao::kGeneralFailure, "Erreur de la base de données " + name, m);
}

CDaoException PostgresConnectError(const std::string& message, const std::string& database) {
    const std::string name = text::ToUtf8(database);
    std::string words = message;
    while (!words.empty() && (words.back() == '\n' || words.back() == '.')) words.pop_back();
    if (words.find("database \"") != std::string::npos &&
        words.find("does not exist") != std::string::npos)
        return Error(dao::kFileNotFound, "La base de données " + name + " est introuvable", words);
    return Error(dao::kConnectionFailed,
                 "Impossible de se connecter au serveur de la base de données " + name, words);
}

bool EndsTheTransaction(const PostgresFailure& failure) {
    const std::string& state = failure.sqlState;
    return state.empty() || StartsWith(state, "08") || StartsWith(state, "57P") ||
           StartsWith(state, "53") || StartsWith(state, "58") || StartsWith(state, "XX");
}

}  // namespace adapters
