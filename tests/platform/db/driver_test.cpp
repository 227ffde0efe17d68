#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "dao_testing.h"
#include "faulty_driver.h"
#include "host/schema.h"
#include "platform/text.h"

using adapters::PostgresDriver;
using adapters::SqliteDriver;
using dbtest::ByEngine;
using dbtest::Engine;
using dbtest::Raised;

namespace {

std::string Fr(const char* utf8) {
    return text::FromUtf8(utf8);
}

std::shared_ptr<db::Driver> NewDriver(Engine engine) {
    if (engine == Engine::kSqlite) return std::make_shared<SqliteDriver>();
    return std::make_shared<PostgresDriver>();
}

// The database's name in the descriptions: the file's path, or the PostgreSQL database's name.
std::string NameOf(Engine engine, const std::string& path) {
    if (engine == Engine::kSqlite) return path;
    return path.substr(path.find("@/") + 2, path.find('?') - path.find("@/") - 2);
}

// The connection-level behaviour that both drivers share through the port.
class DriverTest : public ::testing::TestWithParam<Engine> {
  protected:
    CDaoException InsertRaised(db::Connection& connection) {
        return Raised([&] { connection.Execute("INSERT INTO Article (Code) VALUES ('A1')"); });
    }
    std::string Name() const { return NameOf(GetParam(), m_file.Path()); }

    dbtest::ArticleDatabase m_file{GetParam()};
    std::shared_ptr<db::Driver> m_driver = dbtest::DriverOf(GetParam());
    std::shared_ptr<db::Connection> m_connection = m_driver->Open(m_file.Path(), false);
};

INSTANTIATE_TEST_SUITE_P(Engines, DriverTest, dbtest::kEngines, dbtest::EngineName);

class SqliteDriverTest : public ::testing::Test {
  protected:
    dbtest::ArticleDatabase m_file;
    std::shared_ptr<db::Connection> m_connection =
        SqliteDriver::Shared()->Open(m_file.Path(), false);
};

}  // namespace

TEST_P(DriverTest, CreateRefusesADatabaseThatExists) {
    const CDaoException exists = Raised([&] { NewDriver(GetParam())->Create(m_file.Path()); });
    EXPECT_EQ(exists.m_lErrorCode, dao::kDatabaseExists);
    EXPECT_EQ(exists.m_strDescription,
              ByEngine(GetParam(), "Le fichier de base de données ", "La base de données ") +
                  Name() + Fr(" existe déjà."));
}

TEST_P(DriverTest, WritesThroughAReadOnlyOpeningAreRefused) {
    const auto reader = m_driver->Open(m_file.Path(), true);
    EXPECT_TRUE(reader->IsReadOnly());
    EXPECT_FALSE(m_connection->IsReadOnly());
    const CDaoException e = InsertRaised(*reader);
    EXPECT_EQ(e.m_lErrorCode, dao::kReadOnly);
    EXPECT_EQ(e.m_strDescription,
              Fr("Impossible de mettre à jour la base de données ") + Name() +
                  ByEngine(GetParam(),
                           " : elle est en lecture seule (attempt to write a readonly database).",
                           " : elle est en lecture seule (cannot execute INSERT in a read-only "
                           "transaction)."));
}

