#include "adapters/sqlite/sqlite_driver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dao_testing.h"
#include "platform/text.h"

using adapters::SqliteDriver;
using dbtest::Raised;

namespace {

std::string Fr(const char* utf8) {
    return text::FromUtf8(utf8);
}

std::string Scalar(db::Connection& connection, const std::string& sql) {
    const auto statement = connection.Prepare(sql);
    EXPECT_TRUE(statement->Step()) << sql;
    return std::get<std::string>(statement->Column(0));
}

}  // namespace

TEST(SqliteDriverTest, AMissingFileIsReportedAndNotCreated) {
    TempDir dir;
    const std::string path = dir.File("Bib.mdb");
    CDaoDatabase db;
    const CDaoException e = Raised([&] { db.Open(path); });
    EXPECT_EQ(e.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(e.m_strDescription,
              Fr("Le fichier de base de données ") + path + " est introuvable.");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(db.IsOpen());
}

TEST(SqliteDriverTest, CreateRefusesAnExistingFileOrAFolderThatIsNotThere) {
    dbtest::ArticleDatabase file;
    SqliteDriver driver;
    const CDaoException exists = Raised([&] { driver.Create(file.Path()); });
    EXPECT_EQ(exists.m_lErrorCode, dao::kDatabaseExists);
    EXPECT_EQ(exists.m_strDescription,
              Fr("Le fichier de base de données ") + file.Path() + Fr(" existe déjà."));
    const std::string nowhere = file.Dir().File("absent/Bib.mdb");
    const CDaoException cannot = Raised([&] { driver.Create(nowhere); });
    EXPECT_EQ(cannot.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(cannot.m_strDescription, Fr("Impossible d'ouvrir le fichier de base de données ") +
                                           nowhere + " (unable to open database file).");
}

TEST(SqliteDriverTest, AFileOfGarbageIsNotADatabase) {
    TempDir dir;
    const std::string path = dir.File("Bib.mdb");
    std::ofstream(path) << std::string(4096, '\x5A');
    CDaoDatabase db;
    const CDaoException e = Raised([&] { db.Open(path); });
    EXPECT_EQ(e.m_lErrorCode, dao::kNotADatabase);
    EXPECT_EQ(e.m_strDescription, "Le fichier " + path +
                                      Fr(" n'est pas une base de données reconnue ou il est "
                                         "endommagé (file is not a database)."));
}

TEST(SqliteDriverTest, WritesThroughAReadOnlyOpeningAreRefused) {
    dbtest::ArticleDatabase file;
    CDaoDatabase db;
    db.Open(file.Path(), false, true);
    EXPECT_TRUE(db.Connection().IsReadOnly());
    dbtest::CArticleSet set(&db);
    set.Open();
    set.AddNew();
    set.m_strCode = "A1";
    const CDaoException e = Raised([&] { set.Update(); });
    EXPECT_EQ(e.m_lErrorCode, dao::kReadOnly);
    EXPECT_EQ(e.m_strDescription,
              Fr("Impossible de mettre à jour la base de données ") + file.Path() +
                  Fr(" : elle est en lecture seule (attempt to write a readonly database)."));
    EXPECT_EQ(Raised([&] { db.Execute("DELETE FROM Article"); }).m_lErrorCode, dao::kReadOnly);
}

TEST(SqliteDriverTest, WritesToAFileTheSystemKeepsReadOnlyAreRefused) {
    dbtest::ArticleDatabase file;
    std::filesystem::permissions(file.Dir().Path(), std::filesystem::perms::all);
    std::filesystem::permissions(file.Path(), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::group_read |
                                                  std::filesystem::perms::others_read);
    // Root writes to any file, so the writer gives up root's rights first.
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
            SqliteDriver driver;
            const auto connection = driver.Open(file.Path(), false);
            const CDaoException e =
                Raised([&] { connection->Execute("INSERT INTO Article (Code) VALUES ('A1')"); });
            _exit(connection->IsReadOnly() && e.m_lErrorCode == dao::kReadOnly ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(SqliteDriverTest, AWriteGivesUpWhenAnotherConnectionHoldsTheLock) {
    dbtest::ArticleDatabase file;
    SqliteDriver holder;
    SqliteDriver waiter(1);
    const auto held = holder.Open(file.Path(), false);
    const auto connection = waiter.Open(file.Path(), false);
    held->Execute("BEGIN EXCLUSIVE");
    const CDaoException e =
        Raised([&] { connection->Execute("INSERT INTO Article (Code) VALUES ('A1')"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kLocked);
    EXPECT_EQ(e.m_strDescription, Fr("La base de données ") + file.Path() +
                                      Fr(" est verrouillée par un autre utilisateur (database "
                                         "is locked)."));
    held->Execute("ROLLBACK");
    connection->Execute("INSERT INTO Article (Code) VALUES ('A1')");
    EXPECT_EQ(connection->Changes(), 1);
}

TEST(SqliteDriverTest, OpeningsOfOneFileShareOneConnection) {
    dbtest::ArticleDatabase file;
    CDaoDatabase first, second, reader;
    first.Open(file.Path());
    second.Open(file.Dir().Folder() + "./Article.db");
    reader.Open(file.Path(), false, true);
    EXPECT_EQ(&first.Connection(), &second.Connection());
    EXPECT_NE(&first.Connection(), &reader.Connection());

    SqliteDriver driver;
    auto a = driver.Open(file.Path(), false);
    auto b = driver.Open(file.Path(), false);
    EXPECT_EQ(a, b);
    const std::weak_ptr<db::Connection> shared = a;
    a.reset();
    b.reset();
    EXPECT_TRUE(shared.expired());
    const auto third = driver.Open(file.Path(), false);
    third->Execute("INSERT INTO Article (Code) VALUES ('A1')");
    EXPECT_EQ(third->LastInsertRowId(), 1);
}

TEST(SqliteDriverTest, TextsAreStoredAsUtf8InAWalDatabase) {
    dbtest::ArticleDatabase file;
    const auto connection = SqliteDriver::Shared()->Open(file.Path(), false);
    connection->Execute(Fr("INSERT INTO Article (Code) VALUES ('é€')"));
    EXPECT_EQ(Scalar(*connection, "SELECT hex(Code) FROM Article"), "C3A9E282AC");
    EXPECT_EQ(Scalar(*connection, "SELECT Code FROM Article"), Fr("é€"));
    EXPECT_EQ(Scalar(*connection, "PRAGMA journal_mode"), "wal");
}

TEST(SqliteDriverTest, StatementsSpeakTheJetDialect) {
    dbtest::ArticleDatabase file;
    const auto connection = SqliteDriver::Shared()->Open(file.Path(), false);
    const auto insert = connection->Prepare(
        "INSERT INTO Article ([Code], [DateTarif], [Lie], [Note]) VALUES (?, ?, TRUE, ?)");
    insert->Bind(1, std::string("A1"));
    insert->Bind(2, std::string("2013-04-15"));
    insert->Bind(3, db::Bytes{});
    EXPECT_FALSE(insert->Step());
    const auto select = connection->Prepare(
        "SELECT [Code], [Note] FROM Article WHERE [DateTarif] = #04/15/2013# AND [Lie] = TRUE");
    ASSERT_TRUE(select->Step());
    EXPECT_EQ(select->ColumnName(0), "Code");
    EXPECT_EQ(std::get<std::string>(select->Column(0)), "A1");
    EXPECT_EQ(std::get<db::Bytes>(select->Column(1)), db::Bytes{});
}

TEST(SqliteDriverTest, TableColumnsGivesNamesAndDeclaredTypes) {
    dbtest::ArticleDatabase file;
    const auto connection = SqliteDriver::Shared()->Open(file.Path(), false);
    connection->Execute("CREATE TABLE Petite (Code text, Rang smallint)");
    const auto columns = connection->TableColumns("Petite");
    ASSERT_EQ(columns.size(), 2U);
    EXPECT_EQ(columns[1].name, "Rang");
    EXPECT_EQ(columns[1].declaredType, "SMALLINT");
    const CDaoException e = Raised([&] { connection->TableColumns("Absente"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kUnknownName);
}

TEST(SqliteDriverTest, OtherEngineFailuresAreGeneralFailures) {
    dbtest::ArticleDatabase file;
    const auto connection = SqliteDriver::Shared()->Open(file.Path(), false);
    const CDaoException e = Raised([&] { connection->Execute("CREATE TABLE Article (x)"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kGeneralFailure);
    EXPECT_EQ(e.m_strDescription, Fr("Erreur de la base de données ") + file.Path() +
                                      " (table Article already exists).");
    const CDaoException column =
        Raised([&] { connection->Execute("INSERT INTO Article (Absente) VALUES (1)"); });
    EXPECT_EQ(column.m_strDescription,
              Fr("La base de données ne contient pas la colonne Absente (table Article has no "
                 "column named Absente)."));
    EXPECT_EQ(Raised([&] { connection->Prepare(" "); }).m_lErrorCode, dao::kSyntaxError);
}
