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

}  // namespace
