#include "platform/db/dao.h"

#include <gtest/gtest.h>

#include "dao_testing.h"
#include "faulty_driver.h"
#include "platform/text.h"

using dbtest::CArticleSet;
using dbtest::Raised;

namespace {

class DaoTest : public ::testing::Test {
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

    dbtest::ArticleDatabase m_file;
    CDaoDatabase m_db;
};

}  // namespace

TEST_F(DaoTest, EveryBoundTypeComesBackAsItWasWritten) {
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
    EXPECT_EQ(back.m_dtTarif, COleDateTime(2013, 4, 15, 10, 30, 5));
    EXPECT_EQ(back.m_note, note);
    EXPECT_EQ(std::get<std::string>(back.GetFieldValue("datetarif")), "2013-04-15 10:30:05");
    EXPECT_EQ(std::get<std::int64_t>(back.GetFieldValue("Lie")), 1);
}

TEST_F(DaoTest, NullColumnsGiveEmptyMembersAndAreToldNull) {
    m_db.Execute("INSERT INTO Article (Code, Libelle) VALUES ('A1', '')");
    CArticleSet set(&m_db);
    set.m_nRang = 7;
    set.m_dtTarif = COleDateTime(2000, 1, 1);
    set.Open();
    EXPECT_EQ(set.m_nRang, 0);
    EXPECT_TRUE(set.m_dtTarif.IsZero());
    EXPECT_TRUE(set.m_note.empty());
    EXPECT_TRUE(set.IsFieldNull(&set.m_nRang));
    EXPECT_FALSE(set.IsFieldNull(&set.m_strLibelle));
    EXPECT_FALSE(set.IsFieldNull(&set.m_strCode));
}

TEST_F(DaoTest, AdditionWritesOnlyWhatWasSetAndColumnsKeepTheirDefaults) {
    CArticleSet set(&m_db);
    set.Open();
    set.AddNew();
    set.m_strCode = "A1";
    set.Update();
    set.Open();
    EXPECT_TRUE(set.IsFieldNull(&set.m_nRang));
    EXPECT_TRUE(set.IsFieldNull(&set.m_dtTarif));
    EXPECT_EQ(std::get<std::string>(set.GetFieldValue("Remarque")), "aucune");
}

TEST_F(DaoTest, EditWritesOnlyTheMembersThatChanged) {
    m_db.Execute("INSERT INTO Article (Code, Libelle, Prix) VALUES ('A1', 'ancien', 1.5)");
    CArticleSet set(&m_db);
    set.Open();
    set.Edit();
    set.m_dPrix = 2.5;
    m_db.Execute(text::FromUtf8("UPDATE Article SET Libelle = 'changé ailleurs'"));
    set.Update();
    EXPECT_DOUBLE_EQ(std::get<double>(set.GetFieldValue("Prix")), 2.5);

    CArticleSet back(&m_db);
    back.Open();
    EXPECT_DOUBLE_EQ(back.m_dPrix, 2.5);
    EXPECT_EQ(back.m_strLibelle, text::FromUtf8("changé ailleurs"));
    EXPECT_TRUE(back.IsFieldNull(&back.m_nRang));
}

TEST_F(DaoTest, AfterAnAdditionOrACancelTheCurrentRowIsShownAgain) {
    InsertRanks(1);
    CArticleSet set(&m_db);
    set.Open();
    set.AddNew();
    set.m_strCode = "B1";
    set.Update();
    EXPECT_EQ(set.m_strCode, "A1");
    set.Edit();
    set.m_strCode = "C1";
    set.CancelUpdate();
    EXPECT_EQ(set.m_strCode, "A1");
    EXPECT_EQ(CountRows(), 2);
}

TEST_F(DaoTest, OpenReadsOneRowAndMoveLastCountsThemAll) {
    InsertRanks(50);
    CArticleSet set(&m_db);
    set.Open("SELECT * FROM Article");
    EXPECT_FALSE(set.IsBOF());
    EXPECT_EQ(set.GetRecordCount(), 1);
    set.MoveNext();
    set.MoveNext();
    EXPECT_EQ(set.GetRecordCount(), 3);
    EXPECT_EQ(set.m_nRang, 3);
    set.MoveLast();
    EXPECT_EQ(set.GetRecordCount(), 50);
    EXPECT_EQ(set.m_nRang, 50);
    set.MoveFirst();
    EXPECT_EQ(set.m_nRang, 1);
    EXPECT_EQ(set.GetRecordCount(), 50);
    set.MoveLast();
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());
    const CDaoException e = Raised([&] { set.MoveNext(); });
    EXPECT_EQ(e.m_lErrorCode, dao::kNoCurrentRecord);
    EXPECT_EQ(e.m_strDescription, "Aucun enregistrement en cours.");
}

TEST_F(DaoTest, AnEmptyResultIsAtItsStartAndItsEnd) {
    InsertRanks(2);
    CArticleSet set(&m_db);
    set.Open("SELECT * FROM Article WHERE [Rang] > 10");
    EXPECT_TRUE(set.IsBOF());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_EQ(set.GetRecordCount(), 0);
    for (auto action : {&CDaoRecordset::Edit, &CDaoRecordset::Delete, &CDaoRecordset::MoveLast,
                        &CDaoRecordset::MoveFirst}) {
        EXPECT_EQ(Raised([&] { (set.*action)(); }).m_lErrorCode, dao::kNoCurrentRecord);
    }
    EXPECT_EQ(Raised([&] { set.GetFieldValue("Code"); }).m_lErrorCode, dao::kNoCurrentRecord);
}

