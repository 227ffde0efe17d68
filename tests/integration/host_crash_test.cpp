// The host program killed at random moments of a large import: the library stays sound and holds
// the answer's articles all or none.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "integration/host_service_fixture.h"

extern char** environ;

namespace {

constexpr int kArticles = 400;
constexpr int kKills = 6;

// Starts a shell command (its environment's assignments first) that runs one program in its
// place; answers the process's id.
pid_t Start(const std::string& command) {
    const std::string exec = "exec env " + command + " >/dev/null 2>&1";
    const char* argv[] = {"/bin/sh", "-c", exec.c_str(), nullptr};
    pid_t pid = 0;
    posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
    return pid;
}

TEST_F(HostServiceTest, KilledDuringALargeImportTheLibraryIsSoundAndHoldsAllOrNone) {
    std::string codes = CatalogueSql(
        "SELECT group_concat(code, ',') FROM (SELECT code FROM articles WHERE withdrawn = 0 "
        "LIMIT " +
        std::to_string(kArticles) + ")");
    codes.pop_back();  // its line end
    const std::string all = std::to_string(kArticles) + "\n";
    std::mt19937 draw(std::random_device{}());
    // From before the exchange to after the import's end on a loaded machine.
    std::uniform_int_distribution<int> moment(0, 6000);
    int whole = 0;
    for (int run = 0; run < kKills; ++run) {
        const pid_t host = Start(HostCommand("refresh " + codes));
        std::this_thread::sleep_for(std::chrono::milliseconds(moment(draw)));
        kill(host, SIGKILL);
        int status = 0;
        waitpid(host, &status, 0);
        // Killed, or done before the kill: a program that could not start proves nothing.
        ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << status;
        EXPECT_EQ(Sql("prixel/Bib.mdb", "PRAGMA integrity_check"), "ok\n");
        const std::string rows = Sql("prixel/Bib.mdb", "SELECT count(*) FROM BXMX");
        EXPECT_TRUE(rows == "0\n" || rows == all) << rows;
        whole += rows == all;
        const std::string suppliers =
            Sql("prixel/Bib.mdb", "SELECT count(DISTINCT Code) FROM Catalogue");
        EXPECT_EQ(suppliers == "0\n", rows == "0\n") << suppliers;
        Sql("prixel/Bib.mdb",
            "DELETE FROM BXMX; DELETE FROM Catalogue; DELETE FROM Fabricant; DELETE FROM Famille");
    }
    RecordProperty("kills", kKills);
    RecordProperty("imports_whole", whole);
}

}  // namespace
