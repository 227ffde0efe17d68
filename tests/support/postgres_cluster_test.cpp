#include "support/postgres_cluster.h"

#include <gtest/gtest.h>

#include "support/running_service.h"

namespace {

std::string Answer(const std::string& uri, const std::string& sql) {
    return CommandOutput("psql -At -d '" + uri + "' -c \"" + sql + "\" 2>&1");
}

}  // namespace

TEST(PostgresClusterTest, ServesItsDatabasesOnItsOwnSocketAndLeavesNothingBehind) {
    std::filesystem::path folder;
    {
        PostgresCluster cluster;
        folder = cluster.Folder();
        const std::string uri = cluster.CreateDatabase("bib");
        EXPECT_EQ(Answer(uri, "SHOW listen_addresses"), "\n");
        EXPECT_EQ(Answer(uri,
                         "SELECT current_database(), pg_encoding_to_char(encoding) FROM "
                         "pg_database WHERE datname = current_database()"),
                  "bib|UTF8\n");
        cluster.Stop();
        EXPECT_NE(Answer(uri, "SELECT 1"), "1\n");
        cluster.Start();
        EXPECT_EQ(Answer(uri, "SELECT 1"), "1\n");
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}
