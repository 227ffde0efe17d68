// The service program itself, over HTTPS, checked with curl and the authority it made. The
// integration tests work its answers through the host program.

#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "support/running_service.h"

namespace {

const std::string kCheck =
    "/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_LT___:PC01:127.0.0.1::::SOC";

class ServiceTestProgram : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_GT(service.Port(), 0); }
    std::string Get(const std::string& pathAndQuery, const std::string& options = "") {
        return CommandOutput("curl -s --cacert '" + dir.File("certs/ca.pem") + "' " + options +
                             " 'https://127.0.0.1:" + std::to_string(service.Port()) +
                             pathAndQuery + "'");
    }
    TempDir dir;
    RunningService service{dir};
};

TEST_F(ServiceTestProgram, SpoilsAnswersOnRequest) {
    Get("/admin/malformed?on=1");
    EXPECT_EQ(Get(kCheck).find("<BODY><PRE>"), std::string::npos);
    Get("/admin/malformed?on=0");
    Get("/admin/oversize?bytes=10000000");
    EXPECT_EQ(Get(kCheck).size(), 10'000'000u);
    Get("/admin/reset");
    EXPECT_TRUE(Get(kCheck).ends_with("</PRE></BODY></HTML>"));
    EXPECT_EQ(service.Stop(), 0);
}

TEST_F(ServiceTestProgram, RefusesBadControlsAndIncompleteForms) {
    const std::pair<std::string, std::string> refusals[] = {
        {"/admin/tariff?maker=nobody&date=01/02/2030&version=1", "Fabricant inconnu : nobody\n"},
        {"/admin/tariff?maker=1&date=2030-02-01&version=1", "Date invalide, JJ/MM/AAAA attendu\n"},
        {"/admin/tariff?maker=1&date=01/02/2030&version=1&factor=-2",
         "Coefficient de prix invalide : -2\n"},
        {"/admin/oversize?bytes=lots", "Nombre invalide pour bytes : lots\n"},
        {"/admin/withdraw?code=NOPE", "Article inconnu : NOPE\n"},
        {"/admin/pick?stamp=1", "Paramètre manquant : codes\n"}};
    for (const auto& [address, message] : refusals) EXPECT_EQ(Get(address), message) << address;
    EXPECT_NE(Get("/nulle-part").find("Adresse inconnue du service."), std::string::npos);
    EXPECT_NE(text::ToUtf8(Get("/compte", "-d societe=X"))
                  .find("Renseignez la raison sociale et l'adresse e-mail."),
              std::string::npos);
}

TEST(ServiceTestProgramArguments, RefusesToStartWithoutCertificate) {
    EXPECT_EQ(CommandOutput(std::string(PRIXEL_SERVICE_EXE) + " --port 0 2>&1; echo $?"),
              "prixel-service: give --cert and --key, or --make-cert DIR\n2\n");
    TempDir dir;
    const std::string bad = dir.File("bad.pem");
    CommandOutput("echo nothing > '" + bad + "'");
    EXPECT_EQ(CommandOutput(std::string(PRIXEL_SERVICE_EXE) + " --cert '" + bad + "' --key '" +
                            bad + "' --data '" + dir.File("data") + "' 2>&1; echo $?"),
              "prixel-service: certificate or key unusable: " + bad + ", " + bad + "\n1\n");
}

}  // namespace
