#pragma once
// A throw-away PostgreSQL server for the tests: a cluster in a temporary folder, listening on a
// Unix socket in that folder only (no TCP port), stopped and removed with everything in it by a
// watchdog process when the object goes or the test program ends, even by a crash. Its files are
// copied from a template made once by initdb and kept in the temporary folder. Run as root, the
// server runs as the postgres user. The server binaries are the newest PostgreSQL's; without them
// (scripts/setup installs them) the constructor throws, and the test fails.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

// The tests' server settings: nothing is flushed to disk, the cluster being thrown away.
inline constexpr const char* kThrowAwaySettings =
    "fsync=off synchronous_commit=off full_page_writes=off";

class PostgresCluster {
  public:
    // settings: the server's settings, "name=value" words. Throws std::runtime_error telling what
    // failed.
    explicit PostgresCluster(std::string settings = kThrowAwaySettings);

    // Creates an empty UTF-8 database and answers its address, as Uri does.
    std::string CreateDatabase(const std::string& name);
    // The address of a database of the cluster, a libpq connection URI
    // ("postgresql://prixel@/name?host=/tmp/..."): the superuser "prixel", no password.
    std::string Uri(const std::string& database) const;
    const std::string& Settings() const { return m_settings; }

  private:
    std::string m_settings;
    std::filesystem::path m_bin;
    std::filesystem::path m_folder;
    std::unique_ptr<FILE, int (*)(FILE*)> m_watchdog{nullptr, pclose};
};

// The cluster of this test program, started on first use and stopped when the program ends.
PostgresCluster& SharedPostgresCluster();
