// The host program killed (SIGKILL) at random moments of a large import: the library stays sound
// and holds each article or work whole or not at all, and the next import goes on.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "integration/host_service_fixture.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "works_folder.h"

extern char** environ;

namespace {

// Starts a host command (its environment's assignments first), its output thrown away.
pid_t Start(const std::string& command) {
    const std::string exec = "exec env " + command + " >/dev/null 2>&1";
    const char* argv[] = {"/bin/sh", "-c", exec.c_str(), nullptr};
    pid_t pid = 0;
    posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
    return pid;
}

// Whether the program still runs; its end is left for the next wait to collect.
bool Running(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

// Kills the program if asked and waits for its end: killed, or done well. A program that could
// not start, or failed, proves nothing.
testing::AssertionResult Ends(pid_t pid, bool killed) {
    if (killed) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if ((killed && WIFSIGNALED(status)) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "status " << status;
}

TEST_F(HostServiceTest, KilledDuringALargeImportTheLibraryIsSoundAndHoldsAllOrNone) {
    std::string codes = CatalogueSql(
        "SELECT group_concat(code, ',') FROM (SELECT code FROM articles WHERE withdrawn = 0 "
        "LIMIT 400)");
    codes.pop_back();  // its line end
    std::mt19937 draw(std::random_device{}());
    // From before the exchange to after the import's end on a loaded machine.
    std::uniform_int_distribution<int> moment(0, 6000);
    for (int run = 0; run < 6; ++run) {
        const pid_t host = Start(HostCommand("refresh " + codes));
        std::this_thread::sleep_for(std::chrono::milliseconds(moment(draw)));
        ASSERT_TRUE(Ends(host, true));
        EXPECT_EQ(Value("PRAGMA integrity_check"), "ok");
        const std::string rows = Value("SELECT count(*) FROM BXMX");
        EXPECT_TRUE(rows == "0" || rows == "400") << rows;
        EXPECT_EQ(Value("SELECT count(DISTINCT Code) FROM Catalogue") == "0", rows == "0");
        Value(
            "DELETE FROM BXMX; DELETE FROM Catalogue; DELETE FROM Fabricant; DELETE FROM Famille");
    }
}

class WorksImportKillTest : public HostProgramTest {
  protected:
    static constexpr int kWorks = 2000;

    void SetUp() override {
        ASSERT_TRUE(WriteWorksFolder(m_folder, {.trades = 5, .works = kWorks}));
        HostProgramTest::SetUp();
    }
    pid_t StartImport() const {
        return Start(HostCommand("import-works --folder '" + m_folder + "'"));
    }
    // A number the library answers, read as another program reads it while the import writes.
    long Number(const std::string& sql) const {
        CDaoDatabase library;
        library.Open(m_company + "/prixel/Bib.mdb", false, true);
        const auto statement = library.Connection().Prepare(sql);
        return statement->Step() ? static_cast<long>(std::get<std::int64_t>(statement->Column(0)))
                                 : -1;
    }
    long Works() const { return Number("SELECT count(*) FROM BOUV"); }
    // Works without their labour line, and lines without their work.
    long Orphans() const {
        return Number(
            "SELECT (SELECT count(*) FROM BOUV b WHERE NOT EXISTS (SELECT 1 FROM BLOUV l "
            "WHERE l.[Code tache] = b.Code)) + (SELECT count(*) FROM BLOUV l WHERE NOT EXISTS "
            "(SELECT 1 FROM BOUV b WHERE b.Code = l.[Code tache]))");
    }

    std::string m_folder = m_dir.File("ouvrages");
};

TEST_F(WorksImportKillTest, EveryWorkIsWholeOrAbsentAfterAKillAndTheNextImportGoesOn) {
    std::mt19937 random(std::random_device{}());
    for (int kill = 0; kill < 3; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const long threshold = Works() + std::uniform_int_distribution<long>(0, kWorks / 4)(random);
        const pid_t pid = StartImport();
        while (Running(pid) && Works() < threshold) usleep(5000);
        ASSERT_TRUE(Ends(pid, true));
        EXPECT_EQ(Value("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(Orphans(), 0) << Works() << " works";
    }
    ASSERT_TRUE(Ends(StartImport(), false));
    EXPECT_EQ(Works(), kWorks);
    EXPECT_EQ(Number("SELECT count(*) FROM BLOUV"), kWorks);
    EXPECT_EQ(Orphans(), 0);
}

}  // namespace
