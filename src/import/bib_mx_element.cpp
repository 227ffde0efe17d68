#include "import/bib_mx_element.h"

#include <algorithm>
#include <vector>

#include "host/recordsets.h"
#include "import/dao_message.h"
#include "import/family.h"
#include "import/import_walk.h"
#include "import/library_batch.h"
#include "import/prixel_maker.h"
#include "import/supplier_catalogue.h"
#include "platform/db/query.h"
#include "platform/text.h"

namespace {

constexpr int kMaterialFamilyType = 10000;
constexpr int kCodeLength = 18;
constexpr int kFamilyLabelLength = 18;

constexpr const char* kLookup =
    "SELECT * FROM BXMX WHERE ((BXMX.[Type] = %d) AND (BXMX.[Code] = '%s'))";
constexpr const char* kLinkedOfMaker =
    "SELECT * FROM BXmx WHERE (BXmx.[PrixelCheck] = TRUE) AND (BXmx.[PrixelFabricantID] = '%s')";
constexpr const char* kNotAtDate =
    " AND ((BXmx.[PrixelDate] <> #%s#) OR (BXmx.[PrixelDate] IS NULL))";

// DD/MM/YYYY written month first, as Jet reads a date literal.
std::string MonthFirst(const std::string& date) {
    return text::Mid(date, 3, 2) + "/" + text::Left(date, 2) + "/" + text::Mid(date, 6, 4);
}

}  // namespace

CPrixelBibMxElement::CPrixelBibMxElement() {
    OpenLibrary();
}

CPrixelBibMxElement::CPrixelBibMxElement(const std::string& line) : CPrixelElement(line) {
    OpenLibrary();
}

CPrixelBibMxElement::~CPrixelBibMxElement() {
    delete m_pFamilyPath;
    delete m_pMaker;
    if (m_pMaterialSet->IsOpen()) m_pMaterialSet->Close();
    delete m_pMaterialSet;
}

// The target's own connection to the service library, its materials recordset, then the
// article's family path and maker.
void CPrixelBibMxElement::OpenLibrary() {
    m_pDatabase->Open(PrixelLibraryFile(), false, false, "");
    m_pMaterialSet = new CBibXmxSet(m_pDatabase, 2, 1);
    if (m_strFields[MakerPrefix].empty()) {
        m_pFamilyPath = new CFamilyPath();
        m_pMaker = new CPrixelMaker();
    } else {
        m_pFamilyPath = new CFamilyPath(kMaterialFamilyType, m_strFields[MakerPrefix],
                                        m_strFields[FamilyCodes], m_strFields[FamilyLabels]);
        m_pMaker = new CPrixelMaker(m_strFields[MakerId], m_strFields[MakerPrefix],
                                    m_strFields[TariffDate]);
    }
}

bool CPrixelBibMxElement::Process() {
    if (!ValidateElement() || !QueryValuesAccepted()) return false;
    bool written = false;
    switch (Lookup()) {
        case PrixelLinkedRow:
        case PrixelUnlinkedRow:
            written = UpdateRecord();
            break;
        case PrixelNoRow:
            written = AddRecord();
            break;
        default:
            return false;
    }
    if (written) {
        m_pMaker->AddIfMissing();
        m_pCatalogue->Write();
    }
    return written;
}

bool CPrixelBibMxElement::QueryValuesAccepted() const {
    try {
        db::FormatQuery("'%s' '%s' '%s'", m_strFields[MakerId], m_strFields[FamilyCodes],
                        m_strFields[SupplierData2]);
        return true;
    } catch (const CDaoException& e) {
        return RefusedQuery(e);
    }
}

bool CPrixelBibMxElement::HasRows() const {
    return !(m_pMaterialSet->IsEOF() && m_pMaterialSet->IsBOF());
}

// An article that the walk knows to have no row yet is not looked up: the lookup's recordset is
// opened for the addition only.
int CPrixelBibMxElement::Lookup() {
    if (KnownWithoutRow()) {
        m_nLookupState = PrixelNoRow;
    } else if (!OpenFormatted(kLookup, PRIXEL_TYPE_MATERIAL, text::Left(m_strCode, kCodeLength))) {
        m_nLookupState = PrixelNoQuery;
    } else if (!HasRows()) {
        m_nLookupState = PrixelNoRow;
    } else {
        m_nLookupState = m_pMaterialSet->m_bPrixelCheck ? PrixelLinkedRow : PrixelUnlinkedRow;
    }
    return m_nLookupState;
}

