#include "platform/db/dao.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dao_testing.h"
#include "faulty_driver.h"
#include "platform/text.h"

using dbtest::CArticleSet;
using dbtest::Raised;

namespace {

class DaoTest : public ::testing::TestWithParam<dbtest::Engine> {
  protected:
    void SetUp() override { m_db.Open(m_file.Path()); }

    void InsertRanks(int count) {
        for (int rank = 1; rank <= count; ++rank) {
            m_db.Execute("INSERT INTO Article (Code, Rang) VALUES ('A" + std::to_string(rank) +
                         "', " + std::to_string(rank) + ")");
        }
    }

    long CountRows() {
        CArticleSet set(&m_db);
        set.Open();
        if (!set.IsEOF()) set.MoveLast();
        return set.GetRecordCount();
    }

    dbtest::ArticleDatabase m_file{GetParam()};
    dbtest::ScopedDriver m_driver{dbtest::DriverOf(GetParam())};
    CDaoDatabase m_db;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Engines, DaoTest, dbtest::kEngines, dbtest::EngineName);

// An addition writes only what was set; an edit only the members that changed; nulls give empty
// members.
TEST_P(DaoTest, MembersOfEveryKindComeBackAsTheyWereWritten) {
    const std::string accents = text::FromUtf8("Crème brûlée à l'œuf – 5 €");
    const db::Bytes note = {0x00, 0x7B, 0x5C, 0xFF, 0x00};
    CArticleSet set(&m_db);
    set.Open();
    set.AddNew();
    set.m_strCode = "A1";
    set.m_nRang = -3;
    set.m_nQuantite = 123456789;
    set.m_dPrix = 12.345;
    set.m_bLie = true;
    set.m_strLibelle = accents;
    set.m_dtTarif = COleDateTime(2013, 4, 15, 10, 30, 5);
    set.m_note = note;
    set.Update();
    set.AddNew();
    set.m_strCode = "A2";
    set.Update();

    set.Open("SELECT * FROM Article ORDER BY Code");
    set.Edit();
    set.m_dPrix = 2.5;
    m_db.Execute(text::FromUtf8("UPDATE Article SET Libelle = 'changé ailleurs'"));
    set.Update();
    set.Open("SELECT * FROM Article ORDER BY Code");
    EXPECT_EQ(set.m_nRang, -3);
    EXPECT_EQ(set.m_nQuantite, 123456789);
    EXPECT_DOUBLE_EQ(set.m_dPrix, 2.5);
    EXPECT_TRUE(set.m_bLie);
    EXPECT_EQ(set.m_strLibelle, text::FromUtf8("changé ailleurs"));
    EXPECT_EQ(set.m_note, note);
    EXPECT_EQ(std::get<std::string>(set.GetFieldValue("datetarif")), "2013-04-15 10:30:05");
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 0);
    EXPECT_TRUE(set.m_dtTarif.IsZero());
    EXPECT_EQ(std::get<std::string>(set.GetFieldValue("Remarque")), "aucune");
}

// A recordset that has read its last row leaves no statement standing on a row of the connection,
// where it would slow every other statement: a lookup of one row, a walk to the end, a move to
// the last row. Deleting leaves no current row; the record count tells the rows seen.
TEST_P(DaoTest, MovesCountTheRowsSeenAndHoldNoStatementPastTheLastRow) {
    InsertRanks(50);
    const auto counting = std::make_shared<dbtest::FaultyDriver>(dbtest::DriverOf(GetParam()));
    dbtest::ScopedDriver scoped(counting);
    CDaoDatabase db;
    db.Open(m_file.Path());
    CArticleSet one(&db);
    CArticleSet all(&db);
    one.Open("SELECT * FROM Article WHERE [Rang] = 2");
    all.Open("SELECT * FROM Article ORDER BY Rang");
    EXPECT_EQ(one.m_nRang, 2);
    EXPECT_EQ(counting->InProgress(), 1);
    all.MoveNext();
    all.Delete();
    EXPECT_EQ(Raised([&] { all.Edit(); }).m_lErrorCode, dao::kNoCurrentRecord);
    all.MoveNext();
    EXPECT_EQ(all.m_nRang, 3);
    EXPECT_EQ(all.GetRecordCount(), 2);
    all.MoveLast();
    EXPECT_EQ(all.m_nRang, 50);
    EXPECT_EQ(all.GetRecordCount(), 49);
    EXPECT_EQ(counting->InProgress(), 0);
    all.MoveNext();
    EXPECT_TRUE(all.IsEOF());
}

TEST_P(DaoTest, FilterAndSortJoinTheQueryAndFindFirstStandsOnTheFirstMatch) {
    InsertRanks(10);
    m_db.Execute("UPDATE Article SET Libelle = 'ORDER BY' WHERE Rang = 5");
    m_db.Execute("UPDATE Article SET Lie = TRUE WHERE Rang IN (4, 7)");
    CArticleSet set(&m_db);
    set.m_strFilter = "[Rang] <> 5";
    set.m_strSort = "Rang DESC";
    set.Open("SELECT * FROM Article WHERE Libelle IS NULL OR Libelle = 'ORDER BY' ORDER BY Rang");
    EXPECT_EQ(set.m_nRang, 10);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 9);
    EXPECT_TRUE(set.FindFirst("[Lie] = TRUE"));
    EXPECT_EQ(set.m_nRang, 7);
    set.MoveNext();
    EXPECT_FALSE(set.FindFirst("Code = 'nowhere'"));
    EXPECT_EQ(set.m_nRang, 6);
}

