#include "import/etude_mx_element.h"

#include "host/recordsets.h"
#include "import/dao_message.h"
#include "platform/system.h"
#include "platform/text.h"
#include "resources/prixel_texts.h"

namespace {

constexpr int kCodeLength = 18;
// Line numbers are drawn from 0 to 32767, the range of the Windows runtime's rand.
constexpr int kLineNumbers = 32768;

constexpr const char* kLookup =
    "SELECT * FROM EXMX WHERE ((EXMX.[Type] = %d) AND (EXMX.[Code] = '%s'))";
constexpr const char* kArticleLines = "SELECT * FROM EXmx WHERE Type = %d AND Code = '%s'";
constexpr const char* kLineTaken = "[Type] = %d  AND [Code] = '%s' AND [Num Code] = %d";

// Whether the rows of an article take every number a draw can give.
bool EveryLineTaken(CEtudeXmxSet& lines) {
    long drawable = 0;
    for (; !lines.IsEOF(); lines.MoveNext()) {
        if (lines.m_nNumCode >= 0) ++drawable;
    }
    return drawable >= kLineNumbers;
}

}  // namespace

CPrixelEtudeMxElement::CPrixelEtudeMxElement(const std::string& line)
    : CPrixelElement(line), m_pStudySet(new CEtudeXmxSet(m_pDatabase)) {}

CPrixelEtudeMxElement::~CPrixelEtudeMxElement() {
    if (m_pStudySet->IsOpen()) m_pStudySet->Close();
    delete m_pStudySet;
}

bool CPrixelEtudeMxElement::Process() {
    if (!ValidateElement()) return false;
    switch (Lookup()) {
        case PrixelLinkedRow:
            return UpdateRecord();
        case PrixelNoRow:
            return AddRecord();
        default:
            return false;
    }
}

int CPrixelEtudeMxElement::Lookup() {
    if (!OpenFormatted(kLookup, PRIXEL_TYPE_MATERIAL, text::Left(m_strCode, kCodeLength))) {
        m_nLookupState = PrixelNoQuery;
    } else if (m_pStudySet->IsEOF() && m_pStudySet->IsBOF()) {
        m_nLookupState = PrixelNoRow;
    } else {
        m_nLookupState = m_pStudySet->m_bPrixelCheck ? PrixelLinkedRow : PrixelUnlinkedRow;
    }
    return m_nLookupState;
}

bool CPrixelEtudeMxElement::OpenQuery(std::string sql) {
    return OpenShowingErrors(*m_pStudySet, sql);
}

bool CPrixelEtudeMxElement::AddRecord() {
    if (!ValidateElement()) return false;
    if (!OpenQuery("SELECT * FROM EXmxPrixel")) return false;
    return StoreRow(*m_pStudySet, true);
}

bool CPrixelEtudeMxElement::UpdateRecord() {
    if (!ValidateElement()) return false;
    return StoreRow(*m_pStudySet, false);
}

void CPrixelEtudeMxElement::FillRecord() {
    CEtudeXmxSet& set = *m_pStudySet;
    FillAlways(set);
    set.m_nNumCode = static_cast<short>(NewNumCode());
    if (m_nLookupState != PrixelLinkedRow) FillFirstLink(set);
    ComputeRowPrices(set);
}

void CPrixelEtudeMxElement::Unlink() {
    if (Lookup() != PrixelLinkedRow) return;
    CEtudeXmxSet& set = *m_pStudySet;
    try {
        for (; !set.IsEOF(); set.MoveNext()) {
            set.Edit();
            set.m_bPrixelCheck = false;
            set.m_dtPrixelDate = COleDateTime();
            set.m_strPrixelFabricantID.clear();
            set.m_strPrefixeFabricant.clear();
            set.m_strReference.clear();
            set.Update();
        }
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}

int CPrixelEtudeMxElement::NewNumCode() {
    CEtudeXmxSet lines(m_pDatabase);
    lines.Open(db::FormatQuery(kArticleLines, PRIXEL_TYPE_MATERIAL, m_strCode));
    if (EveryLineTaken(lines)) {
        throw CDaoException(dao::kDuplicateKey,
                            text::Format(Fr(TXT_NO_FREE_LINE_NUMBER).c_str(), m_strCode.c_str()));
    }
    int number = 0;
    do {
        number = sys::Rand() % kLineNumbers;
    } while (lines.FindFirst(db::FormatQuery(kLineTaken, PRIXEL_TYPE_MATERIAL, m_strCode, number)));
    lines.Close();
    return number;
}
