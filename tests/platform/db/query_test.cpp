#include "platform/db/query.h"

#include <gtest/gtest.h>

#include "dao_testing.h"
#include "platform/text.h"

using db::FormatQuery;
using dbtest::Raised;

TEST(QueryTest, PutsValuesAsTheyAre) {
    EXPECT_EQ(FormatQuery("SELECT * FROM BXMX WHERE ((BXMX.[Type] = %d) AND (BXMX.[Code] = '%s'))",
                          10001, std::string("ABC 12")),
              "SELECT * FROM BXMX WHERE ((BXMX.[Type] = 10001) AND (BXMX.[Code] = 'ABC 12'))");
    EXPECT_EQ(FormatQuery("%i%% = '%s' AND d <> #%s#", -5L, "x", "04/15/2013"),
              "-5% = 'x' AND d <> #04/15/2013#");
    EXPECT_EQ(FormatQuery("a = 'x' AND b = '%s%%'", ""), "a = 'x' AND b = '%'");
}

TEST(QueryTest, RefusesValuesThatCouldChangeTheQuery) {
    const struct {
        const char* format;
        const char* value;
        const char* message;
    } cases[] = {
        {"SELECT * FROM Famille WHERE [Code] = '%s'", "L'Étoile",
         "La valeur \"L'Étoile\" contient une apostrophe : la requête a été refusée."},
        {"d <> #%s#", "01/01/2000# OR 1 = 1 OR d = #01/01/2000",
         "La valeur \"01/01/2000# OR 1 = 1 OR d = #01/01/2000\" contient le caractère # : la "
         "requête a été refusée."},
        {"a = 'x' AND b = %s", "1 OR 1=1",
         "La valeur \"1 OR 1=1\" serait placée hors d'une chaîne : la requête a été refusée."},
    };
    for (const auto& c : cases) {
        const CDaoException e = Raised([&] { FormatQuery(c.format, text::FromUtf8(c.value)); });
        EXPECT_EQ(e.m_lErrorCode, dao::kSyntaxError) << c.format;
        EXPECT_EQ(e.m_strDescription, text::FromUtf8(c.message));
    }
}

TEST(QueryTest, RefusesValuesThatDoNotMatchTheFormat) {
    const std::string expected =
        text::FromUtf8("La requête \"a = %d\" ne correspond pas aux valeurs données.");
    EXPECT_EQ(Raised([] { FormatQuery("a = %d"); }).m_strDescription, expected);
    EXPECT_EQ(Raised([] { FormatQuery("a = %d", 1, 2); }).m_strDescription, expected);
    EXPECT_EQ(Raised([] { FormatQuery("a = %d", "1"); }).m_strDescription, expected);
}
