#include "platform/db/dao.h"

#include <gtest/gtest.h>

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

TEST_P(DaoTest, EveryBoundTypeComesBackAsItWasWritten) {
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

    CArticleSet back(&m_db);
    back.Open("SELECT * FROM Article WHERE [Code] = 'A1'");
    ASSERT_FALSE(back.IsEOF());
    EXPECT_EQ(back.m_nRang, -3);
    EXPECT_EQ(back.m_nQuantite, 123456789);
    EXPECT_DOUBLE_EQ(back.m_dPrix, 12.345);
    EXPECT_TRUE(back.m_bLie);
    EXPECT_EQ(back.m_strLibelle, accents);
    EXPECT_EQ(back.m_note, note);
    EXPECT_EQ(std::get<std::string>(back.GetFieldValue("datetarif")), "2013-04-15 10:30:05");
}

TEST_P(DaoTest, AnAdditionWritesOnlyWhatWasSetAndNullsGiveEmptyMembers) {
    CArticleSet set(&m_db);
    set.Open();
    set.AddNew();
    set.m_strCode = "A1";
    set.Update();
    set.m_nRang = 7;
    set.m_dtTarif = COleDateTime(2000, 1, 1);
    set.Open();
    EXPECT_EQ(set.m_nRang, 0);
    EXPECT_TRUE(set.m_dtTarif.IsZero());
    EXPECT_TRUE(set.IsFieldNull(&set.m_nRang));
    EXPECT_FALSE(set.IsFieldNull(&set.m_strCode));
    EXPECT_EQ(std::get<std::string>(set.GetFieldValue("Remarque")), "aucune");
}

TEST_P(DaoTest, EditWritesOnlyTheMembersThatChanged) {
    m_db.Execute("INSERT INTO Article (Code, Libelle, Prix) VALUES ('A1', 'ancien', 1.5)");
    CArticleSet set(&m_db);
    set.Open();
    set.Edit();
    set.m_dPrix = 2.5;
    m_db.Execute(text::FromUtf8("UPDATE Article SET Libelle = 'changé ailleurs'"));
    set.Update();

    CArticleSet back(&m_db);
    back.Open();
    EXPECT_DOUBLE_EQ(back.m_dPrix, 2.5);
    EXPECT_EQ(back.m_strLibelle, text::FromUtf8("changé ailleurs"));
}

TEST_P(DaoTest, RecordCountTellsTheRowsSeenAndDeleteLeavesNoCurrentRow) {
    InsertRanks(50);
    CArticleSet set(&m_db);
    set.Open("SELECT * FROM Article");
    set.MoveNext();
    set.Delete();
    EXPECT_EQ(Raised([&] { set.Edit(); }).m_lErrorCode, dao::kNoCurrentRecord);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 3);
    EXPECT_EQ(set.GetRecordCount(), 2);
    set.MoveLast();
    EXPECT_EQ(set.GetRecordCount(), 49);
    set.MoveFirst();
    EXPECT_EQ(set.m_nRang, 1);
    set.MoveLast();
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());
    const CDaoException e = Raised([&] { set.MoveNext(); });
    EXPECT_EQ(e.m_lErrorCode, dao::kNoCurrentRecord);
    EXPECT_EQ(e.m_strDescription, "Aucun enregistrement en cours.");
}

// A recordset that has read its last row leaves no statement standing on a row of the connection,
// where it would slow every other statement: a lookup of one row, a walk to the end, a move to
// the last row.
TEST_P(DaoTest, ARecordsetThatHasReadItsLastRowHoldsNoStatementInProgress) {
    InsertRanks(3);
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
    all.MoveNext();
    EXPECT_EQ(all.m_nRang, 3);
    EXPECT_EQ(counting->InProgress(), 0);
    all.MoveFirst();
    EXPECT_EQ(counting->InProgress(), 1);
    all.MoveLast();
    EXPECT_EQ(all.m_nRang, 3);
    EXPECT_EQ(counting->InProgress(), 0);
    all.MoveNext();
    EXPECT_TRUE(all.IsEOF());
}

TEST_P(DaoTest, FilterAndSortJoinTheQuery) {
    InsertRanks(6);
    m_db.Execute("UPDATE Article SET Libelle = 'ORDER BY' WHERE Rang = 5");
    CArticleSet set(&m_db);
    set.m_strFilter = "[Rang] <> 5";
    set.m_strSort = "Rang DESC";
    set.Open("SELECT * FROM Article WHERE Libelle IS NULL OR Libelle = 'ORDER BY' ORDER BY Rang");
    EXPECT_EQ(set.m_nRang, 6);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 4);

    CArticleSet bare(&m_db);
    bare.m_strFilter = "Rang >= 3";
    bare.Open("Article");
    bare.MoveLast();
    EXPECT_EQ(bare.GetRecordCount(), 4);
}

TEST_P(DaoTest, FindFirstStandsOnTheFirstMatchOrStaysWhereItWas) {
    InsertRanks(10);
    m_db.Execute("UPDATE Article SET Lie = TRUE WHERE Rang IN (4, 7)");
    CArticleSet set(&m_db);
    set.Open("SELECT * FROM Article ORDER BY Rang DESC");
    EXPECT_TRUE(set.FindFirst("[Lie] = TRUE"));
    EXPECT_EQ(set.m_nRang, 7);
    set.MoveNext();
    EXPECT_FALSE(set.FindFirst("Code = 'nowhere'"));
    EXPECT_EQ(set.m_nRang, 6);
}