bool CPrixelBibMxElement::KnownWithoutRow() {
    CImportWalk* walk = CImportWalk::Current();
    if (!walk || !walk->TakeWithoutRows("BXMX", m_strCode)) return false;
    try {
        m_pMaterialSet->OpenAppendOnly(
            db::FormatQuery(kLookup, PRIXEL_TYPE_MATERIAL, text::Left(m_strCode, kCodeLength)));
        return true;
    } catch (const CDaoException&) {
        return false;
    }
}

bool CPrixelBibMxElement::OpenQuery(std::string sql) {
    return OpenShowingErrors(*m_pMaterialSet, sql);
}

// The row is added on the lookup's recordset, open on the table; a target that did not look the
// article up opens the table. When another workstation added the article since the lookup, its
// row is updated instead.
bool CPrixelBibMxElement::AddRecord() {
    if (!m_pMaterialSet->IsOpen() && !OpenQuery("SELECT * FROM BXMX")) return false;
    if (!ResolveFamily()) return false;
    try {
        WriteRow(*m_pMaterialSet, true);
        return true;
    } catch (const CDaoException& e) {
        const int state = IsDuplicateKey(e) ? Lookup() : PrixelNoQuery;
        if (state == PrixelLinkedRow || state == PrixelUnlinkedRow) return UpdateRecord();
        ShowDaoError(e);
        return false;
    }
}

bool CPrixelBibMxElement::UpdateRecord() {
    if (m_nLookupState == PrixelUnlinkedRow && !ResolveFamily()) return false;
    return StoreRow(*m_pMaterialSet, false);
}

// Finds or creates the article's families; no material is written without its family.
bool CPrixelBibMxElement::ResolveFamily() {
    m_pFamilyPath->EnsureFamily();
    return !m_pFamilyPath->GetCode().empty();
}

void CPrixelBibMxElement::FillRecord() {
    CBibXmxSet& set = *m_pMaterialSet;
    FillAlways(set);
    if (m_nLookupState != PrixelLinkedRow) {
        FillFirstLink(set);
        set.m_strLibFamille = text::Left(m_pFamilyPath->GetLabel(), kFamilyLabelLength);
        set.m_strCodeFamille = m_pFamilyPath->GetCode();
        set.m_nProfil = static_cast<short>(GetProfile(PRIXEL_TYPE_MATERIAL));
    }
    ComputeRowPrices(set);
}

void CPrixelBibMxElement::Unlink() {
    if (Lookup() != PrixelLinkedRow) return;
    CBibXmxSet& set = *m_pMaterialSet;
    try {
        set.Edit();
        set.m_bPrixelCheck = false;
        set.m_dtPrixelDate = COleDateTime();
        set.m_strPrixelFabricantID.clear();
        set.m_strPrefixeFabricant.clear();
        set.m_strReference.clear();
        set.Update();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}

// With a date, the rows that differ from it are read first, quietly: when there are some, the
// maker has linked rows and the query of all of them is not needed. Otherwise the queries run in
// their order and tell their failures. The references are read in one pass.
int CPrixelBibMxElement::GetLinkedArticles(std::string makerId, std::string date,
                                           std::string*& references) {
    const std::string notAtDate = std::string(kLinkedOfMaker) + kNotAtDate;
    const Narrowed narrowed =
        date.empty() ? Narrowed::kFailed : OpenQuietly(notAtDate, makerId, MonthFirst(date));
    if (narrowed == Narrowed::kRows) return ReadReferences(references);
    const bool linked = OpenFormatted(kLinkedOfMaker, makerId);
    if (linked && !HasRows()) return -1;
    if (narrowed == Narrowed::kNone) return 0;
    const bool opened = date.empty() ? linked || OpenFormatted(kLinkedOfMaker, makerId)
                                     : OpenFormatted(notAtDate, makerId, MonthFirst(date));
    if (!opened || !HasRows()) return 0;
    return ReadReferences(references);
}

CPrixelBibMxElement::Narrowed CPrixelBibMxElement::OpenQuietly(const std::string& format,
                                                               const std::string& makerId,
                                                               const std::string& date) {
    try {
        m_pMaterialSet->Open(db::FormatQuery(format, makerId, date));
    } catch (const CDaoException&) {
        return Narrowed::kFailed;
    }
    return HasRows() ? Narrowed::kRows : Narrowed::kNone;
}

int CPrixelBibMxElement::ReadReferences(std::string*& references) {
    try {
        std::vector<std::string> found;
        for (; !m_pMaterialSet->IsEOF(); m_pMaterialSet->MoveNext()) {
            found.push_back(m_pMaterialSet->m_strReference);
        }
        delete[] references;
        references = new std::string[found.size()];
        std::move(found.begin(), found.end(), references);
        return static_cast<int>(found.size());
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return 0;
    }
}
