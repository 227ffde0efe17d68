// The tariff update through the stand-in host program against the stand-in service: articles of
// two makers brought in by picks, one maker's tariff changed at the service, then the check, the
// update dialog worked as a person would, the refresh of named articles and the tariff query.

#include <gtest/gtest.h>

#include <string>

#include "integration/host_service_fixture.h"
#include "platform/profile.h"

namespace {

class TariffUpdateTest : public HostServiceTest {
  protected:
    void SetUp() override {
        HostServiceTest::SetUp();
        m_makerA = ImportArticlesOfOneMaker("plaque", 3);
        m_makerB = ImportArticlesOfOneMaker("tube", 2);
        ASSERT_NE(m_makerA.id, m_makerB.id);
        ASSERT_GE(Count(m_makerA), 2);
        ASSERT_GE(Count(m_makerB), 2);
    }

    struct Maker {
        std::string id, prefix, name;
    };

    int Count(const Maker& maker) {
        return std::stoi(
            Value("SELECT count(*) FROM BXMX WHERE PrixelFabricantID = '" + maker.id + "'"));
    }
    // "Code|..." lines of the maker's materials, with the columns asked.
    std::string Rows(const Maker& maker, const std::string& columns) {
        return Value("SELECT Code, " + columns + " FROM BXMX WHERE PrixelFabricantID = '" +
                     maker.id + "' ORDER BY Code");
    }

    // Picks the first article shown for search, then more articles of its maker found by the
    // maker's prefix; answers that maker.
    Maker ImportArticlesOfOneMaker(const std::string& search, int count) {
        const std::string first = ShownCodes(search, 1);
        Host("browse --search " + search + " --pick " + first);
        Maker maker;
        maker.id = Value("SELECT PrixelFabricantID FROM BXMX WHERE Code = '" + first + "'");
        maker.prefix = Value("SELECT PrefixeFabricant FROM BXMX WHERE Code = '" + first + "'");
        maker.name = Value("SELECT Nom FROM Fabricant WHERE Id = '" + maker.id + "'");
        Host("browse --search " + maker.prefix + " --pick " + ShownCodes(maker.prefix, count - 1));
        return maker;
    }

    void ChangeTariff(const Maker& maker, const std::string& date) {
        ASSERT_EQ(
            Admin("/admin/tariff?maker=" + maker.id + "&date=" + date + "&version=2026.1&factor=2"),
            "tarif " + maker.id + " " + date + " 2026.1\n");
    }

    std::string Listed(const Maker& maker) {
        return maker.name + "\t" + std::to_string(Count(maker)) + "\n";
    }

