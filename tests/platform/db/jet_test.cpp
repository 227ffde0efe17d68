#include "platform/db/jet.h"

#include <gtest/gtest.h>

using db::jet::FindKeyword;
using db::jet::ToSqlite;

TEST(JetTest, BracketedNamesBecomeQuotedNames) {
    EXPECT_EQ(ToSqlite("SELECT * FROM BLOUV WHERE (BLOUV.[Type tache] = 24001)"),
              "SELECT * FROM BLOUV WHERE (BLOUV.\"Type tache\" = 24001)");
    EXPECT_EQ(ToSqlite("[a\"b]"), "\"a\"\"b\"");
    EXPECT_EQ(ToSqlite("SELECT [unclosed"), "SELECT [unclosed");
}

TEST(JetTest, DatesBecomeIsoTexts) {
    EXPECT_EQ(ToSqlite("[PrixelDate] <> #04/15/2013#"), "\"PrixelDate\" <> '2013-04-15'");
    EXPECT_EQ(ToSqlite("#4/5/2013#"), "'2013-04-05'");
    EXPECT_EQ(ToSqlite("#12/31/1999 8:05#"), "'1999-12-31 08:05:00'");
    EXPECT_EQ(ToSqlite("#12/31/1999 23:59:58#"), "'1999-12-31 23:59:58'");
}

TEST(JetTest, HashesThatAreNotDatesStay) {
    EXPECT_EQ(ToSqlite("#13/01/2013#"), "#13/01/2013#");
    EXPECT_EQ(ToSqlite("#01/01/13#"), "#01/01/13#");
    EXPECT_EQ(ToSqlite("a # b"), "a # b");
    EXPECT_EQ(ToSqlite("#01/01/2013 25:00#"), "#01/01/2013 25:00#");
}

TEST(JetTest, TrueAndFalseAsWholeWordsOutsideLiterals) {
    EXPECT_EQ(ToSqlite("WHERE [PrixelCheck] = TRUE OR Lie = false"),
              "WHERE \"PrixelCheck\" = 1 OR Lie = 0");
    EXPECT_EQ(ToSqlite("WHERE TRUEVALUE = XFALSE AND TRUE_ = 2"),
              "WHERE TRUEVALUE = XFALSE AND TRUE_ = 2");
    EXPECT_EQ(ToSqlite("WHERE Libelle = 'TRUE [x] #01/02/2013#'"),
              "WHERE Libelle = 'TRUE [x] #01/02/2013#'");
}

TEST(JetTest, DoubledQuotesKeepTheLiteralOpen) {
    EXPECT_EQ(ToSqlite("WHERE a = 'it''s TRUE' AND b = TRUE"), "WHERE a = 'it''s TRUE' AND b = 1");
    EXPECT_EQ(ToSqlite("WHERE \"TRUE\" = TRUE"), "WHERE \"TRUE\" = 1");
    EXPECT_EQ(ToSqlite("WHERE a = 'open TRUE"), "WHERE a = 'open TRUE");
}

TEST(JetTest, FindKeywordSkipsLiteralsNamesAndParentheses) {
    const std::string sql =
        "SELECT * FROM T WHERE [Order by] = 'ORDER BY' AND x IN (SELECT y FROM U ORDER BY y) "
        "ORDER BY Rang";
    EXPECT_EQ(FindKeyword(sql, "order"), sql.rfind("ORDER"));
    EXPECT_EQ(FindKeyword(sql, "FROM"), 9U);
    EXPECT_EQ(FindKeyword(sql, "FROM", 10), std::string::npos);
    EXPECT_EQ(FindKeyword("SELECT * FROMAGE", "FROM"), std::string::npos);
}
