#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/application.h"
#include "host/company.h"
#include "import/article_fixture.h"
#include "import/prixel_element.h"
#include "platform/db/faulty_driver.h"

namespace {

// An article whose writing does nothing; it counts the unlinks asked of it.
class ArticleOnly : public CPrixelElement {
  public:
    using CPrixelElement::CPrixelElement;
    bool Process() override { return false; }
    int Lookup() override { return m_nLookupState; }
    void FillRecord() override {}
    bool OpenQuery(std::string) override { return false; }
    void Unlink() override { ++m_nUnlinks; }
    bool UpdateRecord() override { return false; }
    bool AddRecord() override { return false; }

    int m_nUnlinks = 0;
};

class ElementTest : public ArticleImportTest {};

const char* const kRtfHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}} "
    "{\\colortbl ;\\red0\\green0\\blue0;} \\viewkind4\\uc1\\pard\\cf1\\fs20 ";

std::string Tabs(int count) {
    return std::string(count, '\t');
}

TEST_F(ElementTest, SplitsThirtyTrimmedFieldsAndIgnoresMore) {
    ArticleOnly trimmed(Line({{CPrixelElement::MakerPrefix, " ACM"},
                              {CPrixelElement::Reference, "  R100 \r"},
                              {CPrixelElement::FixedPriceFlag, " X "}}) +
                        "\textra1\textra2\textra3\textra4\textra5");
    EXPECT_EQ(trimmed.GetCode(), "ACMR100");
    EXPECT_EQ(trimmed.GetField(CPrixelElement::Reference), "R100");
    EXPECT_EQ(trimmed.GetField(CPrixelElement::FixedPriceFlag), "X");
    EXPECT_EQ(trimmed.GetListPrice(), "100");
}

TEST_F(ElementTest, TwentyNineTabsMakeARecordTwentyEightDoNot) {
    ArticleOnly record("M1\tACM\tR1" + Tabs(27));
    EXPECT_EQ(record.GetCode(), "ACMR1");
    EXPECT_EQ(record.GetField(CPrixelElement::MakerId), "M1");

    ArticleOnly shortLine("M1\tACM\tR1" + Tabs(26));
    EXPECT_EQ(shortLine.GetCode(), "");
    EXPECT_EQ(shortLine.GetField(CPrixelElement::MakerId), "");
    EXPECT_EQ(shortLine.GetField(CPrixelElement::Reference), "");
}

TEST_F(ElementTest, ReferenceOfThirteenAcceptedFourteenRefused) {
    ArticleOnly longest(Line({{CPrixelElement::MakerPrefix, "ABCDE"},
                              {CPrixelElement::Reference, "1234567890123"},
                              {CPrixelElement::MakerId, "12345678"}}));
    EXPECT_TRUE(longest.ValidateElement());
    EXPECT_EQ(longest.GetCode().size(), 18u);
    EXPECT_TRUE(Messages().empty());

    ArticleOnly tooLong(Line({{CPrixelElement::MakerPrefix, "ABCDE"},
                              {CPrixelElement::Reference, "12345678901234"},
                              {CPrixelElement::Label, text::FromUtf8("Vanne d'arrêt")}}));
    EXPECT_FALSE(tooLong.ValidateElement());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur "
              "autorisée : ABCDE12345678901234,\nVanne d'arrêt");
}

TEST_F(ElementTest, EmptyOrTooLongIdentifiersAreRefused) {
    for (const auto& change : {std::make_pair(CPrixelElement::MakerId, std::string()),
                               std::make_pair(CPrixelElement::MakerId, std::string("123456789")),
                               std::make_pair(CPrixelElement::MakerPrefix, std::string("ABCDEF")),
                               std::make_pair(CPrixelElement::Reference, std::string())}) {
        ArticleOnly element(Line({change}));
        EXPECT_FALSE(element.ValidateElement()) << change.first;
    }
    EXPECT_EQ(Messages().size(), 4u);
}

TEST_F(ElementTest, EmptyLineShowsTheMessageWithEmptyValues) {
    ArticleOnly empty("");
    EXPECT_FALSE(empty.ValidateElement());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur "
              "autorisée : ,\n");
}

