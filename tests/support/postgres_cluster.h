#pragma once
// A throw-away PostgreSQL server for the tests, on a Unix socket in a temporary folder (no TCP
// port), copied from an initdb template kept in the temporary folder; a watchdog process stops it
// and removes its folder when the object goes or the program ends, even by a crash. Run as root,
// the server runs as the postgres user. Without PostgreSQL installed the constructor throws.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

// Nothing is flushed to disk, the cluster being thrown away.
inline constexpr const char* kThrowAwaySettings =
    "fsync=off synchronous_commit=off full_page_writes=off";

class PostgresCluster {
  public:
    // settings: "name=value" words. Throws std::runtime_error telling what failed.
    explicit PostgresCluster(std::string settings = kThrowAwaySettings);

    // Creates an empty UTF-8 database and answers its address.
    std::string CreateDatabase(const std::string& name);
    // A libpq URI for the superuser "prixel", no password: "postgresql://prixel@/name?host=...".
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
