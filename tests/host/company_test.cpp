#include "host/company.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host/application.h"
#include "host/databases.h"
#include "host/paths.h"
#include "host/recordsets.h"
#include "host/rights.h"
#include "platform/db/dao.h"
#include "platform/db/dao_testing.h"
#include "platform/db/faulty_driver.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class HostCompanyTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Reopen(true), ""); }
    void TearDown() override { host::CloseCompany(); }

    // Closes the company and opens it again, made again first when asked; answers the error.
    std::string Reopen(bool make = false) {
        std::string error;
        host::CloseCompany();
        if (make && !host::CreateCompany(m_dir.Folder(), {}, error)) return error;
        host::OpenCompany(m_dir.Folder(), error);
        return error;
    }

    TempDir m_dir;
};

TEST_F(HostCompanyTest, AnotherFolderNamingTheLibraryWorksInItAndASecondInitKeepsItsRows) {
    const std::string library = m_dir.File("prixel/Bib.mdb");
    TempDir other;
    std::string error;
    ASSERT_TRUE(host::CreateCompany(other.Folder(), {"AUTRE", "", library}, error)) << error;
    EXPECT_FALSE(fs::exists(other.File("prixel/Bib.mdb")));
    EXPECT_EQ(host::DatabaseFileOf(other.Folder(), "Famille"), library);
    CDaoDatabase shared;
    shared.Open(library);
    shared.Execute("INSERT INTO Fabricant (Id) VALUES ('M1')");

    ASSERT_TRUE(host::CreateCompany(other.Folder(), {"AUTRE", "", ""}, error)) << error;
    ASSERT_TRUE(host::OpenCompany(other.Folder(), error)) << error;
    EXPECT_EQ(GetBibManager()->GetPrixelBib()->GetBase(), library);
    CDaoRecordset makers(&shared);
    makers.Open("SELECT count(*) AS n FROM Fabricant");
    EXPECT_EQ(CCrack::intVARIANT(makers.GetFieldValue("n")), 1);
}

// Made again, the company keeps its data and host.ini; opened, it reads the rights, the price
// entries, the version and the switch of host.ini, and skips the broken ones. Closed, it is
// forgotten.
TEST_F(HostCompanyTest, MadeAgainItKeepsItsDataReadsTheSettingsOfHostIniAndIsForgottenClosed) {
    EXPECT_EQ(GetBibManager()->GetPrixelBib()->GetBase(), m_dir.File("prixel/Bib.mdb"));
    EXPECT_DOUBLE_EQ(GetHostApp()->FindPriceEntry(10001)->dSaleCoefficient, 1.5);
    EXPECT_NE(CMdaInterface::HasAcces(350, "PARAM", nullptr, 0), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(351, "MODIF", nullptr, 1), 0);
    GetDBManager()->GetMDBDao(mdContacts)->Execute("INSERT INTO Contacts (Nom) VALUES ('Martin')");
    const char* const settings[][3] = {{"Host", "Rights", " 350:MODIF , 12:X"},
                                       {"Prices", "Types", "501, 10001,24001"},
                                       {"Prices", "501", "1,1;1,3"},
                                       {"Prices", "24001", "2"},
                                       {"Host", "Version", "9.0.0.2"},
                                       {"Host", "PrixelDisabled", "1"},
                                       {"Host", "LockWait", "4321"}};
    for (const auto& [section, key, value] : settings)
        ASSERT_TRUE(profile::WriteString(m_dir.File("host.ini"), section, key, value));
    const auto driver = std::make_shared<dbtest::FaultyDriver>();
    const dbtest::ScopedDriver scoped(driver);
    EXPECT_EQ(Reopen(true), "");
    EXPECT_EQ(driver->LockWait(), 4321);
    // The switch of host.ini counts only when the company has no row of its own.
    GetDBManager()->GetMDBDao(mdDossier)->Execute("DELETE FROM RensGeneraux");
    EXPECT_EQ(Reopen(), "");

    EXPECT_NE(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
    EXPECT_NE(CMdaInterface::HasAcces(12, "X", nullptr, 1), 0);
    EXPECT_EQ(CMdaInterface::HasAcces(350, "PARAM", nullptr, 0), 0);
    const std::vector<CPriceEntry>& entries = GetHostApp()->m_PriceEntries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].nType, 501);
    EXPECT_DOUBLE_EQ(entries[0].dSaleCoefficient, 1.3);
    EXPECT_EQ(entries[1].nType, 10001);
    EXPECT_EQ(sys::GetHostVersion(), (sys::Version{9, 0, 0, 2}));
    EXPECT_NE(GetHostApp()->m_bPrixelDisabled, 0);
    CDaoRecordset contacts(GetDBManager()->GetMDBDao(mdContacts));
    contacts.Open("SELECT Nom FROM Contacts");
    EXPECT_EQ(std::get<std::string>(contacts.GetFieldValue("Nom")), "Martin");

    host::CloseCompany();
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
    EXPECT_EQ(CMdaInterface::HasAcces(350, "MODIF", nullptr, 1), 0);
}

