#include "host/company.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/application.h"
#include "host/company_fixture.h"
#include "host/databases.h"
#include "host/paths.h"
#include "host/rights.h"
#include "platform/db/dao.h"
#include "platform/db/driver.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Answers of one query on a database file, read with SQLite itself.
std::vector<std::string> Column(const std::string& path, const std::string& sql) {
    sqlite3* raw = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> database(raw, sqlite3_close);
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(raw, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    std::vector<std::string> values;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* value = sqlite3_column_text(statement, 0);
        values.emplace_back(value ? reinterpret_cast<const char*>(value) : "");
    }
    sqlite3_finalize(statement);
    return values;
}

// The columns of each index of table, "First,Second", the unique ones only when asked.
std::vector<std::string> IndexColumns(const std::string& path, const std::string& table,
                                      bool unique) {
    return Column(path, "SELECT group_concat(i.name, ',') FROM pragma_index_list('" + table +
                            "') l, pragma_index_info(l.name) i WHERE l.\"unique\" >= " +
                            (unique ? "1" : "0") + " GROUP BY l.name");
}

std::string Utf8Message(const char* utf8) {
    return text::FromUtf8(utf8);
}

using HostCompanyTest = HostCompanyFixture;

TEST_F(HostCompanyTest, CreatesEveryTableInItsDatabase) {
    const std::string folder = m_dir.Folder();
    const std::vector<std::pair<std::string, std::set<std::string>>> expected = {
        {"prixel/Bib.mdb", {"BXMX", "BOUV", "BLOUV", "Famille", "Fabricant", "Catalogue"}},
        {"Contacts.mdb", {"Contacts"}},
        {"Compta.mdb", {"ParamCompta"}},
        {"Etude.mdb", {"EXMX", "EXmxPrixel"}},
        {"Dossier.mdb", {"RensGeneraux"}},
    };
    for (const auto& [file, tables] : expected) {
        const std::vector<std::string> found =
            Column(folder + file, "SELECT name FROM sqlite_master WHERE type = 'table'");
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), tables) << file;
        for (const std::string& table : tables) {
            EXPECT_EQ(host::DatabaseFileOf(folder, table), folder + file);
        }
    }
    EXPECT_EQ(host::DatabaseFileOf(m_dir.Path().string(), "bxmx"), folder + "prixel/Bib.mdb");
    EXPECT_EQ(host::DatabaseFileOf(folder, "Inconnue"), "");
}

TEST_F(HostCompanyTest, GivesEveryLookupAnIndex) {
    const struct {
        const char* file;
        const char* table;
        std::string columns;  // the index's leading columns
        bool unique;
    } expected[] = {
        {"prixel/Bib.mdb", "BXMX", "Type,Code", true},
        {"prixel/Bib.mdb", "BXMX", "PrixelFabricantID", false},
        {"prixel/Bib.mdb", "BOUV", "Type,Code", true},
        {"prixel/Bib.mdb", "BLOUV", "Type tache,Code tache", false},
        {"prixel/Bib.mdb", "Famille", "Code", true},
        {"prixel/Bib.mdb", "Famille", "Type,CodePrixel", false},
        {"prixel/Bib.mdb", "Famille", "Type,Parent", false},
        {"prixel/Bib.mdb", "Fabricant", "Id", true},
        {"prixel/Bib.mdb", "Catalogue", "Type,Code,Fournisseur", true},
        {"Etude.mdb", "EXMX", "Type,Code", false},
        {"Contacts.mdb", "Contacts", "CFamille", false},
        {"Compta.mdb", "ParamCompta", "CodeSociete", true},
        {"Dossier.mdb", "RensGeneraux", "CodeSociete", true},
    };
    for (const auto& index : expected) {
        const auto found = IndexColumns(m_dir.File(index.file), index.table, index.unique);
        const auto leads = [&](const std::string& columns) {
            return columns == index.columns || columns.starts_with(index.columns + ",");
        };
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), leads)) << index.columns;
    }
}

