// The service program itself, over HTTPS, checked with curl and the authority it made.

#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "support/running_service.h"

namespace {

class ServiceTestProgram : public ::testing::Test {
  protected:
    std::string Get(const std::string& pathAndQuery) {
        return CommandOutput("curl -s --cacert '" + dir.File("certs/ca.pem") +
                             "' 'https://127.0.0.1:" + std::to_string(service.Port()) +
                             pathAndQuery + "'");
    }
    std::string Command(const std::string& code, const std::string& param) {
        return "/awp/Varneloawp.awp?COMMANDE=1:2:7.50_Varneloawp_PAGE_" + code + "_" + param +
               "__" + identity + ":SOC";
    }

    TempDir dir;
    RunningService service{dir};
    std::string identity = ":PC01:127.0.0.1:::";
};

TEST_F(ServiceTestProgram, AnswersMakersRecordingAndTariffChangesOverHttps) {
    ASSERT_GT(service.Port(), 0);
    const std::string own = "127.0.0.1:" + std::to_string(service.Port());

    const std::string makers = Get(Command("LT", ""));
    ASSERT_TRUE(makers.starts_with("<HTML><BODY><PRE>:PC01:" + own + ":\r\n")) << makers;
    ASSERT_TRUE(makers.ends_with("\r\n</PRE></BODY></HTML>"));
    const std::string firstLine = makers.substr(makers.find("\r\n") + 2);
    const std::string makerId = firstLine.substr(0, firstLine.find('\t'));

    const std::string recorded = Get(
        Command("EC1", "CLI1|Soci%E9t%E9|1%20rue||75001|Paris|01|02||a@b.fr|SER9|0|1|S|A|PC07|0"));
    EXPECT_EQ(recorded, "<HTML><BODY><PRE>!C000001:PC07:" + own +
                            ":CATALOGUE;TARIFS\r\n</PRE></BODY></HTML>");

    EXPECT_EQ(Get("/admin/tariff?maker=" + makerId + "&date=01/02/2030&version=2030.1&factor=2"),
              "tarif " + makerId + " 01/02/2030 2030.1\n");
    const std::string changed = Get(Command("LT", ""));
    EXPECT_NE(changed.find(makerId + "\t"), std::string::npos);
    EXPECT_NE(changed.find("\t01/02/2030\t2030.1\t"), std::string::npos);
    EXPECT_EQ(Get("/admin/tariff?maker=nobody&date=01/02/2030&version=1"),
              "Fabricant inconnu : nobody\n");
    EXPECT_EQ(Get("/admin/tariff?maker=" + makerId + "&date=2030-02-01&version=1"),
              "Date invalide, JJ/MM/AAAA attendu\n");
    EXPECT_NE(Get("/admin/log").find("PAGE_EC1_CLI1|Société|1 rue"), std::string::npos);
    EXPECT_EQ(service.Stop(), 0);
}

TEST_F(ServiceTestProgram, SpoilsAnswersOnRequest) {
    ASSERT_GT(service.Port(), 0);
    Get("/admin/malformed?on=1");
    EXPECT_EQ(Get(Command("EF", "a|b")).find("<BODY><PRE>"), std::string::npos);
    Get("/admin/malformed?on=0");
    Get("/admin/oversize?bytes=10000000");
    EXPECT_EQ(Get(Command("EF", "a|b")).size(), 10'000'000u);
    EXPECT_EQ(Get("/admin/oversize?bytes=lots"), "Nombre invalide pour bytes : lots\n");
    Get("/admin/reset");
    EXPECT_TRUE(Get(Command("EF", "a|b")).ends_with("</PRE></BODY></HTML>"));
    EXPECT_EQ(Get("/admin/withdraw?code=NOPE"), "Article inconnu : NOPE\n");
    EXPECT_NE(Get("/nulle-part").find("Adresse inconnue du service."), std::string::npos);
}

TEST_F(ServiceTestProgram, APersonPicksOnTheCatalogueAndTheRecuperationAnswersThePicks) {
    ASSERT_GT(service.Port(), 0);
    const std::string page =
        Get("/Varneloawp?COMMANDE=1:2:7.50_AWPArticle_PAGEAFFICHE_RA_|||||plaque%20BA13_"
            "20240101120000_" +
            identity + ":SOC");
    EXPECT_NE(page.find("value=\"plaque BA13\""), std::string::npos);
    const size_t link = page.find("/catalogue/pick?");
    ASSERT_NE(link, std::string::npos);
    std::string pick = page.substr(link, page.find('"', link) - link);
    for (size_t amp; (amp = pick.find("&amp;")) != std::string::npos;) pick.replace(amp, 5, "&");
    const std::string code =
        pick.substr(pick.find("code=") + 5, pick.find("&q=") - pick.find("code=") - 5);
    Get(pick);

    const std::string answer =
        Get("/awp/varneloawp.awp?COMMANDE=1:2_VarneloAWP_PAGERECUP___20240101120000_" + identity +
            ":SOC");
    const std::string body = answer.substr(answer.find("\r\n") + 2);
    const std::vector<std::string> fields = text::Split(body.substr(0, body.find("\r\n")), '\t');
    ASSERT_EQ(fields.size(), 30u);
    EXPECT_EQ(fields[1] + fields[2], code);
    EXPECT_TRUE(body.ends_with("\r\n</PRE></BODY></HTML>"));
}

TEST_F(ServiceTestProgram, RefusesIncompleteForms) {
    ASSERT_GT(service.Port(), 0);
    const std::string refused =
        CommandOutput("curl -s --cacert '" + dir.File("certs/ca.pem") +
                      "' -d societe=X 'https://127.0.0.1:" + std::to_string(service.Port()) +
                      "/compte' | iconv -f cp1252 -t utf-8");
    EXPECT_NE(refused.find("Renseignez la raison sociale et l'adresse e-mail."), std::string::npos);
    EXPECT_EQ(Get("/admin/pick?stamp=1"), "Paramètre manquant : codes\n");
    EXPECT_EQ(Get("/admin/tariff?maker=1&date=01/02/2030&version=1&factor=-2"),
              "Coefficient de prix invalide : -2\n");
}

TEST(ServiceTestProgramArguments, RefusesToStartWithoutCertificate) {
    const std::string output =
        CommandOutput(std::string(PRIXEL_SERVICE_EXE) + " --port 0 2>&1; echo $?");
    EXPECT_EQ(output, "prixel-service: give --cert and --key, or --make-cert DIR\n2\n");
    TempDir dir;
    const std::string bad = dir.File("bad.pem");
    CommandOutput("echo nothing > '" + bad + "'");
    EXPECT_EQ(CommandOutput(std::string(PRIXEL_SERVICE_EXE) + " --cert '" + bad + "' --key '" +
                            bad + "' --data '" + dir.File("data") + "' 2>&1; echo $?"),
              "prixel-service: certificate or key unusable: " + bad + ", " + bad + "\n1\n");
}

}  // namespace