TEST_F(DaoTest, FilterAndSortJoinTheQuery) {
    InsertRanks(6);
    m_db.Execute("UPDATE Article SET Libelle = 'ORDER BY' WHERE Rang = 5");
    CArticleSet set(&m_db);
    set.m_strFilter = "[Rang] <> 5";
    set.m_strSort = "Rang DESC";
    set.Open("SELECT * FROM Article WHERE Libelle IS NULL OR Libelle = 'ORDER BY' ORDER BY Rang");
    EXPECT_EQ(set.m_nRang, 6);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 4);
    set.MoveLast();
    EXPECT_EQ(set.GetRecordCount(), 5);

    CArticleSet bare(&m_db);
    bare.m_strFilter = "Rang >= 3";
    bare.Open("Article");
    bare.MoveLast();
    EXPECT_EQ(bare.GetRecordCount(), 4);
}

TEST_F(DaoTest, FindFirstStandsOnTheFirstMatchOrStaysWhereItWas) {
    InsertRanks(10);
    m_db.Execute("UPDATE Article SET Lie = TRUE WHERE Rang IN (4, 7)");
    CArticleSet set(&m_db);
    set.Open("SELECT * FROM Article ORDER BY Rang DESC");
    EXPECT_TRUE(set.FindFirst("[Lie] = TRUE"));
    EXPECT_EQ(set.m_nRang, 7);
    EXPECT_EQ(set.GetRecordCount(), 4);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 6);
    EXPECT_FALSE(set.FindFirst("Code = 'nowhere'"));
    EXPECT_EQ(set.m_nRang, 6);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 5);
}

TEST_F(DaoTest, DeleteLeavesNoCurrentRowUntilTheNextMove) {
    InsertRanks(3);
    CArticleSet set(&m_db);
    set.Open();
    set.MoveNext();
    set.Delete();
    EXPECT_EQ(Raised([&] { set.Edit(); }).m_lErrorCode, dao::kNoCurrentRecord);
    EXPECT_EQ(set.GetRecordCount(), 1);
    set.MoveNext();
    EXPECT_EQ(set.m_nRang, 3);
    EXPECT_EQ(set.GetRecordCount(), 2);
    set.MoveFirst();
    set.MoveLast();
    EXPECT_EQ(set.GetRecordCount(), 2);
}

TEST_F(DaoTest, ADuplicateIsRefusedAndTheAdditionCanBeRetried) {
    InsertRanks(1);
    CArticleSet set(&m_db);
    set.Open();
    set.AddNew();
    set.m_strCode = "A1";
    set.m_nRang = 2;
    const CDaoException e = Raised([&] { set.Update(); });
    EXPECT_EQ(e.m_lErrorCode, dao::kDuplicateKey);
    EXPECT_EQ(e.m_strDescription,
              "Doublon dans un index unique de la table Article (UNIQUE constraint failed: "
              "Article.Code).");
    EXPECT_EQ(CountRows(), 1);
    set.m_strCode = "A2";
    set.Update();
    EXPECT_EQ(CountRows(), 2);
}

TEST_F(DaoTest, MisuseIsRefusedWithItsCode) {
    CArticleSet set(&m_db);
    const CDaoException closed = Raised([&] { set.MoveNext(); });
    EXPECT_EQ(closed.m_lErrorCode, dao::kObjectClosed);
    EXPECT_EQ(closed.m_strDescription, "Le jeu d'enregistrements n'est pas ouvert.");
    set.Open();
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

TEST_F(DaoTest, UnknownTablesColumnsAndBrokenQueriesAreRefused) {
    m_db.Execute("CREATE TABLE Autre (Code TEXT)");
    CArticleSet set(&m_db);
    const CDaoException column = Raised([&] { set.Open("SELECT * FROM Autre"); });
    EXPECT_EQ(column.m_lErrorCode, dao::kUnknownName);
    EXPECT_EQ(column.m_strDescription, "La table Autre n'a pas de colonne Rang.");
    EXPECT_FALSE(set.IsOpen());
    const CDaoException table = Raised([&] { set.Open("SELECT * FROM Absente"); });
    EXPECT_EQ(table.m_lErrorCode, dao::kUnknownName);
    EXPECT_EQ(table.m_strDescription,
              text::FromUtf8("La base de données ne contient pas la table Absente (no such table: "
                             "Absente)."));
    const CDaoException syntax = Raised([&] { set.Open("SELECT * FROM Article WHERE (Rang ="); });
    EXPECT_EQ(syntax.m_lErrorCode, dao::kSyntaxError);
    EXPECT_EQ(Raised([&] { set.Open("SELECT *"); }).m_strDescription,
              text::FromUtf8("Requête incomprise : SELECT *"));
}

TEST_F(DaoTest, FaultyDriverFailsTheStatementsItIsToldTo) {
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    CDaoDatabase db;
    db.Open(m_file.Path());
    CArticleSet set(&db);
    set.Open();
    faulty->FailWhenContains("INSERT INTO", dao::kLocked, "verrou");
    set.AddNew();
    EXPECT_EQ(Raised([&] { set.Update(); }).m_strDescription, "verrou");
    faulty->Heal();
    faulty->FailNth(2, dao::kGeneralFailure);
    set.Update();
    const CDaoException second = Raised([&] { set.Open(); });
    EXPECT_EQ(second.m_lErrorCode, dao::kGeneralFailure);
    EXPECT_EQ(second.m_strDescription, text::FromUtf8("Erreur provoquée par le test."));
    set.Open();
    faulty->FailOpen(dao::kFileNotFound);
    CDaoDatabase other;
    EXPECT_EQ(Raised([&] { other.Open(m_file.Path()); }).m_lErrorCode, dao::kFileNotFound);
}
