#include "platform/db/literal_parameters.h"

#include <gtest/gtest.h>

using db::ParameterizeLiterals;

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
}
