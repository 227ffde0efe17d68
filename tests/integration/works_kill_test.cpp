// A works import killed at random moments (SIGKILL) leaves a sound library in which every work
// has its labour line, and the next import goes on where the killed one stopped.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "integration/host_service_fixture.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "works_folder.h"

extern char** environ;

namespace {

constexpr int kWorks = 2000;
constexpr int kKills = 3;

class WorksImportKillTest : public HostProgramTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteWorksFolder(m_folder, {.trades = 5, .works = kWorks}));
        HostProgramTest::SetUp();
    }

    // The import, started with its output thrown away.
    pid_t StartImport() const {
        const std::string command =
            "exec " + HostCommand("import-works --folder '" + m_folder + "' >/dev/null 2>&1");
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        pid_t pid = 0;
        posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
        return pid;
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

TEST_F(WorksImportKillTest, EveryWorkIsWholeOrAbsentAfterAKill) {
    std::mt19937 random(std::random_device{}());
    for (int kill = 0; kill < kKills; ++kill) {
        const long threshold = Works() + std::uniform_int_distribution<long>(0, kWorks / 4)(random);
        const pid_t pid = StartImport();
        ASSERT_GT(pid, 0);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0 && Works() < threshold) usleep(5000);
        ::kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        EXPECT_EQ(Value("PRAGMA integrity_check"), "ok") << "after kill " << kill;
        EXPECT_EQ(Orphans(), 0) << "after kill " << kill << " at " << Works() << " works";
    }
    const pid_t pid = StartImport();
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(Works(), kWorks);
    EXPECT_EQ(Number("SELECT count(*) FROM BLOUV"), kWorks);
    EXPECT_EQ(Orphans(), 0);
}

}  // namespace
