#include "adapters/routing_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A driver that only remembers what it was asked.
class AskedDriver : public db::Driver {
  public:
    std::shared_ptr<db::Connection> Open(const std::string& path, bool) override {
        asked.push_back(path);
        return nullptr;
    }
    std::shared_ptr<db::Connection> Create(const std::string& path) override {
        asked.push_back("create " + path);
        return nullptr;
    }
    void SetLockWait(int milliseconds) override { lockWait = milliseconds; }

    std::vector<std::string> asked;
    int lockWait = 0;
};

TEST(RoutingDriverTest, ServerAddressesGoToTheServerAndEverythingElseToTheFiles) {
    const auto files = std::make_shared<AskedDriver>();
    const auto server = std::make_shared<AskedDriver>();
    adapters::RoutingDriver driver(files, server);
    for (const char* address : {"postgresql://prixel@/bib?host=/tmp/pg", "postgres://db.local/bib",
                                "host=/tmp/pg dbname=bib", "  service = prixel"})
        driver.Open(address, false);
    for (const char* path :
         {"/srv/soc/prixel/Bib.mdb", "demo/prixel/Bib.mdb", "/a=b/Bib.mdb", "postgresql.mdb", "=x"})
        driver.Open(path, false);
    driver.Create("/srv/soc/Etude.mdb");
    driver.SetLockWait(1500);

    EXPECT_EQ(server->asked.size(), 4u);
    EXPECT_EQ(files->asked, (std::vector<std::string>{
                                "/srv/soc/prixel/Bib.mdb", "demo/prixel/Bib.mdb", "/a=b/Bib.mdb",
                                "postgresql.mdb", "=x", "create /srv/soc/Etude.mdb"}));
    EXPECT_EQ(files->lockWait + server->lockWait, 3000);
}

}  // namespace
