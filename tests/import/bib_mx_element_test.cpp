#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "import/article_fixture.h"
#include "import/bib_mx_element.h"

namespace {

class BibMxElementTest : public ArticleImportTest {
  protected:
    // A BXMX row of maker M1 written as the user or an earlier import left it.
    void StoreRow(const std::string& reference, bool linked, COleDateTime date,
                  const std::function<void(CBibXmxSet&)>& more = {}) {
        CBibXmxSet rows(&m_library, 2, 1);
        rows.Open();
        rows.AddNew();
        rows.m_nType = PRIXEL_TYPE_MATERIAL;
        rows.m_strCode = "ACM" + reference;
        rows.m_strLibelle = "Saisi";
        rows.m_bPrixelCheck = linked;
        rows.m_dtPrixelDate = date;
        rows.m_strPrixelFabricantID = "M1";
        rows.m_strReference = reference;
        if (more) more(rows);
        rows.Update();
    }
    // The recordset standing on the row of code, for its notes.
    std::unique_ptr<CBibXmxSet> Row(const std::string& code) {
        auto rows = std::make_unique<CBibXmxSet>(&m_library, 2, 1);
        rows->Open("SELECT * FROM BXMX WHERE Code = '" + code + "'");
        return rows;
    }
    // The columns of the row of code, joined by '|'.
    std::string Columns(const std::string& columns, const std::string& code) {
        const Strings rows =
            ArticleImportTest::Rows("SELECT " + columns + " FROM BXMX WHERE Code = '" + code + "'");
        return rows.empty() ? "(none)" : rows[0];
    }
    long Rows(const std::string& table) { return Count(m_library, table); }
    bool Process(const std::string& line) { return CPrixelBibMxElement(line).Process(); }
};

TEST_F(BibMxElementTest, NewArticleAddsItsRowMakerAndSupplierPrices) {
    const std::string line = Line({{CPrixelElement::SupplierData1, "80"},
                                   {CPrixelElement::SupplierData2, "FOUR1"},
                                   {CPrixelElement::SupplierData4, "0.9"}});
    EXPECT_TRUE(Process(line));
    EXPECT_TRUE(Messages().empty());

    // The cost has the supplier's discount of 10 %.
    EXPECT_EQ(Columns("PrixRevient, PrixVente, LibFamille, Fournisseur, Profil, PrixelCheck, "
                      "PrixelDate, PrixelFabricantID || PrefixeFabricant || Reference",
                      "ACMR100"),
              "108|162|Robinets|FOUR1|2|1|2013-04-15|M1ACMR100");
    const auto row = Row("ACMR100");
    EXPECT_EQ(AsText(row->m_NoteLibelle), RtfBytes("Robinet"));
    EXPECT_EQ(AsText(row->m_NoteTechnique), RtfBytes(CPrixelBibMxElement(line).TechnicalNote()));
    EXPECT_EQ(Count(m_library, "Fabricant") + Count(m_library, "Catalogue"), 2);
}

TEST_F(BibMxElementTest, FieldsAreCutAndWhatIsNotReadIsDefaulted) {
    EXPECT_TRUE(Process(Line({{CPrixelElement::Label, std::string(300, 'L')},
                              {CPrixelElement::Unit, "ABCDEFGHIJ"},
                              {CPrixelElement::ListPrice, "2e10"},
                              {CPrixelElement::SecondValue, "n/a"},
                              {CPrixelElement::TariffDate, "2013ABCD"}})));
    // What is not read reads back as zero: a zero date is stored empty or as its day.
    EXPECT_EQ(Columns("Libelle, Unite, ifnull(PrixTarif, 0), ifnull(Valeur2, 0), "
                      "ifnull(PrixelDate, '1899-12-30')",
                      "ACMR100"),
              std::string(255, 'L') + "|ABC|0|0|1899-12-30");
    EXPECT_TRUE(Process(Line({{CPrixelElement::Reference, "R2"}, {CPrixelElement::Label, ""}})));
    EXPECT_EQ(Columns("Libelle", "ACMR2"), "Libellé à définir");
}

TEST_F(BibMxElementTest, UnlinkedRowIsLinkedAndItsFirstLinkMembersOverwritten) {
    StoreRow("R100", false, COleDateTime(), [](CBibXmxSet& r) {
        r.m_strPrixelFabricantID = "";
        r.m_strCodeFamille = "ZZ";
        r.m_strFournisseur = "AUTRE";
        r.m_dRemise = 50;
        r.m_dCoefFG = 3;
        r.m_bPVImpose = true;
        r.m_dPrixVente = 999;
    });
    EXPECT_TRUE(Process(Line()));
    EXPECT_EQ(Columns("PrixelCheck, PrixelFabricantID, CodeFamille = 'ZZ', Fournisseur, PrixVente",
                      "ACMR100"),
              "1|M1|0||180");
    EXPECT_EQ(AsText(Row("ACMR100")->m_NoteLibelle), RtfBytes("Robinet"));
    EXPECT_EQ(Rows("BXMX"), 1);
}

TEST_F(BibMxElementTest, LinkedRowKeepsItsFixedSalePriceAndRecomputesTheCoefficient) {
    StoreRow("R100", true, COleDateTime(2012, 1, 1), [](CBibXmxSet& r) {
        r.m_strCodeFamille = "USER";
        r.m_dRemise = 10;
        r.m_dMajPourcent = 5;
        r.m_bMajIncluse = true;
        r.m_dCoefFG = 1.2;
        r.m_bPVImpose = true;
        r.m_dPrixVente = 226.8;
    });
    EXPECT_TRUE(Process(Line()));
    EXPECT_EQ(
        Columns("PrixVente, CoefVente, CodeFamille, PrixelDate, ifnull(length(NoteLibelle), 0)",
                "ACMR100"),
        "226.8|2|USER|2013-04-15|0");
}

TEST_F(BibMxElementTest, WithdrawnArticleUnlinksOnlyALinkedRow) {
    StoreRow("R100", true, COleDateTime(2012, 1, 1),
             [](CBibXmxSet& r) { r.m_strPrefixeFabricant = "ACM"; });
    StoreRow("R2", false, COleDateTime(2012, 1, 1));
    const std::string withdrawn = text::FromUtf8("Cet article n'existe plus.  ");
    EXPECT_FALSE(Process(Line({{CPrixelElement::Label, withdrawn}})));
    EXPECT_FALSE(
        Process(Line({{CPrixelElement::Reference, "R2"}, {CPrixelElement::Label, withdrawn}})));
    EXPECT_FALSE(
        Process(Line({{CPrixelElement::Reference, "R3"}, {CPrixelElement::Label, withdrawn}})));

    EXPECT_EQ(Columns("PrixelCheck, PrixelDate, PrixelFabricantID, PrefixeFabricant, Reference",
                      "ACMR100"),
              "0|1899-12-30|||");
    EXPECT_EQ(Columns("PrixelFabricantID", "ACMR2"), "M1");
    EXPECT_EQ(Rows("BXMX"), 2);
}

TEST_F(BibMxElementTest, QuoteInAQueriedFieldStopsTheArticleBeforeAnyStatement) {
    const dbtest::FaultyDriver& counting = Faulty();
    for (const auto& change : {std::make_pair(CPrixelElement::Reference, "R'1"),
                               std::make_pair(CPrixelElement::MakerId, "M'1"),
                               std::make_pair(CPrixelElement::FamilyCodes, "K1|K'2"),
                               std::make_pair(CPrixelElement::SupplierData2, "FOUR1|F'2")}) {
        CPrixelBibMxElement element(Line({{change.first, change.second}}));
        const int before = counting.Statements();
        EXPECT_FALSE(element.Process());
        EXPECT_EQ(counting.Statements(), before) << change.second;
    }
    ASSERT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[0],
              "La valeur \"ACMR'1\" contient une apostrophe : la requête a été refusée.");
    EXPECT_EQ(Messages()[1],
              "La valeur \"M'1\" contient une apostrophe : la requête a été refusée.");
    EXPECT_EQ(Rows("BXMX") + Rows("Fabricant") + Rows("Catalogue") + Rows("Famille"), 0);
}

