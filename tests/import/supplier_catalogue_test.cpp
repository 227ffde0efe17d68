#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "connection/web_fixture.h"
#include "host/application.h"
#include "host/company.h"
#include "host/databases.h"
#include "host/recordsets.h"
#include "import/supplier_catalogue.h"
#include "platform/db/dao.h"
#include "platform/db/faulty_driver.h"
#include "platform/text.h"

namespace {

const std::string kCode = "ACM4711";

// An article of maker ACM listed on 15 April 2013, with supplier amounts 70, 60 and 50.
std::unique_ptr<CSupplierCatalogue> Article(const std::string& suppliers,
                                            const std::string& coefficients,
                                            const std::string& packQuantity = "12",
                                            const std::string& listPrice = "100") {
    return std::make_unique<CSupplierCatalogue>(10001, kCode, "ACM", "20130415", listPrice,
                                                packQuantity, "70|60|50", suppliers, "e1|e2|e3",
                                                coefficients);
}

// A Catalogue row as (supplier, order, discount to a millionth).
struct Row {
    std::string supplier;
    short order;
    double discount;
    bool operator==(const Row&) const = default;
    friend void PrintTo(const Row& row, std::ostream* out) {
        *out << row.supplier << " #" << row.order << " " << row.discount << "%";
    }
};
using Rows = std::vector<Row>;

class SupplierCatalogueTest : public WebExchangeTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {}, error)) << error;
        ASSERT_TRUE(host::OpenCompany(m_dir.Folder(), error)) << error;
        WebExchangeTest::SetUp();
        m_library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
    }
    void TearDown() override {
        m_library.Close();
        WebExchangeTest::TearDown();
        host::CloseCompany();
    }

    void StoreRow(const std::string& supplier, short order) {
        CCataSet rows(&m_library);
        rows.Open();
        rows.AddNew();
        rows.m_nType = 10001;
        rows.m_strCode = kCode;
        rows.m_nOrdre = order;
        rows.m_strFournisseur = supplier;
        rows.Update();
    }
    Rows Stored() {
        CCataSet rows(&m_library);
        rows.Open("SELECT * FROM Catalogue ORDER BY Ordre");
        Rows found;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            found.push_back(
                {rows.m_strFournisseur, rows.m_nOrdre, std::round(rows.m_dRemise * 1e6) / 1e6});
        }
        return found;
    }
    std::unique_ptr<CCataSet> RowOf(const std::string& supplier) {
        auto rows = std::make_unique<CCataSet>(&m_library);
        rows->Open("SELECT * FROM Catalogue WHERE Fournisseur = '" + supplier + "'");
        return rows;
    }

    CDaoDatabase m_library;
};

