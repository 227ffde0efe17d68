#include "works/text_import_writer.h"

#include "import/dao_message.h"
#include "import/library_batch.h"
#include "import/text_fields.h"

namespace {

constexpr int kCodeLength = 18;

std::string LookupQuery(const std::string& table) {
    return "SELECT * FROM " + table + " WHERE ((" + table + ".[Type] = %d) AND (" + table +
           ".[Code] = '%s'))";
}

}  // namespace

CTextImportWriter::CTextImportWriter(const char* table) : m_szTable(table) {
    m_pDatabase->Open(PrixelLibraryFile(), false, false, "");
}

// The recordset goes before the connection it works on.
CTextImportWriter::~CTextImportWriter() {
    if (m_pRowSet && m_pRowSet->IsOpen()) m_pRowSet->Close();
}

bool CTextImportWriter::CheckFieldCount(std::string line) {
    return FieldCount(line) == static_cast<std::size_t>(m_nFieldCount);
}

bool CTextImportWriter::OpenQuery(std::string sql) {
    return OpenShowingErrors(*m_pRowSet, sql);
}

int CTextImportWriter::Lookup() {
    if (!OpenFormatted(LookupQuery(m_szTable), m_nType, text::Left(m_strCode, kCodeLength))) {
        m_nLookupState = PrixelNoQuery;
    } else {
        // Rows of the works import are not linked to the service: state 0 means the row exists.
        m_nLookupState = m_pRowSet->IsEOF() && m_pRowSet->IsBOF() ? PrixelNoRow : PrixelLinkedRow;
    }
    return m_nLookupState;
}

// The row is added on the recordset the lookup left open on the table: opening the whole table
// again would cost a query for every row written and change nothing of what is stored.
bool CTextImportWriter::Process() {
    if (m_strCode.empty() || Lookup() != PrixelNoRow) return false;
    return StoreRow(*m_pRowSet, true);
}
