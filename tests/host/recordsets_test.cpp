#include "host/recordsets.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/application.h"
#include "host/company.h"
#include "host/company_fixture.h"
#include "host/databases.h"
#include "platform/db/dao.h"
#include "platform/text.h"

namespace {

class HostRecordsetTest : public HostCompanyFixture {
  protected:
    std::string LibraryFile() const {
        return GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb";
    }

    // Rows of the recordset as it is opened on sql.
    static long CountRows(CDaoRecordset& set, const std::string& sql) {
        set.Open(sql);
        long rows = 0;
        for (; !set.IsEOF(); set.MoveNext()) ++rows;
        set.Close();
        return rows;
    }
};

TEST_F(HostRecordsetTest, AMaterialRowComesBackAsItWasWritten) {
    const db::Bytes note = {'{', '\\', 'r', 't', 'f', '1', '}', 0};
    {
        CDaoDatabase library;
        library.Open(LibraryFile());
        CBibXmxSet materials(&library, 2, 1);
        materials.Open();
        materials.AddNew();
        materials.m_nType = 10001;
        materials.m_strCode = "ACMEREF-0001";
        materials.m_strLibelle = text::FromUtf8("Tuile à emboîtement");
        materials.m_NoteTechnique = note;
        materials.m_dCoefFG = 1.2;
        materials.m_nProfil = 2;
        materials.m_bPrixelCheck = true;
        materials.m_dtPrixelDate = COleDateTime(2013, 4, 15, 10, 30, 0);
        materials.Update();
    }
    CDaoDatabase library;
    library.Open(LibraryFile());
    CBibXmxSet materials(&library, 2, 1);
    materials.Open(
        "SELECT * FROM BXMX WHERE ((BXMX.[Type] = 10001) AND (BXMX.[Code] = 'ACMEREF-0001'))");
    ASSERT_FALSE(materials.IsEOF());
    EXPECT_EQ(materials.m_strLibelle, text::FromUtf8("Tuile à emboîtement"));
    EXPECT_EQ(materials.m_NoteTechnique, note);
    EXPECT_DOUBLE_EQ(materials.m_dCoefFG, 1.2);
    EXPECT_EQ(materials.m_nProfil, 2);
    EXPECT_TRUE(materials.m_bPrixelCheck);
    EXPECT_FALSE(materials.m_bPVImpose);
    EXPECT_EQ(materials.m_dtPrixelDate, COleDateTime(2013, 4, 15, 10, 30, 0));
    materials.MoveNext();
    EXPECT_TRUE(materials.IsEOF());
}

TEST_F(HostRecordsetTest, AFamilyRowComesBackAndItsCodeIsUnique) {
    CDaoDatabase library;
    library.Open(LibraryFile());
    CBibFamSet families(&library);
    families.Open();
    families.AddNew();
    families.m_nType = 10000;
    families.m_strParent = "@";
    families.m_nRang = 1;
    families.m_strCode = "@x7";
    families.m_strLibelle = "ACME";
    families.m_strCodePrixel = "ACME.";
    families.Update();
    families.Close();

    families.Open(
        "SELECT * FROM Famille WHERE ((Famille.[Type] = 10000) AND "
        "(Famille.[CodePrixel] = 'ACME.'))");
    ASSERT_FALSE(families.IsEOF());
    EXPECT_EQ(families.m_strParent, "@");
    EXPECT_EQ(families.m_nRang, 1);
    EXPECT_EQ(families.m_strCode, "@x7");
    EXPECT_EQ(families.m_strLibelle, "ACME");
    families.Close();

    families.Open();
    families.AddNew();
    families.m_nType = 10000;
    families.m_strParent = "@";
    families.m_strCode = "@x7";
    families.m_strCodePrixel = "AUTRE.";
    try {
        families.Update();
        FAIL() << "a second family with the code @x7 was stored";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.m_lErrorCode, dao::kDuplicateKey);
    }
    families.CancelUpdate();
    families.Close();
    EXPECT_EQ(CountRows(families, "SELECT * FROM Famille"), 1);
}

