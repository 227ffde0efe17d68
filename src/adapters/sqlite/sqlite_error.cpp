#include "adapters/sqlite/sqlite_error.h"

#include <sqlite3.h>

#include "platform/text.h"

namespace adapters {

namespace {

bool Contains(const std::string& s, const char* what) {
    return s.find(what) != std::string::npos;
}

// The text after marker up to the end of message ("no such table: X" gives "X").
std::string After(const std::string& message, const std::string& marker) {
    const std::size_t at = message.find(marker);
    return at == std::string::npos ? std::string() : message.substr(at + marker.size());
}

// The table of a failed unique constraint ("UNIQUE constraint failed: Famille.Code" -> "Famille").
std::string ConstraintTable(const std::string& message) {
    const std::string columns = After(message, "failed: ");
    return columns.substr(0, columns.find('.'));
}

std::string UnknownName(const std::string& message) {
    for (const char* marker : {"no such table: ", "no such column: ", "has no column named "}) {
        const std::string name = After(message, marker);
        if (!name.empty()) return name;
    }
    return {};
}

bool IsSyntaxError(const std::string& message) {
    return Contains(message, "syntax error") || Contains(message, "incomplete input") ||
           Contains(message, "unrecognized token");
}

CDaoException Error(long code, const std::string& french, const std::string& engineMessage) {
    return CDaoException(code, text::FromUtf8(french + " (" + engineMessage + ")."));
}

}  // namespace

CDaoException SqliteError(int extendedCode, const std::string& engineMessage,
                          const std::string& path) {
    const std::string file = text::ToUtf8(path);
    const std::string& m = engineMessage;
    if (extendedCode == SQLITE_CONSTRAINT_UNIQUE || extendedCode == SQLITE_CONSTRAINT_PRIMARYKEY)
        return Error(dao::kDuplicateKey,
                     "Doublon dans un index unique de la table " + ConstraintTable(m), m);
    switch (extendedCode & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Error(dao::kLocked,
                         "La base de données " + file + " est verrouillée par un autre utilisateur",
                         m);
        case SQLITE_READONLY:
            return Error(dao::kReadOnly,
                         "Impossible de mettre à jour la base de données " + file +
                             " : elle est en lecture seule",
                         m);
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return Error(dao::kNotADatabase,
                         "Le fichier " + file +
                             " n'est pas une base de données reconnue ou il est endommagé",
                         m);
        case SQLITE_FULL:
            return Error(dao::kDiskFull,
                         "Plus de place pour écrire dans la base de données " + file +
                             " : le disque est plein",
                         m);
        case SQLITE_CANTOPEN:
            return Error(dao::kFileNotFound,
                         "Impossible d'ouvrir le fichier de base de données " + file, m);
    }
    if (Contains(m, "no such table: "))
        return Error(dao::kUnknownName,
                     "La base de données ne contient pas la table " + UnknownName(m), m);
    if (!UnknownName(m).empty())
        return Error(dao::kUnknownName,
                     "La base de données ne contient pas la colonne " + UnknownName(m), m);
    if (IsSyntaxError(m)) return Error(dao::kSyntaxError, "Erreur de syntaxe dans la requête", m);
    return Error(dao::kGeneralFailure, "Erreur de la base de données " + file, m);
}

}  // namespace adapters
