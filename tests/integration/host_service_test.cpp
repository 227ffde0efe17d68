// The stand-in host program against the stand-in service over HTTPS: the plug-in as the host
// loads it, the real browser, the real service.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "integration/host_service_fixture.h"

namespace {

// When the service does not listen, there is no answer and no message, and nothing changes.
TEST_F(HostServiceTest, RecordingStoresTheIdentityTheServiceSent) {
    EXPECT_EQ(Host("record"), "PrixelRecorded\n");
    const std::string customer = Stored("CustomerNumber");
    EXPECT_EQ(customer.substr(0, 1), "C");
    EXPECT_EQ(Stored("ServerAddr"), "localhost");
    EXPECT_EQ(Stored("RightsString"), "CATALOGUE;TARIFS");
    m_service.Stop();
    EXPECT_EQ(Host("record", true), "PrixelNoAnswer\n");
    EXPECT_EQ(Stored("CustomerNumber"), customer);
}

template <class T>
class PickedArticlesTest : public T {};
using LibraryEngines = testing::Types<HostServiceTest, OnPostgresLibrary<HostServiceTest>>;
TYPED_TEST_SUITE(PickedArticlesTest, LibraryEngines, LibraryEngineName);

// Picks go to the study on request.
TYPED_TEST(PickedArticlesTest, LandInTheLibraryWithTheirReferenceData) {
    const std::string codes = this->ShownCodes("plaque", 3);
    ASSERT_EQ(std::count(codes.begin(), codes.end(), ','), 2) << codes;
    std::string expected = codes + "\n3\n";
    std::replace(expected.begin(), expected.end(), ',', '\n');
    EXPECT_EQ(this->Host("browse --search plaque --pick " + codes + ",NOTSHOWN1"), expected);

    EXPECT_EQ(this->Value("SELECT count(*) FROM BXMX WHERE PrixelCheck = 1 AND "
                          "CodeFamille <> '' AND PrixelDate IS NOT NULL"),
              "3");
    EXPECT_EQ(this->Value("SELECT count(*) FROM BXMX m JOIN Fabricant f ON "
                          "f.Id = m.PrixelFabricantID JOIN Famille c ON c.Code = m.CodeFamille"),
              "3");
    EXPECT_NE(this->Value("SELECT count(DISTINCT Code) FROM Catalogue"), "0");

    const std::string tubes = this->ShownCodes("tube", 2);
    EXPECT_TRUE(this->Host("browse --study --search tube --pick " + tubes).ends_with("\n2\n"));
    EXPECT_EQ(this->Sql("Etude.mdb", "SELECT count(*) FROM EXmxPrixel WHERE PrixelCheck = 1"),
              "2\n");
    EXPECT_EQ(this->Value("SELECT count(*) FROM BXMX"), "3");
}

TEST_F(HostServiceTest, EachRunBringingANewMakerGivesItAFamilyOfItsOwn) {
    const std::string codes = CatalogueSql(
        "SELECT min(code) FROM articles WHERE withdrawn = 0 GROUP BY maker_id LIMIT 30");
    ASSERT_EQ(std::count(codes.begin(), codes.end(), '\n'), 30) << codes;
    std::istringstream lines(codes);
    for (std::string code; std::getline(lines, code);) {
        // Runs within one second share the catalogue's stamp and so bring the earlier pick too.
        const std::string output = Host("browse --search " + code + " --pick " + code, true);
        EXPECT_NE(output.find(code + "\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("message:"), std::string::npos) << output;
    }
    EXPECT_EQ(Sql("prixel/Bib.mdb", "SELECT count(*) FROM Famille WHERE Parent = '@'"), "30\n");
    EXPECT_EQ(Sql("prixel/Bib.mdb", "SELECT count(*) FROM BXMX"), "30\n");
}

TEST_F(HostServiceTest, SheetsAndAccountPagesAreLeftOnceLoaded) {
    EXPECT_EQ(Host("sheet maker M001", true), "");
    EXPECT_EQ(Host("create-account", true), "PrixelRecorded\n");
    const std::string log = Admin("/admin/log");
    EXPECT_NE(log.find("_AWPFicheFabricant_PAGEAFFICHE_AF_M001__"), std::string::npos) << log;
    EXPECT_NE(log.find("_AWPArticle_PAGEAFFICHE_RA___"), std::string::npos) << log;
}

}  // namespace