TEST_F(HostRecordsetTest, EveryRecordsetFindsItsColumnsInItsTable) {
    CDaoDatabase library;
    library.Open(LibraryFile());
    CBibOuvSet works(&library, 2, 1);
    CBibLOuvSet lines(&library);
    CBibFabricantSet makers(&library);
    CCataSet catalogue(&library);
    RContactSet contacts(GetDBManager()->GetMDBDao(mdContacts));
    for (CDaoRecordset* set :
         std::initializer_list<CDaoRecordset*>{&works, &lines, &makers, &catalogue, &contacts}) {
        EXPECT_NO_THROW(set->Open());
        set->Close();
    }
}

TEST_F(HostRecordsetTest, TheStudyRecordsetOpensTheStudyOfTheCompany) {
    CDaoDatabase notOpened;
    CEtudeXmxSet study(&notOpened);
    study.Open("SELECT * FROM EXmxPrixel");
    EXPECT_EQ(notOpened.GetName(), m_dir.File("Etude.mdb"));
    study.AddNew();
    study.m_nNumCode = 32767;
    study.Update();
    study.Close();
    study.Open("SELECT * FROM EXMX");
    EXPECT_TRUE(study.IsEOF());
}

TEST_F(HostRecordsetTest, TheFolderRecordsetOpensTheFolderSettingsOfTheCompany) {
    CDaoDatabase notOpened;
    CRensGeSt folder(&notOpened);
    folder.Open("SELECT * FROM RensGeneraux WHERE [CodeSociete] = 'DEMO'");
    EXPECT_EQ(notOpened.GetName(), m_dir.File("Dossier.mdb"));
    ASSERT_FALSE(folder.IsEOF());
    EXPECT_EQ(folder.m_nPrixelDesactive, 0);
    folder.Edit();
    folder.m_nPrixelDesactive = 1;
    folder.Update();
    folder.Close();
    EXPECT_EQ(Reopen(), "");
    EXPECT_NE(GetHostApp()->m_bPrixelDisabled, 0);
}

TEST_F(HostRecordsetTest, WithoutACompanyTheDefaultDatabasesCannotBeFound) {
    host::CloseCompany();
    CDaoDatabase notOpened;
    CEtudeXmxSet study(&notOpened);
    try {
        study.Open("SELECT * FROM EXMX");
        FAIL() << "the study opened without a company";
    } catch (const CDaoException& e) {
        EXPECT_EQ(e.m_lErrorCode, dao::kFileNotFound);
        EXPECT_EQ(e.m_strDescription,
                  text::FromUtf8("Aucune société n'est ouverte : la base de la table EXMX est "
                                 "introuvable."));
    }
    EXPECT_FALSE(notOpened.IsOpen());
}

TEST_F(HostRecordsetTest, ContactsLeadWithTheirSeventeenTexts) {
    CDaoDatabase* contactsDb = GetDBManager()->GetMDBDao(mdContacts);
    contactsDb->Execute(
        "INSERT INTO Contacts VALUES ('1', '2', '3', '4', '5', '6', '7', '8', '9', "
        "'10', '11', '12', '13', '14', '15', '16', '17', 'FOUR')");
    RContactSet contacts(contactsDb);
    contacts.Open("SELECT * FROM Contacts WHERE CFamille = 'FOUR'");
    ASSERT_FALSE(contacts.IsEOF());
    for (int number = 1; number <= RContactSet::kLeadingTextCount; ++number) {
        EXPECT_EQ(contacts.GetLeadingText(number), std::to_string(number));
    }
    EXPECT_EQ(contacts.m_strNom, "2");
    EXPECT_EQ(contacts.m_strNumClient, "17");
    EXPECT_THROW(contacts.GetLeadingText(0), std::out_of_range);
    EXPECT_THROW(contacts.GetLeadingText(18), std::out_of_range);
}

}  // namespace