// Another connection's transaction holds the row; the wait is bounded by the lock wait.
TEST_P(DriverTest, AWriteGivesUpWhenAnotherConnectionHoldsTheLock) {
    InsertRaised(*m_connection);
    const auto driver = NewDriver(GetParam());
    driver->SetLockWait(1);
    const auto waiting = driver->Open(m_file.Path(), false);
    m_connection->BeginTransaction();
    m_connection->Execute("UPDATE Article SET Rang = 1 WHERE Code = 'A1'");
    const CDaoException e =
        Raised([&] { waiting->Execute("UPDATE Article SET Rang = 2 WHERE Code = 'A1'"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kLocked);
    EXPECT_EQ(
        e.m_strDescription,
        Fr("La base de données ") + Name() +
            ByEngine(GetParam(), " est verrouillée par un autre utilisateur (database is locked).",
                     " est verrouillée par un autre utilisateur (canceling statement due "
                     "to lock timeout)."));
    m_connection->RollbackTransaction();
    waiting->Execute("UPDATE Article SET Rang = 2 WHERE Code = 'A1'");
    EXPECT_EQ(waiting->Changes(), 1);
}

TEST_P(DriverTest, OpeningsOfOneDatabaseShareOneConnectionWhileItLives) {
    CDaoDatabase first, second, reader;
    dbtest::ScopedDriver scoped(m_driver);
    first.Open(m_file.Path());
    second.Open(m_file.Path());
    reader.Open(m_file.Path(), false, true);
    EXPECT_EQ(&first.Connection(), &second.Connection());
    EXPECT_NE(&first.Connection(), &reader.Connection());
    const auto driver = NewDriver(GetParam());
    const std::weak_ptr<db::Connection> gone = driver->Open(m_file.Path(), false);
    EXPECT_TRUE(gone.expired());
}

TEST_P(DriverTest, StatementsSpeakTheJetDialectAndTextsAreStoredInUtf8) {
    const auto insert = m_connection->Prepare(
        "INSERT INTO Article ([Code], [DateTarif], [Lie], [Note]) VALUES (?, ?, TRUE, ?)");
    insert->Bind(1, Fr("é€"));
    insert->Bind(2, std::string("2013-04-15"));
    insert->Bind(3, db::Bytes{});
    EXPECT_FALSE(insert->Step());
    EXPECT_EQ(m_connection->LastInsertRowId(), 1);
    const auto select = m_connection->Prepare(
        "SELECT [Code], [Note] FROM Article WHERE [DateTarif] = #04/15/2013# AND [Lie] = TRUE");
    ASSERT_TRUE(select->Step());
    EXPECT_EQ(std::get<std::string>(select->Column(0)), Fr("é€"));
    EXPECT_EQ(std::get<db::Bytes>(select->Column(1)), db::Bytes{});
    const auto hex =
        m_connection->Prepare(ByEngine(GetParam(), "SELECT hex(Code) FROM Article",
                                       "SELECT upper(encode(Code::bytea, 'hex')) FROM Article"));
    ASSERT_TRUE(hex->Step());
    EXPECT_EQ(std::get<std::string>(hex->Column(0)), "C3A9E282AC");
    m_connection->Execute("CREATE TABLE Petite (Rang smallint, [Num Code] INTEGER)");
    const auto columns = m_connection->TableColumns("Petite");
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].declaredType, "SMALLINT");
    EXPECT_EQ(columns[1].declaredType, "INTEGER");
}

// Codes compare and sort byte by byte, case included, as the system expects of its keys.
TEST_P(DriverTest, CodesCompareWithTheirCaseAndSortByteByByte) {
    for (const std::string code : {"b", "B", "\xE9", "a", "A"}) {
        m_connection->Execute("INSERT INTO Article (Code) VALUES ('" + code + "')");
    }
    m_connection->Execute("UPDATE Article SET Rang = 9 WHERE Code = 'a'");
    EXPECT_EQ(m_connection->Changes(), 1);
    std::string order;
    const auto sorted = m_connection->Prepare("SELECT Code FROM Article ORDER BY Code");
    while (sorted->Step()) order += std::get<std::string>(sorted->Column(0));
    EXPECT_EQ(order, Fr("ABabé"));
}

TEST_P(DriverTest, TheCompanyDatabasesAreMadeAgainWithoutHarm) {
    for (const auto& schema : host::CompanyDatabases()) {
        m_connection->Execute(schema.statements);
        m_connection->Execute(schema.statements);
        for (const std::string& table : schema.tables) {
            EXPECT_FALSE(m_connection->TableColumns(table).empty()) << table;
        }
    }
    m_connection->Execute("INSERT INTO BXMX (Type, Code) VALUES (1, 'X')");
    EXPECT_EQ(Raised([&] {
                  m_connection->Execute("INSERT INTO BXMX (Type, Code) VALUES (1, 'X')");
              }).m_lErrorCode,
              dao::kDuplicateKey);
}

