#include "works/text_import_writer.h"

#include "import/library_batch.h"
#include "import/text_fields.h"

namespace {

constexpr int kCodeLength = 18;

std::string LookupQuery(const std::string& table) {
    return "SELECT * FROM " + table + " WHERE ((" + table + ".[Type] = %d) AND (" + table +
           ".[Code] = '%s'))";
}

}  // namespace

CTextImportWriter::CTextImportWriter() {
    m_pDatabase->Open(PrixelLibraryFile(), false, false, "");
}

bool CTextImportWriter::CheckFieldCount(std::string line) {
    return FieldCount(line) == static_cast<std::size_t>(m_nFieldCount);
}

int CTextImportWriter::LookupIn(CDaoRecordset& set, const char* table) {
    if (!OpenFormatted(LookupQuery(table), m_nType, text::Left(m_strCode, kCodeLength))) {
        m_nLookupState = PrixelNoQuery;
    } else {
        // Rows of the works import are not linked to the service: state 0 means the row exists.
        m_nLookupState = set.IsEOF() && set.IsBOF() ? PrixelNoRow : PrixelLinkedRow;
    }
    return m_nLookupState;
}

// The row is added on the recordset the lookup left open on the table: opening the whole table
// again would cost a query for every row written and change nothing of what is stored.
bool CTextImportWriter::AddWhenAbsent(CDaoRecordset& set) {
    if (m_strCode.empty() || Lookup() != PrixelNoRow) return false;
    return StoreRow(set, true);
}
