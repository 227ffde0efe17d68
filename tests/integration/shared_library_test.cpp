// Workstations sharing one library on PostgreSQL, each with its own company folder, against the
// stand-in service.

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "integration/host_service_fixture.h"
#include "platform/profile.h"

extern char** environ;

namespace {

constexpr int kWorkstations = 4;
constexpr int kArticles = 1000;
constexpr int kShift = 250;  // each workstation's articles start that many articles further
// A tariff query names its articles in its address, which the stand-in service reads up to 8,192
// characters: a workstation brings its articles as two answers.
constexpr int kAnswer = kArticles / 2;

class SharedLibraryTest : public OnPostgresLibrary<HostServiceTest> {
  protected:
    // Rounds of the imports: PRIXEL_SHARED_ROUNDS, or 2.
    static int Rounds() {
        const char* rounds = std::getenv("PRIXEL_SHARED_ROUNDS");
        return rounds ? std::atoi(rounds) : 2;
    }
    // Starts the host program on folder with each of the commands, one after the other; answers
    // the process. Standard error goes to the folder's err.txt.
    pid_t Start(const std::string& folder, const std::vector<std::string>& commands) const {
        std::string script = "true";
        for (const std::string& command : commands)
            script +=
                " && " + HostCommand(command, folder) + " >/dev/null 2>>" + folder + "/err.txt";
        const char* argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
        pid_t pid = 0;
        posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
        return pid;
    }
    // The codes of count articles of the catalogue from the first'th on, in code order, joined
    // by ",".
    std::string Codes(int first, int count) const {
        std::string codes = CatalogueSql(
            "SELECT group_concat(code, ',') FROM (SELECT code FROM articles WHERE withdrawn = 0 "
            "ORDER BY code LIMIT " +
            std::to_string(count) + " OFFSET " + std::to_string(first) + ")");
        codes.pop_back();  // its line end
        return codes;
    }
    // A workstation's company folder, naming the library; it waits for the others' imports and
    // for the service's answers.
    std::string MakeWorkstation(int i) {
        const std::string folder = m_dir.File("poste" + std::to_string(i));
        EXPECT_EQ(
            CommandOutput(HostCommand("init --server localhost --company P" + std::to_string(i) +
                                          " --library '" + m_library + "'",
                                      folder)),
            "Dossier de société créé : " + folder + "\n");
        profile::WriteString(folder + "/host.ini", "Host", "LockWait", "600000");
        // Four workstations' imports load the machine: the service's answers may come late.
        profile::WriteString(folder + "/Prixel.ini", "PrixelCustomerKey", "NavigateTimeout",
                             "600000");
        return folder;
    }
};

TEST_F(SharedLibraryTest, FourWorkstationsImportingOverlappingArticlesLeaveEachOnceWithItsRows) {
    std::vector<std::string> folders;
    std::vector<std::vector<std::string>> imports;
    for (int i = 0; i < kWorkstations; ++i) {
        folders.push_back(MakeWorkstation(i));
        imports.push_back({"refresh " + Codes(i * kShift, kAnswer),
                           "refresh " + Codes(i * kShift + kAnswer, kAnswer)});
    }
    const int all = (kWorkstations - 1) * kShift + kArticles;
    const std::string suppliers = CatalogueSql(
        "SELECT sum(length(suppliers) - length(replace(suppliers, '|', '')) + 1) FROM (SELECT "
        "suppliers FROM articles WHERE withdrawn = 0 ORDER BY code LIMIT " +
        std::to_string(all) + ")");
    for (int round = 0; round < Rounds(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        LibrarySql(
            "DELETE FROM BXMX; DELETE FROM Catalogue; DELETE FROM Fabricant; "
            "DELETE FROM Famille");
        std::vector<pid_t> hosts;
        for (int i = 0; i < kWorkstations; ++i) {
            std::filesystem::remove(folders[i] + "/err.txt");
            hosts.push_back(Start(folders[i], imports[i]));
        }
        for (int i = 0; i < kWorkstations; ++i) {
            int status = 0;
            waitpid(hosts[i], &status, 0);
            EXPECT_EQ(status, 0) << i;
            EXPECT_EQ(CommandOutput("cat '" + folders[i] + "/err.txt'"), "") << i;
        }
        EXPECT_EQ(Value("SELECT count(*) || ' ' || count(DISTINCT Code) FROM BXMX"),
                  std::to_string(all) + " " + std::to_string(all));
        EXPECT_EQ(Value("SELECT count(*) FROM Catalogue") + "\n", suppliers);
        EXPECT_EQ(Value("SELECT count(*) FROM BXMX WHERE CodeFamille NOT IN (SELECT Code FROM "
                        "Famille) OR PrixelFabricantID NOT IN (SELECT Id FROM Fabricant)"),
                  "0");
    }
}

TEST_F(SharedLibraryTest, AnArticleLockedLongerThanTheWaitIsToldAndComesAtTheNextTry) {
    profile::WriteString(m_company + "/host.ini", "Host", "LockWait", "300");
    // Another workstation holds the materials table for a long piece of work.
    const std::string hold =
        "psql -X -q -d '" + m_library +
        "' -c 'BEGIN; LOCK TABLE bxmx IN EXCLUSIVE MODE; SELECT pg_sleep(600)' >/dev/null 2>&1";
    const char* argv[] = {"/bin/sh", "-c", hold.c_str(), nullptr};
    pid_t other = 0;
    posix_spawn(&other, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
    for (int look = 0; look < 1000 && Value("SELECT count(*) FROM pg_locks WHERE relation = "
                                            "'bxmx'::regclass AND mode = 'ExclusiveLock'") != "1";
         ++look) {
    }
    const std::string code = Codes(0, 1);
    const std::string database =
        m_library.substr(m_library.find("@/") + 2, m_library.find('?') - m_library.find("@/") - 2);
    EXPECT_EQ(Host("refresh " + code, true),
              "message: La base de données " + database +
                  " est verrouillée par un autre utilisateur (canceling statement due to lock "
                  "timeout).\n");
    EXPECT_EQ(Value("SELECT count(*) FROM BXMX"), "0");

    LibrarySql(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE query LIKE "
        "'%pg_sleep(600)%' AND pid <> pg_backend_pid()");
    waitpid(other, nullptr, 0);
    EXPECT_EQ(Host("refresh " + code, true), "");
    EXPECT_EQ(Value("SELECT Code FROM BXMX"), code);
}

}  // namespace
