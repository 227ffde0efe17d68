#include "platform/db/literal_parameters.h"

#include <gtest/gtest.h>

namespace {

using db::ParameterizeLiterals;

TEST(LiteralParametersTest, TextsBecomeParametersAfterTheStatementsOwn) {
    const auto p = ParameterizeLiterals(
        "SELECT * FROM \"BXMX\" WHERE Code = 'A''B' AND Libelle = ? AND Date <> '2013-04-15'");
    EXPECT_EQ(p.sql, "SELECT * FROM \"BXMX\" WHERE Code = ?2 AND Libelle = ?1 AND Date <> ?3");
    EXPECT_EQ(p.firstLiteral, 2);
    EXPECT_EQ(p.literals, (std::vector<std::string>{"A'B", "2013-04-15"}));
    EXPECT_EQ(ParameterizeLiterals("UPDATE t SET a = ? WHERE b = 'x'", '$').sql,
              "UPDATE t SET a = $1 WHERE b = $2");
}

TEST(LiteralParametersTest, QuotedNamesAndMarksInsideLiteralsAreKept) {
    const auto p = ParameterizeLiterals("SELECT \"it's\" FROM t WHERE a = 'why?' AND b = ''");
    EXPECT_EQ(p.sql, "SELECT \"it's\" FROM t WHERE a = ?1 AND b = ?2");
    EXPECT_EQ(p.literals, (std::vector<std::string>{"why?", ""}));
}

TEST(LiteralParametersTest, StatementsDifferingByTheirTextsShareOneForm) {
    EXPECT_EQ(ParameterizeLiterals("SELECT * FROM t WHERE c = 'x'").sql,
              ParameterizeLiterals("SELECT * FROM t WHERE c = 'yy'").sql);
}

}  // namespace
