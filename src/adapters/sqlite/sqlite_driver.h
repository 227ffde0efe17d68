#pragma once
// The SQLite driver of the database port. Connections to one file are shared: opening a file
// that an open connection already serves (with the same read-only choice) gives that connection.
// Each connection keeps its prepared statements for reuse, runs in WAL mode with synchronous
// NORMAL and foreign keys off, and waits busyTimeoutMs (or what SetLockWait sets) for another
// connection's lock before a statement fails with code 3260.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/db/driver.h"

namespace adapters {

class SqliteConnection;

class SqliteDriver : public db::Driver {
  public:
    explicit SqliteDriver(int busyTimeoutMs = 2000);
    // The one SQLite driver of the process, which the composition puts in place.
    static std::shared_ptr<SqliteDriver> Shared();

    std::shared_ptr<db::Connection> Open(const std::string& path, bool readOnly) override;
    std::shared_ptr<db::Connection> Create(const std::string& path) override;
    void SetLockWait(int milliseconds) override;

  private:
    std::shared_ptr<db::Connection> Connect(const std::string& path, bool readOnly, bool create);

    int m_busyTimeoutMs;
    // Open connections by canonical path (UTF-8) and read-only choice, and by the path as it was
    // given (CP1252), so that opening a file again costs no look at the file system.
    std::map<std::pair<std::string, bool>, std::weak_ptr<SqliteConnection>> m_connections;
    std::map<std::pair<std::string, bool>, std::weak_ptr<SqliteConnection>> m_byGivenPath;
};

}  // namespace adapters
