#include "adapters/routing_driver.h"

#include <gtest/gtest.h>

// A libpq address, a URI or "keyword = value" settings, goes to the server; anything else is a
// file's path, even one holding '=' or naming PostgreSQL.
TEST(RoutingDriverTest, ServerAddressesAreLibpqUrisOrSettingsAndEverythingElseAFile) {
    for (const char* address : {"postgresql://prixel@/bib?host=/tmp/pg", "postgres://db.local/bib",
                                "host=/tmp/pg dbname=bib", "  service = prixel"})
        EXPECT_TRUE(adapters::RoutingDriver::IsServerAddress(address)) << address;
    for (const char* path :
         {"/srv/soc/prixel/Bib.mdb", "demo/prixel/Bib.mdb", "/a=b/Bib.mdb", "postgresql.mdb", "=x"})
        EXPECT_FALSE(adapters::RoutingDriver::IsServerAddress(path)) << path;
}