TEST_F(ElementTest, WithdrawnArticleIsUnlinkedWithoutMessage) {
    ArticleOnly withdrawn(Line({{CPrixelElement::Label, "Cet article n'existe plus.   "},
                                {CPrixelElement::Reference, "TOO-LONG-REFERENCE"}}));
    EXPECT_FALSE(withdrawn.ValidateElement());
    EXPECT_EQ(withdrawn.m_nUnlinks, 1);
    EXPECT_TRUE(Messages().empty());

    ArticleOnly other(Line({{CPrixelElement::Label, "cet article n'existe plus."}}));
    EXPECT_TRUE(other.ValidateElement());
    EXPECT_EQ(other.m_nUnlinks, 0);
}

TEST_F(ElementTest, RichTextWrapsTheTextAndEndsEveryLine) {
    EXPECT_EQ(CPrixelElement::ToRtf("a\nb"), std::string(kRtfHead) + "a\\par\r\nb \\par }");
    EXPECT_EQ(CPrixelElement::ToRtf("a\n"), std::string(kRtfHead) + "a\\par\r\n \\par }");
    EXPECT_EQ(CPrixelElement::ToRtf(""), std::string(kRtfHead) + " \\par }");
}

TEST_F(ElementTest, TechnicalNoteWritesEveryLineEvenEmpty) {
    ArticleOnly element(Line({{CPrixelElement::Packaging, ""},
                              {CPrixelElement::DiscountFamilyCode, "RF2"},
                              {CPrixelElement::DiscountFamilyLabel, "Laiton"},
                              {CPrixelElement::Availability, "Sous 8 jours"},
                              {CPrixelElement::Weight, "1.5"},
                              {CPrixelElement::OldCode, "R99"}}));
    EXPECT_EQ(Utf8(element.TechnicalNote()),
              "Conditionnement : \n"
              "Famille de remise : RF2 - Laiton\n"
              "Code EAN : 3000000000001\n"
              "Disponibilité : Sous 8 jours\n"
              "Garantie en mois : \n"
              "Poids en Kg : 1.5\n"
              "Longueur en ML : \n"
              "Largeur en ML : \n"
              "Hauteur en ML : \n"
              "Ancien code : R99\n");
}

TEST_F(ElementTest, NumbersAndDatesOfTheArticle) {
    ArticleOnly element(
        Line({{CPrixelElement::ListPrice, " 12,5 "}, {CPrixelElement::SecondValue, "abc"}}));
    EXPECT_DOUBLE_EQ(element.ReadListPrice(), 12.5);
    EXPECT_DOUBLE_EQ(element.ReadSecondValue(), 0.0);
    EXPECT_EQ(element.ReadTariffDate(), COleDateTime(2013, 4, 15));

    ArticleOnly notADate(Line({{CPrixelElement::TariffDate, "2013ABCD"}}));
    EXPECT_TRUE(notADate.ReadTariffDate().IsZero());

    const COleDateTime today = CPrixelElement::ReadToday();
    EXPECT_FALSE(today.IsZero());
    EXPECT_EQ(today.GetHour() + today.GetMinute() + today.GetSecond(), 0);
}

struct Prices {
    double overhead = 1.2, sale = 1.5, list = 100, discount = 10, net = 0, surchargeAmount = 0,
           surchargePercent = 5, base = 0, cost = 0, salePrice = 0;
    void Compute(bool included, bool amountGiven, bool saleGiven) {
        CPrixelElement::ComputePrices(overhead, sale, list, discount, net, surchargeAmount,
                                      surchargePercent, base, cost, salePrice, included,
                                      amountGiven, saleGiven);
    }
};

TEST_F(ElementTest, PriceChainFromListPriceToSalePrice) {
    Prices p;
    p.Compute(true, false, false);
    EXPECT_DOUBLE_EQ(p.net, 90);
    EXPECT_DOUBLE_EQ(p.surchargeAmount, 4.5);
    EXPECT_DOUBLE_EQ(p.base, 94.5);
    EXPECT_DOUBLE_EQ(p.cost, 113.4);
    EXPECT_DOUBLE_EQ(p.salePrice, 170.1);

    Prices excluded;
    excluded.Compute(false, false, false);
    EXPECT_DOUBLE_EQ(excluded.base, 90);
    EXPECT_DOUBLE_EQ(excluded.cost, 108);
}