TEST_P(DriverTest, OtherEngineFailuresAreToldWithTheEnginesReason) {
    const CDaoException e = Raised([&] { m_connection->Execute("CREATE TABLE Article (x TEXT)"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kGeneralFailure);
    EXPECT_EQ(e.m_strDescription, Fr("Erreur de la base de données ") + Name() +
                                      ByEngine(GetParam(), " (table Article already exists).",
                                               " (relation \"article\" already exists)."));
    const CDaoException column =
        Raised([&] { m_connection->Execute("INSERT INTO Article (Absente) VALUES (1)"); });
    EXPECT_EQ(column.m_lErrorCode, dao::kUnknownName);
    EXPECT_EQ(column.m_strDescription,
              ByEngine(GetParam(),
                       "La base de données ne contient pas la colonne Absente (table Article has "
                       "no column named Absente).",
                       "La base de données ne contient pas la colonne absente (column \"absente\" "
                       "of relation \"article\" does not exist)."));
    EXPECT_EQ(Raised([&] { m_connection->TableColumns("Absente"); }).m_lErrorCode,
              dao::kUnknownName);
    EXPECT_EQ(Raised([&] { m_connection->Prepare(" "); }).m_lErrorCode, dao::kSyntaxError);
}

TEST(PostgresDriverTest, AMissingOrUnreachableDatabaseIsReportedAndNotCreated) {
    const std::string nowhere = SharedPostgresCluster().Uri("nowhere");
    const CDaoException missing = Raised([&] { PostgresDriver().Open(nowhere, false); });
    EXPECT_EQ(missing.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(missing.m_strDescription.rfind(Fr("La base de données nowhere est introuvable ("), 0),
              0u)
        << missing.m_strDescription;
    EXPECT_EQ(Raised([&] { PostgresDriver().Open(nowhere, false); }).m_lErrorCode,
              dao::kFileNotFound);
    const CDaoException unreachable =
        Raised([&] { PostgresDriver().Open("postgresql://prixel@/bib?host=/nonexistent", false); });
    EXPECT_EQ(unreachable.m_lErrorCode, dao::kConnectionFailed);
    EXPECT_EQ(unreachable.m_strDescription.rfind(
                  Fr("Impossible de se connecter au serveur de la base de données bib ("), 0),
              0u)
        << unreachable.m_strDescription;
}

// The server ends the connection in the middle of a transaction: what it wrote is gone, every
// statement is refused until the rollback, and the next one connects again, where the statements
// prepared before are prepared again.
TEST(PostgresDriverTest, ALostConnectionEndsTheTransactionAndIsMadeAgainAfterIt) {
    dbtest::ArticleDatabase file(Engine::kPostgresql);
    const auto connection = PostgresDriver::Shared()->Open(file.Path(), false);
    const auto killer = PostgresDriver().Open(file.Path(), false);
    const auto count = connection->Prepare("SELECT count(*) FROM Article");
    connection->BeginTransaction();
    connection->Execute("INSERT INTO Article (Code) VALUES ('lost')");
    killer->Execute(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE pid <> pg_backend_pid() "
        "AND datname = current_database()");
    const CDaoException gone =
        Raised([&] { connection->Execute("INSERT INTO Article (Code) VALUES ('after')"); });
    EXPECT_EQ(gone.m_lErrorCode, dao::kConnectionFailed);
    EXPECT_EQ(gone.m_strDescription.rfind(Fr("La connexion au serveur de la base de données ") +
                                              NameOf(Engine::kPostgresql, file.Path()) +
                                              Fr(" est perdue ("),
                                          0),
              0u)
        << gone.m_strDescription;
    EXPECT_TRUE(connection->IsTransactionLost());
    EXPECT_EQ(Raised([&] { connection->Execute("SELECT 1"); }).m_lErrorCode, dao::kTransactionLost);
    connection->RollbackTransaction();
    connection->Execute("INSERT INTO Article (Code) VALUES ('again')");
    ASSERT_TRUE(count->Step());
    EXPECT_EQ(std::get<std::int64_t>(count->Column(0)), 1);
}

TEST_F(SqliteDriverTest, AMissingFileIsReportedAndNotCreated) {
    const std::string path = m_file.Dir().File("Bib.mdb");
    CDaoDatabase db;
    const CDaoException e = Raised([&] { db.Open(path); });
    EXPECT_EQ(e.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(e.m_strDescription,
              Fr("Le fichier de base de données ") + path + " est introuvable.");
    EXPECT_FALSE(std::filesystem::exists(path));
    const std::string nowhere = m_file.Dir().File("absent/Bib.mdb");
    const CDaoException cannot = Raised([&] { SqliteDriver().Create(nowhere); });
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
            const CDaoException e =
                Raised([&] { connection->Execute("INSERT INTO Article (Code) VALUES ('A1')"); });
            _exit(connection->IsReadOnly() && e.m_lErrorCode == dao::kReadOnly ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(SqliteDriverTest, OneFileByAnotherPathIsOneConnectionInAWalJournal) {
    const auto other = SqliteDriver::Shared()->Open(m_file.Dir().Folder() + "./Article.db", false);
    EXPECT_EQ(other.get(), m_connection.get());
    const auto mode = m_connection->Prepare("PRAGMA journal_mode");
    ASSERT_TRUE(mode->Step());
    EXPECT_EQ(std::get<std::string>(mode->Column(0)), "wal");
}