// Inside a transaction too, as an import meets a duplicate: the transaction goes on.
TEST_P(DaoTest, ADuplicateIsRefusedAndTheAdditionCanBeRetriedOrCancelled) {
    InsertRanks(1);
    CArticleSet set(&m_db);
    set.Open();
    m_db.BeginTrans();
    set.AddNew();
    set.m_strCode = "A1";
    const CDaoException e = Raised([&] { set.Update(); });
    EXPECT_EQ(e.m_lErrorCode, dao::kDuplicateKey);
    EXPECT_EQ(e.m_strDescription,
              dbtest::ByEngine(GetParam(),
                               "Doublon dans un index unique de la table Article (UNIQUE "
                               "constraint failed: Article.Code).",
                               "Doublon dans un index unique de la table article (duplicate key "
                               "value violates unique constraint \"article_code_key\")."));
    EXPECT_FALSE(m_db.IsTransactionLost());
    set.m_strCode = "A2";
    set.Update();
    m_db.CommitTrans();
    EXPECT_EQ(set.m_strCode, "A1");
    set.Edit();
    set.m_strCode = "C1";
    set.CancelUpdate();
    EXPECT_EQ(set.m_strCode, "A1");
    EXPECT_EQ(CountRows(), 2);
}

TEST_P(DaoTest, MisuseAndMovesInAnEmptyResultAreRefusedWithTheirCode) {
    CArticleSet set(&m_db);
    const CDaoException closed = Raised([&] { set.MoveNext(); });
    EXPECT_EQ(closed.m_lErrorCode, dao::kObjectClosed);
    EXPECT_EQ(closed.m_strDescription, "Le jeu d'enregistrements n'est pas ouvert.");
    set.Open();
    EXPECT_TRUE(set.IsBOF() && set.IsEOF());
    for (auto action : {&CDaoRecordset::Edit, &CDaoRecordset::Delete, &CDaoRecordset::MoveLast,
                        &CDaoRecordset::MoveFirst}) {
        EXPECT_EQ(Raised([&] { (set.*action)(); }).m_lErrorCode, dao::kNoCurrentRecord);
    }
    const CDaoException update = Raised([&] { set.Update(); });
    EXPECT_EQ(update.m_lErrorCode, dao::kUpdateWithoutEdit);
    EXPECT_EQ(update.m_strDescription, "Enregistrement sans ajout ni modification en cours.");

    CArticleSet orphan(nullptr);
    EXPECT_EQ(Raised([&] { orphan.Open(); }).m_strDescription,
              text::FromUtf8("Le jeu d'enregistrements n'a pas de base de données."));
    m_db.Close();
    EXPECT_EQ(Raised([&] { set.Open(); }).m_strDescription,
              text::FromUtf8("La base de données n'est pas ouverte."));
    EXPECT_FALSE(set.IsOpen());
}

TEST_P(DaoTest, UnknownTablesColumnsAndBrokenQueriesAreRefused) {
    m_db.Execute("CREATE TABLE Autre (Code TEXT)");
    CArticleSet set(&m_db);
    const CDaoException column = Raised([&] { set.Open("SELECT * FROM Autre"); });
    EXPECT_EQ(column.m_lErrorCode, dao::kUnknownName);
    EXPECT_EQ(column.m_strDescription, "La table Autre n'a pas de colonne Rang.");
    EXPECT_FALSE(set.IsOpen());
    const CDaoException table = Raised([&] { set.Open("SELECT * FROM Absente"); });
    EXPECT_EQ(table.m_lErrorCode, dao::kUnknownName);
    EXPECT_EQ(table.m_strDescription,
              dbtest::ByEngine(GetParam(),
                               "La base de données ne contient pas la table Absente (no such "
                               "table: Absente).",
                               "La base de données ne contient pas la table absente (relation "
                               "\"absente\" does not exist)."));
    const CDaoException syntax = Raised([&] { set.Open("SELECT *"); });
    EXPECT_EQ(syntax.m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(syntax.m_strDescription, text::FromUtf8("Requête incomprise : SELECT *"));
}

TEST_P(DaoTest, InnerTransactionsNestInTheOuterOneThatStoresOrUndoesAll) {
    m_db.BeginTrans();
    InsertRanks(1);
    m_db.BeginTrans();
    m_db.Execute("INSERT INTO Article (Code) VALUES ('undone')");
    m_db.Rollback();
    m_db.BeginTrans();
    m_db.Execute("INSERT INTO Article (Code) VALUES ('kept')");
    m_db.CommitTrans();
    EXPECT_FALSE(m_db.IsTransactionLost());
    m_db.CommitTrans();
    EXPECT_EQ(CountRows(), 2);

    m_db.BeginTrans();
    m_db.Execute("INSERT INTO Article (Code) VALUES ('rolled back')");
    m_db.Rollback();
    EXPECT_EQ(CountRows(), 2);
    EXPECT_EQ(Raised([&] { m_db.CommitTrans(); }).m_lErrorCode, dao::kGeneralFailure);
}
