#include <gtest/gtest.h>

#include <string>

#include "host/application.h"
#include "import/article_fixture.h"
#include "import/bib_mx_element.h"

namespace {

// The article's own reading, checks and texts, through the library's article.
using Article = CPrixelBibMxElement;
using ElementTest = ArticleImportTest;

const std::string kRefused =
    "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur autorisée : ";

// A line gives its thirty trimmed fields (one of fewer is the answer walk's); a maker id of 8
// characters, a prefix of 5 and a reference of 13 at most pass, none empty; a withdrawn article is
// refused unsaid.
TEST_F(ElementTest, FieldsAreSplitTrimmedAndTheReferenceLengthsChecked) {
    Article padded(Line({{CPrixelElement::MakerPrefix, " ACM"},
                         {CPrixelElement::Reference, "  R100 \r"},
                         {CPrixelElement::FixedPriceFlag, " X "}}) +
                   "\textra1\textra2\textra3\textra4\textra5");
    EXPECT_EQ(padded.GetCode() + padded.GetField(CPrixelElement::FixedPriceFlag), "ACMR100X");

    EXPECT_TRUE(Article(Line({{CPrixelElement::MakerId, "12345678"},
                              {CPrixelElement::MakerPrefix, "ABCDE"},
                              {CPrixelElement::Reference, "1234567890123"}}))
                    .ValidateElement());
    Article withdrawn(Line({{CPrixelElement::Label, "Cet article n'existe plus.   "},
                            {CPrixelElement::Reference, "TOO-LONG-REFERENCE"}}));
    EXPECT_FALSE(withdrawn.ValidateElement());
    EXPECT_TRUE(Messages().empty());

    EXPECT_FALSE(Article(Line({{CPrixelElement::MakerPrefix, "ABCDE"},
                               {CPrixelElement::Reference, "12345678901234"},
                               {CPrixelElement::Label, text::FromUtf8("Vanne d'arrêt")}}))
                     .ValidateElement());
    EXPECT_FALSE(Article("").ValidateElement());
    EXPECT_EQ(Messages(),
              (Strings{kRefused + "ABCDE12345678901234,\nVanne d'arrêt", kRefused + ",\n"}));
}

struct Prices {
    double overhead = 1.2, sale = 1.5, list = 100, discount = 10, net = 0, surchargeAmount = 0,
           surchargePercent = 5, base = 0, cost = 0, salePrice = 0;
    Prices& Compute(bool included, bool amountGiven, bool saleGiven) {
        CPrixelElement::ComputePrices(overhead, sale, list, discount, net, surchargeAmount,
                                      surchargePercent, base, cost, salePrice, included,
                                      amountGiven, saleGiven);
        return *this;
    }
};

// The chain without surcharge, with a given sale price or an excessive list price is the library's
// article's.
TEST_F(ElementTest, DefaultCoefficientsAndThePriceChainWithItsGuards) {
    // The coefficients are those of the first entry for materials.
    double overhead = 7, sale = 8;
    GetHostApp()->m_PriceEntries = {{501, 3, 4}, {10001, 1.1, 1.3}, {10001, 9, 9}};
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    EXPECT_EQ(std::to_string(overhead) + " " + std::to_string(sale), "1.100000 1.300000");

    const Prices p = Prices().Compute(true, false, false);
    EXPECT_DOUBLE_EQ(p.surchargeAmount, 4.5);
    EXPECT_DOUBLE_EQ(p.salePrice, 170.1);
    Prices zero{.overhead = 0, .sale = 1e-11};
    EXPECT_DOUBLE_EQ(zero.Compute(false, false, false).salePrice, 90)
        << "null coefficients count as 1";
    Prices amount{.discount = 100, .surchargeAmount = 3};
    amount.Compute(true, true, false);
    EXPECT_DOUBLE_EQ(amount.net, 1e-10);
    EXPECT_DOUBLE_EQ(amount.surchargePercent, 3e12);
}

// The profiles read well are those of the articles' and works' rows.
TEST_F(ElementTest, AProfileThatCannotBeReadIsToldAndCountsAsNone) {
    Article element(Line());
    dbtest::FaultyDriver& faulty = Faulty();
    CDaoDatabase* accounting = GetDBManager()->GetMDBDao(mdCompta);
    const std::string path = accounting->GetName();
    accounting->Close();
    accounting->Open(path);
    faulty.FailWhenContains("ParamCompta", dao::kLocked, text::FromUtf8("Table verrouillée."));
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    host::CloseCompany();
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    EXPECT_EQ(Messages(),
              (Strings{"Problème table ParamCompta : \nTable verrouillée.",
                       "Problème BD : \nLa base de comptabilité de la société n'est pas "
                       "ouverte."}));
}

}  // namespace
