#include "adapters/routing_driver.h"

#include <gtest/gtest.h>

namespace {

// A driver that only keeps the lock wait it is given.
struct LockWaitDriver : db::Driver {
    std::shared_ptr<db::Connection> Open(const std::string&, bool) override { return nullptr; }
    std::shared_ptr<db::Connection> Create(const std::string&) override { return nullptr; }
    void SetLockWait(int milliseconds) override { lockWait = milliseconds; }
    int lockWait = 0;
};

// A libpq address, a URI or "keyword = value" settings, goes to the server; anything else is a
// file's path, even one holding '=' or naming PostgreSQL. Both drivers wait as long for a lock.
TEST(RoutingDriverTest, AddressesGoByTheirFormAndTheLockWaitGoesToBoth) {
    for (const char* address : {"postgresql://prixel@/bib?host=/tmp/pg", "postgres://db.local/bib",
                                "host=/tmp/pg dbname=bib", "  service = prixel"})
        EXPECT_TRUE(adapters::RoutingDriver::IsServerAddress(address)) << address;
    for (const char* path :
         {"/srv/soc/prixel/Bib.mdb", "demo/prixel/Bib.mdb", "/a=b/Bib.mdb", "postgresql.mdb", "=x"})
        EXPECT_FALSE(adapters::RoutingDriver::IsServerAddress(path)) << path;
    const auto files = std::make_shared<LockWaitDriver>();
    const auto server = std::make_shared<LockWaitDriver>();
    adapters::RoutingDriver(files, server).SetLockWait(1500);
    EXPECT_EQ(files->lockWait + server->lockWait, 3000);
}

}  // namespace
