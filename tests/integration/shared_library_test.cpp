// Workstations sharing one library on PostgreSQL, each with its own company folder, against the
// stand-in service.

#include <cstdlib>
#include <string>

#include "integration/host_service_fixture.h"
#include "platform/profile.h"

namespace {

constexpr int kWorkstations = 4;
constexpr int kArticles = 1000;
constexpr int kShift = 250;  // each workstation's articles start that many articles further
// A tariff query names its articles in its address, which the stand-in service reads up to 8,192
// characters: a workstation brings its articles as two answers.
constexpr int kAnswer = kArticles / 2;

class SharedLibraryTest : public OnPostgresLibrary<HostServiceTest> {
  protected:
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
    // The shell command that runs a workstation's imports on its own company folder naming the
    // library, waiting for the others' imports and for the service's answers; it prints what goes
    // wrong.
    std::string Workstation(int i) {
        const std::string folder = m_dir.File("poste" + std::to_string(i));
        CommandOutput(HostCommand("init --server localhost --company P" + std::to_string(i) +
                                      " --library '" + m_library + "'",
                                  folder));
        profile::WriteString(folder + "/host.ini", "Host", "LockWait", "600000");
        // Four workstations' imports load the machine: the service's answers may come late.
        profile::WriteString(folder + "/Prixel.ini", "PrixelCustomerKey", "NavigateTimeout",
                             "600000");
        std::string script;
        for (int answer = 0; answer < 2; ++answer)
            script +=
                HostCommand("refresh " + Codes(i * kShift + answer * kAnswer, kAnswer), folder) +
                " >/dev/null && ";
        return "(" + script + "true || echo 'poste " + std::to_string(i) + " en échec') & ";
    }
};

TEST_F(SharedLibraryTest, FourWorkstationsImportingOverlappingArticlesLeaveEachOnceWithItsRows) {
    std::string all;
    for (int i = 0; i < kWorkstations; ++i) all += Workstation(i);
    const int articles = (kWorkstations - 1) * kShift + kArticles;
    const std::string suppliers = CatalogueSql(
        "SELECT sum(length(suppliers) - length(replace(suppliers, '|', '')) + 1) FROM (SELECT "
        "suppliers FROM articles WHERE withdrawn = 0 ORDER BY code LIMIT " +
        std::to_string(articles) + ")");
    const char* rounds = std::getenv("PRIXEL_SHARED_ROUNDS");
    for (int round = 0; round < (rounds ? std::atoi(rounds) : 2); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        LibrarySql(
            "DELETE FROM BXMX; DELETE FROM Catalogue; DELETE FROM Fabricant; "
            "DELETE FROM Famille");
        EXPECT_EQ(CommandOutput("{ " + all + "wait; } 2>&1"), "");
        EXPECT_EQ(Value("SELECT count(*) || ' ' || count(DISTINCT Code) FROM BXMX"),
                  std::to_string(articles) + " " + std::to_string(articles));
        EXPECT_EQ(Value("SELECT count(*) FROM Catalogue") + "\n", suppliers);
        EXPECT_EQ(Value("SELECT count(*) FROM BXMX WHERE CodeFamille NOT IN (SELECT Code FROM "
                        "Famille) OR PrixelFabricantID NOT IN (SELECT Id FROM Fabricant)"),
                  "0");
    }
}

}  // namespace
