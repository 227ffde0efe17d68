#include "import/prixel_maker.h"

#include "host/databases.h"
#include "host/recordsets.h"
#include "platform/db/dao.h"

CPrixelMaker::CPrixelMaker() {
    OpenLibrary();
}

CPrixelMaker::CPrixelMaker(std::string id, std::string prefix, std::string tariffDate)
    : m_strId(std::move(id)),
      m_strPrefix(std::move(prefix)),
      m_strTariffDate(std::move(tariffDate)) {
    OpenLibrary();
}

CPrixelMaker::~CPrixelMaker() {
    delete[] m_pOutdatedRefs;
    if (m_pMakerSet->IsOpen()) m_pMakerSet->Close();
    if (m_pDatabase->IsOpen()) m_pDatabase->Close();
    delete m_pMakerSet;
    delete m_pDatabase;
}

// The maker's own connection to the service library, and its Fabricant recordset, not yet open.
// A library that cannot be opened leaves the database closed; every query then fails as the
// database says.
void CPrixelMaker::OpenLibrary() {
    m_pDatabase = new CDaoDatabase;
    try {
        m_pDatabase->Open(GetBibManager()->GetPrixelBib()->GetChemin() + "Bib.mdb");
    } catch (const CDaoException&) {
    }
    m_pMakerSet = new CBibFabricantSet(m_pDatabase);
}
