#include "support/postgres_cluster.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSuperuser = "prixel";
constexpr const char* kServerUser = "postgres";

// The bin folder of the newest PostgreSQL installed.
fs::path ServerBinaries() {
    fs::path newest;
    int newestVersion = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error)) {
        const int version = std::atoi(entry.path().filename().c_str());
        if (version > newestVersion && fs::exists(entry.path() / "bin/initdb")) {
            newestVersion = version;
            newest = entry.path() / "bin";
        }
    }
    if (newest.empty())
        throw std::runtime_error(
            "PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb): run scripts/setup");
    return newest;
}

bool IsRoot() {
    return geteuid() == 0;
}

// The prefix that runs a command as the server's user: PostgreSQL refuses to run as root.
std::string AsServerUser() {
    return IsRoot() ? std::string("runuser -u ") + kServerUser + " -- " : std::string();
}

void GiveToServerUser(const fs::path& folder) {
    if (!IsRoot()) return;
    const passwd* user = getpwnam(kServerUser);
    if (user == nullptr || chown(folder.c_str(), user->pw_uid, user->pw_gid) != 0)
        throw std::runtime_error("cannot give " + folder.string() + " to the user postgres");
}

fs::path MakeFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    GiveToServerUser(pattern);
    return pattern;
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command, its output added to log; throws with that output when it fails.
void Run(const std::string& command, const fs::path& log) {
    fs::remove(log);
    if (std::system((command + " >" + log.string() + " 2>&1").c_str()) != 0)
        throw std::runtime_error(command + " failed:\n" + FileText(log));
}

// The files of an empty cluster, made by initdb once per PostgreSQL version and user, and kept
// in the temporary folder for the next clusters. Made aside and renamed into place, so that two
// test programs that make it at once each find it whole.
fs::path ClusterTemplate(const fs::path& bin) {
    const fs::path done =
        fs::temp_directory_path() / ("prixel-pg-template-" + bin.parent_path().filename().string() +
                                     "-" + std::to_string(geteuid()));
    if (fs::exists(done / "data/PG_VERSION")) return done / "data";
    const fs::path making = MakeFolder("prixel-pg-template-making-");
    Run(AsServerUser() + (bin / "initdb").string() + " -D " + (making / "data").string() + " -U " +
            kSuperuser + " -A trust -E UTF8 --locale=C --no-sync",
        making / "initdb.log");
    std::error_code taken;
    fs::rename(making, done, taken);
    if (taken) fs::remove_all(making);
    return done / "data";
}

}  // namespace

PostgresCluster::PostgresCluster(std::string settings)
    : m_settings(std::move(settings)), m_bin(ServerBinaries()) {
    const fs::path cluster = ClusterTemplate(m_bin);
    m_folder = MakeFolder("prixel-pg-");
    StartWatchdog();
    try {
        Run(AsServerUser() + "cp -a " + cluster.string() + " " + (m_folder / "data").string(),
            m_folder / "copy.log");
        Start();
    } catch (...) {
        EndWatchdog();
        throw;
    }
}

PostgresCluster::~PostgresCluster() {
    EndWatchdog();
}

void PostgresCluster::EndWatchdog() {
    close(m_watchdogPipe);
    int status = 0;
    waitpid(m_watchdog, &status, 0);
}

// A process that waits for the end of the pipe, which comes when this object is destroyed or the
// test program ends in any way, then stops the server and removes its folder.
void PostgresCluster::StartWatchdog() {
    const std::string script = AsServerUser() + (m_bin / "pg_ctl").string() + " -D " +
                               (m_folder / "data").string() +
                               " -m immediate -w stop >/dev/null 2>&1; rm -rf " + m_folder.string();
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    m_watchdog = fork();
    if (m_watchdog == 0) {
        close(ends[1]);
        char byte;
        while (read(ends[0], &byte, 1) > 0) {
        }
        execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[0]);
    m_watchdogPipe = ends[1];
    if (m_watchdog < 0) throw std::runtime_error("fork failed");
}

void PostgresCluster::Start() {
    std::istringstream words(m_settings);
    std::string options;
    for (std::string word; words >> word;) options += " -c " + word;
    Run(AsServerUser() + (m_bin / "pg_ctl").string() + " -D " + (m_folder / "data").string() +
            " -l " + (m_folder / "data/server.log").string() +
            " -w -o \"-c listen_addresses='' -c unix_socket_directories='" + m_folder.string() +
            "'" + options + "\" start",
        m_folder / "start.log");
}

std::string PostgresCluster::CreateDatabase(const std::string& name) {
    Run((m_bin / "createdb").string() + " -h " + m_folder.string() + " -U " + kSuperuser + " " +
            name,
        m_folder / "createdb.log");
    return Uri(name);
}

std::string PostgresCluster::Uri(const std::string& database) const {
    return std::string("postgresql://") + kSuperuser + "@/" + database +
           "?host=" + m_folder.string();
}

PostgresCluster& SharedPostgresCluster() {
    static PostgresCluster cluster;
    return cluster;
}
