#include "platform/db/query.h"

#include <gtest/gtest.h>

#include "platform/db/dao.h"
#include "platform/text.h"

using db::FormatQuery;

namespace {

// The exception FormatQuery raises, or an empty one when it raises nothing.
CDaoException Refusal(const std::function<void()>& format) {
    try {
        format();
    } catch (const CDaoException& e) {
        return e;
    }
    return CDaoException(0, "");
}

}  // namespace

TEST(QueryTest, PutsValuesAsTheyAre) {
    EXPECT_EQ(FormatQuery("SELECT * FROM BXMX WHERE ((BXMX.[Type] = %d) AND (BXMX.[Code] = '%s'))",
                          10001, std::string("ABC 12")),
              "SELECT * FROM BXMX WHERE ((BXMX.[Type] = 10001) AND (BXMX.[Code] = 'ABC 12'))");
    EXPECT_EQ(FormatQuery("%i%% = '%s' AND d <> #%s#", -5L, "x", "04/15/2013"),
              "-5% = 'x' AND d <> #04/15/2013#");
    EXPECT_EQ(FormatQuery("a = '%s%%'", ""), "a = '%'");
}

TEST(QueryTest, RefusesATextHoldingAQuote) {
    const std::string value = text::FromUtf8("L'Étoile");
    const CDaoException e =
        Refusal([&] { FormatQuery("SELECT * FROM Famille WHERE [Code] = '%s'", value); });
    EXPECT_EQ(e.m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(e.m_strDescription,
              text::FromUtf8("La valeur \"L'Étoile\" contient une apostrophe : la requête a été "
                             "refusée."));
}

TEST(QueryTest, RefusesAHashInADate) {
    const CDaoException e =
        Refusal([] { FormatQuery("d <> #%s#", "01/01/2000# OR 1 = 1 OR d = #01/01/2000"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(e.m_strDescription,
              text::FromUtf8("La valeur \"01/01/2000# OR 1 = 1 OR d = #01/01/2000\" contient le "
                             "caractère # : la requête a été refusée."));
}

TEST(QueryTest, RefusesATextOutsideALiteral) {
    const CDaoException e =
        Refusal([] { FormatQuery("SELECT * FROM T WHERE a = %s", "1 OR 1=1"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(
        e.m_strDescription,
        text::FromUtf8("La valeur \"1 OR 1=1\" serait placée hors d'une chaîne : la requête a "
                       "été refusée."));
    EXPECT_EQ(FormatQuery("a = 'x' AND b = '%s'", "y"), "a = 'x' AND b = 'y'");
    EXPECT_EQ(Refusal([] { FormatQuery("a = 'x' AND b = %s", "y"); }).m_lErrorCode,
              dao::kSyntaxError);
}

TEST(QueryTest, RefusesValuesThatDoNotMatchTheFormat) {
    const std::string expected =
        text::FromUtf8("La requête \"a = %d\" ne correspond pas aux valeurs données.");
    EXPECT_EQ(Refusal([] { FormatQuery("a = %d"); }).m_strDescription, expected);
    EXPECT_EQ(Refusal([] { FormatQuery("a = %d", 1, 2); }).m_strDescription, expected);
    EXPECT_EQ(Refusal([] { FormatQuery("a = %d", "1"); }).m_strDescription, expected);
    EXPECT_EQ(Refusal([] { FormatQuery("a = '%s'", 1); }).m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(Refusal([] { FormatQuery("a = %f", 1); }).m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(Refusal([] { FormatQuery("a = %", 1); }).m_lErrorCode, dao::kSyntaxError);
}
