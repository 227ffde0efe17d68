#include "adapters/sqlite/sqlite_driver.h"

#include <sqlite3.h>

#include <filesystem>

#include "adapters/sqlite/sqlite_connection.h"
#include "platform/db/dao.h"
#include "platform/text.h"

namespace adapters {

namespace {

std::filesystem::path FilePath(const std::string& path) {
    return text::ToUtf8(path);
}

}  // namespace

SqliteDriver::SqliteDriver(int busyTimeoutMs) : m_busyTimeoutMs(busyTimeoutMs) {}

std::shared_ptr<SqliteDriver> SqliteDriver::Shared() {
    static const auto driver = std::make_shared<SqliteDriver>();
    return driver;
}

std::shared_ptr<db::Connection> SqliteDriver::Open(const std::string& path, bool readOnly) {
    if (auto live = m_byGivenPath[std::make_pair(path, readOnly)].lock()) return live;
    std::error_code error;
    if (!std::filesystem::is_regular_file(FilePath(path), error))
        throw CDaoException(dao::kFileNotFound, text::FromUtf8("Le fichier de base de données ") +
                                                    path + text::FromUtf8(" est introuvable."));
    return Connect(path, readOnly, false);
}

std::shared_ptr<db::Connection> SqliteDriver::Create(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(FilePath(path), error))
        throw CDaoException(dao::kDatabaseExists, text::FromUtf8("Le fichier de base de données ") +
                                                      path + text::FromUtf8(" existe déjà."));
    return Connect(path, false, true);
}

void SqliteDriver::SetLockWait(int milliseconds) {
    m_busyTimeoutMs = milliseconds;
    for (const auto& [key, connection] : m_connections) {
        if (auto live = connection.lock()) live->SetLockWait(milliseconds);
    }
}

std::shared_ptr<db::Connection> SqliteDriver::Connect(const std::string& path, bool readOnly,
                                                      bool create) {
    const auto expired = [](const auto& entry) { return entry.second.expired(); };
    std::erase_if(m_connections, expired);
    std::erase_if(m_byGivenPath, expired);
    std::error_code error;
    const std::filesystem::path file = FilePath(path);
    const auto canonical = std::filesystem::weakly_canonical(file, error);
    const auto key = std::make_pair((error ? file : canonical).string(), readOnly);
    if (auto live = m_connections[key].lock()) {
        m_byGivenPath[std::make_pair(path, readOnly)] = live;
        return live;
    }

    sqlite3* db = nullptr;
    // A connection is worked by one thread at a time, the host's: the engine need not lock it at
    // every call.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(key.first.c_str(), &db, flags, nullptr);
    auto connection = std::make_shared<SqliteConnection>(db, path, readOnly);
    if (rc != SQLITE_OK) connection->Fail();
    connection->Configure(m_busyTimeoutMs);
    m_connections[key] = connection;
    m_byGivenPath[std::make_pair(path, readOnly)] = connection;
    return connection;
}

}  // namespace adapters
