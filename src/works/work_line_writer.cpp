#include "works/work_line_writer.h"

#include "host/recordsets.h"
#include "import/dao_message.h"
#include "import/library_batch.h"
#include "platform/db/query.h"
#include "platform/text.h"

namespace {

constexpr const char* kLinesOfWork =
    "SELECT * FROM BLOUV WHERE ((BLOUV.[Type tache] = %d) AND (BLOUV.[Code tache] = '%s'))";
constexpr int kCodeLength = 18;

}  // namespace

CWorkLineWriter::CWorkLineWriter(int workType, int elementType, std::string workCode,
                                 std::string elementCode, double quantity)
    : m_nWorkType(workType),
      m_strWorkCode(std::move(workCode)),
      m_nElementType(elementType),
      m_strElementCode(std::move(elementCode)),
      m_dQuantity(quantity),
      m_pDatabase(std::make_unique<CDaoDatabase>()) {
    m_pDatabase->Open(PrixelLibraryFile(), false, false, "");
    m_pLineSet = std::make_unique<CBibLOuvSet>(m_pDatabase.get());
}

// The recordset goes before the database it works on.
CWorkLineWriter::~CWorkLineWriter() {
    if (m_pLineSet->IsOpen()) m_pLineSet->Close();
    m_pLineSet.reset();
    if (m_pDatabase->IsOpen()) m_pDatabase->Close();
}

bool CWorkLineWriter::OpenQuery(std::string sql) {
    return OpenShowingErrors(*m_pLineSet, sql);
}

void CWorkLineWriter::FillRecord() {
    CBibLOuvSet& set = *m_pLineSet;
    set.m_nTypeTache = static_cast<short>(m_nWorkType);
    set.m_strCodeTache = m_strWorkCode;
    set.m_nNumLigne = static_cast<short>(m_nLineNumber);
    set.m_nTypeElement = static_cast<short>(m_nElementType);
    set.m_strCodeElement = m_strElementCode;
    set.m_dQuantite = m_dQuantity;
    set.SetFieldDirty(&set.m_nNumLigne);
}

void CWorkLineWriter::Write() {
    if (!OpenLinesOfWork()) return;
    try {
        m_nLineNumber = NextLineNumber();
        m_pLineSet->AddNew();
        FillRecord();
        m_pLineSet->Update();
    } catch (const CDaoException& e) {
        ShowDaoError(e);
    }
}

bool CWorkLineWriter::OpenLinesOfWork() {
    try {
        return OpenQuery(
            db::FormatQuery(kLinesOfWork, m_nWorkType, text::Left(m_strWorkCode, kCodeLength)));
    } catch (const CDaoException& e) {
        ShowDaoError(e);
        return false;
    }
}

int CWorkLineWriter::NextLineNumber() {
    if (m_pLineSet->IsEOF() && m_pLineSet->IsBOF()) return 0;
    m_pLineSet->MoveLast();
    return static_cast<int>(m_pLineSet->GetRecordCount()) + 1;
}
