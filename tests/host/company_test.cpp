#include "host/company.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "adapters/sqlite/sqlite_driver.h"
#include "host/application.h"
#include "host/company_fixture.h"
#include "host/databases.h"
#include "host/paths.h"
#include "host/rights.h"
#include "platform/db/dao.h"
#include "platform/db/faulty_driver.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The first column of every row of one query on a database file.
std::vector<std::string> Column(const std::string& path, const std::string& sql) {
    const auto statement = adapters::SqliteDriver().Open(path, true)->Prepare(sql);
    std::vector<std::string> values;
    while (statement->Step()) values.push_back(std::get<std::string>(statement->Column(0)));
    return values;
}

std::string Fr(const char* utf8) {
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
        const auto found =
            Column(folder + file, "SELECT name FROM sqlite_master WHERE type='table'");
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), tables) << file;
        for (const std::string& table : tables) {
            EXPECT_EQ(host::DatabaseFileOf(folder, table), folder + file);
        }
    }
    EXPECT_EQ(host::DatabaseFileOf(m_dir.Path().string(), "bxmx"), folder + "prixel/Bib.mdb");
    EXPECT_EQ(host::DatabaseFileOf(folder, "Inconnue"), "");
}

TEST_F(HostCompanyTest, GivesTheLookupsAndUniqueKeysAnIndex) {
    const struct {
        const char* file;
        const char* table;
        std::string columns;  // the index's leading columns
        bool unique;
    } expected[] = {
        {"prixel/Bib.mdb", "BXMX", "Type,Code", true},
        {"prixel/Bib.mdb", "BXMX", "PrixelFabricantID", false},
        {"prixel/Bib.mdb", "BLOUV", "Type tache,Code tache", false},
        {"prixel/Bib.mdb", "Famille", "Code", true},
        {"prixel/Bib.mdb", "Famille", "Type,CodePrixel", false},
        {"prixel/Bib.mdb", "Catalogue", "Type,Code,Fournisseur", true},
        {"Etude.mdb", "EXMX", "Type,Code", false},
    };
    for (const auto& index : expected) {
        const auto found =
            Column(m_dir.File(index.file),
                   std::string("SELECT group_concat(i.name, ',') FROM "
                               "pragma_index_list('") +
                       index.table + "') l, pragma_index_info(l.name) i WHERE l.\"unique\" >= " +
                       (index.unique ? "1" : "0") + " GROUP BY l.name");
        EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const std::string& columns) {
            return columns == index.columns || columns.starts_with(index.columns + ",");
        })) << index.columns;
    }
}

TEST_F(HostCompanyTest, OpensWithTheDefaultConfigurationAndForgetsItOnClosing) {
    EXPECT_EQ(CParPath::sCurrentPath, m_dir.Folder());
    EXPECT_EQ(GetBibManager()->GetPrixelBib()->GetChemin(), m_dir.File("prixel/"));
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdCompta)->GetName(), m_dir.File("Compta.mdb"));
    const CPriceEntry* materials = GetHostApp()->FindPriceEntry(10001);
    ASSERT_NE(materials, nullptr);
    EXPECT_DOUBLE_EQ(materials->dSaleCoefficient, 1.5);
    EXPECT_EQ(GetHostApp()->m_Protection.GetCompanyName(), Fr("Bâtiments Durand et Fils"));

    CDaoRecordset accounting(GetDBManager()->GetMDBDao(mdCompta));
    accounting.Open("SELECT * FROM ParamCompta WHERE CodeSociete = 'DEMO'");
    ASSERT_FALSE(accounting.IsEOF());
    EXPECT_EQ(CCrack::intVARIANT(accounting.GetFieldValue("ProfilMateriaux")), 2);
    accounting.Close();

    host::CloseCompany();
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
    EXPECT_EQ(CParPath::sFirmDefaut, "");
    EXPECT_EQ(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
}

TEST_F(HostCompanyTest, GrantsTheRightsOfHostIni) {
    EXPECT_NE(CMdaInterface::HasAcces(350, "PARAM", nullptr, 0), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(351, "MODIF", nullptr, 1), 0);
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
    EXPECT_EQ(error, Fr("Le dossier ") + dir.File("absent") + " n'existe pas.");
    EXPECT_FALSE(host::OpenCompany(dir.Folder(), error));
    EXPECT_EQ(error,
              Fr("Le dossier ") + dir.Folder() +
                  Fr(" n'est pas celui d'une société : le fichier host.ini est introuvable."));
    EXPECT_EQ(GetHostApp(), nullptr);
}

TEST(HostCompanyFolderTest, AMissingDatabaseStopsTheOpening) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(host::CreateCompany(dir.Folder(), {}, error)) << error;
    fs::remove(dir.File("Compta.mdb"));
    EXPECT_FALSE(host::OpenCompany(dir.Folder(), error));
    EXPECT_EQ(error.rfind(Fr("Impossible d'ouvrir les bases de la société :\n"), 0), 0u) << error;
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
}

TEST(HostCompanyFolderTest, AFolderThatCannotBeMadeIsTold) {
    TempDir dir;
    std::ofstream(dir.File("fichier")) << "x";
    std::string error;
    EXPECT_FALSE(host::CreateCompany(dir.File("fichier/societe"), {}, error));
    EXPECT_EQ(error, Fr("Impossible de créer le dossier ") + dir.File("fichier/societe/") + ".");
}

TEST(HostCompanyFolderTest, ADatabaseThatCannotBeMadeIsTold) {
    TempDir dir;
    auto faulty = std::make_shared<dbtest::FaultyDriver>();
    dbtest::ScopedDriver scoped(faulty);
    faulty->FailOpen(dao::kGeneralFailure, "Disque plein.");
    std::string error;
    EXPECT_FALSE(host::CreateCompany(dir.Folder(), {}, error));
    EXPECT_EQ(error, Fr("Impossible de créer la base ") + dir.File("prixel/Bib.mdb") +
                         " :\nDisque plein.");
}

TEST(HostCompanyFolderTest, AnIniFileThatCannotBeWrittenIsTold) {
    TempDir dir;
    fs::create_directories(dir.File("Prixel.ini"));
    std::string error;
    EXPECT_FALSE(host::CreateCompany(dir.Folder(), {"DEMO", "prixel.example.test"}, error));
    EXPECT_EQ(error, Fr("Impossible d'écrire le fichier ") + dir.File("Prixel.ini") + ".");

    // The profile writer goes through a temporary file beside the target; a folder in its place
    // makes the write fail.
    TempDir other;
    fs::create_directories(other.File("host.ini.tmp" + std::to_string(::getpid())));
    EXPECT_FALSE(host::CreateCompany(other.Folder(), {}, error));
    EXPECT_EQ(error, Fr("Impossible d'écrire le fichier ") + other.File("host.ini") + ".");
}

}  // namespace
