#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>

#include "connection/prixel_answer.h"
#include "import/article_fixture.h"
#include "platform/db/faulty_driver.h"

namespace {

class ImportAnswerTest : public ArticleImportTest {
  protected:
    static CPrixelAnswer Answer(const std::string& body) {
        return CPrixelAnswer("<html><BODY><PRE>C1:PC:srv:R\r\n" + body + "</PRE></BODY></html>");
    }
    static std::string Article(const std::string& reference) {
        return Line({{CPrixelElement::Reference, reference}}) + "\r\n";
    }
    long Rows(CDaoDatabase& database, const char* table) {
        CDaoRecordset rows(&database);
        rows.Open(table);
        long count = 0;
        for (; !rows.IsEOF(); rows.MoveNext()) ++count;
        return count;
    }
};

TEST_F(ImportAnswerTest, EveryLineEndedByCrLfIsWrittenInOrder) {
    CPrixelAnswer answer =
        Answer(Article("R1") + Article("R2") + Line({{CPrixelElement::Reference, "R3"}}));
    std::list<std::string> codes = {"EARLIER"};
    EXPECT_EQ(answer.ImportAnswer(codes, true), 2);
    EXPECT_EQ(codes, (std::list<std::string>{"EARLIER", "ACMR1", "ACMR2"}));
    EXPECT_EQ(Rows(m_library, "BXMX"), 2);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ImportAnswerTest, LinesThatAreNotArticlesAreToldAndSkipped) {
    const std::string withdrawn = Line(
        {{CPrixelElement::Reference, "R9"}, {CPrixelElement::Label, "Cet article n'existe plus."}});
    CPrixelAnswer answer =
        Answer(Article("R1") + "\r\n" + "M1\tACM\tR2" + std::string(26, '\t') + "\r\n" + withdrawn +
               "\r\n" + Article("R12345678901234") + Article("R5"));
    std::list<std::string> codes;
    EXPECT_EQ(answer.ImportAnswer(codes, true), 2);
    EXPECT_EQ(codes, (std::list<std::string>{"ACMR1", "ACMR5"}));
    ASSERT_EQ(Messages().size(), 3u);
    const std::string refused =
        "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur autorisée : ";
    EXPECT_EQ(Messages()[0], refused + ",\n");
    EXPECT_EQ(Messages()[1], refused + ",\n");
    EXPECT_EQ(Messages()[2], refused + "ACMR12345678901234,\nRobinet");
}

TEST_F(ImportAnswerTest, AnswerWithoutBodyLinesWritesNothing) {
    std::list<std::string> codes;
    EXPECT_EQ(CPrixelAnswer("<BODY><PRE>C1:PC:srv:R</PRE></BODY>").ImportAnswer(codes, true), 0);
    EXPECT_EQ(Answer(Line()).ImportAnswer(codes, true), 0);
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(Rows(m_library, "BXMX"), 0);
}

TEST_F(ImportAnswerTest, StudyImportAddsEveryArticleToTheStudy) {
    CPrixelAnswer answer = Answer(Article("R1") + Article("R1") + Article("R2"));
    std::list<std::string> codes;
    EXPECT_EQ(answer.ImportAnswer(codes, false), 3);
    EXPECT_EQ(codes, (std::list<std::string>{"ACMR1", "ACMR1", "ACMR2"}));
    EXPECT_EQ(Rows(m_study, "EXmxPrixel"), 3);
    EXPECT_EQ(Rows(m_library, "BXMX") + Rows(m_library, "Fabricant"), 0);
}

TEST_F(ImportAnswerTest, LockedLibraryFailsEachArticleAndTheWalkGoesOn) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("BXMX", dao::kLocked, text::FromUtf8("Table BXMX verrouillée."));
    CPrixelAnswer answer = Answer(Article("R1") + Article("R2"));
    std::list<std::string> codes;
    EXPECT_EQ(answer.ImportAnswer(codes, true), 0);
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Table BXMX verrouillée.", "Table BXMX verrouillée."}));
    faulty->Heal();
    EXPECT_EQ(Rows(m_library, "BXMX") + Rows(m_library, "Fabricant") + Rows(m_library, "Catalogue"),
              0);
    EXPECT_EQ(answer.ImportAnswer(codes, true), 2);
}

TEST_F(ImportAnswerTest, ReadOnlyLibraryFailsEachArticleWithItsMessage) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailWhenContains("INSERT INTO BXMX", dao::kReadOnly,
                             text::FromUtf8("Base en lecture seule."));
    CPrixelAnswer answer = Answer(Article("R1") + Article("R2"));
    std::list<std::string> codes;
    EXPECT_EQ(answer.ImportAnswer(codes, true), 0);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Base en lecture seule.", "Base en lecture seule."}));
    EXPECT_EQ(Rows(m_library, "BXMX") + Rows(m_library, "Fabricant") + Rows(m_library, "Catalogue"),
              0);
}

TEST_F(ImportAnswerTest, LibraryThatCannotBeOpenedStopsTheWalk) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailOpen(dao::kNotADatabase, text::FromUtf8("Fichier de base endommagé."));
    CPrixelAnswer answer = Answer(Article("R1") + Article("R2"));
    std::list<std::string> codes;
    EXPECT_EQ(answer.ImportAnswer(codes, true), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Fichier de base endommagé."}));
}

}  // namespace