TEST_F(ElementTest, GivenSalePriceGivesTheCoefficient) {
    Prices p;
    p.salePrice = 226.8;
    p.Compute(true, false, true);
    EXPECT_DOUBLE_EQ(p.salePrice, 226.8);
    EXPECT_DOUBLE_EQ(p.sale, 2);

    Prices free;
    free.list = 0;
    free.salePrice = 50;
    free.Compute(true, false, true);
    EXPECT_DOUBLE_EQ(free.cost, 0);
    EXPECT_DOUBLE_EQ(free.sale, 1.5);
    EXPECT_DOUBLE_EQ(free.salePrice, 50);
}

TEST_F(ElementTest, GuardsWriteTheirValuesBack) {
    Prices p;
    p.overhead = 0;
    p.sale = 1e-11;
    p.Compute(true, false, false);
    EXPECT_DOUBLE_EQ(p.overhead, 1);
    EXPECT_DOUBLE_EQ(p.sale, 1);
    EXPECT_DOUBLE_EQ(p.salePrice, 94.5);

    Prices amount;
    amount.discount = 100;
    amount.surchargeAmount = 3;
    amount.Compute(true, true, false);
    EXPECT_DOUBLE_EQ(amount.net, 1e-10);
    EXPECT_DOUBLE_EQ(amount.surchargePercent, 3e12);

    Prices given;
    given.surchargeAmount = 9;
    given.Compute(false, true, false);
    EXPECT_DOUBLE_EQ(given.surchargePercent, 10);
    EXPECT_DOUBLE_EQ(given.base, 90);
}

TEST_F(ElementTest, ListPriceAboveTenBillionIsTakenAsZero) {
    Prices p;
    p.list = -2e10;
    p.Compute(true, false, false);
    EXPECT_DOUBLE_EQ(p.list, 0);
    EXPECT_DOUBLE_EQ(p.salePrice, 0);

    Prices limit;
    limit.list = 1e10;
    limit.discount = 0;
    limit.Compute(true, false, false);
    EXPECT_DOUBLE_EQ(limit.net, 1e10);
}

TEST_F(ElementTest, DefaultCoefficientsOfTheFirstMaterialsEntry) {
    double overhead = 7, sale = 8;
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    EXPECT_DOUBLE_EQ(overhead, 1.2);
    EXPECT_DOUBLE_EQ(sale, 1.5);

    GetHostApp()->m_PriceEntries = {{501, 3, 4}, {10001, 1.1, 1.3}, {10001, 9, 9}};
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    EXPECT_DOUBLE_EQ(overhead, 1.1);
    EXPECT_DOUBLE_EQ(sale, 1.3);

    GetHostApp()->m_PriceEntries = {{501, 3, 4}};
    overhead = 7;
    sale = 8;
    CPrixelElement::GetTypeCoefficients(overhead, sale);
    EXPECT_DOUBLE_EQ(overhead, 7);
    EXPECT_DOUBLE_EQ(sale, 8);
}

TEST_F(ElementTest, ProfileOfTheCompanyByElementType) {
    ArticleOnly element(Line());
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 2);
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_WORK), 1);
    EXPECT_EQ(element.GetProfile(24001), 0);
    CParPath::sFirmDefaut = "OTHER";
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ElementTest, ProfileTableFailureIsShown) {
    ArticleOnly element(Line());
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    CDaoDatabase* accounting = GetDBManager()->GetMDBDao(mdCompta);
    const std::string path = accounting->GetName();
    accounting->Close();
    accounting->Open(path);
    faulty->FailWhenContains("ParamCompta", dao::kLocked, text::FromUtf8("Table verrouillée."));
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Problème table ParamCompta : \nTable verrouillée.");
}

TEST_F(ElementTest, ProfileWithoutAccountingDatabaseIsShown) {
    ArticleOnly element(Line());
    host::CloseCompany();
    EXPECT_EQ(element.GetProfile(PRIXEL_TYPE_MATERIAL), 0);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0],
              "Problème BD : \nLa base de comptabilité de la société n'est pas ouverte.");
}

}  // namespace
