#include "import/family.h"

#include <cctype>

#include "host/recordsets.h"
#include "import/dao_message.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "platform/db/dao.h"
#include "platform/db/query.h"
#include "platform/system.h"
#include "platform/text.h"

namespace {

constexpr const char* kFamilyByKey =
    "SELECT * FROM Famille WHERE ((Famille.[Type] = %d) AND (Famille.[CodePrixel] = '%s'))";
constexpr const char* kFamiliesUnder =
    "SELECT * FROM Famille WHERE ((Famille.[Type] = %d) AND (Famille.[Parent] = '%s'))";

constexpr std::size_t kMaxCodeLength = 21;
constexpr int kMaxLabelLength = 70;
// A refused code is drawn again while fewer than this many attempts were made before it.
constexpr int kLastRetriedAttempt = 10;

}  // namespace

char DrawCodeCharacter() {
    int c;
    do {
        c = sys::Rand() % 75 + '0';
    } while (!std::isalnum(c));
    return static_cast<char>(c);
}

// The family's own connection to the service library, and its recordset, not yet open. A library
// that cannot be opened leaves the database closed; every query then fails as the database says.
CFamilyLink::CFamilyLink() : m_pDatabase(std::make_unique<CDaoDatabase>()) {
    try {
        m_pDatabase->Open(PrixelLibraryFile());
    } catch (const CDaoException&) {
    }
    m_pFamSet = std::make_unique<CBibFamSet>(m_pDatabase.get());
}

CFamilyLink::~CFamilyLink() {
    if (m_pFamSet->IsOpen()) m_pFamSet->Close();
    if (m_pDatabase->IsOpen()) m_pDatabase->Close();
}

std::string CFamilyLink::GetCode() {
    return m_strCode;
}

bool CFamilyLink::OpenFamilies(std::string sql) {
    return OpenShowingErrors(*m_pFamSet, sql);
}

std::string CFamilyLink::MakeChildCode(std::string parent) {
    const char first = DrawCodeCharacter();
    const char second = DrawCodeCharacter();
    return parent + first + second;
}

bool CFamilyLink::OpenFamiliesWith(const char* query, const std::string& value) {
    try {
        return OpenFamilies(db::FormatQuery(query, m_nType, value));
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
}

int CFamilyLink::FindByKey(std::string& code, std::string key) {
    if (!OpenFamiliesWith(kFamilyByKey, key)) return 2;
    if (m_pFamSet->IsEOF()) return 1;
    code = m_pFamSet->m_strCode;
    return 0;
}

std::string CFamilyLink::CreateFamily(std::string parent, std::string label, std::string key) {
    short rank = 0;
    if (!OpenSiblings(parent, rank)) return {};
    try {
        m_pFamSet->AddNew();
        m_pFamSet->m_nType = static_cast<short>(m_nType);
        m_pFamSet->m_strParent = parent;
        m_pFamSet->m_nRang = static_cast<short>(rank + 1);
        m_pFamSet->m_strLibelle = text::Left(label, kMaxLabelLength);
        m_pFamSet->m_strCodePrixel = key;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return {};
    }
    std::string code;
    if (!StoreWithFreshCode(parent, code)) {
        m_pFamSet->CancelUpdate();
        return {};
    }
    if (CImportWalk* walk = CImportWalk::Current()) walk->KeepLastRank(m_nType, parent, rank + 1);
    return code;
}

// Opens the families recordset for adding under parent, rank the rank of the last family there.
// The walk in progress knows it when it added a family under parent; else the families under
// parent are read. False, the failure shown, when the recordset cannot be opened.
bool CFamilyLink::OpenSiblings(const std::string& parent, short& rank) {
    CImportWalk* walk = CImportWalk::Current();
    const std::optional<int> kept = walk ? walk->LastRank(m_nType, parent) : std::nullopt;
    if (!kept && !OpenFamiliesWith(kFamiliesUnder, parent)) return false;
    try {
        if (kept) {
            m_pFamSet->OpenAppendOnly(db::FormatQuery(kFamiliesUnder, m_nType, parent));
            rank = static_cast<short>(*kept);
        } else if (!m_pFamSet->IsEOF()) {
            m_pFamSet->MoveLast();
            rank = m_pFamSet->m_nRang;
        }
        return true;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
}

// Stores the pending row under a code drawn from parent, drawing again while the code is taken.
bool CFamilyLink::StoreWithFreshCode(const std::string& parent, std::string& code) {
    for (int attempt = 0;; ++attempt) {
        code = MakeChildCode(parent);
        if (code.size() > kMaxCodeLength) return false;
        m_pFamSet->m_strCode = code;
        try {
            m_pFamSet->Update();
            return true;
        } catch (const CDaoException& e) {
            if (IsDuplicateKey(e) && StoredByAnother(code)) return true;
            if (IsDuplicateKey(e) && attempt <= kLastRetriedAttempt) continue;
            ShowDaoError(e);
            return false;
        }
    }
}

// Another workstation stored a family of the pending row's type and key since the lookup: the
// pending row is dropped and code is that family's.
bool CFamilyLink::StoredByAnother(std::string& code) {
    CBibFamSet families(m_pDatabase.get());
    try {
        families.Open(db::FormatQuery(kFamilyByKey, m_nType, m_pFamSet->m_strCodePrixel));
        if (families.IsEOF()) return false;
        code = families.m_strCode;
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
    m_pFamSet->CancelUpdate();
    return true;
}
