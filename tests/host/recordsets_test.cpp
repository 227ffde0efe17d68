#include "host/recordsets.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/application.h"
#include "host/company.h"
#include "host/company_fixture.h"
#include "host/databases.h"
#include "platform/db/dao.h"
#include "platform/db/dao_testing.h"
#include "platform/text.h"

using dbtest::Raised;

namespace {

class HostRecordsetTest : public HostCompanyFixture {
  protected:
    void SetUp() override {
        HostCompanyFixture::SetUp();
        m_library.Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
    }

    CDaoDatabase m_library;
};

TEST_F(HostRecordsetTest, EveryRecordsetFindsItsColumnsInItsTable) {
    CBibXmxSet materials(&m_library, 2, 1);
    CBibFamSet families(&m_library);
    CBibOuvSet works(&m_library, 2, 1);
    CBibLOuvSet lines(&m_library);
    CBibFabricantSet makers(&m_library);
    CCataSet catalogue(&m_library);
    RContactSet contacts(GetDBManager()->GetMDBDao(mdContacts));
    for (CDaoRecordset* set : std::initializer_list<CDaoRecordset*>{
             &materials, &families, &works, &lines, &makers, &catalogue, &contacts}) {
        EXPECT_NO_THROW(set->Open());
    }
}

TEST_F(HostRecordsetTest, StudyAndFolderRecordsetsOpenTheCompanysDatabases) {
    CDaoDatabase studyDb, folderDb;
    CEtudeXmxSet study(&studyDb);
    study.Open("SELECT * FROM EXmxPrixel");
    EXPECT_EQ(studyDb.GetName(), m_dir.File("Etude.mdb"));
    CRensGeSt folder(&folderDb);
    folder.Open("SELECT * FROM RensGeneraux WHERE [CodeSociete] = 'DEMO'");
    EXPECT_EQ(folderDb.GetName(), m_dir.File("Dossier.mdb"));
    folder.Edit();
    folder.m_nPrixelDesactive = 1;
    folder.Update();
    folder.Close();
    EXPECT_EQ(Reopen(), "");
    EXPECT_NE(GetHostApp()->m_bPrixelDisabled, 0);
}

TEST_F(HostRecordsetTest, WithoutACompanyTheDefaultDatabasesCannotBeFound) {
    m_library.Close();
    host::CloseCompany();
    CDaoDatabase notOpened;
    CEtudeXmxSet study(&notOpened);
    const CDaoException e = Raised([&] { study.Open("SELECT * FROM EXMX"); });
    EXPECT_EQ(e.m_lErrorCode, dao::kFileNotFound);
    EXPECT_EQ(e.m_strDescription,
              text::FromUtf8("Aucune société n'est ouverte : la base de la table EXMX est "
                             "introuvable."));
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
    EXPECT_EQ(contacts.m_strNumClient, "17");
    EXPECT_THROW(contacts.GetLeadingText(0), std::out_of_range);
    EXPECT_THROW(contacts.GetLeadingText(18), std::out_of_range);
}

}  // namespace