TEST_F(HostCompanyTest, OpensWithTheDefaultConfigurationAndForgetsItOnClosing) {
    const std::string folder = m_dir.Folder();
    EXPECT_EQ(CParPath::sFirmDefaut, "DEMO");
    EXPECT_EQ(CParPath::sCurrentPath, folder);
    EXPECT_EQ(CParPath::sServeurDataPath, folder + "server/");
    EXPECT_EQ(GetBibManager()->GetPrixelBib()->GetChemin(), folder + "prixel/");
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdCompta)->GetName(), folder + "Compta.mdb");
    EXPECT_EQ(GetDBManager()->GetMDBDao(2), nullptr);
    EXPECT_EQ(sys::GetHostVersion(), (sys::Version{8, 0, 0, 1}));
    const CHostApp* app = GetHostApp();
    ASSERT_NE(app, nullptr);
    const CPriceEntry* materials = app->FindPriceEntry(10001);
    ASSERT_NE(materials, nullptr);
    EXPECT_DOUBLE_EQ(materials->dOverheadCoefficient, 1.2);
    EXPECT_DOUBLE_EQ(materials->dSaleCoefficient, 1.5);
    EXPECT_TRUE(app->m_bSupplierDiscount);
    EXPECT_EQ(app->m_bPrixelDisabled, 0);
    EXPECT_EQ(app->m_Protection.GetCompanyName(), Utf8Message("Bâtiments Durand et Fils"));

    CDaoRecordset accounting(GetDBManager()->GetMDBDao(mdCompta));
    accounting.m_strFilter = "CodeSociete = 'DEMO'";
    accounting.Open("SELECT * FROM ParamCompta");
    ASSERT_FALSE(accounting.IsEOF());
    EXPECT_EQ(CCrack::intVARIANT(accounting.GetFieldValue("ProfilOuvrages")), 1);
    EXPECT_EQ(CCrack::intVARIANT(accounting.GetFieldValue("ProfilMateriaux")), 2);
    accounting.Close();

    host::CloseCompany();
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
    EXPECT_EQ(GetBibManager()->GetPrixelBib()->GetChemin(), "");
    EXPECT_EQ(CParPath::sFirmDefaut, "");
    EXPECT_EQ(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
}

TEST_F(HostCompanyTest, GrantsTheRightsOfHostIni) {
    EXPECT_NE(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
    EXPECT_NE(CMdaInterface::HasAcces(350, "PARAM", nullptr, 0), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(351, "MODIF", nullptr, 1), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(350, "SUPPR", nullptr, 1), 0);

    ASSERT_TRUE(
        profile::WriteString(m_dir.File("host.ini"), "Host", "Rights", " 350:MODIF , 12:X"));
    EXPECT_EQ(Reopen(), "");
    EXPECT_NE(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
    EXPECT_NE(CMdaInterface::HasAcces(12, "X", nullptr, 1), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(350, "PARAM", nullptr, 0), 0);
}

TEST_F(HostCompanyTest, ReadsPriceEntriesInTheirOrderAndSkipsBrokenOnes) {
    const std::string ini = m_dir.File("host.ini");
    ASSERT_TRUE(profile::WriteString(ini, "Prices", "Types", "501, 10001,24001"));
    ASSERT_TRUE(profile::WriteString(ini, "Prices", "501", "1,1;1,3"));
    ASSERT_TRUE(profile::WriteString(ini, "Prices", "24001", "2"));
    ASSERT_TRUE(profile::WriteString(ini, "Host", "Version", "9.1"));
    EXPECT_EQ(Reopen(), "");
    const std::vector<CPriceEntry>& entries = GetHostApp()->m_PriceEntries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].nType, 501);
    EXPECT_DOUBLE_EQ(entries[0].dSaleCoefficient, 1.3);
    EXPECT_EQ(entries[1].nType, 10001);
    EXPECT_EQ(sys::GetHostVersion(), (sys::Version{0, 0, 0, 0}));
}

TEST_F(HostCompanyTest, TakesTheServiceSwitchFromHostIniWhenTheCompanyHasNoRow) {
    GetDBManager()->GetMDBDao(mdDossier)->Execute("DELETE FROM RensGeneraux");
    ASSERT_TRUE(profile::WriteString(m_dir.File("host.ini"), "Host", "PrixelDisabled", "1"));
    EXPECT_EQ(Reopen(), "");
    EXPECT_NE(GetHostApp()->m_bPrixelDisabled, 0);
}

