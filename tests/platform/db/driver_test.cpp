#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "dao_testing.h"
#include "faulty_driver.h"
#include "platform/text.h"

using adapters::PostgresDriver;
using adapters::SqliteDriver;
using dbtest::Engine;
using dbtest::Raised;

namespace {

std::shared_ptr<db::Driver> NewDriver(Engine engine) {
    if (engine == Engine::kSqlite) return std::make_shared<SqliteDriver>();
    return std::make_shared<PostgresDriver>();
}

// The connection-level behaviour that both drivers share through the port.
class DriverTest : public ::testing::TestWithParam<Engine> {
  protected:
    dbtest::ArticleDatabase m_file{GetParam()};
    std::shared_ptr<db::Driver> m_driver = dbtest::DriverOf(GetParam());
    std::shared_ptr<db::Connection> m_connection = m_driver->Open(m_file.Path(), false);
};

INSTANTIATE_TEST_SUITE_P(Engines, DriverTest, dbtest::kEngines, dbtest::EngineName);

}  // namespace

// A case runs on the engines it has a description for.
TEST_P(DriverTest, FailuresAreToldWithTheirCodeAndTheEnginesReason) {
    const bool sqlite = GetParam() == Engine::kSqlite;
    const std::string insert = "INSERT INTO Article (Code) VALUES ('A1')";
    const std::string update = "UPDATE Article SET Rang = 2 WHERE Code = 'A1'";
    m_connection->Execute(insert);
    const auto reader = m_driver->Open(m_file.Path(), true);
    const auto other = NewDriver(GetParam());
    other->SetLockWait(1);
    const auto waiting = other->Open(m_file.Path(), false);
    // PostgreSQL's server may end a connection in the middle of a transaction.
    const auto lost = sqlite ? nullptr : PostgresDriver().Open(m_file.Path(), false);
    const auto count = sqlite ? nullptr : lost->Prepare("SELECT count(*) FROM Article");
    const std::string missing = m_file.Dir().File("Absente.db");
    const std::string garbage = m_file.Dir().File("Abime.db");
    std::ofstream(garbage) << std::string(4096, 'Z');
    const struct {
        std::function<void()> action;
        long code;
        // What is told, <db> for the database's name, <dir> for its folder; one that ends with
        // "(" is the start of it, before the engine's own words.
        const char* sqlite;
        const char* postgresql;
    } cases[] = {
        {[&] { NewDriver(GetParam())->Create(m_file.Path()); }, dao::kDatabaseExists,
         "Le fichier de base de données <db> existe déjà.", "La base de données <db> existe déjà."},
        {[&] { reader->Execute(insert); }, dao::kReadOnly,
         "Impossible de mettre à jour la base de données <db> : elle est en lecture seule (",
         "Impossible de mettre à jour la base de données <db> : elle est en lecture seule ("},
        {[&] { m_connection->Execute(insert); }, dao::kDuplicateKey,
         "Doublon dans un index unique de la table Article (UNIQUE constraint failed: "
         "Article.Code).",
         "Doublon dans un index unique de la table article ("},
        {[&] { m_connection->Execute("CREATE TABLE Article (x TEXT)"); }, dao::kGeneralFailure,
         "Erreur de la base de données <db> (", "Erreur de la base de données <db> ("},
        {[&] { m_connection->Execute("INSERT INTO Article (Absente) VALUES (1)"); },
         dao::kUnknownName, "La base de données ne contient pas la colonne Absente (",
         "La base de données ne contient pas la colonne absente ("},
        {[&] { m_connection->Prepare("SELEC 1"); }, dao::kSyntaxError,
         "Erreur de syntaxe dans la requête (", "Erreur de syntaxe dans la requête ("},
        {[&] { SqliteDriver().Open(missing, false); }, dao::kFileNotFound,
         "Le fichier de base de données <dir>/Absente.db est introuvable.", nullptr},
        {[&] { SqliteDriver().Create(m_file.Dir().File("absent/Bib.mdb")); }, dao::kFileNotFound,
         "Impossible d'ouvrir le fichier de base de données <dir>/absent/Bib.mdb (", nullptr},
        {[&] { SqliteDriver().Open(garbage, false); }, dao::kNotADatabase,
         "Le fichier <dir>/Abime.db n'est pas une base de données reconnue ou il est endommagé (",
         nullptr},
        {[&] { PostgresDriver().Open(SharedPostgresCluster().Uri("absente"), false); },
         dao::kFileNotFound, nullptr, "La base de données absente est introuvable ("},
        {[&] { PostgresDriver().Open("postgresql://prixel@/bib?host=/nonexistent", false); },
         dao::kConnectionFailed, nullptr,
         "Impossible de se connecter au serveur de la base de données bib ("},
        {[&] {
             lost->BeginTransaction();
             lost->Execute("INSERT INTO Article (Code) VALUES ('lost')");
             const auto pid = lost->Prepare("SELECT pg_backend_pid()");
             pid->Step();
             m_connection->Execute("SELECT pg_terminate_backend(" +
                                   std::to_string(std::get<std::int64_t>(pid->Column(0))) +
                                   ", 60000)");
             lost->Execute(insert);
         },
         dao::kConnectionFailed, nullptr,
         "La connexion au serveur de la base de données <db> est perdue ("},
        {[&] { lost->Execute("SELECT 1"); }, dao::kTransactionLost, nullptr,
         "Une erreur a annulé la transaction en cours."},
        // Last: another connection's transaction holds the row, and the wait is bounded.
        {[&] {
             m_connection->BeginTransaction();
             m_connection->Execute("UPDATE Article SET Rang = 1 WHERE Code = 'A1'");
             waiting->Execute(update);
         },
         dao::kLocked, "La base de données <db> est verrouillée par un autre utilisateur (",
         "La base de données <db> est verrouillée par un autre utilisateur (canceling statement "
         "due to lock timeout)."},
    };
    for (const auto& c : cases) {
        const char* told = sqlite ? c.sqlite : c.postgresql;
        if (told == nullptr) continue;
        const std::string expected =
            text::Replace(text::Replace(text::FromUtf8(told), "<db>", m_file.Name()), "<dir>",
                          m_file.Dir().Path().string());
        SCOPED_TRACE(expected);
        const CDaoException e = Raised(c.action);
        EXPECT_EQ(e.m_lErrorCode, c.code);
        if (expected.ends_with("("))
            EXPECT_TRUE(e.m_strDescription.starts_with(expected)) << e.m_strDescription;
        else
            EXPECT_EQ(e.m_strDescription, expected);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    m_connection->RollbackTransaction();
    waiting->Execute(update);
    EXPECT_EQ(waiting->Changes(), 1);
    if (sqlite) return;
    // The lost connection's writes are gone; after the rollback it connects again, where the
    // statements prepared before are prepared again.
    lost->RollbackTransaction();
    ASSERT_TRUE(count->Step());
    EXPECT_EQ(std::get<std::int64_t>(count->Column(0)), 1);
}

TEST_P(DriverTest, OpeningsOfOneDatabaseShareOneConnectionWhileItLives) {
    CDaoDatabase first, second, reader;
    dbtest::ScopedDriver scoped(m_driver);
    first.Open(m_file.Path());
    second.Open(m_file.Path());
    reader.Open(m_file.Path(), false, true);
    EXPECT_EQ(&first.Connection(), &second.Connection());
    EXPECT_NE(&first.Connection(), &reader.Connection());
    const std::weak_ptr<db::Connection> gone = NewDriver(GetParam())->Open(m_file.Path(), false);
    EXPECT_TRUE(gone.expired());
    if (GetParam() != Engine::kSqlite) return;
    // One file by another path is the same connection.
    EXPECT_EQ(m_driver->Open(m_file.Dir().Folder() + "./Article.db", false), m_connection);
}

// Texts are stored in UTF-8; codes compare with their case and sort byte by byte, as the system
// expects of its keys.
TEST_P(DriverTest, StatementsSpeakTheJetDialectAndCodesSortByteByByte) {
    const auto insert = m_connection->Prepare(
        "INSERT INTO Article ([Code], [DateTarif], [Lie], [Note]) VALUES (?, ?, TRUE, ?)");
    insert->Bind(1, text::FromUtf8("é€"));
    insert->Bind(2, std::string("2013-04-15"));
    insert->Bind(3, db::Bytes{});
    EXPECT_FALSE(insert->Step());
    EXPECT_EQ(m_connection->LastInsertRowId(), 1);
    for (const std::string code : {"b", "B", "\xE9", "a", "A"})
        m_connection->Execute("INSERT INTO Article (Code) VALUES ('" + code + "')");
    m_connection->Execute("UPDATE Article SET Rang = 9 WHERE Code = 'a'");
    EXPECT_EQ(m_connection->Changes(), 1);
    const auto select = m_connection->Prepare(
        std::string(GetParam() == Engine::kSqlite ? "SELECT hex(Code)"
                                                  : "SELECT upper(encode(Code::bytea, 'hex'))") +
        ", [Note] FROM Article WHERE [DateTarif] = #04/15/2013# AND [Lie] = TRUE");
    ASSERT_TRUE(select->Step());
    EXPECT_EQ(std::get<std::string>(select->Column(0)), "C3A9E282AC");
    EXPECT_EQ(std::get<db::Bytes>(select->Column(1)), db::Bytes{});
    std::string order;
    const auto sorted = m_connection->Prepare("SELECT Code FROM Article ORDER BY Code");
    while (sorted->Step()) order += std::get<std::string>(sorted->Column(0));
    EXPECT_EQ(order, text::FromUtf8("ABabéé€"));
    // Jet's types that PostgreSQL lacks: a text with its length, a counter.
    m_connection->Execute(
        "CREATE TABLE Petite (Rang smallint, [Num Code] INTEGER, Nom TEXT(2), Id COUNTER)");
    m_connection->Execute("INSERT INTO Petite (Rang, Nom) VALUES (1, 'ab')");
    EXPECT_EQ(m_connection->LastInsertRowId(), 1);
}