TEST_F(SupplierCatalogueTest, SuppliersFollowTheArticleRowsWithTheirDiscounts) {
    StoreRow("AUTRE", 3);
    Article(" F1 |F2", "0.7|0.6")->Write();

    EXPECT_EQ(Stored(), (Rows{{"AUTRE", 3, 0.0}, {"F1", 4, 30.0}, {"F2", 5, 40.0}}));
    const auto row = RowOf("F1");
    EXPECT_EQ(row->m_nType, 10001);
    EXPECT_EQ(row->m_strCode, kCode);
    EXPECT_EQ(row->m_dtDateTarif, COleDateTime(2013, 4, 15));
    EXPECT_EQ(row->m_strPrefixeFabricant, "ACM");
    EXPECT_DOUBLE_EQ(row->m_dPrixTarif, 100.0);
    EXPECT_DOUBLE_EQ(row->m_dMontantFournisseur, 70.0);
    EXPECT_DOUBLE_EQ(row->m_dQteConditionnement, 12.0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SupplierCatalogueTest, WritingAgainRewritesTheRowsAndAddsNone) {
    Article("F1|F2", "0.7|0.6")->Write();
    Article("F1|F2", "0.5|0.6", "12", "120")->Write();

    EXPECT_EQ(Stored(), (Rows{{"F1", 1, 50.0}, {"F2", 2, 40.0}}));
    EXPECT_DOUBLE_EQ(RowOf("F1")->m_dPrixTarif, 120.0);
}

TEST_F(SupplierCatalogueTest, SuppliersStopAtTheFirstEmptyEntryAndShortListsGiveEmptyEntries) {
    Article("F1||F3", "0.7|0.6|0.5")->Write();
    EXPECT_EQ(Stored(), (Rows{{"F1", 1, 30.0}}));

    CSupplierCatalogue(10001, kCode, "ACM", "20130415", "100", "1", "70", "F1|F2", "", "0.7")
        .Write();
    EXPECT_EQ(Stored(), (Rows{{"F1", 1, 30.0}, {"F2", 2, 100.0}}));
    EXPECT_DOUBLE_EQ(RowOf("F2")->m_dMontantFournisseur, 0.0);
}

TEST_F(SupplierCatalogueTest, PackQuantityIsTheWholeNumberItStartsWith) {
    Article("F1", "0.7", "12 cartons")->Write();
    EXPECT_DOUBLE_EQ(RowOf("F1")->m_dQteConditionnement, 12.0);
    Article("F1", "0.7", "abc")->Write();
    EXPECT_DOUBLE_EQ(RowOf("F1")->m_dQteConditionnement, 0.0);
    Article("F1", "0.7", "-3.9")->Write();
    EXPECT_DOUBLE_EQ(RowOf("F1")->m_dQteConditionnement, -3.0);
}

TEST_F(SupplierCatalogueTest, MainSupplierIsTheFirstCutToFifteenCharacters) {
    std::string supplier = "avant";
    double discount = 12.5;
    CSupplierCatalogue empty;
    empty.Write();
    empty.GetMainSupplier(supplier, &discount);
    EXPECT_EQ(supplier, "");
    EXPECT_EQ(discount, 0.0);
    EXPECT_TRUE(Stored().empty());

    Article("FOURNISSEUR-TRES-LONG|F2", "0.75|0.6")->GetMainSupplier(supplier, &discount);
    EXPECT_EQ(supplier, "FOURNISSEUR-TRE");
    EXPECT_DOUBLE_EQ(discount, 25.0);
}

TEST_F(SupplierCatalogueTest, DiscountSwitchOffLeavesTheCallersDiscount) {
    GetHostApp()->m_bSupplierDiscount = false;
    std::string supplier;
    double discount = 7.0;
    Article("F1|F2", "0.7|0.6")->GetMainSupplier(supplier, &discount);
    EXPECT_EQ(supplier, "F1");
    EXPECT_EQ(discount, 7.0);
}

TEST_F(SupplierCatalogueTest, SupplierWithAQuoteIsShownAndSkipped) {
    Article("F'1|F2", "0.7|0.6")->Write();
    EXPECT_EQ(Stored(), (Rows{{"F2", 1, 40.0}}));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  "La valeur \"F'1\" contient une apostrophe : la requête a été refusée."});
}

TEST_F(SupplierCatalogueTest, FailedStoreIsShownAndTheOtherSuppliersAreWritten) {
    StoreRow("F2", 1);
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO Catalogue", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    Article("F1|F2", "0.7|0.6")->Write();

    EXPECT_EQ(Messages(), std::vector<std::string>{"Base en lecture seule."});
    EXPECT_EQ(Stored(), (Rows{{"F2", 1, 40.0}}));
}

TEST_F(SupplierCatalogueTest, FailedRewriteIsShownAndLeavesTheRow) {
    Article("F1", "0.7")->Write();
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("UPDATE Catalogue", dao::kLocked,
                             text::FromUtf8("Ligne verrouillée."));
    Article("F1", "0.5")->Write();

    EXPECT_EQ(Messages(), std::vector<std::string>{"Ligne verrouillée."});
    EXPECT_EQ(Stored(), (Rows{{"F1", 1, 30.0}}));
}

TEST_F(SupplierCatalogueTest, ArticleRowsThatDoNotOpenAddNothing) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("ORDER BY [Ordre]", dao::kLocked,
                             text::FromUtf8("Table verrouillée."));
    Article("F1", "0.7")->Write();

    EXPECT_EQ(Messages(), std::vector<std::string>{"Table verrouillée."});
    EXPECT_TRUE(Stored().empty());
}

}  // namespace
