#include "adapters/sqlite/sqlite_driver.h"

#include <gtest/gtest.h>
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

class SqliteDriverTest : public ::testing::Test {
  protected:
    std::string Scalar(const std::string& sql) {
        const auto statement = m_connection->Prepare(sql);
        EXPECT_TRUE(statement->Step()) << sql;
        return std::get<std::string>(statement->Column(0));
    }
    CDaoException InsertRaised(db::Connection& connection) {
        return Raised([&] { connection.Execute("INSERT INTO Article (Code) VALUES ('A1')"); });
    }

    dbtest::ArticleDatabase m_file;
    std::shared_ptr<db::Connection> m_connection =
        SqliteDriver::Shared()->Open(m_file.Path(), false);
};

}  // namespace

TEST_F(SqliteDriverTest, AMissingFileIsReportedAndNotCreated) {
    const std::string path = m_file.Dir().File("Bib.mdb");
    CDaoDatabase db;
    const CDaoException e = Raised([&] { db.Open(path); });
    EXPECT_EQ(e.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(e.m_strDescription,
              Fr("Le fichier de base de données ") + path + " est introuvable.");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SqliteDriverTest, CreateRefusesAnExistingFileOrAFolderThatIsNotThere) {
    SqliteDriver driver;
    const CDaoException exists = Raised([&] { driver.Create(m_file.Path()); });
    EXPECT_EQ(exists.m_lErrorCode, dao::kDatabaseExists);
    EXPECT_EQ(exists.m_strDescription,
              Fr("Le fichier de base de données ") + m_file.Path() + Fr(" existe déjà."));
    const std::string nowhere = m_file.Dir().File("absent/Bib.mdb");
    const CDaoException cannot = Raised([&] { driver.Create(nowhere); });
    EXPECT_EQ(cannot.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(cannot.m_strDescription, Fr("Impossible d'ouvrir le fichier de base de données ") +
                                           nowhere + " (unable to open database file).");
}

TEST_F(SqliteDriverTest, AFileOfGarbageIsNotADatabase) {
    const std::string path = m_file.Dir().File("Bib.mdb");
    std::ofstream(path) << std::string(4096, '\x5A');
    const CDaoException e = Raised([&] { SqliteDriver().Open(path, false); });
    EXPECT_EQ(e.m_lErrorCode, dao::kNotADatabase);
    EXPECT_EQ(e.m_strDescription, "Le fichier " + path +
                                      Fr(" n'est pas une base de données reconnue ou il est "
                                         "endommagé (file is not a database)."));
}

TEST_F(SqliteDriverTest, WritesThroughAReadOnlyOpeningAreRefused) {
    const auto reader = SqliteDriver::Shared()->Open(m_file.Path(), true);
    EXPECT_TRUE(reader->IsReadOnly());
    const CDaoException e = InsertRaised(*reader);
    EXPECT_EQ(e.m_lErrorCode, dao::kReadOnly);
    EXPECT_EQ(e.m_strDescription,
              Fr("Impossible de mettre à jour la base de données ") + m_file.Path() +
                  Fr(" : elle est en lecture seule (attempt to write a readonly database)."));
}

TEST_F(SqliteDriverTest, WritesToAFileTheSystemKeepsReadOnlyAreRefused) {
    m_connection.reset();
    std::filesystem::permissions(m_file.Dir().Path(), std::filesystem::perms::all);
    std::filesystem::permissions(m_file.Path(), std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::group_read |
                                                    std::filesystem::perms::others_read);
    // Root writes to any file, so the writer gives up root's rights first.
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
            const auto connection = SqliteDriver().Open(m_file.Path(), false);
            const CDaoException e = InsertRaised(*connection);
            _exit(connection->IsReadOnly() && e.m_lErrorCode == dao::kReadOnly ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(SqliteDriverTest, AWriteGivesUpWhenAnotherConnectionHoldsTheLock) {
    const auto waiting = SqliteDriver(1).Open(m_file.Path(), false);
    m_connection->Execute("BEGIN EXCLUSIVE");
    const CDaoException e = InsertRaised(*waiting);
    EXPECT_EQ(e.m_lErrorCode, dao::kLocked);
    EXPECT_EQ(e.m_strDescription, Fr("La base de données ") + m_file.Path() +
                                      Fr(" est verrouillée par un autre utilisateur (database "
                                         "is locked)."));
    m_connection->Execute("ROLLBACK");
    waiting->Execute("INSERT INTO Article (Code) VALUES ('A1')");
    EXPECT_EQ(waiting->Changes(), 1);
}

TEST_F(SqliteDriverTest, OpeningsOfOneFileShareOneConnectionWhileItLives) {
    CDaoDatabase first, second, reader;
    first.Open(m_file.Path());
    second.Open(m_file.Dir().Folder() + "./Article.db");
    reader.Open(m_file.Path(), false, true);
    EXPECT_EQ(&first.Connection(), &second.Connection());
    EXPECT_NE(&first.Connection(), &reader.Connection());
    SqliteDriver driver;
    const std::weak_ptr<db::Connection> gone = driver.Open(m_file.Path(), false);
    EXPECT_TRUE(gone.expired());
}

TEST_F(SqliteDriverTest, TextsAreStoredAsUtf8InAWalDatabase) {
    m_connection->Execute(Fr("INSERT INTO Article (Code) VALUES ('é€')"));
    EXPECT_EQ(Scalar("SELECT hex(Code) FROM Article"), "C3A9E282AC");
    EXPECT_EQ(Scalar("SELECT Code FROM Article"), Fr("é€"));
    EXPECT_EQ(Scalar("PRAGMA journal_mode"), "wal");
}

TEST_F(SqliteDriverTest, StatementsSpeakTheJetDialect) {
    const auto insert = m_connection->Prepare(
        "INSERT INTO Article ([Code], [DateTarif], [Lie], [Note]) VALUES (?, ?, TRUE, ?)");
    insert->Bind(1, std::string("A1"));
    insert->Bind(2, std::string("2013-04-15"));
    insert->Bind(3, db::Bytes{});
    EXPECT_FALSE(insert->Step());
    const auto select = m_connection->Prepare(
        "SELECT [Code], [Note] FROM Article WHERE [DateTarif] = #04/15/2013# AND [Lie] = TRUE");
    ASSERT_TRUE(select->Step());
    EXPECT_EQ(std::get<db::Bytes>(select->Column(1)), db::Bytes{});
    m_connection->Execute("CREATE TABLE Petite (Rang smallint)");
    EXPECT_EQ(m_connection->TableColumns("Petite")[0].declaredType, "SMALLINT");
}

TEST_F(SqliteDriverTest, OtherEngineFailuresAreToldWithTheEnginesReason) {
    const CDaoException e = Raised([&] { m_connection->Execute("CREATE TABLE Article (x)"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kGeneralFailure);
    EXPECT_EQ(e.m_strDescription, Fr("Erreur de la base de données ") + m_file.Path() +
                                      " (table Article already exists).");
    const CDaoException column =
        Raised([&] { m_connection->Execute("INSERT INTO Article (Absente) VALUES (1)"); });
    EXPECT_EQ(column.m_strDescription,
              Fr("La base de données ne contient pas la colonne Absente (table Article has no "
                 "column named Absente)."));
    EXPECT_EQ(Raised([&] { m_connection->TableColumns("Absente"); }).m_lErrorCode,
              dao::kUnknownName);
    EXPECT_EQ(Raised([&] { m_connection->Prepare(" "); }).m_lErrorCode, dao::kSyntaxError);
}
