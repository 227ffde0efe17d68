#include "support/postgres_cluster.h"

#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// What a shell command printed, without its last line end; throws with it when the command fails.
std::string Run(const std::string& command) {
    FILE* pipe = popen(("(" + command + ") 2>&1").c_str(), "re");
    if (pipe == nullptr) throw std::runtime_error("popen failed: " + command);
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    if (pclose(pipe) != 0) throw std::runtime_error(command + " failed:\n" + output);
    if (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

// PostgreSQL refuses to run as root: then the postgres user runs it and owns its folders.
std::string AsServer(const std::string& command) {
    return geteuid() == 0 ? "runuser -u postgres -- " + command : command;
}

fs::path NewFolder(const std::string& prefix) {
    const std::string folder =
        Run("mktemp -d " + (fs::temp_directory_path() / prefix).string() + "XXXXXX");
    if (geteuid() == 0) Run("chown postgres: " + folder);
    return folder;
}

// The bin folder of the newest PostgreSQL installed.
fs::path ServerBinaries() {
    const std::string initdb =
        Run("ls /usr/lib/postgresql/*/bin/initdb 2>/dev/null | sort -V | tail -n 1");
    if (initdb.empty())
        throw std::runtime_error(
            "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb): run scripts/setup");
    return fs::path(initdb).parent_path();
}

// An empty cluster's files, made once per PostgreSQL version and user; made aside and renamed into
// place, so that two test programs making it at once each find it whole.
fs::path ClusterTemplate(const fs::path& bin) {
    const fs::path done =
        fs::temp_directory_path() / ("prixel-pg-template-" + bin.parent_path().filename().string() +
                                     "-" + std::to_string(geteuid()));
    if (fs::exists(done / "data/PG_VERSION")) return done / "data";
    const fs::path making = NewFolder("prixel-pg-template-making-");
    Run(AsServer((bin / "initdb").string() + " -D " + (making / "data").string() +
                 " -U prixel -A trust -E UTF8 --locale=C --no-sync"));
    std::error_code taken;
    fs::rename(making, done, taken);
    if (taken) fs::remove_all(making);
    return done / "data";
}

}  // namespace

PostgresCluster::PostgresCluster(std::string settings)
    : m_settings(std::move(settings)), m_bin(ServerBinaries()), m_folder(NewFolder("prixel-pg-")) {
    const std::string data = (m_folder / "data").string();
    const std::string pgCtl = AsServer((m_bin / "pg_ctl").string() + " -D " + data);
    // The watchdog's input ends with this object or the program, however it ends.
    m_watchdog.reset(popen(("cat >/dev/null; " + pgCtl +
                            " -m immediate -w stop >/dev/null 2>&1; rm -rf " + m_folder.string())
                               .c_str(),
                           "we"));
    if (!m_watchdog) throw std::runtime_error("cannot start the cluster's watchdog");
    Run(AsServer("cp -a " + ClusterTemplate(m_bin).string() + " " + data));
    std::istringstream words(m_settings);
    std::string options;
    for (std::string word; words >> word;) options += " -c " + word;
    Run(pgCtl + " -l " + data + "/server.log -w -o \"-c listen_addresses='' " +
        "-c unix_socket_directories='" + m_folder.string() + "'" + options + "\" start");
}

std::string PostgresCluster::CreateDatabase(const std::string& name) {
    Run((m_bin / "createdb").string() + " -h " + m_folder.string() + " -U prixel " + name);
    return Uri(name);
}

std::string PostgresCluster::Uri(const std::string& database) const {
    return "postgresql://prixel@/" + database + "?host=" + m_folder.string();
}

PostgresCluster& SharedPostgresCluster() {
    static PostgresCluster cluster;
    return cluster;
}
