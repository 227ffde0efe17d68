#include <gtest/gtest.h>

#include <list>
#include <string>

#include "adapters/sqlite/sqlite_driver.h"
#include "connection/prixel_answer.h"
#include "import/article_fixture.h"
#include "support/log_lines.h"

namespace {

class ImportAnswerTest : public ArticleImportTest {
  protected:
    static CPrixelAnswer Answer(const std::string& body) {
        return CPrixelAnswer("<html><BODY><PRE>C1:PC:srv:R\r\n" + body + "</PRE></BODY></html>");
    }
    static std::string Article(const std::string& reference) {
        return Line({{CPrixelElement::Reference, reference}}) + "\r\n";
    }
    std::string LibraryPath() const { return m_library.GetName(); }
};

// Lines that are not articles (empty, too short, withdrawn, of a reference too long) are skipped,
// the refused ones told; a line without its CR LF is not read.
TEST_F(ImportAnswerTest, EveryArticleLineEndedByCrLfIsWrittenInOrder) {
    const std::string withdrawn = Line(
        {{CPrixelElement::Reference, "R9"}, {CPrixelElement::Label, "Cet article n'existe plus."}});
    CPrixelAnswer answer = Answer(Article("R1") + "\r\n" + "M1\tACM\tR2" + std::string(26, '\t') +
                                  "\r\n" + withdrawn + "\r\n" + Article("R12345678901234") +
                                  Article("R5") + Line({{CPrixelElement::Reference, "R3"}}));
    std::list<std::string> codes = {"EARLIER"};
    EXPECT_EQ(answer.ImportAnswer(codes, true), 2);
    EXPECT_EQ(codes, (std::list<std::string>{"EARLIER", "ACMR1", "ACMR5"}));
    EXPECT_EQ(Count(m_library, "BXMX"), 2);
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_EQ(CPrixelAnswer("<BODY><PRE>C1:PC:srv:R</PRE></BODY>").ImportAnswer(codes, true), 0);
}

// The maker, the families and the profile are read once a walk, and which articles are new is
// read ahead for many at once: each further new article of a maker already met costs two steps,
// the writing of its row and that of its supplier rows, whatever the walk's length.
TEST_F(ImportAnswerTest, EachFurtherArticleOfAWalkCostsOnlyItsOwnStatements) {
    const auto steps = [this](int first, int count) {
        std::string body;
        for (int i = first; i < first + count; ++i) {
            body += Line({{CPrixelElement::Reference, "R" + std::to_string(i)},
                          {CPrixelElement::SupplierData2, "F1|F2"},
                          {CPrixelElement::SupplierData4, "0.7|0.6"}}) +
                    "\r\n";
        }
        const dbtest::FaultyDriver& counting = Faulty();
        std::list<std::string> codes;
        EXPECT_EQ(Answer(body).ImportAnswer(codes, true), count);
        return counting.Steps();
    };
    steps(0, 1);
    const long ten = steps(10, 10);
    EXPECT_EQ(steps(20, 30) - ten, 20 * 2);
    EXPECT_EQ(Count(m_library, "Catalogue"), 82);
    EXPECT_EQ(Count(m_library, "Fabricant"), 1);
}

// Another workstation stores the article and one of its suppliers after this one read ahead that
// they were missing: each row is there once, with what this one wrote, and nothing is told.
TEST_F(ImportAnswerTest, RowsStoredByAnotherWorkstationAfterTheReadAheadAreUpdatedNotDoubled) {
    Faulty().BeforeFirst("INSERT INTO BXMX", [this] {
        m_library.Execute(
            "INSERT INTO BXMX (Type, Code, Libelle, PrixelCheck) "
            "VALUES (10001, 'ACMR1', 'Autre poste', 1);"
            "INSERT INTO Catalogue (Type, Code, Ordre, Fournisseur, Remise) "
            "VALUES (10001, 'ACMR1', 1, 'F1', 5)");
    });
    const std::string article = Line({{CPrixelElement::Reference, "R1"},
                                      {CPrixelElement::SupplierData2, "F1|F2"},
                                      {CPrixelElement::SupplierData4, "0.7|0.6"}});
    std::list<std::string> codes;
    EXPECT_EQ(Answer(article + "\r\n").ImportAnswer(codes, true), 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Rows("SELECT count(*), Libelle FROM BXMX"), Strings{"1|Robinet"});
    EXPECT_EQ(Rows("SELECT Fournisseur, Ordre, round(Remise, 6) FROM Catalogue ORDER BY Ordre"),
              (Strings{"F1|1|30", "F2|2|40"}));
}

// A library that cannot be opened is told once: the walk stops there.
TEST_F(ImportAnswerTest, ALockedOrReadOnlyLibraryFailsEachArticleAndTheWalkGoesOn) {
    const struct {
        const char* piece;  // none: the library cannot be opened
        long code;
        const char* message;
        std::size_t told;
    } cases[] = {{"BXMX", dao::kLocked, "Table BXMX verrouillée.", 2},
                 {"INSERT INTO BXMX", dao::kReadOnly, "Base en lecture seule.", 2},
                 {nullptr, dao::kNotADatabase, "Fichier de base endommagé.", 1}};
    Strings shown;
    for (const auto& fault : cases) {
        if (fault.piece) {
            Faulty().FailWhenContains(fault.piece, fault.code, text::FromUtf8(fault.message));
        } else {
            Faulty().FailOpen(fault.code, text::FromUtf8(fault.message));
        }
        std::list<std::string> codes;
        EXPECT_EQ(Answer(Article("R1") + Article("R2")).ImportAnswer(codes, true), 0);
        shown.insert(shown.end(), fault.told, fault.message);
        EXPECT_EQ(Messages(), shown);
        EXPECT_EQ(Count(m_library, "BXMX") + Count(m_library, "Fabricant"), 0);
    }
}

// Another program keeps its write lock on the library: the walk waits as long as it may, then is
// refused once and writes nothing. Waiting workstations that get the lock in time are walked on a
// shared library.
TEST_F(ImportAnswerTest, AnotherProgramsLockKeptLongerThanTheWaitIsToldOnce) {
    adapters::SqliteDriver driver;
    const auto otherProgram = driver.Open(LibraryPath(), false);
    otherProgram->BeginTransaction();
    otherProgram->Execute("INSERT INTO Fabricant (Id, Nom) VALUES ('M9', 'Autre')");
    db::CurrentDriver().SetLockWait(50);
    std::list<std::string> codes;
    EXPECT_EQ(Answer(Article("R1") + Article("R2")).ImportAnswer(codes, true), 0);
    EXPECT_EQ(Messages(), (Strings{"La base de données " + Utf8(LibraryPath()) +
                                   " est verrouillée par un autre utilisateur "
                                   "(database is locked)."}));
    otherProgram->RollbackTransaction();
    EXPECT_EQ(LibraryRows(), 0);
}

TEST_F(ImportAnswerTest, DiskFullStopsTheWalkWithOneMessageAndLeavesTheLibraryAsItWas) {
    // The library may not grow beyond its present size, as on a full disk.
    m_library.Execute("PRAGMA max_page_count = 1");
    std::string answer;
    for (int i = 0; i < 50; ++i) answer += Article("R" + std::to_string(i));
    std::list<std::string> codes;
    EXPECT_EQ(Answer(answer).ImportAnswer(codes, true), 0);
    EXPECT_TRUE(codes.empty());
    const std::string full = "Plus de place pour écrire dans la base de données " +
                             Utf8(LibraryPath()) +
                             " : le disque est plein (database or disk is full).";
    EXPECT_EQ(Messages(), Strings{full});
    EXPECT_EQ(LogLines(m_dir.Folder()), Strings{"Erreur de base de données 3026 : " + full});
    EXPECT_EQ(LibraryRows(), 0);
}

}  // namespace
