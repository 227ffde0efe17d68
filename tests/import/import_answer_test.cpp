#include <gtest/gtest.h>

#include <list>
#include <string>

#include "connection/prixel_answer.h"
#include "import/article_fixture.h"

namespace {

class ImportAnswerTest : public ArticleImportTest {
  protected:
    static CPrixelAnswer Answer(const std::string& body) {
        return CPrixelAnswer("<html><BODY><PRE>C1:PC:srv:R\r\n" + body + "</PRE></BODY></html>");
    }
    static std::string Article(const std::string& reference) {
        return Line({{CPrixelElement::Reference, reference}}) + "\r\n";
    }
    long LibraryRows() {
        return Count(m_library, "BXMX") + Count(m_library, "Fabricant") +
               Count(m_library, "Catalogue");
    }
};

TEST_F(ImportAnswerTest, EveryLineEndedByCrLfIsWrittenInOrder) {
    CPrixelAnswer answer =
        Answer(Article("R1") + Article("R2") + Line({{CPrixelElement::Reference, "R3"}}));
    std::list<std::string> codes = {"EARLIER"};
    EXPECT_EQ(answer.ImportAnswer(codes, true), 2);
    EXPECT_EQ(codes, (std::list<std::string>{"EARLIER", "ACMR1", "ACMR2"}));
    EXPECT_EQ(Count(m_library, "BXMX"), 2);
    EXPECT_TRUE(Messages().empty());

    EXPECT_EQ(CPrixelAnswer("<BODY><PRE>C1:PC:srv:R</PRE></BODY>").ImportAnswer(codes, true), 0);
    EXPECT_EQ(Answer(Line()).ImportAnswer(codes, true), 0) << "a line without its CR LF";
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
    const std::string refused =
        "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur autorisée : ";
    EXPECT_EQ(Messages(), (std::vector<std::string>{refused + ",\n", refused + ",\n",
                                                    refused + "ACMR12345678901234,\nRobinet"}));
}

TEST_F(ImportAnswerTest, StudyImportAddsEveryArticleToTheStudy) {
    std::list<std::string> codes;
    EXPECT_EQ(Answer(Article("R1") + Article("R1") + Article("R2")).ImportAnswer(codes, false), 3);
    EXPECT_EQ(codes, (std::list<std::string>{"ACMR1", "ACMR1", "ACMR2"}));
    EXPECT_EQ(Count(m_study, "EXmxPrixel"), 3);
    EXPECT_EQ(LibraryRows(), 0);
}

TEST_F(ImportAnswerTest, ALockedOrReadOnlyLibraryFailsEachArticleAndTheWalkGoesOn) {
    const struct {
        const char* piece;
        long code;
        const char* message;
    } cases[] = {{"BXMX", dao::kLocked, "Table BXMX verrouillée."},
                 {"INSERT INTO BXMX", dao::kReadOnly, "Base en lecture seule."}};
    std::vector<std::string> shown;
    for (const auto& fault : cases) {
        Faulty().FailWhenContains(fault.piece, fault.code, text::FromUtf8(fault.message));
        std::list<std::string> codes;
        EXPECT_EQ(Answer(Article("R1") + Article("R2")).ImportAnswer(codes, true), 0);
        EXPECT_TRUE(codes.empty());
        shown.insert(shown.end(), 2, fault.message);
        EXPECT_EQ(Messages(), shown);
        EXPECT_EQ(LibraryRows(), 0);
    }
}

TEST_F(ImportAnswerTest, LibraryThatCannotBeOpenedStopsTheWalk) {
    Faulty().FailOpen(dao::kNotADatabase, text::FromUtf8("Fichier de base endommagé."));
    std::list<std::string> codes;
    EXPECT_EQ(Answer(Article("R1") + Article("R2")).ImportAnswer(codes, true), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Fichier de base endommagé."}));
}

}  // namespace
