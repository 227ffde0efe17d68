#include "platform/db/jet.h"

#include <gtest/gtest.h>

#include "platform/db/literal_parameters.h"

using db::ParameterizeLiterals;
using db::jet::FindKeyword;
using db::jet::SplitOutside;
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

// Texts become parameters after the statement's own; quoted names and marks inside literals are
// kept, so that statements differing only by their texts share one form.
TEST(LiteralParametersTest, TextsBecomeParametersAfterTheStatementsOwn) {
    const auto p = ParameterizeLiterals(
        "SELECT \"it's\" FROM t WHERE Code = 'A''B' AND Libelle = ? AND a = 'why?' AND b = ''");
    EXPECT_EQ(p.sql,
              "SELECT \"it's\" FROM t WHERE Code = ?2 AND Libelle = ?1 AND a = ?3 AND b = ?4");
    EXPECT_EQ(p.firstLiteral, 2);
    EXPECT_EQ(p.literals, (std::vector<std::string>{"A'B", "why?", ""}));
    EXPECT_EQ(ParameterizeLiterals("UPDATE t SET a = ? WHERE b = 'x'", '$').sql,
              "UPDATE t SET a = $1 WHERE b = $2");
    EXPECT_EQ(ParameterizeLiterals("UPDATE t SET a = 'y' WHERE b = 'x'").sql,
              "UPDATE t SET a = ? WHERE b = ?");
}