    Maker m_makerA, m_makerB;
};

template <class T>
class UpdateAllTest : public T {};
using LibraryEngines = testing::Types<TariffUpdateTest, OnPostgresLibrary<TariffUpdateTest>>;
TYPED_TEST_SUITE(UpdateAllTest, LibraryEngines, LibraryEngineName);

TYPED_TEST(UpdateAllTest, FindsTheChangedTariffAndBringsTheNewPrices) {
    const auto& makerA = this->m_makerA;
    const auto& makerB = this->m_makerB;
    const std::string oldPricesA = this->Rows(makerA, "PrixTarif");
    const std::string rowsB = this->Rows(makerB, "PrixTarif, PrixelDate");

    this->ChangeTariff(makerA, "01/03/2026");
    const int countA = this->Count(makerA);
    EXPECT_EQ(this->Host("check"),
              "PrixelOutOfDate\n1\n" + std::to_string(countA) + "\n" + this->Listed(makerA));

    EXPECT_EQ(this->Host("update --all", true),
              "PrixelOutOfDate\n"
              "message: Tous les tarifs ont été mis à jour.\n"
              "toaster: La mise à jour est terminée.\n"
              "1\n");
    EXPECT_EQ(this->Value("SELECT count(*) FROM BXMX WHERE PrixelFabricantID = '" + makerA.id +
                          "' AND PrixelDate = '2026-03-01'"),
              std::to_string(countA));
    // The service doubled the list prices: halved, they are the old ones.
    EXPECT_EQ(this->Rows(makerA, "PrixTarif / 2"), oldPricesA);
    EXPECT_EQ(this->Rows(makerB, "PrixTarif, PrixelDate"), rowsB);

    EXPECT_EQ(this->Host("check"), "PrixelUpToDate\n0\n0\n");
}

// Makers named one after the other; an article of the second asked its tariff, then refreshed
// alone into the library and the study; a service that does not answer changes nothing.
TEST_F(TariffUpdateTest, NamedMakersAndOneArticleAreUpdatedAndASilentServiceChangesNothing) {
    ChangeTariff(m_makerA, "01/03/2026");
    ChangeTariff(m_makerB, "02/03/2026");
    const std::string listed = Host("check");
    EXPECT_NE(listed.find(Listed(m_makerA)), std::string::npos) << listed;
    EXPECT_NE(listed.find(Listed(m_makerB)), std::string::npos) << listed;
    EXPECT_TRUE(listed.starts_with("PrixelOutOfDate\n2\n" +
                                   std::to_string(Count(m_makerA) + Count(m_makerB)) + "\n"))
        << listed;

    EXPECT_EQ(Host("update --maker " + m_makerA.id + ",NOBODY", true),
              "PrixelOutOfDate\nmessage: Les tarifs du fabricant '" + m_makerA.name +
                  "' ont été mis à jour.\n"
                  "prixel-host: le fabricant NOBODY n'est pas dans la liste de mise à jour\n"
                  "0\n");
    EXPECT_EQ(Host("check"),
              "PrixelOutOfDate\n1\n" + std::to_string(Count(m_makerB)) + "\n" + Listed(m_makerB));

    const std::string code =
        Value("SELECT min(Code) FROM BXMX WHERE PrixelFabricantID = '" + m_makerB.id + "'");
    const std::string reference = Value("SELECT Reference FROM BXMX WHERE Code = '" + code + "'");
    const std::string oldPrice = Value("SELECT PrixTarif FROM BXMX WHERE Code = '" + code + "'");
    const std::string newPrice = Value("SELECT round(" + oldPrice + " * 2, 2)");
    EXPECT_EQ(Host("tariff " + m_makerB.id + " " + m_makerB.prefix + " " + reference),
              newPrice + "\n");
    Host("refresh " + m_makerB.id + " " + m_makerB.prefix + " " + reference + " 02/03/2026");
    EXPECT_EQ(Value("SELECT PrixTarif || ' ' || PrixelDate FROM BXMX WHERE Code = '" + code + "'"),
              newPrice + " 2026-03-02");
    Host("refresh " + code + " --study");
    EXPECT_EQ(Sql("Etude.mdb", "SELECT Code FROM EXmxPrixel"), code + "\n");

    EXPECT_EQ(Host("update --maker '" + m_makerB.name + "'"), "PrixelOutOfDate\n1\n");
    EXPECT_EQ(Rows(m_makerB, "PrixelDate"), Rows(m_makerB, "'2026-03-02'"));
    EXPECT_EQ(Host("update --all"), "PrixelUpToDate\n");

    const std::string rows = Rows(m_makerA, "PrixTarif, PrixelDate");
    profile::WriteString(m_company + "/Prixel.ini", "PrixelCustomerKey", "NavigateTimeout", "300");
    Admin("/admin/delay?ms=3000");
    // The recording that comes first fails as well, and reads the time-out for the rest.
    const std::string noConnection = "message: Impossible de se connecter à Vako Prixel.\n";
    const std::string twice = noConnection + noConnection;
    EXPECT_EQ(Host("check", true), twice + "PrixelNotChecked\n0\n0\n");
    EXPECT_EQ(Host("update --all", true), twice + "PrixelNotChecked\n");
    EXPECT_EQ(Host("tariff " + m_makerA.id + " " + m_makerA.prefix + " X", true), twice + "\n");
    EXPECT_EQ(Host("refresh " + m_makerA.id, true), twice);
    EXPECT_EQ(Rows(m_makerA, "PrixTarif, PrixelDate"), rows);
}

}  // namespace