TEST_F(HostCompanyTest, MakingTheCompanyAgainKeepsItsData) {
    GetDBManager()->GetMDBDao(mdContacts)->Execute("INSERT INTO Contacts (Nom) VALUES ('Martin')");
    ASSERT_TRUE(profile::WriteString(m_dir.File("host.ini"), "Host", "Version", "9.0.0.2"));
    host::CloseCompany();
    std::string error;
    ASSERT_TRUE(host::CreateCompany(m_dir.Folder(), {}, error)) << error;
    EXPECT_EQ(Reopen(), "");
    EXPECT_EQ(sys::GetHostVersion(), (sys::Version{9, 0, 0, 2}));
    EXPECT_EQ(Column(m_dir.File("Contacts.mdb"), "SELECT Nom FROM Contacts"),
              std::vector<std::string>{"Martin"});
    EXPECT_EQ(Column(m_dir.File("Compta.mdb"), "SELECT CodeSociete FROM ParamCompta"),
              std::vector<std::string>{"DEMO"});
}

TEST(HostCompanyFolderTest, WritesTheServerAddressIntoPrixelIni) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(host::CreateCompany(dir.Folder(), {"SOC1", "prixel.example.test"}, error)) << error;
    EXPECT_EQ(profile::GetString(dir.File("Prixel.ini"), "PrixelCustomerKey", "ServerAddr", ""),
              "prixel.example.test");
    EXPECT_EQ(profile::GetString(dir.File("host.ini"), "Host", "CompanyCode", ""), "SOC1");
}

TEST(HostCompanyFolderTest, AMissingFolderOrHostIniIsNotACompany) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(host::OpenCompany(dir.File("absent"), error));
    EXPECT_EQ(error, Utf8Message("Le dossier ") + dir.File("absent") + " n'existe pas.");
    EXPECT_FALSE(host::OpenCompany(dir.Folder(), error));
    EXPECT_EQ(error, Utf8Message("Le dossier ") + dir.Folder() +
                         Utf8Message(" n'est pas celui d'une société : le fichier host.ini est "
                                     "introuvable."));
    EXPECT_EQ(GetHostApp(), nullptr);
}

TEST(HostCompanyFolderTest, AMissingDatabaseStopsTheOpening) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(host::CreateCompany(dir.Folder(), {}, error)) << error;
    fs::remove(dir.File("Compta.mdb"));
    EXPECT_FALSE(host::OpenCompany(dir.Folder(), error));
    EXPECT_EQ(error.rfind(Utf8Message("Impossible d'ouvrir les bases de la société :\n"), 0), 0u)
        << error;
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
}

TEST(HostCompanyFolderTest, AFolderThatCannotBeMadeIsTold) {
    TempDir dir;
    std::ofstream(dir.File("fichier")) << "x";
    std::string error;
    EXPECT_FALSE(host::CreateCompany(dir.File("fichier/societe"), {}, error));
    EXPECT_EQ(error,
              Utf8Message("Impossible de créer le dossier ") + dir.File("fichier/societe/") + ".");
}

// A driver that can make no database.
class FullDiskDriver : public db::Driver {
  public:
    std::shared_ptr<db::Connection> Open(const std::string&, bool) override { return Fail(); }
    std::shared_ptr<db::Connection> Create(const std::string&) override { return Fail(); }

  private:
    static std::shared_ptr<db::Connection> Fail() {
        throw CDaoException(dao::kGeneralFailure, "Disque plein.");
    }
};

TEST(HostCompanyFolderTest, ADatabaseThatCannotBeMadeIsTold) {
    TempDir dir;
    const auto previous = db::ReplaceDriver(std::make_shared<FullDiskDriver>());
    std::string error;
    const bool made = host::CreateCompany(dir.Folder(), {}, error);
    db::ReplaceDriver(previous);
    EXPECT_FALSE(made);
    EXPECT_EQ(error, Utf8Message("Impossible de créer la base ") + dir.File("prixel/Bib.mdb") +
                         " :\nDisque plein.");
}

TEST(HostCompanyFolderTest, AnIniFileThatCannotBeWrittenIsTold) {
    TempDir dir;
    fs::create_directories(dir.File("Prixel.ini"));
    std::string error;
    EXPECT_FALSE(host::CreateCompany(dir.Folder(), {"DEMO", "prixel.example.test"}, error));
    EXPECT_EQ(error, Utf8Message("Impossible d'écrire le fichier ") + dir.File("Prixel.ini") + ".");

    // The profile writer goes through a temporary file beside the target; a folder in its place
    // makes the write fail.
    TempDir other;
    fs::create_directories(other.File("host.ini.tmp" + std::to_string(::getpid())));
    EXPECT_FALSE(host::CreateCompany(other.Folder(), {}, error));
    EXPECT_EQ(error, Utf8Message("Impossible d'écrire le fichier ") + other.File("host.ini") + ".");
}

}  // namespace
