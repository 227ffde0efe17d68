#pragma once
// The PostgreSQL driver of the database port, for a library shared by several workstations. A
// database is named by a connection string or URI of the client library
// ("postgresql://user@server/prixel"); the password comes from the client library's password or
// service file, never from the system's own files. Connections are shared: opening an address that
// an open connection already serves (with the same read-only choice) gives that connection. Texts
// are stored in UTF-8; a statement waits lockWaitMs (or what SetLockWait sets) for a lock that
// another connection holds on a row before it fails with code 3260.
//
// Create makes the database on the server (UTF-8, byte order, from template0), connected to the
// server's "postgres" database with the same address otherwise, which needs the right to create
// databases; a database that exists is refused (code 3204), as a file that exists is.

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/db/driver.h"

namespace adapters {

class PostgresConnection;

class PostgresDriver : public db::Driver {
  public:
    explicit PostgresDriver(int lockWaitMs = 2000);
    // The one PostgreSQL driver of the process.
    static std::shared_ptr<PostgresDriver> Shared();

    std::shared_ptr<db::Connection> Open(const std::string& address, bool readOnly) override;
    std::shared_ptr<db::Connection> Create(const std::string& address) override;
    void SetLockWait(int milliseconds) override;

  private:
    int m_lockWaitMs;
    std::map<std::pair<std::string, bool>, std::weak_ptr<PostgresConnection>> m_connections;
};

}  // namespace adapters
