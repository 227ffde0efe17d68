#pragma once
// The database driver the host's side opens everything through: a database file goes to the
// embedded engine, the address of a library on a PostgreSQL server to the server's driver. An
// address is a server's when it is a postgresql:// or postgres:// URI, or a libpq list of
// "keyword=value" settings; a file's path never begins with "keyword=".

#include <memory>
#include <string>
#include <string_view>

#include "platform/db/driver.h"

namespace adapters {

class RoutingDriver final : public db::Driver {
  public:
    RoutingDriver(std::shared_ptr<db::Driver> files, std::shared_ptr<db::Driver> server);

    static bool IsServerAddress(std::string_view address);

    std::shared_ptr<db::Connection> Open(const std::string& path, bool readOnly) override;
    std::shared_ptr<db::Connection> Create(const std::string& path) override;
    // Both drivers wait as long.
    void SetLockWait(int milliseconds) override;

  private:
    db::Driver& DriverOf(std::string_view address) const;

    std::shared_ptr<db::Driver> m_files;
    std::shared_ptr<db::Driver> m_server;
};

}  // namespace adapters
