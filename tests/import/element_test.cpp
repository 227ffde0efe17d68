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

// A line gives its thirty trimmed fields, or none when it has fewer; a maker id of 8 characters,
// a prefix of 5 and a reference of 13 at most pass; a withdrawn article is refused unsaid.
TEST_F(ElementTest, FieldsAreSplitTrimmedAndTheReferenceLengthsChecked) {
    Article padded(Line({{CPrixelElement::MakerPrefix, " ACM"},
                         {CPrixelElement::Reference, "  R100 \r"},
                         {CPrixelElement::FixedPriceFlag, " X "}}) +
                   "\textra1\textra2\textra3\textra4\textra5");
    EXPECT_EQ(padded.GetCode() + padded.GetField(CPrixelElement::FixedPriceFlag), "ACMR100X");
    EXPECT_EQ(Article("M1\tACM\tR1" + std::string(27, '\t')).GetCode(), "ACMR1");
    EXPECT_EQ(Article("M1\tACM\tR1" + std::string(26, '\t')).GetCode(), "");

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
    for (const auto& [field, value] : {std::make_pair(CPrixelElement::MakerId, ""),
                                       std::make_pair(CPrixelElement::MakerId, "123456789"),
                                       std::make_pair(CPrixelElement::MakerPrefix, "ABCDEF")}) {
        EXPECT_FALSE(Article(Line({{field, value}})).ValidateElement()) << value;
    }
    EXPECT_FALSE(Article("").ValidateElement());
    ASSERT_EQ(Messages().size(), 5u);
    EXPECT_EQ(Messages()[0], kRefused + "ABCDE12345678901234,\nVanne d'arrêt");
    EXPECT_EQ(Messages()[4], kRefused + ",\n");
}

TEST_F(ElementTest, RichTextAndTechnicalNote) {
    const std::string head =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}} "
        "{\\colortbl ;\\red0\\green0\\blue0;} \\viewkind4\\uc1\\pard\\cf1\\fs20 ";
    EXPECT_EQ(CPrixelElement::ToRtf("a\nb"), head + "a\\par\r\nb \\par }");

    Article element(Line({{CPrixelElement::Packaging, ""},
                          {CPrixelElement::DiscountFamilyCode, "RF2"},
                          {CPrixelElement::DiscountFamilyLabel, "Laiton"},
                          {CPrixelElement::Availability, "Sous 8 jours"},
                          {CPrixelElement::OldCode, "R99"}}));
    EXPECT_EQ(Utf8(element.TechnicalNote()),
              "Conditionnement : \nFamille de remise : RF2 - Laiton\nCode EAN : 3000000000001\n"
              "Disponibilité : Sous 8 jours\nGarantie en mois : \nPoids en Kg : \n"
              "Longueur en ML : \nLargeur en ML : \nHauteur en ML : \nAncien code : R99\n");
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

TEST_F(ElementTest, NumbersDefaultCoefficientsAndThePriceChainWithItsGuards) {
    Article element(
        Line({{CPrixelElement::ListPrice, " 12,5 "}, {CPrixelElement::SecondValue, "abc"}}));
    EXPECT_DOUBLE_EQ(element.ReadListPrice(), 12.5);
    EXPECT_DOUBLE_EQ(element.ReadSecondValue(), 0.0);
    // The coefficients are those of the first entry for materials.
    double overhead = 7, sale = 8;
    GetHostApp()->m_PriceEntries = {{501, 3, 4}, {10001, 1.1, 1.3}, {10001, 9, 9}};
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    EXPECT_EQ(std::to_string(overhead) + " " + std::to_string(sale), "1.100000 1.300000");

    const Prices p = Prices().Compute(true, false, false);
    EXPECT_DOUBLE_EQ(p.surchargeAmount, 4.5);
    EXPECT_DOUBLE_EQ(p.cost, 113.4);
    EXPECT_DOUBLE_EQ(p.salePrice, 170.1);

    Prices given{.salePrice = 226.8};
    given.Compute(true, false, true);
    EXPECT_DOUBLE_EQ(given.salePrice, 226.8);
    EXPECT_DOUBLE_EQ(given.sale, 2);

    Prices zero{.overhead = 0, .sale = 1e-11};
    zero.Compute(false, false, false);
    EXPECT_DOUBLE_EQ(zero.salePrice, 90) << "null coefficients count as 1";

    Prices amount{.discount = 100, .surchargeAmount = 3};
    amount.Compute(true, true, false);
    EXPECT_DOUBLE_EQ(amount.net, 1e-10);
    EXPECT_DOUBLE_EQ(amount.surchargePercent, 3e12);

    EXPECT_DOUBLE_EQ(Prices{.list = -2e10}.Compute(true, false, false).salePrice, 0);
}

TEST_F(ElementTest, ProfileOfTheCompanyByElementTypeAndItsFailures) {
    Article element(Line());
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 2);
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_WORK), 1);
    CParPath::sFirmDefaut = "OTHER";
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    EXPECT_TRUE(Messages().empty());

    CParPath::sFirmDefaut = "DEMO";
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
