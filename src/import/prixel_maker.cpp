#include "import/prixel_maker.h"

#include "host/recordsets.h"
#include "import/bib_mx_element.h"
#include "import/dao_message.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "platform/db/dao.h"
#include "platform/db/query.h"
#include "platform/text.h"

namespace {

constexpr int kMakerLineFields = 8;
constexpr const char* kAllMakers = "SELECT * FROM Fabricant";

// A date as the user's locale reads it; text that is no date gives the zero date.
COleDateTime ParseDate(const std::string& text) {
    return COleDateTime::ParseDateTime(text).value_or(COleDateTime());
}

// An article's YYYYMMDD date, read as DD/MM/YYYY.
COleDateTime ParseArticleDate(const std::string& yyyymmdd) {
    return ParseDate(text::Mid(yyyymmdd, 6, 2) + "/" + text::Mid(yyyymmdd, 4, 2) + "/" +
                     text::Left(yyyymmdd, 4));
}

}  // namespace

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
        m_pDatabase->Open(PrixelLibraryFile());
    } catch (const CDaoException&) {
    }
    m_pMakerSet = new CBibFabricantSet(m_pDatabase);
}

bool CPrixelMaker::OpenMakers(std::string query) {
    return OpenShowingErrors(*m_pMakerSet, query);
}

int CPrixelMaker::FindMaker() {
    std::string query;
    try {
        query = db::FormatQuery("SELECT * FROM Fabricant WHERE (Fabricant.[Id] = '%s')", m_strId);
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return 2;
    }
    if (!OpenMakers(query)) return 2;
    if (m_pMakerSet->IsBOF() && m_pMakerSet->IsEOF()) return 1;
    return 0;
}

// The row is added on the lookup's recordset, open on the table. A walk over an answer looks a
// maker up once: its row stays for the rest of the walk.
void CPrixelMaker::AddIfMissing() {
    CImportWalk* walk = CImportWalk::Current();
    if (walk && walk->HasMaker(m_strId)) return;
    const int found = FindMaker();
    if (found == 0 && walk) walk->KeepMaker(m_strId);
    if (found != 1) return;
    try {
        m_pMakerSet->AddNew();
        m_pMakerSet->m_strId = m_strId;
        m_pMakerSet->m_strPrefixe = m_strPrefix;
        m_pMakerSet->m_dtDateTarif = ParseArticleDate(m_strTariffDate);
        m_pMakerSet->Update();
    } catch (const CDaoException& e) {
        // Another workstation added the maker since the lookup: its row stands.
        if (!IsDuplicateKey(e) || FindMaker() != 0) {
            ShowDaoError(e);
            return;
        }
    }
    if (walk) walk->KeepMaker(m_strId);
}

long CPrixelMaker::CountMakers() {
    if (!OpenMakers(kAllMakers)) return 0;
    if (m_pMakerSet->IsBOF() && m_pMakerSet->IsEOF()) return 0;
    m_pMakerSet->MoveLast();
    return m_pMakerSet->GetRecordCount();
}

void CPrixelMaker::SetFromLine(std::string line) {
    std::vector<std::string> fields = text::Split(line, '\t');
    if (fields.size() < kMakerLineFields) fields.assign(kMakerLineFields, "");
    std::string* const targets[kMakerLineFields] = {
        &m_strId,     &m_strPrefix, &m_strName,      &m_strTariffDate, &m_strTariffVersion,
        &m_strField5, &m_strField6, &m_strFullUpdate};
    for (int i = 0; i < kMakerLineFields; ++i) *targets[i] = text::Trim(fields[i]);
}

bool CPrixelMaker::CheckUpToDate() {
    if (FindMaker() != 0) return true;

    m_pMakerSet->Edit();
    if (m_pMakerSet->m_strVersionTarif.empty()) {
        m_pMakerSet->m_strNom = m_strName;
        m_pMakerSet->m_strVersionTarif = m_strTariffVersion;
    }
    m_pMakerSet->m_nMajComplete |= m_strFullUpdate.empty() ? 0 : 1;
    m_pMakerSet->Update();

    // A new tariff version, or the service's request, makes every linked material out of date.
    std::string date = m_strTariffDate;
    if (m_pMakerSet->m_nMajComplete != 0 || m_strTariffVersion != m_pMakerSet->m_strVersionTarif) {
        date.clear();
    }
    {
        CPrixelBibMxElement materials;
        m_nOutdatedCount = materials.GetLinkedArticles(m_strId, date, m_pOutdatedRefs);
    }
    if (m_nOutdatedCount == -1) {
        m_pMakerSet->Delete();
        m_nOutdatedCount = 0;
    }
    return m_nOutdatedCount == 0;
}

void CPrixelMaker::MarkUpdated() {
    if (FindMaker() != 0) return;
    try {
        m_pMakerSet->Edit();
        m_pMakerSet->m_strId = m_strId;
        m_pMakerSet->m_strPrefixe = m_strPrefix;
        m_pMakerSet->m_strNom = m_strName;
        m_pMakerSet->m_dtDateTarif = ParseDate(m_strTariffDate);
        m_pMakerSet->m_strVersionTarif = m_strTariffVersion;
        m_pMakerSet->m_nMajComplete = 0;
        m_pMakerSet->Update();
        m_nOutdatedCount = 0;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}
