#pragma once
// A throw-away PostgreSQL server for the tests: a cluster made with initdb in a temporary folder,
// listening on a Unix socket in that folder only (no TCP port), stopped and removed with
// everything in it at the end. Run as root, the server runs as the postgres user, who owns the
// folder. A watchdog process stops and removes the cluster when the test program ends, even by a
// crash. The cluster's files are copied from a template made once by initdb and kept in the
// temporary folder, so that starting one costs a copy and a start.
//
// The server binaries are those of /usr/lib/postgresql/<newest>/bin; without them (PostgreSQL
// not installed: scripts/setup installs it) the constructor throws, and the test fails.

#include <sys/types.h>

#include <filesystem>
#include <string>

// The tests' server settings: nothing is flushed to disk, the cluster being thrown away.
inline constexpr const char* kThrowAwaySettings =
    "fsync=off synchronous_commit=off full_page_writes=off";

class PostgresCluster {
  public:
    // settings: the server's settings, "name=value" words. Throws std::runtime_error telling what
    // failed.
    explicit PostgresCluster(std::string settings = kThrowAwaySettings);
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // Creates an empty UTF-8 database and answers its address, as Uri does.
    std::string CreateDatabase(const std::string& name);
    // The address of a database of the cluster, a libpq connection URI
    // ("postgresql://prixel@/name?host=/tmp/..."): the superuser "prixel", no password.
    std::string Uri(const std::string& database) const;
    const std::filesystem::path& Folder() const { return m_folder; }
    const std::string& Settings() const { return m_settings; }

  private:
    void Start();
    void StartWatchdog();
    void EndWatchdog();

    std::string m_settings;
    std::filesystem::path m_bin;
    std::filesystem::path m_folder;
    pid_t m_watchdog = 0;
    int m_watchdogPipe = -1;
};

// The cluster of this test program, started on first use and stopped when the program ends.
PostgresCluster& SharedPostgresCluster();