TEST_F(BibMxElementTest, NoMaterialWithoutAFamily) {
    Faulty().FailWhenContains("INSERT INTO Famille", dao::kReadOnly);
    StoreRow("R2", false, COleDateTime());
    EXPECT_FALSE(Process(Line()));
    EXPECT_FALSE(Process(Line({{CPrixelElement::Reference, "R2"}})));
    EXPECT_EQ(Rows("BXMX"), 1);
    EXPECT_EQ(Columns("PrixelCheck", "ACMR2"), "0");
    EXPECT_EQ(Rows("Fabricant"), 0);
}

TEST_F(BibMxElementTest, LinkedArticlesOfAMakerNotAtADate) {
    CPrixelBibMxElement library;
    std::string* references = nullptr;
    EXPECT_EQ(library.GetLinkedArticles("M1", "15/04/2013", references), -1);

    StoreRow("A", true, COleDateTime(2013, 4, 15));
    StoreRow("B", true, COleDateTime(2013, 4, 15));
    StoreRow("U", false, COleDateTime(2012, 1, 1));
    EXPECT_EQ(library.GetLinkedArticles("M1", "15/04/2013", references), 0);
    EXPECT_EQ(references, nullptr);

    StoreRow("C", true, COleDateTime(2012, 1, 1));
    StoreRow("D", true, COleDateTime(), [](CBibXmxSet& r) { r.m_dtPrixelDate = COleDateTime(); });
    ASSERT_EQ(library.GetLinkedArticles("M1", "15/04/2013", references), 2);
    EXPECT_EQ(references[0], "C");
    EXPECT_EQ(references[1], "D");

    ASSERT_EQ(library.GetLinkedArticles("M1", "", references), 4);
    EXPECT_EQ(references[3], "D");
    EXPECT_EQ(library.GetLinkedArticles("M2", "", references), -1);
    delete[] references;
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