TEST_P(DaoTest, MisuseUnknownNamesAndBrokenQueriesAreRefusedWithTheirCode) {
    m_db.Execute("CREATE TABLE Autre (Code TEXT)");
    CArticleSet set(&m_db);
    CArticleSet empty(&m_db);
    CArticleSet orphan(nullptr);
    CDaoDatabase closed;
    CArticleSet unopened(&closed);
    const struct {
        std::function<void()> action;
        long code;
        const char* told;  // UTF-8; with the engine's reason, on SQLite then on PostgreSQL
        const char* postgresql = nullptr;
    } cases[] = {
        {[&] { set.MoveNext(); }, dao::kObjectClosed, "Le jeu d'enregistrements n'est pas ouvert."},
        {[&] { orphan.Open(); }, dao::kObjectClosed,
         "Le jeu d'enregistrements n'a pas de base de données."},
        {[&] { unopened.Open(); }, dao::kObjectClosed, "La base de données n'est pas ouverte."},
        {[&] {
             empty.Open();
             empty.MoveNext();
         },
         dao::kNoCurrentRecord, "Aucun enregistrement en cours."},
        {[&] { empty.Update(); }, dao::kUpdateWithoutEdit,
         "Enregistrement sans ajout ni modification en cours."},
        {[&] { set.Open("SELECT * FROM Autre"); }, dao::kUnknownName,
         "La table Autre n'a pas de colonne Rang."},
        {[&] { set.Open("SELECT * FROM Absente"); }, dao::kUnknownName,
         "La base de données ne contient pas la table Absente (no such table: Absente).",
         "La base de données ne contient pas la table absente (relation \"absente\" does not "
         "exist)."},
        {[&] { set.Open("SELECT *"); }, dao::kSyntaxError, "Requête incomprise : SELECT *"},
        {[&] { m_db.CommitTrans(); }, dao::kGeneralFailure,
         "Aucune transaction n'est en cours sur la base."},
    };
    for (const auto& c : cases) {
        const char* told =
            GetParam() == dbtest::Engine::kPostgresql && c.postgresql ? c.postgresql : c.told;
        SCOPED_TRACE(told);
        const CDaoException e = Raised(c.action);
        EXPECT_EQ(e.m_lErrorCode, c.code);
        EXPECT_EQ(e.m_strDescription, text::FromUtf8(told));
    }
    EXPECT_TRUE(empty.IsBOF() && empty.IsEOF());
    EXPECT_FALSE(set.IsOpen());
}

// Inner transactions nest in the outer one, which stores all. A duplicate met inside a
// transaction, as an import meets one, leaves it going on: the addition can be retried, or
// cancelled.
TEST_P(DaoTest, TransactionsNestAndGoOnPastADuplicate) {
    m_db.BeginTrans();
    InsertRanks(1);
    CArticleSet set(&m_db);
    set.Open();
    m_db.BeginTrans();
    m_db.Execute("INSERT INTO Article (Code) VALUES ('undone')");
    m_db.Rollback();
    m_db.BeginTrans();
    set.AddNew();
    set.m_strCode = "A1";
    EXPECT_EQ(Raised([&] { set.Update(); }).m_lErrorCode, dao::kDuplicateKey);
    EXPECT_FALSE(m_db.IsTransactionLost());
    set.m_strCode = "A2";
    set.Update();
    m_db.CommitTrans();
    m_db.CommitTrans();
    EXPECT_EQ(set.m_strCode, "A1");
    EXPECT_EQ(CountRows(), 2);
}

// Rows added together are written as each Update would write them: what was set, and NULL or the
// table's default for the rest. The rows that write the same columns go into one statement, which
// a duplicate refuses whole; the transaction goes on. An append-only recordset reads no row.
TEST_P(DaoTest, RowsAddedTogetherAreWrittenAsUpdateWouldAndEachStatementWholeOrNotAtAll) {
    InsertRanks(1);
    CArticleSet set(&m_db);
    set.OpenAppendOnly("SELECT * FROM Article WHERE Code = 'A1'");
    EXPECT_TRUE(set.IsBOF() && set.IsEOF());
    const auto add = [&set](const std::vector<std::string>& codes) {
        set.AddRows(static_cast<int>(codes.size()), [&](int row) {
            set.m_strCode = codes[row];
            if (row == 1) set.m_dPrix = 2.5;
        });
    };
    m_db.BeginTrans();
    add({"B1", "B2", "B3"});
    EXPECT_EQ(Raised([&] { add({"C1", "C2", "A1"}); }).m_lErrorCode, dao::kDuplicateKey);
    EXPECT_FALSE(m_db.IsTransactionLost());
    m_db.CommitTrans();

    set.Open("SELECT * FROM Article ORDER BY Code");
    std::string stored;
    for (; !set.IsEOF(); set.MoveNext()) {
        stored += set.m_strCode +
                  (set.IsFieldNull(&set.m_dPrix) ? "" : "=" + text::Format("%g", set.m_dPrix)) +
                  "/" + std::get<std::string>(set.GetFieldValue("Remarque")) + " ";
    }
    EXPECT_EQ(stored, "A1/aucune B1/aucune B2=2.5/aucune B3/aucune ");
}
