#include "platform/db/jet.h"

#include <gtest/gtest.h>

using db::jet::FindKeyword;
using db::jet::SplitOutside;
using db::jet::ToPostgresql;
using db::jet::ToSqlite;

TEST(JetTest, NamesDatesAndBooleansAreTranslatedOutsideLiterals) {
    const std::pair<const char*, const char*> cases[] = {
        {"WHERE (BLOUV.[Type tache] = 24001)", "WHERE (BLOUV.\"Type tache\" = 24001)"},
        {"[a\"b]", "\"a\"\"b\""},
        {"SELECT [unclosed", "SELECT [unclosed"},
        {"[PrixelDate] <> #04/15/2013#", "\"PrixelDate\" <> '2013-04-15'"},
        {"#12/31/1999 8:05#", "'1999-12-31 08:05:00'"},
        {"#13/01/2013#", "#13/01/2013#"},
        {"#01/01/13#", "#01/01/13#"},
        {"#01/01/2013 25:00#", "#01/01/2013 25:00#"},
        {"WHERE [PrixelCheck] = TRUE OR Lie = false", "WHERE \"PrixelCheck\" = 1 OR Lie = 0"},
        {"WHERE TRUEVALUE = XFALSE AND TRUE_ = 2", "WHERE TRUEVALUE = XFALSE AND TRUE_ = 2"},
        {"WHERE L = 'TRUE [x] #01/02/2013#'", "WHERE L = 'TRUE [x] #01/02/2013#'"},
        {"WHERE a = 'it''s TRUE' AND b = TRUE", "WHERE a = 'it''s TRUE' AND b = 1"},
    };
    for (const auto& [jet, sqlite] : cases) EXPECT_EQ(ToSqlite(jet), sqlite) << jet;
    EXPECT_EQ(ToPostgresql("SELECT BXmx.[Type tache], [PrixelCheck] FROM BXmx WHERE Lie = TRUE "
                           "AND Code = '[Aa]'"),
              "SELECT BXmx.\"type tache\", \"prixelcheck\" FROM BXmx WHERE Lie = 1 AND Code = "
              "'[Aa]'");
}

TEST(JetTest, SplitOutsideCutsOnlyBetweenStatementsOrColumns) {
    EXPECT_EQ(
        SplitOutside("CREATE TABLE t (a TEXT, b REAL);  INSERT INTO t VALUES ('x;y', 1);", ';'),
        (std::vector<std::string>{"CREATE TABLE t (a TEXT, b REAL)",
                                  "INSERT INTO t VALUES ('x;y', 1)"}));
    EXPECT_EQ(SplitOutside(" a TEXT(5),[b,c] REAL , d NUMERIC(10, 2)", ','),
              (std::vector<std::string>{"a TEXT(5)", "[b,c] REAL", "d NUMERIC(10, 2)"}));
}

TEST(JetTest, FindKeywordSkipsLiteralsNamesAndParentheses) {
    const std::string sql =
        "SELECT * FROM T WHERE [Order by] = 'ORDER BY' AND x IN (SELECT y FROM U ORDER BY y) "
        "ORDER BY Rang";
    EXPECT_EQ(FindKeyword(sql, "order"), sql.rfind("ORDER"));
    EXPECT_EQ(FindKeyword(sql, "FROM", 10), std::string::npos);
    EXPECT_EQ(FindKeyword("SELECT * FROMAGE", "FROM"), std::string::npos);
}
