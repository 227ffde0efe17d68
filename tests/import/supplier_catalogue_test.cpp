#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/application.h"
#include "import/article_fixture.h"
#include "import/supplier_catalogue.h"

namespace {

const std::string kCode = "ACM4711";

// An article of maker ACM listed on 15 April 2013 at 100 in packs of 12, with supplier amounts
// 70, 60 and 50.
std::unique_ptr<CSupplierCatalogue> Article(const std::string& suppliers,
                                            const std::string& coefficients) {
    return std::make_unique<CSupplierCatalogue>(10001, kCode, "ACM", "20130415", "100",
                                                "12 cartons", "70|60|50", suppliers, "e1|e2|e3",
                                                coefficients);
}

class SupplierCatalogueTest : public ArticleImportTest {
  protected:
    // The Catalogue rows as supplier|order|discount, in their order.
    Strings Stored() {
        return Rows("SELECT Fournisseur, Ordre, round(Remise, 6) FROM Catalogue ORDER BY Ordre");
    }
};

// Suppliers follow the article's rows with their discounts up to the first empty entry; short
// lists give empty entries; the pack quantity is the whole number its text starts with; writing
// again rewrites the rows in place, as does a supplier named twice by a fresh article.
TEST_F(SupplierCatalogueTest, SuppliersFollowTheArticleRowsAndAreRewrittenInPlace) {
    m_library.Execute(
        "INSERT INTO Catalogue (Type, Code, Ordre, Fournisseur) "
        "VALUES (10001, 'ACM4711', 3, 'AUTRE')");
    Article(" F1 |F2||F3", "0.7|0.6|0.5|0.5")->Write();
    EXPECT_EQ(Stored(), (Strings{"AUTRE|3|", "F1|4|30", "F2|5|40"}));
    EXPECT_EQ(Rows("SELECT DateTarif, PrixTarif, MontantFournisseur, QteConditionnement "
                   "FROM Catalogue WHERE Fournisseur = 'F1'"),
              Strings{"2013-04-15|100|70|12"});

    CSupplierCatalogue(10001, kCode, "ACM", "20130415", "120", "1", "70", "F1|F2|F4", "", "0.5")
        .Write();
    EXPECT_EQ(Stored(), (Strings{"AUTRE|3|", "F1|4|50", "F2|5|100", "F4|6|100"}));
    EXPECT_EQ(Rows("SELECT PrixTarif, MontantFournisseur FROM Catalogue WHERE Fournisseur = 'F2'"),
              Strings{"120|0"});

    m_library.Execute("DELETE FROM Catalogue");
    Article("F1|F1|F2", "0.7|0.5|0.6")->Write();
    EXPECT_EQ(Stored(), (Strings{"F1|1|50", "F2|2|40"}));
    EXPECT_TRUE(Messages().empty());
}

// The main supplier is the first, cut to fifteen characters; with supplier discounts switched off
// the caller's discount is left as it was.
TEST_F(SupplierCatalogueTest, MainSupplierIsTheFirstCutToFifteenCharacters) {
    std::string supplier;
    double discount = 7.0;
    GetHostApp()->m_bSupplierDiscount = false;
    Article("FOURNISSEUR-TRES-LONG|F2", "0.75|0.6")->GetMainSupplier(supplier, &discount);
    EXPECT_EQ(supplier + " " + std::to_string(discount), "FOURNISSEUR-TRE 7.000000");
}

// F2 is stored at 40 % before each failure; the article then brings F1 (or F'1) at 30 % and F2 at
// 50 %. The failure is shown and the other suppliers are written.
TEST_F(SupplierCatalogueTest, AFailedStatementOrAQuoteIsShownAndTheOtherSuppliersAreWritten) {
    const struct {
        const char* piece;  // none: the first supplier holds a quote
        long code;
        const char* message;
        Strings left;
    } cases[] = {{"INSERT INTO Catalogue", dao::kReadOnly, "Base en lecture seule.", {"F2|1|50"}},
                 {"UPDATE Catalogue", dao::kLocked, "Ligne verrouillée.", {"F2|1|40", "F1|2|30"}},
                 {"ORDER BY [Ordre]", dao::kLocked, "Table verrouillée.", {"F2|1|50"}},
                 {nullptr,
                  0,
                  "La valeur \"F'1\" contient une apostrophe : la requête a été refusée.",
                  {"F2|1|50"}}};
    for (const auto& fault : cases) {
        SCOPED_TRACE(fault.message);
        m_library.Execute("DELETE FROM Catalogue");
        Article("F2", "0.6")->Write();
        if (fault.piece)
            Faulty().FailWhenContains(fault.piece, fault.code, text::FromUtf8(fault.message));
        Article(fault.piece ? "F1|F2" : "F'1|F2", "0.7|0.5")->Write();
        m_driver.reset();

        EXPECT_EQ(Messages().back(), fault.message);
        EXPECT_EQ(Stored(), fault.left);
    }
    EXPECT_EQ(Messages().size(), std::size(cases));
}

// An article with thousands of suppliers is written in time proportional to their number: the
// rows read and written grow as the suppliers do.
TEST_F(SupplierCatalogueTest, RowsWorkedGrowInProportionToTheSuppliers) {
    const auto steps = [this](int count) {
        std::string suppliers, coefficients;
        for (int i = 0; i < count; ++i) {
            suppliers += "F" + std::to_string(i) + "|";
            coefficients += "0.5|";
        }
        m_library.Execute("DELETE FROM Catalogue");
        const dbtest::FaultyDriver& counting = Faulty();
        Article(suppliers, coefficients)->Write();
        return counting.Steps();
    };
    const long few = steps(300);
    EXPECT_LT(steps(600), 3 * few);
    EXPECT_EQ(Stored().size(), 600u);
}

}  // namespace