// What cannot be opened or made is told; the company's windows stay closed and nothing is written.
TEST(HostCompanyFolderTest, WhatCannotBeOpenedOrMadeIsTold) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(host::CreateCompany(dir.File("sans-compta"), {}, error)) << error;
    fs::remove(dir.File("sans-compta/Compta.mdb"));
    std::ofstream(dir.File("fichier")) << "x";
    fs::create_directories(dir.File("a/Prixel.ini"));
    // The profile writer goes through a temporary file beside the target; a folder in its place
    // makes the write fail.
    fs::create_directories(dir.File("b/host.ini.tmp" + std::to_string(::getpid())));
    const auto open = [&](const std::string& folder) {
        return [&, folder] { return host::OpenCompany(dir.File(folder), error); };
    };
    const auto make = [&](const std::string& folder, host::CompanyOptions options) {
        return
            [&, folder, options] { return host::CreateCompany(dir.File(folder), options, error); };
    };
    const std::string password =
        "L'adresse de la bibliothèque contient un mot de passe, qui ne doit pas être écrit dans "
        "host.ini : mettez-le dans le fichier de mots de passe de PostgreSQL (PGPASSFILE) ou dans "
        "un fichier de service.";
    const std::pair<std::function<bool()>, std::string> failures[] = {
        {open("absent"), "Le dossier " + dir.File("absent") + " n'existe pas."},
        {open(""), "Le dossier " + dir.Folder() +
                       " n'est pas celui d'une société : le fichier host.ini est introuvable."},
        {open("sans-compta"), "Impossible d'ouvrir les bases de la société :\n"},
        {make("fichier/societe", {}),
         "Impossible de créer le dossier " + dir.File("fichier/societe/") + "."},
        {make("a", {"DEMO", "prixel.example.test", ""}),
         "Impossible d'écrire le fichier " + dir.File("a/Prixel.ini") + "."},
        {make("b", {}), "Impossible d'écrire le fichier " + dir.File("b/host.ini") + "."},
        {make("d", {"DEMO", "", "postgresql://prixel:secret@db/bib"}), password},
        {make("d", {"DEMO", "", "postgres://db/bib?password=x"}), password},
        {make("d", {"DEMO", "", "host=db password=secret dbname=bib"}), password},
        // A library named elsewhere is not made; the driver tells why.
        {make("e", {"DEMO", "", dir.File("absent.mdb")}),
         "Impossible de créer la base " + dir.File("absent.mdb") +
             " :\nLe fichier de base de données " + dir.File("absent.mdb") + " est introuvable."},
    };
    for (const auto& [attempt, told] : failures) {
        EXPECT_FALSE(attempt()) << told;
        EXPECT_EQ(text::ToUtf8(error).substr(0, told.size()), told);
    }
    EXPECT_EQ(GetHostApp(), nullptr);
    EXPECT_EQ(GetDBManager()->GetMDBDao(mdContacts), nullptr);
    CDaoDatabase notOpened;
    CEtudeXmxSet study(&notOpened);
    EXPECT_EQ(
        dbtest::Raised([&] { study.Open("SELECT * FROM EXMX"); }).m_strDescription,
        text::FromUtf8("Aucune société n'est ouverte : la base de la table EXMX est introuvable."));
    EXPECT_FALSE(fs::exists(dir.File("d")));
    EXPECT_FALSE(fs::exists(dir.File("e/host.ini")));
}

}  // namespace
